#include "window/schedule/day_panel.h"

#include "schedule/schedule_model.h"
#include "schedule/tariff_colors.h"
#include "schedule/zone_rules.h"
#include "workstation/dialogs.h"
#include "window/controls/grid_lines_delegate.h"
#include "window/controls/lower_bound_spin.h"
#include "window/controls/named.h"
#include "window/controls/picker_sections.h"
#include "window/controls/read_only_view.h"
#include "window/schedule/day_panel_buttons.h"
#include "window/schedule/tariff_group.h"
#include "window/schedule/zone_list_columns.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QSlider>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTimeEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int BarHeight = 24;
constexpr int BarMargin = 6;
constexpr int BarFrameHeight = 2;
constexpr int TicksEveryHour = 60;
constexpr int TrackPageStep = 5;
constexpr int LargestLimit = 255;
constexpr int StatusPanelWidth = 50;

const QColor BarGrey(128, 128, 128);
const QColor ListBackground(255, 255, 225);

int MinuteOfDay(QTime time)
{
    return time.hour() * 60 + time.minute();
}

enum Column { TimeColumn, TariffColumn, LimitColumn, LimitTariffColumn };

QStringList RowTexts(const TZone& zone)
{
    return {zone.Time, QString::number(zone.Tariff), QString::number(zone.Limit), QString::number(zone.LimitTariff)};
}

TZone RowZone(const QTreeWidgetItem* row)
{
    return {row->text(TimeColumn), quint8(row->text(TariffColumn).toUInt()), quint8(row->text(LimitColumn).toUInt()),
        quint8(row->text(LimitTariffColumn).toUInt())};
}

} // namespace

