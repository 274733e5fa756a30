#include "TKelwinTransfer.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

#include "DownloadTexts.h"
#include "FaultTexts.h"
#include "Language.h"
#include "Messages.h"
#include "SimulatedDiveComputer.h"
#include "TComOpt.h"
#include "TCoreDownloadWindow.h"
#include "TKelvara.h"
#include "TLinkPort.h"
#include "TQtClock.h"
#include "TSimPort.h"
#include "TTransferCore.h"
#include "TTransferWin.h"

namespace {

constexpr int kOptionsMenuIndex = 3;

// The transfer window as the download command drives it. The request goes out for the
// choice the window shows; when the window then selects the remembered choice and that
// differs, it probes again and sends the request for it (DivesClick).
class TWindowDownload : public IDownloadWindow {
public:
    TWindowDownload(TTransferWin& win, std::uint16_t* interfacePort)
        : m_win(win), m_interfacePort(interfacePort) {}

    bool FindInterface(std::uint16_t& interfacePort, bool raiseRts) override {
        m_win.SetLinkSettings(m_interfacePort, raiseRts);
        return m_win.Core().FindInterface(interfacePort, true, raiseRts);
    }
    void SendRequest(TDiveChoice, std::uint32_t reference) override {
        TTransferCore& core = m_win.Core();
        m_win.SendRequest = [&core, reference](int choice) {
            ::SendRequest(core, choice >= 1 ? TDiveChoice::All : TDiveChoice::OnlyNewer, reference);
        };
        m_win.SendRequest(m_win.DiveChoice());
    }
    ModalResult ShowModal(TDiveChoice& choice) override {
        m_win.SetDiveChoice(static_cast<int>(choice));
        const ModalResult result = m_win.ShowModal();
        choice = m_win.DiveChoice() >= 1 ? TDiveChoice::All : TDiveChoice::OnlyNewer;
        return result;
    }
    bool Failed() const override { return m_win.Core().Failed(); }
    std::span<const std::uint8_t> Image() const override {
        const auto image = m_win.Core().Image();
        return image.first(std::min<std::size_t>(m_win.Core().ReceivedCount(), image.size()));
    }

private:
    TTransferWin& m_win;
    std::uint16_t* m_interfacePort;
};

// The download's questions as the logbook session asks them.
class TMainWindowPrompts : public IDownloadPrompts {
public:
    explicit TMainWindowPrompts(TLogbookSession& main) : m_main(main) {}
    bool AskRenumber(std::uint16_t& number) override { return m_main.Prompts().AskStartNumber(number); }
    void Renumbered() override { m_main.ShowLastDive(); }
    bool AskStartNumber(std::uint16_t& number) override { return m_main.Prompts().AskStartNumber(number); }
    bool AskAcceptNewComputer() override {
        return m_main.Prompts().AskYesNo(GetMessage(DownloadMessage::AcceptNewComputer));
    }
    void ShowMessage(int number, TMessageBox box) override {
        if (box == TMessageBox::Error)
            m_main.Prompts().ShowError(GetMessage(number));
        else
            m_main.Prompts().ShowInformation(GetMessage(number));
    }
    void ShowNotAdded(int count) override {
        m_main.Prompts().ShowInformation(NotAddedText(count, CurrentLanguage()));
    }
    void ShowNoNewDive() override { m_main.Prompts().ShowInformation(NoNewDiveText(CurrentLanguage())); }

private:
    TLogbookSession& m_main;
};

}  // namespace

TKelwinTransfer::TKelwinTransfer(TKelvara& main, IClock* clock, IComPort* port)
    : m_main(main), m_mainAlive(&main) {
    if (!clock) {
        m_ownClock = std::make_unique<TQtClock>();
        clock = m_ownClock.get();
    }
    if (!port) {
        m_linkPort = std::make_unique<TLinkPort>(*clock);
        port = m_linkPort.get();
    }
    m_window = new TTransferWin(*clock, *port, TTransferVariant::Kelwin, &main);
    m_comOpt = new TComOpt(m_window->Core().Com(), TTransferVariant::Kelwin, &main);

    main.SetCommandHandler(ECommand::Transfer, [this] { TransferButtonClick(); });
    main.SetCommandHandler(ECommand::SerialPort, [this] {
        bool raiseRts = m_main.Settings().RaiseRts != 0;
        if (m_comOpt->Execute(m_main.Settings().InterfacePort, &raiseRts))
            m_main.Settings().RaiseRts = raiseRts ? 1 : 0;
    });

    if (QMenu* options = main.Menu(kOptionsMenuIndex)) {
        m_simBoxItem = new QAction(QString::fromUtf8("Si&mulierte Schnittstellenbox"), options);
        m_simBoxItem->setObjectName(QStringLiteral("SimBoxItem"));
        m_simBoxItem->setCheckable(true);
        m_simBoxItem->setChecked(
            false);  // never on at start: no simulated dive reaches a logbook by accident
        m_simBoxItem->setEnabled(m_linkPort != nullptr);
        options->addAction(m_simBoxItem);
        QObject::connect(m_simBoxItem, &QAction::toggled, m_simBoxItem,
                         [this](bool checked) { SimBoxItemClick(checked); });
    }
}

TKelwinTransfer::~TKelwinTransfer() {
    // The main window may outlive this: it must not call into a released command.
    if (m_mainAlive) {
        m_main.SetCommandHandler(ECommand::Transfer, {});
        m_main.SetCommandHandler(ECommand::SerialPort, {});
    }
    delete m_simBoxItem.data();
    delete m_comOpt.data();
    delete m_window.data();
}

void TKelwinTransfer::SimBoxItemClick(bool checked) {
    if (!m_linkPort) return;
    if (checked && m_linkPort->Simulator().Box().Memory().DiveBlocks.empty())
        m_linkPort->Simulator().Box().Memory() = SimulatedDiveComputerMemory(QDateTime::currentDateTime());
    m_linkPort->SetUseSimulatedBox(checked);
}

void TKelwinTransfer::TransferButtonClick() {
    // The download talks to the logbook session; the window shows what it changes.
    TLogbookSession& session = m_main.Session();
    if (!m_window || session.Busy() || !session.Ready()) return;
    session.SetBusy(true);
    SettingsRecord& settings = session.Settings();
    TDownloadSettings link;
    link.InterfacePort = settings.InterfacePort;
    link.RaiseRts = settings.RaiseRts != 0;
    link.DiveChoice = settings.DiveChoice;
    TWindowDownload window(*m_window, &link.InterfacePort);
    TMainWindowPrompts prompts(session);
    m_last = m_command.Run(true, session.Logbook(), link, window, prompts,
                           [] { return QDateTime::currentDateTime(); });
    m_window->SetLinkSettings(nullptr, link.RaiseRts);
    settings.InterfacePort = link.InterfacePort;
    settings.DiveChoice = link.DiveChoice;
    if (m_last.Modified) session.SetModified(true);
    if (m_last.RebuildList) session.ShowLastDive();
    session.SetBusy(false);
}
