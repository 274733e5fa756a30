#pragma once
// Dates of dives in the system's short date format, with an optional weekday abbreviation
// of the current language, and the lenient date entry of the edit and selection dialogs.
// The locale is an explicit object, so nothing depends on the machine's locale unless the
// program asks for it once at start.
//
//   SetCurrentDateFormat(TDateFormat::FromLocale(QLocale::system()));  // start-up
//   label->setText(FormatDiveDate(rec.DayNo, true));      // "Mo, 03.04.2023" in German
//   std::optional<int> day = TryParseDiveDate(edit->text());
//   if (!day) edit->setText(CurrentDateFormat().ShortDateFormat);
//   int d = ParseDiveDate(edit->text());                   // today when unreadable
//
// Day numbers count days from 1 January 1600 (QDate Julian day - 2415019 + 109571).

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

inline constexpr int kDayNoOffset = 109571;

class TDateFormat {
public:
    QLocale Locale{QLocale::c()};
    // Qt date format text, e.g. "dd.MM.yyyy".
    QString ShortDateFormat{QStringLiteral("dd.MM.yyyy")};

    // The locale's short date format made to show four-digit years.
    static TDateFormat FromLocale(const QLocale& locale);
    // From the first "y" on, the "y"/"Y" letters are counted; fewer than three get copies
    // of that first "y" inserted until there are four ("dd.MM.yy" -> "dd.MM.yyyy").
    static QString FourDigitYears(const QString& format);

    // Short month names of the locale, January first.
    QStringList ShortMonthNames() const;
};

// The format of the running program (user-interface thread only); the C locale with
// "dd.MM.yyyy" until the start-up sets it.
TDateFormat CurrentDateFormat();
void SetCurrentDateFormat(const TDateFormat& format);

QDate DateOfDayNo(int dayNo);
int DayNoOfDate(const QDate& date);

// Sunday is 0. Three letters, two in German; an index outside 0..4 uses English.
QString WeekdayAbbreviation(int dayOfWeekSundayFirst, int languageIndex);

QString FormatDiveDate(int dayNo, bool withWeekday, const TDateFormat& format, int languageIndex);
QString FormatDiveDate(int dayNo, bool withWeekday);  // current format and language

// Short month names (ignoring case) become their numbers 1..12, then the text is read as day,
// month and year in the order of the short date format; a missing year is the year of
// `today`, a two-digit year lies in the century of `today`. Empty when it is no date.
std::optional<int> TryParseDiveDate(const QString& text, const TDateFormat& format, const QDate& today);
std::optional<int> TryParseDiveDate(const QString& text);
// As above, falling back to `today`.
int ParseDiveDate(const QString& text, const TDateFormat& format, const QDate& today);
int ParseDiveDate(const QString& text);
