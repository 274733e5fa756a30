#include "LogbookStream.h"

#include <QFile>
#include <algorithm>
#include <vector>

#include "EStreamReadError.h"
#include "TLogbookReader.h"

namespace {

LogbookStreamResult Failed(LogbookError error, QString text) {
    LogbookStreamResult r;
    r.Error = error;
    r.Fail(std::move(text));
    return r;
}

// Where a record lies in the file and where it sorts.
struct RecordPlace {
    std::int64_t Key;
    std::uint64_t Offset;
    std::uint32_t Size;
};

struct Index {
    bool Valid = false;
    LogbookStreamHeader Header;
    std::vector<RecordPlace> Records;
    bool Ordered = true;
};

// First pass: checks every record and notes its place and sort key, reading each into
// the one scratch record.
Index ReadIndex(QIODevice& file, bool dosText, TDiveRec& scratch) {
    Index index;
    TLogbookReader in(file);
    if (in.ReadU16() != TDiveCollection::kFormatMark) return index;
    index.Valid = true;
    index.Header.DiveComputerId = in.ReadU32();
    const std::size_t count = in.ReadU16();
    in.Skip(4);
    index.Records.reserve(std::min(count, in.Remaining() / TDiveRec::kFixedImageSize));
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t offset = in.Position();
        scratch.ReadFromStream(in, dosText);
        const RecordPlace place{TDiveCollection::SortKey(scratch), offset,
                                static_cast<std::uint32_t>(in.Position() - offset)};
        if (i == 0 && count >= 2) index.Header.StartNumber = scratch.DiveNumber;
        if (i > 0 && place.Key < index.Records.back().Key) index.Ordered = false;
        index.Records.push_back(place);
    }
    index.Header.Count = index.Records.size();
    return index;
}

// Fetches records from their places through a window of the file. The window is read
// so that it runs on in the direction the last step went: a logbook stored newest first
// is read back to front in large steps, not one read per record.
class TFileWindow {
public:
    explicit TFileWindow(QIODevice& file) : m_file(file) {}

    std::span<const std::uint8_t> Record(const RecordPlace& place) {
        const std::uint64_t end = place.Offset + place.Size;
        if (place.Offset < m_start || end > m_start + m_bytes.size()) {
            const bool backwards = place.Offset < m_lastOffset;
            const std::uint64_t length = std::max<std::uint64_t>(kWindow, place.Size);
            const std::uint64_t start = backwards && end > length ? end - length : place.Offset;
            m_bytes.resize(static_cast<std::size_t>(length));
            qint64 got = -1;
            if (m_file.seek(static_cast<qint64>(start)))
                got = m_file.read(reinterpret_cast<char*>(m_bytes.data()), static_cast<qint64>(length));
            m_start = start;
            m_bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
            if (end > m_start + m_bytes.size())
                throw EStreamReadError("Stream read error: the file changed while it was read");
        }
        m_lastOffset = place.Offset;
        return std::span<const std::uint8_t>(m_bytes).subspan(
            static_cast<std::size_t>(place.Offset - m_start), place.Size);
    }

private:
    static constexpr std::uint64_t kWindow = std::uint64_t{64} * 1024;
    QIODevice& m_file;
    std::vector<std::uint8_t> m_bytes;
    std::uint64_t m_start = 0;
    std::uint64_t m_lastOffset = 0;
};

LogbookStreamResult ReadError(const EStreamReadError& e) {
    return Failed(LogbookError::ReadError, QString::fromUtf8(e.what()));
}

// A device that cannot seek (a pipe) is loaded as a whole instead.
LogbookStreamResult StreamLoaded(QIODevice& device, bool dosText,
                                 const std::function<void(const LogbookStreamHeader&)>& onHeader,
                                 const std::function<void(const TDiveRec&)>& onDive) {
    const LogbookLoadResult r = LoadLogbookDevice(device, dosText);
    if (!r.Ok()) return Failed(r.Error, r.ErrorText);
    onHeader({r.Collection->DiveComputerId, r.Collection->StartNumber, r.Collection->Count()});
    for (const auto& d : r.Collection->Dives()) onDive(*d);
    return {};
}

}  // namespace

LogbookStreamResult StreamLogbookFile(const QString& path, bool dosText,
                                      const std::function<void(const LogbookStreamHeader&)>& onHeader,
                                      const std::function<void(const TDiveRec&)>& onDive) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return Failed(LogbookError::OpenFailed,
                      QStringLiteral("Cannot open file \"%1\": %2").arg(path, file.errorString()));
    if (file.isSequential()) return StreamLoaded(file, dosText, onHeader, onDive);

    TDiveRec dive;
    Index index;
    try {
        index = ReadIndex(file, dosText, dive);
    } catch (const EStreamReadError& e) {
        return ReadError(e);
    }
    if (!index.Valid)
        return Failed(LogbookError::InvalidDataformat, QString::fromLatin1(kInvalidDataformatText));

    // Loading renumbers a logbook of two or more dives from the number its first stored
    // dive had; a single dive keeps its number.
    const bool renumber = index.Records.size() >= 2;
    onHeader(index.Header);
    try {
        if (index.Ordered) {
            // The usual case: one more pass straight through the file.
            if (!index.Records.empty() && !file.seek(static_cast<qint64>(index.Records.front().Offset)))
                throw EStreamReadError("Stream read error: cannot seek in the file");
            TLogbookReader in(file);
            for (std::size_t i = 0; i < index.Records.size(); ++i) {
                dive.ReadFromStream(in, dosText);
                if (renumber) dive.DiveNumber = static_cast<std::uint16_t>(index.Header.StartNumber + i);
                onDive(dive);
            }
        } else {
            // Out of order: each record is fetched from its place, in the stable order
            // by date and time that loading gives.
            std::stable_sort(index.Records.begin(), index.Records.end(),
                             [](const RecordPlace& a, const RecordPlace& b) { return a.Key < b.Key; });
            TFileWindow window(file);
            for (std::size_t i = 0; i < index.Records.size(); ++i) {
                TLogbookReader in(window.Record(index.Records[i]));
                dive.ReadFromStream(in, dosText);
                dive.DiveNumber = static_cast<std::uint16_t>(index.Header.StartNumber + i);
                onDive(dive);
            }
        }
    } catch (const EStreamReadError& e) {
        return ReadError(e);
    }
    return {};
}
