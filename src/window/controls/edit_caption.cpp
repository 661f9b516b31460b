#include "window/controls/edit_caption.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

class CaptionFollower : public QObject {
public:
    CaptionFollower(QLineEdit* edit, QLabel* label) : QObject(edit), label_(label) { edit->installEventFilter(this); }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::ShowToParent)
            label_->show();
        else if (event->type() == QEvent::HideToParent)
            label_->hide();
        return false;
    }

private:
    QLabel* label_;
};

} // namespace

QLabel* AttachCaption(QLineEdit* edit, const QString& caption)
{
    auto* label = new QLabel(caption);
    label->setObjectName(edit->objectName() + QStringLiteral("Label"));
    label->setBuddy(edit);
    new CaptionFollower(edit, label);
    return label;
}
