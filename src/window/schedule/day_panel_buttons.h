#pragma once
// The buttons of the day-profile editor: icons from the desktop's theme
// where it has them, the commands with their keys.

#include <QIcon>
#include <QStyle>

class QAction;
class QToolButton;
class QWidget;

// The theme's icon where the desktop has one, else the style's own.
QIcon ButtonIcon(const QWidget* widget, const char* themeName, QStyle::StandardPixmap fallback);
// A green plus and a red minus where the theme has no such icons: the
// styles offer no such signs.
QIcon AddIcon();
QIcon DeleteIcon();
QToolButton* HintedButton(const char* name, const QString& hint, const QIcon& icon);
QToolButton* CommandButton(const char* name, QAction* command);
// A command of the panel with its key, acting while the panel has the focus.
QAction* Command(QWidget* owner, const char* name, const QString& hint, const QIcon& icon, Qt::Key key);
