#pragma once
// Little-endian writer that collects a logbook (or settings) image in memory; the file
// helpers then hand the finished image to a QSaveFile so a failed write never leaves
// half a file behind.
//
//   TLogbookWriter out;
//   out.WriteU16(161);
//   file.write(out.Data());

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <span>

class TLogbookWriter {
public:
    TLogbookWriter() = default;
    // Reserves room for the expected size, to avoid regrowing a large image.
    explicit TLogbookWriter(std::size_t expectedSize);

    void WriteU8(std::uint8_t v);
    void WriteU16(std::uint16_t v);
    void WriteI16(std::int16_t v);
    void WriteU32(std::uint32_t v);
    void WriteI32(std::int32_t v);
    void WriteBytes(std::span<const std::uint8_t> bytes);
    void WriteBytes(const QByteArray& bytes);

    const QByteArray& Data() const { return m_data; }
    std::size_t Size() const { return static_cast<std::size_t>(m_data.size()); }

private:
    QByteArray m_data;
};
