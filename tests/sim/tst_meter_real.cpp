// The meter's 32-bit real as the simulator writes it.

#include "sim/meter_real.h"

#include <QTest>
#include <cmath>

namespace {

// Straight from the meter's definition, independent of the encoder.
double Decode(quint32 word)
{
    if (word == 0)
        return 0.0;
    const double mantissa = 1.0 + double(word & 0x7FFFFF) / (1 << 23);
    const double value = std::ldexp(mantissa, int(word >> 24) - 127);
    return (word & 0x800000) ? -value : value;
}

} // namespace

class MeterRealTest : public QObject {
    Q_OBJECT
private slots:
    void encodes_data();
    void encodes();
    void roundTrips_data();
    void roundTrips();
};

void MeterRealTest::encodes_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<quint32>("word");

    QTest::newRow("zero") << 0.0 << 0x00000000u;
    QTest::newRow("two") << 2.0 << 0x80000000u;
    QTest::newRow("one") << 1.0 << 0x7F000000u;
    QTest::newRow("minus one") << -1.0 << 0x7F800000u;
    QTest::newRow("hundred") << 100.0 << 0x85480000u;
    QTest::newRow("rounds up into the next exponent") << std::nextafter(2.0, 0.0) << 0x80000000u;
}

void MeterRealTest::encodes()
{
    QFETCH(double, value);
    QFETCH(quint32, word);
    QCOMPARE(EncodeMeterReal(value), word);
}

void MeterRealTest::roundTrips_data()
{
    QTest::addColumn<double>("kWh");

    QTest::newRow("meter reading") << 1234.567;
    QTest::newRow("fresh meter") << 0.001;
    QTest::newRow("large") << 99999.99;
    QTest::newRow("negative") << -3.25;
}

void MeterRealTest::roundTrips()
{
    QFETCH(double, kWh);
    const double decoded = Decode(EncodeMeterReal(kWh));
    // Half a unit of the 23-bit fraction.
    QVERIFY2(std::fabs(decoded - kWh) <= std::fabs(kWh) * std::ldexp(1.0, -24),
             qPrintable(QString::number(decoded, 'g', 12)));
}

QTEST_GUILESS_MAIN(MeterRealTest)
#include "tst_meter_real.moc"
