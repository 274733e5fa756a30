#pragma once
// A pull reader for large UTF-8 XML documents: one pass over the bytes as they come from
// the device, checking that the document is well formed (tags that match, one root
// element, attributes written once, references that resolve, characters that XML allows,
// valid UTF-8, declared namespace prefixes) while it hands out elements. Names are given
// as they stand; texts and attribute values are decoded only when asked for. Documents in
// another encoding or with a document type declaration are left to Qt's reader (Handles).
//
//   if (TXmlIn::Handles(file)) {
//       TXmlIn xml(file);
//       while (!xml.AtEnd())
//           if (xml.ReadNext() == TXmlIn::StartElement && xml.Name() == QLatin1String("dive")) ...
//       if (xml.HasError()) report(xml.LineNumber(), xml.ErrorString());
//   }

#include <QString>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <QLatin1String>

class QIODevice;

class TXmlIn {
public:
    enum TokenType { NoToken, StartElement, EndElement, Characters, Other, EndDocument, Invalid };

    explicit TXmlIn(QIODevice& in);

    // Whether this reader reads the document on `in` (without consuming it): UTF-8, declared
    // or not, and no document type declaration near its start.
    static bool Handles(QIODevice& in);

    TokenType ReadNext();
    bool AtEnd() const { return m_token == EndDocument || m_token == Invalid; }
    bool HasError() const { return !m_error.isEmpty(); }
    QString ErrorString() const { return m_error; }
    // Line of the error (1-based).
    qint64 LineNumber() const { return m_errorLine; }

    // Local name of the current start or end element.
    QLatin1String Name() const;
    // Namespace of the current start element, through the declarations in scope.
    QString NamespaceUri() const;
    // Value of the current start element's attribute `name` (as written, with its prefix if
    // it has one), references resolved; empty when it has none.
    QString Attribute(QLatin1String name) const;
    // The text of the current start element and of all elements inside it, up to and
    // including its end element.
    QString ElementText();

private:
    enum class Step { Done, NeedMore, Failed };
    // Character data (references, no "]]>"), an attribute value (references) or the
    // inside of a comment, processing instruction or CDATA section (characters only).
    enum class ETextKind { Content, Attribute, Raw };
    struct TOpen {
        std::size_t Name;   // offset in m_names
        std::size_t Local;  // offset of the local part in m_names
        std::size_t Length;
        std::size_t Declarations;  // m_namespaces.size() before this element's own
    };
    struct TSpan {
        std::size_t Begin;
        std::size_t Length;
    };
    struct TAttribute {
        TSpan Name;
        TSpan Value;
    };
    struct TNamespace {
        std::string Prefix;  // empty: the default namespace
        QString Uri;
    };

    Step Parse();
    Step ParseStartTag(std::size_t s);
    Step ParseEndTag(std::size_t s);
    Step ParseMarkup(std::size_t s);
    Step ParseCharacters(std::size_t s);
    // The end of a name starting at p, p itself when none starts there; `more` when the
    // bytes end inside it.
    std::size_t NameEnd(std::size_t p, bool* more) const;
    // Checks the characters and references of [p, q); false (with the error set at the
    // offending byte) when one is not allowed.
    bool CheckText(std::size_t p, std::size_t q, ETextKind kind);
    // Appends the text of [p, q) to `out` as UTF-8: references resolved (not in Raw),
    // line ends made line feeds, and in attribute values white space made spaces.
    void Decode(std::size_t p, std::size_t q, ETextKind kind, std::string& out) const;
    // Checks a name of [p, q): valid UTF-8, at most one colon between a prefix and a
    // local part (of an element: one that starts as a name does).
    bool CheckName(std::size_t p, std::size_t q, bool element);
    // Checks the pseudo-attributes of the XML declaration in [p, q).
    bool CheckDeclaration(std::size_t p, std::size_t q);
    bool PrefixDeclared(std::string_view prefix) const;
    // Reads more of the device behind the unread bytes; false at the end of the stream.
    bool ReadMore();
    Step Fail(std::size_t at, const char* message);
    void PopClosed();

    QIODevice& m_in;
    std::vector<char> m_buf;
    std::size_t m_len = 0;  // bytes of m_buf that hold data
    std::size_t m_pos = 0;  // start of the next token
    bool m_eof = false;
    qint64 m_linesBefore = 0;  // line feeds in the bytes dropped from the front of m_buf

    TokenType m_token = NoToken;
    bool m_rootSeen = false;
    bool m_rootClosed = false;
    bool m_started = false;  // any markup or text seen (for the XML declaration)
    bool m_selfClosing = false;
    bool m_popPending = false;
    std::string m_names;  // the open elements' names, one after the other
    std::vector<TOpen> m_open;
    std::vector<TNamespace> m_namespaces;
    std::vector<TAttribute> m_attributes;
    TSpan m_text{0, 0};      // the current character data
    bool m_textRaw = false;  // CDATA: no references

    QString m_error;
    qint64 m_errorLine = 0;
};
