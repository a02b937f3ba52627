// The lists the server keeps over several pages: user keys and the material list.
#pragma once

#include "core/exchange/serverexchange.h"

#include <QByteArray>
#include <QList>

#include <array>

// The outcome of a paged read: the status of the last exchange and what was read until then.
// A reply that does not decode counts as a failure with ExchangeStatus::MalformedRecord.
template <typename List> struct PagedRead
{
    qint32 status = ExchangeStatus::Success;
    List list;
    bool ok() const { return status == ExchangeStatus::Success; }
};

// Page 1 (code 1), then page 2 (code 2) only when page 1 held exactly 50 keys: at most 100 keys.
PagedRead<QList<QByteArray>> readUserKeys(ServerExchange &server, int tries = EditorTries);

// Always all three pages 200, 201 and 202; the list is their entries in order, at most 96.
PagedRead<MaterialTable> readMaterialList(ServerExchange &server, int tries = EditorTries);

// How a list of n materials is split over the three pages: 32, 32 and the rest, at most 96.
std::array<int, MaterialListPages> materialPageCounts(qsizetype n);

// Writes pages 200, 201 and 202 in turn, each with its count, also when the count is 0; stops at
// the first page that fails and returns its status. Entries beyond 96 are not written.
qint32 writeMaterialList(ServerExchange &server, const MaterialTable &list, int tries = EditorTries);
