#pragma once
// The production database, reached by the connection "Electrometer": an
// ODBC data source (Microsoft SQL Server) or, for a station without a
// server and for the tests, a SQLite file. The SQL texts are SQL Server's;
// on SQLite the connection provides getdate(). Every failure is thrown as
// a DbError with the engine's message.

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <memory>
#include <stdexcept>

class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& Message() const { return message_; }

private:
    QString message_;
};

class QSqlError;

// The engine's error as a DbError, never with an empty message.
DbError ErrorOf(const QSqlError& error);

class Database {
public:
    static constexpr char ConnectionName[] = "Electrometer";

    // The connection opens at once; a failure is thrown. One database is
    // open at a time.
    static std::unique_ptr<Database> OpenOdbc(const QString& dataSource);
    static std::unique_ptr<Database> OpenSqlite(const QString& path);

    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    ~Database();

    // Runs a script of statements, each ended by ";" at the end of a line;
    // stops at the first that fails.
    void RunScript(const QString& script);

    // All statements between Begin and Commit succeed or fail together.
    void Begin();
    void Commit();
    void Rollback();

    QSqlDatabase& Connection() { return connection_; }

private:
    Database(const QString& driver, const QString& name);

    QSqlDatabase connection_;
};
