#include "UddfWriter.h"

#include <QDateTime>
#include <QRegularExpression>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "Cp1252.h"
#include "DayNumber.h"
#include "DiveAnalysis.h"
#include "DiveTexts.h"
#include "InterchangeTexts.h"
#include "Language.h"
#include "TDiveCollection.h"
#include "TLogbookWriter.h"
#include "TParameterTables.h"
#include "TReplayAhead.h"
#include "TXmlOut.h"
#include "UddfValues.h"

namespace {

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
                TParameterTables* tables, int languageIndex)
        : m_out(out),
          m_xml(out),
          m_logbook(logbook),
          m_indices(indices),
          m_tables(tables),
          m_lang(languageIndex) {}

    UddfWriteResult Run();

private:
    void Collect();
    void WriteGenerator();
    void WriteDiver();
    void WriteSites();
    void WriteGases();
    void WriteProfiles();
    void WriteDive(const TDiveRec& d, std::size_t index, const TReplayAhead::TReplay* replay);
    void WriteSamples(const TDiveRec& d, int o2Percent, const TReplayAhead::TReplay& replay);
    void WriteDumps();
    void Element(std::string_view name, const QString& value) { m_xml.TextElement(name, value); }
    void Number(std::string_view name, double value, int decimals) {
        AppendUddfNumber(m_xml.BeginText(name), value, decimals);
        m_xml.EndText(name);
    }
    void Whole(std::string_view name, long long value) {
        m_xml.BeginText(name) += std::to_string(value);
        m_xml.EndText(name);
    }
    void Link(const QString& ref) {
        m_xml.Empty("link");
        m_xml.Attribute("ref", ref);
    }
    void Person(const QString& id, const QString& name);

    QIODevice& m_out;
    TXmlOut m_xml;
    const TDiveCollection& m_logbook;
    const std::vector<std::size_t>& m_indices;
    TParameterTables* m_tables;
    int m_lang;

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
    m_xml.Start("generator");
    Element("name", QStringLiteral("Kelwin"));
    Element("type", QStringLiteral("logbook"));
    Element("version", QStringLiteral("3.06"));
    Element("datetime", QDateTime::currentDateTime().toString(Qt::ISODate));
    m_xml.End();
}

void TUddfWriter::Person(const QString& id, const QString& name) {
    m_xml.Attribute("id", id);
    m_xml.Start("personal");
    // The logbook keeps one name text; its last word counts as the last name.
    const qsizetype space = name.lastIndexOf(QLatin1Char(' '));
    Element("firstname", space < 0 ? name : name.left(space));
    Element("lastname", space < 0 ? QString() : name.mid(space + 1));
    m_xml.End();
}

void TUddfWriter::WriteDiver() {
    m_xml.Start("diver");
    m_xml.Start("owner");
    Person(QStringLiteral("owner"), QString());
    const bool anyEquipment = m_anyDownloaded || !m_suits.empty() || !m_tanks.empty();
    if (anyEquipment) {
        m_xml.Start("equipment");
        if (m_anyDownloaded) {
            m_xml.Start("divecomputer");
            m_xml.Attribute("id", QStringLiteral("divecomputer"));
            Element("name", QStringLiteral("Dive computer"));
            Element("serialnumber", QString::number(m_logbook.DiveComputerId & 0xFFFFFF));
            m_xml.End();
        }
        const QStringList suitNames = ItemsOf(QStringLiteral("TEditDlg"), QStringLiteral("eSuit"));
        for (int suit : m_suits) {
            m_xml.Start("suit");
            m_xml.Attribute("id", QStringLiteral("suit%1").arg(suit));
            Element("name", suitNames.value(suit));
            Element("suittype", QString::fromLatin1(SuitKind(suit)));
            m_xml.End();
        }
        for (int tank : m_tanks) {
            m_xml.Start("tank");
            m_xml.Attribute("id", QStringLiteral("tank%1").arg(tank));
            Element("name", FormatValue(kVolumeFormat, tank, kMetric));
            Element("tankvolume", UddfNumber(tank / 100000.0, 5));
            m_xml.End();
        }
        m_xml.End();
    }
    m_xml.End();  // owner
    for (const auto& [name, id] : m_buddyIds) {
        m_xml.Start("buddy");
        Person(id, name);
        m_xml.End();
    }
    m_xml.End();
}

void TUddfWriter::WriteSites() {
    if (m_siteIds.empty()) return;
    // The texts come back from the keys' dives.
    std::map<QString, const TDiveRec*> firstDive;
    for (std::size_t i : m_indices) firstDive.emplace(SiteKey(m_logbook.At(i)), &m_logbook.At(i));
    m_xml.Start("divesite");
    for (const auto& [key, id] : m_siteIds) {
        const TDiveRec& d = *firstDive.at(key);
        m_xml.Start("site");
        m_xml.Attribute("id", id);
        Element("name", Cp1252ToUnicode(d.Site));
        if (!d.Location.isEmpty()) {
            m_xml.Start("geography");
            Element("location", Cp1252ToUnicode(d.Location));
            m_xml.End();
        }
        m_xml.End();
    }
    m_xml.End();
}

