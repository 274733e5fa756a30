#include "TParameterTables.h"

#include <utility>

#include "Messages.h"
#include "Real48.h"

namespace {

// Decodes as many whole reals as `bytes` holds into table[0..].
int DecodeReals(const char* bytes, qint64 size, double* table, int reals) {
    int decoded = 0;
    for (; decoded < reals && qint64{decoded + 1} * kReal48Size <= size; ++decoded) {
        table[decoded] =
            Real48ToDouble(reinterpret_cast<const std::uint8_t*>(bytes + qint64{decoded} * kReal48Size));
    }
    return decoded;
}

}  // namespace

TParameterTables::TParameterTables(QString directory) : m_directory(std::move(directory)) {
    if (!m_directory.isEmpty() && !m_directory.endsWith(QLatin1Char('/'))) {
        m_directory += QLatin1Char('/');
    }
}

TParameterTables::~TParameterTables() { CloseParameterTables(); }

void TParameterTables::OpenParameterTables() {
    CloseParameterTables();
    auto open = [this](const QString& name, const QString& prefix) {
        auto file = std::make_unique<QFile>(PathOf(name));
        if (!file->open(QIODevice::ReadOnly)) {
            // Start-up reports this in English: the settings (and language) are not read yet.
            throw EMissingTabFile(prefix, name, kMissingFileMessageEnglish);
        }
        return file;
    };
    m_realCache.assign(kRealRecords, std::nullopt);
    m_fiktCache.assign(kFiktRecords, std::nullopt);
    m_real = open(kRealTableName, QStringLiteral("5: "));
    m_fikt = open(kFiktTableName, QStringLiteral("4: "));
    QFile weights(PathOf(kWeightTableName));
    if (!weights.open(QIODevice::ReadOnly)) {
        throw EMissingTabFile(QStringLiteral("3: "), kWeightTableName, kMissingFileMessageEnglish);
    }
    const QByteArray bytes = weights.read(qint64{kWeightReals} * kReal48Size);
    DecodeReals(bytes.constData(), bytes.size(), m_weights.data(), kWeightReals);
}

void TParameterTables::CloseParameterTables() {
    m_real.reset();
    m_fikt.reset();
    m_realCache.clear();
    m_fiktCache.clear();
}

bool TParameterTables::IsOpen() const { return m_real && m_fikt; }

bool TParameterTables::ReadRecord(QFile* file, qint64 offset, TCoeffRecord& rec) {
    if (file == nullptr || !file->isOpen() || !file->seek(offset)) {
        return false;
    }
    char bytes[kCoeffRecordSize];
    const qint64 got = file->read(bytes, kCoeffRecordSize);
    if (got <= 0) {
        return false;
    }
    std::array<double, 24> reals{};
    for (std::size_t c = 0; c < 8; ++c) {
        reals[c * 3] = rec.Compartments[c].k;
        reals[c * 3 + 1] = rec.Compartments[c].a;
        reals[c * 3 + 2] = rec.Compartments[c].b;
    }
    const int decoded = DecodeReals(bytes, got, reals.data(), 24);
    for (std::size_t c = 0; c < 8; ++c) {
        rec.Compartments[c] = {reals[c * 3], reals[c * 3 + 1], reals[c * 3 + 2]};
    }
    return decoded == 24;
}

bool TParameterTables::LoadRecord(QFile* file, std::vector<std::optional<TCoeffRecord>>& cache, int index,
                                  TCoeffRecord& rec) {
    const auto slot = static_cast<std::size_t>(index);
    if (slot < cache.size() && cache[slot]) {
        rec = *cache[slot];
        return true;
    }
    const bool whole = ReadRecord(file, static_cast<qint64>(index) * kCoeffRecordSize, rec);
    if (whole && slot < cache.size()) {
        cache[slot] = rec;  // a record cut short by the file's end depends on the previous one
    }
    return whole;
}

bool TParameterTables::LoadRealRecord(TCoeffRecord& rec, int microbubble, int cold, int workload) {
    return LoadRecord(m_real.get(), m_realCache, (microbubble & 7) * 64 + (cold & 7) * 8 + (workload & 7),
                      rec);
}

bool TParameterTables::LoadFiktRecord(TCoeffRecord& rec, int microbubble, int cold) {
    return LoadRecord(m_fikt.get(), m_fiktCache, (microbubble & 7) * 8 + (cold & 7), rec);
}

void TParameterTables::ReadWhole(const QString& fileName, const QString& prefix, double* table,
                                 int reals) const {
    QFile file(PathOf(fileName));
    if (!file.open(QIODevice::ReadOnly)) {
        QString message = m_missingMessage;
        if (message.isEmpty()) {
            message = GetMessage(32);
        }
        if (message.isEmpty()) {
            message = kMissingFileMessageEnglish;
        }
        throw EMissingTabFile(prefix, fileName, message);
    }
    const QByteArray bytes = file.read(static_cast<qint64>(reals) * kReal48Size);
    DecodeReals(bytes.constData(), bytes.size(), table, reals);
}

void TParameterTables::LoadAscentTable(std::array<double, kAscentReals>& table) const {
    ReadWhole(kAscentTableName, QStringLiteral("1: "), table.data(), kAscentReals);
}

void TParameterTables::LoadToxTable(std::array<double, kToxReals>& table) const {
    ReadWhole(kToxTableName, QStringLiteral("2: "), table.data(), kToxReals);
}
