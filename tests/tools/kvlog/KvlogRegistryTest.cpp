// The two ways of declaring a kvlog command, run in-process: what a command gets from the
// parsed command line, and what the older, self-parsing form still gets.

#include <cstdio>

#include <gtest/gtest.h>

#include "Commands.h"

namespace {

QStringList g_seen;  // what the last test command saw

int RunLegacy(const QStringList& args) {
    g_seen = args;
    return args.contains("wrong") ? kExitUsage : kExitOk;
}

int RunCopy(const TCommandLine& cmd) {
    g_seen = cmd.Arguments();
    g_seen << QString::number(cmd.Values("verbose").size()) << cmd.Value("mode")
           << cmd.Values("tag").join('+') << (cmd.IsSet("m") ? "mode-given" : "mode-default");
    return kExitOk;
}

const TCommandRegistrar kLegacy("zz-legacy", RunLegacy, "zz-legacy FILE [--flag]");
const TCommandRegistrar kCopy({
    .Name = "zz-copy",
    .Summary = "Copies files.",
    .Arguments = {{"TARGET", "where to"}, {"[SOURCE...]", "what"}},
    .Options = {{"v,verbose", nullptr, "say more"},
                {"m,mode", "MODE", "how", "fast"},
                {"t,tag", "TAG", "a tag; may be given more than once"}},
    .Run = RunCopy,
});

struct TCaptured {
    int Exit;
    std::string Out;
    std::string Err;
};

TCaptured Execute(const char* name, const QStringList& args) {
    g_seen.clear();
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int exit = FindCommand(name)->Execute(args);
    std::fflush(stdout);
    std::fflush(stderr);
    std::string out = testing::internal::GetCapturedStdout();
    return {exit, out, testing::internal::GetCapturedStderr()};
}

TEST(KvlogRegistry, TheParsedFormGetsArgumentsValuesDefaultsAndRepeats) {
    TCaptured r = Execute("zz-copy", {"-vv", "dest", "a", "--tag=x", "b", "-t", "y", "--verbose"});
    EXPECT_EQ(r.Exit, 0) << r.Err;
    EXPECT_EQ(g_seen, QStringList({"dest", "a", "b", "3", "fast", "x+y", "mode-default"}));

    r = Execute("zz-copy", {"dest", "--mode", "slow", "-m", "careful"});
    EXPECT_EQ(g_seen, QStringList({"dest", "0", "careful", "", "mode-given"})) << "the last value counts";

    r = Execute("zz-copy", {});
    EXPECT_EQ(r.Exit, kExitUsage);
    EXPECT_TRUE(g_seen.isEmpty()) << "the command does not run on a usage error";
    EXPECT_NE(r.Err.find("missing argument TARGET"), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find("Usage: kvlog zz-copy TARGET [SOURCE...] [--verbose] [--mode MODE] [--tag TAG]"),
              std::string::npos)
        << r.Err;

    r = Execute("zz-copy", {"dest", "--mode"});
    EXPECT_EQ(r.Exit, kExitUsage);
    EXPECT_TRUE(g_seen.isEmpty());
}

TEST(KvlogRegistry, HelpListsArgumentsOptionsAndDefaults) {
    const TCaptured r = Execute("zz-copy", {"dest", "--help"});
    EXPECT_EQ(r.Exit, 0);
    EXPECT_TRUE(g_seen.isEmpty());
    EXPECT_TRUE(r.Err.empty());
    EXPECT_EQ(r.Out.rfind("Usage: kvlog zz-copy TARGET [SOURCE...]", 0), 0u) << r.Out;
    for (const char* line :
         {"\nCopies files.\n", "  SOURCE...   what\n", "  -m, --mode MODE   how (default: fast)\n",
          "  -v, --verbose     say more\n", "  -h, --help        show this help\n"})
        EXPECT_NE(r.Out.find(line), std::string::npos) << line << " in\n" << r.Out;
}

TEST(KvlogRegistry, TheOlderFormParsesItsOwnArgumentsAndGetsHelpFromItsUsageLine) {
    TCaptured r = Execute("zz-legacy", {"f.log", "--flag", "-x"});
    EXPECT_EQ(r.Exit, 0);
    EXPECT_EQ(g_seen, QStringList({"f.log", "--flag", "-x"}));

    r = Execute("zz-legacy", {"f.log", "--help"});
    EXPECT_EQ(r.Exit, 0);
    EXPECT_TRUE(g_seen.isEmpty());
    EXPECT_EQ(r.Out, "Usage: kvlog zz-legacy FILE [--flag]\n");

    r = Execute("zz-legacy", {"--", "--help"});
    EXPECT_EQ(g_seen, QStringList({"--", "--help"})) << "after -- it is an argument";

    r = Execute("zz-legacy", {"wrong"});
    EXPECT_EQ(r.Exit, kExitUsage);
    EXPECT_NE(r.Err.find("kvlog zz-legacy --help"), std::string::npos) << r.Err;
}

}  // namespace
