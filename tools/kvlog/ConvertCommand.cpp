// kvlog convert IN OUT [--dos-in] [--dos-out]: loads a logbook and saves it again, e.g.
// to turn an old DOS-text logbook into a current one.

#include "Commands.h"
#include "LogbookFile.h"

int RunConvert(const QStringList& args) {
    QStringList paths;
    bool dosIn = false;
    bool dosOut = false;
    for (const QString& a : args) {
        if (a == QLatin1String("--dos-in"))
            dosIn = true;
        else if (a == QLatin1String("--dos-out"))
            dosOut = true;
        else if (!a.startsWith(QLatin1String("--")))
            paths << a;
        else {
            PrintError(QStringLiteral("kvlog convert: unknown option \"%1\"\n").arg(a));
            return kExitUsage;
        }
    }
    if (paths.size() != 2) {
        PrintError(QStringLiteral("Usage: kvlog convert IN OUT [--dos-in] [--dos-out]\n"));
        return kExitUsage;
    }
    const LogbookLoadResult in = LoadLogbookFile(paths[0], dosIn);
    if (!in.Ok()) {
        PrintError(in.ErrorText + QLatin1Char('\n'));
        return kExitFailed;
    }
    const LogbookSaveResult out = SaveLogbookFile(paths[1], *in.Collection, dosOut);
    if (!out.Ok()) {
        PrintError(out.ErrorText + QLatin1Char('\n'));
        return kExitFailed;
    }
    return kExitOk;
}

static const TCommandRegistrar kConvert("convert", RunConvert, "convert IN OUT [--dos-in] [--dos-out]");