DayPanel::DayPanel(ScheduleModel& model, TariffColors& colors, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , colors_(colors)
    , dialogs_(dialogs)
{
    TrackBar1 = Named(new QSlider(Qt::Horizontal), "TrackBar1");
    TrackBar1->setRange(0, LastMinuteOfDay);
    TrackBar1->setPageStep(TrackPageStep);
    TrackBar1->setTickInterval(TicksEveryHour);
    TrackBar1->setTickPosition(QSlider::TicksAbove);
    // This style fills the groove from the start to the thumb: the time
    // before the chosen minute stands out on every platform.
    QStyle* filledGroove = QStyleFactory::create(QStringLiteral("Fusion"));
    filledGroove->setParent(TrackBar1);
    TrackBar1->setStyle(filledGroove);

    PaintBoxDay = Named(new QWidget, "PaintBoxDay");
    PaintBoxDay->setFixedHeight(BarHeight);
    PaintBoxDay->setAttribute(Qt::WA_OpaquePaintEvent);
    // The grey frame sets off the pale colours of the bar's ends.
    auto* bar = new QWidget;
    QPalette framePalette = bar->palette();
    framePalette.setColor(QPalette::Window, BarGrey);
    bar->setPalette(framePalette);
    bar->setAutoFillBackground(true);
    auto* barFrame = new QHBoxLayout(bar);
    barFrame->setContentsMargins(BarMargin, BarFrameHeight, BarMargin, BarFrameHeight);
    barFrame->addWidget(PaintBoxDay);

    auto* lower = new QHBoxLayout;
    lower->addWidget(CreatePanelCTRL());
    lower->addWidget(CreatePanelList(), 1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 2, 0, 0);
    column->setSpacing(2);
    column->addWidget(HourLabels());
    column->addWidget(TrackBar1);
    column->addWidget(bar);
    column->addLayout(lower, 1);

    connect(TrackBar1, &QSlider::valueChanged, this, &DayPanel::TrackBar1Change);
    connect(DateTimeZone, &QTimeEdit::timeChanged, this, &DayPanel::DateTimeZoneChange);
    connect(SpinLimit, &LowerBoundSpin::TypedChanged, this, &DayPanel::SpinLimitChange);
    connect(ListViewDays, &QTreeWidget::itemSelectionChanged, this, &DayPanel::ListViewDaysSelectItem);
    connect(GroupTariff, &TariffGroup::Clicked, this, &DayPanel::TariffClick);
    connect(GroupLimit, &TariffGroup::Clicked, this, &DayPanel::LimitClick);
    connect(GroupTariff, &TariffGroup::ContextPopup, this, &DayPanel::TariffContextPopup);
    connect(GroupLimit, &TariffGroup::ContextPopup, this, &DayPanel::LimitContextPopup);
    connect(ActionEdit, &QAction::triggered, this, &DayPanel::ActionEditExecute);
    connect(ActionDelete, &QAction::triggered, this, &DayPanel::ActionDeleteExecute);
    connect(BitBtnRedo, &QToolButton::clicked, this, &DayPanel::BitBtnRedoClick);
    connect(BitBtnUndo, &QToolButton::clicked, this, &DayPanel::BitBtnUndoClick);

    // Watched only once every control exists: building the panel already
    // sends events to the bar.
    PaintBoxDay->installEventFilter(this);
    ListViewDays->viewport()->installEventFilter(this);
    ShowTariffColors();
    ShowModelState();
}

QWidget* DayPanel::HourLabels()
{
    auto* labels = new QWidget;
    auto* row = new QGridLayout(labels);
    row->setContentsMargins(BarMargin, 0, BarMargin, 0);
    row->addWidget(new QLabel(QStringLiteral("0:00")), 0, 0, Qt::AlignLeft);
    row->addWidget(new QLabel(QStringLiteral("12:00")), 0, 1, Qt::AlignHCenter);
    row->addWidget(new QLabel(QStringLiteral("23:59")), 0, 2, Qt::AlignRight);
    for (int i = 0; i < 3; ++i)
        row->setColumnStretch(i, 1);
    return labels;
}

QWidget* DayPanel::CreatePanelCTRL()
{
    DateTimeZone = Named(new QTimeEdit, "DateTimeZone");
    DateTimeZone->setDisplayFormat(QStringLiteral("HH:mm"));
    SelectSectionOnClick(DateTimeZone);
    GroupTariff = Named(new TariffGroup(QStringLiteral(" Действующий тариф по расписанию : "), DateTimeZone, "Tariff"),
        "GroupTariff");
    SpinLimit = new LowerBoundSpin("SpinLimit", 0, LargestLimit);
    // Both fields take the same room, so the two rows of buttons line up.
    SpinLimit->setFixedWidth(DateTimeZone->sizeHint().width());
    GroupLimit = Named(new TariffGroup(QStringLiteral(" Действующий тариф при превышении лимита : "), SpinLimit,
                           "TariffLimit"),
        "GroupLimit");

    ActionEdit = Command(this, "ActionEdit", QStringLiteral("Добавить"),
        AddIcon(), Qt::Key_Insert);
    ActionDelete = Command(this, "ActionDelete", QStringLiteral("Удалить"),
        DeleteIcon(), Qt::Key_Delete);
    ActionDelete->setEnabled(false);
    BitBtnRedo = HintedButton("BitBtnRedo", QStringLiteral("Сохранить"),
        ButtonIcon(this, "document-save", QStyle::SP_DialogSaveButton));
    BitBtnUndo = HintedButton("BitBtnUndo", QStringLiteral("Отменить"),
        ButtonIcon(this, "edit-undo", QStyle::SP_ArrowBack));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtnRedo);
    buttons->addWidget(BitBtnUndo);
    buttons->addWidget(CommandButton("BitBtnEdit", ActionEdit));
    buttons->addWidget(CommandButton("BitBtnDelete", ActionDelete));
    buttons->addStretch();

    auto* panel = Named(new QWidget, "PanelCTRL");
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(BarMargin, 0, 0, 0);
    column->addWidget(GroupTariff);
    column->addWidget(GroupLimit);
    column->addLayout(buttons);
    column->addStretch();
    return panel;
}

QWidget* DayPanel::CreatePanelList()
{
    ListViewDays = Named(new QTreeWidget, "ListViewDays");
    ListViewDays->setHeaderLabels({QStringLiteral("время"), QStringLiteral("тариф"), QStringLiteral("лимит мощности"),
        QStringLiteral("тариф (превышение лимита)")});
    ListViewDays->setRootIsDecorated(false);
    ListViewDays->setUniformRowHeights(true);
    ListViewDays->setAllColumnsShowFocus(true);
    ListViewDays->setSelectionMode(QAbstractItemView::SingleSelection);
    ListViewDays->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListViewDays->setItemDelegate(new GridLinesDelegate(ListViewDays));
    MakeReadOnly(ListViewDays);
    // The longer captions take two or three lines rather than being cut.
    ListViewDays->header()->setDefaultAlignment(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap));
    ListViewDays->header()->setSectionsMovable(false);
    ListViewDays->header()->setStretchLastSection(false);
    ListViewDays->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette palette = ListViewDays->palette();
    palette.setColor(QPalette::Base, ListBackground);
    // The selected zone stays marked while the operator works in the fields.
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    ListViewDays->setPalette(palette);
    ListViewDays->setContextMenuPolicy(Qt::ActionsContextMenu);
    ListViewDays->addActions({ActionEdit, ActionDelete});

    auto* status = Named(new QStatusBar, "StatusBar1");
    status->setSizeGripEnabled(false);
    RecordCount = new QLabel;
    for (QLabel* panel : {RecordCount, new QLabel}) {
        panel->setFixedWidth(StatusPanelWidth);
        panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        status->addWidget(panel);
    }

    auto* panel = Named(new QWidget, "PanelList");
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(ListViewDays, 1);
    column->addWidget(status);
    return panel;
}

