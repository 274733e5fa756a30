#include "FileFilters.h"

#include <QStringList>

#include "CaptionList.h"

QString OpenDialogFilter(int languageIndex) {
    return CaptionText(Program::Kelwin, QStringLiteral("TKelvara"), QStringLiteral("OpenDialog"),
                       CaptionKind::Filter, languageIndex);
}

QString SaveDialogFilter(int languageIndex) {
    return CaptionText(Program::Kelwin, QStringLiteral("TKelvara"), QStringLiteral("SaveDialog"),
                       CaptionKind::Filter, languageIndex);
}

QString QtFileFilter(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        const QString& original = parts.at(i + 1);
        QStringList patterns = original.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
            if (p == QLatin1String("*.*")) p = QStringLiteral("*");
        }
        // "All files (*.*)" already names its patterns; they are replaced, not repeated.
        const QString ownList = QLatin1Char('(') +
                                QString(original).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                                QLatin1Char(')');
        if (description.endsWith(ownList))
            description = description.left(description.size() - ownList.size()).trimmed();
        entries << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}
