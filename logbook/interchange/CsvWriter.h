#pragma once
// Writes dives of a logbook as a table for spreadsheets: one row per dive after a header
// row, comma-separated, fields quoted as RFC 4180 asks (a field holding a comma, a quote
// or a line break is put in double quotes, its quotes doubled), lines ended by CR LF,
// UTF-8 with a byte order mark so that spreadsheets pick the encoding. Titles and list
// texts follow the language given, measured values the unit system; the header names the
// unit of each numeric column. Dates are ISO 8601 (2024-05-01), times hh:mm.
//
//   QByteArray table = CsvTable(logbook, indices, kGerman, kMetric);

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <vector>

class TDiveCollection;

QByteArray CsvTable(const TDiveCollection& logbook, const std::vector<std::size_t>& indices,
                    int languageIndex, int unitSystem);

// One CSV line (without its line end) of the fields.
QString CsvLine(const QStringList& fields);
