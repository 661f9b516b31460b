#pragma once
// Building blocks the tabs lay their controls out with.

#include <QList>
#include <QString>
#include <utility>

class QFormLayout;
class QGroupBox;
class QLabel;
class QLayout;
class QSpinBox;
class QWidget;

QSpinBox* RangedSpin(const char* name, int minimum, int maximum);
// The caption before a control; its mnemonic focuses the control.
QLabel* BuddyCaption(const QString& text, QWidget* control);
// Controls under one another, each after its caption.
QFormLayout* CaptionedRows(const QList<std::pair<QString, QWidget*>>& rows);
QGroupBox* TitledGroup(const QString& caption, QLayout* content);
