#include "sim/request_assembler.h"

#include <utility>

namespace {
constexpr int LengthByteIndex = 1;
// The length byte counts the bytes after it (payload and CRC); the code and
// the length byte itself make the rest of the frame.
constexpr int BytesBeyondLength = 2;
} // namespace

RequestAssembler::RequestAssembler(Framing framing)
    : framing_(framing)
{
}

std::optional<AssembledRequest> RequestAssembler::Feed(char byte, NinthBit bit)
{
    if (bit == NinthBit::Set || partial_.isEmpty()) {
        partial_ = QByteArray(1, byte);
        start_ = bit;
    } else {
        partial_.append(byte);
    }
    if (partial_.size() <= LengthByteIndex
        || partial_.size() < quint8(partial_[LengthByteIndex]) + BytesBeyondLength)
        return std::nullopt;

    ++requests_;
    if (start_ == NinthBit::Clear)
        ++unmarked_;
    else if (start_ == NinthBit::Unknown)
        ++unobserved_;
    AssembledRequest request{std::exchange(partial_, {}), start_};
    if (framing_ == Framing::Strict && request.start != NinthBit::Set)
        return std::nullopt;
    return request;
}

void RequestAssembler::Reset()
{
    partial_.clear();
}
