// The records of a written workbook stream as stricter spreadsheet programs
// need them: their order, and every offset one record keeps to another
// (sheets, DBCELL blocks, the shared string index). Then damaged streams
// and files, which are refused with an XlsError and never read past.

#include "xls/biff_records.h"
#include "xls/compound_file.h"
#include "xls/workbook_file.h"
#include "xls/workbook_stream.h"

#include <QTest>
#include <QtEndian>

namespace {

struct RecordAt {
    quint16 type;
    qint64 position;
    QByteArray data;
};

// Every record of the stream, the substreams one after another.
QList<RecordAt> Records(const QByteArray& stream)
{
    QList<RecordAt> records;
    for (qint64 at = 0; at + 4 <= stream.size();) {
        const quint16 type = qFromLittleEndian<quint16>(stream.constData() + at);
        const quint16 size = qFromLittleEndian<quint16>(stream.constData() + at + 2);
        records << RecordAt{type, at, stream.mid(at + 4, size)};
        at += 4 + size;
    }
    return records;
}

const RecordAt* RecordAtPosition(const QList<RecordAt>& records, qint64 position)
{
    for (const RecordAt& record : records)
        if (record.position == position)
            return &record;
    return nullptr;
}

qint64 PositionOf(const QByteArray& stream, quint16 type, int nth = 0)
{
    for (const RecordAt& record : Records(stream))
        if (record.type == type && nth-- == 0)
            return record.position;
    return -1;
}

quint32 U32(const QByteArray& data, int at)
{
    return qFromLittleEndian<quint32>(data.constData() + at);
}

quint16 U16(const QByteArray& data, int at)
{
    return qFromLittleEndian<quint16>(data.constData() + at);
}

// The stream with a field of the first such record's data (or of its
// header, at a negative offset) overwritten, low byte first.
QByteArray Patched(QByteArray stream, quint16 type, int dataOffset, quint32 value, int size)
{
    const qint64 field = PositionOf(stream, type) + 4 + dataOffset;
    for (int i = 0; i < size; ++i)
        stream[field + i] = char(value >> (8 * i));
    return stream;
}

Workbook Sample(int rows)
{
    Workbook workbook;
    for (const char* name : {"Лист1", "Лист2", "Лист3"})
        workbook.sheets << Sheet{QString::fromUtf8(name), QStringLiteral("&C&A"), QStringLiteral("&CСтраница &P"), {}};
    // Rows with gaps, so a DBCELL block spans more row numbers than rows.
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < 13; ++column)
            if (column % 4 == 0)
                workbook.sheets[0].cells.insert({row * 2, column}, row + column / 8.0);
            else
                workbook.sheets[0].cells.insert({row * 2, column}, QStringLiteral("строка %1, столбец %2").arg(row).arg(column));
    workbook.sheets[1].cells.insert({5, 2}, QStringLiteral("строка 0, столбец 1"));
    return workbook;
}

// The shared strings in the order the cells first use them.
QStringList StringsInUse(const Workbook& workbook)
{
    QStringList strings;
    for (const Sheet& sheet : workbook.sheets)
        for (const CellValue& value : sheet.cells)
            if (const auto* text = std::get_if<QString>(&value); text && !strings.contains(*text))
                strings << *text;
    return strings;
}

} // namespace

class TestWorkbookRecords : public QObject {
    Q_OBJECT

private slots:
    void recordOrder()
    {
        const QList<RecordAt> records = Records(WorkbookStream(Sample(2)));
        QList<quint16> types;
        for (const RecordAt& record : records)
            types << record.type;

        QList<quint16> globals{Biff::Bof, Biff::InterfaceHdr, Biff::Mms, Biff::InterfaceEnd, Biff::WriteAccess,
            Biff::CodePage, Biff::Dsf, Biff::TabId, Biff::FnGroupCount, Biff::WindowProtect, Biff::Protect,
            Biff::Password, Biff::Prot4Rev, Biff::Prot4RevPass, Biff::Window1, Biff::Backup, Biff::HideObj,
            Biff::DateMode, Biff::Precision, Biff::RefreshAll, Biff::BookBool};
        globals << QList<quint16>(5, Biff::Font) << QList<quint16>(16, Biff::Xf);
        globals << Biff::Style << Biff::UsesElfs << QList<quint16>(3, Biff::BoundSheet);
        globals << Biff::Country << Biff::Sst << Biff::ExtSst << Biff::Eof;
        QCOMPARE(types.mid(0, globals.size()), globals);

        const QList<quint16> sheetHead{Biff::Bof, Biff::Index, Biff::CalcMode, Biff::CalcCount, Biff::RefMode,
            Biff::Iteration, Biff::Delta, Biff::SaveRecalc, Biff::PrintHeaders, Biff::PrintGridLines, Biff::GridSet,
            Biff::Guts, Biff::DefaultRowHeight, Biff::WsBool, Biff::Header, Biff::Footer, Biff::HCenter,
            Biff::VCenter, Biff::Setup, Biff::DefColWidth, Biff::Dimensions};
        const QList<quint16> sheetTail{Biff::Window2, Biff::Eof};
        // The first sheet holds two rows of 13 cells, the second one cell,
        // the third none.
        QList<quint16> rowCells;
        for (int column = 0; column < 13; ++column)
            rowCells << (column % 4 == 0 ? Biff::Number : Biff::LabelSst);
        const QList<quint16> sheets = sheetHead + QList<quint16>{Biff::Row, Biff::Row} + rowCells + rowCells
            + QList<quint16>{Biff::DbCell} + sheetTail + sheetHead
            + QList<quint16>{Biff::Row, Biff::LabelSst, Biff::DbCell} + sheetTail + sheetHead + sheetTail;
        QCOMPARE(types.mid(globals.size()), sheets);

        for (const RecordAt& record : records)
            QVERIFY(record.data.size() <= MaxRecordData);
    }

