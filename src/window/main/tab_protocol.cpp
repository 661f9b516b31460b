#include "window/main/tab_protocol.h"

#include "link/protocol_view.h"
#include "window/controls/named.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

TabProtocol TabProtocol::Create()
{
    TabProtocol tab{};
    tab.page = NamedPage("TabProtocol");
    tab.CheckBox_Terminal = Named(new QCheckBox(QStringLiteral("Включен")), "CheckBox_Terminal");
    tab.Memo_Terminal = Named(new QPlainTextEdit, "Memo_Terminal");
    tab.Memo_Terminal->setReadOnly(true);
    tab.Memo_Terminal->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A station stays connected all day: keep as many lines as the link keeps.
    tab.Memo_Terminal->setMaximumBlockCount(ProtocolView::MaxLines);

    auto* column = new QVBoxLayout(tab.page);
    column->setContentsMargins(3, 3, 3, 3);
    column->addWidget(tab.CheckBox_Terminal);
    column->addWidget(tab.Memo_Terminal);
    return tab;
}
