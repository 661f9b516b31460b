#include "meter/ddm_tariff_modes.h"

const QStringList& DdmTariffModeItems()
{
    static const QStringList items{
        QStringLiteral("авто"),
        QStringLiteral("  1"),
        QStringLiteral("  2"),
        QStringLiteral("  3"),
        QStringLiteral("  4"),
        QStringLiteral("  5"),
        QStringLiteral("  6"),
        QStringLiteral("  7"),
        QStringLiteral("  8"),
    };
    return items;
}
