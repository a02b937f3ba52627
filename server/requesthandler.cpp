// Request dispatch, record validation and replies of the acquisition server.
#include "server/requesthandler.h"

#include "core/codec/bytes.h"
#include "core/codec/shorttext.h"
#include "server/plantstore.h"

#include <algorithm>

namespace {

qint32 statusOf(StoreStatus status, qint32 notFound)
{
    switch (status) {
    case StoreStatus::Ok:
        return ExchangeStatus::Success;
    case StoreStatus::NotFound:
        return notFound;
    case StoreStatus::PasswordTaken:
        return ExchangeStatus::PasswordTaken;
    case StoreStatus::Full:
    case StoreStatus::Failed:
        break;
    }
    return ExchangeStatus::StoreFailed;
}

bool isNewUserKey(const ExchangeBuffer &buffer)
{
    return std::all_of(buffer.begin(), buffer.begin() + UserKeySize, [](char c) { return c == '\0'; });
}

// Every fault of a record a client writes makes it malformed.
qint32 statusOf(const RecordCheck &check)
{
    return check.fault == RecordFault::None ? ExchangeStatus::Success : ExchangeStatus::MalformedRecord;
}

// Zeroes the reply area and encodes a successful result at offset 24; a failure leaves the buffer.
template <typename T, typename Encode>
qint32 answer(const StoreResult<T> &result, qint32 notFound, ExchangeBuffer &buffer, Encode encode)
{
    if (!result.ok())
        return statusOf(result.status, notFound);
    const std::span<char> reply = std::span<char>(buffer).subspan(ReplyOffset);
    std::fill(reply.begin(), reply.end(), '\0');
    encode(result.value, reply);
    return ExchangeStatus::Success;
}

} // namespace

bool isNewUserRequest(ExchangeOperation operation, const ExchangeBuffer &buffer)
{
    return operation == ExchangeOperation::Write && isNewUserKey(buffer);
}

QByteArray normalizedUserKey(QByteArrayView bytes) { return userKeyFor(textUpToNul(bytes.first(UserKeySize))); }

Request classifyRequest(ExchangeOperation operation, const ExchangeBuffer &buffer)
{
    const qint32 code = *readI32(buffer, 0);
    if (isNewUserRequest(operation, buffer) || code < 0 || code >= RequestCodeLimit)
        return {RequestKind::User, code};
    RequestKind kind = RequestKind::Unknown;
    if (code == StatusRequestCode)
        kind = RequestKind::Status;
    else if (code == LiveRequestCode)
        kind = RequestKind::Live;
    else if (code == UserKeysPage1Code || code == UserKeysPage2Code)
        kind = RequestKind::UserKeys;
    else if (code >= MaterialListPage1Code && code < MaterialListPage1Code + MaterialListPages)
        kind = RequestKind::MaterialList;
    else if (code >= FirstMaterialCode && code <= LastMaterialCode)
        kind = RequestKind::Material;
    else if (slotOfTank(code - TankParamsCodeBase))
        kind = RequestKind::TankParams;
    else if (slotOfTank(code - ConsoleScreenCodeBase))
        kind = RequestKind::ConsoleScreen;
    return {kind, code};
}

qint32 RequestHandler::handle(ExchangeOperation operation, ExchangeBuffer &buffer)
{
    const Request request = classifyRequest(operation, buffer);
    return operation == ExchangeOperation::Read ? read(request, buffer) : write(request, buffer);
}

qint32 RequestHandler::read(const Request &request, ExchangeBuffer &buffer)
{
    constexpr qint32 noRecord = ExchangeStatus::UnknownRequest;
    switch (request.kind) {
    case RequestKind::Status:
        return ExchangeStatus::Success;
    case RequestKind::Live:
        if (!m_live)
            return noRecord;
        return answer(StoreResult<LiveRecord>{StoreStatus::Ok, m_live->latest()}, noRecord, buffer, encodeLiveRecord);
    case RequestKind::UserKeys: {
        const StoreResult<QList<StoredUser>> users = m_store.users();
        UserKeyListPage page;
        const qsizetype first = (request.code - UserKeysPage1Code) * UserKeysPerPage;
        for (const StoredUser &stored : users.value.mid(first, UserKeysPerPage))
            page.keys.append(stored.user.key);
        return answer(StoreResult<UserKeyListPage>{users.status, page}, noRecord, buffer, encodeUserKeyListPage);
    }
    case RequestKind::User:
        return answer(m_store.user(normalizedUserKey(QByteArrayView(buffer.data(), UserKeySize))),
                      ExchangeStatus::UnknownUser, buffer, encodeUserWire);
    case RequestKind::MaterialList:
        return answer(m_store.materialListPage(request.code - MaterialListPage1Code), noRecord, buffer,
                      [&](const MaterialTable &entries, std::span<char> out) {
                          return encodeMaterialListPage({request.code, entries}, out);
                      });
    case RequestKind::Material:
        return answer(m_store.material(request.code), noRecord, buffer,
                      [&](const MaterialRecord &material, std::span<char> out) {
                          return encodeMaterialWire({request.code, material}, out);
                      });
    case RequestKind::TankParams:
        return answer(m_store.tank(request.code - TankParamsCodeBase), noRecord, buffer, encodeTankParamsWire);
    case RequestKind::ConsoleScreen:
        return answer(m_store.consoleScreen(request.code - ConsoleScreenCodeBase), noRecord, buffer,
                      [&](const ConsoleScreen &screen, std::span<char> out) {
                          return encodeConsoleScreenWire({request.code, screen}, out);
                      });
    case RequestKind::Unknown:
        break;
    }
    return ExchangeStatus::UnknownRequest;
}

