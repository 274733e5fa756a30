#include "CaptionList.h"

#include "CaptionTables.h"

namespace {

std::span<const CaptionWindow> Windows(Program program) {
    return program == Program::Kelwin ? KelwinCaptionWindows() : TeswinCaptionWindows();
}

const CaptionWindow* FindWindow(Program program, const QString& windowClass) {
    for (const CaptionWindow& w : Windows(program))
        if (QLatin1String(w.WindowClass.data(), static_cast<qsizetype>(w.WindowClass.size())) == windowClass)
            return &w;
    return nullptr;
}

}  // namespace

QString CaptionEntry::ControlName() const {
    return QString::fromLatin1(Control.data(), static_cast<qsizetype>(Control.size()));
}

QString CaptionEntry::Text() const { return QString::fromUtf8(Texts); }

QStringList CaptionEntry::Items() const { return Text().split(QLatin1Char('\n')); }

QStringList CaptionWindowClasses(Program program) {
    QStringList names;
    for (const CaptionWindow& w : Windows(program))
        names << QString::fromLatin1(w.WindowClass.data(), static_cast<qsizetype>(w.WindowClass.size()));
    return names;
}

std::span<const CaptionEntry> CaptionList(Program program, const QString& windowClass, int languageIndex) {
    if (!IsValidLanguage(languageIndex)) return {};
    const CaptionWindow* w = FindWindow(program, windowClass);
    if (!w) return {};
    return w->Languages[languageIndex];
}

int CaptionTextCount(Program program, const QString& windowClass, int languageIndex) {
    int n = 0;
    for (const CaptionEntry& e : CaptionList(program, windowClass, languageIndex))
        n += e.Kind == CaptionKind::Items ? static_cast<int>(e.Items().size()) : 1;
    return n;
}

QString CaptionText(Program program, const QString& windowClass, const QString& control, CaptionKind kind,
                    int languageIndex) {
    for (const CaptionEntry& e : CaptionList(program, windowClass, LanguageRow(languageIndex)))
        if (e.Kind == kind && e.ControlName() == control) return e.Text();
    return {};
}
