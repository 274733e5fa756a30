// `kvlog dump` writes the JSON dive by dive; its bytes must stay those of the whole-text
// formatter that scripts were written against, which this test keeps as the reference.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "Cp1252.h"
#include "LogbookFile.h"
#include "TDiveCollection.h"

namespace {

QString JsonString(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        switch (c) {
            case u'"':
                out += QStringLiteral("\\\"");
                break;
            case u'\\':
                out += QStringLiteral("\\\\");
                break;
            case u'\n':
                out += QStringLiteral("\\n");
                break;
            case u'\r':
                out += QStringLiteral("\\r");
                break;
            case u'\t':
                out += QStringLiteral("\\t");
                break;
            default:
                if (c < 0x20 || (c >= 0x7F && c < 0xA0))
                    out += QStringLiteral("\\u%1").arg(static_cast<int>(c), 4, 16, QLatin1Char('0'));
                else
                    out += ch;
        }
    }
    return out + QLatin1Char('"');
}

QString DiveJson(const TDiveRec& d) {
    QStringList f;
    auto num = [&f](const char* key, qint64 v) {
        f << QStringLiteral("\"%1\": %2").arg(QLatin1String(key)).arg(v);
    };
    auto text = [&f](const char* key, const QByteArray& v) {
        f << QStringLiteral("\"%1\": %2").arg(QLatin1String(key), JsonString(Cp1252ToUnicode(v)));
    };
    num("DayNo", d.DayNo);
    num("StartTime", d.StartTime);
    text("Location", d.Location);
    text("Site", d.Site);
    num("AltitudeRange", d.AltitudeRange);
    num("SurfaceInterval", d.SurfaceInterval);
    num("Weather", d.Weather);
    num("AirTemperature", d.AirTemperature);
    num("Suit", d.Suit);
    num("TankSize", d.TankSize);
    num("MaxDepth", d.MaxDepth);
    num("DiveTime", d.DiveTime);
    num("MinWaterTemp", d.MinWaterTemp);
    num("AirConsumption", d.AirConsumption);
    num("DiveType", d.DiveType);
    num("Activities", d.Activities);
    text("OtherActivity", d.OtherActivity);
    text("Buddies", d.Buddies);
    text("Remarks", d.Remarks);
    num("DeviceStatus", d.DeviceStatus);
    num("DiveNumber", d.DiveNumber);
    num("DeviceTime", d.DeviceTime);
    num("HwSw", d.HwSw);
    num("Analysed", d.Analysed);
    num("StopInfo", d.StopInfo);
    num("Reserved", d.Reserved);
    if (d.HasProfile()) {
        const QByteArray block(reinterpret_cast<const char*>(d.ProfileBlock.data()),
                               static_cast<qsizetype>(d.ProfileBlock.size()));
        f << QStringLiteral("\"ProfileBlock\": \"%1\"").arg(QString::fromLatin1(block.toHex()));
    } else {
        f << QStringLiteral("\"ProfileBlock\": null");
    }
    return QStringLiteral("    {\n      ") + f.join(QStringLiteral(",\n      ")) + QStringLiteral("\n    }");
}

// The whole-text dump of a loaded logbook, as kvlog printed it before it streamed.
QByteArray ReferenceDump(const QString& path, bool dos) {
    const LogbookLoadResult r = LoadLogbookFile(path, dos);
    if (!r.Ok()) return {};
    const TDiveCollection& log = *r.Collection;
    QString out = QStringLiteral("{\n  \"DiveComputerId\": %1,\n  \"StartNumber\": %2,\n  \"Dives\": [")
                      .arg(log.DiveComputerId)
                      .arg(log.StartNumber);
    for (std::size_t i = 0; i < log.Count(); ++i) {
        out += i == 0 ? QStringLiteral("\n") : QStringLiteral(",\n");
        out += DiveJson(log[i]);
    }
    out += log.IsEmpty() ? QStringLiteral("]\n}\n") : QStringLiteral("\n  ]\n}\n");
    return out.toUtf8();
}

struct TRun {
    int Exit = -1;
    QByteArray Out;
    QByteArray Err;
};

TRun Dump(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(KV_BIN_DIR "/kvlog"), QStringList{"dump"} + args);
    TRun r;
    if (!p.waitForFinished(60000)) return r;
    r.Exit = p.exitCode();
    r.Out = p.readAllStandardOutput();
    r.Err = p.readAllStandardError();
    return r;
}

std::unique_ptr<TDiveRec> Dive(std::int32_t day, std::uint16_t time, std::uint16_t number) {
    auto d = std::make_unique<TDiveRec>();
    d->DayNo = day;
    d->StartTime = time;
    d->DiveNumber = number;
    d->MaxDepth = -5;
    d->DeviceTime = 0xFFFFFFFFu;
    d->Reserved = 0x80000000u;
    return d;
}

class KvlogDump : public testing::Test {
protected:
    QTemporaryDir m_dir;
    QString Path(const char* name) const { return m_dir.path() + "/" + name; }

