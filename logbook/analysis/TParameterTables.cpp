#include "TParameterTables.h"

#include <atomic>

#include "Real48.h"

namespace {

std::uint64_t NextGeneration() {
    static std::atomic<std::uint64_t> counter{0};
    return ++counter;
}

// Decodes as many whole reals as `bytes` holds into table[0..].
int DecodeReals(const char* bytes, qint64 size, double* table, int reals) {
    int decoded = 0;
    for (; decoded < reals && (decoded + 1) * kReal48Size <= size; ++decoded) {
        table[decoded] = Real48ToDouble(reinterpret_cast<const std::uint8_t*>(bytes + decoded * kReal48Size));
    }
    return decoded;
}

}  // namespace

TParameterTables::TParameterTables(const QString& directory) : m_directory(directory) {
    if (!m_directory.isEmpty() && !m_directory.endsWith(QLatin1Char('/'))) {
        m_directory += QLatin1Char('/');
    }
}

TParameterTables::~TParameterTables() { CloseParameterTables(); }

void TParameterTables::OpenParameterTables() {
    CloseParameterTables();
    m_generation = NextGeneration();
    auto open = [this](const QString& name, const QString& prefix) {
        auto file = std::make_unique<QFile>(PathOf(name));
        if (!file->open(QIODevice::ReadOnly)) {
            // Start-up reports this in English: the settings (and language) are not read yet.
            throw EMissingTabFile(prefix, name, kMissingFileMessageEnglish);
        }
        return file;
    };
    m_real = open(kRealTableName, QStringLiteral("5: "));
    m_fikt = open(kFiktTableName, QStringLiteral("4: "));
    QFile weights(PathOf(kWeightTableName));
    if (!weights.open(QIODevice::ReadOnly)) {
        throw EMissingTabFile(QStringLiteral("3: "), kWeightTableName, kMissingFileMessageEnglish);
    }
    const QByteArray bytes = weights.read(kWeightReals * kReal48Size);
    DecodeReals(bytes.constData(), bytes.size(), m_weights.data(), kWeightReals);
}

void TParameterTables::CloseParameterTables() {
    m_real.reset();
    m_fikt.reset();
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
    for (int c = 0; c < 8; ++c) {
        reals[c * 3] = rec.Compartments[c].k;
        reals[c * 3 + 1] = rec.Compartments[c].a;
        reals[c * 3 + 2] = rec.Compartments[c].b;
    }
    const int decoded = DecodeReals(bytes, got, reals.data(), 24);
    for (int c = 0; c < 8; ++c) {
        rec.Compartments[c] = {reals[c * 3], reals[c * 3 + 1], reals[c * 3 + 2]};
    }
    return decoded == 24;
}

bool TParameterTables::LoadRealRecord(TCoeffRecord& rec, int microbubble, int cold, int workload) {
    const qint64 offset = (microbubble & 7) * 9216 + (cold & 7) * 1152 + (workload & 7) * 144;
    return ReadRecord(m_real.get(), offset, rec);
}

bool TParameterTables::LoadFiktRecord(TCoeffRecord& rec, int microbubble, int cold) {
    const qint64 offset = (microbubble & 7) * 1152 + (cold & 7) * 144;
    return ReadRecord(m_fikt.get(), offset, rec);
}

void TParameterTables::ReadWhole(const QString& fileName, const QString& prefix, double* table,
                                 int reals) const {
    QFile file(PathOf(fileName));
    if (!file.open(QIODevice::ReadOnly)) {
        throw EMissingTabFile(prefix, fileName, m_missingMessage);
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
