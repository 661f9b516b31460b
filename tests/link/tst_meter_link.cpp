#include "workstation/work_mode.h"
#include "workstation/workstation_identity.h"
#include "fake_channel.h"
#include "link/meter_link.h"
#include "recording_dialogs.h"
#include "link/poll_cycle.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <utility>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QString SettingsFailure
    = "Ошибка: Во время записи установок произошла ошибка. Описание смотрите на закладке Протокол.";

QByteArray ErrorReply(quint8 code, quint8 error)
{
    QByteArray reply;
    reply.append(char(code | 0x80)).append(char(3)).append(char(error));
    AppendCrc(reply);
    return reply;
}

// The link on a scripted line, connected, with failure lines in the
// protocol and byte dumps off unless a test turns them on.
struct Bench {
    FakeChannel channel;
    RecordingDialogs dialogs;
    MeterLink link{dialogs};

    Bench()
    {
        link.SetChannel(&channel);
        link.Protocol().SetEnabled(true);
        link.SpinTimerChange(200);
    }
    bool Connect() { return link.ActionConnectExecute("COM1"); }
    // As a settings or a schedule write marks the batch it queues.
    void SetWritePending(bool schedule)
    {
        if (schedule)
            link.SetScheduleWritePending(true);
        else
            link.SetSettingsWritePending(true);
    }
    int Sent() const { return int(channel.requests.size()); }
    // Index of the first request with this code sent at or after `from`.
    int Find(quint8 code, int from = 0) const
    {
        for (int i = from; i < channel.requests.size(); ++i)
            if (quint8(channel.requests[i][0]) == code)
                return i;
        return -1;
    }
    QStringList ProtocolMatching(const QString& pattern) const
    {
        return link.Protocol().Lines().filter(QRegularExpression(pattern));
    }
};

// A settings and a schedule write, for tests that hold for both.
void AddWriteBatchRows()
{
    QTest::addColumn<bool>("schedule");
    QTest::newRow("settings") << false;
    QTest::newRow("schedule") << true;
}

// The poll request that follows `request` in the cycle.
QByteArray NextInCycle(const QByteArray& request)
{
    for (int step = 0; step < PollCycleLength; ++step)
        if (PollRequest(step) == request)
            return PollRequest((step + 1) % PollCycleLength);
    return {};
}

// A settings batch as the settings write queues it: login, then a write.
QList<QByteArray> SettingsBatch()
{
    return {MakeFrame(ReadNumber), MakeFrame(ReadCounters), MakeFrame(EnterPassword, QByteArray(8, '\0')),
        MakeFrame(WriteSettlement, QByteArray::fromHex("2315"))};
}

} // namespace

Q_DECLARE_METATYPE(SerialChannelError::Cause)

