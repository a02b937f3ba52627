// A seeded store in a temporary folder behind the in-process exchange, and a builder of records.
#pragma once

#include "core/exchange/serverrecords.h"
#include "server/embeddedexchange.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

class ServerFixture : public testing::Test
{
protected:
    ServerFixture() { reopen(); }

    QString storePath() const { return m_dir.filePath(QStringLiteral("plant.sqlite")); }

    // Closes the store and opens it again, as a restarted server would.
    void reopen()
    {
        exchange.reset();
        EmbeddedExchangeOpening opening = openEmbeddedExchange(storePath());
        ASSERT_TRUE(opening.error.isEmpty()) << opening.error.toStdString();
        exchange = std::move(opening.exchange);
    }

    // The status of a write, which must leave its buffer as it was.
    qint32 write(const ExchangeBuffer &record)
    {
        ExchangeBuffer buffer = record;
        const qint32 status = exchange->write(buffer);
        EXPECT_EQ(buffer, record) << "the write changed its buffer";
        return status;
    }

    // The buffer after a read that must succeed.
    ExchangeBuffer readOk(ExchangeBuffer request)
    {
        EXPECT_EQ(exchange->read(request), ExchangeStatus::Success);
        return request;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<EmbeddedExchange> exchange;
};

// A read reply turned into the write of the same record.
inline ExchangeBuffer asWrite(const ExchangeBuffer &reply)
{
    ExchangeBuffer record{};
    std::copy(reply.begin() + ReplyOffset, reply.end(), record.begin());
    return record;
}

template <typename Record, typename Encode>
ExchangeBuffer recordBuffer(const Record &record, Encode encode)
{
    ExchangeBuffer buffer{};
    encode(record, buffer);
    return buffer;
}
