// kvlog dump LOGBOOK [--dos]: the logbook as JSON, each dive under its record field names.
// The JSON is written dive by dive as the file is walked, so a logbook of any size dumps
// in little memory.

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <span>
#include <string>

#include "Commands.h"
#include "Cp1252.h"
#include "LogbookStream.h"

namespace {

// The JSON string text of one Windows-1252 byte, as UTF-8: quotes, backslashes and the
// usual controls escaped by letter, other controls (C0, DEL, C1) as \u00XX.
std::string JsonFragment(std::uint8_t byte) {
    const char ch = static_cast<char>(byte);
    const char16_t c = Cp1252ToUnicode(std::string_view(&ch, 1)).at(0).unicode();
    switch (c) {
        case u'"':
            return "\\\"";
        case u'\\':
            return "\\\\";
        case u'\n':
            return "\\n";
        case u'\r':
            return "\\r";
        case u'\t':
            return "\\t";
        default:
            if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
                return buf;
            }
            return QString(QChar(c)).toUtf8().toStdString();
    }
}

// Formats dives into one buffer that goes to stdout whenever it has grown large.
class TJsonOut {
public:
    TJsonOut() {
        for (int b = 0; b < 256; ++b)
            m_text[static_cast<std::size_t>(b)] = JsonFragment(static_cast<std::uint8_t>(b));
        m_buf.reserve(kFlushAt + std::size_t{64} * 1024);
    }

    void Raw(std::string_view s) { m_buf.append(s); }
    void Number(std::int64_t v) {
        char digits[24];
        const auto r = std::to_chars(digits, digits + sizeof digits, v);
        m_buf.append(digits, r.ptr);
    }
    void Field(std::string_view key, std::int64_t v) {
        Key(key);
        Number(v);
    }
    void Field(std::string_view key, const QByteArray& cp1252) {
        Key(key);
        m_buf += '"';
        for (const char c : cp1252) m_buf += m_text[static_cast<std::uint8_t>(c)];
        m_buf += '"';
    }
    void Hex(std::string_view key, std::span<const std::uint8_t> bytes) {
        static constexpr char kDigits[] = "0123456789abcdef";
        Key(key);
        m_buf += '"';
        const std::size_t at = m_buf.size();
        m_buf.resize(at + 2 * bytes.size());
        char* p = m_buf.data() + at;
        for (const std::uint8_t b : bytes) {
            *p++ = kDigits[b >> 4];
            *p++ = kDigits[b & 0xF];
        }
        m_buf += '"';
    }
    void FirstField() { m_first = true; }
    void MaybeFlush() {
        if (m_buf.size() >= kFlushAt) Flush();
    }
    // False when stdout refused the bytes (a full disk, a closed pipe).
    bool Flush() {
        if (!m_buf.empty() && std::fwrite(m_buf.data(), 1, m_buf.size(), stdout) != m_buf.size())
            m_failed = true;
        m_buf.clear();
        return !m_failed;
    }
    bool Finish() { return Flush() && std::fflush(stdout) == 0 && !m_failed; }

private:
    static constexpr std::size_t kFlushAt = std::size_t{256} * 1024;

    void Key(std::string_view key) {
        m_buf += m_first ? "\n      \"" : ",\n      \"";
        m_first = false;
        m_buf += key;
        m_buf += "\": ";
    }

    std::array<std::string, 256> m_text;
    std::string m_buf;
    bool m_first = true;
    bool m_failed = false;
};

void WriteDive(TJsonOut& out, const TDiveRec& d) {
    out.Raw("    {");
    out.FirstField();
    out.Field("DayNo", d.DayNo);
    out.Field("StartTime", d.StartTime);
    out.Field("Location", d.Location);
    out.Field("Site", d.Site);
    out.Field("AltitudeRange", d.AltitudeRange);
    out.Field("SurfaceInterval", d.SurfaceInterval);
    out.Field("Weather", d.Weather);
    out.Field("AirTemperature", d.AirTemperature);
    out.Field("Suit", d.Suit);
    out.Field("TankSize", d.TankSize);
    out.Field("MaxDepth", d.MaxDepth);
    out.Field("DiveTime", d.DiveTime);
    out.Field("MinWaterTemp", d.MinWaterTemp);
    out.Field("AirConsumption", d.AirConsumption);
    out.Field("DiveType", d.DiveType);
    out.Field("Activities", d.Activities);
    out.Field("OtherActivity", d.OtherActivity);
    out.Field("Buddies", d.Buddies);
    out.Field("Remarks", d.Remarks);
    out.Field("DeviceStatus", d.DeviceStatus);
    out.Field("DiveNumber", d.DiveNumber);
    out.Field("DeviceTime", d.DeviceTime);
    out.Field("HwSw", d.HwSw);
    out.Field("Analysed", d.Analysed);
    out.Field("StopInfo", d.StopInfo);
    out.Field("Reserved", d.Reserved);
    if (d.HasProfile()) {
        out.Hex("ProfileBlock", d.ProfileBlock);
    } else {
        out.Raw(",\n      \"ProfileBlock\": null");
    }
    out.Raw("\n    }");
}

int RunDump(const TCommandLine& cmd) {
    TJsonOut out;
    std::size_t written = 0;
    const LogbookStreamResult r = StreamLogbookFile(
        cmd.Argument(0), cmd.IsSet("dos"),
        [&out](const LogbookStreamHeader& h) {
            out.Raw("{\n  \"DiveComputerId\": ");
            out.Number(h.DiveComputerId);
            out.Raw(",\n  \"StartNumber\": ");
            out.Number(h.StartNumber);
            out.Raw(",\n  \"Dives\": [");
        },
        [&out, &written](const TDiveRec& d) {
            out.Raw(written++ == 0 ? "\n" : ",\n");
            WriteDive(out, d);
            out.MaybeFlush();
        });
    if (!r.Ok()) {
        // Only a file that changed while it was dumped fails after the first bytes went out.
        out.Flush();
        std::fflush(stdout);
        PrintError(r.ErrorText + QLatin1Char('\n'));
        return kExitFailed;
    }
    out.Raw(written == 0 ? "]\n}\n" : "\n  ]\n}\n");
    if (!out.Finish()) {
        PrintError(QStringLiteral("kvlog dump: cannot write the output: %1\n")
                       .arg(QString::fromLocal8Bit(std::strerror(errno))));
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace

static const TCommandRegistrar kDump({
    .Name = "dump",
    .Summary = "Prints the logbook as JSON, each dive under its record field names.",
    .Arguments = {{"LOGBOOK", "the logbook file"}},
    .Options = {{"dos", nullptr, "the logbook's texts are in the DOS code page (older logbook files)"}},
    .Run = RunDump,
});
