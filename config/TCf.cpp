#include "TCf.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QScreen>
#include <QScrollBar>
#include <QSplashScreen>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <utility>

#include "EncodeSettings.h"
#include "FileFilters.h"
#include "Language.h"
#include "Messages.h"
#include "ModelClass.h"
#include "PrintTexts.h"
#include "SaveFile.h"
#include "SaveTexts.h"
#include "SettingsDecoder.h"
#include "SettingsTexts.h"
#include "SimulatorTexts.h"
#include "TAboutBox.h"
#include "TCaptionRegistry.h"
#include "TComOpt.h"
#include "TLinkPort.h"
#include "TMessagePrompts.h"
#include "TOptions.h"
#include "TRadioGroup.h"
#include "TTitleFit.h"
#include "TTransferCore.h"
#include "TTransferWin.h"
#include "TWidgetCaptions.h"
#include "TeswinCommand.h"
#include "TeswinPictures.h"

namespace {

constexpr int kSplashMs = 3000;
constexpr const char* kSplashFile = "Teswin.BMP";
const char* const kDefaultFlows[4] = {"15.5", "10.4", "7.3", "5.7"};
const char* const kDosages[4] = {"32", "40", "50", "60"};

}  // namespace

TCf::TCf(TCfEnvironment env, QWidget* parent)
    : QMainWindow(parent),
      m_messageBoxes(std::make_unique<TMessagePrompts>(this, QString::fromLatin1(kCfCaption))),
      m_session(std::make_unique<TConfigSession>(std::move(env), *m_messageBoxes)) {
    setObjectName("Cf");
    setWindowTitle(QString::fromLatin1(kCfCaption));
    // Dialogs and the transfer window grow to show their titles whole in every language.
    new TTitleFit(this);
    auto* central = new QWidget(this);
    central->setObjectName("ClientArea");
    central->setFixedSize(740, 410);
    setCentralWidget(central);
    BuildMenus();
    BuildToolBar(central);
    BuildUnitsAndBuzzer(central);
    BuildBreathBox(central);
    BuildNitroxBox(central);
    BuildScrBox(central);
    BuildBatBox(central);
    FormCreate();
}

TCf::~TCf() {
    TCaptionRegistry& registry = TCaptionRegistry::Of(Program::Teswin);
    if (m_captions) registry.Unregister(m_captions.get());
    // The transfer window's protocol core holds the port, which is a member of this
    // window: the core goes first.
    delete m_transferWin;
    m_transferWin = nullptr;
}

// ---------------------------------------------------------------------------------------
// Layout

QLabel* TCf::AddLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(x, y, w > 0 ? w : l->sizeHint().width() + 40, h);
    return l;
}

QLabel* TCf::AddPanel(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* p = new QLabel(parent);
    p->setObjectName(name);
    p->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    p->setAlignment(Qt::AlignCenter);
    p->setGeometry(x, y, w, h);
    return p;
}

QScrollBar* TCf::AddScroller(QWidget* parent, const char* name, Qt::Orientation o, int max, QRect geometry) {
    auto* s = new QScrollBar(o, parent);
    s->setObjectName(name);
    s->setRange(0, max);
    s->setPageStep(1);
    s->setGeometry(geometry);
    return s;
}

