#include "window/meter/form_status.h"

#include "meter/status_decoding.h"
#include "window/controls/named.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int MemoHeight = 100;

} // namespace

TFormStatus::TFormStatus(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FormStatus"));
    setWindowTitle(QStringLiteral("Расшифровка статуса"));
    setFixedSize(345, 140);

    SpinEdit1 = Named(new QSpinBox, "SpinEdit1");
    SpinEdit1->setRange(0, 255);
    Memo1 = Named(new QPlainTextEdit, "Memo1");
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setFixedHeight(MemoHeight);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(8, 0, 8, 0);
    top->addWidget(Named(new QLabel(QStringLiteral("Статус: ")), "Label1"));
    top->addWidget(SpinEdit1);
    top->addStretch();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(top, 1);
    column->addWidget(Memo1);

    connect(SpinEdit1, &QSpinBox::valueChanged, this, &TFormStatus::DecodeStatus);
    DecodeStatus();
}

void TFormStatus::DecodeStatus()
{
    Memo1->setPlainText(::DecodeStatus(SpinEdit1->value()).join(QLatin1Char('\n')));
}

QString TFormStatus::ShowStatus(int status)
{
    SpinEdit1->setValue(status);
    DecodeStatus();
    const QString lines = Memo1->toPlainText();
    return lines.isEmpty() ? lines : lines + QLatin1Char('\n');
}
