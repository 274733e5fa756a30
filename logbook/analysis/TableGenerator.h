#pragma once
// The generator of the five parameter tables. The delivered files in data/ are exactly
// what GenerateTables(DefaultTableSettings()) makes; the tool `gentables` writes them and
// a test checks that the committed files still equal its output. docs/model.md explains
// the model and its published sources.
//
//   TTableImages images = GenerateTables(DefaultTableSettings());
//   QString error;
//   if (const TResult r = WriteTables(images, "/some/dir"); !r.Ok()) report(r.ErrorText);

#include <QByteArray>
#include <QString>

#include "TResult.h"

struct TTableSettings {
    // Ascent speed of the ascent table, bar of relative pressure per minute (1 bar/min is
    // about 10 m/min).
    double AscentRate = 1.0;
    // Perfusion gain per workload level above rest (level 1): half-times shorten by
    // 1 + WorkGain * (level - 1).
    double WorkGain = 0.06;
    // Half-time lengthening per cold level: vasoconstriction slows gas exchange.
    double ColdGain = 0.05;
    // Gradient-factor reduction per microbubble level: tolerated supersaturation is
    // scaled by ToleranceScale * (1 - BubbleGain * level).
    double BubbleGain = 0.04;
    double ToleranceScale = 1.0;
    // Half-time in minutes with which the oxygen clock recovers below 0.5 bar.
    double ToxRecoveryHalfTime = 90;
};

TTableSettings DefaultTableSettings();
// A clearly different, more conservative setting; the model's tests replay with it too.
TTableSettings AlternativeTableSettings();

struct TTableImages {
    QByteArray Ascent;   // KvASC.TAB
    QByteArray Tox;      // KvDoTox.TAB
    QByteArray Weights;  // KvEPS.TAB
    QByteArray Fikt;     // KvFIKT.TAB
    QByteArray Real;     // KvREAL.TAB
};

TTableImages GenerateTables(const TTableSettings& settings);

// Writes the five files into directory (created when missing). Each file is written
// whole or not at all; on failure *error names the file.
TResult WriteTables(const TTableImages& images, const QString& directory);

// The coefficients behind the files, for the documentation and the tests.
double TableHalfTime(int compartment);  // compartment 1..8, minutes
double TableToleranceA(int compartment, int bubble, const TTableSettings& settings);
double TableToleranceB(int compartment, int bubble, const TTableSettings& settings);
double TableCnsLimitMinutes(double po2);  // published single-exposure limit
