#include "ComNumbers.h"

#include <array>

namespace {
// Device families in COM-number order, eight numbers each.
const std::array<const char*, 4> kFamilies = {"ttyS", "ttyUSB", "ttyACM", "rfcomm"};
constexpr int kPerFamily = 8;
}  // namespace

QString ComDevicePath(int com) {
    if (com < 1 || com > kMaxComNumber) return {};
    const int family = (com - 1) / kPerFamily;
    const int unit = (com - 1) % kPerFamily;
    return QStringLiteral("/dev/%1%2").arg(QLatin1String(kFamilies[family])).arg(unit);
}

int ComNumberOfDevice(const QString& nameOrPath) {
    QString name = nameOrPath;
    if (name.startsWith(QLatin1String("/dev/"))) name = name.mid(5);
    for (int f = 0; f < static_cast<int>(kFamilies.size()); ++f) {
        const QLatin1String prefix(kFamilies[f]);
        if (!name.startsWith(prefix)) continue;
        const QString rest = name.mid(prefix.size());
        if (rest.size() != 1 || !rest[0].isDigit()) continue;  // ttyS10 has no COM number
        const int unit = rest[0].digitValue();
        if (unit >= kPerFamily) continue;
        return f * kPerFamily + unit + 1;
    }
    return 0;
}

int MarkComPorts(const QStringList& deviceNames, std::array<bool, kMaxComNumber + 1>& present) {
    present.fill(false);
    int highest = 0;
    for (const QString& n : deviceNames) {
        const int com = ComNumberOfDevice(n);
        if (com == 0) continue;
        present[com] = true;
        if (com > highest) highest = com;
    }
    return highest;
}