void TCf::BuildMenus() {
    QMenu* dc = menuBar()->addMenu("&Dive Computer");
    dc->setObjectName("DiveComputerMenu");
    ReadItem = dc->addAction("&Read", this, &TCf::ReadBtnClick);
    ReadItem->setObjectName("ReadItem");
    WriteItem = dc->addAction("&Write", this, &TCf::WriteBtnClick);
    WriteItem->setObjectName("WriteItem");
    WriteItem->setEnabled(false);
    WakeUpItem = dc->addAction("Wake &up", this, &TCf::WakeUpBtnClick);
    WakeUpItem->setObjectName("WakeUpItem");
    PrintItem = dc->addAction("&Print", this, &TCf::PrintBtnClick);
    PrintItem->setObjectName("PrintItem");
    dc->addSeparator();
    ExitItem = dc->addAction("E&xit", this, &TCf::ExitItemClick);
    ExitItem->setObjectName("ExitItem");

    QMenu* options = menuBar()->addMenu("&Options");
    options->setObjectName("OptionsMenu");
    LanguageItem = options->addAction("&Language", this, &TCf::LanguageClick);
    LanguageItem->setObjectName("Language");
    InterfaceItem = options->addAction("&Serial Port", this, &TCf::InterfaceItemClick);
    InterfaceItem->setObjectName("InterfaceItem");
    if (LinkPort()) {
        options->addSeparator();
        SimulatorItem = options->addAction("Simulated &box");
        SimulatorItem->setObjectName("SimulatorItem");
        SimulatorItem->setCheckable(true);
        connect(SimulatorItem, &QAction::toggled, this, &TCf::SimulatorItemClick);
        ScenarioItem = options->addAction("Simulator s&cenario...", this, &TCf::ScenarioItemClick);
        ScenarioItem->setObjectName("ScenarioItem");
    }

    QMenu* help = menuBar()->addMenu("&?");
    help->setObjectName("HelpMenu");
    Info1 = help->addAction("Info...", this, &TCf::Info1Click);
    Info1->setObjectName("Info1");
}

void TCf::BuildToolBar(QWidget* central) {
    Panel1 = new QFrame(central);
    Panel1->setObjectName("Panel1");
    static_cast<QFrame*>(Panel1)->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setGeometry(0, 0, 740, 34);
    auto button = [&](const char* name, const char* hint, TToolGlyph glyph, int x, void (TCf::*slot)()) {
        auto* b = new QToolButton(Panel1);
        b->setObjectName(name);
        b->setToolTip(hint);
        b->setIcon(ToolIcon(glyph));
        b->setIconSize(QSize(24, 22));
        b->setAutoRaise(true);
        b->setGeometry(x, 2, 30, 30);
        connect(b, &QToolButton::clicked, this, slot);
        return b;
    };
    ReadBtn = button("ReadBtn", "Read", TToolGlyph::Read, 4, &TCf::ReadBtnClick);
    WriteBtn = button("WriteBtn", "Write", TToolGlyph::Write, 36, &TCf::WriteBtnClick);
    WriteBtn->setEnabled(false);
    WakeUpBtn = button("WakeUpBtn", "Wake up", TToolGlyph::WakeUp, 76, &TCf::WakeUpBtnClick);
    PrintBtn = button("PrintBtn", "Print", TToolGlyph::Print, 116, &TCf::PrintBtnClick);
    ClockPanel = new QLabel(Panel1);
    ClockPanel->setObjectName("ClockPanel");
    ClockPanel->setGeometry(4, 2, 300, 30);
    // It shows only while printing, in the buttons' place; clicks go to the buttons.
    ClockPanel->setAttribute(Qt::WA_TransparentForMouseEvents);
    ClockPanel->lower();
}

void TCf::BuildUnitsAndBuzzer(QWidget* central) {
    Units = new TRadioGroup(central);
    Units->setObjectName("Units");
    Units->setTitle("Unit system");
    Units->SetItems({"Metric", "Imperial"});
    Units->setGeometry(8, 42, 150, 66);
    Units->setEnabled(false);
    connect(Units, &TRadioGroup::Clicked, this, [this] { UnitsClick(); });
    Buzzer = new TRadioGroup(central);
    Buzzer->setObjectName("Buzzer");
    Buzzer->setTitle("Buzzer");
    Buzzer->SetItems({"Off", "On"});
    Buzzer->setGeometry(8, 114, 150, 66);
    Buzzer->setEnabled(false);
}

