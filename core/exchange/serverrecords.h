// The fixed-layout records exchanged with the acquisition server, and their request codes.
#pragma once

#include "core/codec/extended.h"
#include "core/plant/plantmodel.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <cstddef>
#include <optional>
#include <span>

// Every exchange goes through one 1024-byte buffer. A read request lies at offset 0 (a 4-byte
// little-endian request code, or the 8-byte user key); the reply record starts at offset 24.
// A write carries the whole record at offset 0; its first field is the request code or key.
inline constexpr std::size_t ExchangeBufferSize = 1024;
inline constexpr std::size_t ReplyOffset = 24;
using ExchangeBuffer = std::array<char, ExchangeBufferSize>;

// Request codes.
inline constexpr qint32 StatusRequestCode = 0; // the live refresh: status only, no record
inline constexpr qint32 UserKeysPage1Code = 1;
inline constexpr qint32 UserKeysPage2Code = 2;
inline constexpr qint32 MaterialListPage1Code = 200; // pages 200, 201, 202
inline constexpr int MaterialListPages = 3;
inline constexpr qint32 FirstMaterialCode = MaterialCodeBase + 1;           // 203
inline constexpr qint32 LastMaterialCode = MaterialCodeBase + MaxMaterials; // 298
inline constexpr qint32 TankParamsCodeBase = 300;                           // + tank number
inline constexpr qint32 ConsoleScreenCodeBase = 400;                        // + tank number

// Request codes are told from user keys by value: a code is below 1000, while the first four
// bytes of a key (printable characters) never are.
inline constexpr qint32 RequestCodeLimit = 1000;

// A buffer holding only the request code at offset 0; the rest is zero.
ExchangeBuffer codeRequest(qint32 code);
// A buffer holding only the 8-byte key at offset 0 (cut or NUL-padded to 8 bytes).
ExchangeBuffer keyRequest(const QByteArray &key);
// The reply record of a read: the buffer from offset 24 on.
std::span<const char> replyRecord(const ExchangeBuffer &buffer);

// What a decoder found wrong with a record's bytes, and where. A decoder checks the fields in byte
// order and reports the first fault; the offset is the faulty field's first byte in the record.
enum class RecordFault {
    None,
    Short,           // the field runs past the end of the bytes: there is no record
    CountOutOfRange, // a page's count lies outside its limits: there is no record
    TextTooLong,     // a short text's length byte exceeds its capacity (the text is cut to it)
    NotFinite,       // an extended value is infinite or NaN
};

struct RecordCheck
{
    RecordFault fault = RecordFault::None;
    std::size_t offset = 0;
    bool operator==(const RecordCheck &) const = default;
};

// A record as a decoder read it. The record is there unless the fault is Short or CountOutOfRange;
// the client takes it whatever else is wrong, the server only when it is sound.
template <typename Record> struct Decoded
{
    std::optional<Record> record;
    RecordCheck check;

    const Record *sound() const { return check.fault == RecordFault::None && record ? &*record : nullptr; }
};

// Each record below has checkX, which reads it and reports its first fault, and decodeX, which is
// checkX's record.

// The key of a user: the password in upper case, Windows-1252, cut to 8 and padded with blanks.
inline constexpr int UserKeySize = 8;
QByteArray userKeyFor(const QString &password);

// UserKeyListPage (codes 1 and 2): 4-byte count (0..50), 12 reserved, then count 8-byte keys.
inline constexpr std::size_t UserKeyListKeysOffset = 16;
inline constexpr int UserKeysPerPage = 50;
inline constexpr int MaxUsers = 2 * UserKeysPerPage;

struct UserKeyListPage
{
    QList<QByteArray> keys; // 8 bytes each, in list order
    bool operator==(const UserKeyListPage &) const = default;
};

// Nullopt when the buffer is short or the count lies outside 0..50.
Decoded<UserKeyListPage> checkUserKeyListPage(std::span<const char> record);
std::optional<UserKeyListPage> decodeUserKeyListPage(std::span<const char> record);
// False, buffer untouched, when the page holds more than 50 keys or does not fit. Keys are cut or
// NUL-padded to 8 bytes.
bool encodeUserKeyListPage(const UserKeyListPage &page, std::span<char> out);

// UserWire (154 bytes): key 0..7, reserved 8..11, level 12, password 16..23, userName 24..63,
// rights 64..153 (15 x 6 bytes: tank number, nivo, temperatura, masa, zapremina, istorija).
inline constexpr std::size_t UserWireSize = 154;
inline constexpr std::size_t UserLevelOffset = 12;
inline constexpr std::size_t UserPasswordOffset = 16;
inline constexpr std::size_t UserNameOffset = 24;
inline constexpr std::size_t UserRightsOffset = 64;
inline constexpr std::size_t TankRightsSize = 6;

