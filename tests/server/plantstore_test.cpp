// The store file: owner-only creation, refusal of files that are no store, database errors as statuses.
#include "server/plantstore.h"

#include "core/exchange/serverlists.h"
#include "tests/server/serverfixture.h"
#include "tests/server/storesql.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

TEST(PlantStore, CreatesAnOwnerOnlyFileInNewFoldersAndSeedsAnEmptyOne)
{
    QTemporaryDir dir;
    const QString created = dir.filePath(u"a/b/plant.sqlite"_s);
    ASSERT_TRUE(PlantStore::open(created).store);
    EXPECT_EQ(QFile::permissions(created) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    const StoreOpening empty = PlantStore::open(writeFile(dir.filePath(u"empty.sqlite"_s), {}));
    ASSERT_TRUE(empty.store) << empty.error.toStdString();
    EXPECT_EQ(empty.store->users().value.size(), 2);
}

TEST(PlantStore, AFileThatIsNoStoreIsReportedAndTheEmbeddedExchangeIsUnreachable)
{
    QTemporaryDir dir;
    const QString schema7 = dir.filePath(u"plant.sqlite"_s);
    ASSERT_TRUE(runOnStore(schema7, {u"PRAGMA user_version = 7"_s}));
    for (const QString &path : {writeFile(dir.filePath(u"x.sqlite"_s), QByteArray(4096, 'x')),
                                writeFile(dir.filePath(u"file"_s), "x") + u"/plant.sqlite"_s, schema7, dir.path()}) {
        const StoreOpening opening = PlantStore::open(path);
        EXPECT_FALSE(opening.store);
        EXPECT_TRUE(opening.error.contains(path)) << opening.error.toStdString();
        EmbeddedExchangeOpening embedded = openEmbeddedExchange(path);
        EXPECT_FALSE(embedded.error.isEmpty());
        ExchangeBuffer buffer = codeRequest(StatusRequestCode);
        EXPECT_EQ(embedded.exchange->read(buffer), ExchangeStatus::NoConnection);
        EXPECT_EQ(embedded.exchange->write(buffer), ExchangeStatus::NoConnection);
    }
}

using StoreFailure = ServerFixture;

TEST_F(StoreFailure, DatabaseErrorsAnswerStoreFailed)
{
    // Every record kind is read while the store is whole, then read and written back once its tables are gone.
    std::vector<std::pair<ExchangeBuffer, ExchangeBuffer>> requests; // the request and the write of its record
    for (const ExchangeBuffer &request : {codeRequest(UserKeysPage1Code), keyRequest("ADMIN   "), codeRequest(200),
                                          codeRequest(203), codeRequest(374), codeRequest(474)})
        requests.emplace_back(request, asWrite(readOk(request)));
    UserWire user;
    user.password = "NEW     ";
    requests.emplace_back(keyRequest("NEW     "), recordBuffer(user, encodeUserWire));
    ASSERT_TRUE(runOnStore(storePath(), {u"DROP TABLE user_rights"_s, u"DROP TABLE users"_s, u"DROP TABLE material_list"_s,
                          u"DROP TABLE materials"_s, u"DROP TABLE tanks"_s, u"DROP TABLE console_screens"_s}));
    ExchangeBuffer status = codeRequest(StatusRequestCode);
    EXPECT_EQ(exchange->read(status), ExchangeStatus::Success) << "the status query needs no store";

    for (std::size_t i = 0; i < requests.size(); ++i) {
        ExchangeBuffer buffer = requests[i].first;
        EXPECT_EQ(exchange->read(buffer), ExchangeStatus::StoreFailed) << "read " << i;
        if (i > 0) { // the key pages are not written
            EXPECT_EQ(write(requests[i].second), ExchangeStatus::StoreFailed) << "write " << i;
        }
    }
}

} // namespace
