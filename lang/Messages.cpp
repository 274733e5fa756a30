#include "Messages.h"

#include <vector>

#include "Cp1252.h"
#include "MessageTexts.h"

namespace {

std::span<const char* const> Table(Program program) {
    return program == Program::Kelwin ? KelwinMessageTexts() : TeswinMessageTexts();
}

// Index of message n in language row L, or -1 outside the table.
qsizetype EntryIndex(Program program, int n, int languageIndex) {
    const int count = MessageCount(program);
    if (n < 0 || n >= count) return -1;
    return static_cast<qsizetype>(LanguageRow(languageIndex)) * count + n;
}

// The Windows-1252 form of every text, made once.
const std::vector<QByteArray>& BytesTable(Program program) {
    auto build = [](std::span<const char* const> texts) {
        std::vector<QByteArray> bytes;
        bytes.reserve(texts.size());
        for (const char* t : texts) bytes.push_back(UnicodeToCp1252Lossy(QString::fromUtf8(t)));
        return bytes;
    };
    static const std::vector<QByteArray> kelwin = build(KelwinMessageTexts());
    static const std::vector<QByteArray> teswin = build(TeswinMessageTexts());
    return program == Program::Kelwin ? kelwin : teswin;
}

// Replaces the first "%s"/"%d" by the argument; "%%" becomes "%".
QString Fill(const QString& message, const QString& argument) {
    QString out;
    out.reserve(message.size() + argument.size());
    bool filled = false;
    for (qsizetype i = 0; i < message.size(); ++i) {
        const QChar c = message.at(i);
        if (c == QLatin1Char('%') && i + 1 < message.size()) {
            const QChar next = message.at(i + 1);
            if (next == QLatin1Char('%')) {
                out += c;
                ++i;
                continue;
            }
            if (!filled && (next == QLatin1Char('s') || next == QLatin1Char('d'))) {
                out += argument;
                filled = true;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

}  // namespace

int MessageCount(Program program) {
    return program == Program::Kelwin ? kKelwinMessageCount : kTeswinMessageCount;
}

QString GetProgramMessage(Program program, int n, int languageIndex) {
    const qsizetype i = EntryIndex(program, n, languageIndex);
    if (i < 0) return {};
    return QString::fromUtf8(Table(program)[static_cast<std::size_t>(i)]);
}

QByteArray GetMessageBytes(Program program, int n, int languageIndex) {
    const qsizetype i = EntryIndex(program, n, languageIndex);
    if (i < 0) return {};
    return BytesTable(program)[static_cast<std::size_t>(i)];
}

QString GetMessage(int n) { return GetProgramMessage(Program::Kelwin, n, CurrentLanguage()); }
QString GetMessage(int n, int languageIndex) { return GetProgramMessage(Program::Kelwin, n, languageIndex); }
QString GetTesMessage(int n) { return GetProgramMessage(Program::Teswin, n, CurrentLanguage()); }
QString GetTesMessage(int n, int languageIndex) {
    return GetProgramMessage(Program::Teswin, n, languageIndex);
}

QString FormatMessage(const QString& message, const QString& argument) { return Fill(message, argument); }
QString FormatMessage(const QString& message, long long argument) {
    return Fill(message, QString::number(argument));
}
