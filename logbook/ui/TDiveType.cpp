#include "TDiveType.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "TDiveRec.h"

namespace {

struct TGroupDef {
    const char* None;
    const char* FirstName;
    const char* FirstCaption;  // built-in German caption
    std::uint16_t FirstFlag;
    const char* SecondName;
    const char* SecondCaption;
    std::uint16_t SecondFlag;
};

constexpr TGroupDef kGroups[] = {
    {"RB1", "Nitrox", "Nitrox", DiveTypeFlag::kNitrox, "SCR", "SCR", DiveTypeFlag::kSCR},
    {"RB2", "Nostop", "Nullzeit", DiveTypeFlag::kNostop, "Decomp", "Dekompression", DiveTypeFlag::kDecomp},
    {"RB3", "Square", "Einzelaufstieg", DiveTypeFlag::kSquare, "Multil", "Mehrfachaufstieg",
     DiveTypeFlag::kMultil},
    {"RB4", "Fresh", "Süsswasser", DiveTypeFlag::kFresh, "Sea", "Salzwasser", DiveTypeFlag::kSea},
};

// Loading order: within the gas group SCR comes before Nitrox.
constexpr const char* kLoadOrder[] = {"SCR",    "Nitrox", "Nostop", "Decomp",
                                      "Square", "Multil", "Fresh",  "Sea"};

}  // namespace

TDiveType::TDiveType(QWidget* parent)
    : TOkCancelDialog(Program::Kelwin, QStringLiteral("TDiveType"), parent) {
    setObjectName(QStringLiteral("DiveType"));
    setWindowTitle(QStringLiteral("Tauchgang-Typ"));
    auto* groups = new QGridLayout;
    int index = 0;
    for (const TGroupDef& g : kGroups) {
        auto* box = new QGroupBox(this);
        box->setObjectName(QStringLiteral("Group%1").arg(index + 1));
        auto* column = new QVBoxLayout(box);
        auto add = [&](const char* name, const QString& caption) {
            auto* b = new QRadioButton(caption, box);
            b->setObjectName(QString::fromLatin1(name));
            column->addWidget(b);
            return b;
        };
        m_none.push_back(add(g.None, QStringLiteral("-")));
        m_choices.push_back({add(g.FirstName, QString::fromUtf8(g.FirstCaption)), g.FirstFlag});
        m_choices.push_back({add(g.SecondName, QString::fromUtf8(g.SecondCaption)), g.SecondFlag});
        groups->addWidget(box, index / 2, index % 2);
        ++index;
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(ButtonRow());
}

QRadioButton* TDiveType::Button(const QString& name) const { return findChild<QRadioButton*>(name); }

void TDiveType::Load(std::uint16_t flags) {
    for (QRadioButton* none : m_none) none->setChecked(true);
    for (const char* name : kLoadOrder)
        for (const TChoice& c : m_choices)
            if (c.Button->objectName() == QLatin1String(name) && (flags & c.Flag)) c.Button->setChecked(true);
}

std::uint16_t TDiveType::Flags() const {
    std::uint16_t flags = 0;
    for (const TChoice& c : m_choices)
        if (c.Button->isChecked()) flags |= c.Flag;
    return flags;
}

bool TDiveType::Execute(std::uint16_t& flags) {
    Load(flags);
    if (exec() != QDialog::Accepted) return false;
    flags = Flags();
    return true;
}