void TCf::BuildBreathBox(QWidget* central) {
    BreathBox = new QGroupBox("Breath settings", central);
    BreathBox->setObjectName("BreathBox");
    BreathBox->setGeometry(166, 42, 250, 200);
    ResScroller =
        AddScroller(BreathBox, "ResScroller", Qt::Vertical, TCfPositions::kResMax, {12, 24, 17, 100});
    AddLabel(BreathBox, "LTankReserve", "Tank reserve", 38, 30, 120);
    ResTxt = AddPanel(BreathBox, "ResTxt", 38, 52, 80);
    auto* tank = new QLabel(BreathBox);
    tank->setObjectName("TankPicture");
    tank->setPixmap(TankPicture(QSize(44, 100)));
    tank->setGeometry(190, 22, 44, 100);
    Pictures.push_back(tank);
    AddLabel(BreathBox, "LBreathWarning", "Breath warning", 12, 132, 160);
    Lung = AddScroller(BreathBox, "Lung", Qt::Horizontal, TCfPositions::kLungMax, {12, 152, 226, 17});
    Lung->setValue(12);
    AddLabel(BreathBox, "LInsens1", "insens.", 12, 172, 70);
    BWNum = AddLabel(BreathBox, "BWNum", "", 95, 172, 60);
    BWNum->setAlignment(Qt::AlignCenter);
    auto* sens = AddLabel(BreathBox, "LSensitive1", "sensitive", 158, 172, 80);
    sens->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(ResScroller, &QScrollBar::valueChanged, this, [this] { ResScrollerChange(); });
    connect(Lung, &QScrollBar::valueChanged, this, [this] { LungChange(); });
}

void TCf::BuildNitroxBox(QWidget* central) {
    NitroxBox = new QGroupBox("Nitrox settings", central);
    NitroxBox->setObjectName("NitroxBox");
    NitroxBox->setGeometry(166, 250, 250, 150);
    ppo2Scroller =
        AddScroller(NitroxBox, "ppo2Scroller", Qt::Vertical, TCfPositions::kPpO2Max, {12, 24, 17, 112});
    AddLabel(NitroxBox, "LPpO2Max", "pO2 max", 38, 30, 80);
    ppO2Txt = AddPanel(NitroxBox, "ppO2Txt", 38, 52, 70);
    tIniO2 = AddScroller(NitroxBox, "tIniO2", Qt::Vertical, TCfPositions::kTIniO2Max, {124, 24, 17, 112});
    LPremixReset = AddLabel(NitroxBox, "LPremixReset", "Premix reset after", 148, 30, 100);
    LPremixReset->setWordWrap(true);
    LPremixReset->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    tIniO2Panel = AddPanel(NitroxBox, "tIniO2Panel", 148, 56, 60);
    PlacePremixReset();
    connect(ppo2Scroller, &QScrollBar::valueChanged, this, [this] { ppo2ScrollerChange(); });
    connect(tIniO2, &QScrollBar::valueChanged, this, [this] { tIniO2Change(); });
}

