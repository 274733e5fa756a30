#include "ReadHistory.h"

#include <QFile>
#include <bit>
#include <cmath>

#include "SaveTexts.h"

namespace {

constexpr qint64 kJulianDayOf18991230 = 2415019;
constexpr double kMsPerDay = 86400000.0;

}  // namespace

double DateTimeToSerial(const QDateTime& local) {
    const double days = static_cast<double>(local.date().toJulianDay() - kJulianDayOf18991230);
    return days + local.time().msecsSinceStartOfDay() / kMsPerDay;
}

QDateTime SerialToDateTime(double serial) {
    // A damaged record may hold any double: one that is not a number or lies beyond the
    // years 1 ... 9999 gives no date instead of an integer overflow.
    constexpr double kLatestSerial = 2958466;    // 1 January 10000
    constexpr double kEarliestSerial = -693593;  // 1 January of the year 1
    if (!(serial >= kEarliestSerial && serial < kLatestSerial)) return {};
    const double days = std::floor(serial);
    const QDate date = QDate::fromJulianDay(static_cast<qint64>(days) + kJulianDayOf18991230);
    const int ms = static_cast<int>(std::lround((serial - days) * kMsPerDay));
    return QDateTime(date, QTime(0, 0)).addMSecs(ms);
}

std::array<std::uint8_t, kHistoryRecordSize> HistoryRecord(const QDateTime& when,
                                                           std::span<const std::uint8_t, 20> settings) {
    std::array<std::uint8_t, kHistoryRecordSize> r{};
    const auto bits = std::bit_cast<std::uint64_t>(DateTimeToSerial(when));
    for (int i = 0; i < 8; ++i) r[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    for (std::size_t i = 0; i < 20; ++i) r[8 + i] = settings[i];
    return r;
}

TResult AppendHistoryRecord(const QString& path, const QDateTime& when,
                            std::span<const std::uint8_t, 20> settings) {
    const auto r = HistoryRecord(when, settings);
    // The history is rewritten whole through the save routine rather than appended in
    // place: a full disk then leaves the previous history intact instead of a torn record.
    QByteArray history;
    QFile f(path);
    if (f.exists()) {
        if (!f.open(QIODevice::ReadOnly)) return TResult::Failure(ReadErrorText(path, f.errorString()));
        history = f.readAll();
        if (f.error() != QFileDevice::NoError) return TResult::Failure(ReadErrorText(path, f.errorString()));
        f.close();
    }
    history.append(reinterpret_cast<const char*>(r.data()), static_cast<qsizetype>(r.size()));
    const TSaveResult saved = SaveFile(path, history);
    return saved.Ok() ? TResult{} : TResult::Failure(SaveErrorText(saved));
}
