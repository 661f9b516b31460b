#pragma once
// The meter's power-line (PLC) parameters: group, address and four
// retransmission routes as the poll reads them, and the batches that write
// the group and address or write and delete a route.

#include <QObject>
#include <QString>
#include <array>

class MeterLink;
class OperationLog;
class WriteInputs;

class PlcParameters : public QObject {
    Q_OBJECT
public:
    static constexpr int Routes = 4;

    PlcParameters(MeterLink& link, WriteInputs& inputs, OperationLog& log, QObject* parent = nullptr);

    // EditGroup and EditAddress.
    QString Group() const { return group_; }
    QString Address() const { return address_; }
    // ListRoute's columns "Адрес" and "Номер" of one route; empty when the
    // meter has no such route.
    QString RouteAddress(int route) const { return routes_[route].address; }
    QString RouteNumber(int route) const { return routes_[route].number; }

    void BtnWriteAddressClick();
    void BtnWriteRouteClick();
    void ButtonDelRouteClick();

signals:
    void Changed();

private:
    struct Route {
        QString address;
        QString number;
        bool operator==(const Route&) const = default;
    };

    void QueueWrite(const QByteArray& request);
    void ShowGroup(const QString& group, const QString& address);
    void ShowRoute(int route, const Route& shown);

    MeterLink& link_;
    WriteInputs& inputs_;
    OperationLog& log_;
    QString group_;
    QString address_;
    std::array<Route, Routes> routes_;
    bool routeDeleteMode_ = false;
};
