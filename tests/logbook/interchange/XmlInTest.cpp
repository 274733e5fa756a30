// The XML reader of large documents against Qt's reader: the same elements, attribute
// values and texts from well-formed documents, and the same verdict on damaged ones,
// whole, cut short at every byte, or changed at random.

#include <QBuffer>
#include <random>

#include <gtest/gtest.h>

#include "TQtXmlIn.h"
#include "TXmlIn.h"

namespace {

// What a reader saw: each start element with its "id" attribute (and the root's
// namespace), the text of each element named "t", each end element; and the verdict.
struct TTrace {
    bool Ok = false;
    QStringList Events;
    std::string Text() const { return Events.join(QLatin1Char('\n')).toStdString(); }
};

// The trace of `Xml` (TXmlIn, or Qt's reader behind the same calls).
template <typename Xml>
TTrace TraceOf(const QByteArray& document) {
    QBuffer buffer;
    buffer.setData(document);
    buffer.open(QIODevice::ReadOnly);
    Xml xml(buffer);
    TTrace trace;
    bool root = true;
    while (!xml.AtEnd()) {
        const TXmlIn::TokenType token = xml.ReadNext();
        if (token == TXmlIn::StartElement) {
            trace.Events
                << QStringLiteral("start %1 id=%2").arg(xml.Name(), xml.Attribute(QLatin1String("id")));
            if (root) trace.Events << QStringLiteral("ns %1").arg(xml.NamespaceUri());
            root = false;
            if (xml.Name() == QLatin1String("t")) {
                trace.Events << QStringLiteral("text %1").arg(xml.ElementText());
                trace.Events << QStringLiteral("end t");
            }
        } else if (token == TXmlIn::EndElement) {
            trace.Events << QStringLiteral("end %1").arg(xml.Name());
        }
    }
    trace.Ok = !xml.HasError();
    return trace;
}

TTrace OurTrace(const QByteArray& document) { return TraceOf<TXmlIn>(document); }
TTrace QtTrace(const QByteArray& document) { return TraceOf<TQtXmlIn>(document); }

// The reader the import takes for the document: this one, or Qt's for documents that
// this one leaves to it.
TTrace ImportTrace(const QByteArray& document) {
    QBuffer buffer;
    buffer.setData(document);
    buffer.open(QIODevice::ReadOnly);
    return TXmlIn::Handles(buffer) ? OurTrace(document) : QtTrace(document);
}

// A document with everything a reader meets: declaration, comments, processing
// instructions, namespaces with and without prefix, references, CDATA, line ends of
// every kind, non-ASCII text, empty elements and attributes in both quotes.
const QByteArray kRich = QByteArrayLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<!-- made by hand -->\n"
    "<uddf xmlns=\"http://www.streit.cc/uddf/3.2/\" xmlns:x='urn:x' version=\"3.2.0\">\n"
    " <?sort by-date?>\n"
    " <dive id=\"d&amp;1\"><t>Sicht &lt;25&gt; m, &quot;gut&quot; &apos;ok&apos;</t>\n"
    "  <x:extra x:id='e1' id='plain'/>\n"
    "  <t>Zeile 1\r\nZeile 2\rZeile 3&#13;&#x41;&#66;</t>\n"
    "  <t><![CDATA[<raw> & ]] > stays]]></t>\n"
    "  <t>outer <b>inner</b> tail \xC3\xBC\xE2\x82\xAC\xF0\x9F\x90\xA0</t>\n"
    "  <link id=\"a\tb\nc\r\nd\"/>\n"
    "  <empty></empty>\n"
    " </dive>\n"
    "</uddf>\n"
    "<!-- after -->\n");

TEST(XmlIn, ReadsWellFormedDocumentsAsQtDoes) {
    const QList<QByteArray> documents = {
        kRich,
        QByteArrayLiteral("<a/>"),
        QByteArrayLiteral("\xEF\xBB\xBF<?xml version='1.0'?><a><t>x</t></a>"),
        QByteArrayLiteral("<a xmlns:p='urn:p'><p:b id='1'><t/></p:b></a>\n\n"),
        QByteArrayLiteral("<a><t>&#x10FFFF;&#xD7FF;</t></a>"),
        QByteArrayLiteral("<?xml version=\"1.0\" standalone=\"yes\" ?><a  id = \"s\" />"),
    };
    for (const QByteArray& document : documents) {
        const TTrace ours = OurTrace(document);
        const TTrace qt = QtTrace(document);
        EXPECT_TRUE(qt.Ok) << document.toStdString();
        EXPECT_TRUE(ours.Ok) << document.toStdString();
        EXPECT_EQ(ours.Text(), qt.Text()) << document.toStdString();
    }
}

