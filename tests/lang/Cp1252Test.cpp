#include <gtest/gtest.h>

#include "Cp1252.h"

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) all.append(static_cast<char>(b));
    const QString text = Cp1252ToUnicode(all);
    ASSERT_EQ(text.size(), 256);
    QByteArray back;
    EXPECT_TRUE(UnicodeToCp1252(text, back));
    EXPECT_EQ(back, all);
}

TEST(Cp1252, HighRangeDiffersFromLatin1) {
    EXPECT_EQ(Cp1252ToUnicode(QByteArray("\x80\x9C\xE9", 3)), QString::fromUtf8("€œé"));
    QByteArray out;
    EXPECT_TRUE(UnicodeToCp1252(QString::fromUtf8("Ä€“”"), out));
    EXPECT_EQ(out, QByteArray("\xC4\x80\x93\x94", 4));
}

TEST(Cp1252, CharactersOutsideTheCodePageAreRefused) {
    EXPECT_FALSE(IsCp1252Char(u'\u0141'));  // Ł
    EXPECT_FALSE(IsCp1252Text(QString::fromUtf8("Łódź")));
    EXPECT_TRUE(IsCp1252Text(QString::fromUtf8("Plongée à Málaga")));
    QByteArray out;
    EXPECT_FALSE(UnicodeToCp1252(QString::fromUtf8("aŁb"), out));
    EXPECT_EQ(out, QByteArray("ab"));
    EXPECT_EQ(UnicodeToCp1252Lossy(QString::fromUtf8("a😀b")), QByteArray("a??b"));
}
