#pragma once
// The configuration tool without its window: the settings file, the serial port (the
// program's own link port with its simulated box, or a port given by a test) and clock,
// and the exchanges with the dive computer (read, write, wake-up) with their outcomes.
// Failures are reported through the prompts; the window shows the settings read.
//
//   TConfigSession session({DataDirectory(), ExeDir(), &clock}, prompts);
//   session.LoadSettings();
//   TTransferCore core(session.Clock(), session.Port(), TeswinConfig());
//   if (auto block = session.Read(core, runner)) ShowBlock(*block);

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "IPrompts.h"
#include "ModalResult.h"
#include "TCfRecord.h"
#include "TSettingsBlock.h"

class IClock;
class IComPort;
class TLinkPort;
class TTransferCore;

struct TCfEnvironment {
    QString DataDir;           // where CF.DSK and MemData.HST live, with a trailing "/"
    QString ExeDir;            // the program's folder (marker files, Teswin.BMP), trailing "/"
    IClock* Clock = nullptr;   // the link layer's clock
    IComPort* Port = nullptr;  // a port for tests; the program uses its own link port
};

// How the window runs an exchange: modally, closing the port when it ends (the transfer
// window, or the protocol core's own loop in tests), and how it closes the port when no
// exchange could start.
struct TExchangeRunner {
    std::function<ModalResult()> RunModal;
    std::function<void()> Close;
};

class TConfigSession {
public:
    // `prompts` outlives the session (or is replaced before it ends).
    TConfigSession(TCfEnvironment env, IPrompts& prompts);
    ~TConfigSession();
    TConfigSession(const TConfigSession&) = delete;
    TConfigSession& operator=(const TConfigSession&) = delete;

    void SetPrompts(IPrompts& prompts) { m_prompts = &prompts; }
    IPrompts& Prompts() { return *m_prompts; }

    IClock& Clock() { return *m_env.Clock; }
    // The line carries every byte with its bit order reversed.
    IComPort& Port() { return *m_port; }
    // The program's own link port (null when a test gave its own port).
    TLinkPort* LinkPort() { return m_linkPort.get(); }
    const TCfEnvironment& Environment() const { return m_env; }
    TCfRecord& Settings() { return m_settings; }
    QString SettingsPath() const;
    QString HistoryPath() const;

    // Start-up: reads CF.DSK; without one the language comes from the marker files.
    void LoadSettings();
    // Close: writes CF.DSK; false with the reason shown when it could not be written.
    bool SaveSettings();

    // True while an exchange runs; commands that arrive then are ignored.
    bool Busy() const { return m_busy; }
    // One exchange of a command packet; true when it succeeded. The interface box not
    // found, an aborted exchange (battery), a broken reply and the dive computer's refusal
    // are reported; Cancel is the user's own choice and reported as nothing.
    bool Exchange(TTransferCore& core, const std::vector<std::uint8_t>& packet,
                  const TExchangeRunner& runner);
    // Reads the settings block and appends it to the read history; nothing when the read
    // failed (reported) or an exchange runs already.
    std::optional<TSettingsBlock> Read(TTransferCore& core, const TExchangeRunner& runner);
    // Writes the write list; true when the dive computer took it.
    bool Write(TTransferCore& core, const std::vector<std::uint8_t>& writeList,
               const TExchangeRunner& runner);
    bool WakeUp(TTransferCore& core, const TExchangeRunner& runner);

    // The simulated box of the program's own port takes its dive computer (model, settings,
    // faults) from a scenario file; false with the reason shown when it cannot be read.
    bool LoadScenario(const QString& path);

private:
    TCfEnvironment m_env;
    IPrompts* m_prompts;
    std::unique_ptr<TLinkPort> m_linkPort;
    IComPort* m_port = nullptr;
    TCfRecord m_settings;
    bool m_busy = false;
};
