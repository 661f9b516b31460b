#pragma once
// Lists and grids the operator reads but never edits. Tab leaves such a
// view for the next control instead of walking its cells: the two lists
// of "О счетчике" alone would otherwise hold the keyboard for 87 presses.
// The arrow keys still move within the view.

class QAbstractItemView;

void MakeReadOnly(QAbstractItemView* view);
