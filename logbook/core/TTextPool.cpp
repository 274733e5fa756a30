#include "TTextPool.h"

namespace {
// Enough for the sites, locations and buddies of many logbooks; remarks that never
// repeat stop being kept once it is reached.
constexpr std::size_t kProgramKeptBytes = std::size_t{4} << 20;
}  // namespace

QByteArray TKeptTexts::Get(std::string_view bytes) {
    const auto size = static_cast<qsizetype>(bytes.size());
    std::lock_guard lock(m_lock);
    if (const auto it = m_texts.find(bytes); it != m_texts.end()) return it->second;
    const std::size_t room = bytes.size() + 1;
    if (m_kept + room > m_maxBytes || room > kBlockBytes) return {bytes.data(), size};
    if (m_left < room) {
        m_blocks.push_back(std::make_unique<char[]>(kBlockBytes));
        m_kept += m_left;  // the rest of the full block counts as used
        m_left = kBlockBytes;
    }
    char* p = m_blocks.back().get() + (kBlockBytes - m_left);
    std::memcpy(p, bytes.data(), bytes.size());
    p[bytes.size()] = '\0';
    m_left -= room;
    m_kept += room;
    QByteArray text = QByteArray::fromRawData(p, size);
    // The key views the kept bytes, which never move or change.
    m_texts.emplace(std::string_view(p, bytes.size()), text);
    return text;
}

TKeptTexts& TKeptTexts::Program() {
    static auto* const kept = new TKeptTexts(kProgramKeptBytes);
    return *kept;
}

QByteArray TTextPool::Get(std::string_view bytes) {
    if (bytes.empty()) return {};
    // A few recent texts, picked by length and end bytes, answer the repeats of a trip
    // without hashing the whole text.
    const std::size_t slot = (bytes.size() * 31 + std::size_t{static_cast<unsigned char>(bytes.front())} * 7 +
                              static_cast<unsigned char>(bytes.back())) %
                             kRecent;
    QByteArray& recent = m_recent[slot];
    if (std::string_view(recent.constData(), static_cast<std::size_t>(recent.size())) == bytes) return recent;
    if (const auto it = m_texts.find(bytes); it != m_texts.end()) return recent = it->second;
    QByteArray text = m_kept.Get(bytes);
    // The key views the array's bytes, which never move or change while it is held.
    if (m_texts.size() < kMaxTexts) m_texts.emplace(std::string_view(text.constData(), bytes.size()), text);
    return recent = text;
}