void TCf::BuildScrBox(QWidget* central) {
    SCRBox = new QGroupBox("SCR settings", central);
    SCRBox->setObjectName("SCRBox");
    SCRBox->setGeometry(424, 42, 308, 358);
    VO2Limit = AddScroller(SCRBox, "VO2Limit", Qt::Vertical, TCfPositions::kVO2LimitMax, {12, 24, 17, 72});
    AddLabel(SCRBox, "LWorkLoad", "Work load (vvO2 max)", 38, 28, 200);
    VO2panel = AddPanel(SCRBox, "VO2panel", 38, 50, 200);
    AddLabel(SCRBox, "LSensitivity", "Sensitivity", 12, 106, 160);
    SensVO2 = AddScroller(SCRBox, "SensVO2", Qt::Horizontal, TCfPositions::kSensVO2Max, {12, 126, 226, 17});
    AddLabel(SCRBox, "LInsens2", "insens.", 12, 146, 70);
    SNum = AddLabel(SCRBox, "SNum", "", 95, 146, 60);
    SNum->setAlignment(Qt::AlignCenter);
    auto* sens = AddLabel(SCRBox, "LSensitive2", "sensitive", 158, 146, 80);
    sens->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    AddLabel(SCRBox, "LDosage", "Dosage", 44, 180, 80);
    AddLabel(SCRBox, "LVPremix", "V(Premix)", 120, 180, 90);
    AddLabel(SCRBox, "LEanMin", "EANx min.", 214, 180, 90);
    for (int i = 0; i < 4; ++i) {
        const int y = 202 + 34 * i;
        const QByteArray n = QByteArray::number(i + 1);
        AddLabel(SCRBox, QByteArray("LRow" + n).constData(), "#" + QString::number(i + 1), 12, y + 3, 28);
        D[i] = new QLineEdit(kDosages[i], SCRBox);
        D[i]->setObjectName("D" + QString::number(i + 1));
        D[i]->setReadOnly(true);
        D[i]->setStyleSheet("background: #c0c0c0;");
        D[i]->setGeometry(44, y, 40, 22);
        AddLabel(SCRBox, QByteArray("LPercent" + n).constData(), "%", 88, y + 3, 20);
        V[i] = new QLineEdit(kDefaultFlows[i], SCRBox);
        V[i]->setObjectName("V" + QString::number(i + 1));
        V[i]->setGeometry(120, y, 48, 22);
        connect(V[i], &QLineEdit::editingFinished, this, &TCf::RecalcEANs);
        AddLabel(SCRBox, QByteArray("LFlow" + n).constData(), "l/min", 172, y + 3, 40);
        EAN[i] = AddLabel(SCRBox, QByteArray("EAN" + n).constData(), "xx.x % O2", 214, y + 3, 88);
    }
    connect(VO2Limit, &QScrollBar::valueChanged, this, [this] { VO2LimitChange(); });
    connect(SensVO2, &QScrollBar::valueChanged, this, [this] { VO2Change(); });
}

void TCf::BuildBatBox(QWidget* central) {
    BatBox = new QGroupBox("Info", central);
    BatBox->setObjectName("BatBox");
    BatBox->setGeometry(8, 186, 150, 214);
    AddLabel(BatBox, "LBattery", "Battery", 10, 20, 60);
    Bat = new QProgressBar(BatBox);
    Bat->setObjectName("Bat");
    Bat->setOrientation(Qt::Vertical);
    Bat->setRange(0, 100);
    Bat->setTextVisible(false);
    Bat->setStyleSheet(
        "QProgressBar { background: red; border: 1px solid black; }"
        "QProgressBar::chunk { background: #00c000; }");
    Bat->setGeometry(14, 42, 20, 124);
    const char* scale[6] = {"100%", "80%", "60%", "40%", "20%", "0%"};
    for (int i = 0; i < 6; ++i)
        AddLabel(BatBox, QByteArray("LScale" + QByteArray::number(i)).constData(), scale[i], 38, 36 + 24 * i,
                 36);
    // Centred over the dives field and as wide as the box allows ("Tauchgänge").
    AddLabel(BatBox, "LDives", "Dives", 72, 20, 74)->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Dives = AddPanel(BatBox, "Dives", 80, 42, 60);
    auto* computer = new QLabel(BatBox);
    computer->setObjectName("ComputerPicture");
    computer->setPixmap(DiveComputerPicture(QSize(48, 64)));
    computer->setGeometry(86, 100, 48, 64);
    Pictures.push_back(computer);
}

// ---------------------------------------------------------------------------------------
// Start and end

void TCf::FormCreate() {
    m_session->LoadSettings();
    const TCfRecord& settings = m_session->Settings();
    SetCurrentLanguage(settings.LanguageIndex);
    move(settings.MainLeft, settings.MainTop);

    // Every control inside the four groups waits for a read; the pictures stay.
    for (QGroupBox* box : {BreathBox, NitroxBox, SCRBox, BatBox}) SetGroupShown(box, false);

    ShowSplash();

    m_options = new TOptions(Program::Teswin, this);
    m_aboutBox =
        new TAboutBox(DiveComputerPicture(QSize(48, 64)), QString::fromLatin1(TCfRecord::kSignature),
                      QStringLiteral("<b>Teswin</b><br>Configuration tool for Vandrel dive computers"), this);
    m_transferWin = new TTransferWin(m_session->Clock(), m_session->Port(), TTransferVariant::Teswin, this);
    m_transferWin->SetKeptPosition(QPoint(settings.TransferLeft, settings.TransferTop));
    m_comOpt = new TComOpt(m_session->Port(), TTransferVariant::Teswin, this);
    m_captions = std::make_unique<TWidgetCaptions>(this, "TCf");
    TCaptionRegistry& registry = TCaptionRegistry::Of(Program::Teswin);
    registry.Register(m_captions.get());
    ApplyLanguage(settings.LanguageIndex);
}

