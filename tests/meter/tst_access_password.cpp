// The access password: the mask of number and counter, the payloads of
// requests 20 and 21, the edits' hints and what they accept, and the
// frames the link sends for a batch's login and new password.

#include "meter/access_password.h"
#include "scripted_meter.h"
#include "support/test_bytes.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

const QByteArray LoginRequest = LoginRequests()[2];

} // namespace

class TestAccessPassword : public QObject {
    Q_OBJECT
private slots:
    void passwordFrame_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QString>("password");
        QTest::addColumn<quint32>("number");
        QTest::addColumn<quint32>("counter");
        QTest::addColumn<QByteArray>("payload");

        // m = N0^T0 N1^T1 N2^T0 N0^T1 N1^T0 N2^T1
        QTest::newRow("an empty password sends the mask")
            << LoginRequest << "" << 0x123456u << 0xABCDu << Hex("9B9FDFFDF9B9");
        QTest::newRow("a meter without number: the counter's two low bytes alone")
            << LoginRequest << "" << 0u << 0x1234ABCDu << Hex("CDABCDABCDAB");
        QTest::newRow("a short password is padded with zero bytes")
            << LoginRequest << "12" << 0u << 0u << Hex("313200000000");
        QTest::newRow("Cyrillic as Windows-1251 bytes")
            << NewPasswordRequest() << "пароль" << 0u << 0u << Hex("EFE0F0EEEBFC");
        QTest::newRow("password combined with the mask")
            << NewPasswordRequest() << "ab" << 0x000001u << 0x0100u << Hex("606300000001");
    }
    void passwordFrame()
    {
        QFETCH(QByteArray, request);
        QFETCH(QString, password);
        QFETCH(quint32, number);
        QFETCH(quint32, counter);
        QFETCH(QByteArray, payload);
        QCOMPARE(request, MakeFrame(quint8(request[0]), QByteArray(6, '\0')));
        QCOMPARE(BuildPasswordFrame(request, password, number, counter), MakeFrame(quint8(request[0]), payload));
    }

    void hint_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("hint");

        QTest::newRow("empty") << "" << "00 00 00 00 00 00 ";
        QTest::newRow("missing positions as 00") << "ab" << "61 62 00 00 00 00 ";
        QTest::newRow("Windows-1251 bytes") << "пароль" << "EF E0 F0 EE EB FC ";
    }
    void hint()
    {
        QFETCH(QString, text);
        QFETCH(QString, hint);
        QCOMPARE(PasswordHint(text), hint);
    }

    void validPassword_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");

        QTest::newRow("empty") << "" << true;
        QTest::newRow("six characters") << "Пароль" << true;
        QTest::newRow("seven characters") << "1234567" << false;
        QTest::newRow("euro sign of the code page") << "€" << true;
        QTest::newRow("outside the code page") << "日本" << false;
        QTest::newRow("a character of two UTF-16 units") << QString::fromUtf8("\xF0\x9F\x94\x91") << false;
    }
    void validPassword()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(IsValidPassword(text), valid);
    }

    // The password is read when request 20 reaches the head, not when the
    // batch is queued.
    void aPasswordEditedWhileTheBatchWaitsIsSent()
    {
        ScriptedMeter meter;
        meter.number = 0x123456;
        meter.counter = 0xABCD;
        AccessPassword password(meter.link, meter.readings, meter.inputs, meter.log);
        meter.inputs.settings.accessPassword = "old";
        QVERIFY(meter.Connect());
        meter.onRequest = [&meter](quint8 code) {
            if (code == ReadCounters)
                meter.inputs.settings.accessPassword = "777";
        };
        meter.link.Append(LoginRequests());
        QTRY_COMPARE_WITH_TIMEOUT(meter.Sent(EnterPassword).size(), 1, 5000);
        QCOMPARE(meter.Sent(EnterPassword)[0], BuildPasswordFrame(LoginRequest, "777", 0x123456, 0xABCD));
    }

    void anAcknowledgedNewPasswordIsTheNextLogin()
    {
        ScriptedMeter meter;
        meter.number = 42;
        meter.counter = 90061;
        AccessPassword password(meter.link, meter.readings, meter.inputs, meter.log);
        meter.inputs.settings.accessPassword = "old";
        meter.inputs.settings.newPassword = "новый";
        QSignalSpy changed(&meter.inputs, &WriteInputs::Changed);
        QVERIFY(meter.Connect());

        meter.link.Append(LoginRequests() << NewPasswordRequest());
        QTRY_COMPARE_WITH_TIMEOUT(meter.inputs.settings.accessPassword, QString("новый"), 5000);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(meter.Sent(EnterPassword), QList{BuildPasswordFrame(LoginRequest, "old", 42, 90061)});
        QCOMPARE(meter.Sent(WritePassword), QList{BuildPasswordFrame(NewPasswordRequest(), "новый", 42, 90061)});
        const QStringList entries = meter.log.Filter(42);
        QCOMPARE(entries.size(), 1);
        QVERIFY(entries[0].endsWith("] Пароль=новый"));

        meter.link.Append(LoginRequests());
        QTRY_COMPARE_WITH_TIMEOUT(meter.Sent(EnterPassword).size(), 2, 5000);
        QCOMPARE(meter.Sent(EnterPassword)[1], BuildPasswordFrame(LoginRequest, "новый", 42, 90061));
    }
};

QTEST_GUILESS_MAIN(TestAccessPassword)
#include "tst_access_password.moc"
