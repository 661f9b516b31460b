#pragma once
// The items of ComboTarifDDM: the automatic tariff choice, then the fixed
// tariffs 1..8. The item index is the mode byte the meter gets.

#include <QStringList>

const QStringList& DdmTariffModeItems();
