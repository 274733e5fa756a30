#pragma once
// Little-endian writer that collects a logbook (or settings) image in memory; the file
// helpers then hand the finished image to SaveFile (SaveFile.h) so a failed write never
// leaves half a file behind.
//
//   TLogbookWriter out;
//   out.WriteU16(161);
//   file.write(out.Data());

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

class TLogbookWriter {
public:
    TLogbookWriter() = default;
    // Reserves room for the expected size, to avoid regrowing a large image.
    explicit TLogbookWriter(std::size_t expectedSize) { m_bytes.reserve(expectedSize); }

    void WriteU8(std::uint8_t v) { m_bytes.push_back(v); }
    void WriteU16(std::uint16_t v) {
        m_bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        m_bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void WriteI16(std::int16_t v) { WriteU16(static_cast<std::uint16_t>(v)); }
    void WriteU32(std::uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8)
            m_bytes.push_back(static_cast<std::uint8_t>((v >> shift) & 0xFF));
    }
    void WriteI32(std::int32_t v) { WriteU32(static_cast<std::uint32_t>(v)); }
    void WriteBytes(std::span<const std::uint8_t> bytes) {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    }
    void WriteBytes(const QByteArray& bytes) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.constData());
        m_bytes.insert(m_bytes.end(), p, p + bytes.size());
    }

    // Appends n bytes and returns where they start, for a caller that fills a whole
    // record at once. The pointer is valid until the next write.
    std::uint8_t* Extend(std::size_t n) {
        const std::size_t at = m_bytes.size();
        m_bytes.resize(at + n);
        return m_bytes.data() + at;
    }

    // The image written so far, without a copy.
    std::span<const std::uint8_t> Bytes() const { return m_bytes; }
    // A copy of the image.
    QByteArray Data() const {
        return {reinterpret_cast<const char*>(m_bytes.data()), static_cast<qsizetype>(m_bytes.size())};
    }
    std::size_t Size() const { return m_bytes.size(); }
    // Hands the image over; the writer is empty afterwards.
    std::vector<std::uint8_t> Take() { return std::exchange(m_bytes, {}); }

private:
    std::vector<std::uint8_t> m_bytes;
};
