// The power-line parameters: what the poll's answers to requests 10 and 32
// show, the frames of the three write batches, and the operation log
// entries of their acknowledgements.

#include "meter/plc_parameters.h"
#include "scripted_meter.h"
#include "support/test_bytes.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// BtnWriteAddressClick, BtnWriteRouteClick or ButtonDelRouteClick.
using Button = void (PlcParameters::*)();

} // namespace

Q_DECLARE_METATYPE(Button)
Q_DECLARE_METATYPE(PlcInputs)

namespace {

// Group, address, then "address/number" of each route row.
QStringList Shown(const PlcParameters& plc)
{
    QStringList shown{plc.Group(), plc.Address()};
    for (int route = 0; route < PlcParameters::Routes; ++route)
        shown << plc.RouteAddress(route) + '/' + plc.RouteNumber(route);
    return shown;
}

PlcInputs AddressInputs(int group, int address)
{
    PlcInputs inputs;
    inputs.group = group;
    inputs.address = address;
    return inputs;
}

PlcInputs RouteInputs(int route, int repeaterAddress, const QString& repeaterNumber)
{
    PlcInputs inputs;
    inputs.route = route;
    inputs.repeaterAddress = repeaterAddress;
    inputs.repeaterNumber = repeaterNumber;
    return inputs;
}

const QStringList ShownAtFirst{"34", "56", "10/1000", "11/1001", "12/1002", "13/1003"};

// A meter with group 34, address 56 and route r kept for repeater 10 + r,
// number 1000 + r; `answers` replaces its answer to a request.
struct PlcMeter : ScriptedMeter {
    PlcParameters plc{link, inputs, log};
    QHash<QByteArray, QByteArray> answers;

    PlcMeter()
    {
        number = 104217;
        channel.script = [this, plain = channel.script](const QByteArray& request) {
            if (answers.contains(request))
                return QList{answers[request]};
            const quint8 code = quint8(request[0]);
            if (code == ReadPlcAddress)
                return QList{MakeFrame(code, Hex("2238"))};
            if (code == ReadRoute)
                return QList{KeptRoute(quint8(request[2]))};
            return plain(request);
        };
    }

    // Replaces an answer from the next poll cycle on, so that no answer of
    // the old kind is on its way meanwhile.
    bool ReplaceAnswer(const QByteArray& request, const QByteArray& answer)
    {
        bool replaced = false;
        const auto connection = QObject::connect(&link, &MeterLink::PollStepQueued, [&](int step) {
            if (step == 0 && !replaced) {
                answers[request] = answer;
                replaced = true;
            }
        });
        const bool done = QTest::qWaitFor([&replaced] { return replaced; }, 10000);
        QObject::disconnect(connection);
        return done;
    }

    static QByteArray KeptRoute(quint8 route)
    {
        const quint32 number = 1000 + route;
        QByteArray data(1, char(route));
        data += char(10 + route);
        data += char(number);
        data += char(number >> 8);
        data += '\0';
        return MakeFrame(ReadRoute, data);
    }

    // The codes of the three requests sent before `request`.
    QList<quint8> SentBefore(const QByteArray& request) const
    {
        const qsizetype at = channel.requests.indexOf(request);
        QList<quint8> codes;
        for (qsizetype i = std::max<qsizetype>(at - 3, 0); i < at; ++i)
            codes << quint8(channel.requests[i][0]);
        return codes;
    }
};

const QList<quint8> Login{ReadNumber, ReadCounters, EnterPassword};

} // namespace

class TestPlcParameters : public QObject {
    Q_OBJECT
private slots:
    void decoding_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QStringList>("shown");

