// A session with the simulated meter, as an operator sees it: connect,
// watch the tab "О счетчике" fill, disconnect; what the window shows of
// the link's failures and results; the keyboard's way past what is only
// read.

#include "form_fixture.h"

#include "window/main/indicator_shape.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTextBlock>

namespace {

// Cells whose text does not fit: values must fit their one line, captions
// may wrap within their row.
QStringList ClippedCells(QTableWidget* list)
{
    const QFontMetrics metrics = list->fontMetrics();
    const int padding = 6;
    QStringList clipped;
    for (int row = 0; row < list->rowCount(); ++row) {
        for (int column = 0; column < list->columnCount(); ++column) {
            const QString text = list->item(row, column)->text();
            const QRect room(0, 0, list->columnWidth(column) - padding, list->rowHeight(row));
            const QRect needed = metrics.boundingRect(room, column == 0 ? Qt::TextWordWrap : 0, text);
            if (needed.width() > room.width() || needed.height() > room.height())
                clipped << text;
        }
    }
    return clipped;
}

// Brings forward every page the widget lies on.
void ShowPagesOf(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (auto* pages = qobject_cast<QStackedWidget*>(w->parentWidget()))
            pages->setCurrentWidget(w);
    }
}

} // namespace

class TestFormMainSession : public QObject {
    Q_OBJECT

private slots:
    void pollsTheSimulatedMeter()
    {
        FormFixture fixture;
        fixture.offerSimulator = true;
        auto form = fixture.Open();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* combo = Find<QComboBox>(*form, "ComboPort");
        QCOMPARE(combo->currentText(), QStringLiteral("Имитатор счетчика"));

        Find<QAction>(*form, "ActionConnect")->trigger();
        QVERIFY(Find<QAction>(*form, "ActionDisconnect")->isEnabled());
        QVERIFY(!Find<QAction>(*form, "ActionConnect")->isEnabled());
        QVERIFY(!combo->isEnabled());
        QVERIFY(!Find<QMenu>(*form, "NPort")->menuAction()->isEnabled());

        auto* main = Find<QTableWidget>(*form, "ListMain");
        auto* addi = Find<QTableWidget>(*form, "ListAddi");
        // Row 15 comes with the last step of the cycle: everything is read then.
        QTRY_COMPARE_WITH_TIMEOUT(main->item(15, 1)->text(), QStringLiteral("авто"), 10000);
        QCOMPARE(main->item(0, 1)->text(), QStringLiteral("Velmar742.03"));
        QCOMPARE(main->item(1, 1)->text(), QStringLiteral("104217"));
        QCOMPARE(main->item(2, 1)->text(), QStringLiteral("2.5"));
        QVERIFY(!main->item(4, 1)->text().isEmpty());
        QCOMPARE(main->item(6, 1)->text(), QStringLiteral("Ok"));
        QCOMPARE(main->item(14, 1)->text(), QStringLiteral("5123"));
        QCOMPARE(addi->item(1, 1)->text(), QStringLiteral("3"));
        QCOMPARE(addi->item(4, 1)->text(), QStringLiteral("480"));
        QVERIFY(addi->item(6, 1)->text().startsWith(QStringLiteral("1234")));
        QVERIFY(addi->item(6, 2)->text().startsWith(QStringLiteral("1180")));
        auto* indicator = Find<QListWidget>(*form, "CheckListIndi");
        QCOMPARE(indicator->item(0)->checkState(), Qt::Checked);
        QCOMPARE(indicator->item(3)->checkState(), Qt::Unchecked);
        QVERIFY(Find<QLabel>(*form, "StatusPanel0")->text().toInt() > 0);
        QVERIFY(!Find<QLabel>(*form, "StatusPanel1")->text().isEmpty());
        QVERIFY(Find<QAction>(*form, "ActionSetting")->isEnabled());
        QCOMPARE(ClippedCells(main), QStringList{});
        QCOMPARE(ClippedCells(addi), QStringList{});
        SaveScreenshot(*form, QStringLiteral("form_main_about_tab"));

        Find<QAction>(*form, "ActionDisconnect")->trigger();
        QVERIFY(Find<QAction>(*form, "ActionConnect")->isEnabled());
        QVERIFY(!Find<QAction>(*form, "ActionSetting")->isEnabled());
        QVERIFY(combo->isEnabled());
        QVERIFY(fixture.dialogs.messages.isEmpty());
    }

