// A scripted acquisition server holding one user and the 15 tanks, for the login tests.
#pragma once

#include "core/exchange/serverrecords.h"
#include "tests/support/scriptedexchange.h"

#include <map>

struct PlantServer
{
    UserWire user;     // answered for the key "OPER    "
    std::map<qint32, qint32> failing; // request code -> status it fails with
    qint32 unknownUserStatus = ExchangeStatus::UnknownUser;

    // level 3; every right on every tank except slot 3 (history only).
    PlantServer();

    // Tank number n has material 203 + slot and diameter n / 10.
    qint32 answer(ExchangeOperation operation, ExchangeBuffer &buffer) const;
    ScriptedExchange::Answer answerer() const
    {
        return [this](ExchangeOperation operation, ExchangeBuffer &buffer) { return answer(operation, buffer); };
    }
};
