#include "window/schedule/tariff_group.h"

#include "schedule/tariff_colors.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>

namespace {

// Below this grey level a colour takes white letters: black ones would
// vanish on teal or on a dark colour of the operator's choice.
constexpr int DarkGrey = 128;

QRadioButton* TariffButton(int tariff, const char* prefix)
{
    auto* button = new QRadioButton(QString::number(tariff));
    button->setObjectName(QLatin1String(prefix) + QString::number(tariff));
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    button->setBackgroundRole(QPalette::Window);
    button->setAutoFillBackground(true);
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    return button;
}

} // namespace

QColor ShownColor(quint32 windowsColor)
{
    return QColor(int(windowsColor & 0xFF), int((windowsColor >> 8) & 0xFF), int((windowsColor >> 16) & 0xFF));
}

TariffGroup::TariffGroup(const QString& caption, QWidget* lead, const char* buttonPrefix, QWidget* parent)
    : QGroupBox(caption, parent)
    , buttons_(new QButtonGroup(this))
{
    auto* row = new QHBoxLayout(this);
    // Tight, so that the zone list beside the groups keeps room for its
    // captions in the main window.
    row->setSpacing(3);
    row->addWidget(lead);
    for (int tariff = 1; tariff <= TariffCount; ++tariff) {
        QRadioButton* button = TariffButton(tariff, buttonPrefix);
        buttons_->addButton(button, tariff);
        row->addWidget(button);
        connect(button, &QWidget::customContextMenuRequested, this, [this, tariff] { emit ContextPopup(tariff); });
    }
    row->addStretch();
    buttons_->button(1)->setChecked(true);
    connect(buttons_, &QButtonGroup::idClicked, this, &TariffGroup::Clicked);
}

int TariffGroup::Checked() const
{
    const int tariff = buttons_->checkedId();
    return tariff > 0 ? tariff : 1;
}

void TariffGroup::Check(int tariff)
{
    if (QAbstractButton* button = buttons_->button(tariff))
        button->setChecked(true);
}

void TariffGroup::ShowColors(const TariffColors& colors)
{
    for (int tariff = 1; tariff <= TariffCount; ++tariff) {
        QAbstractButton* button = buttons_->button(tariff);
        const QColor fill = ShownColor(colors.Color(tariff));
        QPalette palette = button->palette();
        palette.setColor(QPalette::Window, fill);
        palette.setColor(QPalette::WindowText, qGray(fill.rgb()) < DarkGrey ? Qt::white : Qt::black);
        button->setPalette(palette);
    }
}
