#include "TLogbookReader.h"

#include <QIODevice>
#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#include "EStreamReadError.h"

namespace {
constexpr std::size_t kChunkSize = std::size_t{256} * 1024;
}  // namespace

TLogbookReader::TLogbookReader(std::span<const std::uint8_t> data)
    : m_begin(data.data()), m_cur(data.data()), m_end(data.data() + data.size()) {}

TLogbookReader::TLogbookReader(QByteArray data) : m_owned(std::move(data)) {
    m_begin = m_cur = reinterpret_cast<const std::uint8_t*>(m_owned.constData());
    m_end = m_begin + m_owned.size();
}

TLogbookReader::TLogbookReader(QIODevice& device) : m_device(&device) {}

// A thread that reads a device in chunks into a ring of buffers, ahead of the one that
// parses them; a buffer handed out comes back for reuse with the next request. The
// first chunk is read before the thread starts, so parsing begins while it does. Each
// side wakes the other only when it waits, and the reader only once half the ring is
// free again: on a virtual machine every wake costs more than parsing many records.
class TLogbookReader::TChunks {
public:
    explicit TChunks(QIODevice& device) : m_device(device) {
        TBuffer first;
        if (Fill(first)) m_end = true;
        if (first.Size > 0) m_full.push_back(std::move(first));
        m_made = 1;
        if (!m_end) m_thread = std::thread([this] { Run(); });
    }

    ~TChunks() {
        {
            std::lock_guard lock(m_lock);
            m_stop = true;
        }
        m_forReader.notify_one();
        if (m_thread.joinable()) m_thread.join();
    }

    // The next chunk of the device, empty at its end.
    std::span<const std::uint8_t> Next() {
        std::unique_lock lock(m_lock);
        if (m_current.Bytes) {
            m_free.push_back(std::move(m_current));
            m_current = {};
            if (m_readerWaits && m_free.size() >= kBuffers / 2) m_forReader.notify_one();
        }
        if (m_full.empty() && !m_end) {
            m_parserWaits = true;
            m_forParser.wait(lock, [this] { return !m_full.empty() || m_end; });
            m_parserWaits = false;
        }
        if (m_full.empty()) return {};
        m_current = std::move(m_full.front());
        m_full.pop_front();
        return {m_current.Bytes.get(), m_current.Size};
    }

private:
    static constexpr std::size_t kBuffers = 8;

    struct TBuffer {
        std::unique_ptr<std::uint8_t[]> Bytes;  // kChunkSize of them, not cleared
        std::size_t Size = 0;
    };

    // Reads the next chunk into `buffer`; true at the device's end.
    bool Fill(TBuffer& buffer) {
        if (!buffer.Bytes) buffer.Bytes = std::make_unique_for_overwrite<std::uint8_t[]>(kChunkSize);
        std::size_t filled = 0;
        while (filled < kChunkSize) {
            const qint64 got = m_device.read(reinterpret_cast<char*>(buffer.Bytes.get() + filled),
                                             static_cast<qint64>(kChunkSize - filled));
            if (got <= 0) break;
            filled += static_cast<std::size_t>(got);
        }
        buffer.Size = filled;
        return filled < kChunkSize;
    }

    void Run() {
        for (;;) {
            TBuffer buffer;
            {
                std::unique_lock lock(m_lock);
                if (m_free.empty() && m_made == kBuffers && !m_stop) {
                    m_readerWaits = true;
                    m_forReader.wait(lock, [this] { return m_stop || m_free.size() >= kBuffers / 2; });
                    m_readerWaits = false;
                }
                if (m_stop) return;
                if (!m_free.empty()) {
                    buffer = std::move(m_free.back());
                    m_free.pop_back();
                } else {
                    ++m_made;
                }
            }
            const bool end = Fill(buffer);
            bool wake = false;
            {
                std::lock_guard lock(m_lock);
                if (buffer.Size > 0) m_full.push_back(std::move(buffer));
                if (end) m_end = true;
                wake = m_parserWaits;
            }
            if (wake) m_forParser.notify_one();
            if (end) return;
        }
    }

    QIODevice& m_device;
    std::mutex m_lock;
    std::condition_variable m_forReader;
    std::condition_variable m_forParser;
    std::deque<TBuffer> m_full;
    std::vector<TBuffer> m_free;
    TBuffer m_current;
    std::size_t m_made = 0;  // buffers made so far, at most kBuffers
    bool m_readerWaits = false;
    bool m_parserWaits = false;
    bool m_end = false;
    bool m_stop = false;
    std::thread m_thread;
};

