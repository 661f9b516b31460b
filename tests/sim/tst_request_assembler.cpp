// Finding requests in the byte stream by the ninth bit and the length byte.

#include "protocol/frame.h"
#include "sim/request_assembler.h"

#include <QTest>

Q_DECLARE_METATYPE(Framing)

namespace {

const QByteArray Version = MakeFrame(ReadVersion);
const QByteArray RouteRequest = MakeFrame(ReadRoute, QByteArray(1, '\2'));

// One letter per byte: S the ninth bit set, C clear, U not observed.
NinthBit BitOf(char letter)
{
    switch (letter) {
    case 'S': return NinthBit::Set;
    case 'C': return NinthBit::Clear;
    default: return NinthBit::Unknown;
    }
}

} // namespace

class RequestAssemblerTest : public QObject {
    Q_OBJECT
private slots:
    void frames_data();
    void frames();
};

void RequestAssemblerTest::frames_data()
{
    QTest::addColumn<Framing>("framing");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("bits");
    QTest::addColumn<QByteArrayList>("delivered");
    QTest::addColumn<int>("requests");
    QTest::addColumn<int>("unmarked");
    QTest::addColumn<int>("unobserved");

    const auto strict = Framing::Strict;
    const auto lenient = Framing::Lenient;
    QTest::newRow("marked request") << strict << Version << QByteArray("SCCC") << QByteArrayList{Version} << 1 << 0 << 0;
    QTest::newRow("ends at length byte + 2") << strict << RouteRequest + Version << QByteArray("SCCCC" "SCCC")
                                             << QByteArrayList{RouteRequest, Version} << 2 << 0 << 0;
    QTest::newRow("unmarked request counted, not delivered")
        << strict << Version << QByteArray("CCCC") << QByteArrayList{} << 1 << 1 << 0;
    QTest::newRow("every byte marked never completes")
        << strict << Version << QByteArray("SSSS") << QByteArrayList{} << 0 << 0 << 0;
    QTest::newRow("marked byte drops a partial request")
        << strict << RouteRequest.left(3) + Version << QByteArray("SCC" "SCCC") << QByteArrayList{Version} << 1 << 0 << 0;
    QTest::newRow("stray unmarked byte before a request")
        << strict << QByteArray("\x55") + Version << QByteArray("C" "SCCC") << QByteArrayList{Version} << 1 << 0 << 0;
    QTest::newRow("lenient serves an unmarked request")
        << lenient << Version << QByteArray("CCCC") << QByteArrayList{Version} << 1 << 1 << 0;
    QTest::newRow("lenient serves an unobserved request")
        << lenient << Version + RouteRequest << QByteArray("UUUU" "SUUUU") << QByteArrayList{Version, RouteRequest} << 2 << 0 << 1;
}

void RequestAssemblerTest::frames()
{
    QFETCH(Framing, framing);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, bits);
    QFETCH(QByteArrayList, delivered);
    QFETCH(int, requests);
    QFETCH(int, unmarked);
    QFETCH(int, unobserved);
    QCOMPARE(bits.size(), bytes.size());

    RequestAssembler assembler(framing);
    QByteArrayList out;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (const auto request = assembler.Feed(bytes[i], BitOf(bits[i])))
            out.append(request->bytes);
    }

    QCOMPARE(out, delivered);
    QCOMPARE(assembler.Requests(), requests);
    QCOMPARE(assembler.Unmarked(), unmarked);
    QCOMPARE(assembler.Unobserved(), unobserved);
}

QTEST_GUILESS_MAIN(RequestAssemblerTest)
#include "tst_request_assembler.moc"
