#pragma once
// One shared copy of each text read while a logbook loads. Sites, locations and buddies
// repeat from dive to dive; sharing them (QByteArray's implicit sharing) saves an
// allocation and its bytes per repeat. Editing a dive's text detaches it as usual.
//
//   TTextPool pool;
//   for (...) dives.push_back(CreateDiveFromStream(in, dosText, pool));

#include <QByteArray>
#include <cstddef>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "TDiveRec.h"

class TTextPool {
public:
    // The shared copy of `bytes`; the first sight stores it. After kMaxTexts different
    // texts, new ones are copied without being kept, which bounds the pool's own memory
    // for logbooks whose remarks never repeat.
    QByteArray Get(std::string_view bytes) {
        if (bytes.empty()) return {};
        // A few recent texts, picked by length and end bytes, answer the repeats of a
        // trip without hashing the whole text.
        const std::size_t slot =
            (bytes.size() * 31 + std::size_t{static_cast<unsigned char>(bytes.front())} * 7 +
             static_cast<unsigned char>(bytes.back())) %
            kRecent;
        QByteArray& recent = m_recent[slot];
        if (std::string_view(recent.constData(), static_cast<std::size_t>(recent.size())) == bytes)
            return recent;
        if (const auto it = m_texts.find(bytes); it != m_texts.end()) return recent = it->second;
        QByteArray text(bytes.data(), static_cast<qsizetype>(bytes.size()));
        // The key views the stored array's bytes, which never move or change.
        if (m_texts.size() < kMaxTexts)
            m_texts.emplace(std::string_view(text.constData(), bytes.size()), text);
        return recent = text;
    }

    static constexpr std::size_t kMaxTexts = 16384;

private:
    static constexpr std::size_t kRecent = 61;
    QByteArray m_recent[kRecent];
    std::unordered_map<std::string_view, QByteArray> m_texts;
};

// TDiveRec::CreateFromStream with the texts shared through the pool: loading a logbook.
std::unique_ptr<TDiveRec> CreateDiveFromStream(TLogbookReader& in, bool dosText, TTextPool& texts);
