#pragma once

class MeterReadings;
class QLineEdit;
class WriteInputs;
struct TabSetting;

// The tab "Установка" and the access password edit LabeledPass2 write the
// operator's every change into the settings inputs and show what the core
// puts there (the clock the pickers follow, a number from the meter, the
// new password taken over after it was written). SpinEdit_Number and "+"
// follow whether the meter may get a number, CheckDDM whether it has a ДДМ.
void BindSetting(WriteInputs& inputs, MeterReadings& readings, const TabSetting& tab, QLineEdit* LabeledPass2);
