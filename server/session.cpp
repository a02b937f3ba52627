// The rights of a session on each kind of request.
#include "server/session.h"

bool sessionMayRequest(const Session &session, ExchangeOperation operation, const Request &request,
                       const QByteArray &key)
{
    const bool configures = session.user && session.user->configures();
    if (operation == ExchangeOperation::Write)
        return configures;
    switch (request.kind) {
    case RequestKind::Status:
    case RequestKind::Live:
        return true;
    case RequestKind::User:
        return !session.user || configures || session.user->key == key;
    case RequestKind::UserKeys:
        return configures;
    case RequestKind::MaterialList:
    case RequestKind::Material:
    case RequestKind::TankParams:
    case RequestKind::ConsoleScreen:
    case RequestKind::Unknown:
        return session.user.has_value();
    }
    return false;
}
