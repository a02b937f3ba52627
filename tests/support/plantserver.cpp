// The scripted plant server of the login tests.
#include "tests/support/plantserver.h"

#include "core/codec/bytes.h"

PlantServer::PlantServer()
{
    user.key = "OPER    ";
    user.level = 3;
    user.password = user.key;
    user.userName = QByteArray("Operater Petar").leftJustified(UserNameSize, ' ');
    for (int slot = 1; slot <= TankCount; ++slot)
        user.rights[slot] = TankRights{static_cast<quint8>(TankIdList[slot]), 1, 1, 1, 1, 1};
    user.rights[3] = TankRights{78, 0, 0, 0, 0, 1};
}

qint32 PlantServer::answer(ExchangeOperation operation, ExchangeBuffer &buffer) const
{
    if (operation != ExchangeOperation::Read)
        return ExchangeStatus::UnknownRequest;
    const qint32 code = *readI32(buffer, 0);
    if (const auto failure = failing.find(code); failure != failing.end())
        return failure->second;
    std::span<char> reply = std::span<char>(buffer).subspan(ReplyOffset);
    if (QByteArray(buffer.data(), UserKeySize) == user.key)
        return encodeUserWire(user, reply) ? ExchangeStatus::Success : ExchangeStatus::StoreFailed;
    if (const auto slot = slotOfTank(code - TankParamsCodeBase)) {
        const qint32 tank = code - TankParamsCodeBase;
        encodeTankParamsWire({code, tank, tank / 10.0, 12, 11, 150, 10, 1000, 2, QStringLiteral("S%1").arg(tank), 203 + *slot}, reply);
        return ExchangeStatus::Success;
    }
    if (code >= FirstMaterialCode && code <= LastMaterialCode) {
        const MaterialRecord material{static_cast<quint16>(code), QStringLiteral("M%1").arg(code),
                                      QStringLiteral("Ime %1").arg(code), QStringLiteral("Vrsta %1").arg(code), 900.0 + code};
        encodeMaterialWire({code, material}, reply);
        return ExchangeStatus::Success;
    }
    return code < RequestCodeLimit ? ExchangeStatus::UnknownRequest : unknownUserStatus;
}
