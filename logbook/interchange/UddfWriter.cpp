#include "UddfWriter.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QXmlStreamWriter>
#include <map>
#include <memory>
#include <set>

#include "Cp1252.h"
#include "DayNumber.h"
#include "DiveAnalysis.h"
#include "DiveTexts.h"
#include "Language.h"
#include "TDiveCollection.h"
#include "TLogbookWriter.h"
#include "TParameterTables.h"
#include "TTissueModel.h"
#include "UddfValues.h"

namespace {

const QString kNs = QString::fromLatin1(kUddfNamespace);

// Warning bits of a profile point that UDDF has an alarm for.
struct AlarmBit {
    std::uint16_t Mask;
    const char* Name;
};
constexpr AlarmBit kAlarmBits[] = {{0x04, "ascent"}, {0x02, "rbt"}, {0x10, "breath"}};

// Suit list entries: UDDF's kind of suit (the blank entry and "no suit" have none).
const char* SuitKind(int suit) {
    switch (suit) {
        case 2:
        case 3:
        case 4:
        case 5:
            return "wet-suit";
        case 6:
            return "dry-suit";
        default:
            return nullptr;
    }
}

// The first activity that UDDF's purpose list names, else "other" for any activity.
const char* Purpose(std::uint16_t activities) {
    struct Map {
        int Bit;
        const char* Purpose;
    };
    constexpr Map kMap[] = {
        {0, "sightseeing"}, {2, "learning"}, {3, "teaching"}, {11, "photography-videography"}};
    for (const Map& m : kMap)
        if ((activities & (1u << m.Bit)) != 0) return m.Purpose;
    return activities != 0 ? "other" : nullptr;
}

// Lower bound of each altitude class, metres.
constexpr int kAltitudeFloor[] = {0, 0, 900, 1750, 2700};

QString SiteKey(const TDiveRec& d) {
    return QString::fromLatin1(d.Location.toHex()) + QLatin1Char('/') + QString::fromLatin1(d.Site.toHex());
}

// Names of the dive's buddies: the text split at commas and semicolons.
QStringList BuddyNames(const TDiveRec& d) {
    QStringList names;
    const QString text = Cp1252ToUnicode(d.Buddies);
    for (QString part : text.split(QRegularExpression(QStringLiteral("[,;]")), Qt::SkipEmptyParts)) {
        part = part.trimmed();
        if (!part.isEmpty() && !names.contains(part)) names << part;
    }
    return names;
}

class TUddfWriter {
public:
    TUddfWriter(QIODevice& out, const TDiveCollection& logbook, const std::vector<std::size_t>& indices,
                TParameterTables* tables)
        : m_xml(&out), m_logbook(logbook), m_indices(indices), m_tables(tables) {}

    UddfWriteResult Run();

private:
    void Collect();
    void WriteGenerator();
    void WriteDiver();
    void WriteSites();
    void WriteGases();
    void WriteProfiles();
    void WriteDive(const TDiveRec& d, std::size_t index);
    void WriteSamples(const TDiveRec& d, int o2Percent);
    void WriteDumps();
    void Element(const QString& name, const QString& value) { m_xml.writeTextElement(name, value); }
    void Link(const QString& ref) {
        m_xml.writeEmptyElement(QStringLiteral("link"));
        m_xml.writeAttribute(QStringLiteral("ref"), ref);
    }
    void Person(const QString& id, const QString& name);

    QXmlStreamWriter m_xml;
    const TDiveCollection& m_logbook;
    const std::vector<std::size_t>& m_indices;
    TParameterTables* m_tables;
    std::unique_ptr<TTissueModel> m_model;
    std::unique_ptr<DiveProfile> m_profile;

