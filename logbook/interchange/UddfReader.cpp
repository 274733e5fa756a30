#include "UddfReader.h"

#include <QDate>
#include <QRegularExpression>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <utility>

#include "Cp1252.h"
#include "DayNumber.h"
#include "EStreamReadError.h"
#include "InterchangeTexts.h"
#include "TLogbookReader.h"
#include "TQtXmlIn.h"
#include "TXmlIn.h"
#include "UddfWriter.h"

namespace {

constexpr double kZeroCelsius = 273.15;

// What a dive element of the document says, kept until the whole document has been read
// (sites, buddies and record images may come after the dives).
struct TForeignDive {
    QString Id;
    int Position = 0;  // 1-based, in document order
    QStringList Links;
    QString Number;
    QString DateTime;
    std::optional<double> AirTemperature;  // kelvin
    std::optional<double> LowestTemperature;
    std::optional<double> LowestWaypointTemperature;
    std::optional<double> GreatestDepth;  // metres
    std::optional<double> Duration;       // seconds
    QStringList Notes;
};

struct TSite {
    QString Name;
    QString Location;
};

// The document's dives, read through TXmlIn or TQtXmlIn.
template <typename Xml>
class TUddfReader {
public:
    TUddfReader(QIODevice& in, QString fileName, int languageIndex)
        : m_xml(in), m_fileName(std::move(fileName)), m_lang(languageIndex) {}

    UddfReadResult Run();

private:
    bool Inside(const char* name) const { return m_path.contains(QLatin1String(name)); }
    QString Parent() const { return m_path.isEmpty() ? QString() : m_path.last(); }
    void StartElement();
    void ReadSamples(TForeignDive* dive);
    QString Text() { return m_xml.ElementText().trimmed(); }
    // A float of the document; a value that does not read ends the import.
    std::optional<double> Number(const QString& element);
    std::unique_ptr<TDiveRec> Build(const TForeignDive& dive);
    QByteArray Storable(const QString& text, const TForeignDive& dive, ECsvColumn field);
    QString DiveLabel(const TForeignDive& dive) const {
        return dive.Number.isEmpty() ? QString::number(dive.Position) : dive.Number;
    }
    void Fail(EInterchangeText text, const QStringList& args = {});

    Xml m_xml;
    QString m_fileName;
    int m_lang;
    QStringList m_path;
    UddfReadResult m_result;