        const QByteArray route1 = MakeFrame(ReadRoute, "\x01");
        const QByteArray groupRequest = MakeFrame(ReadPlcAddress);
        QTest::newRow("present route: address and 24-bit number, low byte first")
            << route1 << MakeFrame(ReadRoute, Hex("01C8701181"))
            << QStringList{"34", "56", "10/1000", "200/8458608", "12/1002", "13/1003"};
        QTest::newRow("absent route: length byte 3 empties its row")
            << route1 << MakeFrame(ReadRoute, "\x01")
            << QStringList{"34", "56", "10/1000", "/", "12/1002", "13/1003"};
        QTest::newRow("route index 4 is no row of the list")
            << route1 << MakeFrame(ReadRoute, Hex("04C8701181")) << ShownAtFirst;
        QTest::newRow("route answer without data") << route1 << MakeFrame(ReadRoute) << ShownAtFirst;
        QTest::newRow("group and address 0") << groupRequest << MakeFrame(ReadPlcAddress, Hex("0000"))
                                            << QStringList{"0", "0", "10/1000", "11/1001", "12/1002", "13/1003"};
        QTest::newRow("group answer without the address")
            << groupRequest << MakeFrame(ReadPlcAddress, "\x07") << ShownAtFirst;
    }
    void decoding()
    {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, answer);
        QFETCH(QStringList, shown);

        PlcMeter meter;
        QVERIFY(meter.Connect());
        QTRY_COMPARE_WITH_TIMEOUT(Shown(meter.plc), ShownAtFirst, 10000);
        QVERIFY(meter.ReplaceAnswer(request, answer));
        QSignalSpy changed(&meter.plc, &PlcParameters::Changed);
        QSignalSpy decoded(&meter.link, &MeterLink::ResponseAccepted);
        QTRY_VERIFY_WITH_TIMEOUT(decoded.contains(QVariantList{request}), 10000);

        QCOMPARE(Shown(meter.plc), shown);
        QCOMPARE(changed.count(), shown == ShownAtFirst ? 0 : 1);
    }

    void writeBatch_data()
    {
        QTest::addColumn<Button>("button");
        QTest::addColumn<PlcInputs>("inputs");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QString>("entry");

        QTest::newRow("group and address")
            << &PlcParameters::BtnWriteAddressClick << AddressInputs(34, 56)
            << MakeFrame(WritePlcAddress, Hex("2238")) << "Plc-группа=34, Plc-адрес=56";
        QTest::newRow("group and address 0 are sent as 00")
            << &PlcParameters::BtnWriteAddressClick << AddressInputs(0, 0)
            << MakeFrame(WritePlcAddress, Hex("0000")) << "Plc-группа=0, Plc-адрес=0";
        QTest::newRow("route: repeater number low byte first")
            << &PlcParameters::BtnWriteRouteClick << RouteInputs(1, 200, "70000")
            << MakeFrame(WriteRoute, Hex("01C8701101")) << "Plc-Маршрут=1, адрес=200, номер=70000";
        QTest::newRow("route: an empty number is 0")
            << &PlcParameters::BtnWriteRouteClick << RouteInputs(3, 7, "")
            << MakeFrame(WriteRoute, Hex("0307000000")) << "Plc-Маршрут=3, адрес=7, номер=";
        QTest::newRow("route: a text is 0 and logged as typed")
            << &PlcParameters::BtnWriteRouteClick << RouteInputs(0, 7, "abc")
            << MakeFrame(WriteRoute, Hex("0007000000")) << "Plc-Маршрут=0, адрес=7, номер=abc";
        QTest::newRow("route: a negative number is 0")
            << &PlcParameters::BtnWriteRouteClick << RouteInputs(0, 7, "-5")
            << MakeFrame(WriteRoute, Hex("0007000000")) << "Plc-Маршрут=0, адрес=7, номер=-5";
        QTest::newRow("route: a number above 24 bits keeps its three low bytes")
            << &PlcParameters::BtnWriteRouteClick << RouteInputs(0, 7, "16777217")
            << MakeFrame(WriteRoute, Hex("0007010000")) << "Plc-Маршрут=0, адрес=7, номер=16777217";
        QTest::newRow("route deleted")
            << &PlcParameters::ButtonDelRouteClick << RouteInputs(2, 7, "70000")
            << MakeFrame(WriteRoute, "\x02") << "Plc-Маршрут=2 удален";
    }
    void writeBatch()
    {
        QFETCH(Button, button);
        QFETCH(PlcInputs, inputs);
        QFETCH(QByteArray, request);
        QFETCH(QString, entry);

        PlcMeter meter;
        QVERIFY(meter.Connect());
        meter.inputs.plc = inputs;
        (meter.plc.*button)();
        QTRY_COMPARE_WITH_TIMEOUT(meter.log.Filter(meter.number).size(), 1, 5000);

        QCOMPARE(meter.Sent(quint8(request[0])), QList{request});
        QCOMPARE(meter.SentBefore(request), Login);
        const QString logged = meter.log.Filter(meter.number)[0];
        QVERIFY2(logged.endsWith("] " + entry), qPrintable(logged));
        QCOMPARE(meter.link.Indicator(), ResultIndicator::Hidden);
    }

    // The entry shows the spin boxes as they are when the meter acknowledges.
    void anEntryTakesTheInputsAtTheAcknowledgement()
    {
        PlcMeter meter;
        QVERIFY(meter.Connect());
        meter.inputs.plc = AddressInputs(34, 56);
        meter.onRequest = [&meter](quint8 code) {
            if (code == WritePlcAddress)
                meter.inputs.plc.group = 99;
        };
        meter.plc.BtnWriteAddressClick();
        QTRY_COMPARE_WITH_TIMEOUT(meter.log.Filter(meter.number).size(), 1, 5000);

        QCOMPARE(meter.Sent(WritePlcAddress), QList{MakeFrame(WritePlcAddress, Hex("2238"))});
        QVERIFY(meter.log.Filter(meter.number)[0].endsWith("] Plc-группа=99, Plc-адрес=56"));
    }

    // These batches have no message box and no indicator: the link drops
    // the rest and polls on.
    void aRefusedWriteIsDroppedQuietly()
    {
        PlcMeter meter;
        meter.answers[MakeFrame(WritePlcAddress, Hex("2238"))] = MakeFrame(WritePlcAddress | ErrorReplyBit, "\x06");
        QVERIFY(meter.Connect());
        meter.inputs.plc = AddressInputs(34, 56);
        QSignalSpy polled(&meter.link, &MeterLink::PollStepQueued);
        meter.plc.BtnWriteAddressClick();
        QTRY_VERIFY_WITH_TIMEOUT(meter.Sent(WritePlcAddress).size() == 1 && !polled.isEmpty(), 5000);

        QCOMPARE(meter.dialogs.messages, QStringList{});
        QCOMPARE(meter.link.Indicator(), ResultIndicator::Hidden);
        QCOMPARE(meter.log.Filter(meter.number), QStringList{});
    }
};

QTEST_GUILESS_MAIN(TestPlcParameters)
#include "tst_plc_parameters.moc"
