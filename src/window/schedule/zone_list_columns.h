#pragma once
// The columns of the zone list share its width: a quarter each while every
// caption fits its quarter on whole words, otherwise by what the captions
// need, so that the four captions stay readable in the narrow window. The
// header grows by whole lines until each caption shows in its column.

#include <QList>

class QTreeWidget;

// The widths that fill `width` exactly; `needs` is the narrowest width each
// column shows its caption in.
QList<int> ShareColumns(int width, const QList<int>& needs);

void FitZoneListColumns(QTreeWidget* list);
