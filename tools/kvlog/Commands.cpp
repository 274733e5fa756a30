#include "Commands.h"

#include <QCommandLineParser>
#include <algorithm>
#include <cstdio>
#include <deque>

#include "Startup.h"

namespace {

// Function-local so registrars in other translation units may run in any order; a deque
// keeps the entries in place while later registrars append.
std::deque<CommandEntry>& Registry() {
    static std::deque<CommandEntry> commands;
    return commands;
}

void Write(std::FILE* to, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), to);
}

QStringList OptionNames(const CommandOption& o) {
    return QString::fromLatin1(o.Names).split(QLatin1Char(','), Qt::SkipEmptyParts);
}

// The first long name, else the first name: "o,output" -> "output".
QString MainName(const CommandOption& o) {
    const QStringList names = OptionNames(o);
    for (const QString& n : names)
        if (n.size() > 1) return n;
    return names.value(0);
}

QString Dashed(const QString& name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QString OptionSyntax(const CommandOption& o) {
    QString s = Dashed(MainName(o));
    if (o.ValueName) s += QLatin1Char(' ') + QLatin1String(o.ValueName);
    return s;
}

struct TArgumentShape {
    bool Optional;
    bool Repeated;
};

TArgumentShape Shape(const CommandArgument& a) {
    const QString n = QString::fromLatin1(a.Name);
    return {n.startsWith(QLatin1Char('[')), n.contains(QLatin1String("..."))};
}

// Help lines of the form "  left   text", the texts aligned in one column.
QString Table(const std::vector<std::pair<QString, QString>>& rows) {
    qsizetype width = 0;
    for (const auto& [left, text] : rows) width = std::max(width, left.size());
    QString out;
    for (const auto& [left, text] : rows) {
        out += QStringLiteral("  ") + left;
        if (!text.isEmpty()) out += QString(width - left.size() + 3, QLatin1Char(' ')) + text;
        out += QLatin1Char('\n');
    }
    return out;
}

bool AsksForHelp(const QStringList& args) {
    for (const QString& a : args) {
        if (a == QLatin1String("--")) return false;
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) return true;
    }
    return false;
}

int PrintUsageError(const CommandEntry& c, const QString& text) {
    QString out;
    if (!text.isEmpty()) out += QStringLiteral("kvlog %1: %2\n").arg(c.Name(), text);
    out +=
        QStringLiteral("Usage: kvlog %1\nRun \"kvlog %2 --help\" for more.\n").arg(c.UsageLine(), c.Name());
    PrintError(out);
    return kExitUsage;
}

}  // namespace

TCommandRegistrar::TCommandRegistrar(CommandDeclaration declaration) {
    Registry().push_back(CommandEntry{std::move(declaration), nullptr, nullptr});
}

TCommandRegistrar::TCommandRegistrar(const char* name, CommandFunction run, const char* usage) {
    Registry().push_back(
        CommandEntry{CommandDeclaration{name, nullptr, {}, {}, nullptr, nullptr}, run, usage});
}

namespace {
std::vector<const char*>& PaintingCommands() {
    static std::vector<const char*> names;
    return names;
}
}  // namespace

TPaintingCommand::TPaintingCommand(const char* name) { PaintingCommands().push_back(name); }

bool CommandPaints(const QString& name) {
    for (const char* n : PaintingCommands())
        if (name == QLatin1String(n)) return true;
    return false;
}

std::vector<const CommandEntry*> RegisteredCommands() {
    std::vector<const CommandEntry*> sorted;
    for (const CommandEntry& c : Registry()) sorted.push_back(&c);
    std::sort(sorted.begin(), sorted.end(),
              [](const CommandEntry* a, const CommandEntry* b) { return a->Name() < b->Name(); });
    return sorted;
}

const CommandEntry* FindCommand(const QString& name) {
    for (const CommandEntry& c : Registry())
        if (name == QLatin1String(c.Declaration.Name)) return &c;
    return nullptr;
}

QString CommandEntry::UsageLine() const {
    if (RawUsage) return QString::fromLatin1(RawUsage);
    QString line = Name();
    for (const CommandArgument& a : Declaration.Arguments) line += QLatin1Char(' ') + QLatin1String(a.Name);
    for (const CommandOption& o : Declaration.Options) {
        const QString s = OptionSyntax(o);
        line += QLatin1Char(' ') + (o.Required ? s : QLatin1Char('[') + s + QLatin1Char(']'));
    }
    return line;
}

QString CommandEntry::HelpText() const {
    QString out = QStringLiteral("Usage: kvlog %1\n").arg(UsageLine());
    if (Declaration.Summary)
        out += QLatin1Char('\n') + QString::fromUtf8(Declaration.Summary) + QLatin1Char('\n');
    if (Declaration.Details)
        out += QLatin1Char('\n') + QString::fromUtf8(Declaration.Details) + QLatin1Char('\n');
    if (RawUsage) return out;
    if (!Declaration.Arguments.empty()) {
        std::vector<std::pair<QString, QString>> rows;
        for (const CommandArgument& a : Declaration.Arguments)
            rows.emplace_back(QString::fromLatin1(a.Name).remove(QLatin1Char('[')).remove(QLatin1Char(']')),
                              QString::fromUtf8(a.Description));
        out += QStringLiteral("\nArguments:\n") + Table(rows);
    }
    std::vector<std::pair<QString, QString>> rows;
    for (const CommandOption& o : Declaration.Options) {
        QStringList dashed;
        for (const QString& n : OptionNames(o)) dashed << Dashed(n);
        QString left = dashed.join(QStringLiteral(", "));
        if (o.ValueName) left += QLatin1Char(' ') + QLatin1String(o.ValueName);
        QString text = QString::fromUtf8(o.Description);
        if (o.Required) text += QStringLiteral(" (required)");
        if (o.Default) text += QStringLiteral(" (default: %1)").arg(QString::fromUtf8(o.Default));
        rows.emplace_back(left, text);
    }
    rows.emplace_back(QStringLiteral("-h, --help"), QStringLiteral("show this help"));
    return out + QStringLiteral("\nOptions:\n") + Table(rows);
}

