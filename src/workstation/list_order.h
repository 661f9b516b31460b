#pragma once

#include <QStringList>

// Sort order of two list rows (caption first, then the values): column
// code % 100 (0 the caption, k the value k - 1), compared as integers with
// -999 for a text that is not one; 1 when row 1 is greater, otherwise -1;
// negated for code / 100 >= 1.
int CompareListNumbers(const QStringList& row1, const QStringList& row2, int code);
