// genexample: writes the example logbook delivered with Kelwin.
//
//   genexample data/EXAMPLE.LOG
//
// The file is made from the example dives alone, so it comes out byte for byte the
// same on every machine.

#include <QFile>
#include <QString>
#include <cstdio>

#include "ExampleLogbook.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: genexample OUTPUT\n");
        return 2;
    }
    const QByteArray bytes = ExampleLogbookBytes();
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "genexample: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