TEST(XmlIn, RefusesDamagedDocumentsAsQtDoesAndNamesTheLine) {
    const QList<QByteArray> documents = {
        "",
        "   ",
        "text",
        "<a>",
        "<a></b>",
        "<a></a><b/>",
        "<a></a>text",
        "<a b='1' b='2'/>",
        "<a b='1'c='2'/>",
        "<a b=1/>",
        "<a b='<'/>",
        "<a>&unknown;</a>",
        "<a>&#0;</a>",
        "<a>&#xD800;</a>",
        "<a>& amp;</a>",
        "<a>]]></a>",
        "<a>\x01</a>",
        "<a>\xC3</a>",
        "<a>\xED\xA0\x80</a>",
        "<a>\xEF\xBF\xBF</a>",
        "<p:a/>",
        "<a><p:b xmlns:q='u'/></a>",
        "<:a/>",
        "<a xmlns:p=''/>",
        "<?pi=1?><a/>",
        "<a:/>",
        "<a:b:c xmlns:a='u'/>",
        " <?xml version='1.0'?><a/>",
        "<a/><?xml version='1.0'?>",
        "<?xml encoding='UTF-8'?><a/>",
        "<?xml version='1.0' standalone='maybe'?><a/>",
        "<?xml version='2.0'?><a/>",
        "<a><!-- a -- b --></a>",
        "<a><![CDATA[never closed</a>",
        "<![CDATA[x]]><a/>",
        "<a></a >x",
        "</a>",
        "<a><b></a></b>",
        "<\xFF/>",
    };
    for (const QByteArray& document : documents) {
        EXPECT_FALSE(QtTrace(document).Ok) << "Qt accepts " << document.toStdString();
        EXPECT_FALSE(OurTrace(document).Ok) << document.toStdString();
    }

    QBuffer buffer;
    const QByteArray mismatch = "<a>\n<b>\r\n\n</c>\n</a>";
    buffer.setData(mismatch);
    buffer.open(QIODevice::ReadOnly);
    TXmlIn xml(buffer);
    while (!xml.AtEnd()) xml.ReadNext();
    EXPECT_TRUE(xml.HasError());
    EXPECT_EQ(xml.LineNumber(), 4);
    EXPECT_FALSE(xml.ErrorString().isEmpty());
}

TEST(XmlIn, EveryCutAndRandomChangeGetsQtsVerdict) {
    // Cut short: only the cuts that leave the root element whole are documents.
    for (qsizetype n = 0; n <= kRich.size(); ++n) {
        const QByteArray cut = kRich.left(n);
        ASSERT_EQ(ImportTrace(cut).Ok, QtTrace(cut).Ok) << "cut at " << n << ":\n" << cut.toStdString();
    }
    // One byte changed, inserted or removed, 6,000 times with a fixed seed; the bytes are
    // the document's own kind (ASCII markup and text), where the two readers' rules agree.
    std::mt19937 random(20261208);
    const QByteArray alphabet = "<>/='\"&;#x!?-[]: \n\tabtuxmlns0123456789";
    for (int i = 0; i < 6000; ++i) {
        QByteArray changed = kRich;
        const auto at = static_cast<qsizetype>(random() % static_cast<unsigned>(changed.size()));
        const char c = alphabet[static_cast<qsizetype>(random() % static_cast<unsigned>(alphabet.size()))];
        switch (random() % 3) {
            case 0:
                changed[at] = c;
                break;
            case 1:
                changed.insert(at, c);
                break;
            default:
                changed.remove(at, 1);
                break;
        }
        const TTrace ours = ImportTrace(changed);
        const TTrace qt = QtTrace(changed);
        ASSERT_EQ(ours.Ok, qt.Ok) << "change " << i << ":\n" << changed.toStdString();
        if (ours.Ok) {
            ASSERT_EQ(ours.Text(), qt.Text()) << changed.toStdString();
        }
    }
}

TEST(XmlIn, TokensAcrossTheReadBufferComeWhole) {
    // Several megabytes: elements, attributes, references and a long text fall across the
    // pieces the reader takes from the device.
    QByteArray document = "<?xml version=\"1.0\"?>\n<log>\n";
    for (int i = 0; i < 40000; ++i)
        document += "<w id=\"w" + QByteArray::number(i) + "\"><t>&#x" +
                    QByteArray::number(0x41 + i % 26, 16) + ";-" + QByteArray::number(i) +
                    " \xC3\xA4</t></w>\n";
    document += "<t>" + QByteArray(3 << 20, 'z') + "</t>\n</log>\n";
    const TTrace ours = OurTrace(document);
    ASSERT_TRUE(ours.Ok);
    EXPECT_EQ(ours.Text(), QtTrace(document).Text());
}

TEST(XmlIn, LeavesOtherEncodingsAndDocumentTypesToQt) {
    auto handles = [](const QByteArray& document) {
        QBuffer buffer;
        buffer.setData(document);
        buffer.open(QIODevice::ReadOnly);
        const bool handled = TXmlIn::Handles(buffer);
        EXPECT_EQ(buffer.pos(), 0);  // nothing consumed
        return handled;
    };
    EXPECT_TRUE(handles("<a/>"));
    EXPECT_TRUE(handles("<?xml version=\"1.0\"?><a/>"));
    EXPECT_TRUE(handles("<?xml version=\"1.0\" encoding=\"utf-8\"?><a/>"));
    EXPECT_TRUE(handles("\xEF\xBB\xBF<?xml version='1.0' encoding='UTF-8'?><a/>"));
    EXPECT_FALSE(handles("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a/>"));
    EXPECT_FALSE(handles(QByteArray("\xFF\xFE<\0a\0/\0>\0", 10)));
    EXPECT_FALSE(handles(QByteArray("<\0a\0/\0>\0", 8)));
    EXPECT_FALSE(handles("<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY e \"x\">]><a>&e;</a>"));
}

}  // namespace
