// The data window, the edit dialog, the dive type, activities, selection and time zone
// dialogs, driven through the main window's commands. Modal dialogs are answered from a
// zero-time timer that acts once the expected dialog is the active modal window.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include <gtest/gtest.h>

#include "KelwinTestSupport.h"
#include "Language.h"
#include "TActivity.h"
#include "TCaptionRegistry.h"
#include "TDateFormat.h"
#include "TDispDlg.h"
#include "TDiveType.h"
#include "TEditDlg.h"
#include "TKelvara.h"
#include "TKelwinApp.h"
#include "TKelwinDiveWindows.h"
#include "TSelectDialog.h"
#include "TTimezone.h"
#include "TestApplication.h"

namespace {

// Timers still waiting for their dialog; a test ends them all, so that none answers a
// dialog of a later test.
std::vector<QPointer<QTimer>>& PendingTimers() {
    static std::vector<QPointer<QTimer>> timers;
    return timers;
}

void EndPendingTimers() {
    for (const QPointer<QTimer>& t : PendingTimers()) delete t.data();
    PendingTimers().clear();
}

// Runs `act` on the dialog of type T as soon as it is the active modal window.
template <typename T>
void WhenModal(std::function<void(T&)> act) {
    auto* timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(*dialog);
        }
    });
    PendingTimers().emplace_back(timer);
    timer->start();
}

class DiveWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        SetCurrentLanguage(kEnglish);
        SetCurrentUnitSystem(kMetric);
        SetCurrentDateFormat(TDateFormat::FromLocale(QLocale(QLocale::English, QLocale::UnitedStates)));
        ASSERT_TRUE(m_dir.isValid());
        m_settings = SettingsRecord::Defaults();
        auto prompts = std::make_unique<TScriptedPrompts>();
        m_prompts = prompts.get();
        m_main = std::make_unique<TKelvara>(
            m_settings, TKelwinPaths{Path("exe/"), Path("data/"), Path("docs/")}, std::move(prompts));
        m_windows = std::make_unique<TKelwinDiveWindows>(*m_main);
        TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kEnglish);
        m_main->show();
    }
    void TearDown() override {
        EXPECT_TRUE(m_prompts->Unexpected.isEmpty()) << m_prompts->Unexpected.join(", ").toStdString();
        EndPendingTimers();
        m_windows.reset();
        m_main.reset();
        SetCurrentDateFormat(TDateFormat());
    }

    QString Path(const QString& name) const { return m_dir.path() + "/" + name; }

    void UseLogbook(std::unique_ptr<TDiveCollection> log) { m_main->ReplaceLogbook(std::move(log)); }
    TDiveCollection& Log() { return m_main->Logbook(); }
    TEditDlg& Edit() { return *m_windows->EditDlg(); }
    TDispDlg& Disp() { return *m_windows->DispDlg(); }
    void Trigger(ECommand command) { m_main->Action(command)->trigger(); }
    void SelectLines(const std::vector<int>& lines) {
        m_main->DiveList()->clearSelection();
        for (int line : lines) m_main->SelectLine(line, true);
    }
    static QString DateText(int dayNo) { return FormatDiveDate(dayNo, false); }

    // Fills the fields the checks need with valid values.
    static void FillValid(TEditDlg& d, int dayNo) {
        d.Field("eDate")->setText(DateText(dayNo));
        d.Field("eImmers")->setText("10:00");
        d.Field("eMax")->setText("12.0 m");
        d.Field("eTime")->setText("00:40");
    }

    QTemporaryDir m_dir;
    SettingsRecord m_settings;
    TScriptedPrompts* m_prompts = nullptr;
    std::unique_ptr<TKelvara> m_main;
    std::unique_ptr<TKelwinDiveWindows> m_windows;
};

TEST_F(DiveWindowsTest, DownloadedDiveDisablesTheDiveComputersValues) {
    TDiveRec dive = *Dive(4, 0);
    dive.DeviceTime = 123456;
    dive.HwSw = 0x12;
    Edit().LoadFromDive(dive);
    for (const char* name : {"eDate", "eImmers", "eInterv", "eMax", "eTime", "eMintemp", "eUsed"})
        EXPECT_FALSE(Edit().Field(name)->isEnabled()) << name;
    EXPECT_FALSE(Edit().List("eRange")->isEnabled());
    for (const char* name : {"eLocation", "eSite", "eTemp", "eVolume", "eBuddy"})
        EXPECT_TRUE(Edit().Field(name)->isEnabled()) << name;

    dive.HwSw = 0x12 | kHwSwNoAirConsumption;
    Edit().LoadFromDive(dive);
    EXPECT_TRUE(Edit().Field("eUsed")->isEnabled());
    EXPECT_FALSE(Edit().Field("eMax")->isEnabled());

    dive.DeviceTime = 0;
    Edit().LoadFromDive(dive);
    for (const char* name : {"eDate", "eImmers", "eInterv", "eMax", "eTime", "eMintemp", "eUsed"})
        EXPECT_TRUE(Edit().Field(name)->isEnabled()) << name;
    EXPECT_TRUE(Edit().List("eRange")->isEnabled());
}

