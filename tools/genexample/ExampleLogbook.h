#pragma once
// The example logbook delivered with Kelwin ("EXAMPLE.LOG"), built from the example dives:
// downloaded dives go through TDiveRec::CreateFromDevice with the dive blocks their
// computer would send at the trip's download, hand-entered dives through CreateEmpty;
// then the diver's notes are filled in and the collection is saved as a logbook image.
//
//   TDiveCollection log = BuildExampleLogbook();
//   QByteArray bytes = ExampleLogbookBytes();   // byte for byte the delivered file

#include <QByteArray>

#include "TDiveCollection.h"

TDiveCollection BuildExampleLogbook();
QByteArray ExampleLogbookBytes();
