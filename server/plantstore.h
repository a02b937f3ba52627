// The server's plant configuration in one SQLite file: users, materials, tanks and console screens.
#pragma once

#include "core/plant/plantmodel.h"
#include "core/exchange/serverrecords.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

#include <functional>
#include <memory>
#include <optional>

class QSqlQuery;

// Where the server and the in-process exchange keep the store by default: "skladar-server.sqlite"
// in the application data folder of organisation "Tervo", application "Skladar". Both programs
// set those names on their application object before asking.
QString defaultStorePath();

// What a store operation came to. Failed covers every database error; lastError() tells which.
enum class StoreStatus { Ok, NotFound, PasswordTaken, Full, Failed };

template <typename T> struct StoreResult
{
    StoreStatus status = StoreStatus::Failed;
    T value{};
    bool ok() const { return status == StoreStatus::Ok; }
};

// A user as the store keeps it: `user.key` and `user.password` both hold the password.
struct StoredUser
{
    int position = 0; // 1, 2, ... in creation order
    UserWire user;
    bool operator==(const StoredUser &) const = default;
};

// One row of the audit trail: who did what, from where, when. Never holds a password.
struct AuditRow
{
    QDateTime time;   // UTC
    QString user;     // the session's user name; empty when the session was not logged in
    int position = 0; // the user's position; 0 when the session was not logged in
    QString address;  // the client's address
    QString code;     // the request code, or "korisnik" for a user record
    QString change;   // what changed, field by field, in the windows' words
    bool operator==(const AuditRow &) const = default;
};

class PlantStore;

struct StoreOpening
{
    std::unique_ptr<PlantStore> store; // null when the file could not be opened
    QString error;                     // why, in plain words; empty on success
};

// Passwords are the 8-byte keys of userKeyFor (upper case, blank-padded); texts are kept as the
// records carry them, the 40-byte user name and the console screens byte for byte. Every write is
// one transaction: it is stored whole or not at all. One instance owns one database connection
// and is used on the thread that opened it.
class PlantStore
{
public:
    // Opens the store at path. A missing or empty file is created readable and writable by its
    // owner only, together with its folder, and seeded with the demonstration plant.
    static StoreOpening open(const QString &path);

    ~PlantStore();
    PlantStore(const PlantStore &) = delete;
    PlantStore &operator=(const PlantStore &) = delete;

    const QString &path() const { return m_path; }
    // The database's message for the last Failed outcome.
    const QString &lastError() const { return m_lastError; }

    StoreResult<QList<StoredUser>> users();
    // NotFound when no user has the key.
    StoreResult<UserWire> user(const QByteArray &key);
    // Adds the user after the last one, with the level it carries. Full when MaxUsers are stored,
    // PasswordTaken when another user has its password.
    StoreStatus addUser(const UserWire &user);
    // Replaces the password, name and rights of the user held under key; the level stays.
    // NotFound when no user has the key, PasswordTaken when another user has the new password.
    StoreStatus updateUser(const QByteArray &key, const UserWire &user);
    StoreStatus setUserLevel(const QByteArray &key, qint32 level);

    // Pages 0..2 hold list positions 1..32, 33..64 and 65..96; saving a page replaces that page only.
    StoreResult<MaterialTable> materialListPage(int page);
    StoreStatus saveMaterialListPage(int page, const MaterialTable &entries);

    // Materials by code; NotFound for a code with no record.
    StoreResult<MaterialRecord> material(int code);
    StoreStatus saveMaterial(const MaterialRecord &material);

    // Tank parameters and console screens by tank number; NotFound for a tank with no row.
    StoreResult<TankParamsWire> tank(int tankId);
    StoreStatus saveTank(const TankParamsWire &tank);
    StoreResult<ConsoleScreen> consoleScreen(int tankId);
    StoreStatus saveConsoleScreen(int tankId, const ConsoleScreen &screen);

    // Runs work, made of this store's operations, as one transaction, committed only when it returns Ok.
    StoreStatus atomically(const std::function<StoreStatus()> &work);

    // The audit trail only grows: rows are appended, and read oldest first from the start of `since`
    // (UTC; an invalid date reads them all).
    StoreStatus appendAudit(const AuditRow &row);
    StoreResult<QList<AuditRow>> auditRows(const QDate &since);

    // A consistent copy of the whole store at path, readable by its owner only, taken with SQLite's
    // online backup while other connections may be writing.
    StoreStatus backup(const QString &path);

private:
    PlantStore(QString path, QString connectionName);

    std::optional<QString> prepare();
    bool seed();
    bool addAuditTable();
    // Prepares and runs one statement with positional values; nullopt (lastError set) on failure.
    std::optional<QSqlQuery> run(const QString &sql, const QVariantList &values = {});
    StoreStatus failed(const QString &error);
    // Runs work inside one transaction, committed only when work returns Ok.
    template <typename Work> StoreStatus inTransaction(Work work);

    // The users matching condition (a WHERE clause over `u`, the users table), rights included.
    StoreResult<QList<StoredUser>> selectUsers(const QString &condition, const QVariantList &values = {});
    StoreResult<int> positionOf(const QByteArray &key);
    bool writeRights(int position, const UserWire &user);
    bool insertUser(int position, const UserWire &user);
    bool insertMaterialListEntry(int position, const MaterialListEntry &entry);
    bool writeMaterial(const MaterialRecord &material);
    bool writeTank(const TankParamsWire &tank);
    bool writeConsoleScreen(int tankId, const ConsoleScreen &screen);

    QString m_path;
    QString m_connectionName;
    QSqlDatabase m_db;
    QString m_lastError;
    int m_transactionDepth = 0;
};
