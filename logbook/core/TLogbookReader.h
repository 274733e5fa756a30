#pragma once
// Little-endian reader over the bytes of a logbook (or any record file). Every read
// checks the bytes that are left first and raises EStreamReadError when the stream is
// too short, so a damaged length never leads to an allocation beyond the data.
//
//   TLogbookReader in(fileBytes);          // or TLogbookReader in(file) for a QIODevice
//   std::uint16_t mark = in.ReadU16();
//   QByteArray text = in.ReadBytes(in.ReadU8());

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class QIODevice;

class TLogbookReader {
public:
    // Reads from a copy-free view of `data`; the bytes must outlive the reader.
    explicit TLogbookReader(std::span<const std::uint8_t> data);
    // Keeps a (shared, implicitly copied) reference to the byte array.
    explicit TLogbookReader(QByteArray data);
    // Reads the device from its current position in chunks, as the records are parsed,
    // so a large logbook is not held twice in memory. The device must stay open.
    explicit TLogbookReader(QIODevice& device);
    // The same with the chunks read on a thread of its own, ahead of the parsing, so that
    // reading the file and building the dives overlap. For a random-access device (a
    // file) that nothing else touches until the reader is gone.
    struct ReadAhead {};
    TLogbookReader(QIODevice& device, ReadAhead);
    ~TLogbookReader();

    TLogbookReader(const TLogbookReader&) = delete;
    TLogbookReader& operator=(const TLogbookReader&) = delete;

    std::uint8_t ReadU8() { return *Take(1); }
    std::uint16_t ReadU16() {
        const std::uint8_t* p = Take(2);
        return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
    }
    std::int16_t ReadI16() { return static_cast<std::int16_t>(ReadU16()); }
    std::uint32_t ReadU32() {
        const std::uint8_t* p = Take(4);
        return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
               (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    }
    std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }
    // Exactly n bytes, or EStreamReadError when fewer are left (nothing is allocated then).
    QByteArray ReadBytes(std::size_t n);
    // Replaces `out` by exactly n bytes, reusing its buffer when it is large enough.
    void ReadInto(QByteArray& out, std::size_t n);
    // The next n bytes without a copy; valid until the next read.
    std::span<const std::uint8_t> ReadView(std::size_t n) { return {Take(n), n}; }
    void Skip(std::size_t n);

    // Bytes consumed so far.
    std::size_t Position() const { return m_offset + static_cast<std::size_t>(m_cur - m_begin); }
    // Bytes still to come (for a device: what it reports; a lower bound for a socket).
    std::size_t Remaining() const;
    bool AtEnd();

private:
    std::size_t Buffered() const { return static_cast<std::size_t>(m_end - m_cur); }
    const std::uint8_t* Take(std::size_t n) {
        if (n > Buffered()) Fill(n);
        const std::uint8_t* p = m_cur;
        m_cur += n;
        return p;
    }
    // Makes at least n bytes available at m_cur, reading from the device when there is
    // one; raises EStreamReadError when the stream ends first.
    void Fill(std::size_t n);
    // Fill for the read-ahead: the bytes are parsed where they lie in the chunks, except
    // for a read that spans two, whose bytes are joined first. Raises nothing.
    void FillFromChunks(std::size_t n);
    void SetView(std::span<const std::uint8_t> view) {
        m_begin = m_cur = view.data();
        m_end = view.data() + view.size();
    }

    class TChunks;

    QByteArray m_owned;
    QIODevice* m_device = nullptr;
    std::vector<std::uint8_t> m_chunk;  // device mode: buffer of read but unparsed bytes
    // Read-ahead mode: the chunks as they arrive; m_chunk joins the end of one chunk to
    // the start of the next when a read spans both, and m_rest is what follows the joined
    // bytes in the newest chunk.
    std::unique_ptr<TChunks> m_chunks;
    std::span<const std::uint8_t> m_rest;
    std::size_t m_total = 0;  // bytes of the device from its position at the start
    const std::uint8_t* m_begin = nullptr;
    const std::uint8_t* m_cur = nullptr;
    const std::uint8_t* m_end = nullptr;
    std::size_t m_offset = 0;  // stream position of m_begin
};
