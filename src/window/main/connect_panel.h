#pragma once
// PanelConnect, under the tool bar: the meter port, the response timeout,
// the access password and the scanner's port.

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QSpinBox;
class QWidget;

struct ConnectPanel {
    QFrame* PanelConnect;
    QComboBox* ComboPort;
    QSpinBox* SpinTimer;
    QLineEdit* LabeledPass2;
    QWidget* PanelScaner;
    QComboBox* ComboScaner;
    QCheckBox* CheckScaner;

    static ConnectPanel Create();
};
