#include "window/schedule/day_panel_buttons.h"

#include "window/controls/named.h"

#include <QAction>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <QWidget>

namespace {

constexpr int ButtonIconSize = 20;
const QColor AddGreen(0, 150, 0);
const QColor DeleteRed(200, 0, 0);

QToolButton* PanelButton(const char* name)
{
    auto* button = Named(new QToolButton, name);
    button->setIconSize({ButtonIconSize, ButtonIconSize});
    return button;
}

QIcon SignIcon(const char* themeName, const QColor& color, bool plus)
{
    constexpr int Inset = 3;
    constexpr int Stroke = 4;
    constexpr int Middle = (ButtonIconSize - Stroke) / 2;
    QPixmap sign(ButtonIconSize, ButtonIconSize);
    sign.fill(Qt::transparent);
    QPainter painter(&sign);
    painter.fillRect(Inset, Middle, ButtonIconSize - 2 * Inset, Stroke, color);
    if (plus)
        painter.fillRect(Middle, Inset, Stroke, ButtonIconSize - 2 * Inset, color);
    painter.end();
    return QIcon::fromTheme(QLatin1String(themeName), QIcon(sign));
}

} // namespace

// The theme's icon where the desktop has one, else the style's own.
QIcon ButtonIcon(const QWidget* widget, const char* themeName, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(QLatin1String(themeName), widget->style()->standardIcon(fallback));
}

QToolButton* HintedButton(const char* name, const QString& hint, const QIcon& icon)
{
    QToolButton* button = PanelButton(name);
    button->setIcon(icon);
    button->setToolTip(hint);
    return button;
}

QToolButton* CommandButton(const char* name, QAction* command)
{
    QToolButton* button = PanelButton(name);
    button->setDefaultAction(command);
    return button;
}

QAction* Command(QWidget* owner, const char* name, const QString& hint, const QIcon& icon, Qt::Key key)
{
    auto* command = Named(new QAction(icon, hint, owner), name);
    command->setToolTip(hint);
    command->setShortcut(key);
    // Insert and Delete act on the zones only while the operator works in
    // this panel; elsewhere they belong to the control that has the focus.
    command->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    owner->addAction(command);
    return command;
}

QIcon AddIcon()
{
    return SignIcon("list-add", AddGreen, true);
}

QIcon DeleteIcon()
{
    return SignIcon("list-remove", DeleteRed, false);
}
