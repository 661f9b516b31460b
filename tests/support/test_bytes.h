#pragma once
// Bytes as tests write them down: frames, records and blocks given as hex
// text, and the zeros that pad them.

#include <QByteArray>

// The bytes of the hex digit pairs in the text; anything else, such as
// blanks between them, is skipped.
QByteArray Hex(const char* text);

// `count` zero bytes.
QByteArray Zeros(int count);
