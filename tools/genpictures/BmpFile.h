#pragma once
// Writes a picture as an uncompressed 24-bit Windows bitmap, byte by byte: file header,
// 40-byte info header, rows bottom-up padded to four bytes, 2835 pixels per metre.
// The output depends on the pixels only, so a regenerated picture compares equal.
//
//   QByteArray bmp = EncodeBmp24(DrawKelwinSplash());

#include <QByteArray>
#include <QImage>

QByteArray EncodeBmp24(const QImage& image);
