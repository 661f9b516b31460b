#pragma once
// What the poll reads from the meter, as the tab "О счетчике" shows it: the
// rows of ListMain and ListAddi, the indicator check list, and the
// per-meter values other parts of the station need. The window and the
// command-line tool show these; nothing the meter says lives only in a widget.

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>

class MeterLink;

class MeterReadings : public QObject {
    Q_OBJECT
public:
    static constexpr int MainRows = 18;
    static constexpr int AddiRows = 17;
    static constexpr int IndicatorItems = 5;
    // ListAddi's value columns: "текущие" and "РДЧ".
    static constexpr int Current = 0;
    static constexpr int Settlement = 1;

    // The rows of ListMain the meter's answers fill.
    enum MainRow {
        TypeRow = 0,
        NumberRow = 1,
        VersionRow = 2,
        ClockRow = 4,
        DstRow = 5,
        ClockTestRow = 6,
        SettlementDayRow = 8,
        SettlementHourRow = 9,
        ScheduleChecksumRow = 10,
        IntegrationTimeRow = 12,
        DdmNumberRow = 14,
        DdmModeRow = 15,
        DdmBalanceRow = 16,
        DdmSessionRow = 17,
    };
    // The rows of ListAddi; tariff t (1..8) is row FirstTariffRow + t - 1.
    enum AddiRow {
        OperatingTimeRow = 0,
        CorrectionsRow = 1,
        TariffRow = 2,
        PowerRow = 4,
        FirstTariffRow = 6,
        PeakPowerRow = 15,
        PeakTimeRow = 16,
    };

    // Fixed row captions; "" is an empty separator row.
    static const QStringList& MainCaptions();
    static const QStringList& AddiCaptions();
    // Column headers of ListAddi's value columns.
    static const QStringList& AddiColumns();
    static const QStringList& IndicatorCaptions();

    explicit MeterReadings(QObject* parent = nullptr);

    // Registers the decoders of the polled reads with the link, gives it
    // the type code for the length of its cycle, and forgets the meter
    // whenever the link resets the meter state.
    void Attach(MeterLink& link);

    QString Main(int row) const { return main_[row]; }
    QString Addi(int row, int column) const { return addi_[row][column]; }
    bool Indicator(int item) const { return indicator_[item]; }
    // Rows filled by other parts (the schedule checksum, row 10).
    void SetMain(int row, const QString& text);

    int TypeCode() const { return typeCode_; }
    quint16 VersionWord() const { return versionWord_; }
    quint32 MeterNumber() const { return meterNumber_; }
    quint32 OperatingTime() const { return operatingTime_; }
    quint8 ClockFlags() const { return clockFlags_; }
    quint8 DdmState() const { return ddmState_; }

    // SpinEdit_Number and the "+" button are usable only while the meter
    // reports number 0; "+" is offered again at each reset, before the
    // next meter has told its number.
    bool NumberEditable() const { return numberEditable_; }
    bool NumberAllocatable() const { return numberAllocatable_; }
    // False for good once a type-341 meter has been seen (it has no ДДМ):
    // CheckDDM is then unticked and disabled.
    bool DdmAvailable() const { return ddmAvailable_; }

    // Empties the first values of both lists and sets the per-meter values
    // to 0, except VersionWord and OperatingTime; the "РДЧ" column and the
    // indicator ticks stay. "+" becomes usable.
    void Reset();

signals:
    void MainChanged(int row, const QString& text);
    void AddiChanged(int row, int column, const QString& text);
    void IndicatorChanged(int item, bool on);
    void NumberEditableChanged(bool on);
    void NumberAllocatableChanged(bool on);
    void DdmAvailableChanged(bool available);
    // Every clock response, after it is shown: the meter's clock, or an
    // invalid date-time when the response holds no valid clock value.
    void ClockRead(const QDateTime& meterClock);

private:
    friend class ReadingDecoders;
    void SetAddi(int row, int column, const QString& text);
    void SetIndicator(int item, bool on);
    void SetNumberEditable(bool on);
    void SetNumberAllocatable(bool on);
    void SetDdmUnavailable();

    std::array<QString, MainRows> main_;
    std::array<std::array<QString, 2>, AddiRows> addi_;
    std::array<bool, IndicatorItems> indicator_{};
    int typeCode_ = 0;
    quint16 versionWord_ = 0;
    quint32 meterNumber_ = 0;
    quint32 operatingTime_ = 0;
    quint8 clockFlags_ = 0;
    quint8 ddmState_ = 0;
    bool numberEditable_ = true;
    bool numberAllocatable_ = true;
    bool ddmAvailable_ = true;
};
