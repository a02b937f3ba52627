// The request handler on a seeded store: reply bytes, every status and the state writes leave behind.
#include "server/requesthandler.h"

#include "core/codec/bytes.h"
#include "core/codec/extended.h"
#include "core/exchange/serverlists.h"
#include "core/codec/shorttext.h"
#include "tests/server/serverfixture.h"
#include "tests/support/namedcases.h"
#include "tests/support/bytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

using namespace Qt::StringLiterals;

QByteArray zeros(int n)
{
    return QByteArray(n, '\0');
}

QByteArray shortText(const QByteArray &text, int capacity)
{
    return char(text.size()) + text + zeros(capacity - static_cast<int>(text.size()));
}

// A read reply turned into the write of the same record.
ExchangeBuffer asWrite(const ExchangeBuffer &reply)
{
    ExchangeBuffer record{};
    std::copy(reply.begin() + ReplyOffset, reply.end(), record.begin());
    return record;
}

UserWire userReply(const ExchangeBuffer &reply)
{
    return *decodeUserWire(replyRecord(reply));
}

// A buffer of 0xFF bytes after the request code or key.
ExchangeBuffer filled(ExchangeBuffer request, std::size_t from)
{
    std::fill(request.begin() + static_cast<std::ptrdiff_t>(from), request.end(), '\xFF');
    return request;
}

struct Golden
{
    const char *name;
    ExchangeBuffer request;
    std::size_t recordSize; // zeros follow it
    QByteArray record;      // the record's first bytes
};

const Golden GoldenReplies[] = {
    {"UserKeyPage1", filled(codeRequest(1), 4), 32, hexBytes("02 00 00 00") + zeros(12) + "ADMIN   OPER    "},
    {"AdministratorUser", filled(keyRequest("ADMIN   "), 8), UserWireSize, [] {
         QByteArray bytes = "ADMIN   " + zeros(4) + hexBytes("01 00 00 00") + "ADMIN   " + QByteArray("ADMINISTRATOR").leftJustified(40, ' ');
         for (const int tank : TankIdList)
             bytes += char(tank) + hexBytes("01 01 01 01 01");
         return bytes;
     }()},
    {"MaterialListPage1", filled(codeRequest(200), 4), 18 + 8 * 14, [] {
         QByteArray bytes = hexBytes("C8 00 00 00") + zeros(12) + hexBytes("08 00");
         const char *sifras[] = {"RBD SU", "RBH SU", "MK ", "RBDS SU", "RBH RU", "RBHS SU", "RBD M", "RBD UM"};
         for (int i = 0; i < 8; ++i)
             bytes += char(203 + i) + zeros(1) + shortText(sifras[i], 10) + zeros(1);
         return bytes;
     }()},
    {"Material203", filled(codeRequest(203), 4), MaterialWireSize,
     hexBytes("CB 00 00 00") + zeros(12) + shortText("RBD SU", 10) + zeros(1) + hexBytes("CB 00")
         + shortText("Rafinisano suncokretovo ulje", 40) + shortText("Beljeno suncokretovo ulje", 40)
         + hexBytes("00 00 00 00 00 00 C0 E5 08 40")}, // 919.0
    {"Tank74", filled(codeRequest(374), 4), TankParamsWireSize,
     hexBytes("76 01 00 00") + zeros(12) + hexBytes("4A 00 00 00") + zeros(4)
         + hexBytes("00 00 00 00 00 00 00 B8 02 40 00 00 00 00 00 00 00 B0 02 40")}, // 11.5 m, 11.0 m
    {"ConsoleScreen74", filled(codeRequest(474), 4), ConsoleScreenWireSize,
     hexBytes("DA 01 00 00") + zeros(12) + QByteArray(40, ' ') + QByteArray("RBD SU").leftJustified(20, ' ')
         + QByteArray("R 74").leftJustified(20, ' ')},
};

class GoldenReply : public ServerFixture, public testing::WithParamInterface<Golden>
{};