struct CheckCase {
    const char* Field;
    const char* Typed;
    int Units;
    const char* Hint;  // nullptr: accepted
};

class EditCheckTest : public DiveWindowsTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(EditCheckTest, OkRefusesWithTheHintOrAccepts) {
    const CheckCase& c = GetParam();
    SetCurrentUnitSystem(c.Units);
    Edit().LoadFromDive(*Dive(1, 0));
    FillValid(Edit(), 150000);
    if (c.Units == kImperial) Edit().Field("eMax")->setText("40 ft");
    Edit().Field(c.Field)->setText(QString::fromUtf8(c.Typed));
    Edit().setResult(-1);
    Edit().OKBtn()->click();
    if (c.Hint) {
        EXPECT_EQ(Edit().Field(c.Field)->text(), QString::fromUtf8(c.Hint));
        EXPECT_EQ(Edit().result(), -1) << "the dialog stays open";
    } else {
        EXPECT_EQ(Edit().result(), QDialog::Accepted);
        EXPECT_EQ(Edit().Field(c.Field)->text(), QString::fromUtf8(c.Typed));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, EditCheckTest,
    ::testing::Values(
        CheckCase{"eImmers", "25:00", kMetric, "HH:MM"}, CheckCase{"eImmers", "23:59", kMetric, nullptr},
        CheckCase{"eImmers", "", kMetric, "HH:MM"}, CheckCase{"eTime", "1:75", kMetric, "HH:MM"},
        CheckCase{"eTime", "25:00", kMetric, nullptr}, CheckCase{"eMax", "", kMetric, "##.# m"},
        CheckCase{"eMax", "", kImperial, "### ft"}, CheckCase{"eMax", "400 m", kMetric, "##.# m"},
        CheckCase{"eDate", "3 Mar 2004", kMetric, nullptr},
        CheckCase{"eDate", "31 Dec 1949", kMetric, "M/d/yyyy"},
        CheckCase{"eDate", "Feb 30 2004", kMetric, "M/d/yyyy"},
        CheckCase{"eUsed", "-20 bar", kMetric, "### bar"}, CheckCase{"eUsed", "", kMetric, nullptr},
        CheckCase{"eUsed", "plenty", kMetric, "### bar"}, CheckCase{"eInterv", "1h30", kMetric, "HH:MM"},
        CheckCase{"eInterv", "", kMetric, nullptr}, CheckCase{"eInterv", "30:00", kMetric, nullptr},
        CheckCase{"eTemp", "warm", kMetric, "## °C"}, CheckCase{"eTemp", "warm", kImperial, "## °F"},
        CheckCase{"eTemp", "-2 °C", kMetric, nullptr}, CheckCase{"eMintemp", "cold", kMetric, "## °C"},
        CheckCase{"eVolume", "twelve", kMetric, "##.# l"}, CheckCase{"eVolume", " ", kMetric, nullptr},
        CheckCase{"eVolume", "80 cft", kImperial, nullptr}));

TEST_F(DiveWindowsTest, StoredValuesTakeThePrecisionOfTheirDisplay) {
    TDiveRec dive = *Dive(1, 0);
    dive.MaxDepth = 1234;
    dive.AirTemperature = 2149;
    dive.DiveType = DiveTypeFlag::kRepetitive | DiveTypeFlag::kNitrox;
    dive.DeviceStatus = 0x21;
    dive.Remarks = QByteArray("Good vis");
    Edit().LoadFromDive(dive);
    EXPECT_EQ(Edit().Panel("eAlarms")->text(), "Ascent, SOS");
    EXPECT_EQ(Edit().Panel("eType")->text(), "Nitrox");
    Edit().Field("eDate")->setText("3 Mar 2004");
    Edit().Field("eTemp")->setText("");
    ASSERT_TRUE(Edit().OKBtnClick());
    Edit().StoreToDive(dive);
    EXPECT_EQ(dive.MaxDepth, 1230);
    EXPECT_EQ(dive.AirTemperature, kNotSet);
    EXPECT_EQ(dive.DayNo, DayNoOfDate(QDate(2004, 3, 3)));
    // Bits 0..1 stay while the dive type dialog is not confirmed.
    EXPECT_EQ(dive.DiveType, DiveTypeFlag::kRepetitive | DiveTypeFlag::kNitrox);
    EXPECT_EQ(dive.Remarks, QByteArray("Good vis"));
    EXPECT_EQ(dive.Location, QByteArray("Test"));
}

TEST_F(DiveWindowsTest, ConfirmingTheDiveTypeDialogReplacesTheWholeWord) {
    TDiveRec dive = *Dive(1, 0);
    dive.DiveType = DiveTypeFlag::kSingle | DiveTypeFlag::kNitrox | DiveTypeFlag::kSCR | DiveTypeFlag::kSea;
    Edit().LoadFromDive(dive);
    // Both gas flags set: SCR is chosen first, Nitrox after it wins.
    EXPECT_TRUE(m_windows->DiveType()->Button("Nitrox")->isChecked());
    WhenModal<TDiveType>([](TDiveType& d) {
        d.Button("RB1")->setChecked(true);
        d.Button("Decomp")->setChecked(true);
        d.OKBtn()->click();
    });
    Edit().TypeBtn()->click();
    EXPECT_EQ(Edit().Panel("eType")->text(), "Decompression, Sea water");
    FillValid(Edit(), dive.DayNo);
    ASSERT_TRUE(Edit().OKBtnClick());
    Edit().StoreToDive(dive);
    EXPECT_EQ(dive.DiveType, DiveTypeFlag::kDecomp | DiveTypeFlag::kSea);
}

TEST_F(DiveWindowsTest, ActivitiesDialogByControlOrderAndItsOtherText) {
    TDiveRec dive = *Dive(1, 0);
    dive.Activities = 0x0001;
    Edit().LoadFromDive(dive);
    WhenModal<TActivity>([](TActivity& d) {
        d.Box(0)->setChecked(false);
        d.Box(4)->setChecked(true);
        d.Box(11)->setChecked(true);
        d.EOther()->setText(QString::fromUtf8("Höhle"));
        d.OKBtn()->click();
    });
    Edit().ActivityBtn()->click();
    EXPECT_EQ(Edit().Panel("eActivity")->text(), QString::fromUtf8("Night-dive, Photo-dive, Höhle"));
    FillValid(Edit(), dive.DayNo);
    ASSERT_TRUE(Edit().OKBtnClick());
    Edit().StoreToDive(dive);
    EXPECT_EQ(dive.Activities, 0x0810);
    EXPECT_EQ(dive.OtherActivity, QByteArray("H\xF6hle"));
}

TEST_F(DiveWindowsTest, TextFieldsRefuseWhatTheLogbookCannotStore) {
    Edit().LoadFromDive(*Dive(1, 0));
    QLineEdit* site = Edit().Field("eSite");
    EXPECT_EQ(site->maxLength(), 255);
    int pos = 0;
    QString greek = QString::fromUtf8("Ωmega");
    EXPECT_EQ(site->validator()->validate(greek, pos), QValidator::Invalid);
    QString ok = QString::fromUtf8("Côte €");
    EXPECT_EQ(site->validator()->validate(ok, pos), QValidator::Acceptable);
    // The memo keeps one line of storable characters, at most 255.
    Edit().ERemarks()->setPlainText(QString::fromUtf8("line one\nline Ω two") + QString(300, 'x'));
    const QString kept = Edit().ERemarks()->toPlainText();
    EXPECT_FALSE(kept.contains('\n'));
    EXPECT_FALSE(kept.contains(QChar(0x03A9)));
    EXPECT_EQ(kept.size(), 255);
    EXPECT_TRUE(kept.startsWith("line oneline  two"));
}

TEST_F(DiveWindowsTest, DataWindowShowsTheCurrentDiveAndLeavesWithoutOne) {
    auto log = Logbook({5, 6, 7});
    log->At(2).DeviceStatus = 0x21;
    log->At(2).DiveType = DiveTypeFlag::kNitrox | DiveTypeFlag::kNostop;
    log->At(2).Weather = 2;
    log->At(2).Suit = 6;
    log->At(2).AltitudeRange = 1;
    log->At(2).Activities = 0x0110;
    log->At(2).OtherActivity = "Steep Wall dive";
    UseLogbook(std::move(log));
    EXPECT_EQ(Disp().windowTitle(), "Data Dive 7");
    EXPECT_EQ(Disp().Value("vAlarms")->text(), "Ascent, SOS");
    EXPECT_EQ(Disp().Value("vMax")->text(), "18.5 m");
    EXPECT_EQ(Disp().Value("vTime")->text(), "00:42");
    EXPECT_EQ(Disp().Value("vCond")->text(), "cloudy");
    EXPECT_EQ(Disp().Value("vSuit")->text(), "dry suit");
    EXPECT_EQ(Disp().Value("vRange")->text(), "0 m... 900 m");
    EXPECT_EQ(Disp().Value("vType")->text(), "Nitrox, No stop");
    EXPECT_EQ(Disp().Value("vActivity")->text(), "Night-dive, Wreck-dive, Steep Wall dive");
    EXPECT_TRUE(Disp().Value("vDate")->text().startsWith(
        WeekdayAbbreviation(DateOfDayNo(150002).dayOfWeek() % 7, kEnglish) + ", "));
    EXPECT_TRUE(m_main->MdiArea()->subWindowList().contains(&Disp()));

    m_main->MakeCurrent(-1);
    EXPECT_TRUE(Disp().TakenOut());
    EXPECT_FALSE(Disp().isVisible());
    EXPECT_FALSE(m_main->MdiArea()->subWindowList().contains(&Disp()));
    m_main->MakeCurrent(0);
    EXPECT_FALSE(Disp().TakenOut());
    EXPECT_TRUE(m_main->MdiArea()->subWindowList().contains(&Disp()));
    EXPECT_EQ(Disp().windowTitle(), "Data Dive 5");
}

TEST_F(DiveWindowsTest, DataWindowIsNeverMaximisedNorLarger) {
    UseLogbook(Logbook({1}));
    m_main->resize(1000, 800);
    Disp().resize(900, 700);
    EXPECT_LE(Disp().width(), TDispDlg::kMaxWidth);
    EXPECT_LE(Disp().height(), TDispDlg::kMaxHeight);
    Disp().showMaximized();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_FALSE(Disp().isMaximized());
    EXPECT_EQ(Disp().size(), QSize(TDispDlg::kMaxWidth, TDispDlg::kMaxHeight));
}

TEST_F(DiveWindowsTest, InsertBeforeAllOthersTakesTheFirstNumber) {
    UseLogbook(Logbook({10, 11, 12}));
    WhenModal<TEditDlg>([](TEditDlg& d) {
        FillValid(d, 150000 - 5);
        d.Field("eLocation")->setText("Early");
        d.OKBtn()->click();
    });
    Trigger(ECommand::Insert);
    ASSERT_EQ(Log().Count(), 4u);
    EXPECT_EQ(Numbers(Log()), (std::vector<std::uint16_t>{10, 11, 12, 13}));
    EXPECT_EQ(Log().At(0).Location, QByteArray("Early"));
    EXPECT_EQ(Log().At(0).DayNo, 150000 - 5);
    EXPECT_EQ(m_main->CurrentDive(), &Log().At(0));
    EXPECT_EQ(m_main->FocusedIndex(), 0);
    EXPECT_TRUE(m_main->Modified());
    EXPECT_EQ(Disp().windowTitle(), "Data Dive 10");
}

TEST_F(DiveWindowsTest, CancelledInsertRestoresThePreviousDive) {
    UseLogbook(Logbook({10, 11}));
    TDiveRec* before = m_main->CurrentDive();
    WhenModal<TEditDlg>([](TEditDlg& d) { d.CancelBtn()->click(); });
    Trigger(ECommand::Insert);
    EXPECT_EQ(Log().Count(), 2u);
    EXPECT_EQ(m_main->CurrentDive(), before);
    EXPECT_EQ(Disp().Dive(), before);
    EXPECT_FALSE(m_main->Modified());
}

TEST_F(DiveWindowsTest, FirstDiveOfAnEmptyLogbookAsksForTheStartNumber) {
    for (int answer : {TScriptedPrompts::kCancel, 50}) {
        UseLogbook(std::make_unique<TDiveCollection>());
        m_prompts->StartNumbers.push_back(answer);
        WhenModal<TEditDlg>([](TEditDlg& d) {
            FillValid(d, 150000);
            d.OKBtn()->click();
        });
        Trigger(ECommand::Insert);
        ASSERT_EQ(m_prompts->StartNumberShown.back(), 1);
        if (answer == TScriptedPrompts::kCancel) {
            EXPECT_TRUE(Log().IsEmpty());
            EXPECT_EQ(m_main->DiveList()->model()->rowCount(), 0);
            EXPECT_EQ(m_main->CurrentDive(), nullptr);
        } else {
            ASSERT_EQ(Log().Count(), 1u);
            EXPECT_EQ(Log().At(0).DiveNumber, 50);
            EXPECT_EQ(m_main->CurrentDive(), &Log().At(0));
        }
    }
}

TEST_F(DiveWindowsTest, WrappedNumberingAsksFirstAndCancelAbandonsTheInsert) {
    UseLogbook(Logbook({65535, 0}));
    bool opened = false;
    m_prompts->StartNumbers.push_back(TScriptedPrompts::kCancel);
    WhenModal<TEditDlg>([&opened](TEditDlg& d) {
        opened = true;
        d.CancelBtn()->click();
    });
    Trigger(ECommand::Insert);
    ASSERT_EQ(m_prompts->StartNumberShown.size(), 1u);
    EXPECT_EQ(m_prompts->StartNumberShown[0], 65535);
    EXPECT_FALSE(opened);
    EXPECT_EQ(Numbers(Log()), (std::vector<std::uint16_t>{65535, 0}));
}

TEST_F(DiveWindowsTest, EditResortsOnlyAHandEnteredDive) {
    UseLogbook(Logbook({1, 2, 3}));
    TDiveRec* last = m_main->CurrentDive();
    ASSERT_EQ(last, &Log().At(2));
    WhenModal<TEditDlg>([](TEditDlg& d) {
        d.Field("eDate")->setText(DateText(149000));
        d.OKBtn()->click();
    });
    Trigger(ECommand::Edit);
    EXPECT_EQ(&Log().At(0), last);
    EXPECT_EQ(Numbers(Log()), (std::vector<std::uint16_t>{1, 2, 3}));
    EXPECT_EQ(m_main->FocusedIndex(), 0);
    EXPECT_EQ(m_main->CurrentDive(), last);
    EXPECT_TRUE(m_main->Modified());

    // A downloaded dive keeps its place; a double click on its line edits it.
    Log().At(1).DeviceTime = 777;
    m_main->MakeCurrent(1);
    TDiveRec* downloaded = &Log().At(1);
    WhenModal<TEditDlg>([](TEditDlg& d) {
        d.Field("eSite")->setText("Reef");
        d.OKBtn()->click();
    });
    emit m_main->DiveList()->doubleClicked(m_main->DiveList()->model()->index(1, 0));
    EXPECT_EQ(&Log().At(1), downloaded);
    EXPECT_EQ(downloaded->Site, QByteArray("Reef"));
    EXPECT_EQ(Disp().Dive(), downloaded);
}

TEST_F(DiveWindowsTest, CancelledEditChangesNothing) {
    UseLogbook(Logbook({1}));
    const TDiveRec before = Log().At(0);
    WhenModal<TEditDlg>([](TEditDlg& d) {
        d.Field("eSite")->setText("Changed");
        d.Field("eMax")->setText("3.0 m");
        d.CancelBtn()->click();
    });
    Trigger(ECommand::Edit);
    EXPECT_EQ(Log().At(0), before);
    EXPECT_FALSE(m_main->Modified());
}

// Dives of the selection cases: day, depth, type, activities, other text.
std::unique_ptr<TDiveCollection> SelectionLogbook() {
    auto log = Logbook({1, 2, 3, 4, 5});
    struct Row {
        int Depth;
        std::uint16_t Type;
        std::uint16_t Act;
        const char* Other;
    };
    const Row rows[] = {{2990, 0x0000, 0x0010, ""},
                        {3000, 0x0100, 0x0110, "Steep Wall dive"},
                        {1500, 0x0200, 0x0100, ""},
                        {1000, 0x0100, 0x0111, ""},
                        {500, 0x0000, 0x0000, "Reef"}};
    for (std::size_t i = 0; i < 5; ++i) {
        log->At(i).MaxDepth = static_cast<std::int16_t>(rows[i].Depth);
        log->At(i).DiveType = rows[i].Type;
        log->At(i).Activities = rows[i].Act;
        log->At(i).OtherActivity = rows[i].Other;
    }
    log->At(2).DayNo = log->At(1).DayNo;  // two dives on day 150001
    return log;
}

TEST_F(DiveWindowsTest, SelectDialogOpensWithTheLogbooksDatesAndKeptCriteria) {
    UseLogbook(SelectionLogbook());
    TSelectDialog& s = *m_windows->SelectDialog();
    s.Load(Log());
    EXPECT_EQ(s.Date1()->text(), DateText(150000));
    EXPECT_EQ(s.Date2()->text(), DateText(150004));
    EXPECT_EQ(s.Depth1()->text(), "0.0 m");
    EXPECT_FALSE(s.EnableDepth()->isChecked());
    emit s.Depth2()->textEdited("30");
    EXPECT_TRUE(s.EnableDepth()->isChecked());

    m_main->SetHandSelection(true);
    WhenModal<TSelectDialog>([](TSelectDialog& d) { d.OKBtn()->click(); });
    Trigger(ECommand::Select);
    EXPECT_FALSE(m_main->HandSelection());
    EXPECT_EQ(m_main->SelectedIndices(), (std::vector<std::size_t>{0, 1, 2, 3, 4}));
    SetCurrentUnitSystem(kImperial);
    s.Load(Log());
    EXPECT_EQ(s.Depth1()->text(), "0 ft");
}

struct SelectCase {
    const char* Name;
    int Day1, Day2;      // offsets from day 150000
    const char* Depth1;  // nullptr: depth range not ticked
    const char* Depth2;
    const char* TypeButton;  // nullptr: no dive type criterion
    std::vector<int> ActivityBits;
    const char* Other;
    std::vector<std::size_t> Selected;
};

class SelectCaseTest : public DiveWindowsTest, public ::testing::WithParamInterface<SelectCase> {};

TEST_P(SelectCaseTest, SelectsTheMatchingLines) {
    const SelectCase& c = GetParam();
    UseLogbook(SelectionLogbook());
    TSelectDialog& s = *m_windows->SelectDialog();
    WhenModal<TSelectDialog>([&c](TSelectDialog& d) {
        d.Date1()->setText(DateText(150000 + c.Day1));
        d.Date2()->setText(DateText(150000 + c.Day2));
        if (c.Depth1) {
            d.Depth1()->setText(c.Depth1);
            d.Depth2()->setText(c.Depth2);
            emit d.Depth2()->textEdited(c.Depth2);
        }
        WhenModal<TDiveType>([&c](TDiveType& t) {
            t.Button(c.TypeButton ? c.TypeButton : "RB1")->setChecked(true);
            t.OKBtn()->click();
        });
        d.TypeBtn()->click();
        WhenModal<TActivity>([&c](TActivity& a) {
            for (int bit = 0; bit < 12; ++bit) a.Box(bit)->setChecked(false);
            for (int bit : c.ActivityBits) a.Box(bit)->setChecked(true);
            a.EOther()->setText(c.Other);
            a.OKBtn()->click();
        });
        d.ActivityBtn()->click();
        d.OKBtn()->click();
    });
    Trigger(ECommand::Select);
    EXPECT_EQ(m_main->SelectedIndices(), c.Selected) << c.Name;
    (void)s;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SelectCaseTest,
    ::testing::Values(SelectCase{"all", 0, 4, nullptr, nullptr, nullptr, {}, "", {0, 1, 2, 3, 4}},
                      SelectCase{"one day", 1, 1, nullptr, nullptr, nullptr, {}, "", {1, 2}},
                      SelectCase{"nitrox", 0, 4, nullptr, nullptr, "Nitrox", {}, "", {1, 3}},
                      SelectCase{"night and wreck", 0, 4, nullptr, nullptr, nullptr, {4, 8}, "", {1, 3}},
                      SelectCase{"wall", 0, 4, nullptr, nullptr, nullptr, {}, "wall", {1}},
                      SelectCase{"0 to 30 m", 0, 4, "0", "30", nullptr, {}, "", {0, 2, 3, 4}}),
    [](const ::testing::TestParamInfo<SelectCase>& info) {
        std::string n = info.param.Name;
        for (char& ch : n)
            if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return n;
    });

TEST_F(DiveWindowsTest, SelectRefusesUnreadableFields) {
    UseLogbook(SelectionLogbook());
    TSelectDialog& s = *m_windows->SelectDialog();
    s.Load(Log());
    s.Date1()->setText("someday");
    s.EnableDepth()->setChecked(true);
    s.Depth2()->setText("deep");
    s.setResult(-1);
    s.OKBtn()->click();
    EXPECT_EQ(s.result(), -1);
    EXPECT_EQ(s.Date1()->text(), "M/d/yyyy");
    EXPECT_EQ(s.Depth2()->text(), "##.# m");
    EXPECT_EQ(s.Depth1()->text(), "0.0 m");
}

struct ShiftCase {
    const char* Amount;
    bool Plus;
    int Start;
    int Time;
    int Days;
};

class TimezoneCaseTest : public DiveWindowsTest, public ::testing::WithParamInterface<ShiftCase> {};

TEST_P(TimezoneCaseTest, ShiftsTheSelectedDives) {
    const ShiftCase& c = GetParam();
    auto log = Logbook({1, 2, 3});
    log->At(1).StartTime = static_cast<std::uint16_t>(c.Start);
    UseLogbook(std::move(log));
    SelectLines({1});
    WhenModal<TTimezone>([&c](TTimezone& t) {
        t.Timediff()->setText(c.Amount);
        (c.Plus ? t.Plus() : t.Minus())->setChecked(true);
        t.OKBtn()->click();
    });
    Trigger(ECommand::TimeZone);
    EXPECT_EQ(Log().At(1).StartTime, c.Time);
    EXPECT_EQ(Log().At(1).DayNo, 150001 + c.Days);
    EXPECT_EQ(Log().At(0).StartTime, 600);
    EXPECT_EQ(Log().At(2).DayNo, 150002);
    EXPECT_TRUE(m_main->Modified());
}

INSTANTIATE_TEST_SUITE_P(Cases, TimezoneCaseTest,
                         ::testing::Values(ShiftCase{"01:00", true, 1410, 30, 1},
                                           ShiftCase{"01:00", false, 30, 1410, -1},
                                           ShiftCase{"48:00", true, 600, 600, 2}));

TEST_F(DiveWindowsTest, TimezoneRefusesAbove99Hours59AndKeepsItsEntries) {
    TTimezone& t = *m_windows->Timezone();
    EXPECT_EQ(t.Timediff()->text(), "00:00");
    EXPECT_TRUE(t.Plus()->isChecked());
    t.Timediff()->setText("100:00");
    t.setResult(-1);
    t.OKBtn()->click();
    EXPECT_EQ(t.Timediff()->text(), "HH:MM");
    EXPECT_EQ(t.result(), -1);

    UseLogbook(Logbook({1, 2}));
    SelectLines({0, 1});
    WhenModal<TTimezone>([](TTimezone& d) {
        d.Timediff()->setText("02:30");
        d.Minus()->setChecked(true);
        d.OKBtn()->click();
    });
    Trigger(ECommand::TimeZone);
    EXPECT_EQ(Log().At(0).StartTime, 450);
    m_main->SetModified(false);
    WhenModal<TTimezone>([](TTimezone& d) {
        EXPECT_EQ(d.Timediff()->text(), "02:30");
        EXPECT_TRUE(d.Minus()->isChecked());
        d.CancelBtn()->click();
    });
    Trigger(ECommand::TimeZone);
    EXPECT_EQ(Log().At(0).StartTime, 450);
    EXPECT_FALSE(m_main->Modified());
}

// Every label of the dive windows shows its whole text in every language.
class CaptionFitTest : public DiveWindowsTest, public ::testing::WithParamInterface<int> {};

TEST_P(CaptionFitTest, LabelsAndButtonsAreNotClipped) {
    const int lang = GetParam();
    SetCurrentLanguage(lang);
    TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(lang);
    auto log = Logbook({1});
    log->At(0).DiveType = 0x0194;
    log->At(0).Activities = 0x0FFF;
    UseLogbook(std::move(log));
    m_main->resize(900, 700);
    Disp().resize(TDispDlg::kMaxWidth, TDispDlg::kMaxHeight);
    QList<QWidget*> windows{&Disp(),
                            m_windows->EditDlg(),
                            m_windows->DiveType(),
                            m_windows->Activity(),
                            m_windows->SelectDialog(),
                            m_windows->Timezone()};
    for (QWidget* w : windows) {
        if (w != &Disp()) {
            w->show();
            w->adjustSize();
        }
        QCoreApplication::processEvents();
        for (QLabel* label : w->findChildren<QLabel*>()) {
            if (!label->objectName().startsWith('l') && !label->objectName().startsWith('L')) continue;
            EXPECT_GE(label->width(), label->sizeHint().width())
                << w->objectName().toStdString() << "/" << label->objectName().toStdString() << " "
                << label->text().toStdString();
        }
        for (QAbstractButton* button : w->findChildren<QAbstractButton*>())
            EXPECT_GE(button->width(), button->sizeHint().width())
                << w->objectName().toStdString() << "/" << button->objectName().toStdString();
        if (w != &Disp()) w->hide();
    }
    SetCurrentLanguage(kEnglish);
    TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kEnglish);
}

