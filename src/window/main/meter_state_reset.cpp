#include "window/main/meter_state_reset.h"

#include "link/meter_link.h"
#include "window/main/page_control.h"

#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>

namespace {
constexpr int SettingPageIndex = 1;
}

// Runs after the readings have forgotten the meter, so the number field is
// as the reset left it.
void BindMeterStateReset(MeterLink& link, const MainPages& pages)
{
    QObject::connect(&link, &MeterLink::MeterStateReset, pages.PageControl1, [pages] {
        pages.about.EditDelta->clear();
        QSpinBox* number = pages.setting.SpinEdit_Number;
        if (pages.PageControl1->currentIndex() == SettingPageIndex && number->isEnabled())
            number->setFocus();
    });
}
