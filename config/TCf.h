#pragma once
// The configuration tool's main window: reads the dive computer's settings through the
// interface box, shows them for editing, writes them back, wakes a blocked dive
// computer up and prints itself. All exchanges run through the Teswin transfer window
// (the link protocol in its Teswin configuration) on the given clock.
//
//   TQtClock clock;
//   TCf cf({DataDirectory(), ExeDir(), &clock});
//   cf.show();
//
// Tests pass a virtual clock and a port of their own (the simulated box or a scripted
// one), and prompts of their own instead of message boxes:
//
//   TCf cf({dir, dir, &clock, &simPort});
//   cf.SetPrompts(&recordedMessages);
//   cf.ReadBtnClick();

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "IPrompts.h"
#include "ModalResult.h"
#include "TCfPositions.h"
#include "TCfRecord.h"
#include "TConfigSession.h"
#include "TSettingsBlock.h"

class IClock;
class IComPort;
class QAction;
class QLabel;
class QLineEdit;
class QImage;
class QPagedPaintDevice;
class QPrinter;
class QProgressBar;
class QScrollBar;
class QToolButton;
class QGroupBox;
class TAboutBox;
class TComOpt;
class TLinkPort;
class TOptions;
class TRadioGroup;
class TTransferCore;
class TTransferWin;
class TWidgetCaptions;

class TCf : public QMainWindow {
    Q_OBJECT
public:
    explicit TCf(TCfEnvironment env, QWidget* parent = nullptr);
    ~TCf() override;

    // Messages go to these prompts (which outlive the window); null: message boxes.
    void SetPrompts(IPrompts* prompts);
    // How the transfer window runs modally; tests in virtual time run the protocol
    // core's modal loop instead of a window event loop.
    using TModalRunner = std::function<ModalResult()>;
    void SetModalRunner(TModalRunner runner) { m_modalRunner = std::move(runner); }

    // Block -> controls, after a successful read.
    void ShowBlock(const TSettingsBlock& block);
    // Controls -> write list for the model of the last read.
    std::vector<std::uint8_t> EncodeSettings() const;
    TCfPositions Positions() const;
    std::uint8_t ModelCode() const { return m_modelCode; }

    // Display handlers.
    void ResScrollerChange();
    void UnitsClick();
    void LungChange();
    void ppo2ScrollerChange();
    void tIniO2Change();
    void VO2LimitChange();
    void VO2Change();
    void RecalcEANs();

    // Commands.
    void ReadBtnClick();
    void WriteBtnClick();
    void WakeUpBtnClick();
    void PrintBtnClick();
    void LanguageClick();
    void InterfaceItemClick();
    void Info1Click();
    void ExitItemClick();
    // Options menu: the simulated box takes the place of the serial ports while checked;
    // a scenario file sets its dive computer (model, settings, faults). False with the
    // reason shown when the file cannot be read.
    bool LoadScenario(const QString& path);
    // The exchange of one command packet; true when it succeeded.
    bool Transfer(const std::vector<std::uint8_t>& packet);
    bool Busy() const { return m_session->Busy(); }
    // Prints the window's image on one page of the printer.
    bool PrintTo(QPrinter& printer);
    // The page as a PDF file, saved whole or not at all; false with the path and the
    // platform's reason when it could not be written.
    TResult PrintToPdf(const QString& path);
    // What is printed: the client area as shown, with the clock's time in place of the
    // tool buttons.
    QImage PrintImage();

    void ApplyLanguage(int languageIndex);
    // Places the premix reset caption and its field below it for the caption's length.
    void PlacePremixReset();
    TConfigSession& Session() { return *m_session; }
    TCfRecord& Settings() { return m_session->Settings(); }
    const TCfEnvironment& Environment() const { return m_session->Environment(); }
    QString SettingsPath() const;
    QString HistoryPath() const;
    TTransferWin& TransferWin() { return *m_transferWin; }
    TTransferCore& Core();
    // The program's own link port (null when a test gave its own port).
    TLinkPort* LinkPort() { return m_session->LinkPort(); }
    // FormClose: stores the window positions and writes CF.DSK.
    void FormClose();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TExchangeRunner Runner();
    bool PrintPage(QPagedPaintDevice& device, int resolution);
    void FormCreate();
    void BuildMenus();
    void BuildToolBar(QWidget* central);
    void BuildUnitsAndBuzzer(QWidget* central);
    void BuildBreathBox(QWidget* central);
    void BuildNitroxBox(QWidget* central);
    void BuildScrBox(QWidget* central);
    void BuildBatBox(QWidget* central);
    void ShowSplash();
    void SetGroupShown(QGroupBox* box, bool shown);
    void SimulatorItemClick(bool checked);
    void ScenarioItemClick();
    QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int w = -1,
                     int h = 16);
    QLabel* AddPanel(QWidget* parent, const char* name, int x, int y, int w, int h = 22);
    QScrollBar* AddScroller(QWidget* parent, const char* name, Qt::Orientation o, int max, QRect geometry);

    TTransferWin* m_transferWin = nullptr;
    TComOpt* m_comOpt = nullptr;
    TOptions* m_options = nullptr;
    TAboutBox* m_aboutBox = nullptr;
    std::unique_ptr<TWidgetCaptions> m_captions;
    std::unique_ptr<IPrompts> m_messageBoxes;
    // Declared after the message boxes it reports through by default.
    std::unique_ptr<TConfigSession> m_session;
    TModalRunner m_modalRunner;
    std::uint8_t m_modelCode = 0;
    bool m_closed = false;

    // Controls, named as in the caption lists (objectName); tests find them by that name.
    QWidget* Panel1 = nullptr;
    QLabel* ClockPanel = nullptr;
    QToolButton* ReadBtn = nullptr;
    QToolButton* WriteBtn = nullptr;
    QToolButton* WakeUpBtn = nullptr;
    QToolButton* PrintBtn = nullptr;
    QAction* ReadItem = nullptr;
    QAction* WriteItem = nullptr;
    QAction* WakeUpItem = nullptr;
    QAction* PrintItem = nullptr;
    QAction* ExitItem = nullptr;
    QAction* LanguageItem = nullptr;
    QAction* InterfaceItem = nullptr;
    QAction* SimulatorItem = nullptr;
    QAction* ScenarioItem = nullptr;
    QAction* Info1 = nullptr;
    TRadioGroup* Units = nullptr;
    TRadioGroup* Buzzer = nullptr;
    QGroupBox* BreathBox = nullptr;
    QScrollBar* ResScroller = nullptr;
    QLabel* ResTxt = nullptr;
    QScrollBar* Lung = nullptr;
    QLabel* BWNum = nullptr;
    QGroupBox* NitroxBox = nullptr;
    QScrollBar* ppo2Scroller = nullptr;
    QLabel* ppO2Txt = nullptr;
    QScrollBar* tIniO2 = nullptr;
    QLabel* tIniO2Panel = nullptr;
    QLabel* LPremixReset = nullptr;
    QGroupBox* SCRBox = nullptr;
    QScrollBar* VO2Limit = nullptr;
    QLabel* VO2panel = nullptr;
    QScrollBar* SensVO2 = nullptr;
    QLabel* SNum = nullptr;
    std::array<QLineEdit*, 4> D{};
    std::array<QLineEdit*, 4> V{};
    std::array<QLabel*, 4> EAN{};
    QGroupBox* BatBox = nullptr;
    QProgressBar* Bat = nullptr;
    QLabel* Dives = nullptr;
    std::vector<QWidget*> Pictures;
};
