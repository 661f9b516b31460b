// The workbook writer: arbitrary cell texts and numbers, written as a
// journal is exported or cell by cell, and read back: every cell the
// writer took comes back as it went in, every one it refused is absent.
//
// Input: a mode byte; then, for a journal table, its size, title and cell
// texts, or, cell by cell, a position and a text or a number for each.

#include "fuzz_input.h"
#include "fuzz_support.h"
#include "journals/grid_export.h"
#include "journals/xls_template.h"
#include "xls/spreadsheet_writer.h"
#include "xls/workbook_file.h"

#include <QFile>
#include <QLocale>
#include <cstring>

namespace {

enum ModeBit : quint8 {
    JournalTable = 0x01,
    // The workstation's decimal separator: a comma, else a point.
    CommaLocale = 0x02,
};

enum TextForm : quint8 { Utf8, Utf16, Latin1, TextFormCount };

using Cells = QMap<QPair<int, int>, CellValue>;

// UTF-16 straight from the bytes lets lone surrogates and NULs through.
QString Text(FuzzInput& input)
{
    const auto form = TextForm(input.Byte() % TextFormCount);
    const QByteArray bytes = input.Bytes(input.Word());
    switch (form) {
    case Utf16:
        return QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
    case Latin1:
        return QString::fromLatin1(bytes);
    case Utf8:
    case TextFormCount:
        break;
    }
    return QString::fromUtf8(bytes);
}

double Number(FuzzInput& input)
{
    const QByteArray bits = input.Bytes(sizeof(double)).leftJustified(sizeof(double), '\0');
    double value;
    std::memcpy(&value, bits.constData(), sizeof value);
    return value;
}

// Numbers compare by their bits: a NaN goes out and comes back too.
bool SameValue(const CellValue& a, const CellValue& b)
{
    if (a.index() != b.index())
        return false;
    if (const auto* text = std::get_if<QString>(&a))
        return *text == std::get<QString>(b);
    return std::memcmp(&std::get<double>(a), &std::get<double>(b), sizeof(double)) == 0;
}

void RequireCells(const QString& path, const Cells& expected)
{
    QFile file(path);
    Require(file.open(QIODevice::ReadOnly));
    const Workbook workbook = ParseWorkbook(file.readAll());
    const Cells& cells = workbook.sheets.value(workbook.activeSheet).cells;
    Require(cells.keys() == expected.keys());
    for (auto cell = cells.cbegin(); cell != cells.cend(); ++cell)
        Require(SameValue(cell.value(), expected.value(cell.key())));
}

void WriteJournalTable(FuzzInput& input)
{
    const int columns = 1 + input.Byte() % 8;
    const int rows = 1 + input.Byte() % 32;
    const QString title = Text(input);
    TextGrid grid;
    for (int row = 0; row < rows; ++row) {
        QStringList texts;
        for (int column = 0; column < columns; ++column)
            texts << (input.AtEnd() ? QString() : Text(input));
        grid.rows << texts;
    }
    const QString path = ScratchPath(QStringLiteral("journal.xls"));
    const QString failure = WriteGridWorkbook(grid, title, path);
    // Only the title, which the station makes itself, can fail the export.
    Require(failure.isEmpty() == (title.size() <= MaxTextLength));
    if (!failure.isEmpty())
        return;

    Cells expected{{{0, 0}, title}};
    for (int column = 1; column < columns; ++column)
        expected.insert({0, column}, QString());
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const QString& text = grid.rows[row][column];
            if (const auto number = CellNumber(text))
                expected.insert({row + 1, column}, *number);
            else if (text.size() <= MaxTextLength)
                expected.insert({row + 1, column}, text);
        }
    }
    RequireCells(path, expected);
}

void WriteCells(FuzzInput& input)
{
    SpreadsheetWriter writer;
    writer.LoadTemplate(XlsTemplateName, XlsTemplateBytes());
    const QString opened = ScratchPath(QStringLiteral("opened.xls"));
    writer.WriteTemplate(XlsTemplateName, opened);
    writer.Open(opened);
    Cells expected;
    while (!input.AtEnd()) {
        const quint8 kind = input.Byte();
        // Rows 0 and 65537, columns 0 and 257 lie just outside the sheet.
        const int row = input.Word() + (kind & 0x02 ? 2 : 0);
        const int column = input.Word() % (MaxColumns + 2);
        const CellValue value = kind & 0x01 ? CellValue(Number(input)) : CellValue(Text(input));
        const bool fits = row >= 1 && row <= MaxRows && column >= 1 && column <= MaxColumns
            && !(std::holds_alternative<QString>(value) && std::get<QString>(value).size() > MaxTextLength);
        try {
            std::visit([&](const auto& v) { writer.SetCell(row, column, v); }, value);
            Require(fits);
            expected.insert({row - 1, column - 1}, value);
        } catch (const XlsError&) {
            Require(!fits);
        }
    }
    const QString saved = ScratchPath(QStringLiteral("saved.xls"));
    writer.SaveAs(saved);
    RequireCells(saved, expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > MaxFuzzInputSize)
        return 0;
    FuzzInput input(data, size);
    const quint8 mode = input.Byte();
    QLocale::setDefault(mode & CommaLocale ? QLocale(QLocale::Russian, QLocale::Russia) : QLocale::c());
    if (mode & JournalTable)
        WriteJournalTable(input);
    else
        WriteCells(input);
    return 0;
}
