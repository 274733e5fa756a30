#pragma once
// Qt's XML reader behind the calls of TXmlIn, for the documents TXmlIn leaves to it (in
// another encoding than UTF-8 or with a document type declaration).
//
//   TQtXmlIn xml(file);
//   while (!xml.AtEnd()) if (xml.ReadNext() == TXmlIn::StartElement) ... xml.Name() ...

#include <QXmlStreamReader>

#include "TXmlIn.h"

class TQtXmlIn {
public:
    explicit TQtXmlIn(QIODevice& in) : m_xml(&in) {}

    TXmlIn::TokenType ReadNext() {
        switch (m_xml.readNext()) {
            case QXmlStreamReader::StartElement:
                return TXmlIn::StartElement;
            case QXmlStreamReader::EndElement:
                return TXmlIn::EndElement;
            default:
                return TXmlIn::Other;
        }
    }
    bool AtEnd() const { return m_xml.atEnd(); }
    bool HasError() const { return m_xml.hasError(); }
    QString ErrorString() const { return m_xml.errorString(); }
    qint64 LineNumber() const { return m_xml.lineNumber(); }
    QStringView Name() const { return m_xml.name(); }
    QString NamespaceUri() const { return m_xml.namespaceUri().toString(); }
    QString Attribute(QLatin1String name) const { return m_xml.attributes().value(name).toString(); }
    QString ElementText() { return m_xml.readElementText(QXmlStreamReader::IncludeChildElements); }

private:
    QXmlStreamReader m_xml;
};
