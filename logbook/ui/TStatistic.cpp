#include "TStatistic.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "Language.h"
#include "StatisticsPanel.h"
#include "TCaptionRegistry.h"
#include "TDiveCollection.h"
#include "TKelvara.h"
#include "TSelectDialog.h"
#include "TWidgetCaptions.h"

TStatistic::TStatistic(TKelvara& main, const TSelectDialog* selectDialog, QWidget* parent)
    : QDialog(parent),
      m_main(main),
      m_selectDialog(selectDialog),
      m_infoPane(new QFrame(this)),
      m_radioSel(new QRadioButton(QStringLiteral("Markierte Tauchgänge"), this)),
      m_radioAll(new QRadioButton(QStringLiteral("Gesamtes Logbuch"), this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("Statistic"));
    setWindowTitle(QStringLiteral("Statistik"));
    m_infoPane->setObjectName(QStringLiteral("InfoPane"));
    m_infoPane->setFrameShape(QFrame::StyledPanel);
    m_infoPane->setFrameShadow(QFrame::Sunken);
    m_infoPane->setFixedSize(kStatisticsPanelWidth, kStatisticsPanelHeight);
    // The labels sit at the panel's design positions, which the printed page scales.
    for (const TStatLabel& l : StatisticsPanelLabels()) {
        auto* label = new QLabel(m_infoPane);
        label->setObjectName(l.Name());
        label->setGeometry(l.Rect);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment((l.RightAligned() ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        if (l.Kind == EStatLabelKind::Caption)
            label->setText(StatisticsCaption(l.Row, kGerman, CurrentUnitSystem()));
    }
    m_radioSel->setObjectName(QStringLiteral("RadioSel"));
    m_radioAll->setObjectName(QStringLiteral("RadioAll"));
    m_radioAll->setChecked(true);
    m_ok->setObjectName(QStringLiteral("OKBtn"));
    m_ok->setDefault(true);

    auto* choice = new QFrame(this);
    choice->setObjectName(QStringLiteral("RadioPane"));
    choice->setFrameShape(QFrame::StyledPanel);
    auto* radios = new QHBoxLayout(choice);
    radios->addWidget(m_radioSel);
    radios->addWidget(m_radioAll);
    radios->addStretch(1);
    radios->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_infoPane);
    layout->addWidget(choice);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_radioSel, &QRadioButton::clicked, this, [this] { ComputeStatistics(true); });
    connect(m_radioAll, &QRadioButton::clicked, this, [this] { ComputeStatistics(false); });
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    m_captions = std::make_unique<TWidgetCaptions>(this, QStringLiteral("TStatistic"));
    TCaptionRegistry::Of(Program::Kelwin).Register(m_captions.get());
    UnitCaptions();
}

TStatistic::~TStatistic() { TCaptionRegistry::Of(Program::Kelwin).Unregister(m_captions.get()); }

QLabel* TStatistic::Label(const QString& name) const { return m_infoPane->findChild<QLabel*>(name); }

void TStatistic::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TStatistic::UnitCaptions() {
    const int units = CurrentUnitSystem();
    for (int range = 0; range < kDepthRangeCount; ++range)
        if (QLabel* label = Label(QStringLiteral("R%1").arg(range)))
            label->setText(DepthRangeCaption(range, units));
}

void TStatistic::ComputeStatistics(bool selectedOnly) {
    const TDiveCollection& log = m_main.Logbook();
    std::vector<bool> lines(log.Count(), false);
    for (std::size_t line : m_main.SelectedIndices())
        if (line < lines.size()) lines[line] = true;
    m_result = ::ComputeStatistics(log, lines, selectedOnly, CurrentUnitSystem());
    for (const TStatLabel& l : StatisticsPanelLabels()) {
        if (l.Kind == EStatLabelKind::Caption) continue;
        if (QLabel* label = Label(l.Name()))
            label->setText(StatisticsLabelText(l, m_result, CurrentLanguage(), CurrentUnitSystem()));
    }
    std::optional<std::pair<QString, QString>> dates;
    // A selection dialog that never opened has no dates to offer.
    if (m_selectDialog &&
        !(m_selectDialog->Date1()->text().isEmpty() && m_selectDialog->Date2()->text().isEmpty()))
        dates = std::make_pair(m_selectDialog->Date1()->text(), m_selectDialog->Date2()->text());
    setWindowTitle(StatisticsTitle(m_result, m_main.HandSelection(), dates));
}

void TStatistic::Prepare() {
    const bool selected = m_main.SelectedIndices().size() > 1;
    ComputeStatistics(selected);
    m_radioSel->setChecked(selected);
    m_radioAll->setChecked(!selected);
}

void TStatistic::StatisticsClick() {
    Prepare();
    exec();
}
