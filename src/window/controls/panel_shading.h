#pragma once

class QWidget;

// Fills the widget's background with the palette's button colour, each
// channel moved by its percentage (ShadeColor), so panels stand apart from
// the window by a shade.
void ShadeBackground(QWidget* widget, int redPercent, int greenPercent, int bluePercent);