INSTANTIATE_TEST_SUITE_P(Languages, CaptionFitTest, ::testing::Values(0, 1, 2, 3, 4));

TEST_F(DiveWindowsTest, GermanTextsFollowTheLanguage) {
    SetCurrentLanguage(kGerman);
    TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kGerman);
    auto log = Logbook({7});
    log->At(0).DiveType = 0x0194;
    log->At(0).DeviceStatus = 0x21;
    log->At(0).Weather = 1;
    UseLogbook(std::move(log));
    EXPECT_EQ(Disp().windowTitle(), QString::fromUtf8("Daten Tauchgang 7"));
    EXPECT_EQ(Disp().Value("vType")->text(), "Nitrox, Nullzeit, Einzelaufstieg, Salzwasser");
    EXPECT_EQ(Disp().Value("vAlarms")->text(), "Aufstieg, SOS");
    EXPECT_EQ(Disp().Value("vCond")->text(), "klar");
    EXPECT_TRUE(Disp().Value("vDate")->text().startsWith(
        WeekdayAbbreviation(DateOfDayNo(150000).dayOfWeek() % 7, kGerman) + ", "));
    Edit().LoadFromDive(Log().At(0));
    EXPECT_EQ(Edit().windowTitle(), "Tauchgang 7 bearbeiten");
    EXPECT_EQ(m_windows->Timezone()->windowTitle(), "Zeitzone anpassen");
    SetCurrentLanguage(kEnglish);
    TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(kEnglish);
}

