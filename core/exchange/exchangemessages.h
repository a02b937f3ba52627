// What the operator is told when an exchange with the server fails for good.
#pragma once

#include "core/exchange/serverexchange.h"

#include <QString>

class Dialogs;

// The records as the editors exchange them.
enum class ServerRecord { UserKeys, User, MaterialList, Material, TankParams, ConsoleScreen };

// The editors' failure text for a read or a write of the record.
QString exchangeFailureText(ServerRecord record, ExchangeOperation operation);
// "Error..." for the user editor's records, "Error" for the others.
QString exchangeFailureCaption(ServerRecord record);
// The failure text in a message box with its caption and one OK button.
void reportExchangeFailure(Dialogs &dialogs, ServerRecord record, ExchangeOperation operation);

// Texts of a failed server login, shown in the login window under "Error...".
namespace LoginFailureText {
QString userRead(qint32 status); // 10001: no connection; anything else: the user is not known
QString tankParams();
QString material();
} // namespace LoginFailureText
