// The chart window over the demonstration plant and its history in a temporary folder, with the
// settings in a temporary store and every dialog recorded.
#pragma once

#include "core/history/chartrecordfile.h"
#include "core/history/historyblock.h"
#include "core/plant/demonstrationplant.h"
#include "core/plant/plantmodel.h"
#include "core/services/tw.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingdialogs.h"
#include "tools/demohistory.h"
#include "trend/chartwindow.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class ChartWindowFixture : public testing::Test
{
protected:
    ChartWindowFixture()
        : store(dir.filePath(QStringLiteral("settings.reg")))
        , w(store, dialogs, clock, QLocale::c())
    {
        loadDemonstrationPlant(plant);
        for (const QString &name : {HistoryFileName, ChartRecordFileName})
            EXPECT_TRUE(QFile::copy(demoFolder().filePath(name), dir.filePath(name))) << name.toStdString();
    }

    // The demonstration files, written once for all tests.
    const QTemporaryDir &demoFolder() const
    {
        static const std::unique_ptr<QTemporaryDir> folder = [this] {
            auto written = std::make_unique<QTemporaryDir>();
            EXPECT_EQ(writeDemoHistory(written->path(), plant.tanks, clock.now()), std::nullopt);
            return written;
        }();
        return *folder;
    }

    void createWindow()
    {
        window = std::make_unique<ChartWindow>(plant, ChartWindowServices{DataFolder(dir.path()), dialogs, clock, w, QLocale::c()});
    }

    template <typename T>
    T *child(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    qint32 setting(const QString &key, const QString &name) const
    {
        qint32 value = -1;
        w.ReadInteger(key, name, value);
        return value;
    }

    QTemporaryDir dir;
    FixedClock clock{QDateTime(QDate(2024, 5, 6), QTime(7, 8))};
    RecordingDialogs dialogs;
    SettingsStore store;
    Tw w;
    PlantModel plant;
    std::unique_ptr<ChartWindow> window;
};
