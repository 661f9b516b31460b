#include "link/answer_match.h"

#include "protocol/frame.h"

namespace {

constexpr int IndexedRequestLength = 3;
constexpr int ScheduleChecksumLength = 4;

bool IsScheduleRead(quint8 code)
{
    return code == ReadSchedule || code == ReadHolidays || code == ReadTransfers;
}

} // namespace

bool AnswersRequest(const QByteArray& request, const QByteArray& response)
{
    if (request.size() < 3 || response.size() < 2 || !IsScheduleRead(quint8(request[0])))
        return true;
    const bool indexed = quint8(request[1]) == IndexedRequestLength;
    if (quint8(request[0]) == ReadSchedule && (quint8(response[1]) == ScheduleChecksumLength) == indexed)
        return false;
    if (!indexed || quint8(response[1]) <= 2)
        return true;
    return response[2] == request[2];
}
