#include "DiveTexts.h"

#include "CaptionList.h"
#include "Messages.h"
#include "TDiveRec.h"

namespace {

QString TypeCaption(const char* control, int languageIndex) {
    return CaptionText(Program::Kelwin, QStringLiteral("TDiveType"), QString::fromLatin1(control),
                       CaptionKind::Caption, languageIndex);
}

// The two bits of one either/or group of the flag word.
int GroupBits(std::uint16_t flags, int shift) { return (flags >> shift) & 3; }

}  // namespace

QString DiveTypeText(std::uint16_t flags, int languageIndex) {
    QStringList parts;
    // Nitrox and SCR read the same in every language.
    switch (GroupBits(flags, 8)) {
        case 1:
            parts << QStringLiteral("Nitrox");
            break;
        case 2:
            parts << QStringLiteral("SCR");
            break;
        default:
            break;
    }
    struct Group {
        int Shift;
        const char* First;
        const char* Second;
    };
    constexpr Group kGroups[] = {{2, "Nostop", "Decomp"}, {4, "Square", "Multil"}, {6, "Fresh", "Sea"}};
    for (const Group& g : kGroups) {
        const int bits = GroupBits(flags, g.Shift);
        if (bits == 1) parts << TypeCaption(g.First, languageIndex);
        if (bits == 2) parts << TypeCaption(g.Second, languageIndex);
    }
    return parts.join(QStringLiteral(", "));
}

QString ActivityCaption(int bit, int languageIndex) {
    if (bit < 0 || bit >= kActivityCount) return {};
    return CaptionText(Program::Kelwin, QStringLiteral("TActivity"), QStringLiteral("Act%1").arg(bit),
                       CaptionKind::Caption, languageIndex);
}

QString ActivitiesText(std::uint16_t activities, const QString& other, int languageIndex) {
    QStringList parts;
    for (int bit = 0; bit < kActivityCount; ++bit)
        if (activities & (1u << bit)) parts << ActivityCaption(bit, languageIndex);
    if (!other.isEmpty()) parts << other;
    return parts.join(QStringLiteral(", "));
}

QString AlarmText(std::uint16_t deviceStatus, int languageIndex) {
    struct Alarm {
        std::uint16_t Bit;
        int Message;
    };
    constexpr Alarm kAlarms[] = {{DeviceStatusFlag::kAscentAlarm, 4},
                                 {DeviceStatusFlag::kDecompAlarm, 5},
                                 {DeviceStatusFlag::kWorkAlarm, 6},
                                 {DeviceStatusFlag::kSOS, 7}};
    QStringList parts;
    for (const Alarm& a : kAlarms)
        if (deviceStatus & a.Bit) parts << GetMessage(a.Message, languageIndex);
    return parts.join(QStringLiteral(", "));
}

QStringList AltitudeItems(int unitSystem) {
    if (unitSystem == 1)
        return {QStringLiteral(" "), QStringLiteral("0 ft ... 3000 ft"),
                QStringLiteral("3000 ft ... 5700 ft"), QStringLiteral("5700 ft ... 8800 ft"),
                QStringLiteral("8800 ft ...13300 ft")};
    return {QStringLiteral(" "), QStringLiteral("0 m... 900 m"), QStringLiteral("900 m...1750 m"),
            QStringLiteral("1750 m...2700 m"), QStringLiteral("2700 m...4000 m")};
}