TEST_P(GoldenReply, RecordAtOffset24RequestBeforeZerosAfter)
{
    const ExchangeBuffer reply = readOk(GetParam().request);
    const QByteArray &expected = GetParam().record;
    EXPECT_EQ(hexText(QByteArray(reply.data() + ReplyOffset, expected.size())), hexText(expected));
    EXPECT_TRUE(std::equal(reply.begin(), reply.begin() + ReplyOffset, GetParam().request.begin()));
    EXPECT_TRUE(std::all_of(reply.begin() + ReplyOffset + GetParam().recordSize, reply.end(), [](char c) { return c == 0; }));
}

INSTANTIATE_TEST_SUITE_P(Seeded, GoldenReply, testing::ValuesIn(GoldenReplies), caseName<Golden>);

struct Answer
{
    const char *name;
    ExchangeOperation operation;
    ExchangeBuffer request;
    qint32 status;
};

constexpr auto Read = ExchangeOperation::Read;
constexpr auto Write = ExchangeOperation::Write;

const Answer Answers[] = {
    {"StatusQueryAnswersAlone", Read, filled(codeRequest(0), 4), ExchangeStatus::Success},
    {"ReadCode3", Read, codeRequest(3), ExchangeStatus::UnknownRequest},
    {"ReadCode199", Read, codeRequest(199), ExchangeStatus::UnknownRequest},
    {"ReadCode299", Read, codeRequest(299), ExchangeStatus::UnknownRequest},
    {"ReadUnstoredMaterial211", Read, codeRequest(211), ExchangeStatus::UnknownRequest},
    {"ReadTank73", Read, codeRequest(373), ExchangeStatus::UnknownRequest},
    {"ReadTank98", Read, codeRequest(398), ExchangeStatus::UnknownRequest},
    {"ReadConsole76", Read, codeRequest(476), ExchangeStatus::UnknownRequest},
    {"ReadCode999", Read, codeRequest(999), ExchangeStatus::UnknownRequest},
    {"WriteStatusCode", Write, filled(codeRequest(0), 4), ExchangeStatus::UnknownRequest},
    {"WriteKeyPage1", Write, codeRequest(1), ExchangeStatus::UnknownRequest},
    {"WriteTank76", Write, filled(codeRequest(376), 4), ExchangeStatus::UnknownRequest},
    {"WriteConsole76", Write, codeRequest(476), ExchangeStatus::UnknownRequest},
    {"ReadUnknownKey", Read, keyRequest("NOBODY  "), ExchangeStatus::UnknownUser},
    {"WriteUnknownKey", Write, filled(keyRequest("NOBODY  "), 8), ExchangeStatus::UnknownUser},
};

class RequestStatus : public ServerFixture, public testing::WithParamInterface<Answer>
{};

TEST_P(RequestStatus, AnswersItsStatusAndLeavesTheBuffer)
{
    ExchangeBuffer buffer = GetParam().request;
    EXPECT_EQ(exchange->exchange(GetParam().operation, buffer), GetParam().status);
    EXPECT_EQ(buffer, GetParam().request);
}

INSTANTIATE_TEST_SUITE_P(Seeded, RequestStatus, testing::ValuesIn(Answers), caseName<Answer>);

struct Damage
{
    const char *name;
    ExchangeBuffer source; // read; its reply, damaged, is written back
    std::function<void(ExchangeBuffer &)> damage;
    std::optional<ExchangeBuffer> check = {}; // read before and after (the source when none): nothing may change
};

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Infinity = std::numeric_limits<double>::infinity();

