// How an exchange travels over a byte stream: one request frame, one reply frame.
#pragma once

#include "core/exchange/serverexchange.h"

#include <QByteArray>

#include <optional>

// A request frame: 1 byte of operation (1 read, 2 write), then the 1024-byte buffer.
// A reply frame: the status as a 4-byte little-endian integer, then the 1024-byte buffer (for a
// read the reply record at offset 24, for a write the request buffer echoed).
inline constexpr qsizetype RequestFrameSize = 1 + static_cast<qsizetype>(ExchangeBufferSize);
inline constexpr qsizetype ReplyFrameSize = 4 + static_cast<qsizetype>(ExchangeBufferSize);

struct RequestFrame
{
    ExchangeOperation operation = ExchangeOperation::Read;
    ExchangeBuffer buffer{};
};

struct ReplyFrame
{
    qint32 status = ExchangeStatus::Success;
    ExchangeBuffer buffer{};
};

QByteArray encodeRequestFrame(const RequestFrame &frame);
QByteArray encodeReplyFrame(const ReplyFrame &frame);

// Frames arrive split and merged as the stream delivers them: these take one whole frame from the
// front of `pending` and leave the rest there. Nullopt while the frame is incomplete.
struct TakenRequest
{
    std::optional<RequestFrame> frame;
    bool malformed = false; // an operation byte other than 1 or 2; the stream cannot go on
};
TakenRequest takeRequestFrame(QByteArray &pending);
std::optional<ReplyFrame> takeReplyFrame(QByteArray &pending);
