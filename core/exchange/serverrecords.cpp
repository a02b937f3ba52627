// Server records: every field at its offset, checked against the buffer before it is touched.
#include "core/exchange/serverrecords.h"

#include "core/codec/bytes.h"
#include "core/codec/extended.h"
#include "core/codec/shorttext.h"
#include "core/codec/windows1252.h"

#include <algorithm>

namespace {

// The reserved bytes of the records the client writes are zero.
bool clearRecord(std::span<char> out, std::size_t size)
{
    if (out.size() < size)
        return false;
    std::fill_n(out.begin(), size, '\0');
    return true;
}

// The bytes cut or NUL-padded to size, written at offset; the caller has checked the room.
void writeBytes(std::span<char> out, std::size_t offset, const QByteArray &bytes, std::size_t size)
{
    const auto used = std::min(size, static_cast<std::size_t>(bytes.size()));
    std::copy_n(bytes.constData(), used, out.begin() + static_cast<std::ptrdiff_t>(offset));
    std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(offset + used), size - used, '\0');
}

// The seven geometry values in their wire order; Wire is TankParamsWire, const or not.
template <typename Wire>
auto geometryOf(Wire &wire)
{
    return std::array{&wire.diameter, &wire.height, &wire.gaugeHeight, &wire.deadZoneHeight,
            &wire.maxLevel, &wire.maxVolume, &wire.deadZoneVolume};
}

std::size_t geometryOffset(int index)
{
    return TankParamsGeometryOffset + static_cast<std::size_t>(index) * ExtendedSize;
}

} // namespace

ExchangeBuffer codeRequest(qint32 code)
{
    ExchangeBuffer buffer{};
    writeI32(buffer, 0, code);
    return buffer;
}

ExchangeBuffer keyRequest(const QByteArray &key)
{
    ExchangeBuffer buffer{};
    writeBytes(buffer, 0, key, UserKeySize);
    return buffer;
}

std::span<const char> replyRecord(const ExchangeBuffer &buffer)
{
    return std::span<const char>(buffer).subspan(ReplyOffset);
}

QByteArray userKeyFor(const QString &password)
{
    QByteArray key = toWindows1252(password.toUpper()).left(UserKeySize);
    return key.leftJustified(UserKeySize, ' ');
}

std::optional<UserKeyListPage> decodeUserKeyListPage(std::span<const char> record)
{
    const std::optional<qint32> count = readI32(record, 0);
    if (!count || *count < 0 || *count > UserKeysPerPage)
        return std::nullopt;
    UserKeyListPage page;
    for (qint32 i = 0; i < *count; ++i) {
        const auto key = readCharArray(record, UserKeyListKeysOffset + static_cast<std::size_t>(i) * UserKeySize, UserKeySize);
        if (!key)
            return std::nullopt;
        page.keys.append(*key);
    }
    return page;
}

bool encodeUserKeyListPage(const UserKeyListPage &page, std::span<char> out)
{
    if (page.keys.size() > UserKeysPerPage)
        return false;
    const auto size = UserKeyListKeysOffset + static_cast<std::size_t>(page.keys.size()) * UserKeySize;
    if (!clearRecord(out, size))
        return false;
    writeI32(out, 0, static_cast<qint32>(page.keys.size()));
    for (qsizetype i = 0; i < page.keys.size(); ++i)
        writeBytes(out, UserKeyListKeysOffset + static_cast<std::size_t>(i) * UserKeySize, page.keys[i], UserKeySize);
    return true;
}

std::optional<UserWire> decodeUserWire(std::span<const char> record)
{
    if (record.size() < UserWireSize)
        return std::nullopt;
    UserWire user;
    user.key = *readCharArray(record, 0, UserKeySize);
    user.level = *readI32(record, UserLevelOffset);
    user.password = *readCharArray(record, UserPasswordOffset, UserKeySize);
    user.userName = *readCharArray(record, UserNameOffset, UserNameSize);
    for (std::size_t slot = 0; slot < user.rights.size(); ++slot) {
        const auto at = [&](std::size_t field) { return *readU8(record, UserRightsOffset + slot * TankRightsSize + field); };
        user.rights[slot] = TankRights{at(0), at(1), at(2), at(3), at(4), at(5)};
    }
    return user;
}

bool encodeUserWire(const UserWire &user, std::span<char> out)
{
    if (!clearRecord(out, UserWireSize))
        return false;
    writeBytes(out, 0, user.key, UserKeySize);
    writeI32(out, UserLevelOffset, user.level);
    writeBytes(out, UserPasswordOffset, user.password, UserKeySize);
    writeBytes(out, UserNameOffset, user.userName, UserNameSize);
    for (std::size_t slot = 0; slot < user.rights.size(); ++slot) {
        const TankRights &r = user.rights[slot];
        const std::array<quint8, TankRightsSize> fields{r.tankId, r.nivo, r.temperatura, r.masa, r.zapremina, r.istorija};
        for (std::size_t field = 0; field < fields.size(); ++field)
            writeU8(out, UserRightsOffset + slot * TankRightsSize + field, fields[field]);
    }
    return true;
}