// The six bytes of a user's rights on one tank, in wire order, each with its name (the column of
// the server's store that keeps it, and the audit's word for it).
struct TankRightsField
{
    const char *name;
    quint8 TankRights::*member;
};
inline constexpr std::array<TankRightsField, TankRightsSize> TankRightsFields{{
    {"tank", &TankRights::tankId},
    {"nivo", &TankRights::nivo},
    {"temperatura", &TankRights::temperatura},
    {"masa", &TankRights::masa},
    {"zapremina", &TankRights::zapremina},
    {"istorija", &TankRights::istorija},
}};

struct UserWire
{
    QByteArray key = QByteArray(UserKeySize, '\0');       // 8 NUL bytes for a new user
    qint32 level = 0;                                     // 1 or 2 gives configuration access
    QByteArray password = QByteArray(UserKeySize, '\0');  // upper case, blank-padded
    QByteArray userName = QByteArray(UserNameSize, '\0'); // the 40 bytes as they travel
    SlotArray<TankRights> rights{};
    bool operator==(const UserWire &) const = default;
};

Decoded<UserWire> checkUserWire(std::span<const char> record);
std::optional<UserWire> decodeUserWire(std::span<const char> record);
// The char arrays are written as they are, cut or NUL-padded to their sizes.
bool encodeUserWire(const UserWire &user, std::span<char> out);

// MaterialListPage (codes 200..202): request code 0, reserved 4..15, count (u16, 0..32) at 16,
// then from 18 count entries of 14 bytes: code (u16), sifra (short text 10), 1 reserved byte.
inline constexpr std::size_t MaterialListCountOffset = 16;
inline constexpr std::size_t MaterialListEntriesOffset = 18;
inline constexpr std::size_t MaterialListEntrySize = 14;
inline constexpr std::size_t MaterialListEntrySifraOffset = 2; // within an entry, after its code
inline constexpr int MaterialsPerPage = 32;

struct MaterialListPage
{
    qint32 requestCode = 0;
    MaterialTable entries;
};

// Nullopt when the buffer is short or the count lies above 32.
Decoded<MaterialListPage> checkMaterialListPage(std::span<const char> record);
std::optional<MaterialListPage> decodeMaterialListPage(std::span<const char> record);
bool encodeMaterialListPage(const MaterialListPage &page, std::span<char> out);

// MaterialWire (122 bytes): request code 0, reserved 4..15, sifra 16 (short text 10), reserved 27,
// code (u16) 28, name 30 (short text 40), kind 71 (short text 40), density20 112 (extended).
inline constexpr std::size_t MaterialWireSize = 122;
inline constexpr std::size_t MaterialSifraOffset = 16;
inline constexpr std::size_t MaterialCodeOffset = 28;
inline constexpr std::size_t MaterialNameOffset = 30;
inline constexpr std::size_t MaterialKindOffset = 71;
inline constexpr std::size_t MaterialDensityOffset = 112;

struct MaterialWire
{
    qint32 requestCode = 0;
    MaterialRecord material; // a read takes the material's code from offset 28
};

Decoded<MaterialWire> checkMaterialWire(std::span<const char> record);
// One material field: its name (the column of the server's store that keeps it), its offset in
// MaterialWire, its member and a text's capacity.
template <typename Value> struct MaterialField
{
    const char *name;
    std::size_t offset;
    Value MaterialRecord::*member;
    int capacity = 0;
};

// Every field of MaterialWire after its request code, in byte order; drives the codec and the store.
template <typename Visit> void visitMaterialFields(Visit &&visit)
{
    visit(MaterialField<QString>{"sifra", MaterialSifraOffset, &MaterialRecord::sifra, SifraCapacity});
    visit(MaterialField<quint16>{"code", MaterialCodeOffset, &MaterialRecord::code});
    visit(MaterialField<QString>{"name", MaterialNameOffset, &MaterialRecord::name, NameCapacity});
    visit(MaterialField<QString>{"kind", MaterialKindOffset, &MaterialRecord::kind, NameCapacity});
    visit(MaterialField<double>{"density20", MaterialDensityOffset, &MaterialRecord::density20});
}

std::optional<MaterialWire> decodeMaterialWire(std::span<const char> record);
bool encodeMaterialWire(const MaterialWire &wire, std::span<char> out);

