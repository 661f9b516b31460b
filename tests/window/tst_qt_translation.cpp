// Qt's own dialogs speak Russian once the station has loaded Qt's
// catalogue, whatever the workstation's language: the buttons of a real
// question, the colour and the file dialogs.

#include "window/main/qt_translation.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>
#include <memory>

namespace {

enum class QtDialog { Color, File };

std::unique_ptr<QDialog> Make(QtDialog kind)
{
    if (kind == QtDialog::Color) {
        auto dialog = std::make_unique<QColorDialog>();
        dialog->setOption(QColorDialog::DontUseNativeDialog);
        return dialog;
    }
    auto dialog = std::make_unique<QFileDialog>();
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    return dialog;
}

QStringList LabelTexts(const QWidget& widget)
{
    QStringList texts;
    for (const QLabel* label : widget.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

} // namespace

Q_DECLARE_METATYPE(QtDialog)

class TestQtTranslation : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Whatever the locale the test runs in.
        QVERIFY(InstallQtTranslation(*qApp));
    }

    void questionButtons_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("yes") << QMessageBox::Yes << "Да";
        QTest::newRow("no") << QMessageBox::No << "Нет";
        QTest::newRow("cancel") << QMessageBox::Cancel << "Отмена";
    }
    void questionButtons()
    {
        QFETCH(QMessageBox::StandardButton, button);
        QFETCH(QString, text);
        QMessageBox question(QMessageBox::Question, QStringLiteral("Вопрос"),
                             QStringLiteral("Сохранить изменения в файле?"),
                             QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        question.show();
        QVERIFY(QTest::qWaitForWindowExposed(&question));
        QCOMPARE(question.button(button)->text().remove(QLatin1Char('&')), text);
    }

    void dialogTexts_data()
    {
        QTest::addColumn<QtDialog>("dialog");
        QTest::addColumn<QString>("label");
        QTest::newRow("colour") << QtDialog::Color << "&Основные цвета";
        QTest::newRow("file") << QtDialog::File << "&Имя файла:";
    }
    void dialogTexts()
    {
        QFETCH(QtDialog, dialog);
        QFETCH(QString, label);
        const std::unique_ptr<QDialog> shown = Make(dialog);
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
        const QStringList texts = LabelTexts(*shown);
        QVERIFY2(texts.contains(label), qPrintable(texts.join(QLatin1String(" | "))));
    }
};

QTEST_MAIN(TestQtTranslation)
#include "tst_qt_translation.moc"