bool DayPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PaintBoxDay && event->type() == QEvent::Paint) {
        PaintBoxDayPaint();
        return true;
    }
    if (watched == ListViewDays->viewport() && event->type() == QEvent::Resize)
        PanelListResize();
    return QWidget::eventFilter(watched, event);
}

void DayPanel::GetSheduleDay()
{
    ListViewDays->clear();
    for (const TZone& zone : model_.Profile(model_.CurMonth(), model_.CurDay()))
        ListViewDays->addTopLevelItem(new QTreeWidgetItem(RowTexts(zone)));
    ListViewDays->sortItems(TimeColumn, Qt::AscendingOrder);
    if (QTreeWidgetItem* first = ListViewDays->topLevelItem(0))
        SelectRow(first);
    DayChoice();
}

// The fields' time picks its row; once the row is picked the fields may
// still differ from it (a new limit typed in), so whether "Добавить" has
// something to do is decided in every case.
void DayPanel::DayChoice()
{
    QTreeWidgetItem* row = RowAt(FieldsZone().Time);
    if (!row)
        ListViewDays->clearSelection();
    else if (!row->isSelected())
        SelectRow(row);
    ShowEditEnabled();
}

void DayPanel::TrackBar1Change(int position)
{
    ShowTime(position);
    DayChoice();
}

void DayPanel::DateTimeZoneChange(QTime time)
{
    ShowTime(MinuteOfDay(time));
    DayChoice();
}

void DayPanel::SpinLimitChange()
{
    DayChoice();
}

void DayPanel::ListViewDaysSelectItem()
{
    QTreeWidgetItem* row = SelectedRow();
    if (row) {
        const TZone zone = RowZone(row);
        ShowTime(ZoneMinutes(zone.Time));
        const QSignalBlocker quiet(SpinLimit);
        SpinLimit->setValue(zone.Limit);
        GroupTariff->Check(zone.Tariff);
        GroupLimit->Check(zone.LimitTariff);
        ActionEdit->setEnabled(false);
    }
    ActionDelete->setEnabled(row != nullptr);
}

void DayPanel::TariffClick(int tariff)
{
    // A zone without a limit has one tariff for both cases.
    if (SpinLimit->Typed() == 0)
        GroupLimit->Check(tariff);
    ShowEditEnabled();
}

void DayPanel::LimitClick()
{
    ShowEditEnabled();
}

void DayPanel::ActionEditExecute()
{
    ActionEdit->setEnabled(false);
    const TZone zone = FieldsZone();
    QTreeWidgetItem* row = RowAt(zone.Time);
    const bool exists = row != nullptr;
    if (exists) {
        const QStringList texts = RowTexts(zone);
        for (int column = TariffColumn; column <= LimitTariffColumn; ++column)
            row->setText(column, texts.at(column));
    } else {
        row = new QTreeWidgetItem(RowTexts(zone));
        ListViewDays->addTopLevelItem(row);
        ListViewDays->sortItems(TimeColumn, Qt::AscendingOrder);
    }
    SelectRow(row);
    if (exists)
        model_.UpdateTZone(zone.Time, zone.Tariff, zone.Limit, zone.LimitTariff);
    else
        model_.InsertTZone(zone.Time, zone.Tariff, zone.Limit, zone.LimitTariff);
    ZoneEdited();
}

void DayPanel::ActionDeleteExecute()
{
    QTreeWidgetItem* row = SelectedRow();
    if (!row)
        return;
    const QString time = row->text(TimeColumn);
    {
        // Qt would make a neighbouring row current and selected, loading it
        // into the fields, and the next "Удалить" would take it: after a
        // delete no row is selected and the fields keep the deleted zone.
        const QSignalBlocker quiet(ListViewDays);
        delete row;
        ListViewDays->selectionModel()->clear();
    }
    model_.DeleteTZone(time);
    ZoneEdited();
    ActionDelete->setEnabled(SelectedRow() != nullptr);
    DayChoice();
}