// TankParamsWire (112 bytes): request code 0, reserved 4..15, tank number 16, reserved 20..23,
// seven extended geometry values from 24, sifra 94 (short text 10), reserved 105..107,
// materialCode 108.
inline constexpr std::size_t TankParamsWireSize = 112;
inline constexpr std::size_t TankParamsTankIdOffset = 16;
inline constexpr std::size_t TankParamsGeometryOffset = 24;
inline constexpr int TankGeometryValues = 7;
inline constexpr std::size_t TankParamsSifraOffset = 94;
inline constexpr std::size_t TankParamsMaterialCodeOffset = 108;

struct TankParamsWire
{
    qint32 requestCode = 0;
    qint32 tankId = 0;
    double diameter = 0;       // m
    double height = 0;         // m
    double gaugeHeight = 0;    // m
    double deadZoneHeight = 0; // mm
    double maxLevel = 0;       // m
    double maxVolume = 0;      // m3
    double deadZoneVolume = 0; // m3
    QString sifra;
    qint32 materialCode = 0;
    bool operator==(const TankParamsWire &) const = default;
};

// Geometry value 0..6, in the order of TankParamsWire's members.
constexpr std::size_t tankGeometryOffset(int index)
{
    return TankParamsGeometryOffset + static_cast<std::size_t>(index) * ExtendedSize;
}

// One tank parameter: its name (the column of the server's store that keeps it), its offset in
// TankParamsWire, its members in the wire record and in the tank's model, and a text's capacity.
template <typename Value> struct TankParamField
{
    const char *name;
    std::size_t offset;
    Value TankParamsWire::*wire;
    Value TankRecord::*model;
    int capacity = 0;
};

// Every field of TankParamsWire after its request code, in byte order. This one list drives the
// codec, the login's copy into the model and the server's store.
template <typename Visit> void visitTankParamFields(Visit &&visit)
{
    visit(TankParamField<qint32>{"tank", TankParamsTankIdOffset, &TankParamsWire::tankId, &TankRecord::serverTankId});
    visit(TankParamField<double>{"diameter", tankGeometryOffset(0), &TankParamsWire::diameter, &TankRecord::diameter});
    visit(TankParamField<double>{"height", tankGeometryOffset(1), &TankParamsWire::height, &TankRecord::height});
    visit(TankParamField<double>{"gauge_height", tankGeometryOffset(2), &TankParamsWire::gaugeHeight,
                                 &TankRecord::gaugeHeight});
    visit(TankParamField<double>{"dead_zone_height", tankGeometryOffset(3), &TankParamsWire::deadZoneHeight,
                                 &TankRecord::deadZoneHeight});
    visit(TankParamField<double>{"max_level", tankGeometryOffset(4), &TankParamsWire::maxLevel, &TankRecord::maxLevel});
    visit(TankParamField<double>{"max_volume", tankGeometryOffset(5), &TankParamsWire::maxVolume,
                                 &TankRecord::maxVolume});
    visit(TankParamField<double>{"dead_zone_volume", tankGeometryOffset(6), &TankParamsWire::deadZoneVolume,
                                 &TankRecord::deadZoneVolume});
    visit(TankParamField<QString>{"sifra", TankParamsSifraOffset, &TankParamsWire::sifra, &TankRecord::paramSifra,
                                  SifraCapacity});
    visit(TankParamField<qint32>{"material_code", TankParamsMaterialCodeOffset, &TankParamsWire::materialCode,
                                 &TankRecord::materialCode});
}

// The parameters the server keeps for a tank, copied into its model; the rest of the model stays.
void takeTankParams(TankRecord &tank, const TankParamsWire &wire);

Decoded<TankParamsWire> checkTankParamsWire(std::span<const char> record);
std::optional<TankParamsWire> decodeTankParamsWire(std::span<const char> record);
bool encodeTankParamsWire(const TankParamsWire &wire, std::span<char> out);

// ConsoleScreenWire (96 bytes): request code 0, reserved 4..15, the 80 screen characters from 16,
// bottom line first.
inline constexpr std::size_t ConsoleScreenWireSize = 96;
inline constexpr std::size_t ConsoleScreenOffset = 16;

struct ConsoleScreenWire
{
    qint32 requestCode = 0;
    ConsoleScreen screen; // NUL bytes read become spaces
};

Decoded<ConsoleScreenWire> checkConsoleScreenWire(std::span<const char> record);
std::optional<ConsoleScreenWire> decodeConsoleScreenWire(std::span<const char> record);
bool encodeConsoleScreenWire(const ConsoleScreenWire &wire, std::span<char> out);
