// The editors' surroundings for tests: the embedded server on a fresh store, behind an exchange
// that fails chosen requests, and settings, dialogs, clock and `w` of their own.
#pragma once

#include "config/editorservices.h"
#include "core/codec/bytes.h"
#include "core/services/tw.h"
#include "server/embeddedexchange.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingdialogs.h"
#include "tests/support/scriptedexchange.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <utility>

class EditorFixture : public testing::Test
{
protected:
    EditorFixture()
    {
        EmbeddedExchangeOpening opening = openEmbeddedExchange(m_dir.filePath(QStringLiteral("plant.sqlite")));
        store = std::move(opening.exchange);
    }

    QTemporaryDir m_dir;
    // Requests that fail for good: (operation, request code).
    std::set<std::pair<ExchangeOperation, qint32>> failing;
    std::unique_ptr<EmbeddedExchange> store;
    ScriptedExchange server{[this](ExchangeOperation operation, ExchangeBuffer &buffer) {
        if (failing.contains({operation, *readI32(buffer, 0)}))
            return ExchangeStatus::NoConnection;
        return store->exchange(operation, buffer);
    }};

    // The requests written since `from`, as request codes.
    QList<qint32> writtenCodes(qsizetype from = 0) const
    {
        QList<qint32> codes;
        for (qsizetype i = from; i < server.requests.size(); ++i)
            if (server.requests[i].operation == ExchangeOperation::Write)
                codes.append(*readI32(server.requests[i].buffer, 0));
        return codes;
    }

    SettingsStore settings{m_dir.filePath(QStringLiteral("settings.reg"))};
    RecordingDialogs dialogs;
    FixedClock clock{QDateTime(QDate(2026, 3, 6), QTime(9, 5))};
    Tw w{settings, dialogs, clock, QLocale::c()};
    EditorServices services{server, w, dialogs, clock};
};
