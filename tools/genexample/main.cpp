// genexample: writes the example logbook delivered with Kelwin.
//
//   genexample data/EXAMPLE.LOG
//
// The file is made from the example dives alone, so it comes out byte for byte the
// same on every machine.

#include <QString>
#include <cstdio>

#include "ExampleLogbook.h"
#include "SaveFile.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: genexample OUTPUT\n");
        return 2;
    }
    const QByteArray bytes = ExampleLogbookBytes();
    const TSaveResult saved = SaveFile(QString::fromLocal8Bit(argv[1]), bytes);
    if (!saved.Ok()) {
        std::fprintf(stderr, "genexample: %s\n", qPrintable(saved.Message()));
        return 1;
    }
    return 0;
}
