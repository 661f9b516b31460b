// vm742-cli read, run as the operator runs it: on the simulated meter, on a
// port that cannot be opened and on a line where nothing answers.

#include "cli_run.h"
#include "link/forbidden_port.h"
#include "link/qt_serial_channel.h"
#include "sim/pseudo_terminal.h"
#include "workstation/workstation_identity.h"

#include <QProcess>
#include <QtTest>
#include <optional>

namespace {

QStringList Captions(const QStringList& lines)
{
    QStringList captions;
    for (const QString& line : lines)
        captions << line.section('\t', 0, 0);
    return captions;
}

enum class Obstacle { Missing, HeldOpen, Forbidden };

} // namespace

Q_DECLARE_METATYPE(Obstacle)

class TestReadCommand : public QObject {
    Q_OBJECT
private slots:
    void readsTheSimulatedMeter()
    {
        const CliRun run = RunCli({"read", "--sim", "--password", "123456"});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.exitCode, 0);
        // The short report's lines: separators and indicator items have no name.
        QStringList captions{"Системное время", "", "Тип", "Заводской номер", "Версия ПО", "", "Дата / время",
            "Автопереход на летнее время", "Тест часов", "", "Расчетный день", "Расчетный час",
            "Контрольная сумма тарифного расписания", "", "Время интегрирования пиковой мощности, мин.", "",
            "Номер ДДМ", "Режим тарификации ДДМ", "Статус баланса ДДМ", "Последний сеанс ДДМ", "", "Время работы",
            "Счетчик коррекций", "Текущий тариф", "", "Текущая мощность, Вт", ""};
        for (const QString row : {"1 тариф", "2 тариф", "3 тариф", "4 тариф", "5 тариф", "6 тариф", "7 тариф",
                 "8 тариф"})
            captions << row + " (текущие)" << row + " (РДЧ)";
        captions << "" << "Пиковая мощность, Вт (текущие)" << "Пиковая мощность, Вт (РДЧ)"
                 << "Время фиксации (текущие)" << "Время фиксации (РДЧ)" << "";
        // The simulated meter shows the first three items and has one route.
        captions << "Индикатор" << "" << "" << "" << "" << "Группа : " << "Адрес : " << "3";
        QCOMPARE(Captions(run.out), captions);
        QVERIFY2(!run.out[0].section('\t', 1).isEmpty(), qPrintable(run.out[0]));
        for (const char* line : {"\t", "Тип\tVelmar742.03", "Заводской номер\t104217", "Версия ПО\t2.5",
                 "Режим тарификации ДДМ\tавто", "1 тариф (текущие)\t1234.567", "2 тариф (РДЧ)\t541.500",
                 "8 тариф (РДЧ)\t0.000", "Пиковая мощность, Вт (РДЧ)\t3120", "Индикатор\t",
                 "\tСуммарное потребление", "\tДата", "Группа : \t1", "Адрес : \t17", "3\t200117"})
            QVERIFY2(run.out.contains(line), line);
    }

    // The message says why, in the tool's words as in the window's.
    void failsWhenThePortCannotBeOpened_data()
    {
        QTest::addColumn<Obstacle>("obstacle");
        QTest::addColumn<QStringList>("said");
        QTest::newRow("no such port") << Obstacle::Missing
                                      << QStringList{"Ошибка открытия порта /dev/nonexistent: порт не найден"};
        QTest::newRow("held by another program") << Obstacle::HeldOpen
                                                 << QStringList{"Ошибка открытия порта <port>: порт занят"};
        QTest::newRow("the user may not open it")
            << Obstacle::Forbidden
            << QStringList{"Ошибка открытия порта <port>: нет прав на доступ к порту",
                   "должен входить в группу dialout", "\nsudo usermod -aG dialout <user>\n"};
    }
    void failsWhenThePortCannotBeOpened()
    {
        QFETCH(Obstacle, obstacle);
        QFETCH(QStringList, said);
        PseudoTerminal line;
        const QString port = obstacle == Obstacle::Missing ? QStringLiteral("/dev/nonexistent") : line.SlavePath();
        QtSerialChannel holder(LineSettings::Meter());
        if (obstacle == Obstacle::HeldOpen) {
            holder.SetPortName(port);
            holder.Open();
        }
        CliRun run;
        QString user;
        {
            std::optional<ForbiddenPort> forbidden;
            if (obstacle == Obstacle::Forbidden && !forbidden.emplace(port).Ready())
                QSKIP("the system does not let this test take the rights to a port away");
            run = RunCli({"read", "--port", port});
            user = LoginName();
        }
        QVERIFY(run.exitCode > 0);
        QCOMPARE(run.out, QStringList{});
        for (QString text : said)
            QVERIFY2(run.err.contains(text.replace("<port>", port).replace("<user>", user)), qPrintable(run.err));
    }

    void failsWhenTheMeterDoesNotAnswer()
    {
        PseudoTerminal silentLine;
        QElapsedTimer timer;
        timer.start();
        const CliRun run = RunCli({"read", "--port", silentLine.SlavePath(), "--timeout", "200"});
        QVERIFY(run.exitCode > 0);
        QCOMPARE(run.out, QStringList{});
        // The sixth timeout in a row ends it.
        QCOMPARE(run.err.count("Timeout."), 6);
        QVERIFY(timer.elapsed() < 10000);
    }
};

QTEST_GUILESS_MAIN(TestReadCommand)
#include "tst_read_command.moc"
