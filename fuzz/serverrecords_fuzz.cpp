// Fuzz target: every server record decoder on any bytes, and the paged user-key and material lists
// read from pages the input makes up. A record that decodes must encode and decode again to the
// same bytes; a material list that was read must be written back page by page as it was read.
#include "core/exchange/serverlists.h"
#include "core/exchange/serverrecords.h"
#include "fuzz/fuzzinput.h"

#include <QList>

namespace {

// Decode, encode, decode, encode: both encodings must agree byte for byte.
template <typename Decode, typename Encode> void roundTrip(std::span<const char> bytes, Decode decode, Encode encode)
{
    const auto first = decode(bytes);
    if (!first)
        return;
    ExchangeBuffer once{};
    if (!encode(*first, std::span<char>(once)))
        fuzzFailure("a decoded record does not encode");
    const auto second = decode(std::span<const char>(once));
    if (!second)
        fuzzFailure("an encoded record does not decode");
    ExchangeBuffer twice{};
    encode(*second, std::span<char>(twice));
    if (once != twice)
        fuzzFailure("a record changes on its second round trip");
}

// Answers each read with the next ExchangeBufferSize bytes of the input as the buffer, its first
// byte odd for a failed exchange; records every write.
class PagesExchange final : public ServerExchange
{
public:
    explicit PagesExchange(FuzzInput &input)
        : m_input(input)
    {}

    qint32 read(ExchangeBuffer &buffer) override
    {
        const QByteArray page = m_input.takePadded(ExchangeBufferSize);
        std::copy(page.begin(), page.end(), buffer.begin());
        return (page.front() & 1) ? ExchangeStatus::NoConnection : ExchangeStatus::Success;
    }

    qint32 write(ExchangeBuffer &buffer) override
    {
        written.append(buffer);
        return ExchangeStatus::Success;
    }

    QList<ExchangeBuffer> written;

private:
    FuzzInput &m_input;
};

void readLists(FuzzInput &input)
{
    PagesExchange server(input);
    const PagedRead<QList<QByteArray>> keys = readUserKeys(server, 1);
    if (keys.list.size() > MaxUsers)
        fuzzFailure("more user keys than two pages hold");
    const PagedRead<MaterialTable> materials = readMaterialList(server, 1);
    if (materials.list.size() > MaxMaterials)
        fuzzFailure("more materials than three pages hold");
    if (writeMaterialList(server, materials.list, 1) != ExchangeStatus::Success)
        fuzzFailure("a material list write failed on a server that accepts everything");
    MaterialTable written;
    for (const ExchangeBuffer &page : server.written)
        written.append(decodeMaterialListPage(page)->entries);
    if (written != materials.list)
        fuzzFailure("the material list written back differs from the one read");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::span<const char> bytes(reinterpret_cast<const char *>(data), size);
    roundTrip(bytes, decodeUserKeyListPage, encodeUserKeyListPage);
    roundTrip(bytes, decodeUserWire, encodeUserWire);
    roundTrip(bytes, decodeMaterialListPage, encodeMaterialListPage);
    roundTrip(bytes, decodeMaterialWire, encodeMaterialWire);
    roundTrip(bytes, decodeTankParamsWire, encodeTankParamsWire);
    roundTrip(bytes, decodeConsoleScreenWire, encodeConsoleScreenWire);
    FuzzInput input(data, size);
    readLists(input);
    return 0;
}
