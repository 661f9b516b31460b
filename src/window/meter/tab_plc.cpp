#include "window/meter/tab_plc.h"

#include "meter/plc_parameters.h"
#include "window/controls/edit_caption.h"
#include "window/controls/fit_on_font_change.h"
#include "window/controls/named.h"
#include "window/controls/read_only_view.h"
#include "window/controls/tab_controls.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int LargestByte = 255;
constexpr int ShownWidth = 60;

struct Column {
    const char* header;
    int width;
};

QPushButton* Button(const char* name, const QString& caption)
{
    return Named(new QPushButton(caption), name);
}

QLineEdit* ShownValue(const char* name)
{
    auto* edit = Named(new QLineEdit, name);
    edit->setReadOnly(true);
    edit->setFixedWidth(ShownWidth);
    return edit;
}

QGroupBox* AddressGroup(TabPlc& tab)
{
    tab.EditGroup = ShownValue("EditGroup");
    tab.EditAddress = ShownValue("EditAddress");
    tab.SpinGroup = RangedSpin("SpinGroup", 0, LargestByte);
    tab.SpinAddress = RangedSpin("SpinAddress", 0, LargestByte);
    tab.BtnWriteAddress = Button("BtnWriteAddress", QStringLiteral("Записать"));

    auto* shown = new QFormLayout;
    shown->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    shown->addRow(AttachCaption(tab.EditGroup, QStringLiteral("Группа : ")), tab.EditGroup);
    shown->addRow(AttachCaption(tab.EditAddress, QStringLiteral("Адрес : ")), tab.EditAddress);
    auto* row = new QHBoxLayout;
    row->addLayout(shown);
    row->addSpacing(20);
    row->addLayout(CaptionedRows({{QStringLiteral("Группа:"), tab.SpinGroup},
                                  {QStringLiteral("Адрес:"), tab.SpinAddress}}));
    row->addSpacing(20);
    row->addWidget(tab.BtnWriteAddress, 0, Qt::AlignBottom);
    row->addStretch(1);
    return TitledGroup(QStringLiteral(" Группа и адрес "), row);
}

// Four fixed rows, one per route; as wide and tall as its columns and rows.
QTableWidget* RouteList()
{
    const QList<Column> columns{{"№", 25}, {"Адрес", 50}, {"Номер", 100}};
    auto* list = Named(new QTableWidget(PlcParameters::Routes, int(columns.size())), "ListRoute");
    MakeReadOnly(list);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->verticalHeader()->hide();
    list->horizontalHeader()->setSectionsClickable(false);
    list->horizontalHeader()->setHighlightSections(false);
    list->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The index column is narrower than the style's least section.
    list->horizontalHeader()->setMinimumSectionSize(1);
    for (int c = 0; c < columns.size(); ++c) {
        list->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromUtf8(columns[c].header)));
        list->setColumnWidth(c, columns[c].width);
    }
    for (int route = 0; route < PlcParameters::Routes; ++route) {
        for (int c = 0; c < columns.size(); ++c) {
            auto* item = new QTableWidgetItem(c == 0 ? QString::number(route) : QString());
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            list->setItem(route, c, item);
        }
    }
    new FitOnFontChange(list, [list] {
        list->resizeRowsToContents();
        int height = list->horizontalHeader()->sizeHint().height() + 2 * list->frameWidth();
        for (int row = 0; row < list->rowCount(); ++row)
            height += list->rowHeight(row);
        list->setFixedSize(list->horizontalHeader()->length() + 2 * list->frameWidth(), height);
    });
    return list;
}

QGroupBox* RouteGroup(TabPlc& tab)
{
    tab.ListRoute = RouteList();
    tab.SpinRoute = RangedSpin("SpinRoute", 0, PlcParameters::Routes - 1);
    tab.SpinAddrRep = RangedSpin("SpinAddrRep", 0, LargestByte);
    tab.EditNumb = Named(new QLineEdit, "EditNumb");
    tab.BtnWriteRoute = Button("BtnWriteRoute", QStringLiteral("Записать"));
    tab.ButtonDelRoute = Button("ButtonDelRoute", QStringLiteral("Удалить"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(tab.BtnWriteRoute);
    buttons->addWidget(tab.ButtonDelRoute);
    auto* edits = new QVBoxLayout;
    edits->addLayout(CaptionedRows({{QStringLiteral("Маршрут:"), tab.SpinRoute},
                                    {QStringLiteral("Адрес ретранслятора:"), tab.SpinAddrRep},
                                    {QStringLiteral("Номер для записи:"), tab.EditNumb}}));
    edits->addLayout(buttons);
    edits->addStretch();

    auto* row = new QHBoxLayout;
    row->addWidget(tab.ListRoute, 0, Qt::AlignTop);
    row->addSpacing(20);
    row->addLayout(edits);
    row->addStretch(1);
    return TitledGroup(QStringLiteral(" Маршруты ретрансляции "), row);
}

} // namespace

TabPlc TabPlc::Create()
{
    TabPlc tab{};
    tab.page = NamedPage("TabPlc");
    auto* column = new QVBoxLayout(tab.page);
    column->setContentsMargins(3, 3, 3, 3);
    column->addWidget(AddressGroup(tab));
    column->addWidget(RouteGroup(tab));
    column->addStretch(1);
    return tab;
}
