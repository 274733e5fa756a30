#include "TDiveComp.h"

#include <QFontDatabase>
#include <QFrame>
#include <QLabel>

#include "TCompanionWidgets.h"

namespace {

constexpr int kPanelWidth = 196;
constexpr int kPanelHeight = 84;

// Tops of the controls in the compact layout (families A and F, lower row shown) and in
// the open layout, in this order: depth and time, CNS mark, oxygen toxicity and ascent
// time, ascent arrow, maximum depth with the stop figures and unit, stop pictures, lower row.
struct TPanelTops {
    int DepthTime, Cns, ToxAsc, AscImg, Bottom, StopImg, LowerRow;
};
constexpr TPanelTops kCompact{4, 16, 24, 26, 42, 44, 64};
constexpr TPanelTops kOpen{8, 24, 32, 34, 56, 58, 64};

QLabel* MakeLabel(QWidget* parent, const char* name, const QFont& font, int left, int width,
                  Qt::Alignment align = Qt::AlignLeft) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setAlignment(align | Qt::AlignVCenter);
    label->setGeometry(left, 0, width, QFontMetrics(font).height());
    return label;
}

TPictureBox* MakePicture(QWidget* parent, const char* name, ECompanionPicture picture, QRect r) {
    auto* box = new TPictureBox(parent, picture);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(r);
    return box;
}

}  // namespace

TDiveComp::TDiveComp(QWidget* parent, SettingsRecord& settings)
    : TCompanionWindow(parent, settings, &SettingsRecord::PanelPlacement, QStringLiteral("TDiveComp")) {
    setWindowTitle(QStringLiteral("Tauchcomputer"));
    setFixedSize(kPanelWidth + 8, kPanelHeight + 8);

    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("Panel"));
    m_panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_panel->setGeometry(4, 4, kPanelWidth, kPanelHeight);
    QPalette lcd = m_panel->palette();
    lcd.setColor(QPalette::Window, kPanelBackground);
    lcd.setColor(QPalette::WindowText, kPanelInk);
    m_panel->setPalette(lcd);
    m_panel->setAutoFillBackground(true);

    QFont big = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    big.setBold(true);
    big.setPixelSize(17);
    QFont mid = big;
    mid.setPixelSize(14);
    QFont small = big;
    small.setPixelSize(12);

    m_depth = MakeLabel(m_panel, "Depth", big, 4, 70);
    m_time = MakeLabel(m_panel, "Time", big, 128, 64, Qt::AlignRight);
    m_cnsImg = MakePicture(m_panel, "CNSImg", ECompanionPicture::Cns, QRect(80, 0, 26, 9));
    m_oTox = MakeLabel(m_panel, "oTox", mid, 78, 42);
    m_ascImg = MakePicture(m_panel, "AscImg", ECompanionPicture::Ascent, QRect(134, 0, 12, 13));
    m_asc = MakeLabel(m_panel, "Asc", mid, 146, 46, Qt::AlignRight);
    m_max = MakeLabel(m_panel, "Max", mid, 4, 58);
    m_nostopImg = MakePicture(m_panel, "NostopImg", ECompanionPicture::NoStop, QRect(64, 0, 50, 14));
    m_decoStopImg = MakePicture(m_panel, "DecoStopImg", ECompanionPicture::Stop, QRect(64, 0, 36, 14));
    m_level = MakeLabel(m_panel, "Level", mid, 100, 24, Qt::AlignRight);
    m_mImg = MakePicture(m_panel, "mImg", ECompanionPicture::Metre, QRect(125, 0, 12, 16));
    m_ftImg = MakePicture(m_panel, "ftImg", ECompanionPicture::Feet, QRect(125, 0, 14, 16));
    m_deco = MakeLabel(m_panel, "Deco", mid, 146, 46, Qt::AlignRight);
    m_line = new QFrame(m_panel);
    m_line->setObjectName(QStringLiteral("Line"));
    m_line->setGeometry(3, 61, kPanelWidth - 6, 1);
    m_line->setAutoFillBackground(true);
    QPalette ink = m_line->palette();
    ink.setColor(QPalette::Window, kPanelInk);
    m_line->setPalette(ink);
    m_o2 = MakeLabel(m_panel, "O2", small, 4, 28);
    m_o2->setText(QStringLiteral("O2:"));
    m_o2Label = MakeLabel(m_panel, "O2Label", small, 32, 40);
    m_pO2Label = MakeLabel(m_panel, "pO2Label", small, 110, 80, Qt::AlignRight);
    ApplyLayout(false);
    for (QWidget* w : std::initializer_list<QWidget*>{m_nostopImg, m_decoStopImg, m_ascImg, m_mImg, m_ftImg,
                                                      m_o2, m_o2Label, m_pO2Label})
        w->hide();
}

void TDiveComp::SetTop(QWidget* control, int top) { control->move(control->x(), top); }

void TDiveComp::ApplyLayout(bool compact) {
    const TPanelTops& t = compact ? kCompact : kOpen;
    for (QWidget* w : {static_cast<QWidget*>(m_depth), static_cast<QWidget*>(m_time)}) SetTop(w, t.DepthTime);
    SetTop(m_cnsImg, t.Cns);
    SetTop(m_oTox, t.ToxAsc);
    SetTop(m_asc, t.ToxAsc);
    SetTop(m_ascImg, t.AscImg);
    for (QWidget* w : std::initializer_list<QWidget*>{m_max, m_level, m_deco, m_mImg, m_ftImg})
        SetTop(w, t.Bottom);
    SetTop(m_nostopImg, t.StopImg);
    SetTop(m_decoStopImg, t.StopImg);
    for (QWidget* w : std::initializer_list<QWidget*>{m_o2, m_o2Label, m_pO2Label}) SetTop(w, t.LowerRow);
    m_line->setVisible(compact);
    m_cnsImg->setVisible(compact);
}

void TDiveComp::ShowPoint(int i) {
    m_readings = ReadPanel(Source(), i);
    const PanelReadings& r = m_readings;
    m_panel->show();
    ApplyLayout(r.Compact);
    m_depth->setText(r.Depth);
    m_time->setText(r.Time);
    m_max->setText(r.Max);
    m_nostopImg->setVisible(r.Symbol == EStopSymbol::NoStop);
    m_decoStopImg->setVisible(r.Symbol == EStopSymbol::Stop);
    m_ascImg->setVisible(r.AscentArrow);
    m_mImg->setVisible(r.Unit == EUnitSymbol::Metre);
    m_ftImg->setVisible(r.Unit == EUnitSymbol::Feet);
    m_asc->setText(r.Asc);
    m_level->setText(r.Level);
    m_deco->setText(r.Deco);
    m_oTox->setText(r.oTox);
    for (QWidget* w : std::initializer_list<QWidget*>{m_o2, m_o2Label, m_pO2Label}) w->setVisible(r.LowerRow);
    m_o2Label->setText(r.O2);
    m_pO2Label->setText(r.pO2);
}
