#pragma once
// Shared set-up of the interchange tests: the example logbook and the model's tables as
// delivered, schema validation of written UDDF with xmllint, and a reader of waypoints.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <memory>

#include <gtest/gtest.h>

#include "LogbookFile.h"
#include "TParameterTables.h"

inline const QString kDataDir = QStringLiteral(KV_SOURCE_DIR "/data");

// The published schema lives beside the project, in ../shared/uddf.
inline QString UddfSchemaPath() {
    return QDir(QStringLiteral(KV_SOURCE_DIR))
        .absoluteFilePath(QStringLiteral("../shared/uddf/uddf_3.2.2.xsd"));
}

// Empty when the document validates; otherwise xmllint's complaint.
inline QString SchemaComplaint(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("xmllint"),
            {QStringLiteral("--noout"), QStringLiteral("--schema"), UddfSchemaPath(), path});
    if (!p.waitForFinished(120000)) return QStringLiteral("xmllint did not finish");
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString::fromUtf8(p.readAllStandardError()).left(2000);
    return {};
}

inline bool SchemaCheckAvailable() {
    return QFileInfo::exists(UddfSchemaPath()) &&
           !QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty();
}

// Skips the test when the schema or xmllint is not there.
#define KV_REQUIRE_UDDF_SCHEMA()                                                                            \
    do {                                                                                                    \
        if (!QFileInfo::exists(UddfSchemaPath()))                                                           \
            GTEST_SKIP() << "UDDF schema not found beside the project: " << UddfSchemaPath().toStdString(); \
        if (QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty())                            \
            GTEST_SKIP() << "xmllint (libxml2-utils) is not installed";                                     \
    } while (false)

inline std::unique_ptr<TDiveCollection> ExampleLogbook() {
    LogbookLoadResult r = LoadLogbookFile(kDataDir + QStringLiteral("/EXAMPLE.LOG"), false);
    EXPECT_TRUE(r.Ok()) << r.ErrorText.toStdString();
    return std::move(r.Collection);
}

inline std::unique_ptr<TParameterTables> DeliveredTables() {
    auto tables = std::make_unique<TParameterTables>(kDataDir);
    tables->OpenParameterTables();
    return tables;
}

inline std::vector<std::size_t> AllIndices(const TDiveCollection& log) {
    std::vector<std::size_t> all(log.Count());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
    return all;
}

inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
