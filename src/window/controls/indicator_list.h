#pragma once
// The five indicator items as a check list, as tall as its items: the
// meter's mode on "О счетчике", the mode to write on "Установка".

class QListWidget;

QListWidget* IndicatorList(const char* name);
