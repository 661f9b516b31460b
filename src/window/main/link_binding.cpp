#include "window/main/link_binding.h"

#include "link/meter_link.h"
#include "window/main/connect_panel.h"
#include "window/main/indicator_shape.h"
#include "window/main/main_status_bar.h"
#include "window/main/main_tool_bar.h"
#include "window/main/page_control.h"
#include "window/main/switch_binding.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace {

void BindStatusBar(MeterLink& link, const MainStatusBar& statusBar)
{
    QObject::connect(&link, &MeterLink::StatusPanelChanged, statusBar.panels[0],
                     [panels = statusBar.panels](int index, const QString& text) { panels[index]->setText(text); });
}

void BindIndicator(MeterLink& link, const MainToolBar& toolBar)
{
    QObject::connect(&link, &MeterLink::IndicatorChanged, toolBar.Shape1,
                     [toolBar](ResultIndicator indicator) {
                         toolBar.Shape1->SetIndicator(indicator);
                         toolBar.shapeAction->setVisible(indicator != ResultIndicator::Hidden);
                     });
}

void BindProtocol(ProtocolView& view, const TabProtocol& tab)
{
    tab.CheckBox_Terminal->setChecked(view.Enabled());
    tab.Memo_Terminal->setPlainText(view.Lines().join(QLatin1Char('\n')));
    QObject::connect(tab.CheckBox_Terminal, &QCheckBox::toggled, &view, &ProtocolView::SetEnabled);
    QObject::connect(&view, &ProtocolView::EnabledChanged, tab.CheckBox_Terminal, &QCheckBox::setChecked);
    QObject::connect(&view, &ProtocolView::LineAppended, tab.Memo_Terminal, &QPlainTextEdit::appendPlainText);
    QObject::connect(&view, &ProtocolView::Cleared, tab.Memo_Terminal, &QPlainTextEdit::clear);
}

void BindTimeout(MeterLink& link, QSpinBox* spin)
{
    link.SpinTimerChange(spin->value());
    QObject::connect(spin, &QSpinBox::valueChanged, &link, &MeterLink::SpinTimerChange);
}

} // namespace

void BindLink(MeterLink& link, const LinkViews& views)
{
    BindSwitches(link, {views.commands, views.menu, views.panel, views.pages});
    BindStatusBar(link, views.statusBar);
    BindIndicator(link, views.toolBar);
    BindProtocol(link.Protocol(), views.pages.protocol);
    BindTimeout(link, views.panel.SpinTimer);
}
