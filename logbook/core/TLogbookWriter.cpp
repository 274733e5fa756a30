#include "TLogbookWriter.h"

TLogbookWriter::TLogbookWriter(std::size_t expectedSize) {
    m_data.reserve(static_cast<qsizetype>(expectedSize));
}

void TLogbookWriter::WriteU8(std::uint8_t v) { m_data.append(static_cast<char>(v)); }

void TLogbookWriter::WriteU16(std::uint16_t v) {
    const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    m_data.append(b, 2);
}

void TLogbookWriter::WriteI16(std::int16_t v) { WriteU16(static_cast<std::uint16_t>(v)); }

void TLogbookWriter::WriteU32(std::uint32_t v) {
    const char b[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                       static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
    m_data.append(b, 4);
}

void TLogbookWriter::WriteI32(std::int32_t v) { WriteU32(static_cast<std::uint32_t>(v)); }

void TLogbookWriter::WriteBytes(std::span<const std::uint8_t> bytes) {
    m_data.append(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

void TLogbookWriter::WriteBytes(const QByteArray& bytes) { m_data.append(bytes); }
