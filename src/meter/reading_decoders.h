#pragma once
// The decoders of the poll's read responses: each puts what its response
// carries into MeterReadings.

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>

class MeterReadings;
class ResponseFields;

class ReadingDecoders {
public:
    // The function codes decoded here.
    static QList<quint8> Codes();
    // Shows what a validated response to one of those codes carries. A
    // response too short for the fields its decoder reads shows nothing.
    static void Decode(MeterReadings& readings, const QByteArray& response);

private:
    using Decoder = void (*)(MeterReadings&, const ResponseFields&);
    static const QHash<quint8, Decoder>& Table();

    static void Version(MeterReadings& readings, const ResponseFields& response);
    static void Number(MeterReadings& readings, const ResponseFields& response);
    static void Clock(MeterReadings& readings, const ResponseFields& response);
    // The clock value shown; invalid when there is none.
    static QDateTime ShowClock(MeterReadings& readings, const ResponseFields& response);
    static void AveragePower(MeterReadings& readings, const ResponseFields& response);
    static void IndicatorMode(MeterReadings& readings, const ResponseFields& response);
    static void Reading(MeterReadings& readings, const ResponseFields& response);
    static void Counters(MeterReadings& readings, const ResponseFields& response);
    static void IntegrationTime(MeterReadings& readings, const ResponseFields& response);
    static void Settlement(MeterReadings& readings, const ResponseFields& response);
    static void DdmStatus(MeterReadings& readings, const ResponseFields& response);
    static void PeakPowers(MeterReadings& readings, const ResponseFields& response);
    static void DdmNumber(MeterReadings& readings, const ResponseFields& response);
};
