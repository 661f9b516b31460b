#pragma once

class MeterLink;
struct MainPages;

// What the window forgets at each reset of the meter state, beside what
// the readings forget: the clock drift shown. On "Установка" the number
// field then takes the focus, ready for the next meter's number.
void BindMeterStateReset(MeterLink& link, const MainPages& pages);
