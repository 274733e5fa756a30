// The five parameter tables: one of them (chosen by the first byte) replaced by any
// bytes, the others as delivered. Opening, reading records and a replay of a fixed dive
// never read beyond a file and never turn a damaged real into undefined behaviour.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "EMissingTabFile.h"
#include "FuzzSupport.h"
#include "ProfileDecoder.h"
#include "TParameterTables.h"
#include "TProfileBlockBuilder.h"
#include "TTissueModel.h"

namespace {
const QString kNames[] = {kRealTableName, kFiktTableName, kWeightTableName, kAscentTableName, kToxTableName};

QTemporaryDir& Folder() {
    static QTemporaryDir* dir = new QTemporaryDir;
    return *dir;
}
QByteArray Delivered(const QString& name) {
    QFile f(QStringLiteral(KV_SOURCE_DIR "/data/") + name);
    FUZZ_CHECK(f.open(QIODevice::ReadOnly), "the delivered tables are there");
    return f.readAll();
}
void Write(const QString& name, const QByteArray& bytes) {
    QFile f(Folder().filePath(name));
    FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate), "the table folder is writable");
    f.write(bytes);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    static const bool prepared = [] {
        for (const QString& name : kNames) Write(name, Delivered(name));
        return true;
    }();
    (void)prepared;
    const QString& name = kNames[data[0] % 5];
    const bool replay = (data[0] & 0x80) != 0;
    Write(name, FuzzByteArray(data + 1, size - 1));
    try {
        TParameterTables tables(Folder().path());
        tables.OpenParameterTables();
        TCoeffRecord rec;
        for (int level = 0; level < 8; ++level) {
            tables.LoadRealRecord(rec, level, 7 - level, level);
            tables.LoadFiktRecord(rec, level, 7 - level);
        }
        if (replay) {
            static const std::vector<std::uint8_t> block = [] {
                TProfileBlockBuilder b(ProfileFamily::F);
                b.SetOxygenIndex(6).AddWaypoint(0, 0).AddWaypoint(2, 3.5).AddWaypoint(20, 3.5);
                b.StepCold(+1).SetWorkload(3).SetMicrobubbles(2).AddWaypoint(24, 0.6).AddWaypoint(30, 0);
                return b.Build();
            }();
            ProfileDiveInfo info;
            info.HwSw = 0xF2;
            info.DiveType = 0x101;
            auto profile = std::make_unique<DiveProfile>();
            FUZZ_CHECK(DecodeProfile(*profile, block, info), "the fixed dive decodes");
            TTissueModel model(tables);
            model.ModelReset(*profile, info);
            model.ReplayAll();
        }
    } catch (const EMissingTabFile&) {
        // an empty table file counts as missing; refused cleanly
    }
    Write(name, Delivered(name));
    return 0;
}