void TUddfWriter::WriteGases() {
    if (m_gases.empty()) return;
    m_xml.Start("gasdefinitions");
    for (int percent : m_gases) {
        m_xml.Start("mix");
        m_xml.Attribute("id", QStringLiteral("mix%1").arg(percent));
        Element("name", percent == 21 ? QStringLiteral("Air") : QStringLiteral("Nitrox %1").arg(percent));
        Element("o2", UddfNumber(percent / 100.0, 2));
        Element("n2", UddfNumber((100 - percent) / 100.0, 2));
        m_xml.End();
    }
    m_xml.End();
}

void TUddfWriter::WriteProfiles() {
    m_xml.Start("profiledata");
    // The model's figures of the dives come from replays on the other cores, in order.
    std::optional<TReplayAhead> replays;
    if (m_tables != nullptr)
        replays.emplace(*m_tables, m_indices.size(),
                        [this](std::size_t n) -> const TDiveRec& { return m_logbook.At(m_indices[n]); });
    bool groupOpen = false;
    int group = 0;
    for (std::size_t i : m_indices) {
        const TDiveRec& d = m_logbook.At(i);
        const TReplayAhead::TReplay* replay = replays ? &replays->Next() : nullptr;
        if (replay != nullptr && replay->Missing) throw *replay->Missing;
        // A repetitive dive joins the group of the dive before it.
        if (!groupOpen || (d.DiveType & 3) != DiveTypeFlag::kRepetitive) {
            if (groupOpen) m_xml.End();
            m_xml.Start("repetitiongroup");
            m_xml.Attribute("id", QStringLiteral("group%1").arg(++group));
            groupOpen = true;
        }
        WriteDive(d, i, replay != nullptr && replay->Replayed ? replay : nullptr);
    }
    if (groupOpen) m_xml.End();
    m_xml.End();
}

void TUddfWriter::WriteDive(const TDiveRec& d, std::size_t index, const TReplayAhead::TReplay* replay) {
    m_xml.Start("dive");
    m_xml.Attribute("id", UddfDiveId(index));

    m_xml.Start("informationbeforedive");
    if (!d.Location.isEmpty() || !d.Site.isEmpty()) Link(m_siteIds.at(SiteKey(d)));
    for (const QString& name : BuddyNames(d)) Link(m_buddyIds.at(name));
    if (d.DiveNumber > 0) Element("divenumber", QString::number(d.DiveNumber));
    Element("datetime", UddfDateTime(d.DayNo, d.StartTime));
    if (d.AirTemperature != kNotSet) Element("airtemperature", UddfKelvin(d.AirTemperature));
    if (d.SurfaceInterval != kNotSet && d.SurfaceInterval >= 0) {
        m_xml.Start("surfaceintervalbeforedive");
        Element("passedtime", QString::number(d.SurfaceInterval * 60));
        m_xml.End();
    } else if ((d.DiveType & 3) == DiveTypeFlag::kSingle) {
        m_xml.Start("surfaceintervalbeforedive");
        m_xml.Empty("infinity");
        m_xml.End();
    }
    if (d.AltitudeRange >= 1 && d.AltitudeRange <= 4)
        Element("altitude", QString::number(kAltitudeFloor[d.AltitudeRange]));
    const bool suit = SuitKind(d.Suit) != nullptr;
    const bool tank = d.TankSize != kNotSet && d.TankSize > 0;
    if (d.IsDownloaded() || suit || tank) {
        m_xml.Start("equipmentused");
        if (d.IsDownloaded()) Link(QStringLiteral("divecomputer"));
        if (suit) Link(QStringLiteral("suit%1").arg(d.Suit));
        if (tank) Link(QStringLiteral("tank%1").arg(d.TankSize));
        m_xml.End();
    }
    Element("apparatus", d.IsSCR() ? QStringLiteral("rebreather") : QStringLiteral("open-scuba"));
    if (const char* purpose = Purpose(d.Activities)) Element("purpose", QString::fromLatin1(purpose));
    if (d.Suit == 1) m_xml.Empty("nosuit");
    if (d.AltitudeRange >= 1 && d.AltitudeRange <= 4)
        Element("surfacepressure", UddfNumber(SurfacePressure(d.AltitudeRange) * 1e5, 0));
    m_xml.End();  // informationbeforedive

    const int o2Percent = GasOxygenPercent(d);
    // A profile block the decoder refuses has no waypoints; its bytes still travel in the
    // dive's record image.
    if (replay != nullptr) WriteSamples(d, o2Percent, *replay);

    m_xml.Start("informationafterdive");
    if (d.MinWaterTemp != kNotSet) Element("lowesttemperature", UddfKelvin(d.MinWaterTemp));
    Element("greatestdepth", d.MaxDepth == kNotSet ? QStringLiteral("0") : UddfNumber(d.MaxDepth / 100.0, 2));
    if (d.AirConsumption != kNotSet)
        Element("pressuredrop", QString::number(static_cast<qint64>(d.AirConsumption) * 1000));
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
        m_xml.Start("notes");
        for (const QString& p : paras) Element("para", p);
        m_xml.End();
    }
    Element("diveduration", d.DiveTime == kNotSet ? QStringLiteral("0") : QString::number(d.DiveTime * 60));
    QStringList alarms;
    if (d.DeviceStatus & DeviceStatusFlag::kAscentAlarm) alarms << QStringLiteral("ascent-warning-too-long");
    if (d.DeviceStatus & DeviceStatusFlag::kSOS) alarms << QStringLiteral("sos-mode");
    if (d.DeviceStatus & DeviceStatusFlag::kWorkAlarm) alarms << QStringLiteral("work-too-hard");
    if (!alarms.isEmpty()) {
        m_xml.Start("globalalarmsgiven");
        for (const QString& a : alarms) Element("globalalarm", a);
        m_xml.End();
    }
    if (replay != nullptr && replay->Profile.MeanDepth > 0)
        Number("averagedepth", replay->Profile.MeanDepth * 10, 2);
    m_xml.End();  // informationafterdive
    m_xml.End();  // dive
}