TEST_F(DiveWindowsTest, AltitudeListFollowsTheUnitSystem) {
    UseLogbook(Logbook({1}));
    Log().At(0).AltitudeRange = 2;
    m_main->ApplyOptions(kEnglish, kImperial);
    EXPECT_EQ(Edit().AltitudeText(2), "3000 ft ... 5700 ft");
    EXPECT_EQ(Disp().Value("vRange")->text(), "3000 ft ... 5700 ft");
    EXPECT_EQ(Disp().Value("vMax")->text(), "61 ft");
    m_main->ApplyOptions(kEnglish, kMetric);
    EXPECT_EQ(Disp().Value("vRange")->text(), "900 m...1750 m");
}

TEST_F(DiveWindowsTest, DataCommandBringsTheMinimisedWindowBack) {
    UseLogbook(Logbook({1, 2}));
    Disp().showMinimized();
    QCoreApplication::processEvents();
    ASSERT_TRUE(Disp().isMinimized());
    Trigger(ECommand::Data);
    EXPECT_FALSE(Disp().isMinimized());
    EXPECT_TRUE(Disp().isVisible());
    EXPECT_TRUE(Disp().widget()->isVisible());
}

TEST_F(DiveWindowsTest, DataWindowClosedByItsFrameComesBackWithAllFields) {
    UseLogbook(Logbook({1, 2}));
    for (bool minimisedFirst : {false, true}) {
        if (minimisedFirst) {
            Disp().showMinimized();
            QCoreApplication::processEvents();
        }
        Disp().close();
        QCoreApplication::processEvents();
        EXPECT_FALSE(Disp().isVisible());
        m_main->MakeCurrent(0);
        Trigger(ECommand::Data);
        ASSERT_TRUE(Disp().isVisible());
        EXPECT_FALSE(Disp().isMinimized());
        EXPECT_TRUE(Disp().widget()->isVisible()) << minimisedFirst;
        EXPECT_TRUE(Disp().Value("vDate")->isVisible());
        EXPECT_TRUE(Disp().VRemarks()->isVisible());
        EXPECT_EQ(Disp().windowTitle(), "Data Dive 1");
        EXPECT_TRUE(m_main->MdiArea()->subWindowList().contains(&Disp()));
    }
}

