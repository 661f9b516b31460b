// The writer's flow as an export uses it: a template written out and
// opened, cells set on its active sheet, saved under another name; and
// every failure thrown, leaving files as they were.

#include "xls_reader.h"

#include "xls/spreadsheet_writer.h"
#include "xls/workbook_file.h"

#include <QFile>
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
        QCOMPARE(rows[0].toArray()[0].toArray()[1].toString(), QStringLiteral("заголовок"));
        QCOMPARE(rows[1].toArray()[2].toArray()[1].toDouble(), 43.5);
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

        const QString path = dir_.filePath(QStringLiteral("book.xls"));
        writer.LoadTemplate(QStringLiteral("new.xls"), Template());
        writer.WriteTemplate(QStringLiteral("new.xls"), path);
        writer.Open(path);
        QVERIFY_THROWS_EXCEPTION(XlsError, writer.SetCell(0, 1, 1.0));
        QVERIFY_THROWS_EXCEPTION(XlsError, writer.SetCell(1, MaxColumns + 1, QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(XlsError, writer.SaveAs(dir_.filePath(QStringLiteral("missing/book.xls"))));
        QVERIFY(!QFile::exists(dir_.filePath(QStringLiteral("missing"))));
    }

private:
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TestSpreadsheetWriter)
#include "tst_spreadsheet_writer.moc"
