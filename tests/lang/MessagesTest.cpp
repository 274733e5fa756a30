#include <QRegularExpression>

#include <gtest/gtest.h>

#include "Cp1252.h"
#include "Messages.h"

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// The "%d"/"%s" placeholders of a text, in order.
QStringList Placeholders(const QString& text) {
    QStringList found;
    static const QRegularExpression re(QStringLiteral("%[sd]"));
    for (auto it = re.globalMatch(text); it.hasNext();) found << it.next().captured();
    return found;
}

TEST(Messages, TablesHoldEveryLanguage) {
    for (Program p : {Program::Kelwin, Program::Teswin})
        for (int lang = 0; lang < kLanguageCount; ++lang)
            for (int n = 0; n < MessageCount(p); ++n) {
                const QString text = GetProgramMessage(p, n, lang);
                EXPECT_FALSE(text.isEmpty()) << lang << "/" << n;
                EXPECT_TRUE(IsCp1252Text(text)) << text.toStdString();
                // Every translation fills the same placeholders as the English text.
                EXPECT_EQ(Placeholders(text), Placeholders(GetProgramMessage(p, n, kEnglish)))
                    << text.toStdString();
                EXPECT_EQ(Cp1252ToUnicode(GetMessageBytes(p, n, lang)), text);
            }
}

TEST(Messages, EnglishAndGermanAsDelivered) {
    EXPECT_EQ(GetMessage(0, kEnglish),
              U("Data originates from a different computer! Accept dives from the new computer?"));
    EXPECT_EQ(GetMessage(3, kGerman), U("Tauchgang %d bearbeiten"));
    EXPECT_EQ(GetMessage(35, kGerman), U("Logbuch öffnen"));
    EXPECT_EQ(GetMessage(41, kGerman), U("%d Tauchgänge löschen?"));
    EXPECT_EQ(GetMessage(43, kGerman), U("Übertragung unterbrochen um die Batterie zu schonen!"));
    EXPECT_EQ(GetMessage(47, kGerman), U("Tauchcomputer ist im Reset"));
    EXPECT_EQ(GetMessage(50, kEnglish), U("Device Err: Read only possible for EEPROM data"));
    EXPECT_EQ(GetTesMessage(5, kEnglish), U("Dive computer has changed!Perform Read procedure first."));
    EXPECT_EQ(GetTesMessage(8, kGerman),
              U("Lumilink nicht gefunden! Prüfen Sie die Anschlüsse und die Windows Einstellungen."));
    EXPECT_EQ(GetTesMessage(13, kGerman), U("tief"));
}

TEST(Messages, ByteFormIsWindows1252) {
    EXPECT_EQ(GetMessageBytes(Program::Kelwin, 35, kGerman), QByteArray("Logbuch \xF6"
                                                                        "ffnen"));
    EXPECT_EQ(GetMessageBytes(Program::Kelwin, 5, kSpanish), QByteArray("Descompresi\xF3n"));
    EXPECT_TRUE(GetMessageBytes(Program::Kelwin, 53, kEnglish).isEmpty());
}

TEST(Messages, ShortHeadingsAndFolderNames) {
    const char* heading[kLanguageCount] = {"Dive #", "TG Nr.", "N°", "Inm.", "Imm."};
    const char* folder[kLanguageCount] = {"/My Logbooks/", "/Eigene Logbücher/", "/Carnets de plongée/",
                                          "/Diarios de Buceo/", "/Logbook/"};
    for (int lang = 0; lang < kLanguageCount; ++lang) {
        EXPECT_EQ(GetMessage(22, lang), U(heading[lang]));
        EXPECT_EQ(GetMessage(52, lang), U(folder[lang]));
        EXPECT_EQ(GetTesMessage(14, lang), U("Device Err: Read only possible for EEPROM data"));
    }
    // Equal English texts that other languages tell apart.
    EXPECT_EQ(GetMessage(20, kEnglish), GetMessage(22, kEnglish));
    for (int lang = kFrench; lang < kLanguageCount; ++lang)
        EXPECT_NE(GetMessage(20, lang), GetMessage(22, lang));
}

TEST(Messages, TranslationsDifferFromEnglishWhereWordsDiffer) {
    // A forgotten translation would repeat the English text.
    for (int n : {0, 1, 4, 21, 31, 33, 38, 43, 48})
        for (int lang = kGerman; lang < kLanguageCount; ++lang)
            EXPECT_NE(GetMessage(n, lang), GetMessage(n, kEnglish)) << n << "/" << lang;
    for (int n : {1, 2, 4, 7, 10, 11})
        for (int lang = kGerman; lang < kLanguageCount; ++lang)
            EXPECT_NE(GetTesMessage(n, lang), GetTesMessage(n, kEnglish)) << n << "/" << lang;
}

TEST(Messages, OutOfRangeNeverReadsBeyondTheTable) {
    for (int lang : {-1, 5, 255, 1000000}) {
        EXPECT_EQ(GetMessage(48, lang), U("Lumilink not found!"));
        EXPECT_EQ(GetTesMessage(9, lang), U("Lumilink connected with COM"));
    }
    for (int n : {-1, 53, 1000}) EXPECT_TRUE(GetMessage(n, kGerman).isEmpty());
    for (int n : {-1, 15}) EXPECT_TRUE(GetTesMessage(n, kGerman).isEmpty());
}

TEST(Messages, FollowTheCurrentLanguage) {
    SetCurrentLanguage(kItalian);
    EXPECT_EQ(GetMessage(48), U("Lumilink non trovato!"));
    EXPECT_EQ(GetTesMessage(12), U("medio"));
    SetCurrentLanguage(42);
    EXPECT_EQ(CurrentLanguage(), 42);  // kept, so the caption lists can refuse it
    EXPECT_EQ(GetMessage(48), U("Lumilink not found!"));
    SetCurrentLanguage(kEnglish);
}

TEST(FormatMessage, FillsTheFirstPlaceholder) {
    EXPECT_EQ(FormatMessage(GetMessage(3, kEnglish), 12), U("Edit Dive 12"));
    EXPECT_EQ(FormatMessage(GetMessage(41, kGerman), 3), U("3 Tauchgänge löschen?"));
    EXPECT_EQ(FormatMessage(GetMessage(38, kEnglish), U("a%d.log")), U("Logbook a%d.log has changed!"));
    EXPECT_EQ(FormatMessage(U("100%% of %d"), 7), U("100% of 7"));
    EXPECT_EQ(FormatMessage(U("no placeholder"), 7), U("no placeholder"));
    EXPECT_EQ(FormatMessage(U("trailing %"), 7), U("trailing %"));
}

}  // namespace
