#include "window/main/qt_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtDialogs::ShowMessage(MessageIcon icon, const QString& caption, const QString& text)
{
    QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::Ok, owner_);
    box.exec();
}

QString QtDialogs::AskSaveFile(const QString& filter, const QString& defaultSuffix)
{
    QFileDialog dialog(owner_, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString QtDialogs::AskOpenFile(const QString& filter)
{
    QFileDialog dialog(owner_, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

bool QtDialogs::AskYesNo(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, owner_);
    return box.exec() == QMessageBox::Yes;
}

QuestionAnswer QtDialogs::AskYesNoCancel(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                    owner_);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return QuestionAnswer::Yes;
    case QMessageBox::No:
        return QuestionAnswer::No;
    default:
        return QuestionAnswer::Cancel;
    }
}

std::optional<quint32> QtDialogs::AskColor(quint32 initial)
{
    const QColor start(int(initial & 0xFF), int((initial >> 8) & 0xFF), int((initial >> 16) & 0xFF));
    QColorDialog dialog(start, owner_);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QColor chosen = dialog.selectedColor();
    return quint32(chosen.red()) | quint32(chosen.green()) << 8 | quint32(chosen.blue()) << 16;
}