const Damage Damages[] = {
    {"MaterialCodeMismatch", codeRequest(203), [](auto &b) { writeU16(b, MaterialCodeOffset, 204); }},
    {"MaterialSifraTooLong", codeRequest(203), [](auto &b) { b[MaterialSifraOffset] = 11; }},
    {"MaterialNameTooLong", codeRequest(203), [](auto &b) { b[MaterialNameOffset] = 41; }},
    {"MaterialKindTooLong", codeRequest(203), [](auto &b) { b[MaterialKindOffset] = char(255); }},
    {"MaterialDensityNaN", codeRequest(203), [](auto &b) { writeExtended(b, MaterialDensityOffset, NaN); }},
    {"TankNumberMismatch", codeRequest(374), [](auto &b) { writeI32(b, TankParamsTankIdOffset, 75); }},
    {"TankSifraTooLong", codeRequest(374), [](auto &b) { b[TankParamsSifraOffset] = 11; }},
    {"TankDeadZoneVolumeInfinite", codeRequest(374), [](auto &b) { writeExtended(b, TankParamsGeometryOffset + 60, Infinity); }},
    {"ListPageOf33", codeRequest(200), [](auto &b) { writeU16(b, MaterialListCountOffset, 33); }},
    {"ListFirstCodeOff", codeRequest(200), [](auto &b) { writeU16(b, MaterialListEntriesOffset, 204); }},
    {"ListLastSifraTooLong", codeRequest(200), [](auto &b) { b[MaterialListEntriesOffset + 7 * 14 + 2] = 11; }},
    {"ListPage1EntriesOnPage2", codeRequest(200), [](auto &b) { writeI32(b, 0, 201); }, codeRequest(201)},
    {"UserPasswordNuls", keyRequest("OPER    "), [](auto &b) { std::fill_n(b.begin() + 16, 8, '\0'); }},
    {"UserPasswordBlanks", keyRequest("OPER    "), [](auto &b) { std::fill_n(b.begin() + 16, 8, ' '); }},
    {"NewUserWithoutPassword", keyRequest("OPER    "), [](auto &b) { std::fill_n(b.begin(), 24, '\0'); }, codeRequest(1)},
};

class MalformedRecord : public ServerFixture, public testing::WithParamInterface<Damage>
{};

TEST_P(MalformedRecord, IsRefusedAndNothingIsStored)
{
    ExchangeBuffer record = asWrite(readOk(GetParam().source));
    ASSERT_EQ(write(record), ExchangeStatus::Success) << "the undamaged record is accepted";
    GetParam().damage(record);
    const ExchangeBuffer check = GetParam().check.value_or(GetParam().source);
    const ExchangeBuffer before = readOk(check);
    EXPECT_EQ(write(record), ExchangeStatus::MalformedRecord);
    EXPECT_EQ(readOk(check), before);
}

INSTANTIATE_TEST_SUITE_P(Seeded, MalformedRecord, testing::ValuesIn(Damages), caseName<Damage>);

using RequestHandlerTest = ServerFixture;

TEST_F(RequestHandlerTest, NewUserGoesLastWithLevel3AndItsBytes)
{
    UserWire user;
    user.level = 1;
    user.password = "novi\0\0\0\0"_ba;
    user.userName = "NOVI\0X"_ba.leftJustified(UserNameSize, '\0');
    user.rights[3] = {79, 1, 0, 7, 1, 0};
    ASSERT_EQ(write(recordBuffer(user, encodeUserWire)), ExchangeStatus::Success);

    EXPECT_EQ(readUserKeys(*exchange).list, (QList<QByteArray>{"ADMIN   ", "OPER    ", "NOVI    "}));
    UserWire expected = user;
    expected.key = expected.password = "NOVI    ";
    expected.level = NewUserLevel;
    EXPECT_EQ(userReply(readOk(keyRequest("novi"))), expected) << "keys are compared in upper case, blank-padded";
}

TEST_F(RequestHandlerTest, UpdateReKeysAndKeepsLevelAndPosition)
{
    UserWire admin = userReply(readOk(keyRequest("ADMIN   ")));
    admin.password = "BOSS    ";
    admin.level = 3;
    admin.userName = QByteArray("SEF").leftJustified(UserNameSize, ' ');
    admin.rights[0].nivo = 0;
    ASSERT_EQ(write(recordBuffer(admin, encodeUserWire)), ExchangeStatus::Success);

    ExchangeBuffer old = keyRequest("ADMIN   ");
    EXPECT_EQ(exchange->read(old), ExchangeStatus::UnknownUser);
    admin.key = "BOSS    ";
    admin.level = 1;
    EXPECT_EQ(userReply(readOk(keyRequest("BOSS    "))), admin);
    EXPECT_EQ(readUserKeys(*exchange).list, (QList<QByteArray>{"BOSS    ", "OPER    "}));
}