    // Rows, DBCELL blocks and shared strings across several records.
    void offsetsFindTheirRecords_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("one block") << 3;
        QTest::newRow("a full block") << 32;
        QTest::newRow("many blocks and CONTINUE records") << 400;
    }
    void offsetsFindTheirRecords()
    {
        QFETCH(int, rows);
        const Workbook workbook = Sample(rows);
        const QByteArray stream = WorkbookStream(workbook);
        const QList<RecordAt> records = Records(stream);

        QList<const RecordAt*> sheets;
        for (const RecordAt& record : records)
            if (record.type == Biff::BoundSheet)
                sheets << RecordAtPosition(records, U32(record.data, 0));
        QCOMPARE(sheets.size(), 3);
        for (const RecordAt* bof : sheets) {
            QVERIFY(bof && bof->type == Biff::Bof);
            QCOMPARE(int(U16(bof->data, 2)), 0x0010);
        }

        // INDEX of the first sheet: its rows, DEFCOLWIDTH, one DBCELL per
        // 32 rows; each DBCELL finds its first ROW and each row's first cell.
        const RecordAt& index = *RecordAtPosition(records, sheets[0]->position + 4 + sheets[0]->data.size());
        QCOMPARE(int(index.type), int(Biff::Index));
        QCOMPARE(U32(index.data, 4), 0u);
        QCOMPARE(U32(index.data, 8), quint32(rows * 2 - 1));
        QCOMPARE(int(RecordAtPosition(records, U32(index.data, 12))->type), int(Biff::DefColWidth));
        const int blocks = (rows + 31) / 32;
        QCOMPARE(index.data.size(), 16 + 4 * blocks);
        int rowsSeen = 0;
        for (int block = 0; block < blocks; ++block) {
            const RecordAt* dbCell = RecordAtPosition(records, U32(index.data, 16 + 4 * block));
            QVERIFY(dbCell && dbCell->type == Biff::DbCell);
            const RecordAt* firstRow = RecordAtPosition(records, dbCell->position - U32(dbCell->data, 0));
            QVERIFY(firstRow && firstRow->type == Biff::Row);
            qint64 cell = firstRow->position + 4 + firstRow->data.size();
            for (int i = 0; i < (dbCell->data.size() - 4) / 2; ++i) {
                cell += U16(dbCell->data, 4 + 2 * i);
                const RecordAt* first = RecordAtPosition(records, cell);
                QVERIFY(first && (first->type == Biff::Number || first->type == Biff::LabelSst));
                QCOMPARE(int(U16(first->data, 0)), rowsSeen * 2);
                QCOMPARE(int(U16(first->data, 2)), 0);
                ++rowsSeen;
            }
        }
        QCOMPARE(rowsSeen, rows);

        // EXTSST: every bucket's first string, found by its stream position
        // and by its offset in the SST or CONTINUE record holding it.
        const QStringList strings = StringsInUse(workbook);
        const RecordAt& extSst = *std::find_if(records.cbegin(), records.cend(),
            [](const RecordAt& record) { return record.type == Biff::ExtSst; });
        const int bucketSize = U16(extSst.data, 0);
        QVERIFY(bucketSize >= 8);
        QCOMPARE((extSst.data.size() - 2) / 8, (strings.size() + bucketSize - 1) / bucketSize);
        for (int bucket = 0; 2 + 8 * bucket < extSst.data.size(); ++bucket) {
            const quint32 position = U32(extSst.data, 2 + 8 * bucket);
            const RecordAt* holder = RecordAtPosition(records, position - U16(extSst.data, 6 + 8 * bucket));
            QVERIFY(holder && (holder->type == Biff::Sst || holder->type == Biff::Continue));
            const QString& expected = strings[bucket * bucketSize];
            QCOMPARE(qsizetype(U16(stream, int(position))), expected.size());
            QCOMPARE(int(quint8(stream[position + 2])), 1);
            QCOMPARE(QString::fromUtf16(reinterpret_cast<const char16_t*>(stream.constData() + position + 3),
                         expected.size()),
                expected);
        }
        QCOMPARE(ParseWorkbook(CompoundFile(stream)).sheets[0].cells, workbook.sheets[0].cells);
    }

    void damagedInputRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray stream = WorkbookStream(Sample(3));
        const QByteArray file = CompoundFile(stream);
        const qint64 bof = U32(stream, PositionOf(stream, Biff::BoundSheet) + 4);
        QByteArray noSheets = stream;
        for (int i = 0; i < 3; ++i)
            noSheets[PositionOf(noSheets, Biff::BoundSheet)] = char(0x86);

        QTest::newRow("no bytes") << QByteArray();
        QTest::newRow("plain text") << QByteArray("Лист1;Лист2\n");
        QTest::newRow("container cut in half") << file.left(file.size() / 2);
        QTest::newRow("container header only") << file.left(512);
        QTest::newRow("container without a workbook") << CompoundFile({}).replace(QByteArrayLiteral("W\0o\0r\0k"), QByteArrayLiteral("B\0o\0o\0k"));
        QTest::newRow("empty workbook stream") << CompoundFile({});
        QTest::newRow("stream cut in the globals") << CompoundFile(stream.left(100));
        QTest::newRow("stream cut in a record") << CompoundFile(stream.left(stream.size() - 3));
        QTest::newRow("last sheet without EOF") << CompoundFile(stream.left(stream.size() - 4));
        QTest::newRow("globals are no BOF")
            << CompoundFile(Patched(stream, Biff::Bof, 2, 0x0010, 2));
        QTest::newRow("record longer than allowed")
            << CompoundFile(Patched(stream, Biff::WriteAccess, -2, MaxRecordData + 1, 2));
        QTest::newRow("sheet beyond the stream")
            << CompoundFile(Patched(stream, Biff::BoundSheet, 0, quint32(stream.size() + 10), 4));
        QTest::newRow("sheet at the globals") << CompoundFile(Patched(stream, Biff::BoundSheet, 0, 0, 4));
        QTest::newRow("sheet inside a record") << CompoundFile(Patched(stream, Biff::BoundSheet, 0, quint32(bof + 2), 4));
        QTest::newRow("no sheets") << CompoundFile(noSheets);
        QTest::newRow("active sheet beyond the sheets") << CompoundFile(Patched(stream, Biff::Window1, 10, 3, 2));
        QTest::newRow("string index beyond the table")
            << CompoundFile(Patched(stream, Biff::LabelSst, 6, 100000, 4));
        QTest::newRow("table counts more strings") << CompoundFile(Patched(stream, Biff::Sst, 4, 0xFFFFFFFF, 4));
        QTest::newRow("string runs past the table") << CompoundFile(Patched(stream, Biff::Sst, 8, 0x7FFF, 2));
        QTest::newRow("sheet name runs past its record")
            << CompoundFile(Patched(stream, Biff::BoundSheet, 6, 200, 1));
        QTest::newRow("font of no size") << CompoundFile(Patched(stream, Biff::Font, 0, 10, 2));
        QTest::newRow("header runs past its record") << CompoundFile(Patched(stream, Biff::Header, 0, 0xFFFF, 2));
    }
    void damagedInputRefused()
    {
        QFETCH(QByteArray, bytes);
        try {
            ParseWorkbook(bytes);
            QFAIL("A damaged workbook was read.");
        } catch (const XlsError& error) {
            QVERIFY(!error.Message().isEmpty());
        }
    }

    // Any byte of the workbook stream or of its container changed: the
    // result is an XlsError or a workbook the writer takes again, never a
    // crash.
    void everyByteGarbled_data()
    {
        QTest::addColumn<bool>("container");
        QTest::newRow("workbook stream") << false;
        QTest::newRow("container") << true;
    }
    void everyByteGarbled()
    {
        QFETCH(bool, container);
        const QByteArray stream = WorkbookStream(Sample(3));
        const QByteArray bytes = container ? CompoundFile(stream) : stream;
        for (qsizetype at = 0; at < bytes.size(); ++at) {
            for (const char mask : {char(0x01), char(0x80), char(0xFF)}) {
                QByteArray garbled = bytes;
                garbled[at] = char(garbled[at] ^ mask);
                try {
                    QVERIFY(!WorkbookBytes(ParseWorkbook(container ? garbled : CompoundFile(garbled))).isEmpty());
                } catch (const XlsError&) {
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestWorkbookRecords)
#include "tst_workbook_records.moc"
