// What stops an editor's save: numbers typed into cells that do not convert or lie outside their
// column's range, and writes the server did not take. Plain values and texts; the window shows them.
#pragma once

#include "core/exchange/exchangemessages.h"

#include <QList>
#include <QString>

// The values a column takes: from low (or above it, when low is excluded) to high.
struct NumberRange
{
    double low;
    double high;
    bool lowIncluded = true;
    bool operator==(const NumberRange &) const = default;
};

enum class NumberFault { None, NotANumber, OutOfRange };

struct TypedNumber
{
    double value = 0;
    NumberFault fault = NumberFault::None;
};

// A cell's text without its surrounding blanks, "," counting as ".": NotANumber when the text does
// not convert whole (the empty one too), OutOfRange when the value lies outside range. value is 0
// unless fault is None.
TypedNumber parseTypedNumber(const QString &text, NumberRange range);

// A typed cell that stops a save.
struct CellFault
{
    QString record; // "R 74", "Materijal 3 (SUNCOKRET)"
    QString column; // the column's header
    QString text;   // as typed
    NumberFault fault;
    NumberRange range;
    bool operator==(const CellFault &) const = default;
};

// The one message of a save stopped by faults: a first line, then one line per cell, as
// `R 74, D [m]: "abc" nije broj.` or `R 79, V maksimalno [m3]: "1e20" nije u opsegu od 0 do 100000.`
QString cellFaultsText(const QList<CellFault> &faults);

// A write the server did not take, after its tries.
struct WriteFailure
{
    QString record; // "R 74", the user's name; empty for a record the failure text names alone
    qint32 status;  // the last exchange's status
    bool operator==(const WriteFailure &) const = default;
};

// Why a write failed, in the operator's words, for the statuses that tell it: no connection, a
// password another user has, a store failure, access refused; empty for the others.
QString writeFailureReason(qint32 status);

// The one message of a save whose writes failed: the record's failure text, then the failed records
// grouped by reason, e.g. "R 74, R 75: Racunar nije uspostavio vezu sa serverom.". A refused
// access is the whole message: the operator may change nothing, whichever the record.
QString writeFailuresText(ServerRecord record, const QList<WriteFailure> &failures);
