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

// A buffer of 0xFF bytes after the request code or key.
ExchangeBuffer filled(ExchangeBuffer request, std::size_t from)
{
    std::fill(request.begin() + static_cast<std::ptrdiff_t>(from), request.end(), '\xFF');
    return request;
}

using RequestHandlerTest = ServerFixture;

TEST_F(RequestHandlerTest, ARecordGoesAtOffset24AfterTheRequestWithZerosAfterIt)
{
    const std::tuple<ExchangeBuffer, std::size_t, QByteArray> golden[] = {
        {filled(codeRequest(1), 4), 32, hexBytes("02 00 00 00") + zeros(12) + "ADMIN   OPER    "},
        {filled(codeRequest(374), 4), TankParamsWireSize, hexBytes("76 01 00 00") + zeros(12) + hexBytes("4A 00 00 00") + zeros(4)
             + hexBytes("00 00 00 00 00 00 00 B8 02 40 00 00 00 00 00 00 00 B0 02 40")}, // 11.5 m, 11.0 m
    };
    for (const auto &[request, recordSize, record] : golden) {
        const ExchangeBuffer reply = readOk(request);
        EXPECT_EQ(hexText(QByteArray(reply.data() + ReplyOffset, record.size())), hexText(record));
        EXPECT_TRUE(std::equal(reply.begin(), reply.begin() + ReplyOffset, request.begin()));
        EXPECT_TRUE(std::all_of(reply.begin() + ReplyOffset + recordSize, reply.end(), [](char c) { return c == 0; }));
    }
}

struct Answer
{
    const char *name;
    qint32 status;
    std::vector<std::pair<ExchangeOperation, ExchangeBuffer>> requests;
};

constexpr auto Read = ExchangeOperation::Read;
constexpr auto Write = ExchangeOperation::Write;

const Answer Answers[] = {
    {"StatusQueryAnswersAlone", ExchangeStatus::Success, {{Read, filled(codeRequest(0), 4)}}},
    {"UserCodes", ExchangeStatus::UnknownRequest,
     {{Read, codeRequest(3)}, {Write, filled(codeRequest(0), 4)}, {Write, codeRequest(1)}}},
    {"MaterialCodes", ExchangeStatus::UnknownRequest, {{Read, codeRequest(199)}, {Read, codeRequest(211)}, {Read, codeRequest(299)}}},
    {"TankCodes", ExchangeStatus::UnknownRequest,
     {{Read, codeRequest(373)}, {Read, codeRequest(398)}, {Write, filled(codeRequest(376), 4)}}},
    {"ConsoleAndLaterCodes", ExchangeStatus::UnknownRequest,
     {{Read, codeRequest(476)}, {Write, codeRequest(476)}, {Read, codeRequest(999)}}},
    {"LiveValuesWithoutAcquisition", ExchangeStatus::UnknownRequest, {{Read, codeRequest(500)}, {Write, codeRequest(500)}}},
    {"UnknownKey", ExchangeStatus::UnknownUser, {{Read, keyRequest("NOBODY  ")}, {Write, filled(keyRequest("NOBODY  "), 8)}}},
};

class RequestStatus : public ServerFixture, public testing::WithParamInterface<Answer>
{};

TEST_P(RequestStatus, AnswersItsStatusAndLeavesTheBuffer)
{
    for (const auto &[operation, request] : GetParam().requests) {
        ExchangeBuffer buffer = request;
        EXPECT_EQ(exchange->exchange(operation, buffer), GetParam().status) << hexText(QByteArray(request.data(), 8)).toStdString();
        EXPECT_EQ(buffer, request);
    }
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

class UserStore : public ServerFixture
{
protected:
    // Writes the user expecting status, then reads back the user stored under key.
    UserWire writeThenRead(const UserWire &user, qint32 status, const QByteArray &key)
    {
        EXPECT_EQ(write(recordBuffer(user, encodeUserWire)), status);
        return *decodeUserWire(replyRecord(readOk(keyRequest(key))));
    }

    QList<QByteArray> userKeys() { return readUserKeys(*exchange).list; }
};

TEST_F(UserStore, NewUserGoesLastWithLevel3AndItsBytes)
{
    UserWire user;
    user.level = 1;
    user.password = "novi\0\0\0\0"_ba;
    user.userName = "NOVI\0X"_ba.leftJustified(UserNameSize, '\0');
    user.rights[4] = {79, 1, 0, 7, 1, 0};
    UserWire expected = user;
    expected.key = expected.password = "NOVI    ";
    expected.level = NewUserLevel;
    EXPECT_EQ(writeThenRead(user, ExchangeStatus::Success, "novi"), expected) << "keys are compared in upper case, blank-padded";
    EXPECT_EQ(userKeys(), (QList<QByteArray>{"ADMIN   ", "OPER    ", "NOVI    "}));
}

TEST_F(UserStore, UpdateReKeysAndKeepsLevelAndPositionUnderAKeyWithAHighByte)
{
    const QByteArray key = "ABC\x8A    "_ba; // its first four bytes read as a negative request code
    UserWire admin = *decodeUserWire(replyRecord(readOk(keyRequest("ADMIN   "))));
    admin.password = key;
    admin.level = 3;
    admin.userName = QByteArray("SEF").leftJustified(UserNameSize, ' ');
    admin.rights[1].nivo = 0;
    UserWire expected = admin;
    expected.key = key;
    expected.level = 1;
    EXPECT_EQ(writeThenRead(admin, ExchangeStatus::Success, key), expected);
    ExchangeBuffer old = keyRequest("ADMIN   ");
    EXPECT_EQ(exchange->read(old), ExchangeStatus::UnknownUser);
    expected.rights[1].nivo = 2;
    EXPECT_EQ(writeThenRead(expected, ExchangeStatus::Success, key), expected) << "written under that key";
    EXPECT_EQ(userKeys(), (QList<QByteArray>{key, "OPER    "}));
}

TEST_F(UserStore, PasswordOfAnotherUserIsTaken)
{
    const UserWire oper = *decodeUserWire(replyRecord(readOk(keyRequest("OPER    "))));
    UserWire renamed = oper;
    renamed.password = "ADMIN   ";
    EXPECT_EQ(writeThenRead(renamed, ExchangeStatus::PasswordTaken, "OPER    "), oper);
    renamed.key = zeros(8);
    EXPECT_EQ(writeThenRead(renamed, ExchangeStatus::PasswordTaken, "OPER    "), oper) << "nor for a new user";
    EXPECT_EQ(writeThenRead(oper, ExchangeStatus::Success, "OPER    "), oper) << "its own password is no clash";
    EXPECT_EQ(userKeys().size(), 2);
}

TEST_F(UserStore, KeyPagesUpTo100UsersThenTheStoreIsFull)
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
