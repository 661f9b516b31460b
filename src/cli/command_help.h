#pragma once

#include <QString>

// What --help says above the options: every command of the table with its
// operand and options and its line of help, then what holds for them all.
QString CliDescription();
