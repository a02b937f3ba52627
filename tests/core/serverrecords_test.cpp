// Server records on hand-built bytes: every field at its offset, paging limits, and round trips.
#include "core/exchange/serverrecords.h"

#include "tests/support/bytes.h"

#include <gtest/gtest.h>

namespace {

// The record bytes of an encoded buffer, for comparison with the hand-built ones.
QByteArray encoded(const ExchangeBuffer &buffer, qsizetype size)
{
    return QByteArray(buffer.data(), size);
}

std::span<const char> bytesOf(const QByteArray &bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// 1.0 and 2.0 as 10-byte extended values.
const char *const ExtendedOne = "00 00 00 00 00 00 00 80 FF 3F";
const char *const ExtendedTwo = "00 00 00 00 00 00 00 80 00 40";

QByteArray zeros(int n)
{
    return QByteArray(n, '\0');
}

} // namespace

TEST(ServerRequests, CodesAndKeysAtOffsetZeroAndReplyAtTwentyFour)
{
    const ExchangeBuffer code = codeRequest(374);
    EXPECT_EQ(hexText(encoded(code, 6)), QStringLiteral("76 01 00 00 00 00"));

    EXPECT_EQ(userKeyFor(QStringLiteral("abc")), QByteArray("ABC     "));
    EXPECT_EQ(userKeyFor(QStringLiteral("ABC")), userKeyFor(QStringLiteral("abc")));
    EXPECT_EQ(userKeyFor(QStringLiteral("administrator")), QByteArray("ADMINIST"));
    const ExchangeBuffer key = keyRequest("OPER    ");
    EXPECT_EQ(encoded(key, 9), QByteArray("OPER    \0", 9));

    ExchangeBuffer buffer{};
    buffer[ReplyOffset] = 'x';
    EXPECT_EQ(replyRecord(buffer).size(), ExchangeBufferSize - 24);
    EXPECT_EQ(replyRecord(buffer)[0], 'x');
}

TEST(UserKeyListPage, KeysFollowTheCountAtSixteen)
{
    const QByteArray bytes = hexBytes("02 00 00 00") + QByteArray(12, '\x55') + "ADMIN   OPER    ";
    const auto page = decodeUserKeyListPage(bytesOf(bytes));
    ASSERT_TRUE(page);
    EXPECT_EQ(page->keys, (QList<QByteArray>{"ADMIN   ", "OPER    "}));

    ExchangeBuffer out;
    out.fill('\x77');
    ASSERT_TRUE(encodeUserKeyListPage(*page, out));
    EXPECT_EQ(hexText(encoded(out, bytes.size())), hexText(hexBytes("02 00 00 00") + zeros(12) + "ADMIN   OPER    "));
}

TEST(UserKeyListPage, CountsOutsideZeroToFiftyOrPastTheBufferAreRefused)
{
    QByteArray bytes = zeros(16 + 8 * 50);
    bytes[0] = 50;
    EXPECT_EQ(decodeUserKeyListPage(bytesOf(bytes))->keys.size(), 50);
    EXPECT_FALSE(decodeUserKeyListPage(bytesOf(bytes.left(16 + 8 * 49))));
    bytes[0] = 51;
    EXPECT_FALSE(decodeUserKeyListPage(bytesOf(bytes)));
    EXPECT_FALSE(decodeUserKeyListPage(bytesOf(hexBytes("FF FF FF FF") + zeros(12))));
    EXPECT_FALSE(decodeUserKeyListPage(bytesOf(hexBytes("00 00 00"))));

    ExchangeBuffer out{};
    EXPECT_FALSE(encodeUserKeyListPage(UserKeyListPage{QList<QByteArray>(51, "KEY     ")}, out));
}

TEST(UserWire, EveryFieldAtItsOffset)
{
    QByteArray bytes = QByteArray("ADMIN   ") + hexBytes("AA BB CC DD") + hexBytes("01 00 00 00") + "ADMIN   "
                     + QByteArray("Pera\xe8", 5) + zeros(35);
    for (int slot = 1; slot <= 15; ++slot)
        bytes += hexBytes("00 01 00 01 00 01");
    bytes[64] = 74;
    bytes[148] = 97;
    bytes[153] = 0;
    ASSERT_EQ(bytes.size(), 154);

    const auto user = decodeUserWire(bytesOf(bytes));
    ASSERT_TRUE(user);
    EXPECT_EQ(user->key, QByteArray("ADMIN   "));
    EXPECT_EQ(user->level, 1);
    EXPECT_EQ(user->password, QByteArray("ADMIN   "));
    EXPECT_EQ(user->userName, QByteArray("Pera\xe8", 5) + zeros(35));
    EXPECT_EQ(user->rights[0], (TankRights{74, 1, 0, 1, 0, 1}));
    EXPECT_EQ(user->rights[14], (TankRights{97, 1, 0, 1, 0, 0}));
    EXPECT_FALSE(decodeUserWire(bytesOf(bytes.left(153))));

    ExchangeBuffer out;
    out.fill('\x77');
    ASSERT_TRUE(encodeUserWire(*user, out));
    bytes.replace(8, 4, zeros(4)); // the client writes reserved bytes as zero
    EXPECT_EQ(hexText(encoded(out, 154)), hexText(bytes));
    EXPECT_EQ(out[154], '\x77') << "nothing past the record is touched";
}

TEST(MaterialListPage, FourteenByteEntriesFromEighteen)
{
    const QByteArray bytes = hexBytes("C8 00 00 00") + zeros(12) + hexBytes("02 00")
                           + hexBytes("CB 00 06") + "RBD SU" + zeros(4) + hexBytes("00")
                           + hexBytes("CC 00 03") + "MK " + zeros(7) + hexBytes("00");
    const auto page = decodeMaterialListPage(bytesOf(bytes));
    ASSERT_TRUE(page);
    EXPECT_EQ(page->requestCode, 200);
    EXPECT_EQ(page->entries, (MaterialTable{{203, QStringLiteral("RBD SU")}, {204, QStringLiteral("MK ")}}));

    ExchangeBuffer out{};
    ASSERT_TRUE(encodeMaterialListPage(*page, out));
    EXPECT_EQ(hexText(encoded(out, bytes.size())), hexText(bytes));

    QByteArray tooMany = bytes;
    tooMany[16] = 33;
    EXPECT_FALSE(decodeMaterialListPage(bytesOf(tooMany + zeros(14 * 31))));
    EXPECT_FALSE(decodeMaterialListPage(bytesOf(bytes.left(bytes.size() - 2)))) << "the last sifra is cut";
}

TEST(MaterialWire, EveryFieldAtItsOffset)
{
    const QByteArray bytes = hexBytes("CB 00 00 00") + zeros(12) + hexBytes("06") + "RBD SU" + zeros(4)
                           + hexBytes("00") + hexBytes("CB 00") + hexBytes("0E") + "Suncokretovo u" + zeros(26)
                           + hexBytes("02") + "BU" + zeros(38) + hexBytes(ExtendedOne);
    ASSERT_EQ(bytes.size(), 122);
    const auto wire = decodeMaterialWire(bytesOf(bytes));
    ASSERT_TRUE(wire);
    EXPECT_EQ(wire->requestCode, 203);
    EXPECT_EQ(wire->material, (MaterialRecord{203, QStringLiteral("RBD SU"), QStringLiteral("Suncokretovo u"),
                                              QStringLiteral("BU"), 1.0}));
    EXPECT_FALSE(decodeMaterialWire(bytesOf(bytes.left(121))));

    ExchangeBuffer out{};
    ASSERT_TRUE(encodeMaterialWire(*wire, out));
    EXPECT_EQ(hexText(encoded(out, 122)), hexText(bytes));
}

TEST(TankParamsWire, GeometryFromTwentyFourAndMaterialAfterIt)
{
    QByteArray geometry;
    for (int i = 0; i < 6; ++i)
        geometry += hexBytes(ExtendedOne);
    const QByteArray bytes = hexBytes("76 01 00 00") + zeros(12) + hexBytes("4A 00 00 00") + zeros(4) + geometry
                           + hexBytes(ExtendedTwo) + hexBytes("05") + "RBD M" + zeros(5) + zeros(3) + hexBytes("D1 00 00 00");
    ASSERT_EQ(bytes.size(), 112);
    const auto wire = decodeTankParamsWire(bytesOf(bytes));
    ASSERT_TRUE(wire);
    EXPECT_EQ(*wire, (TankParamsWire{374, 74, 1, 1, 1, 1, 1, 1, 2.0, QStringLiteral("RBD M"), 209}));
    EXPECT_FALSE(decodeTankParamsWire(bytesOf(bytes.left(111))));

    ExchangeBuffer out{};
    ASSERT_TRUE(encodeTankParamsWire(*wire, out));
    EXPECT_EQ(hexText(encoded(out, 112)), hexText(bytes));
}

TEST(ConsoleScreenWire, EightyCharactersFromSixteenWithNulsAsSpaces)
{
    QByteArray screen = zeros(80);
    screen.replace(0, 4, "dole");
    screen.replace(60, 4, "R 74");
    const QByteArray bytes = hexBytes("DA 01 00 00") + zeros(12) + screen;
    const auto wire = decodeConsoleScreenWire(bytesOf(bytes));
    ASSERT_TRUE(wire);
    EXPECT_EQ(wire->requestCode, 474);
    EXPECT_EQ(wire->screen.cell(1, 1), 'R');
    EXPECT_EQ(wire->screen.cell(4, 1), 'd');
    EXPECT_EQ(wire->screen.cell(2, 7), ' ');
    EXPECT_FALSE(decodeConsoleScreenWire(bytesOf(bytes.left(95))));

    ExchangeBuffer out{};
    ASSERT_TRUE(encodeConsoleScreenWire(*wire, out));
    EXPECT_EQ(encoded(out, 96), hexBytes("DA 01 00 00") + zeros(12) + QByteArray(screen).replace('\0', ' '));
}

TEST(ServerRecords, EncodersRefuseBuffersTooSmallForTheRecord)
{
    std::array<char, 100> small{};
    EXPECT_FALSE(encodeUserWire(UserWire{}, small));
    EXPECT_FALSE(encodeMaterialWire(MaterialWire{}, small));
    EXPECT_FALSE(encodeTankParamsWire(TankParamsWire{}, small));
    EXPECT_TRUE(encodeConsoleScreenWire(ConsoleScreenWire{}, std::span<char>(small).first(96)));
    EXPECT_FALSE(encodeConsoleScreenWire(ConsoleScreenWire{}, std::span<char>(small).first(95)));
}
