// Rules of the logbook commands that need no window: caption, delete, renumber proposal,
// clock, default extension.

#include <gtest/gtest.h>

#include "KelwinTestSupport.h"
#include "LogbookCommands.h"

namespace {

struct CaptionCase {
    const char* Name;
    const char* Documents;
    const char* Expected;
};

class MainCaptionTest : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(MainCaptionTest, RemovesFirstDocumentsFolderIgnoringCase) {
    const CaptionCase& c = GetParam();
    EXPECT_EQ(MainCaption(QString::fromUtf8(c.Name), QString::fromUtf8(c.Documents)),
              QString::fromUtf8(c.Expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MainCaptionTest,
    ::testing::Values(CaptionCase{"NONAME.LOG", "/home/u/Documents/", "Kelvara [NONAME.LOG]"},
                      CaptionCase{"/home/u/Documents/My Logbooks/EXAMPLE.LOG", "/home/u/Documents/",
                                  "Kelvara [My Logbooks/EXAMPLE.LOG]"},
                      CaptionCase{"/HOME/U/documents/a.log", "/home/u/Documents/", "Kelvara [a.log]"},
                      CaptionCase{"/x/home/u/Documents/home/u/Documents/b.log", "/home/u/Documents/",
                                  "Kelvara [/xhome/u/Documents/b.log]"},
                      CaptionCase{"/data/c.log", "/", "Kelvara [data/c.log]"},
                      CaptionCase{"/data/c.log", "", "Kelvara [/data/c.log]"}));

struct DeleteCase {
    const char* Name;
    std::vector<std::uint16_t> Before;
    std::vector<std::size_t> Lines;
    std::vector<std::uint16_t> After;
};

class DeleteDivesTest : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(DeleteDivesTest, KeepsOrRenumbers) {
    const DeleteCase& c = GetParam();
    auto log = Logbook(c.Before);
    DeleteDives(*log, c.Lines);
    EXPECT_EQ(Numbers(*log), c.After) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeleteDivesTest,
    ::testing::Values(DeleteCase{"lines 2 and 3 of 10..14", {10, 11, 12, 13, 14}, {1, 2}, {10, 11, 12}},
                      DeleteCase{"first line of 10..14", {10, 11, 12, 13, 14}, {0}, {10, 11, 12, 13}},
                      DeleteCase{
                          "unsorted and repeated lines", {10, 11, 12, 13, 14}, {3, 0, 3}, {10, 11, 12}},
                      DeleteCase{"all dives", {10, 11, 12}, {0, 1, 2}, {}},
                      DeleteCase{"broken numbering keeps numbers", {5, 9, 20, 21}, {1}, {5, 20, 21}},
                      DeleteCase{"wrapped numbering counts as broken", {65535, 0, 1}, {0}, {0, 1}},
                      DeleteCase{"line beyond the logbook ignored", {1, 2}, {7}, {1, 2}}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(ProposedRenumberStartTest, FirstNumberOnlyWithMoreThanOneDive) {
    EXPECT_EQ(ProposedRenumberStart(*Logbook({})), 1);
    EXPECT_EQ(ProposedRenumberStart(*Logbook({40})), 1);
    EXPECT_EQ(ProposedRenumberStart(*Logbook({40, 41})), 40);
}

struct ClockCase {
    int Units;
    QTime Time;
    const char* Am;
    const char* Pm;
    const char* Text;
    int Width;
};

class ClockTest : public ::testing::TestWithParam<ClockCase> {};

TEST_P(ClockTest, TextAndWidth) {
    const ClockCase& c = GetParam();
    const QString am = QString::fromUtf8(c.Am), pm = QString::fromUtf8(c.Pm);
    EXPECT_EQ(ClockText(c.Time, c.Units, am, pm), QString::fromUtf8(c.Text));
    EXPECT_EQ(ClockWidth(c.Units, am, pm), c.Width);
}

INSTANTIATE_TEST_SUITE_P(Cases, ClockTest,
                         ::testing::Values(ClockCase{0, QTime(0, 5, 9), "AM", "PM", "00:05:09", 72},
                                           ClockCase{0, QTime(23, 59, 59), "AM", "PM", "23:59:59", 72},
                                           ClockCase{1, QTime(0, 5, 9), "AM", "PM", "12:05:09 AM", 96},
                                           ClockCase{1, QTime(12, 0, 0), "AM", "PM", "12:00:00 PM", 96},
                                           ClockCase{1, QTime(13, 30, 0), "AM", "PM", "1:30:00 PM", 96},
                                           ClockCase{1, QTime(9, 1, 2), "vorm.", "nachm.", "9:01:02 vorm.",
                                                     128}));

TEST(WithDefaultExtensionTest, AppendsOnlyWithoutSuffix) {
    EXPECT_EQ(WithDefaultExtension("/t/trip", ".LOG"), "/t/trip.LOG");
    EXPECT_EQ(WithDefaultExtension("/t/trip.kvl", ".LOG"), "/t/trip.kvl");
    EXPECT_EQ(WithDefaultExtension("/t.d/trip", ".LOG"), "/t.d/trip.LOG");
    EXPECT_EQ(WithDefaultExtension("/t/trip", "LOG"), "/t/trip.LOG");
    EXPECT_EQ(WithDefaultExtension("/t/trip", ""), "/t/trip");
}

TEST(LogbookFullTextTest, NamesTheCountInEveryLanguage) {
    for (int language = 0; language < 5; ++language)
        EXPECT_TRUE(LogbookFullText(17, language).contains("17")) << language;
    EXPECT_EQ(LogbookFullText(3, 9), LogbookFullText(3, 0));
}

}  // namespace