class TestMeterLink : public QObject {
    Q_OBJECT
private slots:
    void pollsTheWholeCycleMarkingEachFirstByte()
    {
        Bench bench;
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Sent() >= 36, 10000);
        // The version request of the connection, then the cycle from step 0.
        QCOMPARE(bench.channel.requests[0], PollRequest(0));
        for (int step = 0; step < 35; ++step)
            QCOMPARE(bench.channel.requests[step + 1], PollRequest(step % PollCycleLength));
        for (int i = 0; i < 20; i += 2) {
            QCOMPARE(bench.channel.writes[i].bytes.size(), 1);
            QCOMPARE(bench.channel.writes[i].parity, Parity::Mark);
            QCOMPARE(bench.channel.writes[i + 1].parity, Parity::Space);
        }
        // Each change of parity reaches the port once, and the line starts
        // with mark parity: no redundant settings.
        QCOMPARE(bench.channel.parityApplied, int(bench.channel.writes.size()) - 1);
        QCOMPARE(bench.link.SentCount(), bench.Sent());
        QCOMPARE(bench.link.StatusPanel(0), QString::number(bench.link.SentCount()));
        QVERIFY(bench.link.MeterAnswering());
        QVERIFY(bench.link.MeterCommandsFree());
        QVERIFY(bench.link.Protocol().Lines().isEmpty());
    }

    void model341LeavesOutTheDdmSteps()
    {
        Bench bench;
        bench.link.SetTypeCodeSource([] { return 34101; });
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Sent() >= 36, 10000);
        QCOMPARE(bench.channel.requests[32], PollRequest(31));
        QCOMPARE(bench.channel.requests[33], PollRequest(0));
        QCOMPARE(bench.Find(ReadDdmNumber), -1);
        QCOMPARE(bench.Find(ReadDdmStatus), -1);
    }

    void responseInPiecesIsDecodedOnce()
    {
        Bench bench;
        bench.link.SetWorkMode(NumberEditing);
        bench.channel.script = [](const QByteArray& request) {
            const QByteArray answer = MakeFrame(quint8(request[0]), QByteArray::fromHex("2A0000"));
            if (quint8(request[0]) != ReadNumber)
                return QList<QByteArray>{answer};
            return QList<QByteArray>{answer.left(1), answer.mid(1, 3), answer.mid(4)};
        };
        QList<QByteArray> decoded;
        bench.link.RegisterDecoder(ReadNumber, [&](const QByteArray& request, const QByteArray& response) {
            QCOMPARE(request, PollRequest(1));
            decoded << response;
        });
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Find(ReadClock) >= 0, 5000);
        QCOMPARE(decoded, QList<QByteArray>{MakeFrame(ReadNumber, QByteArray::fromHex("2A0000"))});
        QCOMPARE(bench.ProtocolMatching(" Received: 01 $").size(), 1);
        QCOMPARE(bench.ProtocolMatching(" Received: 05 2A 00 $").size(), 1);
        QCOMPARE(bench.ProtocolMatching("Timeout").size(), 0);
    }

    void invalidResponseAbortsAndPollMovesOn_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("message");
        const QByteArray good = MakeFrame(ReadNumber, QByteArray::fromHex("2A0000"));
        QTest::newRow("surplus byte") << good + '\x00' << "Отклик длиннее требуемого";
        QTest::newRow("wrong code") << MakeFrame(ReadClock, QByteArray::fromHex("2A0000")) << "Неверный отклик";
        QByteArray badCrc = good;
        badCrc[badCrc.size() - 1] = char(badCrc.back() ^ 0x01);
        QTest::newRow("bad crc") << badCrc << "Ошибка контрольной суммы";
        QTest::newRow("error reply") << ErrorReply(ReadNumber, 7) << "Неизвестная ошибка (чтение номера)";
    }
    void invalidResponseAbortsAndPollMovesOn()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QString, message);
        Bench bench;
        bench.channel.script = [answer](const QByteArray& request) {
            return QList<QByteArray>{quint8(request[0]) == ReadNumber ? answer : FakeChannel::Answer(request)};
        };
        int decoded = 0;
        bench.link.RegisterDecoder(ReadNumber, [&](const QByteArray&, const QByteArray&) { ++decoded; });
        QVERIFY(bench.Connect());
        const int number = 2; // after the connection's version request and step 0
        QTRY_VERIFY_WITH_TIMEOUT(bench.Sent() > number + 1, 5000);
        QCOMPARE(bench.channel.requests[number], PollRequest(1));
        QCOMPARE(bench.channel.requests[number + 1], PollRequest(2));
        QCOMPARE(bench.link.Protocol().Lines(), QStringList{message});
        QCOMPARE(decoded, 0);
    }

    // An answer to another slot of the schedule (the late answer to the one
    // before) is refused as the wrong response. Readings, routes and journal
    // rows are filed by the index they carry and need no such check.
    void answerToAnotherSlotIsNotTaken_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("taken");
        const auto frame = [](quint8 code, const char* hex) { return MakeFrame(code, QByteArray::fromHex(hex)); };
        const QByteArray checksum = frame(ReadSchedule, "");
        const QByteArray record = frame(ReadSchedule, "07");
        QTest::newRow("record") << record << frame(ReadSchedule, "07000102030405") << true;
        QTest::newRow("free record slot") << record << frame(ReadSchedule, "07") << true;
        QTest::newRow("the record before") << record << frame(ReadSchedule, "06000102030405") << false;
        QTest::newRow("record asked, checksum answered") << record << frame(ReadSchedule, "0701") << false;
        QTest::newRow("checksum") << checksum << frame(ReadSchedule, "3412") << true;
        QTest::newRow("checksum asked, record answered")
            << checksum << frame(ReadSchedule, "00000102030405") << false;
        QTest::newRow("holiday") << frame(ReadHolidays, "04") << frame(ReadHolidays, "040101") << true;
        QTest::newRow("the holiday before") << frame(ReadHolidays, "04") << frame(ReadHolidays, "030101") << false;
        QTest::newRow("the transfer before")
            << frame(ReadTransfers, "04") << frame(ReadTransfers, "0301012401") << false;
        QTest::newRow("slot answer without data") << frame(ReadHolidays, "04") << frame(ReadHolidays, "") << true;
        QTest::newRow("reading of another index")
            << frame(ReadReadings, "05") << frame(ReadReadings, "040000001040") << true;
    }
    void answerToAnotherSlotIsNotTaken()
    {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, answer);
        QFETCH(bool, taken);
        Bench bench;
        bench.channel.script = [&](const QByteArray& sent) {
            return QList<QByteArray>{sent == request ? answer : FakeChannel::Answer(sent)};
        };
        int decoded = 0;
        bench.link.RegisterDecoder(quint8(request[0]), [&](const QByteArray& answered, const QByteArray&) {
            decoded += answered == request;
        });
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Sent() >= 2, 5000);
        bench.link.Append({request});
        const quint8 code = quint8(request[0]);
        QTRY_VERIFY_WITH_TIMEOUT(bench.Find(code, 2) >= 0 && bench.Sent() > bench.Find(code, 2) + 1, 5000);
        QCOMPARE(decoded > 0, taken);
        QCOMPARE(bench.ProtocolMatching("Неверный отклик").isEmpty(), taken);
    }

    // The schedule read's progress shows from its first answer of a slot,
    // a journal's (shown from its start by the journals) from each of its
    // answers; an answer of another kind ends it. Disconnecting ends a
    // journal's and leaves the schedule's as it was.
    void progressShowsTheReadUnderWay_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<bool>("schedule");
        QTest::addColumn<bool>("journal");
        const auto frame = [](quint8 code, const char* hex) { return MakeFrame(code, QByteArray::fromHex(hex)); };
        QTest::newRow("schedule record") << frame(ReadSchedule, "07") << true << false;
        QTest::newRow("schedule checksum") << frame(ReadSchedule, "") << false << false;
        QTest::newRow("holiday") << frame(ReadHolidays, "04") << true << false;
        QTest::newRow("transfer") << frame(ReadTransfers, "04") << true << false;
        QTest::newRow("year journal") << frame(ReadYearJournal, "03") << false << true;
        QTest::newRow("consumption journal") << frame(ReadConsumptionJournal, "F9") << false << true;
    }
    void progressShowsTheReadUnderWay()
    {
        QFETCH(QByteArray, request);
        QFETCH(bool, schedule);
        QFETCH(bool, journal);
        Bench bench;
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Sent() >= 2, 5000);
        QList<QByteArray> accepted;
        connect(&bench.link, &MeterLink::ResponseAccepted, [&](const QByteArray& answered) { accepted << answered; });
        bool shownAtAnswer[2] = {};
        connect(&bench.link, &MeterLink::ResponseAccepted, [&](const QByteArray& answered) {
            if (answered == request)
                for (ProgressRead read : {ProgressRead::Schedule, ProgressRead::Journal})
                    shownAtAnswer[int(read)] = bench.link.ProgressShown(read);
        });
        bench.link.Append({request});
        QTRY_VERIFY_WITH_TIMEOUT(accepted.contains(request) && accepted.last() != request, 5000);
        QCOMPARE(shownAtAnswer[int(ProgressRead::Schedule)], schedule);
        QCOMPARE(shownAtAnswer[int(ProgressRead::Journal)], journal);
        QVERIFY(!bench.link.ProgressShown(ProgressRead::Schedule));
        QVERIFY(!bench.link.ProgressShown(ProgressRead::Journal));

        // Disconnected right after the answer, before the poll's next one.
        bool disconnected = false;
        connect(&bench.link, &MeterLink::ResponseAccepted, &bench.link, [&](const QByteArray& answered) {
            if (answered == request)
                QTimer::singleShot(0, &bench.link, [&] {
                    bench.link.ActionDisconnectExecute();
                    disconnected = true;
                });
        });
        bench.link.ShowProgress(ProgressRead::Journal);
        bench.link.Append({request});
        QTRY_VERIFY_WITH_TIMEOUT(disconnected, 5000);
        QVERIFY(!bench.link.ProgressShown(ProgressRead::Journal));
        QCOMPARE(bench.link.ProgressShown(ProgressRead::Schedule), schedule);
    }

    void ddmRefusalOfAnOldMeterIsSilent_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("error");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("44, error 1") << int(ReadDdmNumber) << 1 << QStringList{};
        QTest::newRow("42, error 1") << int(ReadDdmStatus) << 1 << QStringList{};
        QTest::newRow("44, error 2") << int(ReadDdmNumber) << 2
                                     << QStringList{"Ошибка: Неверная длина запроса (чтение номера ДДМ)"};
        QTest::newRow("1, error 1") << int(ReadNumber) << 1
                                    << QStringList{"Ошибка: Неизвестная функция (чтение номера)"};
    }
    void ddmRefusalOfAnOldMeterIsSilent()
    {
        QFETCH(int, code);
        QFETCH(int, error);
        QFETCH(QStringList, lines);
        Bench bench;
        bench.channel.script = [code, error](const QByteArray& request) {
            const bool refuse = request[0] == char(code);
            return QList<QByteArray>{refuse ? ErrorReply(quint8(code), quint8(error)) : FakeChannel::Answer(request)};
        };
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Find(quint8(code), 1) >= 0 && bench.Sent() > bench.Find(quint8(code), 1) + 1, 5000);
        const int refused = bench.Find(quint8(code), 1);
        QCOMPARE(bench.channel.requests[refused + 1], NextInCycle(bench.channel.requests[refused]));
        QCOMPARE(bench.link.Protocol().Lines(), lines);
    }

    void errorReplyAbortsTheSettingsBatch()
    {
        Bench bench;
        bench.channel.script = [](const QByteArray& request) {
            const bool login = quint8(request[0]) == EnterPassword;
            return QList<QByteArray>{login ? ErrorReply(EnterPassword, 6) : FakeChannel::Answer(request)};
        };
        QSignalSpy finished(&bench.link, &MeterLink::BatchFinished);
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Sent() >= 3, 5000);
        bench.link.SetSettingsWritePending(true);
        bench.link.Append(SettingsBatch());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Find(EnterPassword) >= 0 && bench.Sent() > bench.Find(EnterPassword) + 1, 5000);
        const int login = bench.Find(EnterPassword);
        QCOMPARE(bench.Find(WriteSettlement), -1);
        QCOMPARE(bench.link.Protocol().Lines(), QStringList{"Ошибка: Доступ запрещен (ввод пароля)"});
        QCOMPARE(bench.link.Indicator(), ResultIndicator::Red);
        QCOMPARE(bench.dialogs.messages, QStringList{SettingsFailure});
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished[0][1].value<BatchOutcome>(), BatchOutcome::Failed);
        QVERIFY(!bench.link.SettingsWritePending());
        // The poll resumes with the step after the one the batch waited for;
        // the batch is not repeated.
        QCOMPARE(bench.channel.requests[login + 1], NextInCycle(bench.channel.requests[login - 3]));
        QVERIFY(!bench.channel.requests.contains(SettingsBatch()[3]));
        QTRY_COMPARE_WITH_TIMEOUT(bench.link.Indicator(), ResultIndicator::Hidden, 3000);
    }

    // A real message box runs its own event loop, so the line goes on
    // delivering while the operator reads that the write failed.
    void lateAnswerWhileTheFailureIsShownIsNotTaken_data()
    {
        QTest::addColumn<bool>("schedule");
        QTest::addColumn<QString>("message");
        QTest::newRow("settings") << false << SettingsFailure;
        QTest::newRow("schedule") << true
                                  << "Ошибка: Во время записи тарифного расписания произошла ошибка. Описание "
                                     "смотрите на закладке Протокол.";
    }
    void lateAnswerWhileTheFailureIsShownIsNotTaken()
    {
        QFETCH(bool, schedule);
        QFETCH(QString, message);
        Bench bench;
        bench.dialogs.openMs = 600;
        bool delivered = false;
        bench.channel.script = [&](const QByteArray& request) {
            if (quint8(request[0]) != EnterPassword)
                return QList<QByteArray>{FakeChannel::Answer(request)};
            // After the 200 ms timeout, while the box is open.
            QTimer::singleShot(350, [&, request] {
                bench.channel.Deliver(FakeChannel::Answer(request));
                delivered = true;
            });
            return QList<QByteArray>{};
        };
        int logins = 0;
        bench.link.RegisterDecoder(EnterPassword, [&](const QByteArray&, const QByteArray&) { ++logins; });
        int sentAtFailure = -1;
        connect(&bench.link, &MeterLink::BatchFinished, [&] { sentAtFailure = bench.Sent(); });
        bool queueEmptyAtClose = false;
        int sentAtClose = -1;
        bench.dialogs.onClose = [&] {
            queueEmptyAtClose = bench.link.CommandQueue().isEmpty();
            sentAtClose = bench.Sent();
        };
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Sent() >= 3, 5000);
        bench.SetWritePending(schedule);
        bench.link.Append(SettingsBatch());
        QTRY_VERIFY_WITH_TIMEOUT(sentAtClose >= 0, 5000);
        QVERIFY(delivered);
        QCOMPARE(sentAtClose, sentAtFailure);
        QVERIFY(queueEmptyAtClose);
        QCOMPARE(logins, 0);
        QCOMPARE(bench.dialogs.messages, QStringList{message});
        // Polling resumes once the box is closed, with the batch dropped.
        const int login = bench.Find(EnterPassword);
        QTRY_VERIFY_WITH_TIMEOUT(bench.Sent() > sentAtClose + 2, 5000);
        QCOMPARE(bench.channel.requests[login + 1], NextInCycle(bench.channel.requests[login - 3]));
        QVERIFY(!bench.channel.requests.contains(SettingsBatch()[3]));
        QCOMPARE(logins, 0);
    }

    void completedSettingsBatch_data()
    {
        QTest::addColumn<bool>("sqlMode");
        QTest::newRow("log mode") << false;
        QTest::newRow("sql mode") << true;
    }
    void completedSettingsBatch()
    {
        QFETCH(bool, sqlMode);
        Bench bench;
        bench.link.SetSqlMode(sqlMode);
        QStringList events;
        bench.link.SetRecordOperation([&] { events << "record"; });
        connect(&bench.link, &MeterLink::MeterStateReset, [&] { events << "reset"; });
        connect(&bench.link, &MeterLink::BatchFinished, [&](WriteBatch, BatchOutcome outcome) {
            events << (outcome == BatchOutcome::Completed ? "completed" : "failed");
        });
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Sent() >= 3, 5000);
        events.clear();
        bench.link.SetSettingsWritePending(true);
        bench.link.Append(SettingsBatch());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Find(WriteSettlement) >= 0 && bench.Sent() > bench.Find(WriteSettlement) + 1, 5000);
        const int write = bench.Find(WriteSettlement);
        QCOMPARE(bench.channel.requests.mid(write - 3, 4), SettingsBatch());
        QCOMPARE(bench.link.Indicator(), ResultIndicator::Green);
        const QStringList expected = sqlMode ? QStringList{"record", "completed", "reset"}
                                             : QStringList{"completed", "reset"};
        QCOMPARE(events, expected);
        QVERIFY(bench.dialogs.messages.isEmpty());
    }

    void batchQueuedWhilePollRequestIsOnTheWireFollowsItsAnswer()
    {
        Bench bench;
        QList<QByteArray> batch{MakeFrame(WriteIndicator, "\x1F"), MakeFrame(WriteIntegrationTime, "\x1D")};
        bench.channel.script = [&](const QByteArray& request) {
            if (request == PollRequest(2))
                QTimer::singleShot(0, [&] { bench.link.Append(batch); });
            return QList<QByteArray>{FakeChannel::Answer(request)};
        };
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Sent() >= 8, 5000);
        const int clock = bench.channel.requests.indexOf(PollRequest(2));
        QCOMPARE(bench.channel.requests.mid(clock, 4),
            (QList<QByteArray>{PollRequest(2), batch[0], batch[1], PollRequest(3)}));
    }

    void linkIsLostAtTheSixthTimeoutInARow()
    {
        Bench bench;
        bench.link.SpinTimerChange(40);
        bool silent = false;
        bench.channel.script = [&](const QByteArray& request) {
            return silent ? QList<QByteArray>{} : QList<QByteArray>{FakeChannel::Answer(request)};
        };
        int resets = 0;
        connect(&bench.link, &MeterLink::MeterStateReset, [&] { ++resets; });
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.link.MeterAnswering() && bench.link.MeterCommandsFree(), 5000);
        resets = 0;
        silent = true;
        QTRY_COMPARE_WITH_TIMEOUT(bench.link.TimeoutStreak(), 5, 5000);
        QVERIFY(bench.link.MeterAnswering());
        QVERIFY(bench.link.MeterCommandsFree());
        QCOMPARE(resets, 0);
        QSignalSpy answering(&bench.link, &MeterLink::MeterAnsweringChanged);
        QTRY_COMPARE_WITH_TIMEOUT(bench.link.TimeoutStreak(), 6, 5000);
        QVERIFY(!bench.link.MeterAnswering());
        QVERIFY(!bench.link.MeterCommandsFree());
        QCOMPARE(answering.size(), 1);
        QCOMPARE(answering[0][0].toBool(), false);
        QCOMPARE(resets, 1);
        QCOMPARE(bench.ProtocolMatching("Timeout").size(), 6);
        // Polling goes on; the first answer brings the commands back.
        silent = false;
        QTRY_VERIFY_WITH_TIMEOUT(bench.link.MeterAnswering(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(bench.link.MeterCommandsFree(), 5000);
        QCOMPARE(answering.size(), 2);
        QCOMPARE(bench.link.TimeoutStreak(), 0);
    }

    void protocolLines_data()
    {
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<int>("workMode");
        QTest::addColumn<bool>("dumps");
        QTest::addColumn<bool>("timeouts");
        QTest::newRow("ticked, number editing") << true << int(NumberEditing) << true << true;
        QTest::newRow("ticked, no number editing") << true << int(PasswordEditing) << false << true;
        QTest::newRow("unticked, number editing") << false << int(NumberEditing) << false << false;
    }
    void protocolLines()
    {
        QFETCH(bool, ticked);
        QFETCH(int, workMode);
        QFETCH(bool, dumps);
        QFETCH(bool, timeouts);
        Bench bench;
        bench.link.Protocol().SetEnabled(ticked);
        bench.link.SetWorkMode(workMode);
        bench.channel.script = [](const QByteArray& request) {
            return request == PollRequest(1) ? QList<QByteArray>{} : QList<QByteArray>{FakeChannel::Answer(request)};
        };
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Sent() >= 5, 5000);
        const QString time = R"(^\d\d:\d\d:\d\d)";
        QCOMPARE(bench.ProtocolMatching(time + R"(\.\d{3} Send 00 02 80 71 $)").isEmpty(), !dumps);
        QCOMPARE(bench.ProtocolMatching(time + R"(\.\d{3} Received: 00 03 01 )").isEmpty(), !dumps);
        QCOMPARE(bench.ProtocolMatching(time + R"(:\d{3} Timeout\.$)").size(), timeouts ? 1 : 0);
    }

    // A coarse timer may fire 5 % early and cut an answer short.
    void timeoutNeverFiresEarly()
    {
        Bench bench;
        bench.link.SpinTimerChange(500);
        QElapsedTimer clock;
        QList<qint64> waits;
        qint64 sentAt = 0;
        bench.channel.script = [&](const QByteArray&) {
            sentAt = clock.elapsed();
            return QList<QByteArray>{};
        };
        connect(&bench.link.Protocol(), &ProtocolView::LineAppended, [&](const QString& line) {
            if (line.endsWith(" Timeout."))
                waits << clock.elapsed() - sentAt;
        });
        clock.start();
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(waits.size() >= 4, 10000);
        for (qint64 wait : waits)
            QVERIFY2(wait >= 500, qPrintable(QString::number(wait)));
    }

    // Stray bytes less than a tick apart each abort the request awaited and
    // queue the next poll step; the tick that is counting must still send it.
    void noiseDoesNotHoldTheSendsBack()
    {
        Bench bench;
        bench.channel.script = [](const QByteArray&) { return QList<QByteArray>{}; };
        QVERIFY(bench.Connect());
        QTimer noise;
        connect(&noise, &QTimer::timeout, [&] { bench.channel.Deliver(QByteArray::fromHex("FF00")); });
        noise.start(20);
        QTest::qWait(1000);
        noise.stop();
        QVERIFY2(bench.Sent() >= 10, qPrintable(QString::number(bench.Sent())));
        QVERIFY(bench.ProtocolMatching("Неверный отклик").size() >= 10);
    }

    void failedWriteEndsInATimeout()
    {
        Bench bench;
        bench.channel.failWrites = true;
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.ProtocolMatching("Timeout").size() >= 1, 5000);
        QCOMPARE(bench.link.SentCount(), 0);
        QCOMPARE(bench.link.StatusPanel(0), QString("0"));
    }

    // The meter needs a pause after a request's first byte. The thread goes
    // on meanwhile: events run, and the send is told only once the rest
    // has left.
    void pauseAfterTheFirstByteLeavesTheThreadFree()
    {
        Bench bench;
        qsizetype writesAtEvent = -1;
        bench.channel.onWrite = [&](const FakeChannel::Write& write) {
            if (write.parity == Parity::Mark && writesAtEvent < 0)
                QTimer::singleShot(0, [&] { writesAtEvent = bench.channel.writes.size(); });
        };
        QSignalSpy panels(&bench.link, &MeterLink::StatusPanelChanged);
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Sent() >= 3, 5000);
        // The event came between the first byte and the rest.
        QCOMPARE(writesAtEvent, 1);
        for (int i = 0; i < 6; i += 2) {
            const qint64 pauseNs = bench.channel.writes[i + 1].atNs - bench.channel.writes[i].atNs;
            QVERIFY2(pauseNs >= SerialChannel::FirstBytePauseMs * 1'000'000LL, qPrintable(QString::number(pauseNs)));
        }
        QVERIFY(panels.contains(QList<QVariant>{0, QStringLiteral("1")}));
    }

    // Whatever comes while a request is on its way meets it once it has
    // left, as if it had come just then: here the answer itself.
    void answerWhileTheRequestLeavesIsTakenOnce()
    {
        Bench bench;
        bench.channel.script = [](const QByteArray& request) {
            return request == PollRequest(1) ? QList<QByteArray>{} : QList<QByteArray>{FakeChannel::Answer(request)};
        };
        bench.channel.onWrite = [&](const FakeChannel::Write& write) {
            if (write.parity == Parity::Mark && bench.link.RequestInFlight() == PollRequest(1))
                QTimer::singleShot(0, [&] { bench.channel.Deliver(FakeChannel::Answer(PollRequest(1))); });
        };
        QList<int> writesAtDecode;
        bench.link.RegisterDecoder(ReadNumber, [&](const QByteArray&, const QByteArray&) {
            writesAtDecode << int(bench.channel.writes.size());
        });
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Find(ReadClock) >= 0, 5000);
        QCOMPARE(writesAtDecode.size(), 1);
        // Both parts of the request had been written.
        QCOMPARE(writesAtDecode[0], 2 * (bench.Find(ReadNumber) + 1));
        QCOMPARE(bench.ProtocolMatching("Timeout|Неверный").size(), 0);
    }

    // A line that goes while a request waits out its pause keeps the rest:
    // nothing half-sent reaches a later connection, no timeout is counted
    // for it, and the operator can connect again.
    void lineGoneDuringThePause_data()
    {
        QTest::addColumn<bool>("portLost");
        QTest::newRow("disconnected") << false;
        QTest::newRow("port lost") << true;
    }
    void lineGoneDuringThePause()
    {
        QFETCH(bool, portLost);
        Bench bench;
        bool cut = false;
        bench.channel.onWrite = [&](const FakeChannel::Write& write) {
            if (write.parity != Parity::Mark || bench.Sent() < 3 || std::exchange(cut, true))
                return;
            QTimer::singleShot(0, [&] {
                if (!portLost) {
                    bench.link.ActionDisconnectExecute();
                    return;
                }
                bench.channel.open = false;
                emit bench.channel.Lost(QStringLiteral("линия оборвана"));
            });
        };
        QSignalSpy sent(&bench.channel, &SerialChannel::RequestSent);
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(!bench.link.Connected(), 5000);
        const int writes = int(bench.channel.writes.size());
        const int told = int(sent.size());
        QTest::qWait(100);
        QCOMPARE(bench.channel.writes.size(), writes);
        QCOMPARE(bench.channel.writes.last().parity, Parity::Mark);
        QCOMPARE(sent.size(), told);
        QCOMPARE(bench.Sent(), 3);
        QCOMPARE(bench.ProtocolMatching("Timeout").size(), 0);

        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Sent() >= 5, 5000);
        // The new connection starts with a whole request of its own.
        QCOMPARE(bench.channel.requests[3], PollRequest(0));
        QCOMPARE(bench.channel.writes[writes].parity, Parity::Mark);
    }

    void decoderFailureDoesNotStallThePoll()
    {
        Bench bench;
        bench.link.RegisterDecoder(ReadVersion, [](const QByteArray&, const QByteArray&) {
            throw std::runtime_error("decoder broke");
        });
        QSignalSpy errors(&bench.link, &MeterLink::UnhandledError);
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Sent() >= 4, 5000);
        QVERIFY(errors.size() >= 1);
        QCOMPARE(errors[0][0].toString(), QString("decoder broke"));
    }

    void connectAndDisconnectSwitchTheStates()
    {
        Bench bench;
        QSignalSpy states(&bench.link, &MeterLink::StateChanged);
        QSignalSpy answering(&bench.link, &MeterLink::MeterAnsweringChanged);
        QSignalSpy free(&bench.link, &MeterLink::MeterCommandsFreeChanged);
        QCOMPARE(bench.link.State(), LinkState::Disconnected);
        QVERIFY(!bench.link.MeterAnswering());
        QVERIFY(!bench.link.MeterCommandsFree());

        bench.channel.failOpen = true;
        QVERIFY(!bench.link.ActionConnectExecute("COM7"));
        QCOMPARE(bench.dialogs.messages, QStringList{"Ошибка: Ошибка открытия порта COM7: порт не найден"});
        QVERIFY(!bench.link.Connected());
        QVERIFY(states.isEmpty());

        bench.channel.failOpen = false;
        QVERIFY(bench.Connect());
        QVERIFY(bench.link.Connected());
        QCOMPARE(states.size(), 1);
        QCOMPARE(states[0][0].value<LinkState>(), LinkState::Connected);
        QTRY_VERIFY_WITH_TIMEOUT(bench.link.MeterAnswering() && bench.link.MeterCommandsFree(), 5000);

        bench.link.ActionDisconnectExecute();
        QVERIFY(!bench.channel.Active());
        QVERIFY(!bench.link.Connected());
        QVERIFY(!bench.link.MeterAnswering());
        QVERIFY(!bench.link.MeterCommandsFree());
        QCOMPARE(states.size(), 2);
        QCOMPARE(states[1][0].value<LinkState>(), LinkState::Disconnected);
        // Each state told once per change, however many answers came.
        QCOMPARE(answering.size(), 2);
        QCOMPARE(free.size(), 2);
        QCOMPARE(bench.link.StatusPanel(1), QString());
    }

    // Taking the meter commands (as a schedule transfer does) leaves the
    // meter answering; each answer is told all the same.
    void everyAnswerIsTold()
    {
        Bench bench;
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.link.MeterCommandsFree(), 5000);
        QSignalSpy answered(&bench.link, &MeterLink::MeterAnswered);
        QSignalSpy answering(&bench.link, &MeterLink::MeterAnsweringChanged);
        bench.link.EnableMeterCommands(false);
        QVERIFY(!bench.link.MeterCommandsFree());
        QVERIFY(bench.link.MeterAnswering());
        QTRY_VERIFY_WITH_TIMEOUT(answered.size() >= 3, 5000);
        QVERIFY(answering.isEmpty());
    }

    // The operator learns why the port would not open, and for a port the
    // user may not use, how to be let in.
    void openFailureNamesTheReason_data()
    {
        using Cause = SerialChannelError::Cause;
        QTest::addColumn<SerialChannelError::Cause>("cause");
        QTest::addColumn<QString>("systemText");
        QTest::addColumn<QString>("message");
        const QString opening = "Ошибка: Ошибка открытия порта COM7: ";
        QTest::newRow("no such port") << Cause::NoSuchPort << "No such file or directory"
                                      << opening + "порт не найден";
        QTest::newRow("busy") << Cause::Busy << "Permission error while locking the device" << opening + "порт занят";
#ifdef Q_OS_LINUX
        QTest::newRow("no permission")
            << Cause::NoPermission << "Permission denied"
            << opening + "нет прав на доступ к порту\nПользователь " + LoginName()
                + " должен входить в группу dialout. Добавьте его командой\nsudo usermod -aG dialout " + LoginName()
                + "\nи войдите в систему заново.";
#endif
        QTest::newRow("another reason: the system's words")
            << Cause::Other << "Input/output error" << opening + "Input/output error";
        QTest::newRow("another reason, no words from the system")
            << Cause::Other << "" << opening + "Can't open specified device COM7";
    }
    void openFailureNamesTheReason()
    {
        QFETCH(SerialChannelError::Cause, cause);
        QFETCH(QString, systemText);
        QFETCH(QString, message);
        Bench bench;
        bench.channel.failOpen = true;
        bench.channel.openCause = cause;
        bench.channel.openSystemText = systemText;
        QVERIFY(!bench.link.ActionConnectExecute("COM7"));
        QCOMPARE(bench.dialogs.messages, QStringList{message});
    }

    void disconnectCutsAWriteShort_data()
    {
        AddWriteBatchRows();
    }
    void disconnectCutsAWriteShort()
    {
        QFETCH(bool, schedule);
        Bench bench;
        bench.link.SetSqlMode(true);
        int records = 0;
        bench.link.SetRecordOperation([&] { ++records; });
        bench.channel.script = [](const QByteArray& request) {
            return quint8(request[0]) == ReadCounters ? QList<QByteArray>{} : QList<QByteArray>{FakeChannel::Answer(request)};
        };
        QSignalSpy finished(&bench.link, &MeterLink::BatchFinished);
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Sent() >= 2, 5000);
        bench.SetWritePending(schedule);
        bench.link.Append(SettingsBatch());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Find(ReadCounters) >= 0, 5000);
        bench.link.ActionDisconnectExecute();
        QCOMPARE(records, 0);
        QCOMPARE(bench.link.Indicator(), ResultIndicator::Red);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished[0][1].value<BatchOutcome>(), BatchOutcome::CutShort);
        QCOMPARE(bench.dialogs.messages.size(), 1);
        QVERIFY(bench.link.Protocol().Lines().contains("Запись прервана: связь разорвана."));
        QVERIFY(!bench.link.SettingsWritePending());
        QVERIFY(!bench.link.ScheduleWritePending());
    }

    // Connecting empties the queue at the first request: a write queued in
    // the moment before is cut short, not reported as written.
    void writeQueuedWhileConnectingIsCutShort_data()
    {
        AddWriteBatchRows();
    }
    void writeQueuedWhileConnectingIsCutShort()
    {
        QFETCH(bool, schedule);
        Bench bench;
        bench.link.SetSqlMode(true);
        int records = 0;
        bench.link.SetRecordOperation([&] { ++records; });
        QSignalSpy finished(&bench.link, &MeterLink::BatchFinished);
        QVERIFY(bench.Connect());
        bench.SetWritePending(schedule);
        bench.link.Append(SettingsBatch());
        QTRY_VERIFY_WITH_TIMEOUT(finished.size() == 1, 5000);
        QCOMPARE(finished[0][1].value<BatchOutcome>(), BatchOutcome::CutShort);
        QCOMPARE(bench.link.Indicator(), ResultIndicator::Red);
        QCOMPARE(bench.dialogs.messages.size(), 1);
        QVERIFY(bench.link.Protocol().Lines().contains("Запись прервана: связь устанавливается."));
        // The poll starts as after any connection, and nothing completes later.
        QTRY_VERIFY_WITH_TIMEOUT(bench.Find(ReadClock) >= 0, 5000);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(records, 0);
        QVERIFY(!bench.channel.requests.contains(SettingsBatch()[3]));
    }

    // A port that vanishes (an adapter pulled) is let go as the disconnect
    // command does, once, with one message; a write it cuts short shows red
    // without a second message. The operator can connect again.
    void vanishedPortDisconnectsOnce_data()
    {
        QTest::addColumn<bool>("writing");
        QTest::newRow("polling") << false;
        QTest::newRow("writing") << true;
    }
    void vanishedPortDisconnectsOnce()
    {
        QFETCH(bool, writing);
        Bench bench;
        bench.channel.script = [](const QByteArray& request) {
            return quint8(request[0]) == ReadCounters ? QList<QByteArray>{} : QList<QByteArray>{FakeChannel::Answer(request)};
        };
        QSignalSpy lost(&bench.link, &MeterLink::PortLost);
        QSignalSpy finished(&bench.link, &MeterLink::BatchFinished);
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Sent() >= 3, 5000);
        if (writing) {
            bench.link.SetSettingsWritePending(true);
            bench.link.Append(SettingsBatch());
            QTRY_VERIFY_WITH_TIMEOUT(bench.Find(ReadCounters) >= 0, 5000);
        }
        // The channel closes a lost port itself before it says so.
        bench.channel.open = false;
        emit bench.channel.Lost(QStringLiteral("линия оборвана"));
        emit bench.channel.Lost(QStringLiteral("линия оборвана"));

        const QString text = QStringLiteral("Порт COM1 недоступен: линия оборвана");
        QCOMPARE(lost.size(), 1);
        QCOMPARE(lost[0][0].toString(), text);
        QCOMPARE(bench.dialogs.messages, QStringList{"Ошибка: " + text + ". Связь разорвана."});
        QVERIFY(bench.link.Protocol().Lines().contains(text));
        QVERIFY(!bench.link.Connected());
        QVERIFY(!bench.link.MeterAnswering());
        QVERIFY(!bench.link.MeterCommandsFree());
        QCOMPARE(finished.size(), writing ? 1 : 0);
        QCOMPARE(bench.link.Indicator(), writing ? ResultIndicator::Red : ResultIndicator::Hidden);

        const int before = bench.Sent();
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Sent() >= before + 2, 5000);
    }

    void reconnectStartsAFreshProtocol()
    {
        Bench bench;
        bench.link.SetWorkMode(NumberEditing);
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Sent() >= 4, 5000);
        bench.link.ActionDisconnectExecute();
        const int before = bench.Sent();
        QVERIFY(bench.Connect());
        QTRY_VERIFY_WITH_TIMEOUT(bench.Sent() >= before + 3, 5000);
        QCOMPARE(bench.link.SentCount(), bench.Sent() - before);
        QVERIFY(bench.link.Protocol().Lines().first().contains(" Send 00 02 80 71 "));
    }
};

QTEST_MAIN(TestMeterLink)
#include "tst_meter_link.moc"
