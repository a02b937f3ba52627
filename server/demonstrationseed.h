// The demonstration plant a new store starts with: materials, tanks, console screens and two users.
#pragma once

#include "core/plant/plantmodel.h"
#include "core/exchange/serverrecords.h"

#include <QList>

struct DemonstrationSeed
{
    QList<MaterialRecord> materials;              // list order, codes 203, 204, ...
    SlotArray<TankParamsWire> tanks;
    SlotArray<ConsoleScreen> screens;
    QList<UserWire> users;                        // creation order; key and password alike
};

// Built once from the tables in the source file. Users: "ADMINISTRATOR" (password ADMIN, level 1)
// with every right, "OPERATER" (OPER, level 3) with every right but history on tanks 96 and 97.
const DemonstrationSeed &demonstrationSeed();
