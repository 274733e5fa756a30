#include "TXmlOut.h"

#include <QIODevice>

#include "XmlChars.h"

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

// Appends one character escaped for text or an attribute value; false for a character
// that XML does not allow.
bool AppendEscaped(std::string& out, char32_t c, bool attribute) {
    switch (c) {
        case U'&':
            out += "&amp;";
            return true;
        case U'<':
            out += "&lt;";
            return true;
        case U'>':
            out += "&gt;";
            return true;
        case U'"':
            out += "&quot;";
            return true;
        case U'\r':
            // A raw carriage return would be folded into the line feed by the reader.
            out += "&#13;";
            return true;
        case U'\t':
            out += attribute ? "&#9;" : "\t";
            return true;
        case U'\n':
            out += attribute ? "&#10;" : "\n";
            return true;
        default:
            break;
    }
    if (!IsXmlChar(c)) return false;
    AppendUtf8(out, c);
    return true;
}

}  // namespace

TXmlOut::TXmlOut(QIODevice& out) : m_out(out) { m_buf.reserve(kFlushSize + 4096); }

void TXmlOut::StartDocument() { m_buf += R"(<?xml version="1.0" encoding="UTF-8"?>)"; }

void TXmlOut::NewLine(std::size_t depth) {
    m_buf += '\n';
    m_buf.append(depth, ' ');
}

void TXmlOut::CloseTag() {
    if (!m_tagOpen) return;
    m_tagOpen = false;
    if (m_emptyOpen) {
        m_emptyOpen = false;
        m_buf += "/>";
    } else {
        m_buf += '>';
    }
}

void TXmlOut::FlushIfFull() {
    if (m_buf.size() < kFlushSize) return;
    if (!m_failed &&
        m_out.write(m_buf.data(), static_cast<qint64>(m_buf.size())) != static_cast<qint64>(m_buf.size()))
        m_failed = true;
    m_buf.clear();
}

void TXmlOut::Start(std::string_view name) {
    CloseTag();
    if (!m_open.empty()) m_open.back().Children = true;
    NewLine(m_open.size());
    m_buf += '<';
    m_buf += name;
    m_open.push_back({std::string(name), false});
    m_tagOpen = true;
}

void TXmlOut::Empty(std::string_view name) {
    CloseTag();
    if (!m_open.empty()) m_open.back().Children = true;
    NewLine(m_open.size());
    m_buf += '<';
    m_buf += name;
    m_tagOpen = true;
    m_emptyOpen = true;
}

void TXmlOut::Attribute(std::string_view name, std::string_view ascii) {
    m_buf += ' ';
    m_buf += name;
    m_buf += "=\"";
    Escaped(ascii, true);
    m_buf += '"';
}

void TXmlOut::Attribute(std::string_view name, const QString& value) {
    m_buf += ' ';
    m_buf += name;
    m_buf += "=\"";
    Escaped(value, true);
    m_buf += '"';
}

std::string& TXmlOut::BeginText(std::string_view name) {
    CloseTag();
    if (!m_open.empty()) m_open.back().Children = true;
    NewLine(m_open.size());
    m_buf += '<';
    m_buf += name;
    m_buf += '>';
    return m_buf;
}

void TXmlOut::EndText(std::string_view name) {
    m_buf += "</";
    m_buf += name;
    m_buf += '>';
    FlushIfFull();
}

void TXmlOut::TextElement(std::string_view name, std::string_view ascii) {
    BeginText(name);
    Escaped(ascii, false);
    EndText(name);
}

void TXmlOut::TextElement(std::string_view name, const QString& value) {
    BeginText(name);
    Escaped(value, false);
    EndText(name);
}

void TXmlOut::End() {
    if (m_tagOpen && m_emptyOpen) CloseTag();  // an empty element needs no end of its own
    if (m_open.empty()) return;
    const TOpen& top = m_open.back();
    if (m_tagOpen) {
        m_tagOpen = false;
        m_buf += "/>";
    } else {
        if (top.Children) NewLine(m_open.size() - 1);
        m_buf += "</";
        m_buf += top.Name;
        m_buf += '>';
    }
    m_open.pop_back();
    FlushIfFull();
}

bool TXmlOut::Finish() {
    CloseTag();
    while (!m_open.empty()) End();
    m_buf += '\n';
    if (!m_failed &&
        m_out.write(m_buf.data(), static_cast<qint64>(m_buf.size())) != static_cast<qint64>(m_buf.size()))
        m_failed = true;
    m_buf.clear();
    return !m_failed;
}

void TXmlOut::Escaped(std::string_view ascii, bool attribute) {
    for (const char c : ascii) AppendEscaped(m_buf, static_cast<unsigned char>(c), attribute);
}

void TXmlOut::Escaped(const QString& text, bool attribute) {
    const qsizetype n = text.size();
    const QChar* p = text.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = p[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(p[i + 1].unicode())) {
            AppendUtf8(m_buf, QChar::surrogateToUcs4(u, p[i + 1].unicode()));
            ++i;
            continue;
        }
        AppendEscaped(m_buf, u, attribute);
    }
}
