#pragma once
// Reads the dives of a UDDF 3.2 document. A dive that carries its logbook record image
// (divecomputercontrol/divecomputerdump linked to it, as this program writes them) comes
// back exactly as it was stored. A dive from another program becomes a hand-entered dive:
// date and clock time as written (zone offset ignored, seconds dropped), greatest depth,
// duration, lowest temperature (else the lowest waypoint temperature), air temperature,
// site and location, buddies and notes; texts longer than the logbook holds are cut, and
// each cut is reported. Damaged or foreign XML, another namespace or a dive without date
// yields an error naming the file and the dive, and no dives at all.
//
//   UddfReadResult r = ReadUddf(file, path, CurrentLanguage());
//   if (!r.Ok()) ShowError(r.ErrorText);

#include <QIODevice>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

#include "TDiveRec.h"
#include "TResult.h"

// Not Ok when the document could not be read.
struct UddfReadResult : TResult {
    std::vector<std::unique_ptr<TDiveRec>> Dives;  // in document order
    std::uint32_t SerialNumber = 0;                // of the dive computer; 0 when none is named
    QStringList Notes;                             // texts that were cut or replaced
};

// `fileName` names the file in messages; messages and notes follow `languageIndex`.
UddfReadResult ReadUddf(QIODevice& in, const QString& fileName, int languageIndex);
