#include <gtest/gtest.h>

#include "RecordingTarget.h"
#include "TCaptionRegistry.h"
#include "TMultLang.h"

namespace {

TEST(TMultLang, SetLanguageStoresAndRecaptions) {
    RecordingTarget options(QStringLiteral("TOptions"));
    TCaptionRegistry::Of(Program::Teswin).Register(&options);
    const TMultLang lang(Program::Teswin);

    EXPECT_TRUE(lang.SetLanguage(kGerman));
    EXPECT_EQ(CurrentLanguage(), kGerman);
    EXPECT_EQ(lang.GetMessage(6), QString::fromUtf8("Service nötig!"));
    EXPECT_TRUE(options.Calls.contains(QStringLiteral("caption =Sprache")));

    options.Calls.clear();
    EXPECT_FALSE(lang.SetLanguage(6));  // damaged settings value
    EXPECT_TRUE(options.Calls.isEmpty());
    EXPECT_EQ(lang.GetMessage(6), QStringLiteral("Service necessary!"));
    EXPECT_EQ(lang.GetMessage(6, kSpanish), QString::fromUtf8("¡Es necesaria una revisión!"));

    TCaptionRegistry::Of(Program::Teswin).Unregister(&options);
    SetCurrentLanguage(kEnglish);
}

TEST(TMultLang, EachProgramReadsItsOwnTable) {
    EXPECT_EQ(TMultLang(Program::Kelwin).GetMessage(9, kEnglish), QStringLiteral("Gas cons:"));
    EXPECT_EQ(TMultLang(Program::Teswin).GetMessage(9, kEnglish),
              QStringLiteral("Lumilink connected with COM"));
    EXPECT_TRUE(TMultLang(Program::Teswin).GetMessage(20, kEnglish).isEmpty());
}

}  // namespace
