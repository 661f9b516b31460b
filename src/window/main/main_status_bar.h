#pragma once
// StatusBar1: requests sent, and the name of the request last sent.

#include <array>

class QLabel;
class QMainWindow;

struct MainStatusBar {
    std::array<QLabel*, 2> panels;

    static MainStatusBar Create(QMainWindow& window);
};
