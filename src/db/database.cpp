#include "db/database.h"

#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

namespace {

// SQL Server's getdate(): the server's local date and time.
void GetDate(sqlite3_context* context, int, sqlite3_value**)
{
    const QByteArray now = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toUtf8();
    sqlite3_result_text(context, now.constData(), int(now.size()), SQLITE_TRANSIENT);
}

void AddSqlServerFunctions(QSqlDatabase& connection)
{
    const QVariant handle = connection.driver()->handle();
    sqlite3* sqlite = handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
        ? *static_cast<sqlite3* const*>(handle.constData())
        : nullptr;
    if (!sqlite || sqlite3_create_function(sqlite, "getdate", 0, SQLITE_UTF8, nullptr, GetDate, nullptr, nullptr)
            != SQLITE_OK)
        throw DbError(QStringLiteral("The SQLite database cannot provide getdate()."));
}

} // namespace

DbError ErrorOf(const QSqlError& error)
{
    const QString text = error.text().trimmed();
    return DbError(text.isEmpty() ? QStringLiteral("Ошибка базы данных.") : text);
}

Database::Database(const QString& driver, const QString& name)
    : connection_(QSqlDatabase::addDatabase(driver, QLatin1String(ConnectionName)))
{
    connection_.setDatabaseName(name);
    if (!connection_.open()) {
        const QSqlError error = connection_.lastError();
        connection_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(QLatin1String(ConnectionName));
        throw ErrorOf(error);
    }
}

Database::~Database()
{
    connection_.close();
    connection_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(QLatin1String(ConnectionName));
}

std::unique_ptr<Database> Database::OpenOdbc(const QString& dataSource)
{
    return std::unique_ptr<Database>(new Database(QStringLiteral("QODBC"), dataSource));
}

std::unique_ptr<Database> Database::OpenSqlite(const QString& path)
{
    std::unique_ptr<Database> database(new Database(QStringLiteral("QSQLITE"), path));
    AddSqlServerFunctions(database->connection_);
    return database;
}

void Database::RunScript(const QString& script)
{
    static const QRegularExpression statementEnd(QStringLiteral(";[ \t]*(\r?\n|$)"));
    for (const QString& statement : script.split(statementEnd, Qt::SkipEmptyParts)) {
        // A piece of nothing but comments is no statement.
        QStringList code;
        for (const QString& line : statement.split(QLatin1Char('\n')))
            if (!line.trimmed().startsWith(QLatin1String("--")))
                code << line;
        if (code.join(QString()).trimmed().isEmpty())
            continue;
        QSqlQuery query(connection_);
        if (!query.exec(statement))
            throw ErrorOf(query.lastError());
    }
}

void Database::Begin()
{
    if (!connection_.transaction())
        throw ErrorOf(connection_.lastError());
}

void Database::Commit()
{
    if (!connection_.commit())
        throw ErrorOf(connection_.lastError());
}

void Database::Rollback()
{
    if (!connection_.rollback())
        throw ErrorOf(connection_.lastError());
}
