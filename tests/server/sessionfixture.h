// A fresh store behind the request and session handlers, on a fixed clock, with the log's lines kept.
#pragma once

#include "server/loginthrottle.h"
#include "server/plantstore.h"
#include "server/requesthandler.h"
#include "server/serverlog.h"
#include "server/sessionhandler.h"
#include "tests/support/fixedclock.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

class SessionFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        StoreOpening opening = PlantStore::open(m_dir.filePath(QStringLiteral("plant.sqlite")));
        ASSERT_TRUE(opening.store) << opening.error.toStdString();
        m_store = std::move(opening.store);
        m_handler.emplace(*m_store);
        m_sessions.emplace(*m_handler, *m_store, m_clock, m_throttle, m_serverLog);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<PlantStore> m_store;
    FixedClock m_clock{QDateTime(QDate(2026, 12, 7), QTime(6, 0), Qt::UTC)};
    LoginThrottle m_throttle{m_clock};
    QStringList m_log;
    ServerLog m_serverLog{LogLevel::Debug, [this](const QString &line) { m_log.append(line); }};
    std::optional<RequestHandler> m_handler;
    std::optional<SessionHandler> m_sessions;
};