void DayPanel::BitBtnRedoClick()
{
    model_.Commit();
    ShowModelState();
    emit YearMapChanged();
}

void DayPanel::BitBtnUndoClick()
{
    model_.Revert();
    GetSheduleDay();
    DayChange();
    ShowModelState();
    emit YearMapChanged();
}

// Either group's button of a tariff chooses the one colour of that tariff.
void DayPanel::TariffContextPopup(int tariff)
{
    const std::optional<quint32> chosen = dialogs_.AskColor(colors_.Color(tariff));
    if (!chosen)
        return;
    // A store that cannot keep the colours leaves them for this run.
    colors_.Choose(tariff, *chosen);
    ShowTariffColors();
    DayChange();
}

void DayPanel::LimitContextPopup(int tariff)
{
    TariffContextPopup(tariff);
}

void DayPanel::DayChange()
{
    PaintBoxDay->update();
}

// Every zone paints from its start to the right edge, the later zones over
// the earlier ones, so each shows up to the start of the next: below the
// tariff in force, above the tariff while the limit is exceeded.
void DayPanel::PaintBoxDayPaint()
{
    QPainter painter(PaintBoxDay);
    const int width = PaintBoxDay->width();
    const int height = PaintBoxDay->height();
    const int half = height / 2;
    painter.fillRect(PaintBoxDay->rect(), BarGrey);
    for (int i = 0; i < ListViewDays->topLevelItemCount(); ++i) {
        const TZone zone = RowZone(ListViewDays->topLevelItem(i));
        const int x = width * ZoneMinutes(zone.Time) / LastMinuteOfDay;
        painter.fillRect(x, half, width - x, height - half, ShownColor(colors_.Color(zone.Tariff)));
        painter.fillRect(x, 0, width - x, half, ShownColor(colors_.Color(zone.LimitTariff)));
    }
}

void DayPanel::PanelListResize()
{
    FitZoneListColumns(ListViewDays);
}

void DayPanel::ShowModelState()
{
    BitBtnRedo->setEnabled(model_.ChangesPending());
    BitBtnUndo->setEnabled(model_.ChangesPending());
    RecordCount->setText(QString::number(model_.WorkList().size()));
}

TZone DayPanel::FieldsZone() const
{
    return {ZoneTimeText(MinuteOfDay(DateTimeZone->time())), quint8(GroupTariff->Checked()), quint8(SpinLimit->Typed()),
        quint8(GroupLimit->Checked())};
}

QTreeWidgetItem* DayPanel::RowAt(const QString& time) const
{
    for (int i = 0; i < ListViewDays->topLevelItemCount(); ++i)
        if (ListViewDays->topLevelItem(i)->text(TimeColumn) == time)
            return ListViewDays->topLevelItem(i);
    return nullptr;
}

QTreeWidgetItem* DayPanel::SelectedRow() const
{
    return ListViewDays->selectedItems().value(0);
}

void DayPanel::SelectRow(QTreeWidgetItem* row)
{
    ListViewDays->setCurrentItem(row);
    ListViewDays->scrollToItem(row);
}

// The time picker and the track bar show the same minute; setting one does
// not run the other's handler. The picker is left alone when it shows the
// minute already, as it does while the operator types in it.
void DayPanel::ShowTime(int minutes)
{
    const QTime time(minutes / 60, minutes % 60);
    if (DateTimeZone->time() != time) {
        const QSignalBlocker quiet(DateTimeZone);
        DateTimeZone->setTime(time);
    }
    const QSignalBlocker quiet(TrackBar1);
    TrackBar1->setValue(minutes);
}

// "Добавить" has work when the fields make an acceptable zone that is not
// the selected row as it stands.
void DayPanel::ShowEditEnabled()
{
    const TZone zone = FieldsZone();
    const QTreeWidgetItem* row = SelectedRow();
    const bool repeatsRow = row && RowZone(row) == zone;
    ActionEdit->setEnabled(!repeatsRow && ZoneAcceptable(zone.Tariff, zone.LimitTariff, zone.Limit));
}

void DayPanel::ShowTariffColors()
{
    GroupTariff->ShowColors(colors_);
    GroupLimit->ShowColors(colors_);
}

void DayPanel::ZoneEdited()
{
    DayChange();
    ShowModelState();
    emit YearMapChanged();
}
