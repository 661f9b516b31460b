// The tables of db/schema/ take every SQL text the station runs: SQLite
// prepares each against the schema, so a table or column a text names and
// the schema lacks is found here, not on the production line.

#include "db/database.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString FileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestSchema : public QObject {
    Q_OBJECT

private slots:
    void everySqlTextRunsOnTheSchema()
    {
        QTemporaryDir dir;
        auto database = Database::OpenSqlite(dir.filePath(QStringLiteral("electrometer.db")));
        const QString schema = FileText(QStringLiteral(VM742_SCHEMA_DIR "/sqlite.sql"));
        QVERIFY(!schema.isEmpty());
        database->RunScript(schema);

        const QStringList texts = QDir(QStringLiteral(":/sql")).entryList({QStringLiteral("*.sql")});
        QVERIFY(!texts.isEmpty());
        for (const QString& name : texts) {
            QSqlQuery query(database->Connection());
            QVERIFY2(query.prepare(FileText(QStringLiteral(":/sql/") + name)),
                qPrintable(name + ": " + query.lastError().text()));
        }
    }

    // The two forms of the schema hold the same tables.
    void serverSchemaMatches()
    {
        const QString sqlite = FileText(QStringLiteral(VM742_SCHEMA_DIR "/sqlite.sql"));
        const QString server = FileText(QStringLiteral(VM742_SCHEMA_DIR "/sqlserver.sql"));
        static const QRegularExpression table(QStringLiteral("CREATE TABLE (\\w+)"));
        const auto tables = [](const QString& text) {
            QStringList names;
            for (const QRegularExpressionMatch& match : table.globalMatch(text))
                names << match.captured(1);
            return names;
        };
        QVERIFY(!tables(sqlite).isEmpty());
        QCOMPARE(tables(server), tables(sqlite));
    }

    void scriptFailureThrown()
    {
        QTemporaryDir dir;
        auto database = Database::OpenSqlite(dir.filePath(QStringLiteral("electrometer.db")));
        QVERIFY_THROWS_EXCEPTION(DbError,
            database->RunScript(QStringLiteral("CREATE TABLE a (x INT);\n-- a comment\nCREATE TABLE a (x INT);\n")));
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
