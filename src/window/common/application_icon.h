#pragma once

#include <QIcon>

inline QIcon ApplicationIcon()
{
    return QIcon(QStringLiteral(":/icons/application.svg"));
}
