#pragma once

#include <QtGlobal>

// A colour 0x00BBGGRR with each channel c moved by c * percent / 100
// (truncated), clamped to 0..255.
quint32 ShadeColor(quint32 color, int redPercent, int greenPercent, int bluePercent);
