#pragma once
// The design of the statistics window's panel `InfoPane`: per row a caption label (named after
// the row), a right-aligned count label ("n" + row) and a share label ("p" + row), in two
// columns of fixed positions. The window places its labels here, and the printed statistics
// page scales the same panel into its box, so both show one layout.
//
//   for (const TStatLabel& l : StatisticsPanelLabels())
//       label(l.Name())->setGeometry(l.Rect);   // design pixels of the panel
//   QString t = StatisticsLabelText(l, statistics, CurrentLanguage(), CurrentUnitSystem());

#include <QRect>
#include <QString>
#include <vector>

#include "Statistics.h"

inline constexpr int kStatisticsPanelWidth = 560;
inline constexpr int kStatisticsPanelHeight = 332;

enum class EStatLabelKind { Caption, Value, Share };

struct TStatLabel {
    EStatRow Row;
    EStatLabelKind Kind;
    QRect Rect;  // in the panel's design pixels

    // "Dives", "nDives" or "pDives".
    QString Name() const;
    // Count labels end at their right edge; captions and shares start at their left edge.
    bool RightAligned() const { return Kind == EStatLabelKind::Value; }
};

// Caption, count and share of every row, rows in the window's order.
const std::vector<TStatLabel>& StatisticsPanelLabels();

// What the label shows for these statistics in that language and unit system.
QString StatisticsLabelText(const TStatLabel& label, const TStatistics& statistics, int languageIndex,
                            int unitSystem);
