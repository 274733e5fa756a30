#pragma once
// Raised when a parameter table of the tissue model cannot be opened. The text is the
// table's number prefix followed by the "file is missing" message with the bare file
// name, e.g. "4: File 'KvFIKT.TAB' is missing.".
//
//   try { tables.OpenParameterTables(); }
//   catch (const EMissingTabFile& e) { ShowError(e.Text()); }

#include <QString>
#include <stdexcept>
#include <string>

// English text of the message; windows pass the text of the current language instead.
inline const QString kMissingFileMessageEnglish = QStringLiteral("File '%s' is missing.");

class EMissingTabFile : public std::runtime_error {
public:
    // prefix: "1: " .. "5: "; message: the message text holding one "%s".
    EMissingTabFile(const QString& prefix, const QString& fileName,
                    const QString& message = kMissingFileMessageEnglish);

    const QString& Text() const { return m_text; }
    const QString& FileName() const { return m_fileName; }

private:
    QString m_fileName;
    QString m_text;
};
