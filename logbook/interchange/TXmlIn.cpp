#include "TXmlIn.h"

#include <QByteArray>
#include <QIODevice>
#include <algorithm>
#include <cstring>
#include <string_view>

#include "XmlChars.h"

namespace {

constexpr std::size_t kChunk = std::size_t{1} << 20;
constexpr std::size_t kSniff = std::size_t{64} << 10;

bool IsSpace(char c) { return c == ' ' || c == '\n' || c == '\t' || c == '\r'; }

bool IsNameStart(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c >= 0x80;
}

bool IsNameChar(unsigned char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

// Decodes the UTF-8 sequence at p (before q); its length, 0 when it is not valid UTF-8.
std::size_t Utf8Sequence(const unsigned char* p, const unsigned char* q, char32_t* code) {
    const unsigned char c = p[0];
    std::size_t n = 0;
    char32_t u = 0;
    char32_t least = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        u = c & 0x1Fu;
        least = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        u = c & 0x0Fu;
        least = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        u = c & 0x07u;
        least = 0x10000;
    } else {
        return 0;
    }
    if (static_cast<std::size_t>(q - p) < n) return 0;
    for (std::size_t i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        u = (u << 6) | (p[i] & 0x3Fu);
    }
    if (u < least || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return 0;
    *code = u;
    return n;
}

// The character of the reference between '&' and ';' (exclusive): the five predefined
// entities and character references; 0 when it is none of them or names no XML character.
char32_t ReferenceValue(std::string_view ref) {
    if (ref == "lt") return '<';
    if (ref == "gt") return '>';
    if (ref == "amp") return '&';
    if (ref == "apos") return '\'';
    if (ref == "quot") return '"';
    if (ref.size() < 2 || ref[0] != '#') return 0;
    char32_t u = 0;
    const bool hex = ref[1] == 'x';
    const std::string_view digits = ref.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) return 0;
    for (const char c : digits) {
        int d = -1;
        if (c >= '0' && c <= '9') d = c - '0';
        if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        if (d < 0) return 0;
        u = u * (hex ? 16u : 10u) + static_cast<char32_t>(d);
    }
    return IsXmlChar(u) ? u : 0;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
           });
}

}  // namespace

TXmlIn::TXmlIn(QIODevice& in) : m_in(in), m_buf(kChunk) {}

bool TXmlIn::Handles(QIODevice& in) {
    const QByteArray head = in.peek(static_cast<qint64>(kSniff));
    std::string_view s(head.constData(), static_cast<std::size_t>(head.size()));
    if (s.starts_with("\xEF\xBB\xBF")) s.remove_prefix(3);
    // UTF-16 and UTF-32 begin with a byte order mark or a zero byte beside the '<'.
    if (s.size() >= 2 &&
        (s[0] == '\0' || s[1] == '\0' || s.starts_with("\xFE\xFF") || s.starts_with("\xFF\xFE")))
        return false;
    if (s.find("<!DOCTYPE") != std::string_view::npos) return false;
    if (!s.starts_with("<?xml")) return true;
    const std::string_view declaration = s.substr(0, s.find("?>"));
    const std::size_t at = declaration.find("encoding");
    if (at == std::string_view::npos) return true;
    const std::size_t quote = declaration.find_first_of("'\"", at);
    if (quote == std::string_view::npos) return false;
    const std::size_t close = declaration.find(declaration[quote], quote + 1);
    if (close == std::string_view::npos) return false;
    const std::string_view encoding = declaration.substr(quote + 1, close - quote - 1);
    return EqualsNoCase(encoding, "utf-8") || EqualsNoCase(encoding, "utf8");
}