void TCf::ShowSplash() {
    const QString path = Environment().ExeDir + kSplashFile;
    if (!QFile::exists(path)) return;
    QPixmap picture(path);
    if (picture.isNull()) return;
    auto* splash = new QSplashScreen(picture);
    splash->setObjectName("Splash");
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    QTimer::singleShot(kSplashMs, splash, &QWidget::close);
}

void TCf::FormClose() {
    if (m_closed) return;
    m_closed = true;
    const QPoint main = pos();
    TCfRecord& settings = m_session->Settings();
    settings.MainLeft = main.x();
    settings.MainTop = main.y();
    const QPoint transfer = m_transferWin->KeptPosition();
    settings.TransferLeft = transfer.x();
    settings.TransferTop = transfer.y();
    m_session->SaveSettings();
}

void TCf::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TCf::ExitItemClick() { close(); }

QString TCf::SettingsPath() const { return m_session->SettingsPath(); }

QString TCf::HistoryPath() const { return m_session->HistoryPath(); }

TTransferCore& TCf::Core() { return m_transferWin->Core(); }

// ---------------------------------------------------------------------------------------
// Language and dialogs

void TCf::ApplyLanguage(int languageIndex) {
    if (!IsValidLanguage(languageIndex)) return;
    TCaptionRegistry::Of(Program::Teswin).ApplyLanguage(languageIndex);
    // The two items of the simulated box are this program's own addition to the
    // Options menu, so their texts are not in the caption table.
    if (SimulatorItem) SimulatorItem->setText(SimulatorText(ESimulatorText::BoxItem, languageIndex));
    if (ScenarioItem) ScenarioItem->setText(SimulatorText(ESimulatorText::ScenarioItem, languageIndex));
    // The work-load text carries a level word of the message table.
    VO2LimitChange();
    PlacePremixReset();
}

void TCf::PlacePremixReset() {
    // The caption breaks into as many lines as its language needs ("Premix zurücksetzen
    // nach" takes three); its field follows below it.
    constexpr int kLeft = 148;
    constexpr int kTop = 22;
    constexpr int kWidth = 98;
    const int height = LPremixReset->heightForWidth(kWidth);
    LPremixReset->setGeometry(kLeft, kTop, kWidth, height);
    tIniO2Panel->move(kLeft, std::max(56, kTop + height + 4));
}

void TCf::LanguageClick() {
    int chosen = Settings().LanguageIndex;
    int noUnits = 0;
    if (!m_options->Execute(chosen, noUnits) || !IsValidLanguage(chosen)) return;
    Settings().LanguageIndex = static_cast<std::uint8_t>(chosen);
    SetCurrentLanguage(chosen);
    ApplyLanguage(chosen);
}

void TCf::InterfaceItemClick() { m_comOpt->Execute(Settings().InterfacePort); }

void TCf::Info1Click() { m_aboutBox->exec(); }

void TCf::SimulatorItemClick(bool checked) {
    if (LinkPort()) LinkPort()->SetUseSimulatedBox(checked);
}

void TCf::ScenarioItemClick() {
    if (!LinkPort()) return;
    const QString path = QFileDialog::getOpenFileName(this, "Simulator scenario", Environment().ExeDir,
                                                      "Scenarios (*.sim);;All files (*)");
    if (!path.isEmpty()) LoadScenario(path);
}

bool TCf::LoadScenario(const QString& path) {
    if (!m_session->LoadScenario(path)) return false;
    SimulatorItem->setChecked(true);
    return true;
}

void TCf::SetPrompts(IPrompts* prompts) { m_session->SetPrompts(prompts ? *prompts : *m_messageBoxes); }

