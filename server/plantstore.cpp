// The plant store on SQLite: schema, demonstration seed and one statement or transaction per operation.
#include "server/plantstore.h"

#include "core/codec/windows1252.h"
#include "server/demonstrationseed.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

#include <sqlite3.h>

#include <atomic>

namespace {

using namespace Qt::StringLiterals;

// PRAGMA user_version of the schema below; 0 is a file nobody has set up yet. Version 1 had no
// audit table; opening such a store adds it.
constexpr int SchemaVersion = 2;

const QString AuditTable
    = u"CREATE TABLE audit (id INTEGER PRIMARY KEY AUTOINCREMENT, time TEXT NOT NULL, user TEXT NOT NULL,"
      " position INTEGER NOT NULL, address TEXT NOT NULL, code TEXT NOT NULL, change TEXT NOT NULL)"_s;

// The protocol only ever appends audit rows; these triggers keep it so for any other writer too.
const QStringList &auditGuards()
{
    static const QStringList statements{
        u"CREATE TRIGGER audit_no_update BEFORE UPDATE ON audit BEGIN"
        " SELECT RAISE(ABORT, 'the audit trail is append-only'); END"_s,
        u"CREATE TRIGGER audit_no_delete BEFORE DELETE ON audit BEGIN"
        " SELECT RAISE(ABORT, 'the audit trail is append-only'); END"_s,
    };
    return statements;
}

constexpr auto AuditTimeFormat = "yyyy-MM-ddTHH:mm:ssZ";

const QStringList &schema()
{
    static const QStringList statements{
        u"CREATE TABLE users (position INTEGER PRIMARY KEY, password TEXT NOT NULL UNIQUE,"
        " level INTEGER NOT NULL, name TEXT NOT NULL)"_s,
        u"CREATE TABLE user_rights (position INTEGER NOT NULL REFERENCES users(position),"
        " slot INTEGER NOT NULL, tank INTEGER NOT NULL, nivo INTEGER NOT NULL,"
        " temperatura INTEGER NOT NULL, masa INTEGER NOT NULL, zapremina INTEGER NOT NULL,"
        " istorija INTEGER NOT NULL, PRIMARY KEY (position, slot))"_s,
        u"CREATE TABLE material_list (position INTEGER PRIMARY KEY, code INTEGER NOT NULL,"
        " sifra TEXT NOT NULL)"_s,
        u"CREATE TABLE materials (code INTEGER PRIMARY KEY, sifra TEXT NOT NULL, name TEXT NOT NULL,"
        " kind TEXT NOT NULL, density20 REAL NOT NULL)"_s,
        u"CREATE TABLE tanks (tank INTEGER PRIMARY KEY, diameter REAL NOT NULL, height REAL NOT NULL,"
        " gauge_height REAL NOT NULL, dead_zone_height REAL NOT NULL, max_level REAL NOT NULL,"
        " max_volume REAL NOT NULL, dead_zone_volume REAL NOT NULL, sifra TEXT NOT NULL,"
        " material_code INTEGER NOT NULL)"_s,
        u"CREATE TABLE console_screens (tank INTEGER PRIMARY KEY, line1 TEXT NOT NULL,"
        " line2 TEXT NOT NULL, line3 TEXT NOT NULL, line4 TEXT NOT NULL)"_s,
    };
    return statements;
}

// The 40-byte user name is kept without its NUL padding, so the shell shows it as text.
QString nameText(QByteArray bytes)
{
    while (bytes.endsWith('\0'))
        bytes.chop(1);
    return fromWindows1252(bytes);
}

QByteArray textBytes(const QString &text, int size, char padding)
{
    return toWindows1252(text).leftJustified(size, padding, true);
}

// An empty text, not SQL's NULL, for a null QString.
QString notNull(const QString &text) { return text.isNull() ? u""_s : text; }

// The columns of the tanks and materials tables, one per listed field, in the order of the list.
template <typename Visit> QStringList columnsOf(Visit visit)
{
    QStringList columns;
    visit([&](const auto &field) { columns.append(QString::fromLatin1(field.name)); });
    return columns;
}

QStringList tankColumns()
{
    return columnsOf([](auto column) { visitTankParamFields(column); });
}

QStringList materialColumns()
{
    return columnsOf([](auto column) { visitMaterialFields(column); });
}

// The columns of the user_rights table that hold the rights, prefixed for a join.
QStringList rightsColumns(const QString &prefix = {})
{
    QStringList columns;
    for (const TankRightsField &field : TankRightsFields)
        columns.append(prefix + QString::fromLatin1(field.name));
    return columns;
}

// An INSERT OR REPLACE of one row that gives every column.
QString insertStatement(const QString &table, const QStringList &columns)
{
    return u"INSERT OR REPLACE INTO %1 (%2) VALUES (%3)"_s.arg(table, columns.join(u", "_s),
                                                               QStringList(columns.size(), u"?"_s).join(u", "_s));
}

template <typename Value> void takeColumn(const QSqlQuery &row, int column, Value &value)
{
    value = row.value(column).value<Value>();
}

// First and last list position of a material list page (0..2).
int firstPosition(int page) { return page * MaterialsPerPage + 1; }

int lastPosition(int page) { return (page + 1) * MaterialsPerPage; }

} // namespace

