// Failure texts of the server exchanges, in one table.
#include "core/exchange/exchangemessages.h"

#include "core/services/dialogs.h"

QString exchangeFailureText(ServerRecord record, ExchangeOperation operation)
{
    const bool read = operation == ExchangeOperation::Read;
    switch (record) {
    case ServerRecord::UserKeys:
        return QStringLiteral("Unos lozinki neuspesan!");
    case ServerRecord::User:
        return read ? QStringLiteral("Unos konfiguracije neuspesan.") : QStringLiteral("Upis konfiguracije neuspesan.");
    case ServerRecord::MaterialList:
        return read ? QStringLiteral("Neuspesan unos spiska materijala.")
                    : QStringLiteral("Neuspesan upis spiska materijala.");
    case ServerRecord::Material:
        return read ? QStringLiteral("Neuspesan unos podataka o materijalu.")
                    : QStringLiteral("Neuspesan upis podataka o materijalu.");
    case ServerRecord::TankParams:
        return QStringLiteral("Neuspesan unos podataka o rezervoaru.");
    case ServerRecord::ConsoleScreen:
        return read ? QStringLiteral("Neuspesan unos podataka sa NT konzole.")
                    : QStringLiteral("Neuspesan upis podataka na NT konzolu.");
    }
    return {};
}

QString exchangeFailureCaption(ServerRecord record)
{
    const bool userEditor = record == ServerRecord::UserKeys || record == ServerRecord::User;
    return userEditor ? QStringLiteral("Error...") : QStringLiteral("Error");
}

void reportExchangeFailure(Dialogs &dialogs, ServerRecord record, ExchangeOperation operation)
{
    dialogs.message(exchangeFailureText(record, operation), exchangeFailureCaption(record));
}

namespace LoginFailureText {

QString userRead(qint32 status)
{
    return status == ExchangeStatus::NoConnection ? QStringLiteral("Racunar nije uspostavio vezu sa serverom.")
                                                  : QStringLiteral("Korisnik nije prijavljen na serveru.");
}

QString tankParams() { return QStringLiteral("Neuspesan unos podataka o skladarma."); }

QString material() { return QStringLiteral("Neuspesan unos podataka o materijalima."); }

} // namespace LoginFailureText
