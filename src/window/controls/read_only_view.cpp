#include "window/controls/read_only_view.h"

#include <QAbstractItemView>

void MakeReadOnly(QAbstractItemView* view)
{
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
}