TEST_F(RequestHandlerTest, PasswordOfAnotherUserIsTaken)
{
    const UserWire oper = userReply(readOk(keyRequest("OPER    ")));
    UserWire renamed = oper;
    renamed.password = "ADMIN   ";
    EXPECT_EQ(write(recordBuffer(renamed, encodeUserWire)), ExchangeStatus::PasswordTaken);
    renamed.key = zeros(8);
    EXPECT_EQ(write(recordBuffer(renamed, encodeUserWire)), ExchangeStatus::PasswordTaken) << "nor for a new user";
    EXPECT_EQ(write(recordBuffer(oper, encodeUserWire)), ExchangeStatus::Success) << "its own password is no clash";
    EXPECT_EQ(userReply(readOk(keyRequest("OPER    "))), oper);
    EXPECT_EQ(readUserKeys(*exchange).list.size(), 2);
}

TEST_F(RequestHandlerTest, KeyPagesUpTo100UsersThenTheStoreIsFull)
{
    const auto pageKeys = [&](qint32 code) { return decodeUserKeyListPage(replyRecord(readOk(codeRequest(code))))->keys; };
    UserWire user;
    for (int users = 3; users <= MaxUsers + 1; ++users) {
        user.password = QByteArray::number(users);
        const qint32 status = write(recordBuffer(user, encodeUserWire));
        ASSERT_EQ(status, users <= MaxUsers ? ExchangeStatus::Success : ExchangeStatus::StoreFailed) << users;
        if (users == 49 || users == 50 || users == 51 || users >= 100) {
            EXPECT_EQ(pageKeys(1).size(), std::min(users, 50)) << users;
            EXPECT_EQ(pageKeys(2).size(), std::clamp(users - 50, 0, 50)) << users;
        }
    }
    EXPECT_EQ(pageKeys(2).front(), "51      ");
}

class MaterialListSize : public ServerFixture, public testing::WithParamInterface<int>
{};

TEST_P(MaterialListSize, RoundTripsOverThreePages)
{
    MaterialTable list;
    for (int i = 1; i <= GetParam(); ++i)
        list.append({static_cast<quint16>(MaterialCodeBase + i), u"M%1"_s.arg(i)});
    ASSERT_EQ(writeMaterialList(*exchange, list), ExchangeStatus::Success);
    EXPECT_EQ(readMaterialList(*exchange).list, list);
    const auto counts = materialPageCounts(GetParam());
    for (int page = 0; page < MaterialListPages; ++page) {
        const auto decoded = decodeMaterialListPage(replyRecord(readOk(codeRequest(200 + page))));
        EXPECT_EQ(decoded->entries.size(), counts[static_cast<std::size_t>(page)]) << "page " << page;
    }
    if (GetParam() == 40) {
        ASSERT_EQ(write(recordBuffer(MaterialListPage{200, list.first(5)}, encodeMaterialListPage)), ExchangeStatus::Success);
        EXPECT_EQ(readMaterialList(*exchange).list, list.first(5) + list.mid(32)) << "page 1 alone is replaced";
    }
}

INSTANTIATE_TEST_SUITE_P(Boundaries, MaterialListSize, testing::Values(0, 32, 33, 40, 64, 96));

TEST_F(RequestHandlerTest, AConsoleScreenKeepsItsBytesAcrossARestartANulBecomingABlank)
{
    ExchangeBuffer screen = filled(codeRequest(497), ConsoleScreenOffset);
    screen[ConsoleScreenOffset] = '\0';
    ASSERT_EQ(write(screen), ExchangeStatus::Success);
    reopen();
    const ExchangeBuffer reply = readOk(codeRequest(497));
    EXPECT_EQ(hexText(QByteArray(reply.data() + ReplyOffset + ConsoleScreenOffset, 80)), hexText(' ' + QByteArray(79, '\xFF')));
}

} // namespace
