#pragma once
// The record stream of a BIFF8 workbook: each record a 16-bit type, a
// 16-bit length and its data, values low byte first.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Longest record data the format allows; longer data goes on in CONTINUE
// records.
inline constexpr int MaxRecordData = 8224;

namespace Biff {
enum Record : quint16 {
    Eof = 0x000A,
    CalcCount = 0x000C,
    CalcMode = 0x000D,
    Precision = 0x000E,
    RefMode = 0x000F,
    Delta = 0x0010,
    Iteration = 0x0011,
    Protect = 0x0012,
    Password = 0x0013,
    Header = 0x0014,
    Footer = 0x0015,
    WindowProtect = 0x0019,
    DateMode = 0x0022,
    PrintHeaders = 0x002A,
    PrintGridLines = 0x002B,
    Font = 0x0031,
    Continue = 0x003C,
    Window1 = 0x003D,
    Backup = 0x0040,
    CodePage = 0x0042,
    DefColWidth = 0x0055,
    WriteAccess = 0x005C,
    SaveRecalc = 0x005F,
    Guts = 0x0080,
    WsBool = 0x0081,
    GridSet = 0x0082,
    HCenter = 0x0083,
    VCenter = 0x0084,
    BoundSheet = 0x0085,
    Country = 0x008C,
    HideObj = 0x008D,
    FnGroupCount = 0x009C,
    Setup = 0x00A1,
    Mms = 0x00C1,
    DbCell = 0x00D7,
    BookBool = 0x00DA,
    Xf = 0x00E0,
    InterfaceHdr = 0x00E1,
    InterfaceEnd = 0x00E2,
    Sst = 0x00FC,
    LabelSst = 0x00FD,
    ExtSst = 0x00FF,
    TabId = 0x013D,
    UsesElfs = 0x0160,
    Dsf = 0x0161,
    Prot4Rev = 0x01AF,
    RefreshAll = 0x01B7,
    Prot4RevPass = 0x01BC,
    Dimensions = 0x0200,
    Number = 0x0203,
    Row = 0x0208,
    Index = 0x020B,
    DefaultRowHeight = 0x0225,
    Window2 = 0x023E,
    Style = 0x0293,
    Bof = 0x0809,
};
} // namespace Biff

// Little-endian fields of one record's data.
class RecordData {
public:
    RecordData& U8(int value);
    RecordData& U16(int value);
    RecordData& U32(quint32 value);
    RecordData& Double(double value);
    RecordData& Bytes(const QByteArray& bytes);
    // A string with an 8-bit count (sheet and font names), always as
    // 16-bit characters.
    RecordData& ShortText(const QString& text);
    // A string with a 16-bit count, always as 16-bit characters.
    RecordData& Text(const QString& text);

    const QByteArray& Data() const { return data_; }
    int Size() const { return int(data_.size()); }

private:
    QByteArray data_;
};

// The records of a stream as they are added, each at a known position.
class RecordStream {
public:
    explicit RecordStream(qint64 start = 0) : start_(start) {}

    // Position in the whole stream where the next record starts.
    qint64 Position() const { return start_ + bytes_.size(); }
    void Add(quint16 type, const RecordData& data = {});
    void Add(quint16 type, const QByteArray& data);
    // Overwrites 4 bytes at a stream position already written.
    void PatchU32(qint64 position, quint32 value);
    void Append(const RecordStream& other) { bytes_ += other.bytes_; }

    const QByteArray& Bytes() const { return bytes_; }

private:
    qint64 start_;
    QByteArray bytes_;
};
