#include "sim/reply.h"

#include <algorithm>

QList<QByteArray> Reply::Pieces() const
{
    QList<QByteArray> runs;
    if (bytes.isEmpty())
        return runs;
    const qsizetype count = std::clamp<qsizetype>(pieces, 1, bytes.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype end = bytes.size() * (i + 1) / count;
        runs.append(bytes.mid(start, end - start));
        start = end;
    }
    return runs;
}
