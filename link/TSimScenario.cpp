#include "TSimScenario.h"

#include <QFile>
#include <QRegularExpression>

namespace {

bool ParseNumber(const QString& text, long long min, long long max, long long& out) {
    bool ok = false;
    const long long v = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)
                            ? text.mid(2).toLongLong(&ok, 16)
                            : text.toLongLong(&ok, 10);
    if (!ok || v < min || v > max) return false;
    out = v;
    return true;
}

bool ParseHex(const QStringList& words, qsizetype from, std::vector<std::uint8_t>& out) {
    QString all;
    for (qsizetype i = from; i < words.size(); ++i) all += words[i];
    if (all.size() % 2 != 0) return false;
    for (qsizetype i = 0; i < all.size(); i += 2) {
        bool ok = false;
        const int b = all.mid(i, 2).toInt(&ok, 16);
        if (!ok) return false;
        out.push_back(static_cast<std::uint8_t>(b));
    }
    return true;
}

struct PacketFaultName {
    const char* name;
    TSimFaultKind kind;
};
const PacketFaultName kPacketFaults[] = {{"corrupt-xor", TSimFaultKind::CorruptXor},
                                         {"length-above-128", TSimFaultKind::LengthAbove128},
                                         {"drop", TSimFaultKind::DropPacket},
                                         {"disconnect", TSimFaultKind::Disconnect}};
const PacketFaultName kPlainFaults[] = {{"silence", TSimFaultKind::Silence},
                                        {"no-ack", TSimFaultKind::NoAck},
                                        {"no-identification", TSimFaultKind::NoIdentification},
                                        {"wrong-identification", TSimFaultKind::WrongIdentification}};

