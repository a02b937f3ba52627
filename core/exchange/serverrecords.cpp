// Server records: one field list per record drives its decoder, its checks and its encoder.
#include "core/exchange/serverrecords.h"

#include "core/codec/bytes.h"
#include "core/codec/extended.h"
#include "core/codec/shorttext.h"
#include "core/codec/windows1252.h"

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <utility>

namespace {

bool missesRecord(RecordFault fault) { return fault == RecordFault::Short || fault == RecordFault::CountOutOfRange; }

// Reads fields, each checked against the bytes before it is touched, and keeps the first fault; a
// missing record outranks every other fault. A field that does not fit keeps its value.
class FieldReader
{
public:
    explicit FieldReader(std::span<const char> bytes)
        : m_bytes(bytes)
    {}

    const RecordCheck &check() const { return m_check; }

    void field(std::size_t offset, quint8 &value) { take(offset, readU8(m_bytes, offset), value); }
    void field(std::size_t offset, quint16 &value) { take(offset, readU16(m_bytes, offset), value); }
    void field(std::size_t offset, qint32 &value) { take(offset, readI32(m_bytes, offset), value); }
    void field(std::size_t offset, double &value) // a 10-byte extended value
    {
        if (take(offset, readExtended(m_bytes, offset), value) && !std::isfinite(value))
            fault(RecordFault::NotFinite, offset);
    }
    void text(std::size_t offset, int capacity, QString &value)
    {
        if (take(offset, readShortText(m_bytes, offset, capacity), value)
            && !shortTextLengthValid(m_bytes, offset, capacity))
            fault(RecordFault::TextTooLong, offset);
    }
    void chars(std::size_t offset, int size, QByteArray &value)
    {
        take(offset, readCharArray(m_bytes, offset, size), value);
    }
    void screen(std::size_t offset, ConsoleScreen &value)
    {
        if (fieldFits(m_bytes, offset, ConsoleScreen::Size))
            value = ConsoleScreen::fromReceived(m_bytes.subspan(offset).first<ConsoleScreen::Size>());
        else
            fault(RecordFault::Short, offset);
    }
    // A page's count: false, and no record, when it is missing or lies outside 0..limit.
    template <typename Count> bool count(std::size_t offset, Count &value, int limit)
    {
        field(offset, value);
        if (!missesRecord(m_check.fault) && (std::cmp_less(value, 0) || std::cmp_greater(value, limit)))
            fault(RecordFault::CountOutOfRange, offset);
        return !missesRecord(m_check.fault);
    }

private:
    template <typename T> bool take(std::size_t offset, const std::optional<T> &read, T &value)
    {
        if (!read) {
            fault(RecordFault::Short, offset);
            return false;
        }
        value = *read;
        return true;
    }
    void fault(RecordFault fault, std::size_t offset)
    {
        if (m_check.fault == RecordFault::None || (missesRecord(fault) && !missesRecord(m_check.fault)))
            m_check = {fault, offset};
    }

    std::span<const char> m_bytes;
    RecordCheck m_check;
};

// The bytes cut or NUL-padded to size, written at offset; the caller has checked the room.
void writeBytes(std::span<char> out, std::size_t offset, const QByteArray &bytes, std::size_t size)
{
    const auto used = std::min(size, static_cast<std::size_t>(bytes.size()));
    std::copy_n(bytes.constData(), used, out.begin() + static_cast<std::ptrdiff_t>(offset));
    std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(offset + used), size - used, '\0');
}

// Writes fields into a zeroed record that the caller has checked has room for all of them.
struct FieldWriter
{
    std::span<char> bytes;