// ---------------------------------------------------------------------------------------
// Block and controls

void TCf::SetGroupShown(QGroupBox* box, bool shown) {
    for (QWidget* w : box->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (std::find(Pictures.begin(), Pictures.end(), w) != Pictures.end()) continue;
        w->setVisible(shown);
    }
}

void TCf::ShowBlock(const TSettingsBlock& block) {
    const TBlockView v = DecodeSettingsBlock(block);
    setWindowTitle(v.Title);
    // The model code is taken first, so that the handlers run below see the new model.
    m_modelCode = v.ModelCode;
    const QSignalBlocker b1(ResScroller), b2(Lung), b3(ppo2Scroller), b4(tIniO2), b5(VO2Limit), b6(SensVO2);
    Units->SetItemIndex(v.Positions.Units);
    Buzzer->SetItemIndex(v.Positions.Buzzer);
    ResScroller->setValue(v.Positions.Res);
    Lung->setValue(v.Positions.Lung);
    ppo2Scroller->setValue(v.Positions.PpO2);
    Bat->setValue(v.Battery);
    Dives->setText(QString::number(v.Dives));
    tIniO2->setValue(v.Positions.TIniO2);
    VO2Limit->setValue(v.Positions.VO2Limit);
    SensVO2->setValue(v.Positions.SensVO2);

    WriteBtn->setEnabled(true);
    WriteItem->setEnabled(true);
    Units->setEnabled(true);
    Buzzer->setEnabled(true);
    SetGroupShown(BatBox, true);
    SetGroupShown(BreathBox, v.BreathShown);
    SetGroupShown(NitroxBox, v.NitroxShown);
    SetGroupShown(SCRBox, v.ScrShown);
    tIniO2->setVisible(v.PremixShown);
    tIniO2Panel->setVisible(v.PremixShown);
    LPremixReset->setVisible(v.PremixShown);

    ResScrollerChange();
    LungChange();
    ppo2ScrollerChange();
    tIniO2Change();
    VO2LimitChange();  // also recomputes the minimum nitrox
    VO2Change();
}

TCfPositions TCf::Positions() const {
    TCfPositions p;
    p.Units = std::max(0, Units->ItemIndex());
    p.Buzzer = std::max(0, Buzzer->ItemIndex());
    p.Res = ResScroller->value();
    p.Lung = Lung->value();
    p.PpO2 = ppo2Scroller->value();
    p.TIniO2 = tIniO2->value();
    p.VO2Limit = VO2Limit->value();
    p.SensVO2 = SensVO2->value();
    return p;
}

std::vector<std::uint8_t> TCf::EncodeSettings() const { return ::EncodeSettings(Positions(), m_modelCode); }

void TCf::ResScrollerChange() {
    ResTxt->setText(ReserveText(ResScroller->value(), std::max(0, Units->ItemIndex())));
}

void TCf::UnitsClick() { ResScrollerChange(); }

void TCf::LungChange() { BWNum->setText(BreathWarningText(Lung->value())); }

void TCf::ppo2ScrollerChange() { ppO2Txt->setText(PpO2Text(ppo2Scroller->value())); }

void TCf::tIniO2Change() { tIniO2Panel->setText(PremixText(tIniO2->value())); }

void TCf::VO2LimitChange() {
    const int pos = VO2Limit->value();
    VO2panel->setText(WorkLoadText(pos, GetTesMessage(kMsgWorkLoadFirst + pos)));
    RecalcEANs();
}

void TCf::VO2Change() { SNum->setText(SensitivityText(SensVO2->value())); }

void TCf::RecalcEANs() {
    for (int i = 0; i < 4; ++i) EAN[i]->setText(EanText(V[i]->text(), VO2Limit->value()));
}

// ---------------------------------------------------------------------------------------
// Exchanges

TExchangeRunner TCf::Runner() {
    TExchangeRunner runner;
    runner.Close = [this] { m_transferWin->FormClose(); };  // DTR low, port closed
    runner.RunModal = [this] {
        if (!m_modalRunner) return m_transferWin->ShowModal();  // closes the port afterwards
        const ModalResult result = m_modalRunner();
        m_transferWin->FormClose();
        return result;
    };
    return runner;
}

