// The chart windows over the demonstration plant and its history in a temporary folder, with the
// settings in a temporary store and every dialog recorded.
#pragma once

#include "core/history/chartrecordfile.h"
#include "core/plant/demonstrationplant.h"
#include "core/services/tw.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingdialogs.h"
#include "tools/demohistory.h"
#include "trend/chartwindow.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class ChartWindowFixture : public testing::Test
{
protected:
    ChartWindowFixture()
    {
        loadDemonstrationPlant(plant);
        EXPECT_EQ(writeDemoHistory(dir.path(), plant.tanks, clock.now()), std::nullopt);
    }

    void createWindow()
    {
        window = std::make_unique<ChartWindow>(plant, ChartWindowServices{DataFolder(dir.path()), dialogs, clock, w, QLocale::c()});
    }

    template <typename T>
    static T *child(const QObject &parent, const QString &name)
    {
        T *found = parent.findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
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
    SettingsStore store{dir.filePath(QStringLiteral("settings.reg"))};
    Tw w{store, dialogs, clock, QLocale::c()};
    PlantModel plant;
    std::unique_ptr<ChartWindow> window;
};
