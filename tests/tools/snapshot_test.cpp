// skladar-snapshot as a program: its picture and its exit statuses.
#include "core/plant/demonstrationplant.h"
#include "core/plant/plantmodel.h"
#include "tools/demoplantmap.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

int runSnapshot(const QStringList &arguments)
{
    QProcess snapshot;
    snapshot.start(QStringLiteral(SKLADAR_SNAPSHOT_BINARY), arguments);
    EXPECT_TRUE(snapshot.waitForFinished(30000));
    return snapshot.exitCode();
}

} // namespace

TEST(Snapshot, WritesTheComposedViewAndTellsBadArgumentsFromBadFiles)
{
    QTemporaryDir dir;
    PlantModel plant;
    loadDemonstrationPlant(plant);
    ASSERT_EQ(writePlantMap(dir.path(), plant.tanks), std::nullopt);
    const QString out = dir.filePath(QStringLiteral("view.png"));

    EXPECT_EQ(runSnapshot({QStringLiteral("--dir"), dir.path(), QStringLiteral("--view"), QStringLiteral("3"), QStringLiteral("--out"), out}), 0);
    EXPECT_EQ(QImage(out).size(), QSize(800, 560));

    for (const QStringList &bad : {QStringList{QStringLiteral("--dir"), dir.path()},
                                   QStringList{QStringLiteral("--view"), QStringLiteral("26"), QStringLiteral("--out"), out},
                                   QStringList{QStringLiteral("--refreshes"), QStringLiteral("x"), QStringLiteral("--out"), out}})
        EXPECT_EQ(runSnapshot(bad), 2) << bad.join(u' ').toStdString();

    QFile elements(dir.filePath(QStringLiteral("Bgd.rez")));
    ASSERT_TRUE(elements.resize(1488 * 119));
    EXPECT_EQ(runSnapshot({QStringLiteral("--dir"), dir.path(), QStringLiteral("--out"), out}), 1);
}