    // A schedule read takes the meter commands until it is over; "Записать"
    // counts among them, yet the meter's next answer brings it back.
    void meterCommandsDuringTheScheduleRead()
    {
        FormFixture fixture;
        fixture.offerSimulator = true;
        auto form = fixture.Open();
        auto* write = Find<QAction>(*form, "ActionSetting");
        auto* read = Find<QAction>(*form, "ActionReadSched");
        auto* journal = Find<QPushButton>(*form, "BtnReadDiary");
        Find<QAction>(*form, "ActionConnect")->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(write->isEnabled() && read->isEnabled(), 10000);
        QVERIFY(journal->isEnabled());

        read->trigger();
        QVERIFY(!write->isEnabled());
        QVERIFY(!read->isEnabled());
        QVERIFY(!journal->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(write->isEnabled(), 5000);
        QVERIFY(!read->isEnabled());
        QVERIFY(!journal->isEnabled());

        Find<QAction>(*form, "ActionDisconnect")->trigger();
        QVERIFY(!write->isEnabled());
        QVERIFY(!read->isEnabled());
        QVERIFY(!journal->isEnabled());
    }

    // The production line's window: the scanner on the connection panel
    // beside the simulated meter's entry, the drift field, fewer tabs.
    void productionWindowFits()
    {
        FormFixture fixture;
        fixture.offerSimulator = true;
        fixture.CreateFile(QStringLiteral("SettingSql.vlm"));
        auto form = fixture.Open();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* panel = Find<QWidget>(*form, "PanelConnect");
        QVERIFY(panel->childrenRect().right() <= panel->contentsRect().right());
        QVERIFY(Find<QWidget>(*form, "CheckScaner")->isVisible());
        SaveScreenshot(*form, QStringLiteral("form_main_production"));
    }

    // The result shows in its colour, and goes out once its time is over.
    void resultIndicator_data()
    {
        QTest::addColumn<ResultIndicator>("indicator");
        QTest::addColumn<QColor>("color");
        QTest::newRow("written") << ResultIndicator::Green << QColor(0, 255, 0);
        QTest::newRow("failed") << ResultIndicator::Red << QColor(255, 0, 0);
    }

    void resultIndicator()
    {
        QFETCH(ResultIndicator, indicator);
        QFETCH(QColor, color);
        FormFixture fixture;
        auto form = fixture.Open();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        auto* shape = Find<IndicatorShape>(*form, "Shape1");
        QVERIFY(!shape->isVisible());

        form->Link().ShowIndicator(indicator);
        QTRY_VERIFY(shape->isVisible());
        QCOMPARE(shape->grab().toImage().pixelColor(shape->rect().center()), color);
        QTRY_VERIFY_WITH_TIMEOUT(!shape->isVisible(), 3000);
    }

    // Tab moves on from a list or text the operator only reads, not from
    // cell to cell: the two lists of "О счетчике" take one press each.
    void tabLeavesReadOnlyViews_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("next");

        QTest::newRow("ListMain") << "ListMain" << "ListAddi";
        QTest::newRow("ListAddi") << "ListAddi" << "";
        QTest::newRow("ListRoute") << "ListRoute" << "";
        QTest::newRow("ListViewDays") << "ListViewDays" << "";
        QTest::newRow("ListCel") << "ListCel" << "";
        QTest::newRow("ListTransfer") << "ListTransfer" << "";
        QTest::newRow("MemoDb") << "MemoDb" << "";
        QTest::newRow("Memo_Terminal") << "Memo_Terminal" << "";
    }

    void tabLeavesReadOnlyViews()
    {
        QFETCH(QString, view);
        QFETCH(QString, next);

        FormFixture fixture;
        auto form = fixture.Open();
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        auto* control = Find<QWidget>(*form, qPrintable(view));
        ShowPagesOf(control);
        control->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(control->hasFocus());

        QTest::keyClick(control, Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        QVERIFY2(focus != control && !control->isAncestorOf(focus), qPrintable(focus->objectName()));
        if (!next.isEmpty())
            QCOMPARE(focus->objectName(), next);
    }

    // The response timeout moves in steps of 100 ms by the arrows only, and
    // the link waits that long for an answer.
    void timeoutStepsByArrowsOnly()
    {
        FormFixture fixture;
        auto form = fixture.Open();
        auto* spin = Find<QSpinBox>(*form, "SpinTimer");
        QCOMPARE(spin->value(), 500);
        QCOMPARE(form->Link().ResponseTimeoutMs(), 500);

        QTest::keyClicks(spin, QStringLiteral("9"));
        QCOMPARE(spin->value(), 500);
        QTest::keyClick(spin, Qt::Key_Up);
        QCOMPARE(spin->value(), 600);
        QCOMPARE(form->Link().ResponseTimeoutMs(), 600);
        spin->setValue(100);
        QCOMPARE(spin->value(), 200);
        spin->setValue(20000);
        QCOMPARE(form->Link().ResponseTimeoutMs(), 10000);
    }

    // The protocol tab keeps as many lines as the link does, the newest.
    void protocolKeepsTheNewestLines()
    {
        FormFixture fixture;
        auto form = fixture.Open();
        auto* memo = Find<QPlainTextEdit>(*form, "Memo_Terminal");
        auto* terminal = Find<QCheckBox>(*form, "CheckBox_Terminal");
        ProtocolView& protocol = form->Link().Protocol();

        terminal->setChecked(false);
        protocol.Append(QStringLiteral("unseen"));
        QVERIFY(memo->toPlainText().isEmpty());

        terminal->setChecked(true);
        for (int line = 0; line < ProtocolView::MaxLines + 5; ++line)
            protocol.Append(QString::number(line));
        QCOMPARE(memo->blockCount(), ProtocolView::MaxLines);
        QCOMPARE(memo->document()->firstBlock().text(), QStringLiteral("5"));
        QCOMPARE(memo->document()->lastBlock().text(), QString::number(ProtocolView::MaxLines + 4));

        protocol.Clear();
        QVERIFY(memo->toPlainText().isEmpty());
    }
};

QTEST_MAIN(TestFormMainSession)
#include "tst_form_main_session.moc"
