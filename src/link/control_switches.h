#pragma once
// Named on/off states of the window's controls (enabled or visible), kept
// in the core so the link can switch commands without knowing any widget;
// the window binds each control by its object name.

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

class ControlSwitches : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void Set(const QString& name, bool on);
    // Controls never switched count as off.
    bool On(const QString& name) const { return states_.value(name, false); }
    // Every control switched so far.
    QStringList Names() const { return states_.keys(); }

signals:
    void Changed(const QString& name, bool on);

private:
    QHash<QString, bool> states_;
};
