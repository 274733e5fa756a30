#pragma once
// One shared copy of each text read while a logbook loads. Sites, locations and buddies
// repeat from dive to dive; sharing them saves an allocation and its bytes per repeat.
// The copies are kept for the rest of the program's run (up to a bound), so a dive's
// texts point at them without reference counts, which cost more than the rest of the
// load together on a machine with more than one thread. Editing a dive's text detaches
// it as usual.
//
//   TTextPool pool;
//   for (...) dives.push_back(CreateDiveFromStream(in, dosText, pool));

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "DiveBlocks.h"
#include "TDiveRec.h"

// Texts kept until the program ends, each once: a text handed out is a QByteArray over
// the kept bytes (with a zero byte after them), shared by its copies without a
// reference count. Up to `maxBytes` are kept; a text beyond them comes back as an
// array of its own. Safe to use from several threads.
class TKeptTexts {
public:
    explicit TKeptTexts(std::size_t maxBytes) : m_maxBytes(maxBytes) {}
    TKeptTexts(const TKeptTexts&) = delete;
    TKeptTexts& operator=(const TKeptTexts&) = delete;

    QByteArray Get(std::string_view bytes);

    // The program's own, never released: dives may live as long as the program does.
    static TKeptTexts& Program();

private:
    static constexpr std::size_t kBlockBytes = std::size_t{64} << 10;

    std::mutex m_lock;
    std::unordered_map<std::string_view, QByteArray> m_texts;
    std::vector<std::unique_ptr<char[]>> m_blocks;
    std::size_t m_maxBytes;
    std::size_t m_kept = 0;
    std::size_t m_left = 0;  // unused bytes of the newest block
};

class TTextPool {
public:
    // The shared copy of `bytes`; the first sight takes it from `kept`. After kMaxTexts
    // different texts, new ones are looked up there without being remembered here, which
    // bounds the pool's own memory for logbooks whose remarks never repeat.
    explicit TTextPool(TKeptTexts& kept = TKeptTexts::Program()) : m_kept(kept) {}

    QByteArray Get(std::string_view bytes);

    // `field`'s text of this dive into `into`: the dives of a trip repeat the text of the
    // dive before, which is answered by comparing with it alone.
    void Assign(std::size_t field, std::string_view bytes, QByteArray& into) {
        QByteArray& last = m_last[field];
        // Assigned as temporaries, which moves them in place without a library call;
        // the kept texts' copies take no reference.
        if (static_cast<std::size_t>(last.size()) == bytes.size() && SameBytes(last.constData(), bytes)) {
            into = QByteArray(last);
            return;
        }
        last = Get(bytes);
        into = QByteArray(last);
    }

    static constexpr std::size_t kMaxTexts = 16384;
    // The texts of a dive: location, site, other activity, buddies, remarks.
    static constexpr std::size_t kFields = 5;

private:
    // Compares a word at a time, the last word overlapping the one before: the texts are
    // short, and a library call costs more than the comparison.
    static bool SameBytes(const char* a, std::string_view b) {
        const std::size_t n = b.size();
        auto word = [](const char* p) {
            std::uint64_t w = 0;
            std::memcpy(&w, p, sizeof w);
            return w;
        };
        if (n < 8) {
            for (std::size_t i = 0; i < n; ++i)
                if (a[i] != b[i]) return false;
            return true;
        }
        for (std::size_t i = 0; i + 8 < n; i += 8)
            if (word(a + i) != word(b.data() + i)) return false;
        return word(a + n - 8) == word(b.data() + n - 8);
    }

    static constexpr std::size_t kRecent = 61;
    TKeptTexts& m_kept;
    QByteArray m_last[kFields];
    QByteArray m_recent[kRecent];
    std::unordered_map<std::string_view, QByteArray> m_texts;
};

// TDiveRec::CreateFromStream with the texts shared through the pool and the dive built
// in `blocks`: loading a logbook.
TDivePtr CreateDiveFromStream(TLogbookReader& in, bool dosText, TTextPool& texts, TDiveBlocks& blocks);
