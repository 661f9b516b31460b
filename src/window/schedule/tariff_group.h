#pragma once
// A group of the day editor that picks a tariff: a leading field (the
// zone's time or its power limit), then one radio button per tariff,
// captioned with its number in bold on the tariff's colour. A right click
// on a button asks for that tariff's colour.

#include <QColor>
#include <QGroupBox>

class QButtonGroup;
class TariffColors;

// A Windows colour value (blue x 65536 + green x 256 + red) as Qt draws it.
QColor ShownColor(quint32 windowsColor);

class TariffGroup : public QGroupBox {
    Q_OBJECT
public:
    // The buttons are named `buttonPrefix` followed by their tariff number.
    TariffGroup(const QString& caption, QWidget* lead, const char* buttonPrefix, QWidget* parent = nullptr);

    // The tariff of the checked button, 1 when none is checked.
    int Checked() const;
    // A number outside 1..8 checks nothing new.
    void Check(int tariff);
    void ShowColors(const TariffColors& colors);

signals:
    // The operator clicked the button of the tariff.
    void Clicked(int tariff);
    void ContextPopup(int tariff);

private:
    QButtonGroup* buttons_;
};
