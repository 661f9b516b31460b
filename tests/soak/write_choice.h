#pragma once
// What the soak's operator writes: a random choice of the settings of the
// tab "Установка" and of the power-line tab, made once and then entered
// into the engine directly or into the window's controls. The access
// password and the number stay as they are, so the meter keeps taking the
// soak's logins.

#include "random_mix.h"

#include <array>

struct SettingsChoice {
    bool time = false;
    bool dst = false;
    bool settlement = false;
    int day = 1;
    int hour = 0;
    bool indicator = false;
    std::array<bool, 5> items{};
    bool integration = false;
    int minutes = 1;
    bool ddm = false;
    int ddmNumber = 0;
    int ddmMode = 0;
    bool resetRdh = false;

    static SettingsChoice Random(RandomMix& random);
};

struct PlcChoice {
    int group = 1;
    int address = 1;
    int route = 0;
    int repeaterAddress = 0;
    int repeaterNumber = 0;

    static PlcChoice Random(RandomMix& random);
};
