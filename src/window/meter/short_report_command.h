#pragma once

class Dialogs;
class MeterReadings;
class PlcParameters;

// ActionTxt: the short report of what the window shows, saved where the
// operator chooses and opened with the workstation's viewer for text
// files. A report that cannot be saved is reported and not opened.
void ActionTxtExecute(Dialogs& dialogs, const MeterReadings& readings, const PlcParameters& plc);
