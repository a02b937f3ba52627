// Request and reply frames of the exchange stream.
#include "core/exchange/exchangeframe.h"

#include "core/codec/bytes.h"

#include <algorithm>

namespace {

void appendBuffer(QByteArray &out, const ExchangeBuffer &buffer)
{
    out.append(buffer.data(), static_cast<qsizetype>(buffer.size()));
}

ExchangeBuffer bufferAt(const QByteArray &bytes, qsizetype offset)
{
    ExchangeBuffer buffer;
    std::copy_n(bytes.constData() + offset, buffer.size(), buffer.begin());
    return buffer;
}

} // namespace

QByteArray encodeRequestFrame(const RequestFrame &frame)
{
    QByteArray out;
    out.reserve(RequestFrameSize);
    out.append(static_cast<char>(frame.operation));
    appendBuffer(out, frame.buffer);
    return out;
}

QByteArray encodeReplyFrame(const ReplyFrame &frame)
{
    QByteArray out(4, '\0');
    writeI32(std::span<char>(out.data(), 4), 0, frame.status);
    appendBuffer(out, frame.buffer);
    return out;
}

TakenRequest takeRequestFrame(QByteArray &pending)
{
    if (pending.isEmpty())
        return {};
    const auto operation = static_cast<quint8>(pending.front());
    if (operation != static_cast<quint8>(ExchangeOperation::Read)
        && operation != static_cast<quint8>(ExchangeOperation::Write))
        return {std::nullopt, true};
    if (pending.size() < RequestFrameSize)
        return {};
    RequestFrame frame{static_cast<ExchangeOperation>(operation), bufferAt(pending, 1)};
    pending.remove(0, RequestFrameSize);
    return {frame, false};
}

std::optional<ReplyFrame> takeReplyFrame(QByteArray &pending)
{
    if (pending.size() < ReplyFrameSize)
        return std::nullopt;
    ReplyFrame frame{*readI32(std::span<const char>(pending.constData(), 4), 0), bufferAt(pending, 4)};
    pending.remove(0, ReplyFrameSize);
    return frame;
}
