// The UDDF reader on any document: damaged or foreign XML is refused with a message, and
// the dives of a document that reads are written to UDDF again and read back equal.

#include <QBuffer>
#include <memory>
#include <vector>

#include "FuzzSupport.h"
#include "TDiveCollection.h"
#include "TParameterTables.h"
#include "UddfReader.h"
#include "UddfWriter.h"

namespace {
TParameterTables& Tables() {
    static TParameterTables* tables = [] {
        auto* t = new TParameterTables(QStringLiteral(KV_SOURCE_DIR "/data"));
        t->OpenParameterTables();
        return t;
    }();
    return *tables;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes = FuzzByteArray(data, size);
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    UddfReadResult first = ReadUddf(in, QStringLiteral("fuzz.uddf"), 0);
    if (!first.Ok()) {
        FUZZ_CHECK(first.Dives.empty(), "a refused document gives no dives");
        FUZZ_CHECK(first.ErrorText.contains(QLatin1String("fuzz.uddf")), "the message names the file");
        return 0;
    }
    TDiveCollection logbook;
    std::vector<std::size_t> indices;
    for (auto& dive : first.Dives) {
        // Every dive is accepted into a logbook without a threshold; a second dive with the
        // same dive computer time is not, and is left out of the comparison.
        if (logbook.AddDive(std::move(dive), 0, 1) == AddDiveResult::Accepted)
            indices.push_back(logbook.Count() - 1);
    }
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    const UddfWriteResult written = WriteUddf(out, logbook, indices, &Tables());
    if (!written.Ok()) return 0;  // a profile the tables cannot replay; reported, not a fault
    out.close();
    out.open(QIODevice::ReadOnly);
    const UddfReadResult second = ReadUddf(out, QStringLiteral("again.uddf"), 0);
    FUZZ_CHECK(second.Ok(), "a written document reads again");
    FUZZ_CHECK(second.Dives.size() == indices.size(), "every written dive reads again");
    for (std::size_t i = 0; i < indices.size(); ++i) {
        // Each dive is written with its record image, which a dive before 1950 cannot pass.
        if (logbook.At(indices[i]).DayNo < kFirstNewFormatDay) continue;
        FUZZ_CHECK(*second.Dives[i] == logbook.At(indices[i]), "a written dive reads back equal");
    }
    return 0;
}