    bool m_anyDownloaded = false;
    std::map<QString, QString> m_siteIds;  // SiteKey -> id
    std::map<QString, QString> m_buddyIds;
    std::set<int> m_suits;
    std::set<int> m_tanks;  // TankSize values
    std::set<int> m_gases;  // oxygen percentages
};

void TUddfWriter::Collect() {
    for (std::size_t i : m_indices) {
        const TDiveRec& d = m_logbook.At(i);
        if (d.IsDownloaded()) m_anyDownloaded = true;
        if (!d.Location.isEmpty() || !d.Site.isEmpty()) {
            auto [it, added] = m_siteIds.emplace(SiteKey(d), QString());
            if (added) it->second = QStringLiteral("site%1").arg(m_siteIds.size());
        }
        for (const QString& name : BuddyNames(d)) {
            auto [it, added] = m_buddyIds.emplace(name, QString());
            if (added) it->second = QStringLiteral("buddy%1").arg(m_buddyIds.size());
        }
        if (SuitKind(d.Suit) != nullptr) m_suits.insert(d.Suit);
        if (d.TankSize != kNotSet && d.TankSize > 0) m_tanks.insert(d.TankSize);
        if (d.HasProfile()) m_gases.insert(GasOxygenPercent(d));
    }
}

void TUddfWriter::WriteGenerator() {
    m_xml.writeStartElement(QStringLiteral("generator"));
    Element(QStringLiteral("name"), QStringLiteral("Kelwin"));
    Element(QStringLiteral("type"), QStringLiteral("logbook"));
    Element(QStringLiteral("version"), QStringLiteral("3.06"));
    Element(QStringLiteral("datetime"), QDateTime::currentDateTime().toString(Qt::ISODate));
    m_xml.writeEndElement();
}

void TUddfWriter::Person(const QString& id, const QString& name) {
    m_xml.writeAttribute(QStringLiteral("id"), id);
    m_xml.writeStartElement(QStringLiteral("personal"));
    // The logbook keeps one name text; its last word counts as the last name.
    const qsizetype space = name.lastIndexOf(QLatin1Char(' '));
    Element(QStringLiteral("firstname"), space < 0 ? name : name.left(space));
    Element(QStringLiteral("lastname"), space < 0 ? QString() : name.mid(space + 1));
    m_xml.writeEndElement();
}

void TUddfWriter::WriteDiver() {
    m_xml.writeStartElement(QStringLiteral("diver"));
    m_xml.writeStartElement(QStringLiteral("owner"));
    Person(QStringLiteral("owner"), QString());
    const bool anyEquipment = m_anyDownloaded || !m_suits.empty() || !m_tanks.empty();
    if (anyEquipment) {
        m_xml.writeStartElement(QStringLiteral("equipment"));
        if (m_anyDownloaded) {
            m_xml.writeStartElement(QStringLiteral("divecomputer"));
            m_xml.writeAttribute(QStringLiteral("id"), QStringLiteral("divecomputer"));
            Element(QStringLiteral("name"), QStringLiteral("Dive computer"));
            Element(QStringLiteral("serialnumber"), QString::number(m_logbook.DiveComputerId & 0xFFFFFF));
            m_xml.writeEndElement();
        }
        const QStringList suitNames = ItemsOf(QStringLiteral("TEditDlg"), QStringLiteral("eSuit"));
        for (int suit : m_suits) {
            m_xml.writeStartElement(QStringLiteral("suit"));
            m_xml.writeAttribute(QStringLiteral("id"), QStringLiteral("suit%1").arg(suit));
            Element(QStringLiteral("name"), suitNames.value(suit));
            Element(QStringLiteral("suittype"), QString::fromLatin1(SuitKind(suit)));
            m_xml.writeEndElement();
        }
        for (int tank : m_tanks) {
            m_xml.writeStartElement(QStringLiteral("tank"));
            m_xml.writeAttribute(QStringLiteral("id"), QStringLiteral("tank%1").arg(tank));
            Element(QStringLiteral("name"), FormatValue(kVolumeFormat, tank, kMetric));
            Element(QStringLiteral("tankvolume"), UddfNumber(tank / 100000.0, 5));
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();  // owner
    for (const auto& [name, id] : m_buddyIds) {
        m_xml.writeStartElement(QStringLiteral("buddy"));
        Person(id, name);
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();
}

void TUddfWriter::WriteSites() {
    if (m_siteIds.empty()) return;
    // The texts come back from the keys' dives.
    std::map<QString, const TDiveRec*> firstDive;
    for (std::size_t i : m_indices) firstDive.emplace(SiteKey(m_logbook.At(i)), &m_logbook.At(i));
    m_xml.writeStartElement(QStringLiteral("divesite"));
    for (const auto& [key, id] : m_siteIds) {
        const TDiveRec& d = *firstDive.at(key);
        m_xml.writeStartElement(QStringLiteral("site"));
        m_xml.writeAttribute(QStringLiteral("id"), id);
        Element(QStringLiteral("name"), Cp1252ToUnicode(d.Site));
        if (!d.Location.isEmpty()) {
            m_xml.writeStartElement(QStringLiteral("geography"));
            Element(QStringLiteral("location"), Cp1252ToUnicode(d.Location));
            m_xml.writeEndElement();
        }
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();
}

void TUddfWriter::WriteGases() {
    if (m_gases.empty()) return;
    m_xml.writeStartElement(QStringLiteral("gasdefinitions"));
    for (int percent : m_gases) {
        m_xml.writeStartElement(QStringLiteral("mix"));
        m_xml.writeAttribute(QStringLiteral("id"), QStringLiteral("mix%1").arg(percent));
        Element(QStringLiteral("name"),
                percent == 21 ? QStringLiteral("Air") : QStringLiteral("Nitrox %1").arg(percent));
        Element(QStringLiteral("o2"), UddfNumber(percent / 100.0, 2));
        Element(QStringLiteral("n2"), UddfNumber((100 - percent) / 100.0, 2));
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();
}

void TUddfWriter::WriteProfiles() {
    m_xml.writeStartElement(QStringLiteral("profiledata"));
    bool groupOpen = false;
    int group = 0;
    for (std::size_t i : m_indices) {
        const TDiveRec& d = m_logbook.At(i);
        // A repetitive dive joins the group of the dive before it.
        if (!groupOpen || (d.DiveType & 3) != DiveTypeFlag::kRepetitive) {
            if (groupOpen) m_xml.writeEndElement();
            m_xml.writeStartElement(QStringLiteral("repetitiongroup"));
            m_xml.writeAttribute(QStringLiteral("id"), QStringLiteral("group%1").arg(++group));
            groupOpen = true;
        }
        WriteDive(d, i);
    }
    if (groupOpen) m_xml.writeEndElement();
    m_xml.writeEndElement();
}

void TUddfWriter::WriteDive(const TDiveRec& d, std::size_t index) {
    m_xml.writeStartElement(QStringLiteral("dive"));
    m_xml.writeAttribute(QStringLiteral("id"), UddfDiveId(index));

    m_xml.writeStartElement(QStringLiteral("informationbeforedive"));
    if (!d.Location.isEmpty() || !d.Site.isEmpty()) Link(m_siteIds.at(SiteKey(d)));
    for (const QString& name : BuddyNames(d)) Link(m_buddyIds.at(name));
    if (d.DiveNumber > 0) Element(QStringLiteral("divenumber"), QString::number(d.DiveNumber));
    Element(QStringLiteral("datetime"), UddfDateTime(d.DayNo, d.StartTime));
    if (d.AirTemperature != kNotSet) Element(QStringLiteral("airtemperature"), UddfKelvin(d.AirTemperature));
    if (d.SurfaceInterval != kNotSet && d.SurfaceInterval >= 0) {
        m_xml.writeStartElement(QStringLiteral("surfaceintervalbeforedive"));
        Element(QStringLiteral("passedtime"), QString::number(d.SurfaceInterval * 60));
        m_xml.writeEndElement();
    } else if ((d.DiveType & 3) == DiveTypeFlag::kSingle) {
        m_xml.writeStartElement(QStringLiteral("surfaceintervalbeforedive"));
        m_xml.writeEmptyElement(QStringLiteral("infinity"));
        m_xml.writeEndElement();
    }
    if (d.AltitudeRange >= 1 && d.AltitudeRange <= 4)
        Element(QStringLiteral("altitude"), QString::number(kAltitudeFloor[d.AltitudeRange]));
    const bool suit = SuitKind(d.Suit) != nullptr;
    const bool tank = d.TankSize != kNotSet && d.TankSize > 0;
    if (d.IsDownloaded() || suit || tank) {
        m_xml.writeStartElement(QStringLiteral("equipmentused"));
        if (d.IsDownloaded()) Link(QStringLiteral("divecomputer"));
        if (suit) Link(QStringLiteral("suit%1").arg(d.Suit));
        if (tank) Link(QStringLiteral("tank%1").arg(d.TankSize));
        m_xml.writeEndElement();
    }
    Element(QStringLiteral("apparatus"),
            d.IsSCR() ? QStringLiteral("rebreather") : QStringLiteral("open-scuba"));
    if (const char* purpose = Purpose(d.Activities))
        Element(QStringLiteral("purpose"), QString::fromLatin1(purpose));
    if (d.Suit == 1) m_xml.writeEmptyElement(QStringLiteral("nosuit"));
    if (d.AltitudeRange >= 1 && d.AltitudeRange <= 4)
        Element(QStringLiteral("surfacepressure"), UddfNumber(SurfacePressure(d.AltitudeRange) * 1e5, 0));
    m_xml.writeEndElement();  // informationbeforedive

    const int o2Percent = GasOxygenPercent(d);
    if (d.HasProfile()) WriteSamples(d, o2Percent);

    m_xml.writeStartElement(QStringLiteral("informationafterdive"));
    if (d.MinWaterTemp != kNotSet) Element(QStringLiteral("lowesttemperature"), UddfKelvin(d.MinWaterTemp));
    Element(QStringLiteral("greatestdepth"),
            d.MaxDepth == kNotSet ? QStringLiteral("0") : UddfNumber(d.MaxDepth / 100.0, 2));
    if (d.AirConsumption != kNotSet)
        Element(QStringLiteral("pressuredrop"),
                QString::number(static_cast<qint64>(d.AirConsumption) * 1000));
    // Remarks first; weather, dive type and activities have no element of their own.
    const int lang = CurrentLanguage();
    QStringList paras;
    if (!d.Remarks.isEmpty()) paras << Cp1252ToUnicode(d.Remarks);
    if (d.Weather > 0)
        paras << CaptionOf(QStringLiteral("TDispDlg"), QStringLiteral("lCond")) + QStringLiteral(": ") +
                     ItemsOf(QStringLiteral("TEditDlg"), QStringLiteral("eCond")).value(d.Weather);
    const QString type = DiveTypeText(d.DiveType, lang);
    if (!type.isEmpty())
        paras << CaptionOf(QStringLiteral("TDispDlg"), QStringLiteral("lType")) + QStringLiteral(": ") + type;
    const QString activities = ActivitiesText(d.Activities, Cp1252ToUnicode(d.OtherActivity), lang);
    if (!activities.isEmpty())
        paras << CaptionOf(QStringLiteral("TDispDlg"), QStringLiteral("lActivity")) + QStringLiteral(": ") +
                     activities;
    if (!paras.isEmpty()) {
        m_xml.writeStartElement(QStringLiteral("notes"));
        for (const QString& p : paras) Element(QStringLiteral("para"), p);
        m_xml.writeEndElement();
    }
    Element(QStringLiteral("diveduration"),
            d.DiveTime == kNotSet ? QStringLiteral("0") : QString::number(d.DiveTime * 60));
    QStringList alarms;
    if (d.DeviceStatus & DeviceStatusFlag::kAscentAlarm) alarms << QStringLiteral("ascent-warning-too-long");
    if (d.DeviceStatus & DeviceStatusFlag::kSOS) alarms << QStringLiteral("sos-mode");
    if (d.DeviceStatus & DeviceStatusFlag::kWorkAlarm) alarms << QStringLiteral("work-too-hard");
    if (!alarms.isEmpty()) {
        m_xml.writeStartElement(QStringLiteral("globalalarmsgiven"));
        for (const QString& a : alarms) Element(QStringLiteral("globalalarm"), a);
        m_xml.writeEndElement();
    }
    if (d.HasProfile() && m_profile->MeanDepth > 0)
        Element(QStringLiteral("averagedepth"), UddfNumber(m_profile->MeanDepth * 10, 2));
    m_xml.writeEndElement();  // informationafterdive
    m_xml.writeEndElement();  // dive
}

void TUddfWriter::WriteSamples(const TDiveRec& d, int o2Percent) {
    if (!m_profile) m_profile = std::make_unique<DiveProfile>();
    // Each dive from a fresh model, so its figures do not depend on which dives were
    // exported before it.
    m_model = std::make_unique<TTissueModel>(*m_tables);
    ReplayDive(d, *m_profile, *m_model);  // EMissingTabFile leaves through Run
    const DiveProfile& p = *m_profile;
    const TModelState& s = m_model->State();
    const bool toxicity = p.Family != ProfileFamily::Basic;
    m_xml.writeStartElement(QStringLiteral("samples"));
    for (int i = 0; i <= p.Count; ++i) {
        const ProfilePoint& pt = p.Points[static_cast<std::size_t>(i)];
        m_xml.writeStartElement(QStringLiteral("waypoint"));
        for (const AlarmBit& a : kAlarmBits)
            if ((pt.DepthWord & a.Mask) != 0) Element(QStringLiteral("alarm"), QString::fromLatin1(a.Name));
        if (toxicity) Element(QStringLiteral("cns"), QString::number(pt.CNSPercent));
        if (pt.StopIndex > 0) {
            m_xml.writeEmptyElement(QStringLiteral("decostop"));
            m_xml.writeAttribute(QStringLiteral("kind"), QStringLiteral("mandatory"));
            m_xml.writeAttribute(QStringLiteral("decodepth"),
                                 UddfNumber(s.StopDepth[static_cast<std::size_t>(pt.StopIndex)] * 10, 1));
            m_xml.writeAttribute(QStringLiteral("duration"), QString::number(pt.StopTime * 60));
        }
        if (toxicity) Element(QStringLiteral("calculatedpo2"), UddfNumber(pt.PO2 * 1e5, 0));
        Element(QStringLiteral("depth"), UddfNumber(PointDepth(pt) * 10, 5));  // 1/64 bar is exact
        Element(QStringLiteral("divetime"), QString::number(i * 20));
        if (i == 0) {
            m_xml.writeEmptyElement(QStringLiteral("switchmix"));
            m_xml.writeAttribute(QStringLiteral("ref"), QStringLiteral("mix%1").arg(o2Percent));
            m_xml.writeEmptyElement(QStringLiteral("divemode"));
            m_xml.writeAttribute(QStringLiteral("type"), d.IsSCR() ? QStringLiteral("semiclosedcircuit")
                                                                   : QStringLiteral("opencircuit"));
        }
        if (pt.StopIndex == 0) Element(QStringLiteral("nodecotime"), QString::number(pt.NoStopTime * 60));
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();
}

void TUddfWriter::WriteDumps() {
    m_xml.writeStartElement(QStringLiteral("divecomputercontrol"));
    for (std::size_t i : m_indices) {
        const TDiveRec& d = m_logbook.At(i);
        TLogbookWriter image(TDiveRec::kFixedImageSize + d.ProfileBlock.size() + 1300);
        d.WriteToStream(image, false);
        m_xml.writeStartElement(QStringLiteral("divecomputerdump"));
        Link(UddfDiveId(i));
        Element(QStringLiteral("datetime"), UddfDateTime(d.DayNo, d.StartTime));
        Element(QStringLiteral("dcdump"), QString::fromLatin1(image.Data().toBase64()));
        m_xml.writeEndElement();
    }
    m_xml.writeEndElement();
}

UddfWriteResult TUddfWriter::Run() {
    UddfWriteResult result;
    bool needsTables = false;
    for (std::size_t i : m_indices) needsTables = needsTables || m_logbook.At(i).HasProfile();
    if (needsTables && m_tables == nullptr) {
        result.Ok = false;
        result.ErrorText =
            QStringLiteral("The parameter tables of the dive computer's model are not available.");
        return result;
    }
    Collect();
    m_xml.setAutoFormatting(true);
    m_xml.setAutoFormattingIndent(1);
    m_xml.writeStartDocument();
    m_xml.writeDefaultNamespace(kNs);
    m_xml.writeStartElement(kNs, QStringLiteral("uddf"));
    m_xml.writeAttribute(QStringLiteral("version"), QString::fromLatin1(kUddfVersion));
    try {
        WriteGenerator();
        WriteDiver();
        WriteSites();
        WriteGases();
        if (!m_indices.empty()) {
            WriteProfiles();
            WriteDumps();
        }
    } catch (const EMissingTabFile& e) {
        result.Ok = false;
        result.ErrorText = e.Text();
        return result;
    }
    m_xml.writeEndElement();
    m_xml.writeEndDocument();
    if (m_xml.hasError()) {
        result.Ok = false;
        result.ErrorText = m_xml.device()->errorString();
    }
    return result;
}

}  // namespace

int GasOxygenPercent(const TDiveRec& dive) {
    const std::vector<std::uint8_t>& b = dive.ProfileBlock;
    if (dive.IsFamilyF() && b.size() > 25) {
        const int index = b[25] & 0x0F;
        return index == 0 ? 21 : 20 + 2 * index;
    }
    if (dive.IsFamilyA() && b.size() > 25 && b[25] > 0 && b[25] <= 100) return b[25];
    return 21;
}

UddfWriteResult WriteUddf(QIODevice& out, const TDiveCollection& logbook,
                          const std::vector<std::size_t>& indices, TParameterTables* tables) {
    TUddfWriter writer(out, logbook, indices, tables);
    return writer.Run();
}
