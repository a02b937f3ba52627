// skladar-snapshot as a program: its picture and its exit statuses.
#include "core/plant/demonstrationplant.h"
#include "core/plant/plantmodel.h"
#include "tests/tools/toolprocess.h"
#include "tools/demoplantmap.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

int runSnapshot(const QStringList &arguments)
{
    return runTool(QStringLiteral(SKLADAR_SNAPSHOT_BINARY), arguments, QString(), QString()).status;
}

} // namespace

TEST(Snapshot, WritesTheComposedViewAndTellsBadArgumentsFromBadFiles)
{
    QTemporaryDir dir;
    PlantModel plant;
    loadDemonstrationPlant(plant);
    ASSERT_EQ(writePlantMap(dir.path(), plant.tanks), std::nullopt);
    const QString out = dir.filePath(QStringLiteral("view.png"));

    EXPECT_EQ(runSnapshot({u"--dir"_s, dir.path(), u"--view"_s, u"3"_s, u"--out"_s, out}), 0);
    EXPECT_EQ(QImage(out).size(), QSize(800, 560));

    for (const QStringList &bad : {QStringList{u"--dir"_s, dir.path()},
                                   QStringList{u"--view"_s, u"26"_s, u"--out"_s, out},
                                   QStringList{u"--refreshes"_s, u"x"_s, u"--out"_s, out}})
        EXPECT_EQ(runSnapshot(bad), 2) << bad.join(u' ').toStdString();

    QFile elements(dir.filePath(QStringLiteral("Bgd.rez")));
    ASSERT_TRUE(elements.resize(1488 * 119));
    EXPECT_EQ(runSnapshot({u"--dir"_s, dir.path(), u"--out"_s, out}), 1);
}
