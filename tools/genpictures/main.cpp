// genpictures: draws the splash pictures delivered with the programs.
//
//   genpictures data/            (writes Kelwin.BMP and Teswin.BMP there)

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

#include "BmpFile.h"
#include "SaveFile.h"
#include "SplashPictures.h"

namespace {

bool WriteFile(const QString& path, const QByteArray& bytes) {
    const TSaveResult saved = SaveFile(path, bytes);
    if (!saved.Ok()) std::fprintf(stderr, "genpictures: %s\n", qPrintable(saved.Message()));
    return saved.Ok();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: genpictures OUTPUT_FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    bool ok = WriteFile(folder.filePath(QStringLiteral("Kelwin.BMP")), EncodeBmp24(DrawKelwinSplash()));
    ok = WriteFile(folder.filePath(QStringLiteral("Teswin.BMP")), EncodeBmp24(DrawTeswinSplash())) && ok;
    if (!ok) {
        std::fprintf(stderr, "genpictures: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