QString defaultStorePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u"/skladar-server.sqlite"_s;
}

StoreOpening PlantStore::open(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return {nullptr, u"cannot open %1: it is a folder, not a store file"_s.arg(path)};
    if (!info.exists()) {
        if (!QDir().mkpath(info.absolutePath()))
            return {nullptr, u"cannot create %1: the folder %2 cannot be made"_s.arg(path, info.absolutePath())};
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
            return {nullptr, u"cannot create %1: %2"_s.arg(path, file.errorString())};
    }
    static std::atomic<int> connections{0};
    std::unique_ptr<PlantStore> store(new PlantStore(path, u"skladar-store-%1"_s.arg(++connections)));
    if (const std::optional<QString> error = store->prepare())
        return {nullptr, u"cannot open %1: %2"_s.arg(path, *error)};
    return {std::move(store), {}};
}

PlantStore::PlantStore(QString path, QString connectionName)
    : m_path(std::move(path))
    , m_connectionName(std::move(connectionName))
    , m_db(QSqlDatabase::addDatabase(u"QSQLITE"_s, m_connectionName))
{
    m_db.setDatabaseName(m_path);
}

PlantStore::~PlantStore()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

std::optional<QString> PlantStore::prepare()
{
    if (!m_db.open())
        return m_db.lastError().text();
    // WAL cannot be switched on inside a transaction, so it comes before the schema.
    if (!run(u"PRAGMA journal_mode=WAL"_s) || !run(u"PRAGMA foreign_keys=ON"_s))
        return m_lastError;
    std::optional<QSqlQuery> version = run(u"PRAGMA user_version"_s);
    if (!version || !version->next())
        return m_lastError;
    const int found = version->value(0).toInt();
    version->finish();
    if (found == SchemaVersion)
        return std::nullopt;
    if (found == 1)
        return addAuditTable() ? std::nullopt : std::optional<QString>(m_lastError);
    if (found != 0)
        return u"schema version %1 is not known to this program"_s.arg(found);
    if (!seed())
        return m_lastError;
    return std::nullopt;
}

bool PlantStore::seed()
{
    const StoreStatus status = inTransaction([this] {
        for (const QString &statement : schema() + QStringList{AuditTable} + auditGuards()) {
            if (!run(statement))
                return StoreStatus::Failed;
        }
        const DemonstrationSeed &plant = demonstrationSeed();
        for (qsizetype i = 0; i < plant.users.size(); ++i) {
            if (!insertUser(static_cast<int>(i) + 1, plant.users[i]))
                return StoreStatus::Failed;
        }
        for (qsizetype i = 0; i < plant.materials.size(); ++i) {
            const MaterialRecord &material = plant.materials[i];
            if (!writeMaterial(material)
                || !insertMaterialListEntry(static_cast<int>(i) + 1, {material.code, material.sifra}))
                return StoreStatus::Failed;
        }
        for (int slot = 1; slot <= TankCount; ++slot) {
            if (!writeTank(plant.tanks[slot]) || !writeConsoleScreen(TankIdList[slot], plant.screens[slot]))
                return StoreStatus::Failed;
        }
        return run(u"PRAGMA user_version = %1"_s.arg(SchemaVersion)) ? StoreStatus::Ok : StoreStatus::Failed;
    });
    return status == StoreStatus::Ok;
}

bool PlantStore::addAuditTable()
{
    return inTransaction([this] {
               for (const QString &statement : QStringList{AuditTable} + auditGuards()) {
                   if (!run(statement))
                       return StoreStatus::Failed;
               }
               return run(u"PRAGMA user_version = %1"_s.arg(SchemaVersion)) ? StoreStatus::Ok : StoreStatus::Failed;
           })
           == StoreStatus::Ok;
}

std::optional<QSqlQuery> PlantStore::run(const QString &sql, const QVariantList &values)
{
    QSqlQuery query(m_db);
    if (!query.prepare(sql)) {
        failed(query.lastError().text());
        return std::nullopt;
    }
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        failed(query.lastError().text());
        return std::nullopt;
    }
    return query;
}

