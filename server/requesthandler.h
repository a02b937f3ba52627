// Answers every exchange request from the plant store: the request codes, their records and statuses.
#pragma once

#include "core/exchange/liverecord.h"
#include "core/exchange/serverexchange.h"

#include <QtGlobal>

class PlantStore;

// The newest live values, as the acquisition polled them; read from the request handler's thread.
class LiveValues
{
public:
    virtual ~LiveValues() = default;
    virtual LiveRecord latest() const = 0;
};

// What the first bytes of a buffer ask for.
enum class RequestKind { Status, Live, UserKeys, User, MaterialList, Material, TankParams, ConsoleScreen, Unknown };

struct Request
{
    RequestKind kind = RequestKind::Unknown;
    qint32 code = 0; // the first 4 bytes, little-endian
};

// A value of 0..999 in the first 4 bytes is a request code, anything else a user key; a write whose
// first 8 bytes are all NUL is a new user, not code 0. Known codes: 0 (status), 500 (live values), 1 and 2 (user-key
// pages), 200..202 (material list pages), 203..298 (materials), 300 and 400 + a number of
// TankIdList (tank parameters, console screens). Every other code is Unknown.
Request classifyRequest(ExchangeOperation operation, const ExchangeBuffer &buffer);
// A write whose first 8 bytes are all NUL: a new user.
bool isNewUserRequest(ExchangeOperation operation, const ExchangeBuffer &buffer);
// 8 key bytes as the store holds keys: the text up to the first NUL, upper case, blank-padded.
QByteArray normalizedUserKey(QByteArrayView bytes);

// A user created by a write starts with this level; updates keep the stored level.
inline constexpr qint32 NewUserLevel = 3;

// Statuses, besides Success:
// - UnknownRequest: an Unknown code; a write of code 0, 1, 2 or 500; a read of code 500 without
//   acquisition; a read of a material, tank or
//   console screen the store holds no record for.
// - MalformedRecord: a short text whose length byte exceeds its capacity; a material list page of
//   more than 32 entries, or whose entries' codes are not 202 + their list position; a material
//   whose code at offset 28 is not its request code; tank parameters whose tank number is not the
//   request code - 300; a geometry value or density that is not finite; a user write whose
//   password is empty (NUL bytes or blanks).
// - UnknownUser: a user read or update under a key no user has.
// - PasswordTaken: a user write whose password another user already has.
// - StoreFailed: the database failed, or a new user would be the 101st.
// Keys and passwords are compared as the login sends them: up to the first NUL, in upper case,
// blank-padded to 8.
class RequestHandler
{
public:
    // The store, and the live values when there are any, must outlive the handler.
    explicit RequestHandler(PlantStore &store, const LiveValues *live = nullptr)
        : m_store(store)
        , m_live(live)
    {}

    // A read leaves bytes 0..23 as they came and, on success only, the reply record at offset 24
    // with the rest of the buffer zero. A write never changes the buffer: on success it is the echo.
    // A record is validated whole before anything is stored.
    qint32 handle(ExchangeOperation operation, ExchangeBuffer &buffer);

private:
    qint32 read(const Request &request, ExchangeBuffer &buffer);
    qint32 write(const Request &request, const ExchangeBuffer &buffer);
    qint32 writeUser(const ExchangeBuffer &buffer);
    qint32 writeMaterialListPage(const Request &request, const ExchangeBuffer &buffer);
    qint32 writeMaterial(const Request &request, const ExchangeBuffer &buffer);
    qint32 writeTankParams(const Request &request, const ExchangeBuffer &buffer);
    qint32 writeConsoleScreen(const Request &request, const ExchangeBuffer &buffer);

    PlantStore &m_store;
    const LiveValues *m_live;
};
