// Rights, logins and the audit trail around the request handler.
#include "server/sessionhandler.h"

#include "core/services/clock.h"
#include "server/auditchanges.h"
#include "server/loginthrottle.h"
#include "server/plantstore.h"
#include "server/serverlog.h"

#include <variant>

namespace {

using namespace Qt::StringLiterals;

// The store's record a write replaces, read before and after it, so the audit can tell what changed.
using Snapshot = std::variant<std::monostate, std::optional<UserWire>, MaterialTable, MaterialRecord, TankParamsWire,
                              ConsoleScreen>;

QString who(const Session &session)
{
    return session.user ? u"%1 (%2)"_s.arg(session.user->name).arg(session.user->position) : u"-"_s;
}

// The audit's code column never carries a user key: that is the user's password.
QString codeText(const Request &request)
{
    return request.kind == RequestKind::User ? u"korisnik"_s : QString::number(request.code);
}

template <typename T> T valueOr(const StoreResult<T> &result) { return result.ok() ? result.value : T{}; }

std::optional<UserWire> storedUser(PlantStore &store, const QByteArray &key)
{
    StoreResult<UserWire> found = store.user(key);
    return found.ok() ? std::optional<UserWire>(found.value) : std::nullopt;
}

// The new password a user write carries, normalized as the store keeps it.
QByteArray writtenPassword(const ExchangeBuffer &buffer)
{
    return normalizedUserKey(QByteArrayView(buffer.data() + UserPasswordOffset, UserKeySize));
}

Snapshot snapshot(PlantStore &store, const Request &request, const QByteArray &key)
{
    switch (request.kind) {
    case RequestKind::User:
        return key.isEmpty() ? std::optional<UserWire>() : storedUser(store, key);
    case RequestKind::MaterialList:
        return valueOr(store.materialListPage(request.code - MaterialListPage1Code));
    case RequestKind::Material:
        return valueOr(store.material(request.code));
    case RequestKind::TankParams:
        return valueOr(store.tank(request.code - TankParamsCodeBase));
    case RequestKind::ConsoleScreen:
        return valueOr(store.consoleScreen(request.code - ConsoleScreenCodeBase));
    default:
        return {};
    }
}

QStringList changesBetween(const Request &request, const Snapshot &before, const Snapshot &after)
{
    switch (request.kind) {
    case RequestKind::User: {
        const auto &now = std::get<std::optional<UserWire>>(after);
        return now ? userChanges(std::get<std::optional<UserWire>>(before), *now) : QStringList();
    }
    case RequestKind::MaterialList:
        return materialListChanges(request.code - MaterialListPage1Code, std::get<MaterialTable>(before),
                                   std::get<MaterialTable>(after));
    case RequestKind::Material:
        return materialChanges(std::get<MaterialRecord>(before), std::get<MaterialRecord>(after));
    case RequestKind::TankParams:
        return tankChanges(std::get<TankParamsWire>(before), std::get<TankParamsWire>(after));
    case RequestKind::ConsoleScreen:
        return consoleScreenChanges(request.code - ConsoleScreenCodeBase, std::get<ConsoleScreen>(before),
                                    std::get<ConsoleScreen>(after));
    default:
        return {};
    }
}

} // namespace

qint32 SessionHandler::handle(Session &session, ExchangeOperation operation, ExchangeBuffer &buffer)
{
    const Request request = classifyRequest(operation, buffer);
    const QByteArray key = request.kind == RequestKind::User && !isNewUserRequest(operation, buffer)
                               ? normalizedUserKey(QByteArrayView(buffer.data(), UserKeySize))
                               : QByteArray();
    if (!sessionMayRequest(session, operation, request, key)) {
        const bool writing = operation == ExchangeOperation::Write;
        m_log.write(LogLevel::Info, u"%1 %2: %3 %4 refused"_s.arg(session.address, who(session),
                                                                  writing ? u"write"_s : u"read"_s, codeText(request)));
        if (writing)
            audit(session, codeText(request), u"odbijeno: nema prava izmene"_s);
        return ExchangeStatus::AccessRefused;
    }
    if (operation == ExchangeOperation::Write)
        return write(session, request, buffer);
    if (request.kind == RequestKind::User && !session.user)
        return login(session, buffer, key);
    return m_handler.handle(operation, buffer);
}

