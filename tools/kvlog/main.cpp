// kvlog: command-line companion of the logbook program. "kvlog COMMAND ARGS...".

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <memory>

#include "Commands.h"

namespace {

QString Overview() {
    std::vector<std::pair<QString, QString>> rows;
    qsizetype width = 0;
    for (const CommandEntry* c : RegisteredCommands()) {
        // The older form has no summary; its usage line says what it takes.
        rows.emplace_back(
            c->Name(), c->Declaration.Summary ? QString::fromUtf8(c->Declaration.Summary) : c->UsageLine());
        width = std::max(width, c->Name().size());
    }
    QString text = QStringLiteral(
        "Usage: kvlog COMMAND [ARGUMENTS] [OPTIONS]\n"
        "       kvlog --help | --version\n\n"
        "The command-line companion of the Kelwin logbook: reads, converts and analyses logbook "
        "files.\n\nCommands:\n");
    for (const auto& [name, summary] : rows)
        text += QStringLiteral("  %1   %2\n").arg(name, -static_cast<int>(width)).arg(summary);
    text += QStringLiteral(
        "\nOptions:\n"
        "  -h, --help   show this help\n"
        "  --version    show the version of kvlog\n\n"
        "Run \"kvlog COMMAND --help\" for a command's arguments and options.\n");
    return text;
}

int UsageError(const QString& text) {
    PrintError(QStringLiteral("kvlog: %1\nUsage: kvlog COMMAND [ARGUMENTS] [OPTIONS]\n"
                              "Run \"kvlog --help\" for the commands.\n")
                   .arg(text));
    return kExitUsage;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Commands that paint text need fonts, so a GUI application; off screen unless the
    // caller chose a platform. The others stay free of any display.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && CommandPaints(QString::fromLocal8Bit(argv[1]))) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("kvlog"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KV_VERSION));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty()) return UsageError(QStringLiteral("no command given"));

    // Options of kvlog itself stand before the command; everything after the command is its own.
    const QString first = args.takeFirst();
    if (first.startsWith(QLatin1Char('-')) && first != QLatin1String("-")) {
        QCommandLineParser parser;
        const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
        const QCommandLineOption version(QStringLiteral("version"));
        parser.addOption(help);
        parser.addOption(version);
        if (!parser.parse({QStringLiteral("kvlog"), first})) return UsageError(parser.errorText());
        if (!args.isEmpty())
            return UsageError(QStringLiteral("unexpected argument \"%1\"").arg(args.first()));
        if (parser.isSet(version)) {
            PrintOut(QStringLiteral("kvlog %1\n").arg(QCoreApplication::applicationVersion()));
        } else {
            PrintOut(Overview());
        }
        return kExitOk;
    }
    if (first == QLatin1String("help")) {
        // "kvlog help [COMMAND]", as a shell user may type it.
        if (args.isEmpty()) {
            PrintOut(Overview());
            return kExitOk;
        }
        const CommandEntry* command = FindCommand(args.first());
        if (!command) return UsageError(QStringLiteral("unknown command \"%1\"").arg(args.first()));
        PrintOut(command->HelpText());
        return kExitOk;
    }
    const CommandEntry* command = FindCommand(first);
    if (!command) return UsageError(QStringLiteral("unknown command \"%1\"").arg(first));
    return command->Execute(args);
}
