#include "xls/workbook_stream.h"

#include "xls/biff_records.h"
#include "xls/shared_strings.h"

#include <QMap>
#include <QtEndian>

namespace {

constexpr int BiffVersion = 0x0600;
constexpr int GlobalsSubstream = 0x0005;
constexpr int WorksheetSubstream = 0x0010;
constexpr int UnicodeCodePage = 1200;
constexpr int RussiaCountry = 7;
// Fonts are counted 0, 1, 2, 3, 5: the format never uses index 4.
constexpr int FontRecords = 5;
constexpr int StyleXfs = 15;
constexpr int CellXf = 15;
constexpr int RowsPerBlock = 32;
constexpr int RowRecordSize = 20;
constexpr int TwipsPerPoint = 20;
constexpr int SelectedSheetWindow = 0x06B6;
constexpr int OtherSheetWindow = 0x00B6;
constexpr int WriteAccessSize = 112;

RecordData Bof(int substream)
{
    return RecordData().U16(BiffVersion).U16(substream).U16(0x0DBB).U16(0x07CC).U32(0).U32(0x06);
}

RecordData Word(int value)
{
    return RecordData().U16(value);
}

RecordData WriteAccess()
{
    const QByteArray user("vm742");
    RecordData data;
    data.U16(int(user.size())).U8(0).Bytes(user);
    return data.Bytes(QByteArray(WriteAccessSize - data.Size(), ' '));
}

RecordData Font(const Workbook& workbook)
{
    return RecordData()
        .U16(workbook.fontPoints * TwipsPerPoint)
        .U16(0)
        .U16(0x7FFF)
        .U16(400)
        .U16(0)
        .U8(0)
        .U8(0)
        .U8(0)
        .U8(0)
        .ShortText(workbook.fontName);
}

// Style XFs first, then the one cell XF every cell uses: general format,
// bottom-aligned, no borders, default colours.
RecordData Xf(bool style)
{
    return RecordData()
        .U16(0)
        .U16(0)
        .U16(style ? 0xFFF5 : 0x0001)
        .U8(0x20)
        .U8(0)
        .U8(0)
        .U8(style ? 0xF4 : 0x00)
        .U32(0)
        .U32(0)
        .U16(0x20C0);
}

void WriteGlobalsHead(RecordStream& stream, const Workbook& workbook)
{
    stream.Add(Biff::Bof, Bof(GlobalsSubstream));
    stream.Add(Biff::InterfaceHdr, Word(UnicodeCodePage));
    stream.Add(Biff::Mms, Word(0));
    stream.Add(Biff::InterfaceEnd);
    stream.Add(Biff::WriteAccess, WriteAccess());
    stream.Add(Biff::CodePage, Word(UnicodeCodePage));
    stream.Add(Biff::Dsf, Word(0));
    RecordData tabs;
    for (int i = 0; i < workbook.sheets.size(); ++i)
        tabs.U16(i + 1);
    stream.Add(Biff::TabId, tabs);
    stream.Add(Biff::FnGroupCount, Word(14));
    stream.Add(Biff::WindowProtect, Word(0));
    stream.Add(Biff::Protect, Word(0));
    stream.Add(Biff::Password, Word(0));
    stream.Add(Biff::Prot4Rev, Word(0));
    stream.Add(Biff::Prot4RevPass, Word(0));
    stream.Add(Biff::Window1,
        RecordData().U16(0x0168).U16(0x001E).U16(0x3FCF).U16(0x2A4E).U16(0x0038).U16(workbook.activeSheet).U16(0)
            .U16(1).U16(0x0258));
    stream.Add(Biff::Backup, Word(0));
    stream.Add(Biff::HideObj, Word(0));
    stream.Add(Biff::DateMode, Word(0));
    stream.Add(Biff::Precision, Word(1));
    stream.Add(Biff::RefreshAll, Word(0));
    stream.Add(Biff::BookBool, Word(0));
    for (int i = 0; i < FontRecords; ++i)
        stream.Add(Biff::Font, Font(workbook));
    for (int i = 0; i < StyleXfs; ++i)
        stream.Add(Biff::Xf, Xf(true));
    stream.Add(Biff::Xf, Xf(false));
    // The built-in style "Normal" on the first style XF.
    stream.Add(Biff::Style, RecordData().U16(0x8000).U8(0).U8(0xFF));
    stream.Add(Biff::UsesElfs, Word(0));
}

using Cells = QMap<QPair<int, int>, CellValue>;

// The cells of each row, in row order.
QMap<int, QList<QPair<int, CellValue>>> RowsOf(const Cells& cells)
{
    QMap<int, QList<QPair<int, CellValue>>> rows;
    for (auto cell = cells.cbegin(); cell != cells.cend(); ++cell)
        rows[cell.key().first] << qMakePair(cell.key().second, cell.value());
    return rows;
}

void AddCell(RecordStream& stream, int row, int column, const CellValue& value, const SharedStrings& strings)
{
    RecordData data;
    data.U16(row).U16(column).U16(CellXf);
    if (const auto* text = std::get_if<QString>(&value))
        stream.Add(Biff::LabelSst, data.U32(strings.Index(*text)));
    else
        stream.Add(Biff::Number, data.Double(std::get<double>(value)));
}

// ROW records of up to 32 rows, their cells, and the DBCELL that finds
// them; returns the DBCELL records' positions for INDEX.
QList<qint64> WriteCellBlocks(RecordStream& stream, const Cells& cells, const SharedStrings& strings)
{
    const auto rows = RowsOf(cells);
    const QList<int> rowNumbers = rows.keys();
    QList<qint64> dbCells;
    for (int first = 0; first < rowNumbers.size(); first += RowsPerBlock) {
        const int count = qMin(RowsPerBlock, int(rowNumbers.size()) - first);
        const qint64 firstRow = stream.Position();
        for (int i = first; i < first + count; ++i) {
            const auto& row = rows[rowNumbers[i]];
            stream.Add(Biff::Row, RecordData().U16(rowNumbers[i]).U16(row.first().first)
                .U16(row.last().first + 1).U16(0x00FF).U16(0).U16(0).U32(0x000F0100));
        }
        // The first row's cells are found from the end of the first ROW
        // record, every further row's from the previous row's first cell.
        RecordData offsets;
        qint64 previous = firstRow + RowRecordSize;
        for (int i = first; i < first + count; ++i) {
            const qint64 start = stream.Position();
            offsets.U16(int(start - previous));
            previous = start;
            for (const auto& [column, value] : rows[rowNumbers[i]])
                AddCell(stream, rowNumbers[i], column, value, strings);
        }
        dbCells << stream.Position();
        stream.Add(Biff::DbCell, RecordData().U32(quint32(stream.Position() - firstRow)).Bytes(offsets.Data()));
    }
    return dbCells;
}

QByteArray SheetStream(const Sheet& sheet, bool active, qint64 start, const SharedStrings& strings)
{
    RecordStream stream(start);
    stream.Add(Biff::Bof, Bof(WorksheetSubstream));
    int firstRow = 0, lastRow = -1, firstColumn = 0, lastColumn = -1;
    if (!sheet.cells.isEmpty()) {
        firstRow = sheet.cells.firstKey().first;
        lastRow = sheet.cells.lastKey().first;
        firstColumn = MaxColumns;
        for (auto cell = sheet.cells.cbegin(); cell != sheet.cells.cend(); ++cell) {
            firstColumn = qMin(firstColumn, cell.key().second);
            lastColumn = qMax(lastColumn, cell.key().second);
        }
    }
    const int blocks = (RowsOf(sheet.cells).size() + RowsPerBlock - 1) / RowsPerBlock;
    const qint64 index = stream.Position();
    RecordData indexData;
    indexData.U32(0).U32(quint32(firstRow)).U32(quint32(lastRow + 1)).U32(0);
    for (int i = 0; i < blocks; ++i)
        indexData.U32(0);
    stream.Add(Biff::Index, indexData);

    stream.Add(Biff::CalcMode, Word(1));
    stream.Add(Biff::CalcCount, Word(100));
    stream.Add(Biff::RefMode, Word(1));
    stream.Add(Biff::Iteration, Word(0));
    stream.Add(Biff::Delta, RecordData().Double(0.001));
    stream.Add(Biff::SaveRecalc, Word(1));
    stream.Add(Biff::PrintHeaders, Word(0));
    stream.Add(Biff::PrintGridLines, Word(0));
    stream.Add(Biff::GridSet, Word(1));
    stream.Add(Biff::Guts, RecordData().U16(0).U16(0).U16(0).U16(0));
    stream.Add(Biff::DefaultRowHeight, RecordData().U16(0).U16(0x00FF));
    stream.Add(Biff::WsBool, Word(0x04C1));
    stream.Add(Biff::Header, sheet.header.isEmpty() ? RecordData() : RecordData().Text(sheet.header));
    stream.Add(Biff::Footer, sheet.footer.isEmpty() ? RecordData() : RecordData().Text(sheet.footer));
    stream.Add(Biff::HCenter, Word(0));
    stream.Add(Biff::VCenter, Word(0));
    // A4, portrait, 100 %, one copy; margins of header and footer 0.5".
    stream.Add(Biff::Setup, RecordData().U16(9).U16(100).U16(1).U16(1).U16(1).U16(0x0002).U16(600).U16(600)
        .Double(0.5).Double(0.5).U16(1));
    const qint64 defColWidth = stream.Position();
    stream.Add(Biff::DefColWidth, Word(8));
    stream.Add(Biff::Dimensions, RecordData().U32(quint32(firstRow)).U32(quint32(lastRow + 1)).U16(firstColumn)
        .U16(lastColumn + 1).U16(0));
    const QList<qint64> dbCells = WriteCellBlocks(stream, sheet.cells, strings);
    stream.Add(Biff::Window2, RecordData().U16(active ? SelectedSheetWindow : OtherSheetWindow).U16(0).U16(0)
        .U16(0x40).U16(0).U16(0).U16(0).U32(0));
    stream.Add(Biff::Eof);

    // INDEX: 4 bytes of record header, then reserved, first row, last row
    // + 1, the DEFCOLWIDTH position, the DBCELL positions.
    stream.PatchU32(index + 16, quint32(defColWidth));
    for (int i = 0; i < dbCells.size(); ++i)
        stream.PatchU32(index + 20 + 4 * i, quint32(dbCells[i]));
    return stream.Bytes();
}

} // namespace

QByteArray WorkbookStream(const Workbook& workbook)
{
    // The sheets' strings are shared in the globals, which come first.
    SharedStrings strings;
    for (const Sheet& sheet : workbook.sheets)
        for (const CellValue& value : sheet.cells)
            if (const auto* text = std::get_if<QString>(&value))
                strings.Add(*text);

    RecordStream globals;
    WriteGlobalsHead(globals, workbook);
    QList<qint64> sheetOffsets;
    for (const Sheet& sheet : workbook.sheets) {
        sheetOffsets << globals.Position() + 4;
        globals.Add(Biff::BoundSheet, RecordData().U32(0).U16(0).ShortText(sheet.name));
    }
    globals.Add(Biff::Country, RecordData().U16(RussiaCountry).U16(RussiaCountry));
    strings.WriteTo(globals);
    globals.Add(Biff::Eof);

    QByteArray stream = globals.Bytes();
    for (int i = 0; i < workbook.sheets.size(); ++i) {
        const qint64 start = stream.size();
        stream += SheetStream(workbook.sheets[i], i == workbook.activeSheet, start, strings);
        qToLittleEndian(quint32(start), stream.data() + sheetOffsets[i]);
    }
    return stream;
}
