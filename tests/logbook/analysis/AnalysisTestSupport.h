#pragma once
// Shared set-up of the analysis tests: parameter tables generated into a temporary
// folder (default or alternative setting), and dives built from waypoints.
//
//   TGeneratedTables tables(DefaultTableSettings());
//   TTissueModel model(tables.Tables());

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include <gtest/gtest.h>

#include "TParameterTables.h"
#include "TableGenerator.h"

class TGeneratedTables {
public:
    explicit TGeneratedTables(const TTableSettings& settings) : TGeneratedTables(GenerateTables(settings)) {}
    // Tables written from images, for tables changed after generation.
    explicit TGeneratedTables(const TTableImages& images) {
        const TResult written =
            m_dir.isValid() ? WriteTables(images, m_dir.path()) : TResult::Failure("no folder");
        if (!written.Ok()) ADD_FAILURE() << "cannot write tables: " << written.ErrorText.toStdString();
        m_tables = std::make_unique<TParameterTables>(m_dir.path());
        m_tables->OpenParameterTables();
    }
    TParameterTables& Tables() { return *m_tables; }
    QString Path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TParameterTables> m_tables;
};
