#include "TActivity.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "DiveTexts.h"
#include "EditRules.h"
#include "TCp1252Validator.h"

namespace {
// Built-in German captions, in bit order.
constexpr const char* kCaptions[kActivityCount] = {"Plausch-TG", "Club-TG",   "Ausbildung",   "Instruktion",
                                                   "Nacht-TG",   "Höhlen-TG", "Eis-TG",       "Such-TG",
                                                   "Wrack-TG",   "Fluss-TG",  "Strömungs-TG", "Foto-TG"};
}  // namespace

TActivity::TActivity(QWidget* parent)
    : TOkCancelDialog(Program::Kelwin, QStringLiteral("TActivity"), parent),
      m_otherLabel(new QLabel(QStringLiteral("Andere:"), this)),
      m_other(new QLineEdit(this)) {
    setObjectName(QStringLiteral("Activity"));
    setWindowTitle(QStringLiteral("Aktivitäten"));
    auto* grid = new QGridLayout;
    const int rows = kActivityCount / 2;
    for (int bit = 0; bit < kActivityCount; ++bit) {
        auto* box = new QCheckBox(QString::fromUtf8(kCaptions[bit]), this);
        box->setObjectName(QStringLiteral("Act%1").arg(bit));
        grid->addWidget(box, bit % rows, bit / rows);
        m_boxes.push_back(box);
    }
    m_otherLabel->setObjectName(QStringLiteral("LOther"));
    m_other->setObjectName(QStringLiteral("eOther"));
    m_other->setMaxLength(kMaxFieldText);
    m_other->setValidator(new TCp1252Validator(m_other));
    m_otherLabel->setBuddy(m_other);
    auto* other = new QHBoxLayout;
    other->addWidget(m_otherLabel);
    other->addWidget(m_other, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(other);
    layout->addLayout(ButtonRow());
    setMinimumWidth(360);
}

QCheckBox* TActivity::Box(int bit) const {
    return bit >= 0 && bit < static_cast<int>(m_boxes.size()) ? m_boxes[static_cast<std::size_t>(bit)]
                                                              : nullptr;
}

void TActivity::Load(std::uint16_t activities, const QString& other) {
    for (std::size_t bit = 0; bit < m_boxes.size(); ++bit) m_boxes[bit]->setChecked(activities & (1u << bit));
    m_other->setText(other);
}

std::uint16_t TActivity::Activities() const {
    std::uint16_t word = 0;
    for (std::size_t bit = 0; bit < m_boxes.size(); ++bit)
        if (m_boxes[bit]->isChecked()) word |= static_cast<std::uint16_t>(1u << bit);
    return word;
}

QString TActivity::Other() const { return m_other->text(); }

bool TActivity::Execute(std::uint16_t& activities, QString& other) {
    Load(activities, other);
    if (exec() != QDialog::Accepted) return false;
    activities = Activities();
    other = Other();
    return true;
}