bool TXmlIn::ReadMore() {
    if (m_eof) return false;
    // Drop the bytes before the token being read, counting their line feeds for messages.
    if (m_pos > 0) {
        m_linesBefore += std::count(m_buf.begin(), m_buf.begin() + static_cast<std::ptrdiff_t>(m_pos), '\n');
        std::memmove(m_buf.data(), m_buf.data() + m_pos, m_len - m_pos);
        m_len -= m_pos;
        m_pos = 0;
    }
    if (m_buf.size() - m_len < kChunk / 2) m_buf.resize(std::max(m_buf.size() * 2, m_len + kChunk));
    const qint64 got = m_in.read(m_buf.data() + m_len, static_cast<qint64>(m_buf.size() - m_len));
    if (got <= 0) {
        m_eof = true;
        return false;
    }
    m_len += static_cast<std::size_t>(got);
    return true;
}

TXmlIn::Step TXmlIn::Fail(std::size_t at, const char* message) {
    m_error = QString::fromLatin1(message);
    m_errorLine =
        m_linesBefore + 1 +
        std::count(m_buf.begin(), m_buf.begin() + static_cast<std::ptrdiff_t>(std::min(at, m_len)), '\n');
    m_token = Invalid;
    return Step::Failed;
}

void TXmlIn::PopClosed() {
    const TOpen& top = m_open.back();
    m_names.resize(top.Name);
    m_namespaces.resize(top.Declarations);
    m_open.pop_back();
    if (m_open.empty()) m_rootClosed = true;
}

TXmlIn::TokenType TXmlIn::ReadNext() {
    if (AtEnd()) return m_token;
    if (m_popPending) {
        m_popPending = false;
        PopClosed();
    }
    if (m_selfClosing) {
        // <name/> is a start and an end element.
        m_selfClosing = false;
        m_popPending = true;
        return m_token = EndElement;
    }
    for (;;) {
        Step step = Parse();
        if (step != Step::NeedMore) return m_token;
        if (ReadMore()) continue;
        // The stream has ended: what is left must be a whole token.
        if (m_pos < m_len) {
            step = Parse();
            if (step == Step::NeedMore) Fail(m_len, "Premature end of document.");
        } else if (!m_rootClosed) {
            Fail(m_len, m_rootSeen ? "Premature end of document." : "Start tag expected.");
        } else {
            m_token = EndDocument;
        }
        return m_token;
    }
}

TXmlIn::Step TXmlIn::Parse() {
    const std::size_t s = m_pos;
    if (s == m_len) return Step::NeedMore;
    if (!m_started && s == 0 && m_linesBefore == 0 && m_len >= 3 &&
        std::memcmp(m_buf.data(), "\xEF\xBB\xBF", 3) == 0) {
        m_pos = 3;  // byte order mark
        return Parse();
    }
    if (m_buf[s] != '<') return ParseCharacters(s);
    if (s + 1 >= m_len) return Step::NeedMore;
    const char next = m_buf[s + 1];
    if (next == '/') return ParseEndTag(s);
    if (next == '?' || next == '!') return ParseMarkup(s);
    return ParseStartTag(s);
}

std::size_t TXmlIn::NameEnd(std::size_t p, bool* more) const {
    *more = false;
    if (p >= m_len) {
        *more = true;
        return p;
    }
    if (!IsNameStart(static_cast<unsigned char>(m_buf[p]))) return p;
    std::size_t q = p + 1;
    while (q < m_len && IsNameChar(static_cast<unsigned char>(m_buf[q]))) ++q;
    if (q == m_len) *more = true;
    return q;
}

bool TXmlIn::CheckName(std::size_t p, std::size_t q, bool element) {
    const auto* b = reinterpret_cast<const unsigned char*>(m_buf.data());
    std::size_t colons = 0;
    for (std::size_t i = p; i < q;) {
        if (b[i] < 0x80) {
            if (b[i] == ':') {
                // An element's local part starts as a name does (Qt's reader lets an
                // attribute's pass, and so does this one).
                ++colons;
                if (element && i + 1 < q && !IsNameStart(b[i + 1])) colons = 2;
            }
            ++i;
            continue;
        }
        char32_t u = 0;
        const std::size_t n = Utf8Sequence(b + i, b + q, &u);
        if (n == 0 || !IsXmlChar(u)) {
            Fail(i, "Invalid UTF-8 in the document.");
            return false;
        }
        i += n;
    }
    // A qualified name: a prefix and a local part, or a local part alone.
    if (colons > 1 || (colons == 1 && (b[p] == ':' || b[q - 1] == ':'))) {
        Fail(p, "Invalid qualified name.");
        return false;
    }
    return true;
}

