#pragma once
// The meter's frame: code, length byte (payload + 2), payload, CRC-16/MODBUS
// low byte first. An error reply is code + 0x80, 3, error number, CRC.

#include <QByteArray>
#include <QString>
#include <cstdint>

enum FunctionCode : quint8 {
    ReadVersion = 0,
    ReadNumber = 1,
    WriteNumber = 2,
    ReadClock = 4,
    WriteClock = 5,
    ReadLimitCoefficient = 6,
    WriteLimitCoefficient = 7,
    ReadSchedule = 8,
    WriteSchedule = 9,
    ReadPlcAddress = 10,
    WritePlcAddress = 11,
    ReadAveragePower = 12,
    ReadIndicator = 13,
    WriteIndicator = 14,
    ReadReadings = 15,
    ReadCounters = 17,
    ReadYearJournal = 18,
    ReadConsumptionJournal = 19,
    EnterPassword = 20,
    WritePassword = 21,
    ReadIntegrationTime = 30,
    WriteIntegrationTime = 31,
    ReadRoute = 32,
    WriteRoute = 33,
    ReadSettlement = 34,
    WriteSettlement = 35,
    ResetSettlementReadings = 36,
    ReadHolidays = 38,
    WriteHolidays = 39,
    ReadTransfers = 40,
    WriteTransfers = 41,
    ReadDdmStatus = 42,
    ReadPeakPowers = 43,
    ReadDdmNumber = 44,
    WriteDdmNumber = 45,
};

constexpr quint8 ErrorReplyBit = 0x80;
constexpr int ErrorReplyLength = 5;

quint16 Crc16(const char* data, qsizetype size);

// Appends the CRC of the whole frame, low byte first.
void AppendCrc(QByteArray& frame);

// The last two bytes checked against the CRC of everything before them.
bool CrcValid(const QByteArray& frame);

// Code, length byte and payload with the CRC appended: a complete frame.
QByteArray MakeFrame(quint8 code, const QByteArray& payload = {});

// The catalogue name of a function; bit 7 is ignored, so an error reply
// names the function it refuses.
QString CommandName(quint8 code);

// True for the codes the catalogue names (the only ones ever sent).
bool IsKnownFunction(quint8 code);

QString ErrorText(quint8 errorNumber);

// Bytes as upper-case hex pairs, each followed by one blank.
QString HexDump(const QByteArray& bytes);