TLogbookReader::TLogbookReader(QIODevice& device, ReadAhead) : m_device(&device) {
    const qint64 total = device.size() - device.pos();
    m_total = total > 0 ? static_cast<std::size_t>(total) : 0;
    m_chunks = std::make_unique<TChunks>(device);
}

TLogbookReader::~TLogbookReader() = default;

void TLogbookReader::FillFromChunks(std::size_t n) {
    m_offset += static_cast<std::size_t>(m_cur - m_begin);
    std::span<const std::uint8_t> left(m_cur, m_end);
    auto next = [this] { return m_rest.empty() ? m_chunks->Next() : std::exchange(m_rest, {}); };
    if (left.empty()) {
        // The usual case: the next chunk holds the whole read and is parsed where it lies.
        left = next();
        if (left.size() >= n || left.empty()) {
            SetView(left);
            return;
        }
    }
    // The read spans chunks: the bytes left and the start of what follows are joined.
    if (left.data() >= m_chunk.data() && left.data() < m_chunk.data() + m_chunk.size()) {
        std::memmove(m_chunk.data(), left.data(), left.size());
        m_chunk.resize(left.size());
    } else {
        m_chunk.assign(left.begin(), left.end());
    }
    while (m_chunk.size() < n) {
        const std::span<const std::uint8_t> more = next();
        if (more.empty()) break;
        const std::size_t take = std::min(n - m_chunk.size(), more.size());
        m_chunk.insert(m_chunk.end(), more.begin(), more.begin() + static_cast<std::ptrdiff_t>(take));
        m_rest = more.subspan(take);
    }
    SetView(m_chunk);
}

void TLogbookReader::Fill(std::size_t n) {
    if (m_chunks) {
        FillFromChunks(n);
        if (Buffered() < n) throw EStreamReadError(Position(), n, Buffered());
        return;
    }
    if (m_device) {
        // Move the unparsed rest to the front and read on. The buffer grows by at most
        // one chunk beyond the bytes that really arrived, whatever n a damaged length asks.
        const std::size_t have = Buffered();
        const auto consumed = static_cast<std::size_t>(m_cur - m_begin);
        if (have > 0 && consumed > 0) std::memmove(m_chunk.data(), m_cur, have);
        m_offset += consumed;
        std::size_t filled = have;
        const std::size_t target = std::max(n, kChunkSize);
        while (filled < target) {
            const std::size_t capacity = std::min(target, filled + kChunkSize);
            if (m_chunk.size() < capacity) m_chunk.resize(capacity);
            const qint64 got = m_device->read(reinterpret_cast<char*>(m_chunk.data() + filled),
                                              static_cast<qint64>(capacity - filled));
            if (got <= 0) break;
            filled += static_cast<std::size_t>(got);
        }
        m_begin = m_cur = m_chunk.data();
        m_end = m_begin + filled;
        if (filled >= n) return;
    }
    throw EStreamReadError(Position(), n, Buffered());
}

std::size_t TLogbookReader::Remaining() const {
    if (m_chunks) return m_total > Position() ? m_total - Position() : 0;
    std::size_t left = Buffered();
    if (m_device) {
        const qint64 more =
            m_device->isSequential() ? m_device->bytesAvailable() : m_device->size() - m_device->pos();
        if (more > 0) left += static_cast<std::size_t>(more);
    }
    return left;
}

bool TLogbookReader::AtEnd() {
    if (Buffered() > 0) return false;
    if (!m_device) return true;
    try {
        Fill(1);
    } catch (const EStreamReadError&) {
        return true;
    }
    return false;
}

QByteArray TLogbookReader::ReadBytes(std::size_t n) {
    const std::uint8_t* p = Take(n);
    return {reinterpret_cast<const char*>(p), static_cast<qsizetype>(n)};
}

void TLogbookReader::ReadInto(QByteArray& out, std::size_t n) {
    const std::uint8_t* p = Take(n);
    const auto size = static_cast<qsizetype>(n);
    if (out.isDetached() && out.capacity() >= size) {
        // A record read over and over into the same buffers allocates nothing once they
        // are large enough.
        out.resize(size);
        if (n > 0) std::memcpy(out.data(), p, n);
    } else {
        // Exactly n bytes: resizing an empty array would round its capacity up.
        out = QByteArray(reinterpret_cast<const char*>(p), size);
    }
}

void TLogbookReader::Skip(std::size_t n) { Take(n); }
