#include "TTissData.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>

#include "TCompanionWidgets.h"

namespace {

constexpr int kScaleLeft = 38;
constexpr int kScaleTop = 10;
constexpr int kScaleHeight = 104;
constexpr int kBarWidth = 12;
constexpr int kBarGap = 4;
constexpr int kGroupGap = 8;

// The frame with three lines at 25, 50 and 75 % behind the bars.
class TTissueScale : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(QPen(QColor(128, 128, 128), 1));
        const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        p.drawRect(r);
        p.setPen(QPen(QColor(160, 160, 160), 1, Qt::DotLine));
        for (int q = 1; q <= 3; ++q) {
            const double y = r.top() + r.height() * q / 4;
            p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
        }
    }
};

int BarLeft(int j) { return kScaleLeft + 6 + j * (kBarWidth + kBarGap) + (j / 2) * kGroupGap; }

}  // namespace

TTissData::TTissData(QWidget* parent, SettingsRecord& settings)
    : TCompanionWindow(parent, settings, &SettingsRecord::TissuePlacement, QStringLiteral("TTissData")) {
    setWindowTitle(QStringLiteral("Gewebedaten"));
    const int scaleWidth = BarLeft(7) + kBarWidth + 6 - kScaleLeft;
    setFixedSize(kScaleLeft + scaleWidth + 18, kScaleTop + kScaleHeight + 34);

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(4, 4, width() - 8, height() - 8);

    auto* scale = new TTissueScale(panel);
    scale->setGeometry(kScaleLeft, kScaleTop, scaleWidth, kScaleHeight);
    QFont small = font();
    small.setPixelSize(10);
    const char* const kPercent[] = {"100 %", "75 %", "50 %", "25 %", "0 %"};
    for (int q = 0; q < 5; ++q) {
        auto* label = new QLabel(QString::fromLatin1(kPercent[q]), panel);
        label->setFont(small);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(0, kScaleTop + q * (kScaleHeight - 1) / 4 - 7, kScaleLeft - 4, 14);
    }
    for (int j = 0; j < 8; ++j) {
        auto* bar = new TBarGauge(panel);
        bar->setObjectName(QStringLiteral("T%1").arg(j));
        bar->setGeometry(BarLeft(j), kScaleTop + 1, kBarWidth, kScaleHeight - 2);
        m_bars[static_cast<std::size_t>(j)] = bar;
    }
    const char* const kGroups[][2] = {
        {"LCNS", "ZNS"}, {"LSkin", "Haut"}, {"LMuscle", "Musk."}, {"LBone", "Kno."}};
    for (int g = 0; g < 4; ++g) {
        auto* label = new QLabel(QString::fromUtf8(kGroups[g][1]), panel);
        label->setObjectName(QString::fromLatin1(kGroups[g][0]));
        label->setFont(small);
        label->setAlignment(Qt::AlignCenter);
        const int left = BarLeft(2 * g) - kBarGap;
        label->setGeometry(left, kScaleTop + kScaleHeight + 3, 2 * kBarWidth + 3 * kBarGap, 14);
    }
}

void TTissData::ShowPoint(int i) {
    m_readings = ReadTissue(Source(), i);
    for (std::size_t j = 0; j < m_bars.size(); ++j) {
        m_bars[j]->SetValue(m_readings.Bars[j].Value);
        m_bars[j]->SetColour(BarColour(m_readings.Bars[j].Colour));
    }
}
