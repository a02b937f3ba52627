// Paged reads and writes of the user keys and the material list.
#include "core/exchange/serverlists.h"

#include <algorithm>

PagedRead<QList<QByteArray>> readUserKeys(ServerExchange &server, int tries)
{
    PagedRead<QList<QByteArray>> result;
    for (const qint32 code : {UserKeysPage1Code, UserKeysPage2Code}) {
        ExchangeBuffer buffer = codeRequest(code);
        result.status = exchangeWithRetry(server, ExchangeOperation::Read, buffer, tries);
        if (!result.ok())
            return result;
        const std::optional<UserKeyListPage> page = decodeUserKeyListPage(replyRecord(buffer));
        if (!page) {
            result.status = ExchangeStatus::MalformedRecord;
            return result;
        }
        result.list.append(page->keys);
        if (page->keys.size() != UserKeysPerPage)
            break;
    }
    return result;
}

PagedRead<MaterialTable> readMaterialList(ServerExchange &server, int tries)
{
    PagedRead<MaterialTable> result;
    for (int page = 0; page < MaterialListPages; ++page) {
        ExchangeBuffer buffer = codeRequest(MaterialListPage1Code + page);
        result.status = exchangeWithRetry(server, ExchangeOperation::Read, buffer, tries);
        if (!result.ok())
            return result;
        const std::optional<MaterialListPage> decoded = decodeMaterialListPage(replyRecord(buffer));
        if (!decoded) {
            result.status = ExchangeStatus::MalformedRecord;
            return result;
        }
        result.list.append(decoded->entries);
    }
    return result;
}

std::array<int, MaterialListPages> materialPageCounts(qsizetype n)
{
    std::array<int, MaterialListPages> counts{};
    auto left = static_cast<int>(std::clamp<qsizetype>(n, 0, MaxMaterials));
    for (int &count : counts) {
        count = std::min(left, MaterialsPerPage);
        left -= count;
    }
    return counts;
}

qint32 writeMaterialList(ServerExchange &server, const MaterialTable &list, int tries)
{
    qsizetype first = 0;
    int page = 0;
    for (const int count : materialPageCounts(list.size())) {
        const MaterialListPage record{MaterialListPage1Code + page++, list.mid(first, count)};
        first += count;
        const qint32 status = writeRecord(server, record, encodeMaterialListPage, tries);
        if (status != ExchangeStatus::Success)
            return status;
    }
    return ExchangeStatus::Success;
}
