#include "write_choice.h"

#include "meter/ddm_tariff_modes.h"

namespace {

// The ДДМ number is three bytes on the line.
constexpr int LargestDdmNumber = 0xFFFFFF;

} // namespace

SettingsChoice SettingsChoice::Random(RandomMix& random)
{
    SettingsChoice choice;
    choice.time = random.Chance(0.5);
    choice.dst = random.Chance(0.5);
    choice.settlement = random.Chance(0.5);
    choice.day = random.Int(1, 28);
    choice.hour = random.Int(0, 23);
    choice.indicator = random.Chance(0.4);
    for (bool& item : choice.items)
        item = random.Chance(0.5);
    choice.integration = random.Chance(0.4);
    choice.minutes = random.Int(1, 60);
    choice.ddm = random.Chance(0.3);
    choice.ddmNumber = random.Int(0, LargestDdmNumber);
    choice.ddmMode = random.Int(0, int(DdmTariffModeItems().size()) - 1);
    choice.resetRdh = random.Chance(0.1);
    return choice;
}

PlcChoice PlcChoice::Random(RandomMix& random)
{
    PlcChoice choice;
    choice.group = random.Int(1, 100);
    choice.address = random.Int(1, 100);
    choice.route = random.Int(0, 3);
    choice.repeaterAddress = random.Int(0, 255);
    choice.repeaterNumber = random.Int(0, 999999);
    return choice;
}
