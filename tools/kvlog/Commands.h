#pragma once
// The commands of kvlog. Each command lives in its own <Name>Command.cpp, which defines its
// run function and registers it with one static TCommandRegistrar; main.cpp looks the
// command up by name. Adding a command means adding one file (the build picks up every
// *Command.cpp of this folder).
//
// Declaring a command (the usual form): name, one line on what it does, its arguments and
// its options. kvlog parses the command line, answers --help, and turns an unknown option,
// a missing or surplus argument or a missing value into a usage message on stderr with
// exit status 2 before the command runs.
//
//   // PlotCommand.cpp
//   namespace {
//   int RunPlot(const TCommandLine& cmd) {
//       const QString logbook = cmd.Argument(0);            // the declared arguments, in order
//       const QString out = cmd.Value("output");            // "" when not given (or the default)
//       const bool imperial = cmd.Value("units") == QLatin1String("imperial");
//       if (!imperial && cmd.Value("units") != QLatin1String("metric"))
//           return cmd.UsageError(QStringLiteral("unknown unit system \"%1\"").arg(cmd.Value("units")));
//       if (cmd.IsSet("verbose")) ...
//       return kExitOk;
//   }
//   }  // namespace
//   static const TCommandRegistrar kPlot({
//       .Name = "plot",
//       .Summary = "Draws the depth profile of a dive as a picture.",
//       .Arguments = {{"LOGBOOK", "the logbook file"}, {"NUMBER", "the dive's number"}},
//       .Options = {{"o,output", "FILE", "write the picture to FILE", nullptr, true},  // required
//                   {"units", "metric|imperial", "unit system of the axes", "metric"},  // with default
//                   {"v,verbose", nullptr, "say what is done"}},                          // a flag
//       .Run = RunPlot,
//   });
//
//   Arguments: "NAME" is required, "[NAME]" optional, "NAME..." one or more, "[NAME...]" any
//   number; optional and repeated ones come last. The usage line is made from the
//   declaration: "plot LOGBOOK NUMBER --output FILE [--units metric|imperial] [--verbose]".
//   Options: CommandOption{names ("o,output": one-letter and long names, comma-separated;
//   the first long name is the one to ask for), value name (nullptr for a flag),
//   description, default value (nullptr for none), required}. Options may stand before,
//   between or after the arguments, as "--units imperial" or "--units=imperial"; "--" ends
//   the options.
//
// The older form stays valid: the command gets the raw arguments after its name and
// parses them itself; kvlog answers "kvlog NAME --help" with the usage line.
//
//   int RunReplay(const QStringList& args) { ... return 0; }
//   static const TCommandRegistrar kReplay("replay", RunReplay, "replay LOGBOOK INDEX");
//
// A command writes results to stdout and errors to stderr, and returns the exit status:
// kExitOk, kExitFailed (the file or device said no) or kExitUsage (wrong arguments).

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "LogbookFile.h"

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

class TCommandLine;

using CommandFunction = int (*)(const QStringList& args);
using ParsedCommandFunction = int (*)(const TCommandLine& cmd);

struct CommandArgument {
    const char* Name;  // "LOGBOOK", "[OUT]", "FILE...", "[FILE...]"
    const char* Description = "";
};

struct CommandOption {
    const char* Names;                // "units" or "o,output"
    const char* ValueName = nullptr;  // nullptr: a flag without value
    const char* Description = "";
    const char* Default = nullptr;
    bool Required = false;
};

struct CommandDeclaration {
    const char* Name;
    const char* Summary;  // one line on what the command does
    std::vector<CommandArgument> Arguments;
    std::vector<CommandOption> Options;
    ParsedCommandFunction Run = nullptr;
    const char* Details = nullptr;  // further paragraphs for --help
};

struct CommandEntry {
    CommandDeclaration Declaration;
    CommandFunction RawRun = nullptr;  // the older form: parses its own arguments
    const char* RawUsage = nullptr;    // the older form's usage line, e.g. "dump LOGBOOK [--dos]"

    QString Name() const { return QString::fromLatin1(Declaration.Name); }
    QString UsageLine() const;  // without the leading "kvlog "
    QString HelpText() const;   // what "kvlog NAME --help" prints
    // Runs the command on the arguments after its name; answers --help and usage errors.
    int Execute(const QStringList& args) const;
};

// All registered commands, sorted by name.
std::vector<const CommandEntry*> RegisteredCommands();
const CommandEntry* FindCommand(const QString& name);

class TCommandRegistrar {
public:
    explicit TCommandRegistrar(CommandDeclaration declaration);
    TCommandRegistrar(const char* name, CommandFunction run, const char* usage);
};

// The parsed command line that a command declared with CommandDeclaration gets.
class TCommandLine {
public:
    TCommandLine(const CommandEntry& command, QStringList arguments, std::vector<QStringList> values);

    // The positional arguments as given, in order.
    const QStringList& Arguments() const { return m_arguments; }
    QString Argument(qsizetype index) const { return m_arguments.value(index); }
    qsizetype ArgumentCount() const { return m_arguments.size(); }
    // name: any of the option's names, without dashes.
    bool IsSet(const char* name) const;
    QString Value(const char* name) const;       // the last value given, else the default, else ""
    QStringList Values(const char* name) const;  // every value given, in order
    // Prints "kvlog NAME: text", the usage line and a hint to --help on stderr; returns kExitUsage.
    int UsageError(const QString& text) const;

private:
    const QStringList* Given(const char* name) const;

    const CommandEntry& m_command;
    QStringList m_arguments;
    std::vector<QStringList> m_values;  // per declared option, the values given (flags: one "" per use)
};

// A command that draws text into images needs a GUI application (on the offscreen
// platform unless QT_QPA_PLATFORM says otherwise); it declares so once:
//   static const TPaintingCommand kPlotPaints("plot");
class TPaintingCommand {
public:
    explicit TPaintingCommand(const char* name);
};
bool CommandPaints(const QString& name);

// Output helpers: UTF-8 text to stdout / stderr.
void PrintOut(const QString& text);
void PrintError(const QString& text);

// Every command that rewrites a logbook saves it through this: the file is read back
// before it counts as saved, and the previous file is kept in the "Backups/" folder of
// the per-user data directory (the newest 10 per logbook name).
LogbookSaveResult SaveLogbookKeepingBackup(const QString& path, const TDiveCollection& logbook, bool dosText);
// That "Backups/" folder.
QString KvlogBackupDirectory();