bool TXmlIn::CheckDeclaration(std::size_t p, std::size_t q) {
    // version="1.0", then optionally encoding="name" and standalone="yes|no", each after
    // white space, and white space at the end.
    const std::string_view d(m_buf.data() + p, q - p);
    std::size_t i = 0;
    auto pseudoAttribute = [&](std::string_view name, std::string_view* value) {
        const std::size_t start = i;
        while (i < d.size() && IsSpace(d[i])) ++i;
        if (i == start || !d.substr(i).starts_with(name)) {
            i = start;
            return false;
        }
        i += name.size();
        while (i < d.size() && IsSpace(d[i])) ++i;
        if (i >= d.size() || d[i] != '=') return false;
        ++i;
        while (i < d.size() && IsSpace(d[i])) ++i;
        if (i >= d.size() || (d[i] != '"' && d[i] != '\'')) return false;
        const std::size_t close = d.find(d[i], i + 1);
        if (close == std::string_view::npos) return false;
        *value = d.substr(i + 1, close - i - 1);
        i = close + 1;
        return true;
    };
    std::string_view version;
    std::string_view value;
    bool ok = pseudoAttribute("version", &version) && version == "1.0";
    if (ok && pseudoAttribute("encoding", &value))
        ok = !value.empty() && std::all_of(value.begin(), value.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                   c == '_' || c == '-';
        });
    if (ok && pseudoAttribute("standalone", &value)) ok = value == "yes" || value == "no";
    while (ok && i < d.size() && IsSpace(d[i])) ++i;
    if (ok && i == d.size()) return true;
    Fail(p + std::min(i, d.size()), "Invalid XML declaration.");
    return false;
}

bool TXmlIn::PrefixDeclared(std::string_view prefix) const {
    if (prefix == "xml") return true;
    return std::any_of(m_namespaces.begin(), m_namespaces.end(),
                       [prefix](const TNamespace& n) { return n.Prefix == prefix; });
}

