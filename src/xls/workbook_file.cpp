#include "xls/workbook_file.h"

#include "xls/compound_file.h"
#include "xls/workbook_stream.h"

QByteArray WorkbookBytes(const Workbook& workbook)
{
    CheckWorkbook(workbook);
    return CompoundFile(WorkbookStream(workbook));
}
