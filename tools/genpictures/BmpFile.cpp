#include "BmpFile.h"

#include <cstdint>

namespace {

void PutU16(QByteArray& out, std::uint32_t v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
}

void PutU32(QByteArray& out, std::uint32_t v) {
    PutU16(out, v & 0xFFFF);
    PutU16(out, v >> 16);
}

}  // namespace

QByteArray EncodeBmp24(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const auto width = static_cast<std::uint32_t>(rgb.width());
    const auto height = static_cast<std::uint32_t>(rgb.height());
    const std::uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = rowBytes * height;
    constexpr std::uint32_t kHeaderBytes = 14 + 40;
    constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dpi

    QByteArray out;
    out.reserve(static_cast<qsizetype>(kHeaderBytes) + pixelBytes);
    out.append("BM");
    PutU32(out, kHeaderBytes + pixelBytes);
    PutU32(out, 0);  // reserved
    PutU32(out, kHeaderBytes);
    PutU32(out, 40);
    PutU32(out, width);
    PutU32(out, height);  // positive: rows stored bottom-up
    PutU16(out, 1);       // planes
    PutU16(out, 24);      // bits per pixel
    PutU32(out, 0);       // no compression
    PutU32(out, pixelBytes);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, kPixelsPerMetre);
    PutU32(out, 0);  // colours used
    PutU32(out, 0);  // important colours
    for (int y = static_cast<int>(height) - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (std::uint32_t x = 0; x < width; ++x) {
            out.append(static_cast<char>(qBlue(line[x])));
            out.append(static_cast<char>(qGreen(line[x])));
            out.append(static_cast<char>(qRed(line[x])));
        }
        for (std::uint32_t pad = width * 3; pad < rowBytes; ++pad) {
            out.append('\0');
        }
    }
    return out;
}
