#include "Cp1252.h"

#include <array>

namespace {

// Unicode code points of the bytes 0x80..0x9F; the undefined ones keep their C1 value.
constexpr std::array<char16_t, 32> kHigh = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t ByteToChar(unsigned char b) {
    if (b >= 0x80 && b < 0xA0) return kHigh[b - 0x80];
    return b;
}

// Returns the byte for the character, or -1 when it has none.
int CharToByte(char16_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return ch;
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == ch) return static_cast<int>(0x80 + i);
    return -1;
}

}  // namespace

QString Cp1252ToUnicode(std::string_view bytes) {
    QString s;
    s.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) s.append(QChar(ByteToChar(static_cast<unsigned char>(c))));
    return s;
}

QString Cp1252ToUnicode(const QByteArray& bytes) {
    return Cp1252ToUnicode(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

bool IsCp1252Char(char16_t ch) { return CharToByte(ch) >= 0; }

bool IsCp1252Text(const QString& text) {
    for (QChar c : text)
        if (!IsCp1252Char(c.unicode())) return false;
    return true;
}

bool UnicodeToCp1252(const QString& text, QByteArray& out) {
    out.clear();
    out.reserve(text.size());
    bool all = true;
    for (QChar c : text) {
        const int b = CharToByte(c.unicode());
        if (b < 0) {
            all = false;
            continue;
        }
        out.append(static_cast<char>(b));
    }
    return all;
}

QByteArray UnicodeToCp1252Lossy(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const int b = CharToByte(c.unicode());
        out.append(b < 0 ? '?' : static_cast<char>(b));
    }
    return out;
}
