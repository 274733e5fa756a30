// Writes the seed corpus of every fuzz target from the example data, into one folder per
// target below the given folder, so the seeds always follow the current formats:
//
//   fuzz_seeds build-fuzz/seeds      # then fuzz_logbook build-fuzz/seeds/logbook ...

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <cstdio>

#include "ExampleDives.h"
#include "LinkFraming.h"
#include "LogbookFile.h"
#include "ReadHistory.h"
#include "SettingsRecord.h"
#include "TCfRecord.h"
#include "TLogbookWriter.h"
#include "TParameterTables.h"
#include "UddfWriter.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
const QString kData = QStringLiteral(KV_SOURCE_DIR "/data/");
QString g_root;
int g_written = 0;

void Seed(const char* target, const QString& name, const QByteArray& bytes) {
    const QString dir = g_root + QLatin1Char('/') + QLatin1String(target);
    QDir().mkpath(dir);
    QFile f(dir + QLatin1Char('/') + name);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(f.fileName()));
        std::exit(1);
    }
    ++g_written;
}
void Seed(const char* target, const QString& name, std::span<const std::uint8_t> bytes) {
    Seed(target, name,
         QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
}
QByteArray ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        std::exit(1);
    }
    return f.readAll();
}
void Word(Bytes& b, std::uint16_t v) {
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
        return 2;
    }
    g_root = QString::fromLocal8Bit(argv[1]);

    // Logbooks: the example whole and its first dives, as plain and as DOS text.
    const QByteArray example = ReadFile(kData + QStringLiteral("EXAMPLE.LOG"));
    const LogbookLoadResult loaded = LoadLogbookBytes(example, false);
    if (!loaded.Ok()) return 1;
    for (const char mode : {'\0', '\1'}) {
        Seed("logbook", QStringLiteral("example-%1").arg(int(mode)), QByteArray(1, mode) + example);
        TLogbookWriter small;
        loaded.Collection->SaveToStream(small, mode != 0, true, [](std::size_t i) { return i < 3; });
        const auto b = small.Bytes();
        Seed("logbook", QStringLiteral("three-dives-%1").arg(int(mode)),
             QByteArray(1, mode) + QByteArray(reinterpret_cast<const char*>(b.data()), b.size()));
    }

    // Settings files of both programs, the defaults and changed ones.
    SettingsRecord settings;
    Seed("settings_record", QStringLiteral("defaults"), settings.ToBytes());
    settings.LogbookName = QStringLiteral("/home/diver/Tauchgänge/Elba 2026.LOG");
    settings.UnitSystem = 1;
    settings.LanguageIndex = 1;
    settings.InterfacePort = 0x0300;
    settings.DosText = 1;
    settings.MainPlacement = {-20, 10, 1200, 900, 2};
    Seed("settings_record", QStringLiteral("changed"), settings.ToBytes());
    TCfRecord cf;
    Seed("cf_record", QStringLiteral("defaults"), cf.Encode());
    cf.InterfacePort = 2;
    cf.LanguageIndex = 4;
    cf.MainLeft = -300;
    Seed("cf_record", QStringLiteral("changed"), cf.Encode());

    // The settings block of a read of each model (response code, 20 settings bytes) and
    // history records of such reads.
    QByteArray history;
    for (const std::uint8_t model : {std::uint8_t{0x04}, std::uint8_t{0xF1}, std::uint8_t{0xA4}}) {
        const Bytes block{0x55, model, 0xC3, 50,   0,    6,  0x3C, 0, 0, 0, 0,
                          123,  0,     0x40, 0xE2, 0x01, 99, 0,    0, 0, 0};
        Seed("settings_block", QStringLiteral("model-%1").arg(int{model}, 2, 16, QLatin1Char('0')),
             BuildImage(block));
        const auto record = HistoryRecord(QDateTime(QDate(2026, 7, 1 + model % 20), QTime(9, 30)),
                                          std::span<const std::uint8_t, 20>(block.data() + 1, 20));
        history.append(reinterpret_cast<const char*>(record.data()), record.size());
    }
    Seed("read_history", QStringLiteral("three-reads"), history);

    // Dive replies of the example computers, their first dive as a replayed profile, and
    // the packets of one reply as they arrive on the line (10 ms before each byte).
    for (int computer = 0; computer < static_cast<int>(ExampleComputers().size()); ++computer) {
        const Bytes blocks = ExampleMemoryBlocks(computer);
        Bytes data{0x55, 0x10, 0x27, 0x00, 0x00};
        data.insert(data.end(), blocks.begin(), blocks.end());
        const Bytes image = BuildImage(data);
        Seed("reply_image", QStringLiteral("computer-%1").arg(computer), image);
        Bytes line{static_cast<std::uint8_t>(computer & 1)};
        std::size_t bytes = 0;
        for (const Bytes& packet : SplitIntoPackets(image)) {
            for (const std::uint8_t b : packet) {
                line.push_back(10);
                line.push_back(b);
            }
            if ((bytes += packet.size()) > 600) break;  // a few packets are seed enough
        }
        Seed("link_packets", QStringLiteral("computer-%1").arg(computer), line);
    }
    int profiles = 0;
    for (const auto& dive : loaded.Collection->Dives()) {
        if (!dive->HasProfile() || profiles >= 6) continue;
        Bytes seed{static_cast<std::uint8_t>(dive->HwSw & 0xFF)};
        Word(seed, dive->DiveType);
        seed.push_back(dive->AltitudeRange);
        Word(seed, static_cast<std::uint16_t>(dive->TankSize));
        Word(seed, dive->AirConsumption);
        Word(seed, dive->DiveTime);
        Word(seed, static_cast<std::uint16_t>(dive->MinWaterTemp));
        seed.push_back(
            static_cast<std::uint8_t>(1 | (profiles % 2 ? 2 : 0) | ((dive->HwSw & 0x100) ? 4 : 0)));
        seed.insert(seed.end(), dive->ProfileBlock.begin(), dive->ProfileBlock.end());
        Seed("profile_replay", QStringLiteral("dive-%1").arg(dive->DiveNumber), seed);
        ++profiles;
    }

    // Parameter tables: each file behind its selector byte (with the replay bit), the two
    // large coefficient tables cut to their first records.
    const QString tables[] = {kRealTableName, kFiktTableName, kWeightTableName, kAscentTableName,
                              kToxTableName};
    for (int i = 0; i < 5; ++i) {
        QByteArray bytes = ReadFile(kData + tables[i]);
        if (i < 2) bytes.truncate(3 * 144);
        Seed("parameter_tables", tables[i], QByteArray(1, static_cast<char>(0x80 | i)) + bytes);
    }

    // Scenario files of the simulated box.
    const QDir scenarios(QStringLiteral(KV_SOURCE_DIR "/config/scenarios"));
    for (const QString& name : scenarios.entryList({QStringLiteral("*.sim")}, QDir::Files))
        Seed("sim_scenario", name, ReadFile(scenarios.filePath(name)));

    // UDDF: the first dives of the example logbook as this program writes them, and a
    // small document of another program.
    {
        TParameterTables tables(kData);
        tables.OpenParameterTables();
        QBuffer uddf;
        uddf.open(QIODevice::WriteOnly);
        if (!WriteUddf(uddf, *loaded.Collection, {0, 1, 2, 3}, &tables).Ok()) return 1;
        Seed("uddf", QStringLiteral("example.uddf"), uddf.data());
        const QString foreign =
            QStringLiteral(
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<uddf xmlns=\"%1\" version=\"3.2.0\">\n"
                "<profiledata><repetitiongroup><dive id=\"d1\"><informationbeforedive>"
                "<datetime>2024-05-01T10:15:00</datetime></informationbeforedive>"
                "<informationafterdive><greatestdepth>18.4</greatestdepth>"
                "<diveduration>2520</diveduration><notes><para>Ruhiger Tauchgang</para></notes>"
                "</informationafterdive></dive></repetitiongroup></profiledata></uddf>\n")
                .arg(QLatin1String(kUddfNamespace));
        Seed("uddf", QStringLiteral("foreign.uddf"), foreign.toUtf8());
    }

    std::printf("%d seeds written into %s\n", g_written, argv[1]);
    return 0;
}
