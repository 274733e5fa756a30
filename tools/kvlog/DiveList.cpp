#include "DiveList.h"

#include <QStringList>
#include <utility>

#include "TDiveCollection.h"

std::optional<std::vector<std::size_t>> ChosenDives(const TDiveCollection& logbook, const QString& list,
                                                    QString* error) {
    QString compact = list;
    compact.remove(QLatin1Char(' ')).remove(QLatin1Char('\t'));
    std::vector<std::pair<long long, long long>> ranges;
    for (const QString& part : compact.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const qsizetype dash = part.indexOf(QLatin1Char('-'), 1);
        bool okFrom = false;
        bool okTo = false;
        const long long from = (dash < 0 ? part : part.left(dash)).toLongLong(&okFrom);
        const long long to = dash < 0 ? from : part.mid(dash + 1).toLongLong(&okTo);
        if (!okFrom || (dash >= 0 && !okTo) || from < 0 || to < from) {
            if (error) *error = QStringLiteral("cannot read \"%1\" in the dive list \"%2\"").arg(part, list);
            return std::nullopt;
        }
        ranges.emplace_back(from, to);
    }
    std::vector<std::size_t> chosen;
    for (std::size_t i = 0; i < logbook.Count(); ++i) {
        const long long number = logbook.At(i).DiveNumber;
        for (const auto& [from, to] : ranges) {
            if (number >= from && number <= to) {
                chosen.push_back(i);
                break;
            }
        }
    }
    return chosen;
}

std::vector<std::size_t> AllDives(const TDiveCollection& logbook) {
    std::vector<std::size_t> all(logbook.Count());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
    return all;
}
