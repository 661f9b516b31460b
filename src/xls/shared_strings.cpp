#include "xls/shared_strings.h"

namespace {

constexpr int RecordHeaderSize = 4;
// A string's count and option byte never part across records.
constexpr int StringHeaderSize = 3;
constexpr int MaxBuckets = 128;
constexpr int MinBucketSize = 8;

struct BucketStart {
    qint64 streamPosition;
    int offsetInRecord;
};

// Cuts the table into records as the format asks: a record holds at most
// MaxRecordData bytes; a string's characters may go on in the next record,
// which then begins with the option byte again.
class TableRecords {
public:
    explicit TableRecords(RecordStream& stream) : stream_(stream) {}

    void Start(const RecordData& head) { current_ = head.Data(); }

    BucketStart AddString(const QString& text)
    {
        if (current_.size() + StringHeaderSize + 2 > MaxRecordData)
            Flush();
        const BucketStart start{Position() + RecordHeaderSize + current_.size(),
            int(RecordHeaderSize + current_.size())};
        RecordData head;
        head.U16(int(text.size())).U8(1);
        current_ += head.Data();
        for (int i = 0; i < text.size(); ++i) {
            if (current_.size() + 2 > MaxRecordData) {
                Flush();
                current_.append(char(1));
            }
            RecordData character;
            character.U16(text[i].unicode());
            current_ += character.Data();
        }
        return start;
    }

    void Flush()
    {
        stream_.Add(records_++ == 0 ? Biff::Sst : Biff::Continue, current_);
        current_.clear();
    }

private:
    qint64 Position() const { return stream_.Position(); }

    RecordStream& stream_;
    QByteArray current_;
    int records_ = 0;
};

} // namespace

void SharedStrings::Add(const QString& text)
{
    ++references_;
    if (indexes_.contains(text))
        return;
    indexes_.insert(text, quint32(strings_.size()));
    strings_ << text;
}

void SharedStrings::WriteTo(RecordStream& stream) const
{
    const int count = int(strings_.size());
    const int bucketSize = qMax(MinBucketSize, (count + MaxBuckets - 1) / MaxBuckets);
    TableRecords records(stream);
    records.Start(RecordData().U32(references_).U32(quint32(count)));
    QList<BucketStart> buckets;
    for (int i = 0; i < count; ++i) {
        const BucketStart start = records.AddString(strings_[i]);
        if (i % bucketSize == 0)
            buckets << start;
    }
    records.Flush();

    RecordData extended;
    extended.U16(bucketSize);
    for (const BucketStart& bucket : buckets)
        extended.U32(quint32(bucket.streamPosition)).U16(bucket.offsetInRecord).U16(0);
    stream.Add(Biff::ExtSst, extended);
}