StoreStatus PlantStore::failed(const QString &error)
{
    m_lastError = error.isEmpty() ? u"the database gave no reason"_s : error;
    return StoreStatus::Failed;
}

template <typename Work> StoreStatus PlantStore::inTransaction(Work work)
{
    // Inside an outer transaction the work joins it, and the outer one commits or rolls back.
    if (m_transactionDepth > 0)
        return work();
    if (!m_db.transaction())
        return failed(m_db.lastError().text());
    ++m_transactionDepth;
    const StoreStatus status = work();
    --m_transactionDepth;
    if (status == StoreStatus::Ok && m_db.commit())
        return status;
    const QString error = m_db.lastError().text();
    m_db.rollback();
    return status == StoreStatus::Ok ? failed(error) : status;
}

StoreStatus PlantStore::atomically(const std::function<StoreStatus()> &work) { return inTransaction(work); }

StoreResult<QList<StoredUser>> PlantStore::selectUsers(const QString &condition, const QVariantList &values)
{
    const QString rightsJoined = rightsColumns(u"r."_s).join(u", "_s);
    std::optional<QSqlQuery> rows = run(u"SELECT u.position, u.password, u.level, u.name, r.slot, %1 FROM users u"
                                        " LEFT JOIN user_rights r ON r.position = u.position %2"
                                        " ORDER BY u.position, r.slot"_s.arg(rightsJoined, condition),
                                        values);
    if (!rows)
        return {};
    QList<StoredUser> users;
    while (rows->next()) {
        const int position = rows->value(0).toInt();
        if (users.isEmpty() || users.back().position != position) {
            StoredUser stored{position, {}};
            stored.user.password = textBytes(rows->value(1).toString(), UserKeySize, ' ');
            stored.user.key = stored.user.password;
            stored.user.level = rows->value(2).toInt();
            stored.user.userName = textBytes(rows->value(3).toString(), UserNameSize, '\0');
            users.append(stored);
        }
        const int slot = rows->value(4).toInt();
        if (slot < 1 || slot > TankCount)
            continue;
        TankRights &rights = users.back().user.rights[slot];
        for (std::size_t i = 0; i < TankRightsFields.size(); ++i)
            rights.*TankRightsFields[i].member = static_cast<quint8>(rows->value(5 + static_cast<int>(i)).toUInt());
    }
    return {StoreStatus::Ok, users};
}

StoreResult<QList<StoredUser>> PlantStore::users() { return selectUsers({}); }

StoreResult<UserWire> PlantStore::user(const QByteArray &key)
{
    const StoreResult<QList<StoredUser>> found = selectUsers(u"WHERE u.password = ?"_s, {fromWindows1252(key)});
    if (!found.ok())
        return {found.status, {}};
    if (found.value.isEmpty())
        return {StoreStatus::NotFound, {}};
    return {StoreStatus::Ok, found.value.front().user};
}

StoreResult<int> PlantStore::positionOf(const QByteArray &key)
{
    std::optional<QSqlQuery> row = run(u"SELECT position FROM users WHERE password = ?"_s, {fromWindows1252(key)});
    if (!row)
        return {};
    if (!row->next())
        return {StoreStatus::NotFound, 0};
    return {StoreStatus::Ok, row->value(0).toInt()};
}

bool PlantStore::writeRights(int position, const UserWire &user)
{
    const QString statement
        = insertStatement(u"user_rights"_s, QStringList{u"position"_s, u"slot"_s} + rightsColumns());
    for (int slot = 1; slot <= TankCount; ++slot) {
        QVariantList values{position, slot};
        for (const TankRightsField &field : TankRightsFields)
            values.append(QVariant(user.rights[slot].*field.member));
        if (!run(statement, values))
            return false;
    }
    return true;
}

bool PlantStore::insertUser(int position, const UserWire &user)
{
    return run(u"INSERT INTO users (position, password, level, name) VALUES (?, ?, ?, ?)"_s,
               {position, fromWindows1252(user.password), user.level, nameText(user.userName)})
           && writeRights(position, user);
}

StoreStatus PlantStore::addUser(const UserWire &user)
{
    return inTransaction([&] {
        std::optional<QSqlQuery> count = run(u"SELECT COUNT(*), COALESCE(MAX(position), 0) FROM users"_s);
        if (!count || !count->next())
            return StoreStatus::Failed;
        if (count->value(0).toInt() >= MaxUsers)
            return StoreStatus::Full;
        const StoreResult<int> holder = positionOf(user.password);
        if (holder.status != StoreStatus::NotFound)
            return holder.ok() ? StoreStatus::PasswordTaken : holder.status;
        return insertUser(count->value(1).toInt() + 1, user) ? StoreStatus::Ok : StoreStatus::Failed;
    });
}

