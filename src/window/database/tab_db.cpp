#include "window/database/tab_db.h"

#include "window/controls/named.h"
#include "window/controls/tab_controls.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

// Any meter number may be asked for, even one the log cannot match.
constexpr int LargestFilter = 99999999;

} // namespace

TabDb TabDb::Create()
{
    TabDb tab{};
    tab.page = NamedPage("TabDb");
    tab.SpinFilter = RangedSpin("SpinFilter", 0, LargestFilter);
    tab.SpinFilter->setMinimumWidth(90);
    tab.MemoDb = Named(new QTextEdit, "MemoDb");
    tab.MemoDb->setReadOnly(true);
    tab.MemoDb->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* top = new QHBoxLayout;
    top->addWidget(BuddyCaption(QStringLiteral("Номер:"), tab.SpinFilter));
    top->addWidget(tab.SpinFilter);
    top->addStretch();
    auto* column = new QVBoxLayout(tab.page);
    column->setContentsMargins(3, 3, 3, 3);
    column->addLayout(top);
    column->addWidget(tab.MemoDb);
    return tab;
}
