#include "TFaktData.h"

#include <QFrame>
#include <QLabel>

#include "TCompanionWidgets.h"
#include "TNeedle.h"

namespace {

constexpr int kBarsLeft = 44;
constexpr int kBarsTop = 10;
constexpr int kBarHeight = 100;
constexpr int kBarWidth = 14;
constexpr int kBarGap = 6;
constexpr int kDialSize = 112;
constexpr int kNeedleSize = 76;
constexpr int kConsumptionScale = 60;  // litres per minute for one turn

}  // namespace

TFaktData::TFaktData(QWidget* parent, SettingsRecord& settings)
    : TCompanionWindow(parent, settings, &SettingsRecord::PhysioPlacement, QStringLiteral("TFaktData")) {
    setWindowTitle(QStringLiteral("Physiol. Daten"));
    const int dialLeft = kBarsLeft + 3 * kBarWidth + 2 * kBarGap + 14;
    setFixedSize(dialLeft + kDialSize + 14, kBarsTop + kBarHeight + 38);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(4, 4, width() - 8, height() - 8);

    const QColor colours[] = {kBubbleBarColour, kTempBarColour, kWorkBarColour};
    const char* const names[] = {"BubbleBar", "TempBar", "WorkBar"};
    TBarGauge** bars[] = {&m_bubble, &m_temp, &m_work};
    for (int k = 0; k < 3; ++k) {
        auto* bar = new TBarGauge(panel, colours[k]);
        bar->setObjectName(QString::fromLatin1(names[k]));
        bar->setGeometry(kBarsLeft + k * (kBarWidth + kBarGap), kBarsTop, kBarWidth, kBarHeight);
        *bars[k] = bar;
    }
    QFont small = font();
    small.setPixelSize(10);
    struct ScaleLabel {
        const char* Name;
        const char* Text;
        int Top;
    };
    const ScaleLabel labels[] = {{"LVery", "sehr", kBarsTop - 2},
                                 {"LVeryHigh", "gross", kBarsTop + 9},
                                 {"LHigh", "gross", kBarsTop + kBarHeight / 2 - 6},
                                 {"LNormal", "normal", kBarsTop + kBarHeight - 12}};
    for (const ScaleLabel& s : labels) {
        auto* label = new QLabel(QString::fromLatin1(s.Text), panel);
        label->setObjectName(QString::fromLatin1(s.Name));
        label->setFont(small);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(0, s.Top, kBarsLeft - 4, 13);
    }
    auto* symbols = new TPictureBox(panel, ECompanionPicture::LevelSymbols);
    symbols->setObjectName(QStringLiteral("LevelImg"));
    symbols->setGeometry(kBarsLeft - 3, kBarsTop + kBarHeight + 4, 3 * kBarWidth + 2 * kBarGap + 6, 20);

    const int dialTop = kBarsTop + (kBarHeight + 24 - kDialSize) / 2;
    for (int d = 0; d < 3; ++d) {
        auto* dial = new TPictureBox(panel, DialPicture(static_cast<EDial>(d)));
        dial->setObjectName(QStringLiteral("AirConsImg%1").arg(d));
        dial->setGeometry(dialLeft, dialTop, kDialSize, kDialSize);
        dial->setVisible(d == 0);
        m_dials[static_cast<std::size_t>(d)] = dial;
    }
    m_needle = new TNeedle(panel);
    m_needle->setObjectName(QStringLiteral("AirCons"));
    m_needle->SetMax(kConsumptionScale);
    m_needle->SetRotation(TRot::A90);
    m_needle->SetColor(kNeedleColour);
    const int offset = (kDialSize - kNeedleSize) / 2;
    m_needle->setGeometry(dialLeft + offset, dialTop + offset, kNeedleSize, kNeedleSize);
    m_needle->raise();
}

int TFaktData::VisibleDial() const {
    for (std::size_t d = 0; d < m_dials.size(); ++d)
        if (!m_dials[d]->isHidden()) return static_cast<int>(d);
    return -1;
}

void TFaktData::ShowPoint(int i) {
    m_readings = ReadPhysio(Source(), i);
    m_bubble->SetValue(m_readings.Bubble);
    m_temp->SetValue(m_readings.Temp);
    m_work->SetValue(m_readings.Work);
    const int dial = static_cast<int>(m_readings.Dial);
    // A picture is switched only when another one is showing.
    if (VisibleDial() != dial) {
        for (std::size_t d = 0; d < m_dials.size(); ++d) m_dials[d]->setVisible(static_cast<int>(d) == dial);
        m_needle->raise();
    }
    m_needle->SetValue(m_readings.Needle);
}