StoreStatus PlantStore::updateUser(const QByteArray &key, const UserWire &user)
{
    return inTransaction([&] {
        const StoreResult<int> position = positionOf(key);
        if (!position.ok())
            return position.status;
        const StoreResult<int> holder = positionOf(user.password);
        if (holder.status == StoreStatus::Failed)
            return StoreStatus::Failed;
        if (holder.ok() && holder.value != position.value)
            return StoreStatus::PasswordTaken;
        return run(u"UPDATE users SET password = ?, name = ? WHERE position = ?"_s,
                   {fromWindows1252(user.password), nameText(user.userName), position.value})
                       && writeRights(position.value, user)
                   ? StoreStatus::Ok
                   : StoreStatus::Failed;
    });
}

StoreStatus PlantStore::setUserLevel(const QByteArray &key, qint32 level)
{
    std::optional<QSqlQuery> update
        = run(u"UPDATE users SET level = ? WHERE password = ?"_s, {level, fromWindows1252(key)});
    if (!update)
        return StoreStatus::Failed;
    return update->numRowsAffected() > 0 ? StoreStatus::Ok : StoreStatus::NotFound;
}

StoreResult<MaterialTable> PlantStore::materialListPage(int page)
{
    std::optional<QSqlQuery> rows
        = run(u"SELECT code, sifra FROM material_list WHERE position BETWEEN ? AND ? ORDER BY position"_s,
              {firstPosition(page), lastPosition(page)});
    if (!rows)
        return {};
    MaterialTable entries;
    while (rows->next())
        entries.append({static_cast<quint16>(rows->value(0).toUInt()), rows->value(1).toString()});
    return {StoreStatus::Ok, entries};
}

bool PlantStore::insertMaterialListEntry(int position, const MaterialListEntry &entry)
{
    return run(u"INSERT INTO material_list (position, code, sifra) VALUES (?, ?, ?)"_s,
               {position, entry.code, entry.sifra})
        .has_value();
}

StoreStatus PlantStore::saveMaterialListPage(int page, const MaterialTable &entries)
{
    return inTransaction([&] {
        if (!run(u"DELETE FROM material_list WHERE position BETWEEN ? AND ?"_s,
                 {firstPosition(page), lastPosition(page)}))
            return StoreStatus::Failed;
        for (qsizetype i = 0; i < entries.size(); ++i) {
            if (!insertMaterialListEntry(firstPosition(page) + static_cast<int>(i), entries[i]))
                return StoreStatus::Failed;
        }
        return StoreStatus::Ok;
    });
}

StoreResult<MaterialRecord> PlantStore::material(int code)
{
    const QString columns = materialColumns().join(u", "_s);
    std::optional<QSqlQuery> row = run(u"SELECT %1 FROM materials WHERE code = ?"_s.arg(columns), {code});
    if (!row)
        return {};
    if (!row->next())
        return {StoreStatus::NotFound, {}};
    MaterialRecord material;
    int column = 0;
    visitMaterialFields([&](const auto &field) { takeColumn(*row, column++, material.*field.member); });
    return {StoreStatus::Ok, material};
}

bool PlantStore::writeMaterial(const MaterialRecord &material)
{
    QVariantList values;
    visitMaterialFields([&](const auto &field) { values.append(QVariant(material.*field.member)); });
    return run(insertStatement(u"materials"_s, materialColumns()), values).has_value();
}

StoreStatus PlantStore::saveMaterial(const MaterialRecord &material)
{
    return writeMaterial(material) ? StoreStatus::Ok : StoreStatus::Failed;
}

StoreResult<TankParamsWire> PlantStore::tank(int tankId)
{
    const QString columns = tankColumns().join(u", "_s);
    std::optional<QSqlQuery> row = run(u"SELECT %1 FROM tanks WHERE tank = ?"_s.arg(columns), {tankId});
    if (!row)
        return {};
    if (!row->next())
        return {StoreStatus::NotFound, {}};
    TankParamsWire tank;
    tank.requestCode = TankParamsCodeBase + tankId;
    int column = 0;
    visitTankParamFields([&](const auto &param) { takeColumn(*row, column++, tank.*param.wire); });
    return {StoreStatus::Ok, tank};
}

