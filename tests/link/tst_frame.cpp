#include "protocol/frame.h"

#include <QtTest>

class TestFrame : public QObject {
    Q_OBJECT
private slots:
    void checkValue()
    {
        const QByteArray digits = "123456789";
        QCOMPARE(Crc16(digits.constData(), digits.size()), quint16(0x4B37));
    }

    void appendCrc_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<QByteArray>("complete");
        QTest::newRow("version request") << QByteArray::fromHex("0002") << QByteArray::fromHex("00028071");
        QTest::newRow("number request") << QByteArray::fromHex("0102") << QByteArray::fromHex("010281E1");
        QTest::newRow("error 1 to request 1") << QByteArray::fromHex("810301") << QByteArray::fromHex("810301E0D8");
        QTest::newRow("route 3") << QByteArray::fromHex("200303") << QByteArray::fromHex("20030330FB");
        QTest::newRow("reading 16") << QByteArray::fromHex("0F0310") << QByteArray::fromHex("0F031040FF");
    }
    void appendCrc()
    {
        QFETCH(QByteArray, frame);
        QFETCH(QByteArray, complete);
        AppendCrc(frame);
        QCOMPARE(frame.toHex(' '), complete.toHex(' '));
        QVERIFY(CrcValid(complete));
        QCOMPARE(MakeFrame(quint8(complete[0]), complete.mid(2, complete.size() - 4)), complete);
    }

    void crcValid_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<bool>("valid");
        QTest::newRow("good") << QByteArray::fromHex("00028071") << true;
        QTest::newRow("crc bytes swapped") << QByteArray::fromHex("00027180") << false;
        QTest::newRow("payload changed") << QByteArray::fromHex("01028071") << false;
        // Two bytes cover nothing: the CRC of an empty range is FFFF.
        QTest::newRow("empty range") << QByteArray::fromHex("FFFF") << true;
        QTest::newRow("empty range, other bytes") << QByteArray::fromHex("FF00") << false;
        QTest::newRow("one byte") << QByteArray::fromHex("FF") << false;
    }
    void crcValid()
    {
        QFETCH(QByteArray, frame);
        QFETCH(bool, valid);
        QCOMPARE(CrcValid(frame), valid);
    }

    void lengthByteCountsPayloadAndCrc()
    {
        const QByteArray empty = MakeFrame(ReadNumber);
        QCOMPARE(int(empty[1]), 2);
        QCOMPARE(empty.size(), 4);
        const QByteArray route = MakeFrame(WriteRoute, QByteArray::fromHex("0105AABBCC"));
        QCOMPARE(route.size(), int(route[1]) + 2);
    }

    void commandName_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("0") << 0 << "чтение версии ПО";
        QTest::newRow("8") << 8 << "чтение тарифного расписания";
        QTest::newRow("20") << 20 << "ввод пароля";
        QTest::newRow("error reply to 20") << 0x94 << "ввод пароля";
        QTest::newRow("36") << 36 << "сброс показаний РЧД";
        QTest::newRow("45") << 45 << "запись номера ДДМ";
        QTest::newRow("3") << 3 << "неизвестная функция";
        QTest::newRow("16") << 16 << "неизвестная функция";
        QTest::newRow("37") << 37 << "неизвестная функция";
        QTest::newRow("46") << 46 << "неизвестная функция";
        QTest::newRow("error reply to 3") << 0x83 << "неизвестная функция";
    }
    void commandName()
    {
        QFETCH(int, code);
        QFETCH(QString, name);
        QCOMPARE(CommandName(quint8(code)), name);
    }

    void catalogueHasNoGaps()
    {
        const QList<int> unnamed{3, 16, 22, 23, 24, 25, 26, 27, 28, 29, 37};
        for (int code = 0; code <= 45; ++code)
            QCOMPARE(IsKnownFunction(quint8(code)), !unnamed.contains(code));
        QVERIFY(!IsKnownFunction(46));
        QVERIFY(!IsKnownFunction(0x80));
    }

    void errorText_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "Неизвестная ошибка";
        QTest::newRow("1") << 1 << "Ошибка: Неизвестная функция";
        QTest::newRow("2") << 2 << "Ошибка: Неверная длина запроса";
        QTest::newRow("3") << 3 << "Ошибка: Неверная контрольная сумма";
        QTest::newRow("4") << 4 << "Ошибка: Неверные данные запроса";
        QTest::newRow("5") << 5 << "Ошибка: Память защищена";
        QTest::newRow("6") << 6 << "Ошибка: Доступ запрещен";
        QTest::newRow("7") << 7 << "Неизвестная ошибка";
        QTest::newRow("255") << 255 << "Неизвестная ошибка";
    }
    void errorText()
    {
        QFETCH(int, number);
        QFETCH(QString, text);
        QCOMPARE(ErrorText(quint8(number)), text);
    }

    void hexDump()
    {
        QCOMPARE(HexDump(QByteArray::fromHex("00028071")), QString("00 02 80 71 "));
        QCOMPARE(HexDump({}), QString());
    }
};

QTEST_APPLESS_MAIN(TestFrame)
#include "tst_frame.moc"
