#include "window/main/qt_dialogs.h"

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
