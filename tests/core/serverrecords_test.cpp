// Server records on hand-built bytes: every field at its offset, paging limits, and round trips. The requests
// and the reply offset are proven by the server's golden replies, a page of 33 materials by its damaged records.
#include "core/exchange/serverrecords.h"

#include "tests/support/bytes.h"
#include "tests/support/namedcases.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

QByteArray zeros(int n) { return QByteArray(n, '\0'); }

std::span<const char> bytesOf(const QByteArray &bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// 1.0 and 2.0 as 10-byte extended values.
const char *const ExtendedOne = "00 00 00 00 00 00 00 80 FF 3F";
const char *const ExtendedTwo = "00 00 00 00 00 00 00 80 00 40";

using RoundTrip = std::function<bool(std::span<const char>, std::span<char>)>;

// Decodes, checks the fields and encodes into out; false when the decoder or the encoder refuses.
template <typename Wire, typename Check>
RoundTrip roundTrip(std::optional<Wire> (*decode)(std::span<const char>), bool (*encode)(const Wire &, std::span<char>),
                    Check check)
{
    return [=](std::span<const char> in, std::span<char> out) {
        const std::optional<Wire> wire = decode(in);
        if (wire)
            check(*wire);
        return wire && encode(*wire, out);
    };
}

// Hand-built bytes of one record, the bytes the decoder needs at least, and what the client
// writes back (reserved bytes zero).
struct Layout { const char *name; QByteArray bytes; qsizetype needed; QByteArray written; RoundTrip roundTrip; };

QByteArray userBytes(const QByteArray &reserved)
{
    QByteArray bytes = "ADMIN   " + reserved + hexBytes("01 00 00 00") + "ADMIN   " + QByteArray("Pera\xe8", 5) + zeros(35);
    for (int slot = 1; slot <= 15; ++slot)
        bytes += hexBytes("00 01 00 01 00 01");
    bytes[64] = 74;
    bytes[148] = 97;
    bytes[153] = 0;
    return bytes;
}

const QByteArray MaterialList = hexBytes("C8 00 00 00") + zeros(12) + hexBytes("02 00 CB 00 06") + "RBD SU" + zeros(5)
                              + hexBytes("CC 00 03") + "MK " + zeros(8);
const QByteArray Material = hexBytes("CB 00 00 00") + zeros(12) + hexBytes("06") + "RBD SU" + zeros(4) + hexBytes("00 CB 00 0E")
                          + "Suncokretovo u" + zeros(26) + hexBytes("02") + "BU" + zeros(38) + hexBytes(ExtendedOne);
const QByteArray TankParams = hexBytes("76 01 00 00") + zeros(12) + hexBytes("4A 00 00 00") + zeros(4)
                            + QByteArray(hexBytes(ExtendedOne)).repeated(6) + hexBytes(ExtendedTwo) + hexBytes("05") + "RBD M"
                            + zeros(8) + hexBytes("D1 00 00 00");
const QByteArray Screen = zeros(80).replace(0, 4, "dole").replace(60, 4, "R 74");

const Layout Layouts[] = {
    {"UserKeyListPage", hexBytes("02 00 00 00") + QByteArray(12, '\x55') + "ADMIN   OPER    ", 32,
     hexBytes("02 00 00 00") + zeros(12) + "ADMIN   OPER    ",
     roundTrip(decodeUserKeyListPage, encodeUserKeyListPage,
               [](const UserKeyListPage &page) { EXPECT_EQ(page.keys, (QList<QByteArray>{"ADMIN   ", "OPER    "})); })},
    {"User", userBytes(hexBytes("AA BB CC DD")), 154, userBytes(zeros(4)),
     roundTrip(decodeUserWire, encodeUserWire, [](const UserWire &user) {
         EXPECT_EQ(std::tuple(user.key, user.level, user.password, user.userName),
                   std::tuple(QByteArray("ADMIN   "), 1, QByteArray("ADMIN   "), QByteArray("Pera\xe8", 5) + zeros(35)));
         EXPECT_EQ(std::pair(user.rights[1], user.rights[15]), std::pair(TankRights{74, 1, 0, 1, 0, 1}, TankRights{97, 1, 0, 1, 0, 0}));
     })},
    {"MaterialListPage", MaterialList, MaterialList.size() - 1, MaterialList,
     roundTrip(decodeMaterialListPage, encodeMaterialListPage, [](const MaterialListPage &page) {
         EXPECT_EQ(page.requestCode, 200);
         EXPECT_EQ(page.entries, (MaterialTable{{203, QStringLiteral("RBD SU")}, {204, QStringLiteral("MK ")}}));
     })},
    {"Material", Material, 122, Material, roundTrip(decodeMaterialWire, encodeMaterialWire, [](const MaterialWire &wire) {
         EXPECT_EQ(wire.requestCode, 203);
         EXPECT_EQ(wire.material, (MaterialRecord{203, QStringLiteral("RBD SU"), QStringLiteral("Suncokretovo u"),
                                                  QStringLiteral("BU"), 1.0}));
     })},
    {"TankParams", TankParams, 112, TankParams, roundTrip(decodeTankParamsWire, encodeTankParamsWire, [](const TankParamsWire &wire) {
         EXPECT_EQ(wire, (TankParamsWire{374, 74, 1, 1, 1, 1, 1, 1, 2.0, QStringLiteral("RBD M"), 209}));
     })},
    {"ConsoleScreenNulsAsSpaces", hexBytes("DA 01 00 00") + zeros(12) + Screen, 96,
     hexBytes("DA 01 00 00") + zeros(12) + QByteArray(Screen).replace('\0', ' '),
     roundTrip(decodeConsoleScreenWire, encodeConsoleScreenWire, [](const ConsoleScreenWire &wire) {
         EXPECT_EQ(wire.requestCode, 474);
         EXPECT_EQ(wire.screen.cell(1, 1), 'R') << "the bottom line comes first";
     })},
};

class RecordLayout : public testing::TestWithParam<Layout> {};

TEST_P(RecordLayout, DecodesEncodesAndRefusesShortBuffers)
{
    const Layout &c = GetParam();
    ExchangeBuffer out;
    out.fill('\x77');
    ASSERT_TRUE(c.roundTrip(bytesOf(c.bytes), out));
    EXPECT_EQ(hexText(QByteArray(out.data(), c.written.size())), hexText(c.written));
    EXPECT_EQ(out[static_cast<std::size_t>(c.written.size())], '\x77') << "nothing past the record is touched";
    EXPECT_FALSE(c.roundTrip(bytesOf(c.bytes.left(c.needed - 1)), out)) << "short input";
    EXPECT_FALSE(c.roundTrip(bytesOf(c.bytes), std::span(out).first(static_cast<std::size_t>(c.written.size()) - 1)))
        << "short output";
}

INSTANTIATE_TEST_SUITE_P(Records, RecordLayout, testing::ValuesIn(Layouts), caseName<Layout>);

TEST(ServerRecords, PageCountsOutsideTheirLimitsAreRefused)
{
    QByteArray keys = zeros(16 + 8 * 50);
    keys[0] = 50;
    EXPECT_EQ(decodeUserKeyListPage(bytesOf(keys))->keys.size(), 50);
    keys[0] = 51;
    EXPECT_FALSE(decodeUserKeyListPage(bytesOf(keys)) || decodeUserKeyListPage(bytesOf(hexBytes("FF FF FF FF") + zeros(12))));
    ExchangeBuffer out{};
    EXPECT_FALSE(encodeUserKeyListPage(UserKeyListPage{QList<QByteArray>(51, "KEY     ")}, out));
    EXPECT_FALSE(encodeMaterialListPage(MaterialListPage{200, MaterialTable(33)}, out));
}

// The first fault a checking decoder finds, where, and whether a record is left; a missing record
// outranks the other faults.
struct Outcome { RecordFault fault; std::size_t offset; bool hasRecord; bool operator==(const Outcome &) const = default; };
struct Fault { const char *name; std::function<Outcome()> check; Outcome expected; };

template <typename Wire>
std::function<Outcome()> checked(Decoded<Wire> (*check)(std::span<const char>), QByteArray bytes,
                                 const std::function<void(QByteArray &)> &damage)
{
    damage(bytes);
    return [=] {
        const Decoded<Wire> decoded = check(bytesOf(bytes));
        return Outcome{decoded.check.fault, decoded.check.offset, decoded.record.has_value()};
    };
}

void setExtended(QByteArray &bytes, int offset, const char *hex) { bytes.replace(offset, 10, hexBytes(hex)); }

const Fault Faults[] = {
    {"SoundTank", checked(checkTankParamsWire, TankParams, [](auto &) {}), {RecordFault::None, 0, true}},
    {"TankSifraTooLong", checked(checkTankParamsWire, TankParams, [](auto &b) { b[94] = 11; }), {RecordFault::TextTooLong, 94, true}},
    {"TankVolumeInfinite", checked(checkTankParamsWire, TankParams, [](auto &b) { setExtended(b, 84, "00 00 00 00 00 00 00 80 FF 7F"); }),
     {RecordFault::NotFinite, 84, true}},
    {"TankShortOutranksNaN", checked(checkTankParamsWire, TankParams, [](auto &b) { setExtended(b, 24, "00 00 00 00 00 00 00 C0 FF 7F"); b.chop(1); }),
     {RecordFault::Short, 108, false}},
    {"MaterialNameBeforeKind", checked(checkMaterialWire, Material, [](auto &b) { b[30] = 41; b[71] = 41; }), {RecordFault::TextTooLong, 30, true}},
    {"ListCount33", checked(checkMaterialListPage, MaterialList, [](auto &b) { b[16] = 33; }), {RecordFault::CountOutOfRange, 16, false}},
    {"ListSecondSifraTooLong", checked(checkMaterialListPage, MaterialList, [](auto &b) { b[34] = 11; }), {RecordFault::TextTooLong, 34, true}},
    {"KeyPageCountNegative", checked(checkUserKeyListPage, QByteArray(hexBytes("FF FF FF FF")), [](auto &) {}), {RecordFault::CountOutOfRange, 0, false}},
    {"UserLastRightMissing", checked(checkUserWire, userBytes(zeros(4)), [](auto &b) { b.chop(1); }), {RecordFault::Short, 153, false}},
    {"ScreenShort", checked(checkConsoleScreenWire, hexBytes("DA 01 00 00") + zeros(12) + Screen, [](auto &b) { b.chop(1); }),
     {RecordFault::Short, 16, false}},
};

class RecordFaults : public testing::TestWithParam<Fault> {};

TEST_P(RecordFaults, NameTheFirstFaultAndItsOffset)
{
    const Outcome found = GetParam().check();
    EXPECT_EQ(found, GetParam().expected) << static_cast<int>(found.fault) << " at " << found.offset;
}

INSTANTIATE_TEST_SUITE_P(Records, RecordFaults, testing::ValuesIn(Faults), caseName<Fault>);

} // namespace
