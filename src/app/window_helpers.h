#pragma once

#include <QStringList>

// A colour 0x00BBGGRR with each channel c moved by c * percent / 100
// (truncated), clamped to 0..255.
quint32 ShadeColor(quint32 color, int redPercent, int greenPercent, int bluePercent);

// Sort order of two list rows (caption first, then the values): column
// code % 100 (0 the caption, k the value k - 1), compared as integers with
// -999 for a text that is not one; 1 when row 1 is greater, otherwise -1;
// negated for code / 100 >= 1.
int CompareListNumbers(const QStringList& row1, const QStringList& row2, int code);
