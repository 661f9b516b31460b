#pragma once
// The operator in front of the window's real message boxes: each modal box
// that opens is closed again after a while of its own, as a person reads it
// and presses its button.

#include "random_mix.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class BoxCloser : public QObject {
    Q_OBJECT
public:
    explicit BoxCloser(RandomMix& random, QObject* parent = nullptr);

    // A modal box is open.
    static bool BoxOpen();
    int Closed() const { return closed_; }

private:
    void Look();

    RandomMix& random_;
    QTimer look_;
    QPointer<QWidget> box_;
    QElapsedTimer openFor_;
    int readMs_ = 0;
    int closed_ = 0;
};
