#pragma once
// The answer of the start number dialog ("Initial Logbook Number") turned into a value:
// Cancel gives 1 and false; OK gives the decimal number of the field (low 16 bits), or
// 1 when the field does not read as a number, and true.

#include <QString>
#include <cstdint>

struct StartNumberAnswer {
    std::uint16_t Value = 1;
    bool Accepted = false;
};

StartNumberAnswer StartNumberFromDialog(bool okPressed, const QString& fieldText);
