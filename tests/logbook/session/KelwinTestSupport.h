#pragma once
// Helpers of the window tests: a scripted answer to every question of the main window,
// logbooks built in memory and written to temporary folders, and a program folder with
// the files start-up needs.
//
//   TScriptedPrompts* prompts = ...; prompts->YesNoCancel.push_back(EAnswer::No);
//   WriteLogbook(dir.filePath("A.LOG"), Logbook({10, 11, 12}));

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

#include "IKelwinPrompts.h"
#include "LogbookFile.h"
#include "TDiveCollection.h"
#include "TDiveRec.h"
#include "TLogbookWriter.h"

// Answers from queues; a question whose queue is empty fails the test through Unexpected.
class TScriptedPrompts : public IKelwinPrompts {
public:
    std::deque<EAnswer> YesNoCancel;
    std::deque<bool> YesNo;
    // A file dialog's answer: the chosen file, or an empty path for Cancel.
    std::deque<TFileChoice> OpenFiles;
    std::deque<QString> SaveFiles;
    // The filter entry chosen in a save dialog that reports it (0 when none is queued).
    std::deque<int> SaveFilters;
    // Start number dialog: the value entered, or kCancel.
    static constexpr int kCancel = -1;
    std::deque<int> StartNumbers;

    QStringList Asked;                         // texts of the questions, in order
    QStringList Information;                   // texts of the information boxes
    QStringList Errors;                        // texts of the error boxes
    std::vector<TFileDialogSettings> Dialogs;  // every file dialog as it was opened
    std::vector<std::uint16_t> StartNumberShown;
    QStringList Unexpected;

    EAnswer AskYesNoCancel(const QString& text) override {
        Asked << text;
        if (YesNoCancel.empty()) return Fail<EAnswer>("AskYesNoCancel", EAnswer::Cancel);
        EAnswer a = YesNoCancel.front();
        YesNoCancel.pop_front();
        return a;
    }
    bool AskYesNo(const QString& text) override {
        Asked << text;
        if (YesNo.empty()) return Fail<bool>("AskYesNo", false);
        bool a = YesNo.front();
        YesNo.pop_front();
        return a;
    }
    void ShowInformation(const QString& text) override { Information << text; }
    void ShowError(const QString& text) override { Errors << text; }
    std::optional<TFileChoice> ChooseOpenFile(const TFileDialogSettings& dialog) override {
        Dialogs.push_back(dialog);
        if (OpenFiles.empty()) {
            Unexpected << QStringLiteral("ChooseOpenFile");
            return std::nullopt;
        }
        TFileChoice a = OpenFiles.front();
        OpenFiles.pop_front();
        if (a.Path.isEmpty()) return std::nullopt;
        return a;
    }
    std::optional<QString> ChooseSaveFile(const TFileDialogSettings& dialog) override {
        Dialogs.push_back(dialog);
        if (SaveFiles.empty()) {
            Unexpected << QStringLiteral("ChooseSaveFile");
            return std::nullopt;
        }
        QString a = SaveFiles.front();
        SaveFiles.pop_front();
        if (a.isEmpty()) return std::nullopt;
        return a;
    }
    std::optional<TFileChoice> ChooseSaveFileAndFilter(const TFileDialogSettings& dialog) override {
        const std::optional<QString> path = ChooseSaveFile(dialog);
        int filter = 0;
        if (!SaveFilters.empty()) {
            filter = SaveFilters.front();
            SaveFilters.pop_front();
        }
        if (!path) return std::nullopt;
        return TFileChoice{*path, filter};
    }
    bool AskStartNumber(std::uint16_t& value) override {
        StartNumberShown.push_back(value);
        if (StartNumbers.empty()) return Fail<bool>("AskStartNumber", false);
        const int a = StartNumbers.front();
        StartNumbers.pop_front();
        value = a == kCancel ? 1 : static_cast<std::uint16_t>(a);
        return a != kCancel;
    }

private:
    template <typename T>
    T Fail(const char* what, T fallback) {
        Unexpected << QString::fromLatin1(what);
        return fallback;
    }
};

// A dive on day 150000 + i at 10:00, numbered as given; with a small profile when asked.
inline std::unique_ptr<TDiveRec> Dive(std::uint16_t number, int day, bool profile = false) {
    auto d = std::make_unique<TDiveRec>();
    d->DayNo = 150000 + day;
    d->StartTime = 600;
    d->DiveNumber = number;
    d->MaxDepth = 1850;
    d->DiveTime = 42;
    d->Location = QByteArray("Test");
    if (profile) d->ProfileBlock = {4, 0, 1, 2, 3, 4};
    return d;
}

// The dives in the order given; their numbers are stored as given (no renumbering).
inline std::unique_ptr<TDiveCollection> Logbook(const std::vector<std::uint16_t>& numbers,
                                                std::vector<bool> profiles = {}) {
    auto log = std::make_unique<TDiveCollection>();
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const bool withProfile = i < profiles.size() && profiles[i];
        log->AddDive(Dive(numbers[i], static_cast<int>(i), withProfile), 0, 1);
        log->At(i).DiveNumber = numbers[i];
    }
    return log;
}

inline void WriteLogbook(const QString& path, const TDiveCollection& log) {
    const LogbookSaveResult r = SaveLogbookFile(path, log, false);
    if (!r.Ok()) qFatal("cannot write test logbook %s", qPrintable(path));
}

inline std::vector<std::uint16_t> Numbers(const TDiveCollection& log) {
    std::vector<std::uint16_t> n;
    for (std::size_t i = 0; i < log.Count(); ++i) n.push_back(log.At(i).DiveNumber);
    return n;
}

inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// A program folder holding what start-up opens: the five tables (content does not matter
// to start-up; KvEPS.TAB is read as 384 bytes) and an example logbook of three dives.
inline void MakeProgramFolder(const QString& exeDir) {
    QDir().mkpath(exeDir);
    for (const char* name : {"KvREAL.TAB", "KvFIKT.TAB", "KvASC.TAB", "KvDoTox.TAB"})
        WriteBytes(exeDir + "/" + name, QByteArray(144, '\0'));
    WriteBytes(exeDir + "/KvEPS.TAB", QByteArray(384, '\0'));
    WriteLogbook(exeDir + "/EXAMPLE.LOG", *Logbook({1, 2, 3}, {false, true, true}));
}
