#include "TCp1252Validator.h"

#include "Cp1252.h"
#include "EditRules.h"

QValidator::State TCp1252Validator::validate(QString& input, int& /*pos*/) const {
    return IsStorableText(input) ? Acceptable : Invalid;
}

void TCp1252Validator::fixup(QString& input) const {
    QString kept;
    for (QChar c : input)
        if (IsCp1252Char(c.unicode())) kept += c;
    input = kept.left(kMaxFieldText);
}