bool PlantStore::writeTank(const TankParamsWire &tank)
{
    QVariantList values;
    visitTankParamFields([&](const auto &param) { values.append(QVariant(tank.*param.wire)); });
    return run(insertStatement(u"tanks"_s, tankColumns()), values).has_value();
}

StoreStatus PlantStore::saveTank(const TankParamsWire &tank)
{
    return writeTank(tank) ? StoreStatus::Ok : StoreStatus::Failed;
}

StoreResult<ConsoleScreen> PlantStore::consoleScreen(int tankId)
{
    std::optional<QSqlQuery> row
        = run(u"SELECT line1, line2, line3, line4 FROM console_screens WHERE tank = ?"_s, {tankId});
    if (!row)
        return {};
    if (!row->next())
        return {StoreStatus::NotFound, {}};
    ConsoleScreen screen;
    for (int line = 1; line <= ConsoleScreen::Lines; ++line) {
        const QByteArray text = textBytes(row->value(line - 1).toString(), ConsoleScreen::Columns, ' ');
        for (int column = 1; column <= ConsoleScreen::Columns; ++column)
            screen.setCell(line, column, text[column - 1]);
    }
    return {StoreStatus::Ok, screen};
}

bool PlantStore::writeConsoleScreen(int tankId, const ConsoleScreen &screen)
{
    QVariantList values{tankId};
    for (int line = 1; line <= ConsoleScreen::Lines; ++line) {
        QByteArray text;
        for (int column = 1; column <= ConsoleScreen::Columns; ++column)
            text.append(screen.cell(line, column));
        values.append(fromWindows1252(text));
    }
    return run(u"INSERT OR REPLACE INTO console_screens (tank, line1, line2, line3, line4) VALUES (?, ?, ?, ?, ?)"_s,
               values)
        .has_value();
}

StoreStatus PlantStore::saveConsoleScreen(int tankId, const ConsoleScreen &screen)
{
    return writeConsoleScreen(tankId, screen) ? StoreStatus::Ok : StoreStatus::Failed;
}

StoreStatus PlantStore::appendAudit(const AuditRow &row)
{
    return run(u"INSERT INTO audit (time, user, position, address, code, change) VALUES (?, ?, ?, ?, ?, ?)"_s,
               {row.time.toUTC().toString(QString::fromLatin1(AuditTimeFormat)), notNull(row.user), row.position,
                notNull(row.address), notNull(row.code), notNull(row.change)})
               ? StoreStatus::Ok
               : StoreStatus::Failed;
}

StoreResult<QList<AuditRow>> PlantStore::auditRows(const QDate &since)
{
    const QString from = since.isValid() ? since.toString(u"yyyy-MM-dd"_s) : u""_s;
    std::optional<QSqlQuery> rows
        = run(u"SELECT time, user, position, address, code, change FROM audit WHERE time >= ? ORDER BY id"_s, {from});
    if (!rows)
        return {};
    QList<AuditRow> found;
    while (rows->next()) {
        QDateTime time = QDateTime::fromString(rows->value(0).toString(), QString::fromLatin1(AuditTimeFormat));
        time.setTimeSpec(Qt::UTC);
        found.append({time, rows->value(1).toString(), rows->value(2).toInt(), rows->value(3).toString(),
                      rows->value(4).toString(), rows->value(5).toString()});
    }
    return {StoreStatus::Ok, found};
}

StoreStatus PlantStore::backup(const QString &path)
{
    QFile copy(path);
    if (copy.exists() && !copy.remove())
        return failed(u"cannot replace %1: %2"_s.arg(path, copy.errorString()));
    if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return failed(u"cannot create %1: %2"_s.arg(path, copy.errorString()));
    copy.close();
    sqlite3 *source = *static_cast<sqlite3 **>(m_db.driver()->handle().data());
    sqlite3 *target = nullptr;
    const QByteArray targetPath = QFile::encodeName(path);
    int result = sqlite3_open_v2(targetPath.constData(), &target, SQLITE_OPEN_READWRITE, nullptr);
    if (result == SQLITE_OK) {
        // One step copies every page under one read lock, so the copy is one consistent moment.
        sqlite3_backup *copying = sqlite3_backup_init(target, "main", source, "main");
        if (copying) {
            result = sqlite3_backup_step(copying, -1);
            sqlite3_backup_finish(copying);
        }
        result = result == SQLITE_DONE ? sqlite3_errcode(target) : result;
    }
    const QString reason = QString::fromUtf8(sqlite3_errstr(result));
    sqlite3_close(target);
    if (result != SQLITE_OK) {
        QFile::remove(path);
        return failed(u"cannot copy the store into %1: %2"_s.arg(path, reason));
    }
    return StoreStatus::Ok;
}
