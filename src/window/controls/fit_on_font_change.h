#pragma once
// Sizes a control to its content now and again whenever its font changes,
// as it does when it joins the window.

#include <QEvent>
#include <QObject>
#include <QWidget>
#include <functional>

class FitOnFontChange : public QObject {
public:
    FitOnFontChange(QWidget* widget, std::function<void()> fit) : QObject(widget), fit_(std::move(fit))
    {
        widget->installEventFilter(this);
        fit_();
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FontChange)
            fit_();
        return false;
    }

private:
    std::function<void()> fit_;
};
