// The store file: owner-only creation, refusal of files that are no store, database errors as statuses.
#include "server/plantstore.h"

#include "core/exchange/serverlists.h"
#include "tests/server/serverfixture.h"
#include "tests/server/storesql.h"
#include "tests/support/namedcases.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

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

struct Unusable
{
    const char *name;
    std::function<QString(const QTemporaryDir &)> prepare; // returns the path to open
};

const Unusable UnusableFiles[] = {
    {"NotADatabase", [](const QTemporaryDir &dir) { return writeFile(dir.filePath(u"x.sqlite"_s), QByteArray(4096, 'x')); }},
    {"FolderIsAFile",
     [](const QTemporaryDir &dir) { return writeFile(dir.filePath(u"file"_s), "x") + u"/plant.sqlite"_s; }},
    {"UnknownSchemaVersion",
     [](const QTemporaryDir &dir) {
         const QString path = dir.filePath(u"plant.sqlite"_s);
         EXPECT_TRUE(runOnStore(path, {u"PRAGMA user_version = 7"_s}));
         return path;
     }},
};

class UnusableFile : public testing::TestWithParam<Unusable>
{};

TEST_P(UnusableFile, IsReportedAndTheEmbeddedExchangeIsUnreachable)
{
    QTemporaryDir dir;
    const QString path = GetParam().prepare(dir);
    const StoreOpening opening = PlantStore::open(path);
    EXPECT_FALSE(opening.store);
    EXPECT_TRUE(opening.error.contains(path)) << opening.error.toStdString();

    EmbeddedExchangeOpening embedded = openEmbeddedExchange(path);
    EXPECT_FALSE(embedded.error.isEmpty());
    ExchangeBuffer buffer = codeRequest(StatusRequestCode);
    EXPECT_EQ(embedded.exchange->read(buffer), ExchangeStatus::NoConnection);
    EXPECT_EQ(embedded.exchange->write(buffer), ExchangeStatus::NoConnection);
}

INSTANTIATE_TEST_SUITE_P(Store, UnusableFile, testing::ValuesIn(UnusableFiles), caseName<Unusable>);

using StoreFailure = ServerFixture;

TEST_F(StoreFailure, DatabaseErrorsAnswerStoreFailed)
{
    ASSERT_TRUE(runOnStore(storePath(), {u"DROP TABLE user_rights"_s, u"DROP TABLE users"_s, u"DROP TABLE material_list"_s,
                          u"DROP TABLE materials"_s, u"DROP TABLE tanks"_s, u"DROP TABLE console_screens"_s}));
    ExchangeBuffer status = codeRequest(StatusRequestCode);
    EXPECT_EQ(exchange->read(status), ExchangeStatus::Success) << "the status query needs no store";

    UserWire user;
    user.password = "NEW     ";
    TankParamsWire tank;
    tank.requestCode = 374;
    tank.tankId = 74;
    const std::pair<ExchangeOperation, ExchangeBuffer> requests[] = {
        {ExchangeOperation::Read, codeRequest(UserKeysPage1Code)},
        {ExchangeOperation::Read, keyRequest("ADMIN   ")},
        {ExchangeOperation::Write, recordBuffer(user, encodeUserWire)},
        {ExchangeOperation::Read, codeRequest(200)},
        {ExchangeOperation::Write, recordBuffer(MaterialListPage{200, {}}, encodeMaterialListPage)},
        {ExchangeOperation::Read, codeRequest(203)},
        {ExchangeOperation::Write, recordBuffer(MaterialWire{203, {203, {}, {}, {}, 900}}, encodeMaterialWire)},
        {ExchangeOperation::Read, codeRequest(374)},
        {ExchangeOperation::Write, recordBuffer(tank, encodeTankParamsWire)},
        {ExchangeOperation::Read, codeRequest(474)},
        {ExchangeOperation::Write, codeRequest(474)},
    };
    for (std::size_t i = 0; i < std::size(requests); ++i) {
        ExchangeBuffer buffer = requests[i].second;
        EXPECT_EQ(exchange->exchange(requests[i].first, buffer), ExchangeStatus::StoreFailed) << "request " << i;
    }
}

} // namespace
