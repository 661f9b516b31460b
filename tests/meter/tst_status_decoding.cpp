// The lines a journal record's status byte stands for.

#include "meter/status_decoding.h"

#include <QtTest>

class TestStatusDecoding : public QObject {
    Q_OBJECT
private slots:
    void decodeStatus_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("0") << 0 << QStringList{"Потребление в норме."};
        QTest::newRow("255: power off only") << 255 << QStringList{"Выключение питания"};
        QTest::newRow("224") << 224
                             << QStringList{"ДДМ не описан.", "Дата и время таймера не установлены.",
                                    "Неисправность таймера календаря.", "Потребление в норме."};
        QTest::newRow("3") << 3 << QStringList{};
        QTest::newRow("35") << 35 << QStringList{"Неисправность таймера календаря."};
        QTest::newRow("129") << 129 << QStringList{"ДДМ не описан.", "Потребление ДДМ > ББ."};
        QTest::newRow("66") << 66 << QStringList{"Дата и время таймера не установлены.", "Потребление ДДМ < ББ."};
    }
    void decodeStatus()
    {
        QFETCH(int, status);
        QFETCH(QStringList, lines);
        QCOMPARE(DecodeStatus(status), lines);
    }
};

QTEST_GUILESS_MAIN(TestStatusDecoding)
#include "tst_status_decoding.moc"
