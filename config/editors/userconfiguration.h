// The user editor's working copy of the server's users, with its loading and saving.
#pragma once

#include "config/editors/editorfaults.h"
#include "core/exchange/serverrecords.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// The five rights of a tank in the order of the editor's rows 1..5.
inline constexpr int RightCount = 5;
// nivo, temperatura, masa, zapremina, istorija for right 1..5; any other number is a programming
// error (throws).
quint8 &rightFlag(TankRights &rights, int right);
quint8 rightFlag(const TankRights &rights, int right);

// The 15 rights records of a user with every right refused, each naming its slot's tank number.
SlotArray<TankRights> refusedRights();

// The editor's copy of one user. Texts are the record's Windows-1252 bytes. A new user's rights
// name their tanks from the start: a record of tank number 0 matches no tank, which the login
// takes as nothing to hide.
struct UserRecord
{
    bool inUse = false;                                   // known to the server: loaded, or written by this editor
    QByteArray name = QByteArray(UserNameSize, ' ');      // 40 bytes
    QByteArray serverKey = QByteArray(UserKeySize, '\0'); // the password the server holds the record under
    QByteArray password = QByteArray(UserKeySize, ' ');   // the password to store
    SlotArray<TankRights> rights = refusedRights();       // flags 0 or 1
    bool operator==(const UserRecord &) const = default;
};

// The name as the user list shows it: the 40 bytes up to the first NUL, trailing blanks kept.
QString shownName(const UserRecord &user);
// The password as its box shows it: the 8 bytes up to the first NUL.
QString shownPassword(const UserRecord &user);
// The typed text in upper case, cut to size and padded with blanks: how names and passwords are kept.
QByteArray paddedText(const QString &text, int size);

// The working copy of the user editor.
struct UserConfiguration
{
    QList<UserRecord> users;  // at most MaxUsers, in server order
    QList<UserRecord> stored; // the users as the last load found them on the server
    int selected = 0;         // 1-based; 0 when no user is selected
    bool loaded = false;      // the users came from the server and may be saved

    // Null when no user is selected.
    UserRecord *selectedUser();
    // Something was added or changed since the last load that a save would write.
    bool hasUnsavedChanges() const { return loaded && users != stored; }
};

enum class NewUserOutcome { Added, NoName, NoPassword, Full };

// Appends a user with every right refused, not selected and not yet known to the server. Refused
// with the first reason that applies: an empty name, an empty password, a list of MaxUsers.
NewUserOutcome addUser(UserConfiguration &configuration, const QString &name, const QString &password);

// The confirmed password change: password = text, blank-padded; an empty text gives 8 NUL bytes.
// serverKey stays the key the server holds until the user has been written.
void confirmPassword(UserRecord &user, const QString &text);

// Reads user-key pages 1 (and 2 when page 1 is full), then every user by its key, up to 5 tries
// each. On success `loaded` is true, also for a server without users, and nothing is selected.
// A failure gives the record whose read failed and an empty, unloaded configuration.
struct UserLoading
{
    UserConfiguration configuration;
    std::optional<ServerRecord> failure; // UserKeys or User
};
UserLoading loadUsers(ServerExchange &server);

// The record written for the user: its server key (8 NUL bytes before the first write), its
// password (8 NUL bytes when it is all blanks), name and rights; the level is left 0 for the
// server to keep.
UserWire userWireFor(const UserRecord &user);

// Writes users 1..n in order, up to 5 tries each; after each successful write the user is in use
// and the server holds it under its password. Stops at the first failed write, which it returns,
// named by the user's name.
std::optional<WriteFailure> saveUsers(ServerExchange &server, QList<UserRecord> &users);
