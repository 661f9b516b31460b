#include "window/controls/picker_sections.h"

#include <QDateTimeEdit>
#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

// Watches the picker's text field: the clicks land there, not on the
// picker itself.
class SectionClick : public QObject {
public:
    explicit SectionClick(QDateTimeEdit* picker) : QObject(picker), picker_(picker) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // The press has placed the cursor in the section by now; text the
        // operator has dragged over stays selected.
        if (event->type() == QEvent::MouseButtonRelease
            && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton
            && !static_cast<QLineEdit*>(watched)->hasSelectedText())
            picker_->setSelectedSection(picker_->currentSection());
        return false;
    }

private:
    QDateTimeEdit* picker_;
};

} // namespace

void SelectSectionOnClick(QDateTimeEdit* picker)
{
    picker->findChild<QLineEdit*>()->installEventFilter(new SectionClick(picker));
}
