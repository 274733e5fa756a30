// kvlog download LOGBOOK --simulate SCENARIO [options] [--trace FILE]: the transfer
// command of the logbook program against the simulated interface box, in virtual time.
// kvlog import-image LOGBOOK IMAGE [options]: what the transfer command does after the
// window ends with OK, applied to a reply image read from a file (L word, data, XOR byte).
//
// Options answer what the windows would ask: --all ("all dives"; default "only newer
// dives"), --now YYYY-MM-DDTHH:MM:SS (the local time of the download; default now),
// --renumber N (OK with N in the numbering check; without it Cancel), --start-number N
// (OK with N when the logbook is empty; without it Cancel), --accept-new-computer (Yes
// to the other-computer question; without it No). Every message goes to stderr as
// "message N: text"; the logbook is saved only when the command changed it; the exit
// status is 0 when the command ran to its end, whatever it imported.

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <optional>
#include <string_view>

#include "Commands.h"
#include "DownloadTexts.h"
#include "FaultTexts.h"
#include "LogbookFile.h"
#include "Messages.h"
#include "SaveFile.h"
#include "TCoreDownloadWindow.h"
#include "TSimPort.h"
#include "TSimScenario.h"
#include "TTransferCommand.h"
#include "TTransferConfig.h"
#include "TTransferCore.h"
#include "TVirtualClock.h"
#include "TWireTrace.h"

