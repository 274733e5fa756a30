#pragma once
// Little-endian reader over the bytes of a logbook (or any record file). Every read
// checks the bytes that are left first and raises EStreamReadError when the stream is
// too short, so a damaged length never leads to an allocation beyond the data.
//
//   TLogbookReader in(fileBytes);
//   std::uint16_t mark = in.ReadU16();
//   QByteArray text = in.ReadBytes(in.ReadU8());

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class QIODevice;

class TLogbookReader {
public:
    // Reads from a copy-free view of `data`; the bytes must outlive the reader.
    explicit TLogbookReader(std::span<const std::uint8_t> data);
    // Keeps a (shared, implicitly copied) reference to the byte array.
    explicit TLogbookReader(const QByteArray& data);
    // Reads everything the device still holds from its current position.
    explicit TLogbookReader(QIODevice& device);

    std::uint8_t ReadU8();
    std::uint16_t ReadU16();
    std::int16_t ReadI16();
    std::uint32_t ReadU32();
    std::int32_t ReadI32();
    // Exactly n bytes, or EStreamReadError when fewer are left (nothing is allocated then).
    QByteArray ReadBytes(std::size_t n);
    // Appends exactly n bytes to `out`.
    void ReadInto(std::vector<std::uint8_t>& out, std::size_t n);
    void Skip(std::size_t n);
    // Raises EStreamReadError unless at least n bytes are left (reads nothing).
    void Require(std::size_t n) const;

    std::size_t Position() const { return m_pos; }
    std::size_t Remaining() const { return m_data.size() - m_pos; }
    bool AtEnd() const { return m_pos >= m_data.size(); }

private:
    const std::uint8_t* Take(std::size_t n);

    QByteArray m_owned;
    std::span<const std::uint8_t> m_data;
    std::size_t m_pos = 0;
};