TXmlIn::Step TXmlIn::ParseStartTag(std::size_t s) {
    if (m_rootClosed) return Fail(s, "Extra content at end of document.");
    const char* b = m_buf.data();
    bool more = false;
    const std::size_t nameEnd = NameEnd(s + 1, &more);
    if (more) return Step::NeedMore;
    if (nameEnd == s + 1) return Fail(s + 1, "Expected a name.");
    if (!CheckName(s + 1, nameEnd, true)) return Step::Failed;
    m_attributes.clear();
    std::size_t p = nameEnd;
    bool selfClosing = false;
    for (;;) {
        const std::size_t before = p;
        while (p < m_len && IsSpace(b[p])) ++p;
        if (p + 1 >= m_len) return Step::NeedMore;
        if (b[p] == '>') {
            ++p;
            break;
        }
        if (b[p] == '/') {
            if (b[p + 1] != '>') return Fail(p, "Expected '>'.");
            p += 2;
            selfClosing = true;
            break;
        }
        if (p == before) return Fail(p, "Expected white space between attributes.");
        const std::size_t attrEnd = NameEnd(p, &more);
        if (more) return Step::NeedMore;
        if (attrEnd == p) return Fail(p, "Expected an attribute name.");
        if (!CheckName(p, attrEnd, false)) return Step::Failed;
        const TSpan name{p, attrEnd - p};
        p = attrEnd;
        while (p < m_len && IsSpace(b[p])) ++p;
        if (p >= m_len) return Step::NeedMore;
        if (b[p] != '=') return Fail(p, "Expected '='.");
        ++p;
        while (p < m_len && IsSpace(b[p])) ++p;
        if (p >= m_len) return Step::NeedMore;
        const char quote = b[p];
        if (quote != '"' && quote != '\'') return Fail(p, "Expected a quoted value.");
        const auto* close = static_cast<const char*>(std::memchr(b + p + 1, quote, m_len - p - 1));
        if (close == nullptr) return Step::NeedMore;
        const auto valueEnd = static_cast<std::size_t>(close - b);
        if (!CheckText(p + 1, valueEnd, ETextKind::Attribute)) return Step::Failed;
        const std::string_view nameText(b + name.Begin, name.Length);
        for (const TAttribute& a : m_attributes)
            if (std::string_view(b + a.Name.Begin, a.Name.Length) == nameText)
                return Fail(name.Begin, "Attribute redefined.");
        m_attributes.push_back({name, {p + 1, valueEnd - p - 1}});
        p = valueEnd + 1;
    }

    // The element is complete: its namespace declarations come into scope, then its
    // prefixes must be declared.
    const std::size_t declarationsBefore = m_namespaces.size();
    for (const TAttribute& a : m_attributes) {
        const std::string_view n(b + a.Name.Begin, a.Name.Length);
        if (n != "xmlns" && !n.starts_with("xmlns:")) continue;
        std::string value;
        Decode(a.Value.Begin, a.Value.Begin + a.Value.Length, ETextKind::Attribute, value);
        if (n.size() > 5 && value.empty()) {
            m_namespaces.resize(declarationsBefore);
            return Fail(a.Name.Begin, "Illegal namespace declaration.");
        }
        m_namespaces.push_back({std::string(n.size() > 5 ? n.substr(6) : std::string_view()),
                                QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()))});
    }
    auto prefixOf = [](std::string_view n) {
        const std::size_t colon = n.find(':');
        return colon == std::string_view::npos ? std::string_view() : n.substr(0, colon);
    };
    const std::string_view name(b + s + 1, nameEnd - s - 1);
    const std::string_view prefix = prefixOf(name);
    bool declared = prefix.empty() || PrefixDeclared(prefix);
    for (const TAttribute& a : m_attributes) {
        const std::string_view n(b + a.Name.Begin, a.Name.Length);
        const std::string_view p2 = prefixOf(n);
        if (!p2.empty() && p2 != "xmlns" && !PrefixDeclared(p2)) declared = false;
    }
    if (!declared) {
        m_namespaces.resize(declarationsBefore);
        return Fail(s + 1, "Namespace prefix not declared.");
    }

    const std::size_t at = m_names.size();
    m_names.append(name);
    m_open.push_back({at, at + (prefix.empty() ? 0 : prefix.size() + 1), name.size(), declarationsBefore});
    m_rootSeen = true;
    m_started = true;
    m_selfClosing = selfClosing;
    m_pos = p;
    m_token = StartElement;
    return Step::Done;
}

TXmlIn::Step TXmlIn::ParseEndTag(std::size_t s) {
    const char* b = m_buf.data();
    bool more = false;
    const std::size_t nameEnd = NameEnd(s + 2, &more);
    if (more) return Step::NeedMore;
    std::size_t p = nameEnd;
    while (p < m_len && IsSpace(b[p])) ++p;
    if (p >= m_len) return Step::NeedMore;
    if (b[p] != '>') return Fail(p, "Expected '>'.");
    const std::string_view name(b + s + 2, nameEnd - s - 2);
    if (m_open.empty() || name != std::string_view(m_names.data() + m_open.back().Name, m_open.back().Length))
        return Fail(s, "Opening and ending tag mismatch.");
    m_pos = p + 1;
    m_popPending = true;
    m_token = EndElement;
    return Step::Done;
}