bool TCf::Transfer(const std::vector<std::uint8_t>& packet) {
    return m_session->Exchange(Core(), packet, Runner());
}

void TCf::ReadBtnClick() {
    if (Busy()) return;
    m_transferWin->setWindowTitle(GetTesMessage(kMsgReadCaption));
    if (const auto block = m_session->Read(Core(), Runner())) ShowBlock(*block);
}

void TCf::WriteBtnClick() {
    // Before a read there is no model to encode for (the commands are disabled then).
    if (Busy() || !WriteItem->isEnabled()) return;
    m_transferWin->setWindowTitle(GetTesMessage(kMsgWriteCaption));
    if (m_session->Write(Core(), EncodeSettings(), Runner())) WriteBtn->setEnabled(false);
}

void TCf::WakeUpBtnClick() { m_session->WakeUp(Core(), Runner()); }

// ---------------------------------------------------------------------------------------
// Printing

QImage TCf::PrintImage() {
    for (QToolButton* b : {ReadBtn, WriteBtn, WakeUpBtn, PrintBtn}) b->hide();
    ClockPanel->setText(QLocale::system().toString(QTime::currentTime(), QLocale::ShortFormat));
    // The client area (tool bar and groups); the menu bar is no part of the print-out.
    QImage image = centralWidget()->grab().toImage();
    ClockPanel->clear();
    for (QToolButton* b : {ReadBtn, WriteBtn, WakeUpBtn, PrintBtn}) b->show();
    return image;
}

bool TCf::PrintTo(QPrinter& printer) { return PrintPage(printer, printer.resolution()); }

bool TCf::PrintPage(QPagedPaintDevice& device, int resolution) {
    const QImage image = PrintImage();

    QPainter painter;
    if (!painter.begin(&device)) return false;
    // Scale the screen image to the device's resolution, keeping its proportions, and
    // shrink it further only when it would not fit the page.
    const double screenDpi = std::max(1, logicalDpiX());
    double scale = resolution / screenDpi;
    const QRectF page = device.pageLayout().paintRectPixels(resolution);
    scale = std::min({scale, page.width() / image.width(), page.height() / image.height()});
    painter.drawImage(QRectF(0, 0, image.width() * scale, image.height() * scale), image);
    return painter.end();
}

TResult TCf::PrintToPdf(const QString& path) {
    // The page is made in memory and saved whole, so a full disk cannot leave half a file.
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QPdfWriter writer(&bytes);
    writer.setPageOrientation(QPageLayout::Portrait);
    writer.setTitle(QStringLiteral("Teswin"));
    if (!PrintPage(writer, writer.resolution()))
        return TResult::Failure(PrintText(EPrintText::DocumentNotStarted, CurrentLanguage()).arg(path));
    const TSaveResult saved = SaveFile(path, bytes.data());
    if (saved.Ok()) return {};
    return TResult::Failure(QStringLiteral("%1: %2").arg(path, SaveReasonText(saved)));
}

void TCf::PrintBtnClick() {
    const int language = CurrentLanguage();
    TResult printed;
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // No system printer: the page goes to a PDF file of the user's choice.
        const QString path = QFileDialog::getSaveFileName(
            this, PrintText(EPrintText::PdfDialogTitle, language), Environment().DataDir + "Teswin.pdf",
            QtFileFilter(PrintText(EPrintText::PdfFilter, language)));
        if (path.isEmpty()) return;
        printed = PrintToPdf(path);
    } else {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageOrientation(QPageLayout::Portrait);
        if (!PrintTo(printer))
            printed.Fail(QStringLiteral("%1: %2").arg(printer.printerName(),
                                                      PrintText(EPrintText::PageNotTaken, language)));
    }
    if (!printed.Ok())
        m_session->Prompts().ShowError(
            FormatMessage(PrintText(EPrintText::PrintFailed, language), printed.ErrorText));
}