void TUddfWriter::WriteSamples(const TDiveRec& d, int o2Percent, const TReplayAhead::TReplay& replay) {
    // Each dive was replayed from a fresh model, so its figures do not depend on which
    // dives were exported before it.
    const DiveProfile& p = replay.Profile;
    const bool toxicity = p.Family != ProfileFamily::Basic;
    const QString mix = QStringLiteral("mix%1").arg(o2Percent);
    m_xml.Start("samples");
    for (int i = 0; i <= p.Count; ++i) {
        const ProfilePoint& pt = p.Points[static_cast<std::size_t>(i)];
        m_xml.Start("waypoint");
        for (const AlarmBit& a : kAlarmBits)
            if ((pt.DepthWord & a.Mask) != 0) m_xml.TextElement("alarm", a.Name);
        if (toxicity) Whole("cns", pt.CNSPercent);
        if (pt.StopIndex > 0) {
            m_xml.Empty("decostop");
            m_xml.Attribute("kind", "mandatory");
            std::string depth;
            AppendUddfNumber(depth, replay.StopDepth[static_cast<std::size_t>(pt.StopIndex)] * 10, 1);
            m_xml.Attribute("decodepth", depth);
            m_xml.Attribute("duration", std::to_string(pt.StopTime * 60));
        }
        if (toxicity) Number("calculatedpo2", pt.PO2 * 1e5, 0);
        Number("depth", PointDepth(pt) * 10, 5);  // 1/64 bar is exact
        Whole("divetime", static_cast<long long>(i) * 20);
        if (i == 0) {
            m_xml.Empty("switchmix");
            m_xml.Attribute("ref", mix);
            m_xml.Empty("divemode");
            m_xml.Attribute("type", d.IsSCR() ? "semiclosedcircuit" : "opencircuit");
        }
        if (pt.StopIndex == 0) Whole("nodecotime", static_cast<long long>(pt.NoStopTime) * 60);
        m_xml.End();
    }
    m_xml.End();
}

void TUddfWriter::WriteDumps() {
    m_xml.Start("divecomputercontrol");
    for (std::size_t i : m_indices) {
        const TDiveRec& d = m_logbook.At(i);
        TLogbookWriter image(TDiveRec::kFixedImageSize + d.ProfileBlock.size() + 1300);
        d.WriteToStream(image, false);
        m_xml.Start("divecomputerdump");
        Link(UddfDiveId(i));
        Element("datetime", UddfDateTime(d.DayNo, d.StartTime));
        Element("dcdump", QString::fromLatin1(image.Data().toBase64()));
        m_xml.End();
    }
    m_xml.End();
}

UddfWriteResult TUddfWriter::Run() {
    UddfWriteResult result;
    bool needsTables = false;
    for (std::size_t i : m_indices) needsTables = needsTables || m_logbook.At(i).HasProfile();
    if (needsTables && m_tables == nullptr) {
        result.Fail(InterchangeText(EInterchangeText::TablesMissing, m_lang));
        return result;
    }
    Collect();
    m_xml.StartDocument();
    m_xml.Start("uddf");
    m_xml.Attribute("xmlns", kUddfNamespace);
    m_xml.Attribute("version", kUddfVersion);
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
        result.Fail(e.Text());
        return result;
    }
    if (!m_xml.Finish()) {
        result.Fail(m_out.errorString());
    }
    return result;
}

}  // namespace

int GasOxygenPercent(const TDiveRec& dive) {
    const TProfileBytes& b = dive.ProfileBlock;
    if (dive.IsFamilyF() && b.size() > 25) {
        const int index = b[25] & 0x0F;
        return index == 0 ? 21 : 20 + 2 * index;
    }
    if (dive.IsFamilyA() && b.size() > 25 && b[25] > 0 && b[25] <= 100) return b[25];
    return 21;
}

UddfWriteResult WriteUddf(QIODevice& out, const TDiveCollection& logbook,
                          const std::vector<std::size_t>& indices, TParameterTables* tables,
                          int languageIndex) {
    TUddfWriter writer(out, logbook, indices, tables, languageIndex);
    return writer.Run();
}