TXmlIn::Step TXmlIn::ParseMarkup(std::size_t s) {
    const char* b = m_buf.data();
    const std::string_view rest(b + s, m_len - s);
    constexpr auto npos = std::string_view::npos;
    if (rest[1] == '?') {
        const std::size_t end = rest.find("?>", 2);
        if (end == npos) return Step::NeedMore;
        bool more = false;
        const std::size_t targetEnd = NameEnd(s + 2, &more);
        if (targetEnd == s + 2) return Fail(s + 2, "Expected a processing instruction target.");
        if (targetEnd != s + end && !IsSpace(b[targetEnd])) return Fail(targetEnd, "Expected ' ' or '?'.");
        if (EqualsNoCase(std::string_view(b + s + 2, targetEnd - s - 2), "xml")) {
            if (m_started) return Fail(s, "XML declaration not at start of document.");
            if (!CheckDeclaration(targetEnd, s + end)) return Step::Failed;
        } else if (std::memchr(b + s + 2, ':', targetEnd - s - 2) != nullptr) {
            return Fail(s + 2, "Invalid processing instruction target.");
        }
        if (!CheckText(targetEnd, s + end, ETextKind::Raw)) return Step::Failed;
        m_pos = s + end + 2;
        m_token = Other;
    } else if (rest.starts_with("<!--")) {
        const std::size_t end = rest.find("--", 4);
        if (end == npos || end + 2 >= rest.size()) return Step::NeedMore;
        if (rest[end + 2] != '>') return Fail(s + end, "Unexpected '--' in a comment.");
        if (!CheckText(s + 4, s + end, ETextKind::Raw)) return Step::Failed;
        m_pos = s + end + 3;
        m_token = Other;
    } else if (rest.size() < 9) {
        return Step::NeedMore;
    } else if (rest.starts_with("<![CDATA[")) {
        if (m_open.empty()) return Fail(s, "CDATA outside the root element.");
        const std::size_t end = rest.find("]]>", 9);
        if (end == npos) return Step::NeedMore;
        if (!CheckText(s + 9, s + end, ETextKind::Raw)) return Step::Failed;
        m_text = {s + 9, end - 9};
        m_textRaw = true;
        m_pos = s + end + 3;
        m_token = Characters;
    } else {
        return Fail(s, "Unsupported declaration.");
    }
    m_started = true;
    return Step::Done;
}

TXmlIn::Step TXmlIn::ParseCharacters(std::size_t s) {
    const char* b = m_buf.data();
    const auto* lt = static_cast<const char*>(std::memchr(b + s, '<', m_len - s));
    if (lt == nullptr && !m_eof) return Step::NeedMore;
    const std::size_t end = lt == nullptr ? m_len : static_cast<std::size_t>(lt - b);
    if (m_open.empty()) {
        // Outside the root element only white space may stand.
        for (std::size_t p = s; p < end; ++p)
            if (!IsSpace(b[p]))
                return Fail(p, m_rootClosed ? "Extra content at end of document." : "Start tag expected.");
    } else if (!CheckText(s, end, ETextKind::Content)) {
        return Step::Failed;
    }
    m_started = true;
    m_text = {s, end - s};
    m_textRaw = false;
    m_pos = end;
    m_token = Characters;
    return Step::Done;
}

bool TXmlIn::CheckText(std::size_t p, std::size_t q, ETextKind kind) {
    const auto* b = reinterpret_cast<const unsigned char*>(m_buf.data());
    const bool raw = kind == ETextKind::Raw;
    auto bad = [this](std::size_t at, const char* message) {
        Fail(at, message);
        return false;
    };
    while (p < q) {
        const unsigned char c = b[p];
        if (c >= 0x20 && c < 0x80 && ((c != '&' && c != '<' && c != ']') || raw)) {
            ++p;
            continue;
        }
        if (c < 0x80) {
            if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') return bad(p, "Invalid XML character.");
            if (c == '<') return bad(p, "'<' in an attribute value.");
            if (c == ']' && kind == ETextKind::Content && q - p >= 3 && b[p + 1] == ']' && b[p + 2] == '>')
                return bad(p, "']]>' in character data.");
            if (c == '&') {
                const auto* semicolon = static_cast<const unsigned char*>(std::memchr(b + p, ';', q - p));
                if (semicolon == nullptr ||
                    ReferenceValue(std::string_view(reinterpret_cast<const char*>(b + p + 1),
                                                    static_cast<std::size_t>(semicolon - b) - p - 1)) == 0)
                    return bad(p, "Invalid or undeclared reference.");
                p = static_cast<std::size_t>(semicolon - b) + 1;
                continue;
            }
            ++p;
            continue;
        }
        char32_t u = 0;
        const std::size_t n = Utf8Sequence(b + p, b + q, &u);
        if (n == 0) return bad(p, "Invalid UTF-8 in the document.");
        if (!IsXmlChar(u)) return bad(p, "Invalid XML character.");
        p += n;
    }
    return true;
}

