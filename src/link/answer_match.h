#pragma once
// Whether a well-formed answer of the right function answers this request
// and not another of the same function. After a timeout the link moves on
// at the next tick, and the late answer to the request that timed out can
// then arrive while the next request of that function is awaited.
//
// Only the schedule's reads are judged here: their answers are gathered in
// the order they come, so one taken for another slot would put a record,
// holiday or transfer where it does not belong, or drop one. Readings,
// routes and journal rows are filed by the index their answer carries, and
// their decoders deal with an index out of range themselves.

#include <QByteArray>

// A record, holiday or transfer slot is answered with its index in byte 2;
// the schedule's checksum, asked without an index, is the only answer of
// its function with length byte 4. An answer without data bytes carries no
// index to compare.
bool AnswersRequest(const QByteArray& request, const QByteArray& response);
