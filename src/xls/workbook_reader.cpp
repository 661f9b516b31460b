#include "xls/workbook_file.h"

#include "xls/biff_records.h"
#include "xls/compound_file.h"

#include <QtEndian>
#include <cstring>

namespace {

[[noreturn]] void Damaged()
{
    throw XlsError(QStringLiteral("The workbook is damaged or not one this program wrote."));
}

// Bounded little-endian reads of one piece of data.
class Reader {
public:
    explicit Reader(QByteArrayView data) : data_(data) {}

    bool AtEnd() const { return at_ >= data_.size(); }
    qsizetype Left() const { return data_.size() - at_; }
    quint8 U8() { return quint8(Take(1)[0]); }
    quint16 U16() { return qFromLittleEndian<quint16>(Take(2).data()); }
    quint32 U32() { return qFromLittleEndian<quint32>(Take(4).data()); }
    double Double()
    {
        const quint64 bits = qFromLittleEndian<quint64>(Take(8).data());
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    QByteArrayView Take(qsizetype size)
    {
        if (size < 0 || size > Left())
            Damaged();
        const QByteArrayView part = data_.sliced(at_, size);
        at_ += size;
        return part;
    }
    void Skip(qsizetype size) { Take(size); }

private:
    QByteArrayView data_;
    qsizetype at_ = 0;
};

struct Record {
    quint16 type;
    QByteArrayView data;
};

// The records of a substream from `start` to its EOF.
QList<Record> Substream(QByteArrayView stream, qsizetype start)
{
    if (start < 0 || start > stream.size())
        Damaged();
    Reader reader(stream.sliced(start));
    QList<Record> records;
    while (true) {
        const quint16 type = reader.U16();
        const quint16 size = reader.U16();
        if (size > MaxRecordData)
            Damaged();
        records << Record{type, reader.Take(size)};
        if (type == Biff::Eof)
            return records;
    }
}

QString Characters(Reader& reader, int count, bool wide)
{
    QString text;
    text.reserve(count);
    for (int i = 0; i < count; ++i)
        text += QChar(wide ? reader.U16() : reader.U8());
    return text;
}

QString ShortText(Reader& reader)
{
    const int count = reader.U8();
    return Characters(reader, count, reader.U8() & 1);
}

QString Text(Reader& reader)
{
    const int count = reader.U16();
    return Characters(reader, count, reader.U8() & 1);
}

// The shared strings, whose characters may go on in CONTINUE records,
// each continuation beginning with the option byte again.
class TableReader {
public:
    explicit TableReader(const QList<QByteArrayView>& parts) : parts_(parts), reader_(parts.value(0)) {}

    Reader& Current()
    {
        while (reader_.AtEnd() && part_ + 1 < parts_.size())
            reader_ = Reader(parts_[++part_]);
        return reader_;
    }

    QString String()
    {
        const int count = Current().U16();
        const quint8 options = reader_.U8();
        bool wide = options & 0x01;
        const int runs = options & 0x08 ? reader_.U16() : 0;
        const quint32 extension = options & 0x04 ? reader_.U32() : 0;
        QString text;
        for (int i = 0; i < count; ++i) {
            if (reader_.AtEnd()) {
                if (part_ + 1 >= parts_.size())
                    Damaged();
                reader_ = Reader(parts_[++part_]);
                wide = reader_.U8() & 0x01;
            }
            text += QChar(wide ? reader_.U16() : reader_.U8());
        }
        SkipAcross(qint64(runs) * 4 + extension);
        return text;
    }

private:
    void SkipAcross(qint64 size)
    {
        while (size > 0) {
            const qint64 step = qMin<qint64>(size, Current().Left());
            if (step == 0)
                Damaged();
            reader_.Skip(step);
            size -= step;
        }
    }

    QList<QByteArrayView> parts_;
    int part_ = 0;
    Reader reader_;
};

QStringList SharedStrings(const QList<QByteArrayView>& parts)
{
    if (parts.isEmpty())
        return {};
    TableReader table(parts);
    table.Current().U32();
    const quint32 count = table.Current().U32();
    QStringList strings;
    // Each string takes three bytes at least: a count beyond that is damage.
    qsizetype bytes = 0;
    for (const QByteArrayView& part : parts)
        bytes += part.size();
    if (count > quint32(bytes / 3))
        Damaged();
    for (quint32 i = 0; i < count; ++i)
        strings << table.String();
    return strings;
}

void CheckBof(const Record& record, quint16 substream)
{
    Reader reader(record.data);
    if (record.type != Biff::Bof || reader.U16() != 0x0600 || reader.U16() != substream)
        Damaged();
}

Sheet ReadSheet(QByteArrayView stream, qsizetype start, const QString& name, const QStringList& strings)
{
    const QList<Record> records = Substream(stream, start);
    CheckBof(records.first(), 0x0010);
    Sheet sheet;
    sheet.name = name;
    for (const Record& record : records) {
        Reader reader(record.data);
        switch (record.type) {
        case Biff::Header:
            sheet.header = reader.AtEnd() ? QString() : Text(reader);
            break;
        case Biff::Footer:
            sheet.footer = reader.AtEnd() ? QString() : Text(reader);
            break;
        case Biff::LabelSst: {
            const int row = reader.U16();
            const int column = reader.U16();
            reader.U16();
            const quint32 index = reader.U32();
            if (index >= quint32(strings.size()))
                Damaged();
            sheet.cells.insert({row, column}, strings[index]);
            break;
        }
        case Biff::Number: {
            const int row = reader.U16();
            const int column = reader.U16();
            reader.U16();
            sheet.cells.insert({row, column}, reader.Double());
            break;
        }
        default:
            break;
        }
    }
    return sheet;
}

} // namespace

Workbook ParseWorkbook(const QByteArray& bytes)
{
    const QByteArray stream = WorkbookStreamOf(bytes);
    const QList<Record> globals = Substream(stream, 0);
    CheckBof(globals.first(), 0x0005);
    Workbook workbook;
    QList<QPair<quint32, QString>> sheets;
    QList<QByteArrayView> table;
    bool fontSeen = false;
    for (qsizetype i = 0; i < globals.size(); ++i) {
        const Record& record = globals[i];
        Reader reader(record.data);
        if (record.type == Biff::Window1) {
            reader.Skip(10);
            workbook.activeSheet = reader.U16();
        } else if (record.type == Biff::Font && !fontSeen) {
            fontSeen = true;
            workbook.fontPoints = reader.U16() / 20;
            reader.Skip(12);
            workbook.fontName = ShortText(reader);
        } else if (record.type == Biff::BoundSheet) {
            const quint32 offset = reader.U32();
            reader.U16();
            sheets << qMakePair(offset, ShortText(reader));
        } else if (record.type == Biff::Sst) {
            table << record.data;
            while (i + 1 < globals.size() && globals[i + 1].type == Biff::Continue)
                table << globals[++i].data;
        }
    }
    const QStringList strings = SharedStrings(table);
    if (sheets.size() > MaxSheets)
        Damaged();
    for (const auto& [offset, name] : sheets)
        workbook.sheets << ReadSheet(stream, qsizetype(offset), name, strings);
    // What the writer would refuse is no workbook of ours either.
    CheckWorkbook(workbook);
    return workbook;
}