    std::vector<TForeignDive> m_dives;
    std::map<QString, TSite> m_sites;
    std::map<QString, QString> m_buddies;
    std::map<QString, QByteArray> m_dumps;  // dive id -> record image
    QString m_personId;
    QString m_firstName;
    QString m_lastName;
    QString m_siteId;
    TSite m_site;
    QString m_dumpLink;
    QByteArray m_dump;
    bool m_dumpDamaged = false;
};

template <typename Xml>
void TUddfReader<Xml>::Fail(EInterchangeText text, const QStringList& args) {
    if (!m_result.ErrorText.isEmpty()) return;
    // All placeholders at once, so a "%" in a file name is never taken for one.
    const QString message = InterchangeText(text, m_lang);
    switch (args.size()) {
        case 0:
            m_result.ErrorText = message.arg(m_fileName);
            break;
        case 1:
            m_result.ErrorText = message.arg(m_fileName, args[0]);
            break;
        default:
            m_result.ErrorText = message.arg(m_fileName, args[0], args[1]);
            break;
    }
}

template <typename Xml>
std::optional<double> TUddfReader<Xml>::Number(const QString& element) {
    bool ok = false;
    const double value = Text().toDouble(&ok);
    if (ok && std::isfinite(value)) return value;
    Fail(EInterchangeText::UddfBadValue,
         {m_dives.empty() ? QStringLiteral("-") : DiveLabel(m_dives.back()), element});
    return std::nullopt;
}

// The waypoints of a dive, read with a light touch: they make up most of a large document,
// and of all their elements only the water temperature matters to a hand-entered dive.
// Ends after the samples' end element, which it consumes.
template <typename Xml>
void TUddfReader<Xml>::ReadSamples(TForeignDive* dive) {
    int depth = 1;
    while (depth > 0 && !m_xml.AtEnd() && m_result.ErrorText.isEmpty()) {
        const TXmlIn::TokenType token = m_xml.ReadNext();
        if (token == TXmlIn::EndElement) {
            --depth;
        } else if (token == TXmlIn::StartElement) {
            if (dive != nullptr && depth == 2 && m_xml.Name() == QLatin1String("temperature")) {
                const std::optional<double> t = Number(QStringLiteral("temperature"));
                if (t && (!dive->LowestWaypointTemperature || *t < *dive->LowestWaypointTemperature))
                    dive->LowestWaypointTemperature = t;
            } else {
                ++depth;
            }
        }
    }
}

template <typename Xml>
void TUddfReader<Xml>::StartElement() {
    if (m_xml.Name() == QLatin1String("samples")) {
        const bool ofDive = !m_dives.empty() && Inside("dive") && Inside("profiledata");
        ReadSamples(ofDive ? &m_dives.back() : nullptr);
        return;
    }
    const QString name = m_xml.Name().toString();
    const QString parent = Parent();

    // People: the owner's dive computer and the buddies.
    if ((name == QLatin1String("owner") || name == QLatin1String("buddy")) &&
        parent == QLatin1String("diver")) {
        m_personId = m_xml.Attribute(QLatin1String("id"));
        m_firstName.clear();
        m_lastName.clear();
    } else if (name == QLatin1String("firstname") && parent == QLatin1String("personal") && Inside("diver")) {
        m_firstName = Text();
        return;
    } else if (name == QLatin1String("lastname") && parent == QLatin1String("personal") && Inside("diver")) {
        m_lastName = Text();
        return;
    } else if (name == QLatin1String("serialnumber") && parent == QLatin1String("divecomputer")) {
        bool ok = false;
        const qulonglong serial = Text().toULongLong(&ok);
        if (ok && m_result.SerialNumber == 0)
            m_result.SerialNumber = static_cast<std::uint32_t>(serial & 0xFFFFFF);
        return;
    }
    // Sites.
    else if (name == QLatin1String("site") && parent == QLatin1String("divesite")) {
        m_siteId = m_xml.Attribute(QLatin1String("id"));
        m_site = TSite();
    } else if (name == QLatin1String("name") && parent == QLatin1String("site")) {
        m_site.Name = Text();
        return;
    } else if (name == QLatin1String("location") && parent == QLatin1String("geography") && Inside("site")) {
        m_site.Location = Text();
        return;
    }
    // Dives.
    else if (name == QLatin1String("dive") && parent == QLatin1String("repetitiongroup")) {
        TForeignDive dive;
        dive.Id = m_xml.Attribute(QLatin1String("id"));
        dive.Position = static_cast<int>(m_dives.size()) + 1;
        m_dives.push_back(std::move(dive));
    } else if (!m_dives.empty() && Inside("dive") && Inside("profiledata")) {
        TForeignDive& dive = m_dives.back();
        if (parent == QLatin1String("informationbeforedive")) {
            if (name == QLatin1String("link")) {
                dive.Links << m_xml.Attribute(QLatin1String("ref"));
            } else if (name == QLatin1String("divenumber")) {
                dive.Number = Text();
                return;
            } else if (name == QLatin1String("datetime")) {
                dive.DateTime = Text();
                return;
            } else if (name == QLatin1String("airtemperature")) {
                dive.AirTemperature = Number(name);
                return;
            }
        } else if (parent == QLatin1String("informationafterdive")) {
            if (name == QLatin1String("lowesttemperature")) {
                dive.LowestTemperature = Number(name);
                return;
            }
            if (name == QLatin1String("greatestdepth")) {
                dive.GreatestDepth = Number(name);
                return;
            }
            if (name == QLatin1String("diveduration")) {
                dive.Duration = Number(name);
                return;
            }
        } else if (parent == QLatin1String("notes") && name == QLatin1String("para") &&
                   m_path.value(m_path.size() - 2) == QLatin1String("informationafterdive")) {
            const QString para = Text();
            if (!para.isEmpty()) dive.Notes << para;
            return;
        }
    }
    // Record images.
    else if (name == QLatin1String("divecomputerdump") && parent == QLatin1String("divecomputercontrol")) {
        m_dumpLink.clear();
        m_dump.clear();
        m_dumpDamaged = false;
    } else if (parent == QLatin1String("divecomputerdump")) {
        if (name == QLatin1String("link")) {
            m_dumpLink = m_xml.Attribute(QLatin1String("ref"));
        } else if (name == QLatin1String("dcdump")) {
            const auto decoded =
                QByteArray::fromBase64Encoding(Text().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
            m_dumpDamaged = !decoded;
            if (decoded) m_dump = *decoded;
            return;
        }
    }
    m_path << name;
}

template <typename Xml>
UddfReadResult TUddfReader<Xml>::Run() {
    bool rootSeen = false;
    while (!m_xml.AtEnd() && m_result.ErrorText.isEmpty()) {
        const TXmlIn::TokenType token = m_xml.ReadNext();
        if (token == TXmlIn::StartElement) {
            if (!rootSeen) {
                rootSeen = true;
                if (m_xml.Name() != QLatin1String("uddf") ||
                    m_xml.NamespaceUri() != QLatin1String(kUddfNamespace)) {
                    Fail(EInterchangeText::UddfForeign);
                    break;
                }
            }
            StartElement();
        } else if (token == TXmlIn::EndElement) {
            const QString name = m_path.isEmpty() ? QString() : m_path.takeLast();
            if ((name == QLatin1String("owner") || name == QLatin1String("buddy")) &&
                Parent() == QLatin1String("diver")) {
                if (name == QLatin1String("buddy") && !m_personId.isEmpty())
                    m_buddies[m_personId] = (m_firstName + QLatin1Char(' ') + m_lastName).trimmed();
            } else if (name == QLatin1String("site") && Parent() == QLatin1String("divesite")) {
                if (!m_siteId.isEmpty()) m_sites[m_siteId] = m_site;
            } else if (name == QLatin1String("divecomputerdump")) {
                if (m_dumpDamaged) {
                    Fail(EInterchangeText::UddfBadDump, {m_dumpLink});
                } else if (!m_dumpLink.isEmpty()) {
                    m_dumps[m_dumpLink] = m_dump;
                }
            }
        }
    }
    if (m_xml.HasError())
        Fail(EInterchangeText::UddfDamaged, {QString::number(m_xml.LineNumber()), m_xml.ErrorString()});
    if (!rootSeen) Fail(EInterchangeText::UddfForeign);
    if (!m_result.ErrorText.isEmpty()) return std::move(m_result);

    for (const TForeignDive& dive : m_dives) {
        std::unique_ptr<TDiveRec> rec = Build(dive);
        if (!rec) {
            m_result.Dives.clear();
            m_result.Notes.clear();
            return std::move(m_result);
        }
        m_result.Dives.push_back(std::move(rec));
    }
    return std::move(m_result);
}

template <typename Xml>
QByteArray TUddfReader<Xml>::Storable(const QString& text, const TForeignDive& dive, ECsvColumn field) {
    QByteArray bytes;
    if (!UnicodeToCp1252(text, bytes)) {
        bytes = UnicodeToCp1252Lossy(text);
        m_result.Notes << InterchangeText(EInterchangeText::TextReplaced, m_lang)
                              .arg(DiveLabel(dive), CsvColumnTitle(field, m_lang));
    }
    if (bytes.size() > TDiveRec::kMaxTextLength) {
        m_result.Notes << InterchangeText(EInterchangeText::TextCut, m_lang)
                              .arg(DiveLabel(dive), CsvColumnTitle(field, m_lang))
                              .arg(bytes.size() - TDiveRec::kMaxTextLength);
        bytes.truncate(TDiveRec::kMaxTextLength);
    }
    return bytes;
}

// A stored 16-bit value of a real, rounded to nearest (ties to even); values beyond the
// field are kept at its largest value below "not set".
std::int16_t Stored16(double value) {
    const double r = std::nearbyint(value);
    if (r >= kNotSet) return kNotSet - 1;
    if (r <= std::numeric_limits<std::int16_t>::min()) return std::numeric_limits<std::int16_t>::min();
    return static_cast<std::int16_t>(r);
}

template <typename Xml>
std::unique_ptr<TDiveRec> TUddfReader<Xml>::Build(const TForeignDive& dive) {
    const auto dump = m_dumps.find(dive.Id);
    if (dump != m_dumps.end()) {
        try {
            TLogbookReader in(dump->second);
            std::unique_ptr<TDiveRec> rec = TDiveRec::CreateFromStream(in, false);
            if (in.AtEnd()) return rec;
        } catch (const EStreamReadError&) {
        }
        Fail(EInterchangeText::UddfBadDump, {DiveLabel(dive)});
        return nullptr;
    }
    if (dive.DateTime.isEmpty()) {
        Fail(EInterchangeText::UddfNoDateTime, {DiveLabel(dive)});
        return nullptr;
    }
    // The local date and clock time as written; a zone offset and the seconds are dropped.
    static const QRegularExpression kDateTime(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})(?:T(\\d{2}):(\\d{2}))?"));
    const QRegularExpressionMatch m = kDateTime.match(dive.DateTime);
    const QDate date =
        m.hasMatch() ? QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()) : QDate();
    const int hour = m.captured(4).toInt();
    const int minute = m.captured(5).toInt();
    if (!date.isValid() || hour > 23 || minute > 59) {
        Fail(EInterchangeText::UddfBadValue, {DiveLabel(dive), QStringLiteral("datetime")});
        return nullptr;
    }
    std::unique_ptr<TDiveRec> rec = TDiveRec::CreateEmpty(QDateTime(date, QTime(hour, minute)));
    rec->DayNo = DayNoFromDate(date);
    rec->StartTime = static_cast<std::uint16_t>(hour * 60 + minute);
    bool numberOk = false;
    const uint number = dive.Number.toUInt(&numberOk);
    if (numberOk && number <= 0xFFFF) rec->DiveNumber = static_cast<std::uint16_t>(number);
    if (dive.GreatestDepth) rec->MaxDepth = Stored16(*dive.GreatestDepth * 100);
    if (dive.Duration) {
        const double minutes = std::nearbyint(*dive.Duration / 60);
        rec->DiveTime = static_cast<std::uint16_t>(minutes < 0          ? 0
                                                   : minutes >= kNotSet ? kNotSet - 1
                                                                        : minutes);
    }
    const std::optional<double> water =
        dive.LowestTemperature ? dive.LowestTemperature : dive.LowestWaypointTemperature;
    if (water) rec->MinWaterTemp = Stored16((*water - kZeroCelsius) * 100);
    if (dive.AirTemperature) rec->AirTemperature = Stored16((*dive.AirTemperature - kZeroCelsius) * 100);
    QStringList buddies;
    for (const QString& ref : dive.Links) {
        if (const auto site = m_sites.find(ref); site != m_sites.end()) {
            rec->Site = Storable(site->second.Name, dive, ECsvColumn::Site);
            rec->Location = Storable(site->second.Location, dive, ECsvColumn::Location);
        } else if (const auto buddy = m_buddies.find(ref);
                   buddy != m_buddies.end() && !buddy->second.isEmpty()) {
            buddies << buddy->second;
        }
    }
    rec->Buddies = Storable(buddies.join(QStringLiteral(", ")), dive, ECsvColumn::Buddies);
    // Remarks are one line in the logbook.
    QString remarks = dive.Notes.join(QLatin1Char(' '));
    remarks.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
    rec->Remarks = Storable(remarks, dive, ECsvColumn::Remarks);
    return rec;
}

}  // namespace

UddfReadResult ReadUddf(QIODevice& in, const QString& fileName, int languageIndex) {
    if (TXmlIn::Handles(in)) {
        TUddfReader<TXmlIn> reader(in, fileName, languageIndex);
        return reader.Run();
    }
    TUddfReader<TQtXmlIn> reader(in, fileName, languageIndex);
    return reader.Run();
}
