#include "TLogbookReader.h"

#include <QIODevice>
#include <algorithm>
#include <cstring>
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

void TLogbookReader::Fill(std::size_t n) {
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

void TLogbookReader::ReadInto(std::vector<std::uint8_t>& out, std::size_t n) {
    const std::uint8_t* p = Take(n);
    out.insert(out.end(), p, p + n);
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
