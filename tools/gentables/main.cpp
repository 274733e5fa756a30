// gentables: writes the five parameter tables of the tissue model.
//
//   gentables OUTDIR [--alternative]
//
// The delivered files in data/ are `gentables data`; --alternative writes the second,
// more conservative setting that the model's tests also replay with.

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "TableGenerator.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QString folder;
    bool alternative = false;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--alternative")) {
            alternative = true;
        } else if (folder.isEmpty() && !arg.startsWith(QLatin1String("--"))) {
            folder = arg;
        } else {
            folder.clear();
            break;
        }
    }
    if (folder.isEmpty()) {
        std::fputs("usage: gentables OUTDIR [--alternative]\n", stderr);
        return 2;
    }
    const TTableSettings settings = alternative ? AlternativeTableSettings() : DefaultTableSettings();
    const TResult written = WriteTables(GenerateTables(settings), folder);
    if (!written.Ok()) {
        std::fprintf(stderr, "gentables: %s\n", qPrintable(written.ErrorText));
        return 1;
    }
    return 0;
}
