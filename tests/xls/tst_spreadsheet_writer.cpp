// The writer's flow as an export uses it: a template written out and
// opened, cells set on its active sheet, saved under another name; and
// every failure thrown, leaving files as they were.

#include "xls_reader.h"

#include "xls/spreadsheet_writer.h"
#include "xls/workbook_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray Template()
{
    Workbook workbook;
    workbook.sheets << Sheet{QStringLiteral("Лист1"), {}, {}, {}} << Sheet{QStringLiteral("Лист2"), {}, {}, {}};
    workbook.activeSheet = 1;
    return WorkbookBytes(workbook);
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestSpreadsheetWriter : public QObject {
    Q_OBJECT

private slots:
    void templateFilledAndSaved()
    {
        SpreadsheetWriter writer;
        writer.LoadTemplate(QStringLiteral("new.xls"), Template());
        const QString temporary = dir_.filePath(QStringLiteral("1new.xls"));
        writer.WriteTemplate(QStringLiteral("new.xls"), temporary);
        QCOMPARE(FileBytes(temporary), Template());
        writer.Open(temporary);
        writer.SetCell(1, 1, QStringLiteral("заголовок"));
        writer.SetCell(2, 3, 42.5);
        writer.SetCell(2, 3, 43.5);
        const QString saved = dir_.filePath(QStringLiteral("saved.xls"));
        writer.SaveAs(saved);
        writer.Close();

        const QJsonArray sheets = ReadXls(saved)["sheets"].toArray();
        QCOMPARE(sheets.size(), 2);
        // The cells go to the active sheet; the template stays as it was.
        QVERIFY(sheets[0].toObject()["rows"].toArray().isEmpty());
        const QJsonArray rows = sheets[1].toObject()["rows"].toArray();
        QCOMPARE(rows.at(0).toArray().at(0).toArray().at(1).toString(), QStringLiteral("заголовок"));
        QCOMPARE(rows.at(1).toArray().at(2).toArray().at(1).toDouble(), 43.5);
        QCOMPARE(FileBytes(temporary), Template());
    }

    void failuresThrown()
    {
        SpreadsheetWriter writer;
        QVERIFY_THROWS_EXCEPTION(XlsError, writer.LoadTemplate(QStringLiteral("new.xls"), "plain text"));
        QVERIFY_THROWS_EXCEPTION(XlsError, writer.WriteTemplate(QStringLiteral("unknown"), dir_.filePath("x.xls")));
        QVERIFY_THROWS_EXCEPTION(XlsError, writer.SetCell(1, 1, 1.0));
        QVERIFY_THROWS_EXCEPTION(XlsError, writer.SaveAs(dir_.filePath(QStringLiteral("x.xls"))));
        QVERIFY_THROWS_EXCEPTION(XlsError, writer.Open(dir_.filePath(QStringLiteral("missing.xls"))));
        const QString text = dir_.filePath(QStringLiteral("text.xls"));
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("Лист1;Лист2\n") > 0);
        file.close();
        QVERIFY_THROWS_EXCEPTION(XlsError, writer.Open(text));

        const QString path = dir_.filePath(QStringLiteral("book.xls"));
        writer.LoadTemplate(QStringLiteral("new.xls"), Template());
        writer.WriteTemplate(QStringLiteral("new.xls"), path);
        writer.Open(path);
        QVERIFY_THROWS_EXCEPTION(XlsError, writer.SetCell(0, 1, 1.0));
        QVERIFY_THROWS_EXCEPTION(XlsError, writer.SetCell(1, MaxColumns + 1, QStringLiteral("x")));
    }

    // A write that fails throws and leaves the folder as it was: no half
    // file, no temporary file, the file or folder under that name intact.
    void failedWritesLeaveFilesIntact_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("missing folder") << QStringLiteral("missing/book.xls") << false;
        QTest::newRow("a folder under that name") << QStringLiteral("folder") << false;
        QTest::newRow("read-only folder") << QStringLiteral("book.xls") << true;
    }
    void failedWritesLeaveFilesIntact()
    {
        QFETCH(QString, target);
        QFETCH(bool, readOnly);
        QTemporaryDir out;
        const QByteArray old("the operator's earlier export");
        QFile existing(out.filePath(QStringLiteral("book.xls")));
        QVERIFY(existing.open(QIODevice::WriteOnly) && existing.write(old) == old.size());
        existing.close();
        QVERIFY(QDir(out.path()).mkpath(QStringLiteral("folder/kept")));
        const QStringList before = QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const QFile::Permissions permissions = QFile::permissions(out.path());
        if (readOnly) {
            QFile::setPermissions(out.path(), QFile::ReadOwner | QFile::ExeOwner);
            QFile probe(out.filePath(QStringLiteral("probe")));
            if (probe.open(QIODevice::WriteOnly)) {
                probe.remove();
                QFile::setPermissions(out.path(), permissions);
                QSKIP("This user writes into read-only folders.");
            }
        }

        SpreadsheetWriter writer;
        writer.LoadTemplate(QStringLiteral("new.xls"), Template());
        writer.WriteTemplate(QStringLiteral("new.xls"), dir_.filePath(QStringLiteral("opened.xls")));
        writer.Open(dir_.filePath(QStringLiteral("opened.xls")));
        const QString path = out.filePath(target);
        QVERIFY_THROWS_EXCEPTION(XlsError, writer.SaveAs(path));
        QVERIFY_THROWS_EXCEPTION(XlsError, writer.WriteTemplate(QStringLiteral("new.xls"), path));
        QFile::setPermissions(out.path(), permissions);

        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QCOMPARE(FileBytes(out.filePath(QStringLiteral("book.xls"))), old);
        QVERIFY(QFileInfo(out.filePath(QStringLiteral("folder/kept"))).isDir());
    }

private:
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestSpreadsheetWriter)
#include "tst_spreadsheet_writer.moc"