// Delete, Open and Edit-OK replace the current dive without passing through "no dive": the
// data window stays in the main window in its state, and the dive list keeps the focus.
TEST_F(DiveWindowsTest, CommandsThatReplaceTheCurrentDiveLeaveDataWindowAndFocusAlone) {
    const QString other = Path("other.log");
    WriteLogbook(other, *Logbook({40, 41}));
    UseLogbook(Logbook({1, 2, 3, 4}));
    m_main->activateWindow();
    Disp().showMinimized();
    QCoreApplication::processEvents();
    auto expectUntouched = [&](const char* after) {
        QCoreApplication::processEvents();
        EXPECT_TRUE(Disp().isMinimized()) << after;
        EXPECT_FALSE(Disp().TakenOut()) << after;
        EXPECT_EQ(QApplication::focusWidget(), m_main->DiveList()) << after;
        EXPECT_EQ(Disp().Dive(), m_main->CurrentDive()) << after;
    };
    m_main->DiveList()->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), m_main->DiveList());

    SelectLines({3});
    m_prompts->YesNo.push_back(true);
    Trigger(ECommand::Delete);
    ASSERT_EQ(Log().Count(), 3u);
    expectUntouched("Delete");

    WhenModal<TEditDlg>([](TEditDlg& d) {
        d.Field("eSite")->setText("Reef");
        d.OKBtn()->click();
    });
    Trigger(ECommand::Edit);
    EXPECT_EQ(Log().At(2).Site, QByteArray("Reef"));
    // The modal dialog had the focus; offscreen, nothing gives the main window back its own.
    m_main->activateWindow();
    m_main->DiveList()->setFocus();
    expectUntouched("Edit");

    m_prompts->YesNoCancel.push_back(EAnswer::No);
    m_prompts->OpenFiles.push_back({other, 0});
    Trigger(ECommand::Open);
    ASSERT_EQ(Log().Count(), 2u);
    expectUntouched("Open");
    EXPECT_EQ(Disp().windowTitle(), "Data Dive 41");

    // Down still moves through the list.
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(m_main->DiveList(), &down);
    EXPECT_EQ(m_main->CurrentDive(), &Log().At(0));
}

