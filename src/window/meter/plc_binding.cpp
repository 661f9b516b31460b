#include "window/meter/plc_binding.h"

#include "meter/plc_parameters.h"
#include "window/controls/input_fields.h"
#include "window/meter/tab_plc.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

namespace {

// ListRoute's columns after the route index.
constexpr int AddressColumn = 1;
constexpr int NumberColumn = 2;

void ShowRead(const PlcParameters& plc, const TabPlc& tab)
{
    tab.EditGroup->setText(plc.Group());
    tab.EditAddress->setText(plc.Address());
    for (int route = 0; route < PlcParameters::Routes; ++route) {
        tab.ListRoute->item(route, AddressColumn)->setText(plc.RouteAddress(route));
        tab.ListRoute->item(route, NumberColumn)->setText(plc.RouteNumber(route));
    }
}

} // namespace

void BindPlc(PlcParameters& plc, WriteInputs& inputs, const TabPlc& tab)
{
    ShowRead(plc, tab);
    QObject::connect(&plc, &PlcParameters::Changed, tab.page, [&plc, tab] { ShowRead(plc, tab); });

    PlcInputs& values = inputs.plc;
    auto* fields = new InputFields(inputs, tab.page);
    fields->Spin(tab.SpinGroup, values.group);
    fields->Spin(tab.SpinAddress, values.address);
    fields->Spin(tab.SpinRoute, values.route);
    fields->Spin(tab.SpinAddrRep, values.repeaterAddress);
    fields->Text(tab.EditNumb, values.repeaterNumber);
    fields->Refresh();

    QObject::connect(tab.BtnWriteAddress, &QPushButton::clicked, &plc, &PlcParameters::BtnWriteAddressClick);
    QObject::connect(tab.BtnWriteRoute, &QPushButton::clicked, &plc, &PlcParameters::BtnWriteRouteClick);
    QObject::connect(tab.ButtonDelRoute, &QPushButton::clicked, &plc, &PlcParameters::ButtonDelRouteClick);
}
