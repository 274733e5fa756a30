#pragma once
// Kelwin started by the benchmarks and the screenshot tools: the programs' own folder with
// its data files, throw-away user folders below `home`, a fixed locale, and questions
// answered by TBenchPrompts.
//
//   QTemporaryDir home;
//   WriteEarlierSettings(home, SettingsRecord::Defaults());  // an ordinary, not a first start
//   TKelwinApp app(BenchEnvironment(home, {BenchBinDir() + "EXAMPLE.LOG"}));

#include <QLocale>
#include <QStringList>
#include <QTemporaryDir>

#include "BenchPrompts.h"
#include "SettingsRecord.h"
#include "Startup.h"
#include "TKelwinApp.h"

inline QString BenchBinDir() { return QStringLiteral(KV_BIN_DIR "/"); }

inline TKelwinEnvironment BenchEnvironment(const QTemporaryDir& home, const QStringList& args) {
    TKelwinEnvironment env;
    env.ExeDir = BenchBinDir();
    env.AppDataFolder = home.filePath(QStringLiteral("appdata"));
    env.DocumentsFolder = home.filePath(QStringLiteral("docs"));
    env.Arguments = args;
    env.Locale = QLocale(QLocale::English, QLocale::UnitedKingdom);
    env.MakePrompts = [] { return std::make_unique<TBenchPrompts>(); };
    return env;
}

// Settings of an earlier run in the throw-away data folder.
inline void WriteEarlierSettings(const QTemporaryDir& home, const SettingsRecord& settings) {
    WriteSettings(DataDir(home.filePath(QStringLiteral("appdata")), BenchBinDir()), settings);
}
