#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include "TSimScenario.h"

TEST(SimScenario, ReadsMemoryTimingAndFaults) {
    const QString text = QStringLiteral(
        "# a dive computer with two dives\n"
        "serial 0x012345\n"
        "hwsw 0x1C\n"
        "clock 90000\n"
        "dive-make 10000 01 02 03\n"
        "dive 000001 1C 00000000000000 10270000 00 0000\n"
        "dive+ \n"
        "setting 2 0x07BC 33\n"
        "timing ack 40   # slow box\n"
        "line-delay off\n"
        "fault corrupt-xor 2 3\n"
        "fault late 1 450\n"
        "fault error 4\n"
        "fault wrong-identification\n");
    // "dive+" without bytes is an error: check it is reported with its line.
    const TScenarioResult bad = TSimScenario::Parse(text);
    EXPECT_FALSE(bad.Ok());
    EXPECT_FALSE(bad.Scenario);
    EXPECT_EQ(bad.ErrorText, QStringLiteral("line 7: dive block: hexadecimal bytes expected"));

    const TScenarioResult read =
        TSimScenario::Parse(QString(text).replace(QStringLiteral("dive+ \n"), QStringLiteral("dive+ AB\n")));
    ASSERT_TRUE(read.Ok()) << read.ErrorText.toStdString();
    const std::optional<TSimScenario>& s = read.Scenario;
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Memory.Serial, 0x012345u);
    EXPECT_EQ(s->Memory.HwSw, 0x1C);
    EXPECT_EQ(s->Memory.DeviceClock, 90000u);
    ASSERT_EQ(s->Memory.DiveBlocks.size(), 2u);
    EXPECT_EQ(s->Memory.DiveBlocks[0].size(), 21u);
    EXPECT_EQ(TSimMemory::BlockDeviceTime(s->Memory.DiveBlocks[0]), 10000u);
    EXPECT_EQ(s->Memory.DiveBlocks[0][0], 0x01);
    EXPECT_EQ(s->Memory.DiveBlocks[1].size(), 19u);
    EXPECT_EQ(TSimMemory::BlockDeviceTime(s->Memory.DiveBlocks[1]), 10000u);
    EXPECT_EQ(s->Memory.Setting(2, 0x07BC), 33);
    EXPECT_EQ(s->Timing.AckDelayMs, 40);
    EXPECT_FALSE(s->Timing.LineDelay);
    ASSERT_EQ(s->Faults.Faults().size(), 4u);
    const TSimFault* f = s->Faults.PacketFault(2, 2);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->Kind, TSimFaultKind::CorruptXor);
    EXPECT_EQ(s->Faults.PacketFault(2, 3), nullptr);  // the fourth transmission is sound
    EXPECT_EQ(s->Faults.PacketFault(1, 0)->Value, 450);
    EXPECT_EQ(s->Faults.ValueOf(TSimFaultKind::ErrorCode, 0), 4);
    EXPECT_TRUE(s->Faults.Has(TSimFaultKind::WrongIdentification));
}

struct BadLine {
    const char* text;
    const char* error;
};
class SimScenarioErrors : public ::testing::TestWithParam<BadLine> {};

TEST_P(SimScenarioErrors, NameTheLineAndTheReason) {
    const TScenarioResult r = TSimScenario::Parse(QString::fromUtf8(GetParam().text));
    EXPECT_FALSE(r.Ok());
    EXPECT_EQ(r.ErrorText.toStdString(), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimScenarioErrors,
    ::testing::Values(BadLine{"serial 0x1000000",
                              "line 1: serial number \"0x1000000\" is not a number from 0 to 16777215"},
                      BadLine{"\n\nbogus 1", "line 3: unknown keyword \"bogus\""},
                      BadLine{"dive 0A0", "line 1: dive block: hexadecimal bytes expected"},
                      BadLine{"dive ZZ", "line 1: dive block: hexadecimal bytes expected"},
                      BadLine{"fault explode 1", "line 1: unknown fault \"explode\""},
                      BadLine{"fault drop", "line 1: packet missing"},
                      BadLine{"fault drop 1 2 3", "line 1: too many words"},
                      BadLine{"fault error 0", "line 1: error code \"0\" is not a number from 1 to 255"},
                      BadLine{"timing warp 5", "line 1: unknown timing \"warp\""},
                      BadLine{"line-delay maybe", "line 1: line-delay: on or off expected"},
                      BadLine{"dive+ 00", "line 1: dive+ without a dive before it"}));

TEST(SimScenario, MissingFileIsReported) {
    const TScenarioResult r = TSimScenario::FromFile(QStringLiteral("/nonexistent/x.sim"));
    EXPECT_FALSE(r.Ok());
    EXPECT_TRUE(r.ErrorText.startsWith(QStringLiteral("/nonexistent/x.sim: ")));
}

TEST(SimScenario, TheExamplesOfTheDocumentationParse) {
    QFile doc(QStringLiteral(KV_SOURCE_DIR "/docs/simulator.md"));
    ASSERT_TRUE(doc.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(doc.readAll());
    static const QRegularExpression block(QStringLiteral("```sim\\n(.*?)```"),
                                          QRegularExpression::DotMatchesEverythingOption);
    int examples = 0;
    for (auto it = block.globalMatch(text); it.hasNext();) {
        const TScenarioResult r = TSimScenario::Parse(it.next().captured(1));
        EXPECT_TRUE(r.Ok()) << r.ErrorText.toStdString();
        ++examples;
    }
    EXPECT_GE(examples, 2);
}
