#pragma once

class MeterReadings;
struct TabAbout;

// The tab "О счетчике" shows what MeterReadings holds and follows its changes.
void BindReadings(MeterReadings& readings, const TabAbout& tab);
