#pragma once
// A streaming XML writer for large documents: UTF-8 straight into a buffer that reaches
// the device in large pieces, indented one space per level like Qt's auto-formatting.
// Names and numbers are ASCII views written as they are; texts are escaped, and
// characters that XML 1.0 does not allow (control characters other than tab, line feed
// and carriage return, lone surrogates, U+FFFE/U+FFFF) are left out, so that the document
// always parses.
//
//   TXmlOut xml(file);
//   xml.StartDocument();
//   xml.Start("dive");
//   xml.Attribute("id", "dive1");
//   xml.TextElement("divenumber", "12");
//   xml.End();
//   if (!xml.Finish()) reason = file.errorString();

#include <QString>
#include <string>
#include <string_view>
#include <vector>

class QIODevice;

class TXmlOut {
public:
    explicit TXmlOut(QIODevice& out);

    void StartDocument();
    void Start(std::string_view name);
    // An element without content; attributes may follow.
    void Empty(std::string_view name);
    void Attribute(std::string_view name, std::string_view ascii);
    void Attribute(std::string_view name, const QString& value);
    void Attribute(std::string_view name, const char* ascii) { Attribute(name, std::string_view(ascii)); }
    void TextElement(std::string_view name, std::string_view ascii);
    void TextElement(std::string_view name, const QString& value);
    void TextElement(std::string_view name, const char* ascii) { TextElement(name, std::string_view(ascii)); }
    void End();
    // Ends the document and hands the rest to the device; false when any write failed.
    bool Finish();

    // The buffer for numbers written in place: append, then close the element with
    // EndText(name) after BeginText(name).
    std::string& BeginText(std::string_view name);
    void EndText(std::string_view name);

private:
    void CloseTag();
    void NewLine(std::size_t depth);
    void Escaped(const QString& text, bool attribute);
    void Escaped(std::string_view ascii, bool attribute);
    void FlushIfFull();

    QIODevice& m_out;
    std::string m_buf;
    struct TOpen {
        std::string Name;
        bool Children = false;
    };
    std::vector<TOpen> m_open;
    bool m_tagOpen = false;    // the last start tag still takes attributes
    bool m_emptyOpen = false;  // … and is an empty element
    bool m_failed = false;
};
