// The audit trail: logins, refusals and every configuration write, field by field, never a password;
// and a store of the first schema gaining the trail when it opens.
#include "server/auditchanges.h"
#include "tests/server/serverfixture.h"
#include "tests/server/sessionfixture.h"
#include "tests/server/storesql.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

class AuditTest : public SessionFixture
{
protected:
    qint32 read(Session &session, ExchangeBuffer &&buffer) { return read(session, buffer); }
    qint32 read(Session &session, ExchangeBuffer &buffer)
    {
        return m_sessions->handle(session, ExchangeOperation::Read, buffer);
    }

    // Reads a record as the session, lets change edit the reply's record and writes it back.
    template <typename Change>
    qint32 edit(Session &session, ExchangeBuffer request, Change change)
    {
        EXPECT_EQ(read(session, request), ExchangeStatus::Success);
        ExchangeBuffer record = asWrite(request);
        change(record);
        return m_sessions->handle(session, ExchangeOperation::Write, record);
    }

    QStringList changes()
    {
        QStringList texts;
        for (const AuditRow &row : m_store->auditRows({}).value)
            texts.append(u"%1|%2|%3|%4"_s.arg(row.user).arg(row.position).arg(row.code, row.change));
        return texts;
    }

};

TEST_F(AuditTest, EachWriteIsRecordedFieldByFieldWithoutPasswords)
{
    Session nobody{u"10.1.2.3"_s, {}, 0};
    EXPECT_EQ(read(nobody, keyRequest("WRONG")), ExchangeStatus::UnknownUser);
    Session oper{u"10.1.2.4"_s, {}, 0};
    EXPECT_EQ(read(oper, keyRequest("oper")), ExchangeStatus::Success);
    ExchangeBuffer screen = codeRequest(475);
    EXPECT_EQ(m_sessions->handle(oper, ExchangeOperation::Write, screen), ExchangeStatus::AccessRefused);

    Session admin{u"10.1.2.5"_s, {}, 0};
    EXPECT_EQ(read(admin, keyRequest("ADMIN")), ExchangeStatus::Success);
    EXPECT_EQ(edit(admin, codeRequest(375), [](ExchangeBuffer &tank) {
                  TankParamsWire wire = *decodeTankParamsWire(tank);
                  wire.diameter = 4.5;
                  wire.materialCode = 209;
                  encodeTankParamsWire(wire, tank);
              }),
              ExchangeStatus::Success);
    EXPECT_EQ(edit(admin, codeRequest(205), [](ExchangeBuffer &material) {
                  MaterialWire wire = *decodeMaterialWire(material);
                  wire.material.density20 = 915.25;
                  encodeMaterialWire(wire, material);
              }),
              ExchangeStatus::Success);
    EXPECT_EQ(edit(admin, codeRequest(486), [](ExchangeBuffer &record) { record[ConsoleScreenOffset + 79] = 'Z'; }),
              ExchangeStatus::Success);
    EXPECT_EQ(edit(admin, keyRequest("OPER"), [](ExchangeBuffer &user) {
                  UserWire wire = *decodeUserWire(user);
                  wire.password = "PETAR2  ";
                  wire.rights[11].nivo = 0;
                  encodeUserWire(wire, user);
              }),
              ExchangeStatus::Success);
    EXPECT_EQ(edit(admin, codeRequest(486), [](ExchangeBuffer &) {}), ExchangeStatus::Success);

    const QStringList rows = changes();
    const QStringList expected{
        u"|0|korisnik|neuspesna prijava"_s,
        u"OPERATER|2|korisnik|prijava"_s,
        u"OPERATER|2|475|odbijeno: nema prava izmene"_s,
        u"ADMINISTRATOR|1|korisnik|prijava"_s,
        u"ADMINISTRATOR|1|375|R 75 precnik 11.500 -> 4.500; R 75 materijal 204 -> 209"_s,
        u"ADMINISTRATOR|1|205|materijal 205 ro 890.000 -> 915.250"_s,
        u"ADMINISTRATOR|1|486|ekran R 86 red 1: \"R 86                \" -> \"R 86               Z\""_s,
        u"ADMINISTRATOR|1|korisnik|korisnik OPERATER: lozinka promenjena; korisnik OPERATER: nivo R 86 da -> ne"_s,
        u"ADMINISTRATOR|1|486|bez promene"_s,
    };
    EXPECT_EQ(rows.join(u'\n').toStdString(), expected.join(u'\n').toStdString());
    const QList<AuditRow> stored = m_store->auditRows(QDate(2026, 12, 7)).value;
    ASSERT_EQ(stored.size(), expected.size());
    EXPECT_EQ(stored.front().time, m_clock.now());
    EXPECT_EQ(stored.front().address, u"10.1.2.3"_s);
    EXPECT_TRUE(m_store->auditRows(QDate(2026, 12, 8)).value.isEmpty());
    EXPECT_FALSE(runOnStore(m_store->path(), {u"DELETE FROM audit"_s})) << "the trail is append-only";
    EXPECT_FALSE(runOnStore(m_store->path(), {u"UPDATE audit SET change = ''"_s}));
}

TEST(AuditSchema, AStoreWithoutTheTrailGainsItAndKeepsItsPlant)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"plant.sqlite"_s);
    ASSERT_TRUE(PlantStore::open(path).store);
    ASSERT_TRUE(runOnStore(path, {u"DROP TRIGGER audit_no_update"_s, u"DROP TRIGGER audit_no_delete"_s,
                                  u"DROP TABLE audit"_s, u"PRAGMA user_version = 1"_s}));
    const StoreOpening opening = PlantStore::open(path);
    ASSERT_TRUE(opening.store) << opening.error.toStdString();
    EXPECT_EQ(opening.store->users().value.size(), 2);
    EXPECT_EQ(opening.store->appendAudit({QDateTime::currentDateTimeUtc(), {}, 0, u"::1"_s, u"0"_s, u"x"_s}),
              StoreStatus::Ok)
        << opening.store->lastError().toStdString();
    EXPECT_EQ(runOnStore(path, {u"PRAGMA user_version"_s}), u"2"_s);
}

} // namespace