// One line of the scenario; returns the reason when it is not understood.
QString ParseLine(const QStringList& w, TSimScenario& s) {
    const QString& key = w[0];
    long long v = 0;
    auto number = [&](qsizetype i, long long min, long long max, const char* what) -> QString {
        if (i >= w.size()) return QStringLiteral("%1 missing").arg(QLatin1String(what));
        if (!ParseNumber(w[i], min, max, v))
            return QStringLiteral("%1 \"%2\" is not a number from %3 to %4")
                .arg(QLatin1String(what), w[i])
                .arg(min)
                .arg(max);
        return {};
    };
    QString e;
    if (key == QLatin1String("serial")) {
        if (!(e = number(1, 0, 0xFFFFFF, "serial number")).isEmpty()) return e;
        s.Memory.Serial = static_cast<std::uint32_t>(v);
    } else if (key == QLatin1String("hwsw")) {
        if (!(e = number(1, 0, 255, "hardware/software code")).isEmpty()) return e;
        s.Memory.HwSw = static_cast<std::uint8_t>(v);
    } else if (key == QLatin1String("clock")) {
        if (!(e = number(1, 0, 0xFFFFFFFFLL, "clock")).isEmpty()) return e;
        s.Memory.DeviceClock = static_cast<std::uint32_t>(v);
    } else if (key == QLatin1String("dive") || key == QLatin1String("dive+")) {
        std::vector<std::uint8_t> bytes;
        if (w.size() < 2 || !ParseHex(w, 1, bytes))
            return QStringLiteral("dive block: hexadecimal bytes expected");
        if (key == QLatin1String("dive")) {
            s.Memory.DiveBlocks.push_back(bytes);
        } else {
            if (s.Memory.DiveBlocks.empty()) return QStringLiteral("dive+ without a dive before it");
            auto& last = s.Memory.DiveBlocks.back();
            last.insert(last.end(), bytes.begin(), bytes.end());
        }
    } else if (key == QLatin1String("dive-make")) {
        if (!(e = number(1, 0, 0xFFFFFFFFLL, "device time")).isEmpty()) return e;
        std::vector<std::uint8_t> profile;
        if (w.size() > 2 && !ParseHex(w, 2, profile))
            return QStringLiteral("profile: hexadecimal bytes expected");
        s.Memory.DiveBlocks.push_back(TSimMemory::MakeDiveBlock(s.Memory.Serial, s.Memory.HwSw,
                                                                static_cast<std::uint32_t>(v), profile));
    } else if (key == QLatin1String("setting")) {
        if (!(e = number(1, 0, 255, "memory area")).isEmpty()) return e;
        const int area = static_cast<int>(v);
        if (!(e = number(2, 0, 0xFFFF, "address")).isEmpty()) return e;
        const auto address = static_cast<std::uint16_t>(v);
        if (!(e = number(3, 0, 255, "value")).isEmpty()) return e;
        s.Memory.SetSetting(area, address, static_cast<std::uint8_t>(v));
    } else if (key == QLatin1String("timing")) {
        if (w.size() < 2) return QStringLiteral("timing: name missing");
        if (!(e = number(2, 0, 60000, "milliseconds")).isEmpty()) return e;
        const int ms = static_cast<int>(v);
        const QString& n = w[1];
        if (n == QLatin1String("identification"))
            s.Timing.IdentificationDelayMs = ms;
        else if (n == QLatin1String("ack"))
            s.Timing.AckDelayMs = ms;
        else if (n == QLatin1String("reply"))
            s.Timing.ReplyDelayMs = ms;
        else if (n == QLatin1String("gap"))
            s.Timing.PacketGapMs = ms;
        else if (n == QLatin1String("give-up"))
            s.Timing.GiveUpMs = ms;
        else
            return QStringLiteral("unknown timing \"%1\"").arg(n);
    } else if (key == QLatin1String("line-delay")) {
        if (w.size() < 2 || (w[1] != QLatin1String("on") && w[1] != QLatin1String("off")))
            return QStringLiteral("line-delay: on or off expected");
        s.Timing.LineDelay = w[1] == QLatin1String("on");
    } else if (key == QLatin1String("fault")) {
        if (w.size() < 2) return QStringLiteral("fault: kind missing");
        const QString& kind = w[1];
        for (const auto& f : kPlainFaults)
            if (kind == QLatin1String(f.name)) {
                s.Faults.Add({f.kind, 0, 1, 0});
                return {};
            }
        if (kind == QLatin1String("error")) {
            if (!(e = number(2, 1, 255, "error code")).isEmpty()) return e;
            s.Faults.Add({TSimFaultKind::ErrorCode, 0, 1, static_cast<int>(v)});
            return {};
        }
        TSimFault fault;
        qsizetype next = 3;
        if (kind == QLatin1String("late")) {
            fault.Kind = TSimFaultKind::LatePacket;
            if (!(e = number(2, 1, 65535, "packet")).isEmpty()) return e;
            fault.Packet = static_cast<int>(v);
            if (!(e = number(3, 0, 60000, "delay")).isEmpty()) return e;
            fault.Value = static_cast<int>(v);
            next = 4;
        } else {
            bool known = false;
            for (const auto& f : kPacketFaults)
                if (kind == QLatin1String(f.name)) {
                    fault.Kind = f.kind;
                    known = true;
                }
            if (!known) return QStringLiteral("unknown fault \"%1\"").arg(kind);
            if (!(e = number(2, 1, 65535, "packet")).isEmpty()) return e;
            fault.Packet = static_cast<int>(v);
        }
        if (next < w.size()) {
            if (!(e = number(next, 1, 1000, "times")).isEmpty()) return e;
            fault.Times = static_cast<int>(v);
        }
        if (next + 1 < w.size()) return QStringLiteral("too many words");
        s.Faults.Add(fault);
    } else {
        return QStringLiteral("unknown keyword \"%1\"").arg(key);
    }
    return {};
}

}  // namespace

TScenarioResult TSimScenario::Parse(const QString& text) {
    TSimScenario s;
    const QStringList lines = text.split(QLatin1Char('\n'));
    static const QRegularExpression kSpace(QStringLiteral("\\s+"));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        const qsizetype hash = line.indexOf(QLatin1Char('#'));
        if (hash >= 0) line.truncate(hash);
        const QStringList words = line.split(kSpace, Qt::SkipEmptyParts);
        if (words.isEmpty()) continue;
        const QString why = ParseLine(words, s);
        if (!why.isEmpty()) {
            TScenarioResult failed;
            failed.Fail(QStringLiteral("line %1: %2").arg(i + 1).arg(why));
            return failed;
        }
    }
    TScenarioResult parsed;
    parsed.Scenario = std::move(s);
    return parsed;
}

TScenarioResult TSimScenario::FromFile(const QString& path) {
    QFile f(path);
    TScenarioResult r;
    if (!f.open(QIODevice::ReadOnly)) {
        r.Fail(QStringLiteral("%1: %2").arg(path, f.errorString()));
        return r;
    }
    r = Parse(QString::fromUtf8(f.readAll()));
    if (!r.Ok()) r.Fail(QStringLiteral("%1: %2").arg(path, r.ErrorText));
    return r;
}
