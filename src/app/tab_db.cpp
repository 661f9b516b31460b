#include "app/tab_db.h"

#include "app/named.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QTextEdit>
#include <QVBoxLayout>
#include <limits>

TabDb TabDb::Create()
{
    TabDb tab{};
    tab.page = NamedPage("TabDb");
    tab.SpinFilter = Named(new QSpinBox, "SpinFilter");
    // Any meter number may be asked for.
    tab.SpinFilter->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    tab.SpinFilter->setMinimumWidth(90);
    tab.MemoDb = Named(new QTextEdit, "MemoDb");
    tab.MemoDb->setReadOnly(true);
    tab.MemoDb->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Номер:")));
    top->addWidget(tab.SpinFilter);
    top->addStretch();
    auto* column = new QVBoxLayout(tab.page);
    column->setContentsMargins(3, 3, 3, 3);
    column->addLayout(top);
    column->addWidget(tab.MemoDb);
    return tab;
}
