#include "window/database/log_binding.h"

#include "meter/operation_log.h"
#include "window/database/tab_db.h"

#include <QSpinBox>
#include <QTextEdit>

void BindOperationLog(const OperationLog& log, const TabDb& tab)
{
    QObject::connect(tab.SpinFilter, &QSpinBox::valueChanged, tab.MemoDb, [&log, memo = tab.MemoDb](int number) {
        memo->setPlainText(log.Filter(number).join(QLatin1Char('\n')));
    });
}
