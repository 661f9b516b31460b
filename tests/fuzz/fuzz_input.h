#pragma once
// A fuzzer's input read from the front as a target's choices and pieces.
// Running out of bytes yields zeros and short pieces, so every input is a
// valid one and the fuzzer never wastes runs on inputs the target drops.

#include <QByteArray>
#include <cstddef>
#include <cstdint>

// Larger inputs only slow the search: every target returns at once.
inline constexpr size_t MaxFuzzInputSize = 64 * 1024;

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : data_(reinterpret_cast<const char*>(data)), size_(qsizetype(size)) {}

    bool AtEnd() const { return at_ >= size_; }

    quint8 Byte() { return AtEnd() ? 0 : quint8(data_[at_++]); }

    // Low byte first.
    quint16 Word()
    {
        const quint16 low = Byte();
        return quint16(low | Byte() << 8);
    }

    // Up to `count` bytes, fewer at the end of the input.
    QByteArray Bytes(qsizetype count)
    {
        const qsizetype taken = qMin(qMax<qsizetype>(count, 0), size_ - at_);
        const QByteArray bytes(data_ + at_, taken);
        at_ += taken;
        return bytes;
    }

    // A length byte, then that many bytes.
    QByteArray Piece() { return Bytes(Byte()); }

    QByteArray Rest() { return Bytes(size_ - at_); }

private:
    const char* data_;
    qsizetype size_;
    qsizetype at_ = 0;
};
