// The one request/reply exchange with the acquisition server, its statuses and the retry pattern.
#pragma once

#include "core/exchange/serverrecords.h"

#include <QString>
#include <QtGlobal>

// Statuses of an exchange. The server reports failures of its own with the codes from 10002 on;
// 10001 is only ever produced on the client's side, when the server cannot be reached.
namespace ExchangeStatus {
inline constexpr qint32 Success = 10000;
inline constexpr qint32 NoConnection = 10001;
inline constexpr qint32 UnknownRequest = 10002;
inline constexpr qint32 MalformedRecord = 10003;
inline constexpr qint32 UnknownUser = 10004;
inline constexpr qint32 PasswordTaken = 10005;
inline constexpr qint32 StoreFailed = 10006;
// The session may not make this request: it is not logged in, or its user's level forbids it.
inline constexpr qint32 AccessRefused = 10007;
} // namespace ExchangeStatus

enum class ExchangeOperation : quint8 { Read = 1, Write = 2 };

// Tries of one retry loop: the login and the editors try 5 times, the live refresh 3 times.
inline constexpr int LoginTries = 5;
inline constexpr int EditorTries = 5;
inline constexpr int RefreshTries = 3;

// One synchronous exchange at a time, on the GUI thread; the caller waits for the status.
class ServerExchange
{
public:
    virtual ~ServerExchange() = default;

    // The request (code or key) lies at offset 0; on success the reply record lies at offset 24.
    virtual qint32 read(ExchangeBuffer &buffer) = 0;
    // The whole record lies at offset 0.
    virtual qint32 write(ExchangeBuffer &buffer) = 0;

    // A login is about to read its user: a network exchange starts a new connection for it, so that
    // the server binds the session to that user alone. The in-process exchange needs nothing.
    virtual void beginSession() {}
    // Why the last exchange could not reach the server (a refused connection, a TLS error), in
    // plain words; empty when it did or nothing more is known.
    virtual QString lastFailure() const { return {}; }
    // True for the server built into the client, which answers the client's own store in its own
    // process; a session there may configure without a password, a session with a real server not.
    virtual bool isBuiltIn() const { return false; }

    qint32 exchange(ExchangeOperation operation, ExchangeBuffer &buffer);
};

// Performs the exchange until it succeeds or `tries` attempts are spent (at least one), starting
// every attempt from the request as it was given: a failed read may have overwritten the buffer.
// Returns the last status; on success the buffer holds the reply.
qint32 exchangeWithRetry(ServerExchange &server, ExchangeOperation operation, ExchangeBuffer &buffer, int tries);

// One read of up to `tries` tries, its reply decoded with decode(replyRecord): nullopt when the read
// failed or the reply does not decode. status is the last exchange's status (Success when only the
// decoding failed).
template <typename Decode>
auto readRecord(ServerExchange &server, ExchangeBuffer request, Decode decode, qint32 &status, int tries = LoginTries)
    -> decltype(decode(replyRecord(request)))
{
    status = exchangeWithRetry(server, ExchangeOperation::Read, request, tries);
    if (status != ExchangeStatus::Success)
        return std::nullopt;
    return decode(replyRecord(request));
}

// Encodes the record into a zeroed buffer and writes it with up to `tries` tries; the last status.
template <typename Record, typename Encode>
qint32 writeRecord(ServerExchange &server, const Record &record, Encode encode, int tries = EditorTries)
{
    ExchangeBuffer buffer{};
    encode(record, buffer);
    return exchangeWithRetry(server, ExchangeOperation::Write, buffer, tries);
}
