#include "window/controls/password_edit.h"

#include "meter/access_password.h"

#include <QLineEdit>
#include <QValidator>

namespace {

class PasswordValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int&) const override { return IsValidPassword(input) ? Acceptable : Invalid; }
};

// Before the first change the hint has no blank after its last group; every
// rebuilt hint has one.
const QString InitialHint = QStringLiteral("00 00 00 00 00 00");

} // namespace

void MakePasswordEdit(QLineEdit* edit)
{
    edit->setMaxLength(PasswordLength);
    edit->setValidator(new PasswordValidator(edit));
    edit->setToolTip(InitialHint);
    QObject::connect(edit, &QLineEdit::textChanged, edit,
                     [edit](const QString& text) { edit->setToolTip(PasswordHint(text)); });
}