qint32 RequestHandler::write(const Request &request, const ExchangeBuffer &buffer)
{
    switch (request.kind) {
    case RequestKind::User:
        return writeUser(buffer);
    case RequestKind::MaterialList:
        return writeMaterialListPage(request, buffer);
    case RequestKind::Material:
        return writeMaterial(request, buffer);
    case RequestKind::TankParams:
        return writeTankParams(request, buffer);
    case RequestKind::ConsoleScreen:
        return writeConsoleScreen(request, buffer);
    case RequestKind::Status:
    case RequestKind::Live:
    case RequestKind::UserKeys:
    case RequestKind::Unknown:
        break;
    }
    return ExchangeStatus::UnknownRequest;
}

qint32 RequestHandler::writeUser(const ExchangeBuffer &buffer)
{
    const Decoded<UserWire> decoded = checkUserWire(buffer);
    if (!decoded.sound())
        return statusOf(decoded.check);
    UserWire user = *decoded.sound();
    user.password = normalizedUserKey(user.password);
    if (user.password == QByteArray(UserKeySize, ' '))
        return ExchangeStatus::MalformedRecord;
    if (isNewUserRequest(ExchangeOperation::Write, buffer)) {
        user.key = user.password;
        user.level = NewUserLevel;
        return statusOf(m_store.addUser(user), ExchangeStatus::UnknownUser);
    }
    return statusOf(m_store.updateUser(normalizedUserKey(user.key), user), ExchangeStatus::UnknownUser);
}

qint32 RequestHandler::writeMaterialListPage(const Request &request, const ExchangeBuffer &buffer)
{
    const Decoded<MaterialListPage> decoded = checkMaterialListPage(buffer);
    const MaterialListPage *page = decoded.sound();
    if (!page)
        return statusOf(decoded.check);
    const int index = request.code - MaterialListPage1Code;
    for (qsizetype i = 0; i < page->entries.size(); ++i) {
        if (page->entries[i].code != MaterialCodeBase + index * MaterialsPerPage + static_cast<int>(i) + 1)
            return ExchangeStatus::MalformedRecord;
    }
    return statusOf(m_store.saveMaterialListPage(index, page->entries), ExchangeStatus::UnknownRequest);
}

qint32 RequestHandler::writeMaterial(const Request &request, const ExchangeBuffer &buffer)
{
    const Decoded<MaterialWire> decoded = checkMaterialWire(buffer);
    if (!decoded.sound())
        return statusOf(decoded.check);
    const MaterialRecord &material = decoded.sound()->material;
    if (material.code != request.code)
        return ExchangeStatus::MalformedRecord;
    return statusOf(m_store.saveMaterial(material), ExchangeStatus::UnknownRequest);
}

qint32 RequestHandler::writeTankParams(const Request &request, const ExchangeBuffer &buffer)
{
    const Decoded<TankParamsWire> decoded = checkTankParamsWire(buffer);
    const TankParamsWire *tank = decoded.sound();
    if (!tank)
        return statusOf(decoded.check);
    if (tank->tankId != request.code - TankParamsCodeBase)
        return ExchangeStatus::MalformedRecord;
    return statusOf(m_store.saveTank(*tank), ExchangeStatus::UnknownRequest);
}

qint32 RequestHandler::writeConsoleScreen(const Request &request, const ExchangeBuffer &buffer)
{
    const Decoded<ConsoleScreenWire> decoded = checkConsoleScreenWire(buffer);
    if (!decoded.sound())
        return statusOf(decoded.check);
    return statusOf(m_store.saveConsoleScreen(request.code - ConsoleScreenCodeBase, decoded.sound()->screen),
                    ExchangeStatus::UnknownRequest);
}
