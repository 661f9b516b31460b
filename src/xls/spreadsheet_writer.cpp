#include "xls/spreadsheet_writer.h"

#include "workstation/file_writes.h"
#include "xls/workbook_file.h"

#include <QFile>

namespace {

// The largest workbook file the writer opens; its own files of the
// format's full size stay far below.
constexpr qint64 MaxFileSize = 256 * 1024 * 1024;

// A failed write never leaves half a file, nor spoils the one it replaces.
void WriteNewFile(const QString& path, const QByteArray& bytes)
{
    if (const QString reason = SaveWholeFile(path, bytes); !reason.isEmpty())
        throw XlsError(QStringLiteral("%1 cannot be written: %2").arg(path, reason));
}

} // namespace

void SpreadsheetWriter::LoadTemplate(const QString& name, const QByteArray& bytes)
{
    ParseWorkbook(bytes);
    templates_.insert(name, bytes);
}

void SpreadsheetWriter::WriteTemplate(const QString& name, const QString& path)
{
    const auto found = templates_.constFind(name);
    if (found == templates_.constEnd())
        throw XlsError(QStringLiteral("No template named %1.").arg(name));
    WriteNewFile(path, *found);
}

void SpreadsheetWriter::Open(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw XlsError(QStringLiteral("%1 cannot be opened: %2").arg(path, file.errorString()));
    if (file.size() > MaxFileSize)
        throw XlsError(QStringLiteral("%1 is too large for a workbook.").arg(path));
    open_ = ParseWorkbook(file.readAll());
}

void SpreadsheetWriter::SetCell(int row, int column, const QString& text)
{
    Put(row, column, text);
}

void SpreadsheetWriter::SetCell(int row, int column, double value)
{
    Put(row, column, value);
}

void SpreadsheetWriter::Put(int row, int column, const CellValue& value)
{
    if (!open_)
        throw XlsError(QStringLiteral("No workbook is open."));
    CheckCell(row - 1, column - 1, value);
    open_->sheets[open_->activeSheet].cells.insert({row - 1, column - 1}, value);
}

void SpreadsheetWriter::SaveAs(const QString& path)
{
    if (!open_)
        throw XlsError(QStringLiteral("No workbook is open."));
    WriteNewFile(path, WorkbookBytes(*open_));
}

void SpreadsheetWriter::Close()
{
    open_.reset();
}