// The title follows the current dive's number when the numbers change under it.
TEST_F(DiveWindowsTest, DataWindowTitleFollowsRenumbering) {
    UseLogbook(Logbook({31, 32, 33}));
    ASSERT_EQ(Disp().windowTitle(), "Data Dive 33");
    m_prompts->StartNumbers.push_back(148);
    Trigger(ECommand::Renumber);
    EXPECT_EQ(m_main->CurrentDive(), &Log().At(2));
    EXPECT_EQ(Disp().windowTitle(), "Data Dive 150");
}

// The program's start-up creates the dive windows: the last dive of the logbook is shown and
// the commands that need the windows are there.
TEST(DiveWindowsStartTest, StartUpShowsTheLastDiveInTheDataWindow) {
    TestApplication();
    SetCurrentLanguage(kEnglish);
    SetCurrentUnitSystem(kMetric);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString exe = dir.path() + "/exe/";
    MakeProgramFolder(exe);
    TKelwinEnvironment env;
    env.ExeDir = exe;
    env.AppDataFolder = dir.path() + "/appdata";
    env.DocumentsFolder = QString();
    env.Arguments = {exe + "EXAMPLE.LOG"};
    env.Locale = QLocale(QLocale::English, QLocale::UnitedStates);
    env.ShowSplash = false;
    env.MakePrompts = [] { return std::make_unique<TScriptedPrompts>(); };
    {
        TKelwinApp app(env);
        ASSERT_TRUE(app.Start());
        ASSERT_NE(app.DiveWindows(), nullptr);
        TDispDlg& disp = *app.DiveWindows()->DispDlg();
        EXPECT_FALSE(disp.TakenOut());
        EXPECT_EQ(disp.Dive(), app.MainWindow()->CurrentDive());
        EXPECT_EQ(disp.windowTitle(), "Data Dive 3");
        for (ECommand c :
             {ECommand::Insert, ECommand::Edit, ECommand::Data, ECommand::Select, ECommand::TimeZone})
            EXPECT_TRUE(app.MainWindow()->CommandAvailable(c)) << static_cast<int>(c);
        app.MainWindow()->SetModified(false);
    }
    SetCurrentDateFormat(TDateFormat());
}

}  // namespace
