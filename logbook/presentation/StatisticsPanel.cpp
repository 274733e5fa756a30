#include "StatisticsPanel.h"

namespace {

// The rows up to Square fill the left column, the water types and activities the right one.
constexpr int kLeftColumnRows = 16;
constexpr int kColumnWidth = 280;
constexpr int kRowPitch = 20;
constexpr int kTopMargin = 8;
constexpr int kLabelHeight = 16;
constexpr int kCaptionLeft = 8;
constexpr int kCaptionWidth = 162;
constexpr int kValueLeft = 172;
constexpr int kValueWidth = 42;
constexpr int kShareLeft = 220;
constexpr int kShareWidth = 54;

std::vector<TStatLabel> MakeLabels() {
    std::vector<TStatLabel> labels;
    for (const EStatRow row : StatRows()) {
        const int i = static_cast<int>(row);
        const int column = i < kLeftColumnRows ? 0 : 1;
        const int x = column * kColumnWidth;
        const int y = kTopMargin + (i - column * kLeftColumnRows) * kRowPitch;
        labels.push_back(
            {row, EStatLabelKind::Caption, QRect(x + kCaptionLeft, y, kCaptionWidth, kLabelHeight)});
        labels.push_back({row, EStatLabelKind::Value, QRect(x + kValueLeft, y, kValueWidth, kLabelHeight)});
        labels.push_back({row, EStatLabelKind::Share, QRect(x + kShareLeft, y, kShareWidth, kLabelHeight)});
    }
    return labels;
}

}  // namespace

QString TStatLabel::Name() const {
    switch (Kind) {
        case EStatLabelKind::Value:
            return QLatin1Char('n') + StatRowName(Row);
        case EStatLabelKind::Share:
            return QLatin1Char('p') + StatRowName(Row);
        case EStatLabelKind::Caption:
            break;
    }
    return StatRowName(Row);
}

const std::vector<TStatLabel>& StatisticsPanelLabels() {
    static const std::vector<TStatLabel> labels = MakeLabels();
    return labels;
}

QString StatisticsLabelText(const TStatLabel& label, const TStatistics& statistics, int languageIndex,
                            int unitSystem) {
    switch (label.Kind) {
        case EStatLabelKind::Value:
            return statistics.ValueText(label.Row);
        case EStatLabelKind::Share:
            return statistics.ShareText(label.Row);
        case EStatLabelKind::Caption:
            break;
    }
    return StatisticsCaption(label.Row, languageIndex, unitSystem);
}
