#include "db/demo_database.h"

#include "db/database.h"
#include "db/query.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString ResourceText(const QString& name)
{
    QFile file(name);
    // The schema and the data are part of the program: a missing one is a
    // build fault.
    if (!file.open(QIODevice::ReadOnly))
        qFatal("%s is not compiled in", qPrintable(name));
    return QString::fromUtf8(file.readAll());
}

// The workstation's own names are bound, never spliced into the script: a
// quote in a computer name or login is data. The demo data refers to the
// two rows by these fixed identifiers.
void InsertStation(Database& database, const QString& computerName, const QString& login)
{
    Query computer(database, QStringLiteral("INSERT INTO computer (computer_id, name) VALUES (1, :name)"));
    computer.SetText(QStringLiteral("name"), computerName);
    computer.Execute();
    Query person(database,
        QStringLiteral("INSERT INTO operator (person_id, login, operating) VALUES (1, :login, 1)"));
    person.SetText(QStringLiteral("login"), login);
    person.Execute();
}

void WriteTables(Database& database, const QString& computerName, const QString& login)
{
    database.Begin();
    database.RunScript(ResourceText(QStringLiteral(":/schema/sqlite.sql")));
    InsertStation(database, computerName, login);
    database.RunScript(ResourceText(QStringLiteral(":/schema/demo.sql")));
    database.Commit();
}

} // namespace

void WriteDemoDatabase(const QString& path, const QString& computerName, const QString& login)
{
    if (QFileInfo::exists(path))
        throw DbError(QStringLiteral("Файл \"%1\" уже существует.").arg(QDir::toNativeSeparators(path)));
    try {
        WriteTables(*Database::OpenSqlite(path), computerName, login);
    } catch (...) {
        // The connection is closed by now, and its unfinished transaction
        // with it; a file that is not a whole demo database must not be
        // mistaken for one.
        QFile::remove(path);
        throw;
    }
}
