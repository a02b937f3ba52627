// The material list with every material's own record, read the same way by the tank and material editors.
#pragma once

#include "core/exchange/exchangemessages.h"
#include "core/plant/plantmodel.h"

#include <QList>

#include <optional>

class ServerExchange;

struct MaterialRecordsRead
{
    QList<MaterialRecord> materials;    // in list order; complete only when nothing failed
    std::optional<ServerRecord> failed; // the record whose read failed for good
    bool ok() const { return !failed; }
};

// Reads the three list pages, then the record of every entry in list order (the material's code
// taken from the record), each with up to 5 tries; stops at the first read that fails. An empty
// list read whole is a success.
MaterialRecordsRead readMaterialRecords(ServerExchange &server);
