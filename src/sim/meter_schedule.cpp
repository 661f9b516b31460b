#include "sim/meter_schedule.h"

#include "protocol/frame.h"

namespace {

// Each slot enters with its index and the code that writes its kind, so a
// slot moved to another index, or bytes moved from one list to another,
// change the sum as well.
template <std::size_t Count>
void Cover(QByteArray& covered, const std::array<QByteArray, Count>& kept, FunctionCode kind)
{
    for (std::size_t index = 0; index < Count; ++index) {
        if (kept[index].isEmpty())
            continue;
        covered.append(char(index));
        covered.append(char(kind));
        covered.append(kept[index]);
    }
}

} // namespace

// The CRC starts from 0xFFFF, so with nothing covered the sum is
// EmptyScheduleChecksum as the meter reports it after an erase.
quint16 MeterSchedule::Checksum() const
{
    QByteArray covered;
    Cover(covered, records, WriteSchedule);
    Cover(covered, holidays, WriteHolidays);
    Cover(covered, transfers, WriteTransfers);
    return Crc16(covered.constData(), covered.size());
}