qint32 SessionHandler::login(Session &session, ExchangeBuffer &buffer, const QByteArray &key)
{
    const qint32 status = m_handler.handle(ExchangeOperation::Read, buffer);
    if (status == ExchangeStatus::UnknownUser) {
        ++session.failedLogins;
        m_log.write(LogLevel::Info, u"%1: failed login"_s.arg(session.address));
        audit(session, u"korisnik"_s, u"neuspesna prijava"_s);
        if (m_throttle.recordFailure(session.address)) {
            m_log.write(
                LogLevel::Warning,
                u"%1: %2 failed logins within %3 minutes, new connections refused for %3 minutes"_s.arg(session.address)
                    .arg(LoginThrottle::FailuresPerAddress)
                    .arg(LoginThrottle::WindowSeconds / 60));
        }
        return status;
    }
    if (status != ExchangeStatus::Success)
        return status;
    const UserWire user = *decodeUserWire(replyRecord(buffer));
    const StoreResult<QList<StoredUser>> users = m_store.users();
    int position = 0;
    for (const StoredUser &stored : users.value) {
        if (stored.user.key == key)
            position = stored.position;
    }
    session.user = SessionUser{key, user.level, userNameText(user), position};
    m_log.write(LogLevel::Info, u"%1 %2: logged in, level %3"_s.arg(session.address, who(session)).arg(user.level));
    audit(session, u"korisnik"_s, u"prijava"_s);
    return status;
}

qint32 SessionHandler::write(Session &session, const Request &request, ExchangeBuffer &buffer)
{
    const bool newUser = isNewUserRequest(ExchangeOperation::Write, buffer);
    const QByteArray key = request.kind == RequestKind::User && !newUser
                               ? normalizedUserKey(QByteArrayView(buffer.data(), UserKeySize))
                               : QByteArray();
    const QByteArray afterKey = request.kind == RequestKind::User ? writtenPassword(buffer) : QByteArray();
    // The write and its audit row are stored together or not at all.
    qint32 status = ExchangeStatus::StoreFailed;
    const StoreStatus stored = m_store.atomically([&] {
        const Snapshot before = snapshot(m_store, request, key);
        status = m_handler.handle(ExchangeOperation::Write, buffer);
        if (status != ExchangeStatus::Success)
            return StoreStatus::Failed;
        const QString change = changeText(changesBetween(request, before, snapshot(m_store, request, afterKey)));
        return m_store.appendAudit(auditRow(session, codeText(request), change));
    });
    if (status == ExchangeStatus::Success && stored != StoreStatus::Ok) {
        m_log.write(LogLevel::Warning, u"cannot write the audit trail: %1"_s.arg(m_store.lastError()));
        status = ExchangeStatus::StoreFailed;
    }
    if (status != ExchangeStatus::Success) {
        m_log.write(LogLevel::Info, u"%1 %2: write %3 failed with %4"_s.arg(
                                        session.address, who(session), codeText(request), QString::number(status)));
        return status;
    }
    if (session.user && !key.isEmpty() && key == session.user->key) {
        // The session's own user took a new password or name: a repeated login must use them.
        session.user->key = afterKey;
        // A store that fails on the read-back keeps the old name; the key is what the login needs.
        if (const auto user = std::get<std::optional<UserWire>>(snapshot(m_store, request, afterKey)))
            session.user->name = userNameText(*user);
    }
    m_log.write(LogLevel::Info, u"%1 %2: wrote %3"_s.arg(session.address, who(session), codeText(request)));
    return status;
}

AuditRow SessionHandler::auditRow(const Session &session, const QString &code, const QString &change) const
{
    return {m_clock.now().toUTC(),
            session.user ? session.user->name : QString(),
            session.user ? session.user->position : 0,
            session.address,
            code,
            change};
}

void SessionHandler::audit(const Session &session, const QString &code, const QString &change)
{
    if (m_store.appendAudit(auditRow(session, code, change)) != StoreStatus::Ok)
        m_log.write(LogLevel::Warning, u"cannot write the audit trail: %1"_s.arg(m_store.lastError()));
}
