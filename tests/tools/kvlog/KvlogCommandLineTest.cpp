// kvlog as a Unix tool: help and version on stdout with status 0, usage errors on stderr
// with status 2, for kvlog itself and for every command it lists.

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "LogbookFile.h"
#include "TDiveCollection.h"

namespace {

struct TRun {
    int Exit = -1;
    QString Out;
    QString Err;
};

TRun Kvlog(const QStringList& args, const QString& dir = {}) {
    QProcess p;
    if (!dir.isEmpty()) p.setWorkingDirectory(dir);
    p.start(QStringLiteral(KV_BIN_DIR "/kvlog"), args);
    TRun r;
    if (!p.waitForFinished(60000)) return r;
    r.Exit = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.Out = QString::fromUtf8(p.readAllStandardOutput());
    r.Err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// The command names of "kvlog --help": the indented lines between "Commands:" and the next
// blank line.
QStringList ListedCommands() {
    const QStringList lines = Kvlog({"--help"}).Out.split('\n');
    QStringList names;
    const qsizetype start = lines.indexOf("Commands:");
    for (qsizetype i = start + 1; start >= 0 && i < lines.size() && !lines[i].isEmpty(); ++i)
        names << lines[i].trimmed().section(' ', 0, 0);
    return names;
}

TEST(KvlogCommandLine, HelpAndVersionGoToStdoutWithStatusZero) {
    const TRun help = Kvlog({"--help"});
    EXPECT_EQ(help.Exit, 0);
    EXPECT_TRUE(help.Out.startsWith("Usage: kvlog COMMAND")) << help.Out.toStdString();
    EXPECT_TRUE(help.Err.isEmpty());
    EXPECT_EQ(Kvlog({"-h"}).Out, help.Out);
    EXPECT_EQ(Kvlog({"help"}).Out, help.Out);

    const TRun version = Kvlog({"--version"});
    EXPECT_EQ(version.Exit, 0);
    EXPECT_TRUE(QRegularExpression("^kvlog \\d+\\.\\d+\\.\\d+\n$").match(version.Out).hasMatch())
        << version.Out.toStdString();
}

TEST(KvlogCommandLine, EveryCommandAnswersHelpAndRefusesAnUnknownOption) {
    const QStringList names = ListedCommands();
    for (const char* known : {"analyse", "convert", "download", "dump", "import-image", "replay"})
        EXPECT_TRUE(names.contains(known)) << known;
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const TRun help = Kvlog({name, "--help"});
        EXPECT_EQ(help.Exit, 0);
        EXPECT_TRUE(help.Out.startsWith("Usage: kvlog " + name + " ")) << help.Out.toStdString();
        EXPECT_TRUE(help.Err.isEmpty()) << help.Err.toStdString();
        EXPECT_EQ(Kvlog({name, "-h"}).Out, help.Out);
        EXPECT_EQ(Kvlog({"help", name}).Out, help.Out);

        const TRun bad = Kvlog({name, "--no-such-option"});
        EXPECT_EQ(bad.Exit, 2);
        EXPECT_TRUE(bad.Out.isEmpty()) << bad.Out.toStdString();
        EXPECT_TRUE(bad.Err.contains("no-such-option")) << bad.Err.toStdString();
        EXPECT_TRUE(bad.Err.contains("Usage: kvlog " + name)) << bad.Err.toStdString();
    }
}

TEST(KvlogCommandLine, UsageErrorsExitTwoWithTheUsageOnStderr) {
    struct TCase {
        QStringList Args;
        const char* Says;
    };
    const TCase cases[] = {
        {{}, "no command given"},
        {{"frobnicate"}, "unknown command \"frobnicate\""},
        {{"--frobnicate"}, "frobnicate"},
        {{"--version", "dump"}, "unexpected argument \"dump\""},
        {{"dump"}, "missing argument LOGBOOK"},
        {{"dump", "a.log", "b.log"}, "unexpected argument \"b.log\""},
        {{"convert", "in.log"}, "missing argument OUT"},
        {{"replay", "a.log", "1", "--tables"}, "--tables"},
        {{"replay", "a.log", "one"}, "NUMBER is not a number"},
        {{"replay", "a.log", "1", "--units", "nautical"}, "unknown unit system \"nautical\""},
        {{"dump", "--dos=yes", "a.log"}, "dos"},
        {{"download", "a.log"}, "missing option --simulate SCENARIO"},
        {{"download", "a.log", "--simulate", "x.sim", "--now", "yesterday"}, "--now"},
        {{"import-image", "a.log", "x.bin", "--renumber", "70000"}, "--renumber needs a number"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Args.join(' ').toStdString());
        const TRun r = Kvlog(c.Args);
        EXPECT_EQ(r.Exit, 2);
        EXPECT_TRUE(r.Out.isEmpty()) << r.Out.toStdString();
        EXPECT_TRUE(r.Err.contains(c.Says)) << r.Err.toStdString();
        EXPECT_TRUE(r.Err.contains("Usage: kvlog")) << r.Err.toStdString();
    }
}

TEST(KvlogCommandLine, OptionsMayStandAnywhereAndDoubleDashEndsThem) {
    QTemporaryDir dir;
    TDiveCollection log;
    log.DiveComputerId = 77;
    auto dive = std::make_unique<TDiveRec>();
    dive->DayNo = 150000;
    dive->Site = "Caf\x82";  // a DOS byte: the option changes what it reads as
    log.AddDive(std::move(dive), 0, 0);
    ASSERT_TRUE(SaveLogbookFile(dir.filePath("-odd.log"), log, true).Ok());

    const TRun after = Kvlog({"dump", "--", "-odd.log"}, dir.path());
    ASSERT_EQ(after.Exit, 0) << after.Err.toStdString();
    const TRun dos = Kvlog({"dump", "--dos", "--", "-odd.log"}, dir.path());
    ASSERT_EQ(dos.Exit, 0) << dos.Err.toStdString();
    EXPECT_NE(dos.Out, after.Out);
    EXPECT_TRUE(dos.Out.contains(QString::fromUtf8("Caf\u00E9")));

    ASSERT_TRUE(QFile::copy(dir.filePath("-odd.log"), dir.filePath("odd.log")));
    EXPECT_EQ(Kvlog({"dump", "odd.log", "--dos"}, dir.path()).Out, dos.Out);
    EXPECT_EQ(Kvlog({"dump", "--dos", "odd.log"}, dir.path()).Out, dos.Out);
    EXPECT_EQ(Kvlog({"dump", "-odd.log"}, dir.path()).Exit, 2) << "an option, not a file, without --";
}

}  // namespace
