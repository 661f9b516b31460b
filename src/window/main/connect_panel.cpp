#include "window/main/connect_panel.h"

#include "window/controls/edit_caption.h"
#include "window/controls/named.h"
#include "window/controls/password_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int PanelHeight = 41;
QComboBox* PortList(const char* name)
{
    auto* combo = Named(new QComboBox, name);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setMinimumContentsLength(6);
    return combo;
}

// Steps by its arrows only: a typed value would bypass the 100 ms grid.
QSpinBox* TimeoutSpin()
{
    auto* spin = Named(new QSpinBox, "SpinTimer");
    spin->setRange(200, 10000);
    spin->setSingleStep(100);
    spin->setValue(500);
    spin->findChild<QLineEdit*>()->setReadOnly(true);
    return spin;
}

QWidget* ScannerPanel(ConnectPanel& panel)
{
    auto* scanner = Named(new QWidget, "PanelScaner");
    auto* row = new QHBoxLayout(scanner);
    row->setContentsMargins(0, 0, 0, 0);
    panel.ComboScaner = PortList("ComboScaner");
    panel.CheckScaner = Named(new QCheckBox(QStringLiteral("Включен")), "CheckScaner");
    row->addWidget(new QLabel(QStringLiteral("Сканер:")));
    row->addWidget(panel.ComboScaner);
    row->addWidget(panel.CheckScaner);
    return scanner;
}

// The password's caption stands above its edit, as on a labelled edit.
QLayout* PasswordColumn(QLineEdit* edit)
{
    auto* column = new QVBoxLayout;
    column->setSpacing(1);
    column->addWidget(AttachCaption(edit, QStringLiteral("Пароль для доступа : ")));
    column->addWidget(edit);
    return column;
}

} // namespace

ConnectPanel ConnectPanel::Create()
{
    ConnectPanel panel{};
    panel.PanelConnect = Named(new QFrame, "PanelConnect");
    panel.PanelConnect->setFixedHeight(PanelHeight);
    panel.PanelConnect->setFrameShape(QFrame::StyledPanel);
    panel.PanelConnect->setAutoFillBackground(true);

    panel.ComboPort = PortList("ComboPort");
    panel.SpinTimer = TimeoutSpin();
    panel.LabeledPass2 = Named(new QLineEdit, "LabeledPass2");
    MakePasswordEdit(panel.LabeledPass2);
    panel.PanelScaner = ScannerPanel(panel);

    auto* row = new QHBoxLayout(panel.PanelConnect);
    row->setContentsMargins(6, 1, 6, 1);
    row->addWidget(new QLabel(QStringLiteral("Порт:")));
    row->addWidget(panel.ComboPort);
    row->addSpacing(10);
    row->addWidget(new QLabel(QStringLiteral("Таймаут :")));
    row->addWidget(panel.SpinTimer);
    row->addWidget(new QLabel(QStringLiteral("мсек")));
    row->addSpacing(10);
    row->addLayout(PasswordColumn(panel.LabeledPass2));
    row->addSpacing(10);
    row->addWidget(panel.PanelScaner);
    row->addStretch();
    return panel;
}