namespace {

void PrintErr(const QString& line) { PrintError(line + QLatin1Char('\n')); }

struct TOptions {
    QString Logbook;
    QString Second;  // SCENARIO or IMAGE
    bool All = false;
    std::optional<QDateTime> Now;
    std::optional<std::uint16_t> Renumber;
    std::optional<std::uint16_t> StartNumber;
    bool AcceptNewComputer = false;
    QString Trace;
};

std::optional<std::uint16_t> ParseNumber(const QString& text) {
    bool ok = false;
    const uint v = text.toUInt(&ok);
    if (!ok || v > 65535) return std::nullopt;
    return static_cast<std::uint16_t>(v);
}

// Reads LOGBOOK, the second operand (--simulate's scenario for download, IMAGE for
// import-image) and the answers. Returns an error text for a usage error.
std::optional<QString> ReadOptions(const TCommandLine& cmd, bool download, TOptions& o) {
    o.Logbook = cmd.Argument(0);
    o.Second = download ? cmd.Value("simulate") : cmd.Argument(1);
    if (download) o.Trace = cmd.Value("trace");
    o.All = cmd.IsSet("all");
    o.AcceptNewComputer = cmd.IsSet("accept-new-computer");
    if (cmd.IsSet("now")) {
        const QString v = cmd.Value("now");
        const QDateTime t = QDateTime::fromString(v, QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
        if (!t.isValid()) return QStringLiteral("--now: not a date and time YYYY-MM-DDTHH:MM:SS: ") + v;
        o.Now = t;
    }
    for (const char* name : {"renumber", "start-number"}) {
        if (!cmd.IsSet(name)) continue;
        const auto n = ParseNumber(cmd.Value(name));
        if (!n) return QStringLiteral("--%1 needs a number 0 ... 65535").arg(QLatin1String(name));
        (name == std::string_view("renumber") ? o.Renumber : o.StartNumber) = n;
    }
    return std::nullopt;
}

// The windows' questions answered by the options; every message printed.
class TOptionPrompts : public IDownloadPrompts {
public:
    explicit TOptionPrompts(const TOptions& o) : m_o(o) {}
    bool AskRenumber(std::uint16_t& number) override { return Answer(m_o.Renumber, number); }
    bool AskStartNumber(std::uint16_t& number) override { return Answer(m_o.StartNumber, number); }
    bool AskAcceptNewComputer() override {
        Print(DownloadMessage::AcceptNewComputer);
        return m_o.AcceptNewComputer;
    }
    void ShowMessage(int number, TMessageBox) override { Print(number); }
    void ShowNotAdded(int count) override { PrintErr(NotAddedText(count, kEnglish)); }
    void ShowNoNewDive() override { PrintErr(NoNewDiveText(kEnglish)); }

private:
    static bool Answer(const std::optional<std::uint16_t>& given, std::uint16_t& number) {
        number = given.value_or(1);  // Cancel leaves 1, as the dialog does
        return given.has_value();
    }
    static void Print(int number) {
        PrintErr(QStringLiteral("message %1: %2").arg(number).arg(GetMessage(number, kEnglish)));
    }
    const TOptions& m_o;
};

// The steps that follow a window result of mrOk, on an image read from a file.
class TImageFileWindow : public IDownloadWindow {
public:
    explicit TImageFileWindow(QByteArray image) : m_image(std::move(image)) {}
    bool FindInterface(std::uint16_t&, bool) override { return true; }
    void SendRequest(TDiveChoice, std::uint32_t) override {}
    ModalResult ShowModal(TDiveChoice&) override { return mrOk; }
    bool Failed() const override { return false; }
    std::span<const std::uint8_t> Image() const override {
        return {reinterpret_cast<const std::uint8_t*>(m_image.constData()),
                static_cast<std::size_t>(m_image.size())};
    }

private:
    QByteArray m_image;
};

// Loads LOGBOOK (a missing file is a new, empty logbook), runs the command with the
// window, and saves the logbook when the command changed it.
int RunWithWindow(const TOptions& o, IDownloadWindow& window) {
    std::unique_ptr<TDiveCollection> logbook;
    if (QFileInfo::exists(o.Logbook)) {
        LogbookLoadResult loaded = LoadLogbookFile(o.Logbook, false);
        if (!loaded.Ok()) {
            PrintErr(loaded.Error == LogbookError::ReadError ? loaded.ErrorText
                                                             : o.Logbook + ": " + loaded.ErrorText);
            return kExitFailed;
        }
        logbook = std::move(loaded.Collection);
    } else {
        logbook = std::make_unique<TDiveCollection>();
    }

    TDownloadSettings settings;
    settings.DiveChoice = o.All ? 1 : 0;
    TOptionPrompts prompts(o);
    TTransferCommand command;
    QDateTime now = o.Now.value_or(QDateTime::currentDateTime());
    const TTransferOutcome out = command.Run(true, *logbook, settings, window, prompts, [&] { return now; });

    if (out.Modified) {
        const LogbookSaveResult saved = SaveLogbookKeepingBackup(o.Logbook, *logbook, false);
        if (!saved.Ok()) {
            PrintErr(o.Logbook + ": " + saved.ErrorText);
            return kExitFailed;
        }
    }
    PrintOut(QStringLiteral("%1 dive(s) added; logbook %2\n")
                 .arg(out.Import.Added)
                 .arg(out.Modified ? QStringLiteral("saved") : QStringLiteral("unchanged, not saved")));
    return kExitOk;
}

}  // namespace

static int RunDownloadCommand(const TCommandLine& cmd) {
    TOptions o;
    if (const auto error = ReadOptions(cmd, true, o)) return cmd.UsageError(*error);

    const TScenarioResult read = TSimScenario::FromFile(o.Second);
    if (!read.Ok()) {
        PrintErr(read.ErrorText);  // names the file and the line
        return kExitFailed;
    }
    // The trace is collected while the download runs and saved whole at its end.
    QBuffer trace;
    if (!o.Trace.isEmpty()) trace.open(QIODevice::WriteOnly);

    TVirtualClock clock;
    TSimPort sim(clock);
    sim.LoadScenario(*read.Scenario);
    std::optional<TWireTrace> tracer;
    if (trace.isOpen()) tracer.emplace(clock, sim, trace);
    IComPort& port = tracer ? static_cast<IComPort&>(*tracer) : sim;
    port.SetMirrorBytes(true);  // bit-reversed bytes on the line, as on a real port
    port.EnumComPorts();
    TTransferCore core(clock, port, TTransferConfig::Kelwin());
    TCoreDownloadWindow window(core);
    const int status = RunWithWindow(o, window);
    if (trace.isOpen()) {
        const TSaveResult saved = SaveFile(o.Trace, trace.data());
        if (!saved.Ok()) {
            PrintErr(saved.Message());
            return kExitFailed;
        }
    }
    return status;
}

static int RunImportImageCommand(const TCommandLine& cmd) {
    TOptions o;
    if (const auto error = ReadOptions(cmd, false, o)) return cmd.UsageError(*error);
    QFile file(o.Second);
    if (!file.open(QIODevice::ReadOnly)) {
        PrintErr(o.Second + ": " + file.errorString());
        return kExitFailed;
    }
    TImageFileWindow window(file.readAll());
    return RunWithWindow(o, window);
}

// download's options: the scenario, the answers to the windows' questions, the trace;
// import-image's: only the answers.
static std::vector<CommandOption> TransferOptions(bool download) {
    std::vector<CommandOption> options;
    if (download)
        options.push_back({"simulate", "SCENARIO",
                           "the scenario file of the simulated interface box and dive computer", nullptr,
                           true});
    options.insert(
        options.end(),
        {{"all", nullptr, "import all dives (default: only dives newer than the logbook's newest)"},
         {"now", "YYYY-MM-DDTHH:MM:SS", "the local time of the download (default: now)"},
         {"renumber", "N", "answer the numbering check with OK and N (default: Cancel)"},
         {"start-number", "N",
          "answer the start number question of an empty logbook with OK and N (default: Cancel)"},
         {"accept-new-computer", nullptr,
          "answer Yes when the dives come from another dive computer (default: No)"}});
    if (download)
        options.push_back(
            {"trace", "FILE", "write the bytes on the line, with their virtual times, to FILE"});
    return options;
}

static const TCommandRegistrar kDownload({
    .Name = "download",
    .Summary = "Downloads dives from the simulated interface box into the logbook, in virtual time.",
    .Arguments = {{"LOGBOOK", "the logbook file; a missing file is a new, empty logbook"}},
    .Options = TransferOptions(true),
    .Run = RunDownloadCommand,
});
static const TCommandRegistrar kImportImage({
    .Name = "import-image",
    .Summary = "Imports the dives of a reply image file (L word, data, XOR byte) as a download would.",
    .Arguments = {{"LOGBOOK", "the logbook file; a missing file is a new, empty logbook"},
                  {"IMAGE", "the reply image file"}},
    .Options = TransferOptions(false),
    .Run = RunImportImageCommand,
});
