#pragma once
// The commands of kvlog. Each command lives in its own <Name>Command.cpp, which defines
// its Run function and registers it with one static TCommandRegistrar; main.cpp looks the
// command up by name. Adding a command means adding one file (the build picks up every
// *Command.cpp of this folder).
//
//   // ReplayCommand.cpp
//   int RunReplay(const QStringList& args) { ... return 0; }
//   static const TCommandRegistrar kReplay("replay", RunReplay, "replay LOGBOOK INDEX");
//
// A command gets the arguments after its name, writes results to stdout and errors to
// stderr, and returns the exit status: kExitOk, kExitFailed (the file or device said
// no) or kExitUsage (wrong arguments).

#include <QString>
#include <QStringList>
#include <vector>

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

using CommandFunction = int (*)(const QStringList& args);

struct CommandEntry {
    const char* Name;
    CommandFunction Run;
    const char* Usage;  // arguments, e.g. "dump LOGBOOK [--dos]"
};

// All registered commands, sorted by name.
std::vector<CommandEntry> RegisteredCommands();
const CommandEntry* FindCommand(const QString& name);

class TCommandRegistrar {
public:
    TCommandRegistrar(const char* name, CommandFunction run, const char* usage);
};

int RunDump(const QStringList& args);
int RunConvert(const QStringList& args);

// Output helpers: UTF-8 text to stdout / stderr.
void PrintOut(const QString& text);
void PrintError(const QString& text);
