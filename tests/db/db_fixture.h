#pragma once
// A fresh production database for a test: the SQLite tables of the schema
// in a file of the test's own, opened through Qt's SQLite driver, or, when
// VM742_TEST_ODBC is set, through ODBC with SQLite's ODBC driver, the way
// a station reaches its SQL Server.

#include "db/database.h"
#include "db/query.h"

#include <QFile>
#include <QTest>
#include <memory>

inline bool TestThroughOdbc()
{
    return qEnvironmentVariableIsSet("VM742_TEST_ODBC");
}

// The schema and then the given statements, committed before the database
// is opened the way the test runs it.
inline std::unique_ptr<Database> OpenTestDatabase(const QString& path, const QStringList& statements = {})
{
    QFile::remove(path);
    {
        QFile schema(QStringLiteral(VM742_SCHEMA_DIR "/sqlite.sql"));
        if (!schema.open(QIODevice::ReadOnly))
            qFatal("no schema at %s", VM742_SCHEMA_DIR);
        auto database = Database::OpenSqlite(path);
        database->RunScript(QString::fromUtf8(schema.readAll()));
        for (const QString& statement : statements)
            Query(*database, statement).Execute();
    }
    if (TestThroughOdbc())
        return Database::OpenOdbc(QStringLiteral("DRIVER={SQLite3};Database=%1").arg(path));
    return Database::OpenSqlite(path);
}

// The single integer an aggregate or a one-row query gives.
inline int ScalarOf(Database& database, const QString& text)
{
    Query query(database, text);
    query.Open();
    return query.Integer(0);
}