    // Appends in the given order without sorting, as a file stored out of order holds them.
    QString Save(const char* name, std::vector<std::unique_ptr<TDiveRec>> dives, bool dos = false) {
        TDiveCollection log;
        log.DiveComputerId = 0x00C0FFEE;
        log.StartNumber = 99;
        for (auto& d : dives) {
            const std::uint16_t number = d->DiveNumber;
            const std::uint32_t clock = d->DeviceTime;
            d->DeviceTime = 0;  // appended without the duplicate and newer-than rules
            log.AddDive(std::move(d), 0, 1);
            log.At(log.Count() - 1).DiveNumber = number;
            log.At(log.Count() - 1).DeviceTime = clock;
        }
        EXPECT_TRUE(SaveLogbookFile(Path(name), log, dos).Ok());
        return Path(name);
    }

    void ExpectSameAsReference(const QString& path, bool dos = false) {
        const TRun r = Dump(dos ? QStringList{path, "--dos"} : QStringList{path});
        ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
        EXPECT_TRUE(r.Err.isEmpty());
        EXPECT_EQ(r.Out.toStdString(), ReferenceDump(path, dos).toStdString());
    }
};

TEST_F(KvlogDump, EmptyAndSingleDiveLogbooks) {
    ExpectSameAsReference(Save("empty.log", {}));
    std::vector<std::unique_ptr<TDiveRec>> one;
    one.push_back(Dive(150000, 600, 4711));  // keeps its number; StartNumber reads as 0
    ExpectSameAsReference(Save("one.log", std::move(one)));
}

TEST_F(KvlogDump, EveryTextByteAndProfileAsLoadingShowsThem) {
    std::vector<std::unique_ptr<TDiveRec>> dives;
    QByteArray all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    for (int k = 0; k < 3; ++k) {
        auto d = Dive(150000 + k, 0, static_cast<std::uint16_t>(7 + k));
        d->Location = all.mid(qsizetype{k} * 85, 85);
        d->Site = all.mid(qsizetype{k} * 85 + 40, 85);
        d->Remarks = QByteArray("\"quoted\" \\ back\r\n\ttab", 21) + QByteArray(1, '\0');
        d->Buddies = all.right(120);
        if (k != 1) d->ProfileBlock = {3, 0, 0x00, 0x7F, 0xFF};
        dives.push_back(std::move(d));
    }
    ExpectSameAsReference(Save("bytes.log", std::move(dives)));
    // DOS bytes: the same file read with the other code page.
    ExpectSameAsReference(Path("bytes.log"), true);
}

TEST_F(KvlogDump, DivesStoredOutOfOrderComeSortedAndRenumbered) {
    std::vector<std::unique_ptr<TDiveRec>> dives;
    dives.push_back(Dive(150010, 600, 65534));  // numbering starts here and wraps past 65535
    dives.push_back(Dive(150001, 900, 3));
    for (int k = 0; k < 4; ++k) {  // equal day and time: stored order kept
        auto d = Dive(150005, 720, 100);
        d->Site = QByteArray::number(k);
        dives.push_back(std::move(d));
    }
    dives.push_back(Dive(150001, 60, 5));
    ExpectSameAsReference(Save("unordered.log", std::move(dives)));
}

TEST_F(KvlogDump, LargeLogbooksStoredBackwardsOrShuffledReadThroughManyWindows) {
    // About 400 KB each: the records are fetched through several windows of the file.
    auto make = [](std::size_t i) {
        auto d = Dive(static_cast<std::int32_t>(150000 + i / 2), static_cast<std::uint16_t>(i % 2), 1);
        d->ProfileBlock.assign(2 + 300 + i % 200, static_cast<std::uint8_t>(i));
        d->ProfileBlock[0] = static_cast<std::uint8_t>((d->ProfileBlock.size() - 2) & 0xFF);
        d->ProfileBlock[1] = static_cast<std::uint8_t>((d->ProfileBlock.size() - 2) >> 8);
        return d;
    };
    constexpr std::size_t kCount = 1000;
    std::vector<std::unique_ptr<TDiveRec>> backwards;
    for (std::size_t i = kCount; i-- > 0;) backwards.push_back(make(i));
    ExpectSameAsReference(Save("backwards.log", std::move(backwards)));
    std::vector<std::unique_ptr<TDiveRec>> shuffled;
    for (std::size_t i = 0; i < kCount; ++i) shuffled.push_back(make((i * 397) % kCount));
    ExpectSameAsReference(Save("shuffled.log", std::move(shuffled)));
}

TEST_F(KvlogDump, ADamagedFileGivesItsErrorAndNoOutput) {
    std::vector<std::unique_ptr<TDiveRec>> dives;
    dives.reserve(50);
    for (int k = 0; k < 50; ++k) dives.push_back(Dive(150000 + k, 0, 1));
    QFile file(Save("whole.log", std::move(dives)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    QFile cut(Path("cut.log"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(whole.left(whole.size() - 1));
    cut.close();

    const TRun r = Dump({Path("cut.log")});
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Out.isEmpty()) << "nothing goes out before the whole file has read";
    EXPECT_TRUE(r.Err.startsWith("Stream read error")) << r.Err.toStdString();

    const TRun missing = Dump({Path("nowhere.log")});
    EXPECT_EQ(missing.Exit, 1);
    EXPECT_TRUE(missing.Err.contains("nowhere.log")) << missing.Err.toStdString();
}

}  // namespace
