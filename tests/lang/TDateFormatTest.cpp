#include <gtest/gtest.h>

#include "Language.h"
#include "TDateFormat.h"

namespace {

TDateFormat Make(QLocale::Language lang, QLocale::Territory territory, const char* format) {
    TDateFormat f;
    f.Locale = QLocale(lang, territory);
    f.ShortDateFormat = QString::fromLatin1(format);
    return f;
}

const TDateFormat kGermanFormat = Make(QLocale::German, QLocale::Germany, "dd.MM.yyyy");
const TDateFormat kUsFormat = Make(QLocale::English, QLocale::UnitedStates, "M/d/yyyy");
const TDateFormat kIsoFormat = Make(QLocale::English, QLocale::UnitedKingdom, "yyyy-MM-dd");
const TDateFormat kMonthNameFormat = Make(QLocale::English, QLocale::UnitedKingdom, "dd-MMM-yyyy");
const TDateFormat kFrenchNameFormat = Make(QLocale::French, QLocale::France, "d MMM yyyy");
const QDate kToday(2023, 7, 14);

TEST(DayNumbers, CountFromTheFirstOfJanuary1600) {
    EXPECT_EQ(DayNoOfDate(QDate(1600, 1, 1)), 0);
    EXPECT_EQ(DayNoOfDate(QDate(1899, 12, 30)), kDayNoOffset);
    EXPECT_EQ(DateOfDayNo(kDayNoOffset), QDate(1899, 12, 30));
    for (int d = 140000; d < 160000; d += 97) ASSERT_EQ(DayNoOfDate(DateOfDayNo(d)), d);
}

TEST(FourDigitYears, WidensShortYearFields) {
    const struct {
        const char* In;
        const char* Out;
    } cases[] = {{"dd.MM.yy", "dd.MM.yyyy"},   {"M/d/yy", "M/d/yyyy"}, {"yy-MM-dd", "yyyy-MM-dd"},
                 {"dd.MM.yyyy", "dd.MM.yyyy"}, {"d/M/y", "d/M/yyyy"},  {"dd MMM", "dd MMM"},
                 {"dd.MM.yyy", "dd.MM.yyy"}};
    for (const auto& c : cases)
        EXPECT_EQ(TDateFormat::FourDigitYears(QString::fromLatin1(c.In)), QString::fromLatin1(c.Out)) << c.In;
}

TEST(FourDigitYears, AppliedWhenTakenFromALocale) {
    const TDateFormat f = TDateFormat::FromLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(f.ShortDateFormat.contains(QLatin1String("yyyy"))) << f.ShortDateFormat.toStdString();
    EXPECT_EQ(f.Locale.language(), QLocale::German);
}

TEST(FormatDiveDate, WeekdayAbbreviationsPerLanguage) {
    // 3 April 2023 was a Monday.
    const int day = DayNoOfDate(QDate(2023, 4, 3));
    const char* expected[kLanguageCount] = {"Mon, 03.04.2023", "Mo, 03.04.2023", "Lun, 03.04.2023",
                                            "Lun, 03.04.2023", "Lun, 03.04.2023"};
    for (int lang = 0; lang < kLanguageCount; ++lang)
        EXPECT_EQ(FormatDiveDate(day, true, kGermanFormat, lang), QString::fromLatin1(expected[lang]));
    EXPECT_EQ(FormatDiveDate(day, false, kGermanFormat, kGerman), QStringLiteral("03.04.2023"));
    EXPECT_EQ(FormatDiveDate(day, false, kUsFormat, kEnglish), QStringLiteral("4/3/2023"));
    EXPECT_EQ(FormatDiveDate(day, true, kUsFormat, 9), QStringLiteral("Mon, 4/3/2023"));  // damaged index
}

TEST(FormatDiveDate, EveryWeekdayInEveryLanguage) {
    const char* names[kLanguageCount][7] = {{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"},
                                            {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"},
                                            {"Dim", "Lun", "Mar", "Mer", "Jeu", "Ven", "Sam"},
                                            {"Dom", "Lun", "Mar", "Mie", "Jue", "Vie", "Sab"},
                                            {"Dom", "Lun", "Mar", "Mer", "Gio", "Ven", "Sab"}};
    const int sunday = DayNoOfDate(QDate(2023, 4, 2));
    for (int lang = 0; lang < kLanguageCount; ++lang)
        for (int d = 0; d < 7; ++d) {
            const QString text = FormatDiveDate(sunday + d, true, kIsoFormat, lang);
            EXPECT_TRUE(text.startsWith(QString::fromLatin1(names[lang][d]) + QStringLiteral(", 2023-04-0")))
                << text.toStdString();
        }
}

TEST(FormatDiveDate, MonthNamesComeFromTheGivenLocale) {
    const int day = DayNoOfDate(QDate(2004, 3, 3));
    EXPECT_EQ(FormatDiveDate(day, false, kMonthNameFormat, kEnglish), QStringLiteral("03-Mar-2004"));
    EXPECT_EQ(FormatDiveDate(day, false, kFrenchNameFormat, kFrench), QString::fromUtf8("3 mars 2004"));
}

struct DateCase {
    const char* Label;
    const TDateFormat* Format;
    const char* Text;
    QDate Expected;  // invalid = no date
};

void PrintTo(const DateCase& c, std::ostream* os) { *os << c.Label << " \"" << c.Text << "\""; }

class ParseDateTest : public testing::TestWithParam<DateCase> {};

TEST_P(ParseDateTest, ReadsTheDayNumber) {
    const DateCase& c = GetParam();
    const std::optional<int> day = TryParseDiveDate(QString::fromUtf8(c.Text), *c.Format, kToday);
    if (!c.Expected.isValid()) {
        EXPECT_FALSE(day.has_value()) << DateOfDayNo(day.value_or(0)).toString().toStdString();
        EXPECT_EQ(ParseDiveDate(QString::fromUtf8(c.Text), *c.Format, kToday), DayNoOfDate(kToday));
        return;
    }
    ASSERT_TRUE(day.has_value());
    EXPECT_EQ(DateOfDayNo(*day), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDateTest,
    testing::Values(DateCase{"de", &kGermanFormat, "03.04.2023", QDate(2023, 4, 3)},
                    DateCase{"de", &kGermanFormat, "3.4.2023", QDate(2023, 4, 3)},
                    DateCase{"de", &kGermanFormat, "3.4.", QDate(2023, 4, 3)},
                    DateCase{"de", &kGermanFormat, "3.4.04", QDate(2004, 4, 3)},
                    DateCase{"de", &kGermanFormat, " 29.02.2024 ", QDate(2024, 2, 29)},
                    DateCase{"de", &kGermanFormat, "3. März 2004", QDate(2004, 3, 3)},
                    DateCase{"de", &kGermanFormat, "3.MÄRZ.2004", QDate(2004, 3, 3)},
                    DateCase{"de", &kGermanFormat, "3. Dez. 2004", QDate(2004, 12, 3)},
                    DateCase{"de", &kGermanFormat, "3 dez 2004", QDate(2004, 12, 3)},
                    DateCase{"us", &kUsFormat, "4/3/2023", QDate(2023, 4, 3)},
                    DateCase{"us", &kUsFormat, "Apr 3 2023", QDate(2023, 4, 3)},
                    DateCase{"iso", &kIsoFormat, "2023-04-03", QDate(2023, 4, 3)},
                    DateCase{"iso", &kIsoFormat, "04-03", QDate(2023, 4, 3)},
                    DateCase{"name", &kMonthNameFormat, "3 Mar 2004", QDate(2004, 3, 3)},
                    DateCase{"name", &kMonthNameFormat, "03-mar-2004", QDate(2004, 3, 3)},
                    DateCase{"name", &kMonthNameFormat, "11-Nov-1999", QDate(1999, 11, 11)},
                    DateCase{"fr", &kFrenchNameFormat, "3 mars 2004", QDate(2004, 3, 3)},
                    DateCase{"fr", &kFrenchNameFormat, "14 juil. 2023", QDate(2023, 7, 14)},
                    DateCase{"fr", &kFrenchNameFormat, "1 juin 2023", QDate(2023, 6, 1)},
                    // Not a date: the caller gets no value, the fallback is today.
                    DateCase{"de", &kGermanFormat, "", QDate()},
                    DateCase{"de", &kGermanFormat, "dd.MM.yyyy", QDate()},
                    DateCase{"de", &kGermanFormat, "31.02.2023", QDate()},
                    DateCase{"de", &kGermanFormat, "13.13.2023", QDate()},
                    DateCase{"de", &kGermanFormat, "3", QDate()},
                    DateCase{"de", &kGermanFormat, "1.2.3.4", QDate()},
                    DateCase{"de", &kGermanFormat, "-3.4.2023", QDate()},
                    DateCase{"de", &kGermanFormat, "3.4.20231", QDate()},
                    DateCase{"us", &kUsFormat, "Mon, 4/3/2023", QDate()},
                    DateCase{"name", &kMonthNameFormat, "3 Foo 2004", QDate()}));

TEST(ParseDate, RoundTripsFormattedDatesInSeveralLocales) {
    const TDateFormat* formats[] = {&kGermanFormat, &kUsFormat, &kIsoFormat, &kMonthNameFormat,
                                    &kFrenchNameFormat};
    for (const TDateFormat* f : formats)
        for (int d = DayNoOfDate(QDate(1990, 1, 1)); d < DayNoOfDate(QDate(2030, 1, 1)); d += 37) {
            const QString text = FormatDiveDate(d, false, *f, kEnglish);
            ASSERT_EQ(TryParseDiveDate(text, *f, kToday), std::optional<int>(d)) << text.toStdString();
        }
}

TEST(ParseDate, CurrentFormatIsSettable) {
    const TDateFormat saved = CurrentDateFormat();
    SetCurrentDateFormat(kUsFormat);
    SetCurrentLanguage(kGerman);
    const int day = DayNoOfDate(QDate(2023, 4, 3));
    EXPECT_EQ(FormatDiveDate(day, true), QStringLiteral("Mo, 4/3/2023"));
    EXPECT_EQ(TryParseDiveDate(QStringLiteral("4/3/2023")), std::optional<int>(day));
    SetCurrentLanguage(kEnglish);
    SetCurrentDateFormat(saved);
}

}  // namespace
