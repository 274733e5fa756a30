#include "TDateFormat.h"

#include <algorithm>
#include <vector>

#include "Language.h"

namespace {

constexpr qint64 kJulianDay18991230 = 2415019;

// Sunday first, as the dive computer's own display abbreviates them.
constexpr const char* kWeekdays[kLanguageCount][7] = {
    {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}, {"Son", "Mon", "Die", "Mit", "Don", "Fre", "Sam"},
    {"Dim", "Lun", "Mar", "Mer", "Jeu", "Ven", "Sam"}, {"Dom", "Lun", "Mar", "Mie", "Jue", "Vie", "Sab"},
    {"Dom", "Lun", "Mar", "Mer", "Gio", "Ven", "Sab"},
};

TDateFormat g_format;

enum class Field { Day, Month, Year };

// Order of day, month and year in a Qt date format; fields the format lacks go last, in the
// order day, month, year. Quoted literal text is skipped.
std::vector<Field> FieldOrder(const QString& format) {
    std::vector<Field> order;
    bool quoted = false;
    auto add = [&order](Field f) {
        if (std::find(order.begin(), order.end(), f) == order.end()) order.push_back(f);
    };
    for (QChar c : format) {
        if (c == QLatin1Char('\'')) quoted = !quoted;
        if (quoted) continue;
        if (c == QLatin1Char('d')) add(Field::Day);
        if (c == QLatin1Char('M')) add(Field::Month);
        if (c == QLatin1Char('y') || c == QLatin1Char('Y')) add(Field::Year);
    }
    add(Field::Day);
    add(Field::Month);
    add(Field::Year);
    return order;
}

// The numbers of the text, separated by blanks or punctuation; false when the text holds
// anything else (letters left over after the month names) or does not start with a digit.
bool SplitNumbers(const QString& text, std::vector<QString>& numbers) {
    const QString t = text.trimmed();
    if (t.isEmpty() || !t.at(0).isDigit()) return false;
    QString current;
    for (QChar c : t) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            current += c;
            continue;
        }
        if (c.isLetterOrNumber()) return false;
        if (!current.isEmpty()) numbers.push_back(current);
        current.clear();
    }
    if (!current.isEmpty()) numbers.push_back(current);
    return true;
}

}  // namespace

TDateFormat TDateFormat::FromLocale(const QLocale& locale) {
    TDateFormat f;
    f.Locale = locale;
    f.ShortDateFormat = FourDigitYears(locale.dateFormat(QLocale::ShortFormat));
    return f;
}

QString TDateFormat::FourDigitYears(const QString& format) {
    const qsizetype first = format.indexOf(QLatin1Char('y'));
    if (first < 0) return format;
    int count = 0;
    for (qsizetype i = first; i < format.size(); ++i)
        if (format.at(i) == QLatin1Char('y') || format.at(i) == QLatin1Char('Y')) ++count;
    if (count >= 3) return format;
    QString out = format;
    out.insert(first, QString(4 - count, QLatin1Char('y')));
    return out;
}

QStringList TDateFormat::ShortMonthNames() const {
    QStringList names;
    for (int m = 1; m <= 12; ++m) names << Locale.monthName(m, QLocale::ShortFormat);
    return names;
}

TDateFormat CurrentDateFormat() { return g_format; }

void SetCurrentDateFormat(const TDateFormat& format) { g_format = format; }

QDate DateOfDayNo(int dayNo) {
    return QDate::fromJulianDay(qint64(dayNo) - kDayNoOffset + kJulianDay18991230);
}

int DayNoOfDate(const QDate& date) {
    return static_cast<int>(date.toJulianDay() - kJulianDay18991230 + kDayNoOffset);
}

QString WeekdayAbbreviation(int dayOfWeekSundayFirst, int languageIndex) {
    const int lang = LanguageRow(languageIndex);
    const int day = ((dayOfWeekSundayFirst % 7) + 7) % 7;
    const QString name = QString::fromLatin1(kWeekdays[lang][day]);
    return lang == kGerman ? name.left(2) : name;
}

QString FormatDiveDate(int dayNo, bool withWeekday, const TDateFormat& format, int languageIndex) {
    const QDate date = DateOfDayNo(dayNo);
    QString text = format.Locale.toString(date, format.ShortDateFormat);
    if (!withWeekday) return text;
    // QDate counts Monday as 1 and Sunday as 7.
    return WeekdayAbbreviation(date.dayOfWeek() % 7, languageIndex) + QStringLiteral(", ") + text;
}

QString FormatDiveDate(int dayNo, bool withWeekday) {
    return FormatDiveDate(dayNo, withWeekday, CurrentDateFormat(), CurrentLanguage());
}

std::optional<int> TryParseDiveDate(const QString& text, const TDateFormat& format, const QDate& today) {
    // Each name also without its abbreviation dot ("Jan." typed as "Jan"); longer names go
    // first, so that no name is replaced inside a longer one.
    struct Name {
        QString Text;
        int Month;
    };
    std::vector<Name> names;
    const QStringList monthNames = format.ShortMonthNames();
    for (int i = 0; i < monthNames.size(); ++i) {
        QString n = monthNames.at(i);
        if (n.isEmpty()) continue;
        names.push_back({n, i + 1});
        if (n.endsWith(QLatin1Char('.'))) {
            n.chop(1);
            if (!n.isEmpty()) names.push_back({n, i + 1});
        }
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const Name& a, const Name& b) { return a.Text.size() > b.Text.size(); });
    QString t = text;
    for (const Name& n : names) t.replace(n.Text, QString::number(n.Month), Qt::CaseInsensitive);

    std::vector<QString> numbers;
    if (!SplitNumbers(t, numbers) || numbers.size() < 2 || numbers.size() > 3) return std::nullopt;
    for (const QString& n : numbers)
        if (n.size() > 4) return std::nullopt;

    std::vector<Field> order = FieldOrder(format.ShortDateFormat);
    if (numbers.size() == 2) order.erase(std::find(order.begin(), order.end(), Field::Year));
    int day = 0;
    int month = 0;
    int year = today.year();
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const int value = numbers[i].toInt();
        switch (order[i]) {
            case Field::Day:
                day = value;
                break;
            case Field::Month:
                month = value;
                break;
            case Field::Year:
                year = value;
                // A two-digit year lies in the current century.
                if (numbers[i].size() <= 2) year += today.year() / 100 * 100;
                break;
        }
    }
    const QDate date(year, month, day);
    if (!date.isValid()) return std::nullopt;
    return DayNoOfDate(date);
}

std::optional<int> TryParseDiveDate(const QString& text) {
    return TryParseDiveDate(text, CurrentDateFormat(), QDate::currentDate());
}

int ParseDiveDate(const QString& text, const TDateFormat& format, const QDate& today) {
    return TryParseDiveDate(text, format, today).value_or(DayNoOfDate(today));
}

int ParseDiveDate(const QString& text) {
    return ParseDiveDate(text, CurrentDateFormat(), QDate::currentDate());
}
