#include "TLogbookReader.h"

#include <QIODevice>

#include "EStreamReadError.h"

namespace {
std::span<const std::uint8_t> ViewOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())};
}
}  // namespace

TLogbookReader::TLogbookReader(std::span<const std::uint8_t> data) : m_data(data) {}

TLogbookReader::TLogbookReader(const QByteArray& data) : m_owned(data), m_data(ViewOf(m_owned)) {}

TLogbookReader::TLogbookReader(QIODevice& device) {
    // QIODevice has no error state of its own; a short read shows as missing bytes
    // when the records are parsed.
    m_owned = device.readAll();
    m_data = ViewOf(m_owned);
}

void TLogbookReader::Require(std::size_t n) const {
    if (n > Remaining()) throw EStreamReadError(m_pos, n, Remaining());
}

const std::uint8_t* TLogbookReader::Take(std::size_t n) {
    Require(n);
    const std::uint8_t* p = m_data.data() + m_pos;
    m_pos += n;
    return p;
}

std::uint8_t TLogbookReader::ReadU8() { return *Take(1); }

std::uint16_t TLogbookReader::ReadU16() {
    const std::uint8_t* p = Take(2);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::int16_t TLogbookReader::ReadI16() { return static_cast<std::int16_t>(ReadU16()); }

std::uint32_t TLogbookReader::ReadU32() {
    const std::uint8_t* p = Take(4);
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t TLogbookReader::ReadI32() { return static_cast<std::int32_t>(ReadU32()); }

QByteArray TLogbookReader::ReadBytes(std::size_t n) {
    const std::uint8_t* p = Take(n);
    return QByteArray(reinterpret_cast<const char*>(p), static_cast<qsizetype>(n));
}

void TLogbookReader::ReadInto(std::vector<std::uint8_t>& out, std::size_t n) {
    const std::uint8_t* p = Take(n);
    out.insert(out.end(), p, p + n);
}

void TLogbookReader::Skip(std::size_t n) { Take(n); }
