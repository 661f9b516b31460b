#pragma once
// TAboutBox: the product, its version, how to reach the plant's service
// desk, and the workstation's physical memory.

#include "window/about/about_contacts.h"

#include <QDialog>

class QLabel;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    // The contacts file is looked for in the program's folder, the user
    // guide where the help command looks for it.
    TAboutBox(const QDir& startDir, const QDir& programDir, QWidget* parent = nullptr);

protected:
    // The memory lines are read anew at each showing.
    void showEvent(QShowEvent* event) override;

private:
    QWidget* CreateTitlePanel();
    QWidget* CreateContacts();
    QLabel* CreateProductPicture();
    void Label3Click();
    void Label6Click();

    const AboutContacts contacts_;
    QLabel* Label3;
    QLabel* Label6;
    QLabel* Label1;
    QLabel* Label2;
};
