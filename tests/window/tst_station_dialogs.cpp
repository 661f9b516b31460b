// The status decoding dialog and the about box as the operator sees them.

#include "form_fixture.h"
#include "opened_urls.h"

#include "window/about/about_box.h"
#include "window/about/about_contacts.h"
#include "window/meter/form_status.h"
#include "meter/status_decoding.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QUrl>

class TestStationDialogs : public QObject {
    Q_OBJECT

private slots:
    void statusLinesFollowTheValue_data()
    {
        QTest::addColumn<int>("status");
        QTest::newRow("power off") << 255;
        QTest::newRow("three faults") << 224;
        QTest::newRow("no consumption line") << 35;
    }

    void statusLinesFollowTheValue()
    {
        QFETCH(int, status);
        TFormStatus dialog;
        auto* memo = Find<QPlainTextEdit>(dialog, "Memo1");
        // Shown from the start, before any value is typed.
        QCOMPARE(memo->toPlainText(), QStringLiteral("Потребление в норме."));
        Find<QSpinBox>(dialog, "SpinEdit1")->setValue(status);
        QCOMPARE(memo->toPlainText(), DecodeStatus(status).join('\n'));
        QVERIFY(memo->isReadOnly());
    }

    void statusDialogLooks()
    {
        TFormStatus dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Расшифровка статуса"));
        QCOMPARE(dialog.size(), QSize(345, 140));
        QCOMPARE(Find<QLabel>(dialog, "Label1")->text(), QStringLiteral("Статус: "));
        auto* spin = Find<QSpinBox>(dialog, "SpinEdit1");
        QCOMPARE(spin->minimum(), 0);
        QCOMPARE(spin->maximum(), 255);
        spin->setValue(224);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        SaveScreenshot(dialog, QStringLiteral("form_status"));
    }

    void aboutBoxShowsMemoryAtEachShowing()
    {
        TAboutBox box;
        auto* total = Find<QLabel>(box, "Label1");
        auto* available = Find<QLabel>(box, "Label2");
        QVERIFY(total->text().isEmpty());
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QVERIFY(total->text().startsWith(QStringLiteral("Всего физической памяти: ")));
        QVERIFY(total->text().endsWith(QStringLiteral(" KB")));
        QVERIFY(available->text().startsWith(QStringLiteral("Доступно физической памяти: ")));
        SaveScreenshot(box, QStringLiteral("about_box"));

        box.hide();
        available->clear();
        box.show();
        QVERIFY(!available->text().isEmpty());
    }

    void aboutBoxLooks()
    {
        TAboutBox box;
        QCOMPARE(box.windowTitle(), QStringLiteral("О программе"));
        QCOMPARE(box.size(), QSize(394, 281));
        QCOMPARE(Find<QLabel>(box, "ProductName")->text(), QStringLiteral("8-тарифный 1-фазный эл. счетчик"));
        QCOMPARE(Find<QLabel>(box, "Label11")->text(), QStringLiteral("Программирование Velmar 742, 341"));
        QCOMPARE(Find<QLabel>(box, "Version")->text(), QStringLiteral("Версия 1.4"));
        QVERIFY(!Find<QLabel>(box, "Image1")->pixmap().isNull());
        QVERIFY(!Find<QLabel>(box, "Image2")->pixmap().isNull());
        auto* ok = Find<QPushButton>(box, "OKButton");
        QVERIFY(ok->isDefault());
        QSignalSpy accepted(&box, &QDialog::accepted);
        ok->click();
        QCOMPARE(accepted.count(), 1);
    }

    void aboutBoxLinksOpen_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QUrl>("opened");
        QTest::newRow("web page") << "Label3" << QUrl(AboutContacts::Web);
        QTest::newRow("e-mail") << "Label6" << QUrl(QStringLiteral("mailto:") + AboutContacts::Email);
    }

    void aboutBoxLinksOpen()
    {
        QFETCH(QString, label);
        QFETCH(QUrl, opened);
        TAboutBox box;
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        OpenedUrls urls({QStringLiteral("https"), QStringLiteral("mailto")});
        auto* link = box.findChild<QLabel*>(label);
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(urls.urls, QList<QUrl>{opened});
    }
};

QTEST_MAIN(TestStationDialogs)
#include "tst_station_dialogs.moc"
