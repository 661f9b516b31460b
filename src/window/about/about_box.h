#pragma once
// TAboutBox: the product, its version, how to reach us, and the
// workstation's physical memory.

#include <QDialog>

class QLabel;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

protected:
    // The memory lines are read anew at each showing.
    void showEvent(QShowEvent* event) override;

private:
    QWidget* CreateTitlePanel();
    QWidget* CreateContacts();
    QLabel* CreateProductPicture();
    void Label3Click();
    void Label6Click();

    QLabel* Label3;
    QLabel* Label6;
    QLabel* Label1;
    QLabel* Label2;
};
