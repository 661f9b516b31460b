#include "sim/slave_link.h"

#include <QFile>
#include <QFileInfo>
#include <stdexcept>

SlaveLink::SlaveLink(const QString& link, const QString& target)
    : link_(link)
{
    if (QFileInfo(link).isSymLink())
        QFile::remove(link);
    if (!QFile::link(target, link))
        throw std::runtime_error(qPrintable(QStringLiteral("cannot link %1 to %2").arg(link, target)));
}

SlaveLink::~SlaveLink()
{
    QFile::remove(link_);
}
