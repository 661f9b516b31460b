#pragma once
// Tab "Параметры PLC": the meter's power-line group, address and
// retransmission routes as read, and the values to write.

class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QWidget;

struct TabPlc {
    QWidget* page;

    QLineEdit* EditGroup;
    QLineEdit* EditAddress;
    QSpinBox* SpinGroup;
    QSpinBox* SpinAddress;
    QPushButton* BtnWriteAddress;

    // Column 0 holds the route index; "Адрес" and "Номер" follow it.
    QTableWidget* ListRoute;
    QSpinBox* SpinRoute;
    QSpinBox* SpinAddrRep;
    QLineEdit* EditNumb;
    QPushButton* BtnWriteRoute;
    QPushButton* ButtonDelRoute;

    static TabPlc Create();
};
