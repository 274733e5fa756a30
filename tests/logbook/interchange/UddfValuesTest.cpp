// The writer's numbers and its XML: the fast number text equals Qt's fixed-point text
// (halves away from zero, trailing zeros dropped), and every document parses back to the
// texts that went in, whatever characters they hold.

#include <QBuffer>
#include <QXmlStreamReader>
#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "TXmlOut.h"
#include "UddfValues.h"

namespace {

// The number text as the first exports wrote it, through Qt's formatting.
QString QtNumber(double value, int decimals) {
    QString text = QString::number(value, 'f', decimals);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0'))) text.chop(1);
        if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    }
    if (text == QLatin1String("-0")) text = QStringLiteral("0");
    return text;
}

TEST(UddfNumber, EqualsQtsFixedPointTextIncludingExactHalves) {
    std::vector<std::pair<double, int>> cases = {
        {0.5, 0},    {1.5, 0},   {2.5, 0},    {-2.5, 0},     {0.125, 2}, {-0.125, 2}, {0.0625, 3},
        {1562.5, 0}, {2.675, 2}, {-0.001, 2}, {-0.0, 0},     {0, 5},     {1e-7, 5},   {999999.5, 0},
        {12.5, 5},   {0.05, 1},  {0.25, 1},   {0.95, 1},     {9.995, 2}, {288.15, 2}, {1e14 + 0.5, 0},
        {3.0000, 2}, {7.75, 1},  {-7.75, 1},  {100000.0, 0}, {1e15, 2},  {2e16, 1},   {-1e300, 2}};
    // Oxygen pressures and depths are multiples of 1/64: many of them are exact halves.
    for (int k = -300; k <= 3000; ++k) {
        cases.emplace_back(k / 64.0 * 1e5, 0);
        cases.emplace_back(k / 64.0 * 10, 5);
        cases.emplace_back(k / 64.0, 1);
        cases.emplace_back(k / 128.0, 2);
    }
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> any(-5e5, 5e5);
    for (int i = 0; i < 20000; ++i) cases.emplace_back(any(random), static_cast<int>(random() % 7));
    for (const auto& [value, decimals] : cases) {
        const QString expected = QtNumber(value, decimals);
        ASSERT_EQ(UddfNumber(value, decimals), expected) << value << " with " << decimals;
        std::string appended = "x";
        AppendUddfNumber(appended, value, decimals);
        ASSERT_EQ(QString::fromStdString(appended), QLatin1Char('x') + expected) << value;
    }
}

// A device that takes a few bytes and then refuses, like a disk that fills up.
class TFillingDevice : public QIODevice {
public:
    explicit TFillingDevice(qint64 room) : m_room(room) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 len) override {
        if (len > m_room) return -1;
        m_room -= len;
        return len;
    }

private:
    qint64 m_room;
};

TEST(XmlOut, TextsComeBackAsWrittenAndForbiddenCharactersAreLeftOut) {
    const QString markup =
        QString::fromUtf8("a < b & c > \"d\" 'e' ]]> \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x90\xA0");
    const QString lines = QStringLiteral("first\r\nsecond\tthird\nfourth\r");
    QString forbidden = QStringLiteral("bell");
    forbidden += QChar(0x07);
    forbidden += QChar(0x01);
    forbidden += QChar(0xFFFE);
    forbidden += QChar(0xD800);  // a lone surrogate
    forbidden += QStringLiteral("end");

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    TXmlOut xml(buffer);
    xml.StartDocument();
    xml.Start("root");
    xml.Attribute("xmlns", "urn:test");
    xml.Attribute("markup", markup);
    xml.Attribute("lines", lines);
    xml.TextElement("markup", markup);
    xml.TextElement("lines", lines);
    xml.TextElement("forbidden", forbidden);
    xml.Start("nested");
    xml.Empty("link");
    xml.Attribute("ref", "x1");
    xml.Start("none");
    xml.End();
    xml.TextElement("empty", QString());
    xml.End();
    ASSERT_TRUE(xml.Finish());

    QXmlStreamReader in(buffer.data());
    QStringList texts;
    QStringList names;
    while (!in.atEnd()) {
        in.readNext();
        if (!in.isStartElement()) continue;
        names << in.name().toString();
        if (in.name() == QLatin1String("root")) {
            EXPECT_EQ(in.namespaceUri(), QLatin1String("urn:test"));
            EXPECT_EQ(in.attributes().value(QLatin1String("markup")), markup);
            EXPECT_EQ(in.attributes().value(QLatin1String("lines")), lines);
        } else if (in.name() == QLatin1String("link")) {
            EXPECT_EQ(in.attributes().value(QLatin1String("ref")), QLatin1String("x1"));
        } else if (in.name() != QLatin1String("nested") && in.name() != QLatin1String("none")) {
            texts << in.readElementText();
        }
    }
    ASSERT_FALSE(in.hasError()) << in.errorString().toStdString() << "\n" << buffer.data().toStdString();
    EXPECT_EQ(names,
              QStringList({"root", "markup", "lines", "forbidden", "nested", "link", "none", "empty"}));
    EXPECT_EQ(texts, QStringList({markup, lines, QStringLiteral("bellend"), QString()}));
    // Indented one space per level, empty elements closed in their start tag.
    EXPECT_TRUE(
        buffer.data().contains("\n <nested>\n  <link ref=\"x1\"/>\n  <none/>\n  <empty></empty>\n </nested>"))
        << buffer.data().toStdString();
}

TEST(XmlOut, AWriteTheDeviceRefusesFailsTheDocument) {
    for (const qint64 room : {0, 100, 70000}) {
        TFillingDevice device(room);
        TXmlOut xml(device);
        xml.StartDocument();
        xml.Start("root");
        for (int i = 0; i < 20000; ++i) xml.TextElement("n", QString::number(i));
        EXPECT_FALSE(xml.Finish()) << room;
    }
    TFillingDevice roomy(1 << 22);
    TXmlOut xml(roomy);
    xml.StartDocument();
    xml.Start("root");
    for (int i = 0; i < 20000; ++i) xml.TextElement("n", QString::number(i));
    EXPECT_TRUE(xml.Finish());
}

}  // namespace
