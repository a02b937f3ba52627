// What the report tests share: an isolated settings store, recorded dialogs, a fixed clock and `w`.
#pragma once

#include "core/services/tw.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingdialogs.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

class ReportFixture
{
protected:
    QTemporaryDir dir;
    SettingsStore store{dir.filePath(QStringLiteral("settings.reg"))};
    RecordingDialogs dialogs;
    FixedClock clock{QDateTime(QDate(2026, 12, 5), QTime(9, 5, 40))};
    Tw w{store, dialogs, clock, QLocale::c()};
};
