#pragma once
// The options of `vm742-cli write`: each ticks one entry of the settings
// batch and gives its values, as the operator does on the tab "Установка".

#include "meter/write_inputs.h"

#include <QCommandLineParser>
#include <QString>
#include <variant>

struct WriteChoices {
    SettingsInputs inputs;
    // --time now: the clock written is the workstation's at the moment the
    // batch is queued, not when the command started.
    bool timeNow = false;
};

// Every option of the settings batch, --number among them.
QList<QCommandLineOption> WriteOptions();
// The number for a meter without number, which record takes too.
QCommandLineOption MeterNumberOption();

// The clock pickers set to the workstation's clock at this moment.
void SetClockToNow(SettingsInputs& inputs);

// Why the access password cannot log in to any meter; empty when it can.
QString AccessPasswordRefusal(const QString& password);

// The choices with the access password (LabeledPass2), or the reason they
// are unusable.
std::variant<WriteChoices, QString> ParseWriteOptions(const QCommandLineParser& parser, const QString& accessPassword);
