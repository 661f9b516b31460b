#include "workstation/list_order.h"

namespace {

constexpr int NotANumber = -999;

int CellNumber(const QStringList& row, int column)
{
    bool ok = false;
    const int value = row.value(column).trimmed().toInt(&ok);
    return ok ? value : NotANumber;
}

} // namespace

int CompareListNumbers(const QStringList& row1, const QStringList& row2, int code)
{
    const int column = code % 100;
    const int result = CellNumber(row1, column) > CellNumber(row2, column) ? 1 : -1;
    return code / 100 >= 1 ? -result : result;
}
