#include <gtest/gtest.h>

#include "RemarksMemo.h"

namespace {

TEST(RemarksMemo, RemarksBecomeTheOnlyLine) {
    EXPECT_EQ(RemarksToMemoLines(QStringLiteral("Mantas")), QStringList{"Mantas"});
}

TEST(RemarksMemo, LinesAreJoinedAndCut) {
    struct Case {
        QStringList Lines;
        QString Text;
    };
    const QString a200(200, 'a');
    const QString b100(100, 'b');
    const Case cases[] = {
        {{}, ""},
        {{"Gute ", "Sicht"}, "Gute Sicht"},
        // An empty line adds nothing when the line two further down holds text...
        {{"one", "", "two", "three"}, "onetwothree"},
        // ...and ends the text when that line is empty or missing.
        {{"one", "", "two", "", "four"}, "one"},
        {{"one", "", "two", "three", "", "five"}, "onetwothree"},
        {{"one", "", "two"}, "one"},
        {{"one", ""}, "one"},
        {{"", "x", "y"}, "xy"},
        {{a200, b100, "never"}, a200 + QString(55, 'b')},
        {{QString(255, 'c'), "more"}, QString(255, 'c')},
    };
    for (const Case& k : cases)
        EXPECT_EQ(RemarksFromMemoLines(k.Lines), k.Text) << k.Lines.join('|').toStdString();
}

}  // namespace
