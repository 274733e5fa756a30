#include "TCfRecord.h"

#include <QFile>
#include <cstring>

#include "SaveTexts.h"

namespace {

void PutInt32(std::uint8_t* p, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int32_t GetInt32(const std::uint8_t* p) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    return static_cast<std::int32_t>(u);
}

}  // namespace

std::array<std::uint8_t, TCfRecord::kSize> TCfRecord::Encode() const {
    std::array<std::uint8_t, kSize> b{};
    const std::size_t n = std::strlen(kSignature);
    b[0] = static_cast<std::uint8_t>(n);
    std::memcpy(b.data() + 1, kSignature, n);
    b[6] = static_cast<std::uint8_t>(InterfacePort & 0xFF);
    b[7] = static_cast<std::uint8_t>(InterfacePort >> 8);
    b[8] = LanguageIndex;
    PutInt32(b.data() + 9, MainLeft);
    PutInt32(b.data() + 13, MainTop);
    PutInt32(b.data() + 17, TransferLeft);
    PutInt32(b.data() + 21, TransferTop);
    b[25] = Spare;
    return b;
}

std::optional<TCfRecord> TCfRecord::Decode(std::span<const std::uint8_t> b) {
    if (b.size() < kSize) return std::nullopt;
    const std::size_t n = std::strlen(kSignature);
    if (b[0] != n || std::memcmp(b.data() + 1, kSignature, n) != 0) return std::nullopt;
    TCfRecord r;
    r.InterfacePort = static_cast<std::uint16_t>(b[6] | (b[7] << 8));
    r.LanguageIndex = b[8];
    r.MainLeft = GetInt32(b.data() + 9);
    r.MainTop = GetInt32(b.data() + 13);
    r.TransferLeft = GetInt32(b.data() + 17);
    r.TransferTop = GetInt32(b.data() + 21);
    r.Spare = b[25];
    return r;
}

TCfRecord TCfRecord::Load(const QString& path, bool* existsAfter) {
    std::optional<TCfRecord> rec;
    QFile f(path);
    if (f.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = f.read(kSize);
        f.close();
        rec = Decode(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                               static_cast<std::size_t>(bytes.size())));
    }
    if (!rec) {
        if (QFile::exists(path)) QFile::remove(path);
        rec = TCfRecord{};
    } else if (rec->LanguageIndex > 4) {
        rec->LanguageIndex = 0;
    }
    if (existsAfter) *existsAfter = QFile::exists(path);
    return *rec;
}

TResult TCfRecord::Save(const QString& path) const {
    const auto b = Encode();
    const TSaveResult saved = SaveFile(path, std::span<const std::uint8_t>(b));
    return saved.Ok() ? TResult{} : TResult::Failure(SaveErrorText(saved));
}
