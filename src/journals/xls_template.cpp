#include "journals/xls_template.h"

#include <QResource>

QByteArray XlsTemplateBytes()
{
    // The resource compiler may have compressed it.
    return QResource(QStringLiteral(":/journals/template/new.xls")).uncompressedData();
}