    void field(std::size_t offset, quint8 value) const { writeU8(bytes, offset, value); }
    void field(std::size_t offset, quint16 value) const { writeU16(bytes, offset, value); }
    void field(std::size_t offset, qint32 value) const { writeI32(bytes, offset, value); }
    void field(std::size_t offset, double value) const { writeExtended(bytes, offset, value); }
    void text(std::size_t offset, int capacity, const QString &value) const
    {
        writeShortText(bytes, offset, capacity, value);
    }
    void chars(std::size_t offset, int size, const QByteArray &value) const
    {
        writeBytes(bytes, offset, value, static_cast<std::size_t>(size));
    }
    void screen(std::size_t offset, const ConsoleScreen &value) const
    {
        std::copy(value.chars().begin(), value.chars().end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    template <typename Count> bool count(std::size_t offset, Count value, int) const
    {
        field(offset, value);
        return true;
    }
};

// A decoded page takes as many entries as its count says; an encoded one keeps its own.
template <typename List> void sizeTo(List &list, qsizetype size) { list.resize(size); }

template <typename List> void sizeTo(const List &, qsizetype) {}

// The field lists. Record is const when encoding.

template <typename Fields, typename Page> void visitUserKeyListPage(Fields &f, Page &page)
{
    auto count = static_cast<qint32>(page.keys.size());
    if (!f.count(0, count, UserKeysPerPage))
        return;
    sizeTo(page.keys, count);
    for (qint32 i = 0; i < count; ++i)
        f.chars(UserKeyListKeysOffset + static_cast<std::size_t>(i) * UserKeySize, UserKeySize, page.keys[i]);
}

template <typename Fields, typename User> void visitUser(Fields &f, User &user)
{
    f.chars(0, UserKeySize, user.key);
    f.field(UserLevelOffset, user.level);
    f.chars(UserPasswordOffset, UserKeySize, user.password);
    f.chars(UserNameOffset, UserNameSize, user.userName);
    std::size_t at = UserRightsOffset; // the rights follow one another in slot order
    for (auto &rights : user.rights) {
        for (std::size_t i = 0; i < TankRightsFields.size(); ++i)
            f.field(at + i, rights.*TankRightsFields[i].member);
        at += TankRightsSize;
    }
}

template <typename Fields, typename Page> void visitMaterialListPage(Fields &f, Page &page)
{
    f.field(0, page.requestCode);
    auto count = static_cast<quint16>(page.entries.size());
    if (!f.count(MaterialListCountOffset, count, MaterialsPerPage))
        return;
    sizeTo(page.entries, count);
    for (qsizetype i = 0; i < count; ++i) {
        const std::size_t entry = MaterialListEntriesOffset + static_cast<std::size_t>(i) * MaterialListEntrySize;
        f.field(entry, page.entries[i].code);
        f.text(entry + MaterialListEntrySifraOffset, SifraCapacity, page.entries[i].sifra);
    }
}

// One entry of a field list: a text with its capacity, any other value by its type.
template <typename Fields, typename Value> void visitListed(Fields &f, std::size_t offset, int capacity, Value &value)
{
    if constexpr (std::is_same_v<std::remove_const_t<Value>, QString>)
        f.text(offset, capacity, value);
    else
        f.field(offset, value);
}

template <typename Fields, typename Wire> void visitMaterial(Fields &f, Wire &wire)
{
    f.field(0, wire.requestCode);
    visitMaterialFields(
        [&](const auto &field) { visitListed(f, field.offset, field.capacity, wire.material.*field.member); });
}

template <typename Fields, typename Wire> void visitTankParams(Fields &f, Wire &wire)
{
    f.field(0, wire.requestCode);
    visitTankParamFields([&](const auto &param) { visitListed(f, param.offset, param.capacity, wire.*param.wire); });
}

template <typename Fields, typename Wire> void visitConsoleScreen(Fields &f, Wire &wire)
{
    f.field(0, wire.requestCode);
    f.screen(ConsoleScreenOffset, wire.screen);
}

template <typename Record, typename Visit> Decoded<Record> decodeWith(std::span<const char> bytes, Visit visit)
{
    FieldReader reader(bytes);
    Record record;
    visit(reader, record);
    if (missesRecord(reader.check().fault))
        return {std::nullopt, reader.check()};
    return {std::move(record), reader.check()};
}

// Zeroes size bytes and writes the record into them; false, buffer untouched, when they do not fit.
template <typename Record, typename Visit>
bool encodeWith(const Record &record, std::span<char> out, std::size_t size, Visit visit)
{
    if (out.size() < size)
        return false;
    std::fill_n(out.begin(), size, '\0');
    FieldWriter writer{out.first(size)};
    visit(writer, record);
    return true;
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

Decoded<UserKeyListPage> checkUserKeyListPage(std::span<const char> record)
{
    return decodeWith<UserKeyListPage>(record, [](auto &f, auto &page) { visitUserKeyListPage(f, page); });
}

std::optional<UserKeyListPage> decodeUserKeyListPage(std::span<const char> record)
{
    return checkUserKeyListPage(record).record;
}

bool encodeUserKeyListPage(const UserKeyListPage &page, std::span<char> out)
{
    const auto count = static_cast<std::size_t>(page.keys.size());
    return std::cmp_less_equal(count, UserKeysPerPage)
           && encodeWith(page, out, UserKeyListKeysOffset + count * UserKeySize,
                         [](auto &f, auto &p) { visitUserKeyListPage(f, p); });
}

Decoded<UserWire> checkUserWire(std::span<const char> record)
{
    return decodeWith<UserWire>(record, [](auto &f, auto &user) { visitUser(f, user); });
}

std::optional<UserWire> decodeUserWire(std::span<const char> record) { return checkUserWire(record).record; }

bool encodeUserWire(const UserWire &user, std::span<char> out)
{
    return encodeWith(user, out, UserWireSize, [](auto &f, auto &u) { visitUser(f, u); });
}

Decoded<MaterialListPage> checkMaterialListPage(std::span<const char> record)
{
    return decodeWith<MaterialListPage>(record, [](auto &f, auto &page) { visitMaterialListPage(f, page); });
}

std::optional<MaterialListPage> decodeMaterialListPage(std::span<const char> record)
{
    return checkMaterialListPage(record).record;
}

bool encodeMaterialListPage(const MaterialListPage &page, std::span<char> out)
{
    const auto count = static_cast<std::size_t>(page.entries.size());
    return std::cmp_less_equal(count, MaterialsPerPage)
           && encodeWith(page, out, MaterialListEntriesOffset + count * MaterialListEntrySize,
                         [](auto &f, auto &p) { visitMaterialListPage(f, p); });
}

Decoded<MaterialWire> checkMaterialWire(std::span<const char> record)
{
    return decodeWith<MaterialWire>(record, [](auto &f, auto &wire) { visitMaterial(f, wire); });
}

std::optional<MaterialWire> decodeMaterialWire(std::span<const char> record)
{
    return checkMaterialWire(record).record;
}

bool encodeMaterialWire(const MaterialWire &wire, std::span<char> out)
{
    return encodeWith(wire, out, MaterialWireSize, [](auto &f, auto &w) { visitMaterial(f, w); });
}

void takeTankParams(TankRecord &tank, const TankParamsWire &wire)
{
    visitTankParamFields([&](const auto &param) { tank.*param.model = wire.*param.wire; });
}

Decoded<TankParamsWire> checkTankParamsWire(std::span<const char> record)
{
    return decodeWith<TankParamsWire>(record, [](auto &f, auto &wire) { visitTankParams(f, wire); });
}

std::optional<TankParamsWire> decodeTankParamsWire(std::span<const char> record)
{
    return checkTankParamsWire(record).record;
}

bool encodeTankParamsWire(const TankParamsWire &wire, std::span<char> out)
{
    return encodeWith(wire, out, TankParamsWireSize, [](auto &f, auto &w) { visitTankParams(f, w); });
}

Decoded<ConsoleScreenWire> checkConsoleScreenWire(std::span<const char> record)
{
    return decodeWith<ConsoleScreenWire>(record, [](auto &f, auto &wire) { visitConsoleScreen(f, wire); });
}

std::optional<ConsoleScreenWire> decodeConsoleScreenWire(std::span<const char> record)
{
    return checkConsoleScreenWire(record).record;
}

bool encodeConsoleScreenWire(const ConsoleScreenWire &wire, std::span<char> out)
{
    return encodeWith(wire, out, ConsoleScreenWireSize, [](auto &f, auto &w) { visitConsoleScreen(f, w); });
}
