#pragma once
// The meter's two journals read on demand: the yearly journal (a row per
// month) and the consumption journal (up to 250 records, kept sorted by
// record number). One request per month or record is queued at once; each
// answer fills its row while the progress advances.

#include "journals/text_grid.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <optional>

class MeterLink;
class MeterReadings;

class JournalReads : public QObject {
    Q_OBJECT
public:
    static constexpr int YearRequests = 12;
    static constexpr int DiaryRequests = 250;

    JournalReads(MeterLink& link, MeterReadings& readings, QObject* parent = nullptr);

    void BtnReadJournalYearClick();
    void BtnReadDiaryClick();

    // GridJournal: 13 x 13, row 0 the column captions, column 0 the months.
    const TextGrid& YearGrid() const { return year_; }
    // ListDiary's column captions and its rows (caption first, then the
    // sub-items), in the list's order.
    static const QStringList& DiaryCaptions();
    const QList<QStringList>& DiaryRows() const { return diary_; }

    // The meter number when each read started (JournalMeterNumber).
    quint32 YearMeterNumber() const { return yearMeterNumber_; }
    quint32 DiaryMeterNumber() const { return diaryMeterNumber_; }

signals:
    void YearChanged();
    // The consumption list changes only by these two, so that a view can
    // follow it row by row and keep its scroll position and selection.
    void DiaryCleared();
    void DiaryRowAdded(int index);
    void GaugeChanged(int position, int maximum);

private:
    void DecodeYear(const QByteArray& response);
    void DecodeDiary(const QByteArray& response);
    // The meter-state reset: the month captions of column 0 stay.
    void Forget();
    void EmptyYearCells();
    void SetGauge(int position, int maximum);

    MeterLink& link_;
    MeterReadings& readings_;
    TextGrid year_;
    QList<QStringList> diary_;
    quint32 yearMeterNumber_ = 0;
    quint32 diaryMeterNumber_ = 0;
};

// The status byte a "Статус" cell shows; none when its text is not an
// integer from 0 to 255.
std::optional<int> StatusOfCell(const QString& statusText);
