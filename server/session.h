// One TCP connection's session: unbound until its login read, then the user it proved to be.
#pragma once

#include "server/requesthandler.h"

#include <QByteArray>
#include <QString>

#include <optional>

struct SessionUser
{
    QByteArray key; // the stored key the session logged in with
    qint32 level = 0;
    QString name;
    int position = 0;
    // Levels 1 and 2 may read every user and write the configuration; any other level may not.
    bool configures() const { return level == 1 || level == 2; }
};

struct Session
{
    QString address; // the client's address, without the port
    std::optional<SessionUser> user;
    int failedLogins = 0;
};

// Whether a session may make a request, decided before the store is touched:
// - the status read and the live values are answered to everybody: the plant map shows them to
//   whoever stands at the screen;
// - a user read is the login: an unbound session may make it (and is bound by its success), a
//   level-3 session only under its own key, a configuring session under any key;
// - tank parameters, materials, material-list pages, console screens and unknown codes are read by
//   any bound session;
// - the user-key pages and every write need a configuring session.
// `key` is the normalized key of a user request and is ignored for the others.
bool sessionMayRequest(const Session &session, ExchangeOperation operation, const Request &request,
                       const QByteArray &key);
