// Reports of failed saves and the restore question in the five languages.
#include <cerrno>

#include <gtest/gtest.h>

#include "SaveTexts.h"

namespace {

TSaveResult Failed(ESaveStep step, int errorNumber, const QString& path) {
    TSaveResult r;
    r.FailedStep = step;
    r.ErrorNumber = errorNumber;
    r.Path = path;
    r.Reason = SystemErrorDescription(errorNumber);
    return r;
}

TEST(SaveTexts, TheReasonIsGivenInTheUserLanguage) {
    const TSaveResult full = Failed(ESaveStep::Write, ENOSPC, "/d/a.log");
    EXPECT_EQ(SaveErrorText(full, kEnglish), "Cannot save \"/d/a.log\": No space left on device");
    EXPECT_EQ(SaveErrorText(full, kGerman),
              "\"/d/a.log\" kann nicht gespeichert werden: Kein Platz mehr auf dem Datenträger");
    EXPECT_EQ(SaveErrorText(full, kItalian),
              "Impossibile salvare \"/d/a.log\": Spazio esaurito sul dispositivo");
    // A damaged language index falls back to English rather than reading past the table.
    EXPECT_EQ(SaveErrorText(full, 9), SaveErrorText(full, kEnglish));
    // Every language has its own text for the common reasons.
    for (int errorNumber : {ENOSPC, EROFS, EACCES, EFBIG, EIO, EDQUOT})
        for (int lang = kGerman; lang < kLanguageCount; ++lang)
            EXPECT_NE(SystemErrorText(errorNumber, lang), SystemErrorText(errorNumber, kEnglish));
}

TEST(SaveTexts, RareReasonsKeepThePlatformDescriptionAndMismatchesAreNamed) {
    EXPECT_EQ(SaveErrorText(Failed(ESaveStep::Rename, EXDEV, "x"), kFrench),
              "Impossible d'enregistrer \"x\" : Invalid cross-device link");
    EXPECT_EQ(SaveErrorText(Failed(ESaveStep::Verify, 0, "x"), kSpanish),
              "No se puede guardar \"x\": el archivo releído no coincide con lo escrito");
    EXPECT_EQ(
        SaveErrorText(Failed(ESaveStep::Backup, EROFS, "/b/"), kEnglish),
        "The previous file cannot be kept as a backup in \"/b/\": Read-only file system. Nothing was saved.");
    EXPECT_TRUE(SaveErrorText(TSaveResult{}, kEnglish).isEmpty());
}

TEST(SaveTexts, ReadErrorNamesTheFileAndTheReasonInEveryLanguage) {
    EXPECT_EQ(ReadErrorText("/d/MemData.HST", "Permission denied", kEnglish),
              "Cannot read file /d/MemData.HST: Permission denied");
    EXPECT_EQ(ReadErrorText("/d/MemData.HST", "x", kGerman),
              QString::fromUtf8("Datei /d/MemData.HST kann nicht gelesen werden: x"));
    for (int language = 0; language < kLanguageCount; ++language) {
        // A path holding a place holder stays as it is.
        const QString text = ReadErrorText("/d/%2.HST", "why", language);
        EXPECT_TRUE(text.contains("/d/%2.HST")) << language;
        EXPECT_TRUE(text.contains("why")) << language;
    }
}

TEST(SaveTexts, TheReasonAloneFollowsTheLanguage) {
    TSaveResult full;
    full.FailedStep = ESaveStep::Write;
    full.ErrorNumber = ENOSPC;
    full.Path = "/d/x.pdf";
    full.Reason = "No space left on device";
    EXPECT_EQ(SaveReasonText(full, kGerman), QString::fromUtf8("Kein Platz mehr auf dem Datenträger"));
    TSaveResult mismatch;
    mismatch.FailedStep = ESaveStep::Verify;
    mismatch.Reason = "the file read back differs from what was written";
    EXPECT_EQ(SaveReasonText(mismatch, kGerman),
              QString::fromUtf8("die zurückgelesene Datei weicht vom Geschriebenen ab"));
    EXPECT_TRUE(SaveReasonText(TSaveResult{}, kGerman).isEmpty());
}

}  // namespace
