#pragma once

#include <QStringList>

// The lines a journal record's status byte stands for.
QStringList DecodeStatus(int status);
