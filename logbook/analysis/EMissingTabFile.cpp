#include "EMissingTabFile.h"

namespace {

QString FormatMessage(const QString& prefix, const QString& fileName, const QString& message) {
    QString text = message;
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    if (at >= 0) {
        text.replace(at, 2, fileName);
    }
    return prefix + text;
}

}  // namespace

EMissingTabFile::EMissingTabFile(const QString& prefix, const QString& fileName, const QString& message)
    : std::runtime_error(FormatMessage(prefix, fileName, message).toStdString()),
      m_fileName(fileName),
      m_text(FormatMessage(prefix, fileName, message)) {}
