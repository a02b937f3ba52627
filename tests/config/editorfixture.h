// The editors' surroundings for tests: the embedded server on a fresh store, behind an exchange
// that fails chosen requests, and settings, dialogs, clock and `w` of their own.
#pragma once

#include "config/editors/editorservices.h"
#include "core/codec/bytes.h"
#include "core/exchange/serverlists.h"
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
    QTemporaryDir m_dir;
    // Requests that fail for good: (operation, request code).
    std::set<std::pair<ExchangeOperation, qint32>> failing;
    std::unique_ptr<EmbeddedExchange> store = openEmbeddedExchange(m_dir.filePath(QStringLiteral("plant.sqlite"))).exchange;
    ScriptedExchange server{[this](ExchangeOperation operation, ExchangeBuffer &buffer) {
        if (failing.contains({operation, *readI32(buffer, 0)}))
            return ExchangeStatus::NoConnection;
        return store->exchange(operation, buffer);
    }};

    // The server's material list becomes `count` materials "S1", "S2", ... with densities 901, 902, ...
    void putMaterials(int count)
    {
        MaterialTable list;
        for (int i = 1; i <= count; ++i) {
            const auto code = static_cast<quint16>(MaterialCodeBase + i);
            const MaterialRecord material{code, QStringLiteral("S%1").arg(i), QStringLiteral("Ime %1").arg(i),
                                          QStringLiteral("Ulje"), 900.0 + i};
            ASSERT_EQ(writeRecord(*store, MaterialWire{code, material}, encodeMaterialWire), ExchangeStatus::Success);
            list.append({code, material.sifra});
        }
        ASSERT_EQ(writeMaterialList(*store, list), ExchangeStatus::Success);
    }

    // The request codes written through `server`, in order.
    QList<qint32> writtenCodes() const
    {
        QList<qint32> codes;
        for (const ScriptedExchange::Request &request : server.requests)
            if (request.operation == ExchangeOperation::Write)
                codes.append(*readI32(request.buffer, 0));
        return codes;
    }

    // What the server holds under a request code, and for a tank.
    auto stored(qint32 code, const auto &decode)
    {
        qint32 status = 0;
        return readRecord(*store, codeRequest(code), decode, status).value();
    }
    TankParamsWire storedTank(int tankId) { return stored(tankId + TankParamsCodeBase, decodeTankParamsWire); }
    ConsoleScreen storedScreen(int tankId) { return stored(tankId + ConsoleScreenCodeBase, decodeConsoleScreenWire).screen; }

    SettingsStore settings{m_dir.filePath(QStringLiteral("settings.reg"))};
    RecordingDialogs dialogs;
    FixedClock clock{QDateTime(QDate(2026, 3, 6), QTime(9, 5))};
    Tw w{settings, dialogs, clock, QLocale::c()};
    EditorServices services{server, w, dialogs, clock};
};
