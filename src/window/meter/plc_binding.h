#pragma once

class PlcParameters;
class WriteInputs;
struct TabPlc;

// The tab "Параметры PLC" shows the group, address and routes the poll
// reads, writes the operator's values into the power-line inputs, and runs
// the write and delete batches from its buttons.
void BindPlc(PlcParameters& plc, WriteInputs& inputs, const TabPlc& tab);
