#pragma once
// The five parameter tables of the tissue model, read from one folder (the program's
// own folder in the programs; any folder in tests and `kvlog replay --tables DIR`).
// KvREAL.TAB and KvFIKT.TAB are opened once and kept open for reading records;
// KvEPS.TAB is read whole at opening; KvASC.TAB and KvDoTox.TAB are read whole each
// time a model is reset.
//
//   TParameterTables tables(ExeDir());
//   tables.OpenParameterTables();               // throws EMissingTabFile
//   TCoeffRecord rec;
//   tables.LoadRealRecord(rec, bubble, cold, work);
//   std::array<double, kAscentReals> ascent{};
//   tables.LoadAscentTable(ascent);             // throws EMissingTabFile

#include <QFile>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "EMissingTabFile.h"
#include "TCoeffRecord.h"

inline constexpr int kAscentReals = 256;  // 128 pairs (time to surface, N2 integral)
inline constexpr int kToxReals = 117;
inline constexpr int kWeightReals = 64;
inline constexpr int kRealRecords = 512;
inline constexpr int kFiktRecords = 64;

inline const QString kRealTableName = QStringLiteral("KvREAL.TAB");
inline const QString kFiktTableName = QStringLiteral("KvFIKT.TAB");
inline const QString kWeightTableName = QStringLiteral("KvEPS.TAB");
inline const QString kAscentTableName = QStringLiteral("KvASC.TAB");
inline const QString kToxTableName = QStringLiteral("KvDoTox.TAB");

class TParameterTables {
public:
    // directory: folder of the five files, with or without a trailing "/".
    explicit TParameterTables(QString directory);
    ~TParameterTables();
    TParameterTables(const TParameterTables&) = delete;
    TParameterTables& operator=(const TParameterTables&) = delete;

    // Text of the missing-file message for the tables read at a model reset. By default
    // it is message 32 of the current language; a text set here replaces it. Errors of
    // OpenParameterTables are always English: the language is not known yet at start.
    void SetMissingFileMessage(const QString& message) { m_missingMessage = message; }
    const QString& MissingFileMessage() const { return m_missingMessage; }

    // Opens KvREAL.TAB, then KvFIKT.TAB (both kept open), then reads KvEPS.TAB. The first
    // file that cannot be opened raises EMissingTabFile; tables opened before stay open.
    void OpenParameterTables();
    void CloseParameterTables();
    bool IsOpen() const;

    // Read one 144-byte record into rec. Levels are taken modulo 8 (three bits each).
    // When the file is not open nothing is read and rec keeps its values; a record cut
    // short by the end of the file replaces only the reals that were read. Returns true
    // when a record was read in full.
    bool LoadRealRecord(TCoeffRecord& rec, int microbubble, int cold, int workload);
    bool LoadFiktRecord(TCoeffRecord& rec, int microbubble, int cold);

    // Read KvASC.TAB / KvDoTox.TAB whole into table; a short file replaces only the start
    // of the table. A file that cannot be opened raises EMissingTabFile.
    void LoadAscentTable(std::array<double, kAscentReals>& table) const;
    void LoadToxTable(std::array<double, kToxReals>& table) const;

    // Weights[(j - 1) * 8 + w]: weight of compartment j at workload level w.
    const std::array<double, kWeightReals>& Weights() const { return m_weights; }
    double Weight(int compartment, int workload) const {
        return m_weights[static_cast<std::size_t>(compartment - 1) * 8 +
                         static_cast<std::size_t>(workload & 7)];
    }

    const QString& Directory() const { return m_directory; }
    QString PathOf(const QString& fileName) const { return m_directory + fileName; }

private:
    bool ReadRecord(QFile* file, qint64 offset, TCoeffRecord& rec);
    bool LoadRecord(QFile* file, std::vector<std::optional<TCoeffRecord>>& cache, int index,
                    TCoeffRecord& rec);
    void ReadWhole(const QString& fileName, const QString& prefix, double* table, int reals) const;

    QString m_directory;
    QString m_missingMessage;
    std::unique_ptr<QFile> m_real;
    std::unique_ptr<QFile> m_fikt;
    // Records read in full, kept so that a replay does not read the same record again
    // each time the levels of its look-ahead alternate. The files are read-only.
    std::vector<std::optional<TCoeffRecord>> m_realCache;
    std::vector<std::optional<TCoeffRecord>> m_fiktCache;
    std::array<double, kWeightReals> m_weights{};
};
