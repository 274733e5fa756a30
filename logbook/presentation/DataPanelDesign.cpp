#include "DataPanelDesign.h"

#include "CaptionList.h"
#include "Cp1252.h"
#include "DiveTexts.h"
#include "Language.h"
#include "TDateFormat.h"
#include "TDiveRec.h"
#include "TimeFormat.h"
#include "UnitFormat.h"

namespace {

// Two columns of label and value, then the full-width rows. Labels share their value's top
// so that both texts stand on one line when printed; the label columns are wide enough for
// the longest caption of the five languages.
constexpr int kRowPitch = 23;
constexpr int kFieldHeight = 21;
constexpr int kLeftLabel = 8;
constexpr int kRightLabel = 272;
constexpr int kLabelWidth = 132;
constexpr int kLeftValue = 142;
constexpr int kLeftValueWidth = 116;
constexpr int kRightValue = 406;
constexpr int kRightValueWidth = 118;
constexpr int kWideValueWidth = 382;
constexpr int kTopRows = 8;       // date .. suit / location .. tank size
constexpr int kMiddleRows = 131;  // maximum depth, minimum temperature / dive time, consumption
constexpr int kBottomRows = 185;  // type, activities, alarms, buddies
constexpr int kRemarksTop = 277;
constexpr int kRemarksHeight = 92;

struct Field {
    const char* Name;
    int Tag;
    int Column;  // 0 left, 1 right, -1 full width
    int Top;
};

constexpr Field kFields[] = {
    {"Date", 1, 0, kTopRows},
    {"Immers", 2, 0, kTopRows + kRowPitch},
    {"Range", 5, 0, kTopRows + 2 * kRowPitch},
    {"Cond", 6, 0, kTopRows + 3 * kRowPitch},
    {"Suit", 7, 0, kTopRows + 4 * kRowPitch},
    {"Location", 3, 1, kTopRows},
    {"Site", 4, 1, kTopRows + kRowPitch},
    {"Interv", 8, 1, kTopRows + 2 * kRowPitch},
    {"Temp", 9, 1, kTopRows + 3 * kRowPitch},
    {"Volume", 10, 1, kTopRows + 4 * kRowPitch},
    {"Max", 11, 0, kMiddleRows},
    {"Mintemp", 12, 0, kMiddleRows + kRowPitch},
    {"Time", 13, 1, kMiddleRows},
    {"Used", 14, 1, kMiddleRows + kRowPitch},
    {"Type", 15, -1, kBottomRows},
    {"Activity", 16, -1, kBottomRows + kRowPitch},
    {"Alarms", 17, -1, kBottomRows + 2 * kRowPitch},
    {"Buddy", 18, -1, kBottomRows + 3 * kRowPitch},
};

std::vector<TPanelControl> MakeControls() {
    std::vector<TPanelControl> controls;
    auto add = [&controls](EPanelControl kind, const QString& name, int tag, int left, int top, int width,
                           int height) {
        controls.push_back({kind, name, tag, left, top, width, height});
    };
    for (const Field& f : kFields) {
        const QString name = QString::fromLatin1(f.Name);
        const int labelLeft = f.Column == 1 ? kRightLabel : kLeftLabel;
        const int valueLeft = f.Column == 1 ? kRightValue : kLeftValue;
        const int valueWidth = f.Column == 1   ? kRightValueWidth
                               : f.Column == 0 ? kLeftValueWidth
                                               : kWideValueWidth;
        add(EPanelControl::Label, QLatin1Char('l') + name, 0, labelLeft, f.Top, kLabelWidth, kFieldHeight);
        add(EPanelControl::Field, QLatin1Char('v') + name, f.Tag, valueLeft, f.Top, valueWidth, kFieldHeight);
        if (f.Tag == 10) {
            // The two columns, and below them the values of the dive computer, set apart.
            add(EPanelControl::Bevel, QStringLiteral("Bevel1"), 0, 264, kTopRows, 2,
                4 * kRowPitch + kFieldHeight);
            add(EPanelControl::Bevel, QStringLiteral("Bevel2"), 0, kLeftLabel, kMiddleRows - 4, 516, 2);
        }
        if (f.Tag == 14)
            add(EPanelControl::Bevel, QStringLiteral("Bevel3"), 0, kLeftLabel, kBottomRows - 4, 516, 2);
    }
    add(EPanelControl::Label, QStringLiteral("lRemarks"), 0, kLeftLabel, kRemarksTop, kLabelWidth,
        kFieldHeight);
    add(EPanelControl::Memo, QStringLiteral("vRemarks"), 0, kLeftValue, kRemarksTop, kWideValueWidth,
        kRemarksHeight);
    return controls;
}

QString ListItem(const char* control, int index, int languageIndex) {
    const QStringList items = CaptionText(Program::Kelwin, QStringLiteral("TEditDlg"),
                                          QString::fromLatin1(control), CaptionKind::Items, languageIndex)
                                  .split(QLatin1Char('\n'));
    return index >= 0 && index < items.size() ? items[index] : QString();
}

}  // namespace

const std::vector<TPanelControl>& DataPanelControls() {
    static const std::vector<TPanelControl> controls = MakeControls();
    return controls;
}

QString DataPanelLabel(const QString& name, int languageIndex) {
    const int language = IsValidLanguage(languageIndex) ? languageIndex : kGerman;
    return CaptionText(Program::Kelwin, QStringLiteral("TDispDlg"), name, CaptionKind::Caption, language);
}

QString DiveFieldText(int tag, const TDiveRec& dive, int languageIndex, int unitSystem) {
    const int language = IsValidLanguage(languageIndex) ? languageIndex : kGerman;
    switch (tag) {
        case 1:
            return FormatDiveDate(dive.DayNo, true);
        case 2:
            return FormatHoursMinutes(dive.StartTime);
        case 3:
            return Cp1252ToUnicode(dive.Location);
        case 4:
            return Cp1252ToUnicode(dive.Site);
        case 5: {
            const QStringList items = AltitudeItems(unitSystem);
            return dive.AltitudeRange < items.size() ? items[dive.AltitudeRange] : QString();
        }
        case 6:
            return ListItem("eCond", dive.Weather, language);
        case 7:
            return ListItem("eSuit", dive.Suit, language);
        case 8:
            return FormatHoursMinutes(dive.SurfaceInterval);
        case 9:
            return FormatValue(kTemperatureFormat, dive.AirTemperature, unitSystem);
        case 10:
            return FormatValue(kVolumeFormat, dive.TankSize, unitSystem);
        case 11:
            return FormatValue(kDepthFormat, dive.MaxDepth, unitSystem);
        case 12:
            return FormatValue(kTemperatureFormat, dive.MinWaterTemp, unitSystem);
        case 13:
            return FormatHoursMinutes(dive.DiveTime);
        case 14:
            return FormatValue(kPressureFormat, dive.AirConsumption, unitSystem);
        case 15:
            return DiveTypeText(dive.DiveType, language);
        case 16:
            return ActivitiesText(dive.Activities, Cp1252ToUnicode(dive.OtherActivity), language);
        case 17:
            return AlarmText(dive.DeviceStatus, language);
        case 18:
            return Cp1252ToUnicode(dive.Buddies);
        default:
            return {};
    }
}