std::optional<MaterialListPage> decodeMaterialListPage(std::span<const char> record)
{
    const std::optional<qint32> code = readI32(record, 0);
    const std::optional<quint16> count = readU16(record, MaterialListCountOffset);
    if (!code || !count || *count > MaterialsPerPage)
        return std::nullopt;
    MaterialListPage page{*code, {}};
    for (std::size_t i = 0; i < *count; ++i) {
        const std::size_t entry = MaterialListEntriesOffset + i * MaterialListEntrySize;
        const std::optional<quint16> entryCode = readU16(record, entry);
        const std::optional<QString> sifra = readShortText(record, entry + MaterialListEntrySifraOffset, SifraCapacity);
        if (!entryCode || !sifra)
            return std::nullopt;
        page.entries.append({*entryCode, *sifra});
    }
    return page;
}

bool encodeMaterialListPage(const MaterialListPage &page, std::span<char> out)
{
    if (page.entries.size() > MaterialsPerPage)
        return false;
    const auto count = static_cast<std::size_t>(page.entries.size());
    if (!clearRecord(out, MaterialListEntriesOffset + count * MaterialListEntrySize))
        return false;
    writeI32(out, 0, page.requestCode);
    writeU16(out, MaterialListCountOffset, static_cast<quint16>(count));
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = MaterialListEntriesOffset + i * MaterialListEntrySize;
        writeU16(out, entry, page.entries[static_cast<qsizetype>(i)].code);
        writeShortText(out, entry + MaterialListEntrySifraOffset, SifraCapacity, page.entries[static_cast<qsizetype>(i)].sifra);
    }
    return true;
}

std::optional<MaterialWire> decodeMaterialWire(std::span<const char> record)
{
    if (record.size() < MaterialWireSize)
        return std::nullopt;
    MaterialWire wire;
    wire.requestCode = *readI32(record, 0);
    wire.material.sifra = *readShortText(record, MaterialSifraOffset, SifraCapacity);
    wire.material.code = *readU16(record, MaterialCodeOffset);
    wire.material.name = *readShortText(record, MaterialNameOffset, NameCapacity);
    wire.material.kind = *readShortText(record, MaterialKindOffset, NameCapacity);
    wire.material.density20 = *readExtended(record, MaterialDensityOffset);
    return wire;
}

bool encodeMaterialWire(const MaterialWire &wire, std::span<char> out)
{
    if (!clearRecord(out, MaterialWireSize))
        return false;
    writeI32(out, 0, wire.requestCode);
    writeShortText(out, MaterialSifraOffset, SifraCapacity, wire.material.sifra);
    writeU16(out, MaterialCodeOffset, wire.material.code);
    writeShortText(out, MaterialNameOffset, NameCapacity, wire.material.name);
    writeShortText(out, MaterialKindOffset, NameCapacity, wire.material.kind);
    writeExtended(out, MaterialDensityOffset, wire.material.density20);
    return true;
}

std::optional<TankParamsWire> decodeTankParamsWire(std::span<const char> record)
{
    if (record.size() < TankParamsWireSize)
        return std::nullopt;
    TankParamsWire wire;
    wire.requestCode = *readI32(record, 0);
    wire.tankId = *readI32(record, TankParamsTankIdOffset);
    const auto geometry = geometryOf(wire);
    for (int i = 0; i < TankGeometryValues; ++i)
        *geometry[static_cast<std::size_t>(i)] = *readExtended(record, geometryOffset(i));
    wire.sifra = *readShortText(record, TankParamsSifraOffset, SifraCapacity);
    wire.materialCode = *readI32(record, TankParamsMaterialCodeOffset);
    return wire;
}

bool encodeTankParamsWire(const TankParamsWire &wire, std::span<char> out)
{
    if (!clearRecord(out, TankParamsWireSize))
        return false;
    writeI32(out, 0, wire.requestCode);
    writeI32(out, TankParamsTankIdOffset, wire.tankId);
    const auto geometry = geometryOf(wire);
    for (int i = 0; i < TankGeometryValues; ++i)
        writeExtended(out, geometryOffset(i), *geometry[static_cast<std::size_t>(i)]);
    writeShortText(out, TankParamsSifraOffset, SifraCapacity, wire.sifra);
    writeI32(out, TankParamsMaterialCodeOffset, wire.materialCode);
    return true;
}

std::optional<ConsoleScreenWire> decodeConsoleScreenWire(std::span<const char> record)
{
    if (record.size() < ConsoleScreenWireSize)
        return std::nullopt;
    ConsoleScreenWire wire;
    wire.requestCode = *readI32(record, 0);
    wire.screen = ConsoleScreen::fromReceived(record.subspan<ConsoleScreenOffset, ConsoleScreen::Size>());
    return wire;
}

bool encodeConsoleScreenWire(const ConsoleScreenWire &wire, std::span<char> out)
{
    if (!clearRecord(out, ConsoleScreenWireSize))
        return false;
    writeI32(out, 0, wire.requestCode);
    std::copy(wire.screen.chars().begin(), wire.screen.chars().end(), out.begin() + ConsoleScreenOffset);
    return true;
}
