// kvlog: command-line companion of the logbook program. "kvlog COMMAND ARGS...".

#include <QCoreApplication>

#include "Commands.h"

namespace {
void PrintUsage() {
    QString text = QStringLiteral("Usage: kvlog COMMAND [ARGUMENTS]\nCommands:\n");
    for (const CommandEntry& c : RegisteredCommands())
        text += QStringLiteral("  kvlog %1\n").arg(QLatin1String(c.Usage));
    PrintError(text);
}
}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h")) {
        PrintUsage();
        return args.isEmpty() ? kExitUsage : kExitOk;
    }
    const QString name = args.takeFirst();
    const CommandEntry* command = FindCommand(name);
    if (!command) {
        PrintError(QStringLiteral("kvlog: unknown command \"%1\"\n").arg(name));
        PrintUsage();
        return kExitUsage;
    }
    return command->Run(args);
}
