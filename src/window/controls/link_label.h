#pragma once
// A label that works as a link: blue, with a hand cursor, clicked with the
// mouse.

#include <QLabel>

class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void Clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