int CommandEntry::Execute(const QStringList& args) const {
    if (RawRun) {
        // The older form parses its own arguments; only --help is answered here.
        if (AsksForHelp(args)) {
            PrintOut(HelpText());
            return kExitOk;
        }
        const int status = RawRun(args);
        if (status == kExitUsage)
            PrintError(QStringLiteral("Run \"kvlog %1 --help\" for more.\n").arg(Name()));
        return status;
    }

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(help);
    std::vector<QCommandLineOption> options;
    for (const CommandOption& o : Declaration.Options) {
        QCommandLineOption option(OptionNames(o), QString::fromUtf8(o.Description));
        if (o.ValueName) option.setValueName(QString::fromLatin1(o.ValueName));
        options.push_back(option);
        parser.addOption(option);
    }
    if (!parser.parse(QStringList{QStringLiteral("kvlog")} + args))
        return PrintUsageError(*this, parser.errorText());
    if (parser.isSet(help)) {
        PrintOut(HelpText());
        return kExitOk;
    }

    std::vector<QStringList> values;
    for (std::size_t i = 0; i < options.size(); ++i) {
        const CommandOption& o = Declaration.Options[i];
        if (!parser.isSet(options[i])) {
            if (o.Required)
                return PrintUsageError(*this, QStringLiteral("missing option %1").arg(OptionSyntax(o)));
            values.emplace_back();
        } else if (o.ValueName) {
            values.push_back(parser.values(options[i]));
        } else {
            // A flag given n times counts n; QCommandLineParser keeps no values for flags.
            const QStringList names = OptionNames(o);
            const auto uses = std::count_if(parser.optionNames().cbegin(), parser.optionNames().cend(),
                                            [&names](const QString& n) { return names.contains(n); });
            values.emplace_back(QStringList(uses, QString()));
        }
    }

    const QStringList positional = parser.positionalArguments();
    qsizetype required = 0;
    bool unbounded = false;
    for (const CommandArgument& a : Declaration.Arguments) {
        const TArgumentShape shape = Shape(a);
        if (!shape.Optional) ++required;
        unbounded = unbounded || shape.Repeated;
    }
    if (positional.size() < required) {
        const CommandArgument& missing = Declaration.Arguments[static_cast<std::size_t>(positional.size())];
        return PrintUsageError(*this,
                               QStringLiteral("missing argument %1")
                                   .arg(QString::fromLatin1(missing.Name).remove(QLatin1String("..."))));
    }
    if (!unbounded && positional.size() > static_cast<qsizetype>(Declaration.Arguments.size()))
        return PrintUsageError(*this,
                               QStringLiteral("unexpected argument \"%1\"")
                                   .arg(positional[static_cast<qsizetype>(Declaration.Arguments.size())]));

    return Declaration.Run(TCommandLine(*this, positional, std::move(values)));
}

TCommandLine::TCommandLine(const CommandEntry& command, QStringList arguments,
                           std::vector<QStringList> values)
    : m_command(command), m_arguments(std::move(arguments)), m_values(std::move(values)) {}

const QStringList* TCommandLine::Given(const char* name) const {
    const QString wanted = QString::fromLatin1(name);
    for (std::size_t i = 0; i < m_command.Declaration.Options.size(); ++i)
        if (OptionNames(m_command.Declaration.Options[i]).contains(wanted)) return &m_values[i];
    // Asking for an option that was never declared is a fault of the command's code.
    qFatal("kvlog %s: option \"%s\" is not declared", m_command.Declaration.Name, name);
}

bool TCommandLine::IsSet(const char* name) const { return !Given(name)->isEmpty(); }

QString TCommandLine::Value(const char* name) const {
    const QStringList* given = Given(name);
    if (!given->isEmpty()) return given->last();
    for (const CommandOption& o : m_command.Declaration.Options)
        if (OptionNames(o).contains(QString::fromLatin1(name)) && o.Default)
            return QString::fromUtf8(o.Default);
    return {};
}

QStringList TCommandLine::Values(const char* name) const { return *Given(name); }

int TCommandLine::UsageError(const QString& text) const { return PrintUsageError(m_command, text); }

void PrintOut(const QString& text) { Write(stdout, text); }
void PrintError(const QString& text) { Write(stderr, text); }

QString KvlogBackupDirectory() { return BackupDirectory(DataDir(SpecialFolder(kFolderAppData), ExeDir())); }

LogbookSaveResult SaveLogbookKeepingBackup(const QString& path, const TDiveCollection& logbook,
                                           bool dosText) {
    TLogbookSaveOptions how;
    how.BackupDir = KvlogBackupDirectory();
    return SaveLogbookFile(path, logbook, dosText, how);
}
