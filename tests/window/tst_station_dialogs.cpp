// The status decoding dialog, the about box and the question about unsaved
// changes as the operator sees them.

#include "form_fixture.h"
#include "opened_urls.h"

#include "window/about/about_box.h"
#include "window/main/qt_dialogs.h"
#include "window/main/qt_translation.h"
#include "window/meter/form_status.h"
#include "meter/status_decoding.h"
#include "workstation/service_contacts.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

Q_DECLARE_METATYPE(QuestionAnswer)

namespace {

// The plant's contacts file in the program's folder.
void PlaceContacts(const QTemporaryDir& programDir, const QByteArray& text)
{
    QFile contacts(programDir.filePath(ServiceContactsFile::FileName));
    QVERIFY(contacts.open(QIODevice::WriteOnly));
    QCOMPARE(contacts.write(text), text.size());
}

} // namespace

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
        TAboutBox box(QDir::current(), QDir(QCoreApplication::applicationDirPath()));
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
        TAboutBox box(QDir::current(), QDir(QCoreApplication::applicationDirPath()));
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

    // The plant's service desk from the contacts file beside the program;
    // without it, the user guide and no telephone numbers.
    void aboutBoxShowsTheServiceDesk_data()
    {
        QTest::addColumn<QByteArray>("file");
        // Empty: the user guide.
        QTest::addColumn<QString>("web");
        QTest::addColumn<QUrl>("webOpened");
        QTest::addColumn<QString>("email");
        QTest::addColumn<QString>("phone1");
        QTest::addColumn<QString>("phone2");
        QTest::newRow("no contacts file") << QByteArray() << "" << QUrl() << "" << "" << "";
        QTest::newRow("contacts file")
            << QByteArray("web=https://service.plant.example\nemail=service@plant.example\n"
                          "phone1=+7 (812) 555-01-01\nphone2=+7 (812) 555-01-02\n")
            << "https://service.plant.example" << QUrl("https://service.plant.example") << "service@plant.example"
            << "+7 (812) 555-01-01" << "+7 (812) 555-01-02";
        QTest::newRow("web address without a scheme")
            << QByteArray("web=www.plant.example\nphone2=02\n") << "www.plant.example"
            << QUrl("http://www.plant.example") << "" << "" << "02";
        QTest::newRow("no web address in the file")
            << QByteArray("email=service@plant.example\n") << "" << QUrl() << "service@plant.example" << "" << "";
    }

    void aboutBoxShowsTheServiceDesk()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, web);
        QFETCH(QUrl, webOpened);
        QFETCH(QString, email);
        QFETCH(QString, phone1);
        QFETCH(QString, phone2);
        QTemporaryDir startDir;
        QTemporaryDir programDir;
        if (!file.isNull())
            PlaceContacts(programDir, file);
        const QString guide = programDir.filePath(QStringLiteral("Setting_Vm_742.html"));
        TAboutBox box{QDir(startDir.path()), QDir(programDir.path())};
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        SaveScreenshot(box, QStringLiteral("about_box_") + QString(QTest::currentDataTag()).replace(' ', '_'));

        auto* webLink = Find<QLabel>(box, "Label3");
        auto* emailLink = Find<QLabel>(box, "Label6");
        QCOMPARE(webLink->text(), web.isEmpty() ? QStringLiteral("Setting_Vm_742.html") : web);
        QCOMPARE(webLink->toolTip(), web.isEmpty() ? QDir::toNativeSeparators(guide) : web);
        QCOMPARE(emailLink->text(), email);
        QCOMPARE(Find<QLabel>(box, "Label8")->text(), phone1);
        QCOMPARE(Find<QLabel>(box, "Label9")->text(), phone2);

        OpenedUrls urls({QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("mailto"),
                         QStringLiteral("file")});
        QList<QUrl> opened{webOpened.isEmpty() ? QUrl::fromLocalFile(guide) : webOpened};
        if (!email.isEmpty())
            opened.append(QUrl(QStringLiteral("mailto:") + email));
        for (QLabel* link : {webLink, emailLink}) {
            QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
            QTest::mouseClick(link, Qt::LeftButton);
        }
        QCOMPARE(urls.urls, opened);
    }

    // A question with three answers as a real message box: each button
    // gives its own answer, and a box closed with Escape cancels, so that
    // nothing goes on that the operator did not agree to.
    void yesNoCancelQuestion_data()
    {
        QTest::addColumn<QString>("press");
        QTest::addColumn<QuestionAnswer>("answer");
        QTest::newRow("yes") << "yes" << QuestionAnswer::Yes;
        QTest::newRow("no") << "no" << QuestionAnswer::No;
        QTest::newRow("cancel") << "cancel" << QuestionAnswer::Cancel;
        QTest::newRow("escape") << "escape" << QuestionAnswer::Cancel;
    }
    void yesNoCancelQuestion()
    {
        QFETCH(QString, press);
        QFETCH(QuestionAnswer, answer);
        InstallQtTranslation(*QApplication::instance());
        QtDialogs dialogs;
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown << box->windowTitle() << box->text();
            for (QAbstractButton* button : box->buttons())
                shown << button->text();
            SaveScreenshot(*box, QStringLiteral("save_changes_question"));
            const QMap<QString, QMessageBox::StandardButton> buttons{
                {"yes", QMessageBox::Yes}, {"no", QMessageBox::No}, {"cancel", QMessageBox::Cancel}};
            if (press == "escape")
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(buttons[press])->click();
        });
        QCOMPARE(dialogs.AskYesNoCancel(QStringLiteral("Внимание"), QStringLiteral("Сохранить изменения в файле?")),
                 answer);
        QCOMPARE(shown.mid(0, 2), (QStringList{"Внимание", "Сохранить изменения в файле?"}));
        QCOMPARE(shown.size(), 5);
    }

    // Contacts too long for the box are cut at its edge; the tooltips keep
    // the whole of them.
    void aboutBoxLongContactsInTooltips()
    {
        const QString web = QStringLiteral("https://service.plant.example/the/service/desk/of/the/plant.html");
        const QString phone = QStringLiteral("+7 (812) 555-01-01, +7 (812) 555-01-02, +7 (812) 555-01-03");
        QTemporaryDir programDir;
        PlaceContacts(programDir, ("web=" + web + "\nphone1=" + phone + "\n").toUtf8());
        TAboutBox box{QDir(programDir.path()), QDir(programDir.path())};
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        SaveScreenshot(box, QStringLiteral("about_box_long_contacts"));
        QCOMPARE(Find<QLabel>(box, "Label3")->toolTip(), web);
        QCOMPARE(Find<QLabel>(box, "Label8")->toolTip(), phone);
    }
};

QTEST_MAIN(TestStationDialogs)
#include "tst_station_dialogs.moc"
