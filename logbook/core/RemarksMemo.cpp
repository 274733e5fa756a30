#include "RemarksMemo.h"

namespace {
constexpr qsizetype kMaxRemarks = 255;
}

QStringList RemarksToMemoLines(const QString& remarks) { return QStringList{remarks}; }

QString RemarksFromMemoLines(const QStringList& lines) {
    QString text;
    for (qsizetype i = 0; i < lines.size() && text.size() < kMaxRemarks; ++i) {
        const QString& line = lines[i];
        if (line.isEmpty()) {
            const bool twoDownEmpty = i + 2 >= lines.size() || lines[i + 2].isEmpty();
            if (twoDownEmpty) break;
            continue;
        }
        text += line.left(kMaxRemarks - text.size());
    }
    return text;
}
