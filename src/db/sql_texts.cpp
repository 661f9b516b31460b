#include "db/sql_texts.h"

#include <QFile>

QString SqlText(const char* name)
{
    QFile file(QStringLiteral(":/sql/%1.sql").arg(QLatin1String(name)));
    // The texts are part of the program: a missing one is a build fault.
    if (!file.open(QIODevice::ReadOnly))
        qFatal("SQL text %s is not compiled in", name);
    return QString::fromUtf8(file.readAll()).trimmed();
}
