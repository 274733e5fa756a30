#include "TableGenerator.h"

#include <QDir>
#include <array>
#include <cmath>

#include "Real48.h"
#include "SaveFile.h"
#include "TParameterTables.h"

namespace {

constexpr std::array<double, 8> kHalfTime = {5, 10, 20, 40, 80, 160, 320, 640};
constexpr double kN2OfAir = 0.79296875;

// Workload raises the perfusion of the muscle compartments (half-times 20..160 minutes).
constexpr std::array<double, 8> kMuscleShare = {0, 0, 1, 1, 1, 1, 0, 0};

// Published single-exposure oxygen limits: pO2 (bar) and minutes.
constexpr std::array<std::array<double, 2>, 11> kCnsLimits = {{{0.6, 720},
                                                               {0.7, 570},
                                                               {0.8, 450},
                                                               {0.9, 360},
                                                               {1.0, 300},
                                                               {1.1, 240},
                                                               {1.2, 210},
                                                               {1.3, 180},
                                                               {1.4, 150},
                                                               {1.5, 120},
                                                               {1.6, 45}}};

void Append(QByteArray& out, double value) {
    const auto bytes = DoubleToReal48(value);
    out.append(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

// Half-time of compartment j at the given workload and cold levels.
double EffectiveHalfTime(int j, int workload, int cold, const TTableSettings& s) {
    return kHalfTime[static_cast<std::size_t>(j)] * (1 + s.ColdGain * cold) /
           (1 + s.WorkGain * (workload - 1));
}

// Uptake factor of an exposure of `minutes` for an exponential compartment.
double UptakeFactor(double minutes, double halfTime) { return 1 - std::pow(2.0, -minutes / halfTime); }

double GradientFactor(int bubble, const TTableSettings& s) {
    return s.ToleranceScale * (1 - s.BubbleGain * bubble);
}

void AppendRecord(QByteArray& out, double minutes, int bubble, int cold, int workload,
                  const TTableSettings& s) {
    for (int c = 1; c <= 8; ++c) {
        Append(out, UptakeFactor(minutes, EffectiveHalfTime(c - 1, workload, cold, s)));
        Append(out, TableToleranceA(c, bubble, s));
        Append(out, TableToleranceB(c, bubble, s));
    }
}

// Oxygen clock added in 20 seconds at pO2 p, percent.
double ToxDose(double p, const TTableSettings& s) {
    const double step = 1.0 / 3.0;
    if (p < 0.5) {
        // Recovery: the share a full clock loses in one step with the recovery half-time.
        return -100 * UptakeFactor(step, s.ToxRecoveryHalfTime);
    }
    if (p < 0.6) {
        // No limit is published below 0.6 bar; the dose rises from 0 at 0.5 bar.
        return (p - 0.5) / 0.1 * step / TableCnsLimitMinutes(0.6) * 100;
    }
    return step / TableCnsLimitMinutes(p) * 100;
}

}  // namespace

TTableSettings DefaultTableSettings() { return TTableSettings{}; }

TTableSettings AlternativeTableSettings() {
    TTableSettings s;
    s.AscentRate = 0.8;
    s.WorkGain = 0.1;
    s.ColdGain = 0.08;
    s.BubbleGain = 0.06;
    s.ToleranceScale = 0.85;
    s.ToxRecoveryHalfTime = 60;
    return s;
}

double TableHalfTime(int compartment) { return kHalfTime[static_cast<std::size_t>(compartment - 1)]; }

// Tolerated tension a + P / b of the fitted sixteen-compartment coefficients, its
// supersaturation above P scaled by the gradient factor:
// a' = g a, 1 / b' = 1 + g (1 / b - 1).
double TableToleranceA(int compartment, int bubble, const TTableSettings& s) {
    const double h = TableHalfTime(compartment);
    return GradientFactor(bubble, s) * 2.0 * std::pow(h, -1.0 / 3.0);
}

double TableToleranceB(int compartment, int bubble, const TTableSettings& s) {
    const double h = TableHalfTime(compartment);
    const double b = 1.005 - std::pow(h, -0.5);
    return 1 / (1 + GradientFactor(bubble, s) * (1 / b - 1));
}

double TableCnsLimitMinutes(double p) {
    if (p <= kCnsLimits.front()[0]) {
        return kCnsLimits.front()[1];
    }
    for (std::size_t i = 1; i < kCnsLimits.size(); ++i) {
        if (p <= kCnsLimits[i][0]) {
            const double t = (p - kCnsLimits[i - 1][0]) / (kCnsLimits[i][0] - kCnsLimits[i - 1][0]);
            return kCnsLimits[i - 1][1] + t * (kCnsLimits[i][1] - kCnsLimits[i - 1][1]);
        }
    }
    // Beyond 1.6 bar no limit is published: the last one halves every 0.05 bar.
    return kCnsLimits.back()[1] * std::pow(2.0, -(p - kCnsLimits.back()[0]) / 0.05);
}

TTableImages GenerateTables(const TTableSettings& s) {
    TTableImages images;
    for (int d = 0; d < kAscentReals / 2; ++d) {
        const double depth = d / 10.0;
        Append(images.Ascent, depth / s.AscentRate);
        // Nitrogen of air integrated over a steady ascent: 0.793 * depth^2 / (2 rate).
        Append(images.Ascent, kN2OfAir * depth * depth / (2 * s.AscentRate));
    }
    for (int n = 0; n < kToxReals; ++n) {
        Append(images.Tox, ToxDose((n + 0.5) / 64.0, s));
    }
    for (int c = 1; c <= 8; ++c) {
        for (int w = 0; w < 8; ++w) {
            double total = 0;
            double mine = 0;
            for (int j = 1; j <= 8; ++j) {
                const double perfusion =
                    (1 + s.WorkGain * (w - 1) * kMuscleShare[static_cast<std::size_t>(j - 1)]) /
                    std::sqrt(TableHalfTime(j));
                total += perfusion;
                if (j == c) {
                    mine = perfusion;
                }
            }
            Append(images.Weights, mine / total);
        }
    }
    for (int bubble = 0; bubble < 8; ++bubble) {
        for (int cold = 0; cold < 8; ++cold) {
            AppendRecord(images.Fikt, 1.0, bubble, cold, 1, s);
        }
    }
    for (int bubble = 0; bubble < 8; ++bubble) {
        for (int cold = 0; cold < 8; ++cold) {
            for (int workload = 0; workload < 8; ++workload) {
                AppendRecord(images.Real, 1.0 / 3.0, bubble, cold, workload, s);
            }
        }
    }
    return images;
}

TResult WriteTables(const TTableImages& images, const QString& directory) {
    if (!QDir().mkpath(directory))
        return TResult::Failure(QStringLiteral("cannot create folder %1").arg(directory));
    const std::array<std::pair<QString, const QByteArray*>, 5> files = {{{kAscentTableName, &images.Ascent},
                                                                         {kToxTableName, &images.Tox},
                                                                         {kWeightTableName, &images.Weights},
                                                                         {kFiktTableName, &images.Fikt},
                                                                         {kRealTableName, &images.Real}}};
    for (const auto& [name, bytes] : files) {
        const TSaveResult saved = SaveFile(QDir(directory).filePath(name), *bytes);
        if (!saved.Ok()) return TResult::Failure(saved.Message());
    }
    return {};
}