void TXmlIn::Decode(std::size_t p, std::size_t q, ETextKind kind, std::string& out) const {
    const char* b = m_buf.data();
    const bool attribute = kind == ETextKind::Attribute;
    const bool references = kind != ETextKind::Raw;
    while (p < q) {
        const char* special = nullptr;
        for (const char* x = b + p; x < b + q; ++x) {
            if ((*x == '&' && references) || *x == '\r' || (attribute && (*x == '\n' || *x == '\t'))) {
                special = x;
                break;
            }
        }
        const std::size_t stop = special == nullptr ? q : static_cast<std::size_t>(special - b);
        out.append(b + p, stop - p);
        if (special == nullptr) return;
        p = stop;
        if (b[p] == '&') {
            const auto* semicolon = static_cast<const char*>(std::memchr(b + p, ';', q - p));
            AppendUtf8(out, ReferenceValue(std::string_view(
                                b + p + 1, static_cast<std::size_t>(semicolon - b) - p - 1)));
            p = static_cast<std::size_t>(semicolon - b) + 1;
        } else if (b[p] == '\r') {
            // A line end (CR LF or a lone CR) is one line feed; in an attribute, a space.
            out += attribute ? ' ' : '\n';
            p += (p + 1 < q && b[p + 1] == '\n') ? 2 : 1;
        } else {
            out += ' ';
            ++p;
        }
    }
}

QLatin1String TXmlIn::Name() const {
    if (m_open.empty()) return {};
    const TOpen& e = m_open.back();
    return {m_names.data() + e.Local, static_cast<qsizetype>(e.Length - (e.Local - e.Name))};
}

QString TXmlIn::NamespaceUri() const {
    if (m_open.empty()) return {};
    const TOpen& e = m_open.back();
    const std::string_view prefix(m_names.data() + e.Name, e.Local == e.Name ? 0 : e.Local - e.Name - 1);
    // The innermost declaration of the prefix.
    const auto it = std::find_if(m_namespaces.rbegin(), m_namespaces.rend(),
                                 [prefix](const TNamespace& n) { return n.Prefix == prefix; });
    return it == m_namespaces.rend() ? QString() : it->Uri;
}

QString TXmlIn::Attribute(QLatin1String name) const {
    if (m_token != StartElement) return {};
    const char* b = m_buf.data();
    for (const TAttribute& a : m_attributes) {
        if (std::string_view(b + a.Name.Begin, a.Name.Length) !=
            std::string_view(name.data(), static_cast<std::size_t>(name.size())))
            continue;
        std::string value;
        Decode(a.Value.Begin, a.Value.Begin + a.Value.Length, ETextKind::Attribute, value);
        return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
    }
    return {};
}

QString TXmlIn::ElementText() {
    std::string text;
    int depth = 0;
    for (;;) {
        switch (ReadNext()) {
            case Characters:
                // CDATA has no references; its line ends are made line feeds all the same.
                Decode(m_text.Begin, m_text.Begin + m_text.Length,
                       m_textRaw ? ETextKind::Raw : ETextKind::Content, text);
                break;
            case StartElement:
                ++depth;
                break;
            case EndElement:
                if (depth-- == 0) return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
                break;
            case EndDocument:
            case Invalid:
                return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
            default:
                break;
        }
    }
}
