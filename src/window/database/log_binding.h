#pragma once

class OperationLog;
struct TabDb;

// SpinFilterChange: MemoDb shows the operation log's entries of the number
// in SpinFilter, read anew at each change of the number.
void BindOperationLog(const OperationLog& log, const TabDb& tab);
