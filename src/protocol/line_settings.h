#pragma once
// The two serial lines a station drives: the meter's (4800 baud, the parity
// bit switched per write so that mark parity flags the first byte of a
// request) and the barcode scanner's (9600 baud, no parity).

#include <QtGlobal>

enum class Parity { None, Mark, Space };

struct LineSettings {
    qint32 baudRate;
    Parity parity;
    bool rtsOn;
    bool dtrOn;

    static LineSettings Meter() { return {4800, Parity::Mark, true, false}; }
    static LineSettings Scanner() { return {9600, Parity::None, false, false}; }
};
