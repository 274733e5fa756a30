#include "StartNumberRule.h"

#include <limits>

StartNumberAnswer StartNumberFromDialog(bool okPressed, const QString& fieldText) {
    StartNumberAnswer answer;
    if (!okPressed) return answer;
    answer.Accepted = true;
    bool ok = false;
    const qlonglong v = fieldText.trimmed().toLongLong(&ok, 10);
    // A number must fit a 32-bit integer to count as one; its low 16 bits are kept.
    if (ok && v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max())
        answer.Value = static_cast<std::uint16_t>(v & 0xFFFF);
    return answer;
}
