#include <map>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "CaptionList.h"
#include "Cp1252.h"
#include "RecordingTarget.h"
#include "TCaptionRegistry.h"

namespace {

struct WindowCount {
    Program Prog;
    const char* Class;
    int Texts;
};

void PrintTo(const WindowCount& w, std::ostream* os) {
    *os << (w.Prog == Program::Kelwin ? "Kelwin " : "Teswin ") << w.Class;
}

class CaptionListTest : public testing::TestWithParam<WindowCount> {};

TEST_P(CaptionListTest, EveryLanguageNamesTheSameControlsAsEnglish) {
    const WindowCount& w = GetParam();
    const QString cls = QString::fromLatin1(w.Class);
    const auto english = CaptionList(w.Prog, cls, kEnglish);
    ASSERT_FALSE(english.empty());
    for (int lang = 0; lang < kLanguageCount; ++lang) {
        const auto list = CaptionList(w.Prog, cls, lang);
        ASSERT_EQ(list.size(), english.size()) << "language " << lang;
        for (std::size_t i = 0; i < list.size(); ++i) {
            EXPECT_EQ(list[i].Control, english[i].Control) << "language " << lang << " entry " << i;
            EXPECT_EQ(list[i].Kind, english[i].Kind) << "language " << lang << " entry " << i;
            if (list[i].Kind == CaptionKind::Items) {
                EXPECT_EQ(list[i].Items().size(), english[i].Items().size())
                    << list[i].ControlName().toStdString();
            }
        }
        EXPECT_EQ(CaptionTextCount(w.Prog, cls, lang), w.Texts) << "language " << lang;
    }
}

TEST_P(CaptionListTest, TextsAreStorableAndNotEmpty) {
    const WindowCount& w = GetParam();
    for (int lang = 0; lang < kLanguageCount; ++lang)
        for (const CaptionEntry& e : CaptionList(w.Prog, QString::fromLatin1(w.Class), lang)) {
            EXPECT_TRUE(IsCp1252Text(e.Text())) << e.Text().toStdString();
            if (e.Kind != CaptionKind::Items) {
                EXPECT_FALSE(e.Text().isEmpty()) << e.ControlName().toStdString();
                continue;
            }
            // Only the first item of the weather and suit lists is blank.
            const QStringList items = e.Items();
            for (qsizetype i = 1; i < items.size(); ++i) EXPECT_FALSE(items.at(i).isEmpty());
            const bool blankFirst = e.Control == "eCond" || e.Control == "eSuit";
            EXPECT_EQ(items.at(0).isEmpty(), blankFirst) << e.ControlName().toStdString();
        }
}

TEST_P(CaptionListTest, ApplyLanguageAssignsTheListedTexts) {
    const WindowCount& w = GetParam();
    RecordingTarget target(QString::fromLatin1(w.Class));
    ASSERT_TRUE(TCaptionRegistry::ApplyLanguage(w.Prog, target, kSpanish));
    int texts = 0;
    for (const QString& call : target.Calls) {
        if (call.startsWith(QLatin1String("index ")) || call == QLatin1String("ext SaveDialog=.LOG"))
            continue;
        texts +=
            call.startsWith(QLatin1String("items ")) ? static_cast<int>(call.count(QLatin1Char('|'))) + 1 : 1;
    }
    EXPECT_EQ(texts, w.Texts);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, CaptionListTest,
    testing::Values(
        WindowCount{Program::Kelwin, "TActivity", 15}, WindowCount{Program::Kelwin, "TTransferWin", 5},
        WindowCount{Program::Kelwin, "TComOpt", 2}, WindowCount{Program::Kelwin, "TDiveComp", 1},
        WindowCount{Program::Kelwin, "TDispDlg", 19}, WindowCount{Program::Kelwin, "TEditDlg", 34},
        WindowCount{Program::Kelwin, "TFaktData", 5}, WindowCount{Program::Kelwin, "TOptions", 6},
        WindowCount{Program::Kelwin, "TPrintDlg", 12}, WindowCount{Program::Kelwin, "TSelectDialog", 9},
        WindowCount{Program::Kelwin, "TStartDlg", 3}, WindowCount{Program::Kelwin, "TStatistic", 27},
        WindowCount{Program::Kelwin, "TTimezone", 3}, WindowCount{Program::Kelwin, "TTissData", 5},
        WindowCount{Program::Kelwin, "TDiveType", 8}, WindowCount{Program::Kelwin, "TKelvara", 52},
        WindowCount{Program::Teswin, "TComOpt", 2}, WindowCount{Program::Teswin, "TOptions", 3},
        WindowCount{Program::Teswin, "TCf", 34}));

TEST(CaptionList, EachProgramListsItsWindows) {
    EXPECT_EQ(CaptionWindowClasses(Program::Kelwin).size(), 16);
    EXPECT_EQ(CaptionWindowClasses(Program::Teswin),
              (QStringList{QStringLiteral("TComOpt"), QStringLiteral("TOptions"), QStringLiteral("TCf")}));
    EXPECT_TRUE(CaptionList(Program::Kelwin, QStringLiteral("TCf"), kEnglish).empty());
    EXPECT_TRUE(CaptionList(Program::Kelwin, QStringLiteral("TKelvara"), 5).empty());
    EXPECT_TRUE(CaptionList(Program::Kelwin, QStringLiteral("TKelvara"), -1).empty());
}

TEST(CaptionList, TextsOfTheDescribedWindows) {
    auto text = [](Program p, const char* cls, const char* control, CaptionKind kind, int lang) {
        return CaptionText(p, QString::fromLatin1(cls), QString::fromLatin1(control), kind, lang);
    };
    EXPECT_EQ(text(Program::Kelwin, "TTransferWin", "", CaptionKind::Caption, kGerman),
              QString::fromUtf8("Tauchgänge übertragen"));
    EXPECT_EQ(text(Program::Kelwin, "TTransferWin", "Dives", CaptionKind::Items, kEnglish),
              QStringLiteral("only newer dives\nall dives"));
    EXPECT_EQ(text(Program::Kelwin, "TDiveType", "Nostop", CaptionKind::Caption, kGerman),
              QStringLiteral("Nullzeit"));
    EXPECT_EQ(text(Program::Kelwin, "TActivity", "Act10", CaptionKind::Caption, kGerman),
              QString::fromUtf8("Strömungs-TG"));
    EXPECT_EQ(text(Program::Kelwin, "TEditDlg", "eSuit", CaptionKind::Items, kEnglish),
              QStringLiteral("\nno suit\nshorty\none pc. wetsuit\ntwo pc. wetsuit\nsemi-dry\ndry suit"));
    EXPECT_EQ(text(Program::Kelwin, "TStatistic", "Rept", CaptionKind::Caption, kEnglish),
              QStringLiteral("Repetive dives:"));
    EXPECT_EQ(text(Program::Kelwin, "TKelvara", "SaveAsItem", CaptionKind::Caption, kGerman),
              QStringLiteral("Speichern &unter"));
    EXPECT_EQ(text(Program::Kelwin, "TKelvara", "OpenBtn", CaptionKind::Hint, kGerman),
              QString::fromUtf8("Logbuch öffnen"));
    EXPECT_EQ(text(Program::Teswin, "TCf", "Buzzer", CaptionKind::Items, kEnglish),
              QStringLiteral("Off\nOn"));
    EXPECT_EQ(text(Program::Teswin, "TCf", "LWorkLoad", CaptionKind::Caption, kEnglish),
              QStringLiteral("Work load (vvO2 max)"));
    // A damaged language index reads English.
    EXPECT_EQ(text(Program::Kelwin, "TComOpt", "", CaptionKind::Caption, 9), QStringLiteral("Serial Port"));
}

TEST(CaptionList, MenuAcceleratorsAreUniqueWithinEachMenu) {
    // Menus of the main windows: a menu caption followed by its items.
    const struct {
        Program Prog;
        const char* Class;
        std::vector<std::vector<const char*>> Menus;
    } windows[] = {
        {Program::Kelwin,
         "TKelvara",
         {{"LogbookMenu", "DivesMenu", "WindowMenu", "OptionsMenu", "HelpMenu"},
          {"NewItem", "OpenItem", "SaveItem", "SaveAsItem", "ImportItem", "ExportItem", "RenumberItem",
           "PrintItem", "ExitItem"},
          {"TransferItem", "InsertItem", "DeleteItem", "EditItem", "StatisticItem", "SelectItem",
           "TimezoneItem"},
          {"DiveListItem", "DataItem", "ProfileItem", "DiveCompItem", "PhysioItem", "TissueItem"},
          {"CountryItem", "InterfaceItem", "SimBoxItem"}}},
        {Program::Teswin,
         "TCf",
         {{"ReadItem", "WriteItem", "WakeUpItem", "PrintItem", "ExitItem"}, {"Language", "InterfaceItem"}}},
    };
    for (const auto& w : windows)
        for (int lang = 0; lang < kLanguageCount; ++lang)
            for (const auto& menu : w.Menus) {
                QStringList keys;
                for (const char* item : menu) {
                    const QString t = CaptionText(w.Prog, QString::fromLatin1(w.Class),
                                                  QString::fromLatin1(item), CaptionKind::Caption, lang);
                    const qsizetype amp = t.indexOf(QLatin1Char('&'));
                    ASSERT_GE(amp, 0) << item << " " << lang;
                    const QString key = t.mid(amp + 1, 1).toLower();
                    // The delivered German window menu has "&Profil" and "&Physiologische Daten";
                    // Qt cycles through equal accelerators, so that pair is kept as it is.
                    const bool given = w.Prog == Program::Kelwin && lang == kGerman &&
                                       std::string_view(item) == "PhysioItem";
                    if (!given) {
                        EXPECT_FALSE(keys.contains(key)) << t.toStdString() << " in language " << lang;
                    }
                    keys << key;
                }
            }
}

TEST(ApplyLanguage, OutOfRangeIndexChangesNothing) {
    TCaptionRegistry registry(Program::Kelwin);
    RecordingTarget main(QStringLiteral("TKelvara"));
    RecordingTarget print(QStringLiteral("TPrintDlg"));
    registry.Register(&main);
    registry.Register(&print);
    for (int lang : {-1, 5, 255}) EXPECT_FALSE(registry.ApplyLanguage(lang));
    EXPECT_TRUE(main.Calls.isEmpty());
    EXPECT_TRUE(print.Calls.isEmpty());
}

TEST(ApplyLanguage, GroupsAreRefilledAndThePrintChoicesReset) {
    TCaptionRegistry registry(Program::Kelwin);
    RecordingTarget print(QStringLiteral("TPrintDlg"));
    registry.Register(&print);
    registry.Register(&print);  // no second round of calls
    ASSERT_TRUE(registry.ApplyLanguage(kSpanish));
    EXPECT_TRUE(print.Calls.contains(
        QString::fromUtf8("items What=Solo texto|Solo perfil|Texto y perfil|Resumen|Estadística")));
    print.SetItemIndex(QStringLiteral("What"), 4);
    print.SetItemIndex(QStringLiteral("Extend"), 1);
    print.Calls.clear();
    ASSERT_TRUE(registry.ApplyLanguage(kEnglish));
    EXPECT_EQ(print.Calls.count(
                  QStringLiteral("items What=Text only|Profile only|Text and Profile|Summary|Statistic")),
              1);
    EXPECT_TRUE(print.Calls.contains(QStringLiteral("items Extend=Selected dives|Whole logbook")));
    EXPECT_TRUE(print.Calls.contains(QStringLiteral("caption PrinterSetup=Setup")));
    EXPECT_EQ(print.m_index[QStringLiteral("What")], 2);
    EXPECT_EQ(print.m_index[QStringLiteral("Extend")], 0);
    // The resets come after the refill, or the refill would clear them again.
    EXPECT_EQ(print.Calls.last(), QStringLiteral("index Extend=0"));
}

TEST(ApplyLanguage, MainWindowDialogsGetFiltersAndTheSaveExtension) {
    TCaptionRegistry registry(Program::Kelwin);
    RecordingTarget main(QStringLiteral("TKelvara"));
    registry.Register(&main);
    ASSERT_TRUE(registry.ApplyLanguage(kGerman));
    EXPECT_TRUE(
        main.Calls.contains(QStringLiteral("filter OpenDialog=Kelvara Logbuch|*.log;*.kvl|Kelvara Logbuch < "
                                           "V.3.02|*.log;*.kvl|Alle Dateien (*.*)|*.*")));
    EXPECT_TRUE(main.Calls.contains(
        QStringLiteral("filter SaveDialog=Kelvara Logbuch|*.log;*.kvl|Alle Dateien (*.*)|*.*")));
    EXPECT_TRUE(main.Calls.contains(QString::fromUtf8("caption OpenDialog=Logbuch öffnen")));
    EXPECT_TRUE(main.Calls.contains(QStringLiteral("hint TissueBtn=Gewebedaten")));
    EXPECT_EQ(main.Calls.last(), QStringLiteral("ext SaveDialog=.LOG"));
}

TEST(ApplyLanguage, RegistryWalksEveryRegisteredWindowOfItsProgram) {
    TCaptionRegistry registry(Program::Teswin);
    RecordingTarget cf(QStringLiteral("TCf"));
    RecordingTarget options(QStringLiteral("TOptions"));
    RecordingTarget unknown(QStringLiteral("TSplash"));
    registry.Register(&cf);
    registry.Register(&options);
    registry.Register(&unknown);
    ASSERT_TRUE(registry.ApplyLanguage(kFrench));
    EXPECT_TRUE(cf.Calls.contains(QString::fromUtf8("items Units=Métrique|Impérial")));
    EXPECT_TRUE(options.Calls.contains(QStringLiteral("caption =Langue")));
    EXPECT_TRUE(unknown.Calls.isEmpty());
    registry.Unregister(&cf);
    cf.Calls.clear();
    ASSERT_TRUE(registry.ApplyLanguage(kItalian));
    EXPECT_TRUE(cf.Calls.isEmpty());
    EXPECT_TRUE(options.Calls.contains(QStringLiteral("caption =Lingua")));
    EXPECT_EQ(&TCaptionRegistry::Of(Program::Teswin), &TCaptionRegistry::Of(Program::Teswin));
    EXPECT_NE(&TCaptionRegistry::Of(Program::Teswin), &TCaptionRegistry::Of(Program::Kelwin));
}

}  // namespace
