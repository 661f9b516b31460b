#include "box_closer.h"

#include <QApplication>
#include <QDialog>

namespace {

constexpr int LookMs = 20;
constexpr int ShortestReadMs = 50;
constexpr int LongestReadMs = 500;

} // namespace

BoxCloser::BoxCloser(RandomMix& random, QObject* parent)
    : QObject(parent), random_(random)
{
    look_.setInterval(LookMs);
    connect(&look_, &QTimer::timeout, this, &BoxCloser::Look);
    look_.start();
}

bool BoxCloser::BoxOpen()
{
    return QApplication::activeModalWidget() != nullptr;
}

void BoxCloser::Look()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (modal != box_) {
        box_ = modal;
        openFor_.start();
        readMs_ = random_.Int(ShortestReadMs, LongestReadMs);
        return;
    }
    if (openFor_.elapsed() < readMs_)
        return;
    // Escape, as for the box's only button or "No" to a question.
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
    ++closed_;
}
