#include "meter/plc_parameters.h"

#include "protocol/frame.h"
#include "link/meter_link.h"
#include "protocol/wire_values.h"
#include "meter/access_password.h"
#include "meter/operation_log.h"
#include "meter/response_fields.h"
#include "meter/write_inputs.h"

namespace {

// A route response of this length byte carries index, address and number;
// any other names the index of a route the meter does not have.
constexpr int RoutePresentLength = 7;

// EditNumb is free text: what is not a whole number of 0 or more sends 0,
// and only the three low bytes of a larger one fit the request.
quint32 RepeaterNumber(const QString& text)
{
    bool isNumber = false;
    const qlonglong number = text.toLongLong(&isNumber);
    return isNumber && number > 0 ? quint32(number) : 0;
}

} // namespace

PlcParameters::PlcParameters(MeterLink& link, WriteInputs& inputs, OperationLog& log, QObject* parent)
    : QObject(parent), link_(link), inputs_(inputs), log_(log)
{
    link_.RegisterDecoder(ReadPlcAddress, [this](const QByteArray&, const QByteArray& response) {
        const ResponseFields fields(response);
        if (fields.Holds(3))
            ShowGroup(QString::number(fields.Byte(2)), QString::number(fields.Byte(3)));
    });
    link_.RegisterDecoder(ReadRoute, [this](const QByteArray&, const QByteArray& response) {
        const ResponseFields fields(response);
        // ListRoute has a row for each route the meter can keep, no more.
        if (!fields.Holds(2) || fields.Byte(2) >= Routes)
            return;
        const int route = fields.Byte(2);
        if (fields.HasLength(RoutePresentLength))
            ShowRoute(route, {QString::number(fields.Byte(3)), QString::number(fields.U24(4))});
        else
            ShowRoute(route, {});
    });
    // The settings batch follows a number write with this request too; its
    // entry names the group and address written with the number, which
    // this tab's spin boxes need not hold.
    link_.RegisterDecoder(WritePlcAddress, [this](const QByteArray& request, const QByteArray&) {
        const PlcInputs& plc = inputs_.plc;
        const ResponseFields written(request);
        const bool withNumber = link_.SettingsWritePending() && written.Holds(3);
        const int group = withNumber ? written.Byte(2) : plc.group;
        const int address = withNumber ? written.Byte(3) : plc.address;
        log_.Append(QStringLiteral("Plc-группа=") + QString::number(group) + QStringLiteral(", Plc-адрес=")
            + QString::number(address));
    });
    link_.RegisterDecoder(WriteRoute, [this](const QByteArray&, const QByteArray&) {
        const PlcInputs& plc = inputs_.plc;
        const QString route = QStringLiteral("Plc-Маршрут=") + QString::number(plc.route);
        if (routeDeleteMode_)
            log_.Append(route + QStringLiteral(" удален"));
        else
            log_.Append(route + QStringLiteral(", адрес=") + QString::number(plc.repeaterAddress)
                + QStringLiteral(", номер=") + plc.repeaterNumber);
    });
}

void PlcParameters::BtnWriteAddressClick()
{
    QByteArray payload;
    payload += char(inputs_.plc.group);
    payload += char(inputs_.plc.address);
    QueueWrite(MakeFrame(WritePlcAddress, payload));
}

void PlcParameters::BtnWriteRouteClick()
{
    routeDeleteMode_ = false;
    const PlcInputs& plc = inputs_.plc;
    QByteArray payload;
    payload += char(plc.route);
    payload += char(plc.repeaterAddress);
    AppendLittleEndian(payload, RepeaterNumber(plc.repeaterNumber), 3);
    QueueWrite(MakeFrame(WriteRoute, payload));
}

void PlcParameters::ButtonDelRouteClick()
{
    routeDeleteMode_ = true;
    QueueWrite(MakeFrame(WriteRoute, QByteArray(1, char(inputs_.plc.route))));
}

// No pending flag: a refused write is only aborted by the link, and the
// next poll cycle shows what the meter holds.
void PlcParameters::QueueWrite(const QByteArray& request)
{
    link_.Append(LoginRequests() << request);
}

void PlcParameters::ShowGroup(const QString& group, const QString& address)
{
    if (group_ == group && address_ == address)
        return;
    group_ = group;
    address_ = address;
    emit Changed();
}

void PlcParameters::ShowRoute(int route, const Route& shown)
{
    if (routes_[route] == shown)
        return;
    routes_[route] = shown;
    emit Changed();
}
