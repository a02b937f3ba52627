// Fuzz target: the exchange frame stream read whole and read again in pieces of the sizes the input
// chooses. Both readings must take the same frames, stop at the same malformed byte, and every
// frame taken must encode back to the bytes it came from.
#include "core/exchange/exchangeframe.h"
#include "fuzz/fuzzinput.h"

#include <QList>

namespace {

struct RequestReading
{
    QList<QByteArray> frames; // each re-encoded
    bool malformed = false;
    QByteArray left;
};

// Takes every whole request frame of pending and appends it to reading; false once malformed.
bool takeRequests(QByteArray &pending, RequestReading &reading)
{
    for (;;) {
        const TakenRequest taken = takeRequestFrame(pending);
        if (taken.malformed) {
            reading.malformed = true;
            return false;
        }
        if (!taken.frame)
            return true;
        reading.frames.append(encodeRequestFrame(*taken.frame));
    }
}

void takeReplies(QByteArray &pending, QList<QByteArray> &frames)
{
    while (const std::optional<ReplyFrame> frame = takeReplyFrame(pending))
        frames.append(encodeReplyFrame(*frame));
}

// The stream cut into pieces of 1 to 2048 bytes, their sizes taken from cuts in turn.
QList<QByteArray> pieces(const QByteArray &stream, std::span<const char> cuts)
{
    QList<QByteArray> result;
    std::size_t next = 0;
    for (qsizetype at = 0; at < stream.size();) {
        const auto cut = cuts.empty() ? 1 : static_cast<unsigned char>(cuts[next++ % cuts.size()]);
        const qsizetype size = 1 + (cut * 8 + at) % 2048;
        result.append(stream.mid(at, size));
        at += size;
    }
    return result;
}

void checkRequests(const QByteArray &stream, std::span<const char> cuts)
{
    RequestReading whole;
    QByteArray pending = stream;
    takeRequests(pending, whole);
    whole.left = pending;

    RequestReading split;
    pending.clear();
    for (const QByteArray &piece : pieces(stream, cuts)) {
        pending.append(piece);
        if (!takeRequests(pending, split))
            break;
    }
    if (split.frames != whole.frames || split.malformed != whole.malformed)
        fuzzFailure("request frames read in pieces differ from the stream read whole");
    if (whole.frames.join() + whole.left != stream)
        fuzzFailure("request frames do not encode back to their bytes");
}

void checkReplies(const QByteArray &stream, std::span<const char> cuts)
{
    QList<QByteArray> whole;
    QByteArray pending = stream;
    takeReplies(pending, whole);
    if (whole.join() + pending != stream)
        fuzzFailure("reply frames do not encode back to their bytes");
    QList<QByteArray> split;
    pending.clear();
    for (const QByteArray &piece : pieces(stream, cuts)) {
        pending.append(piece);
        takeReplies(pending, split);
    }
    if (split != whole)
        fuzzFailure("reply frames read in pieces differ from the stream read whole");
}

} // namespace

// Input: one byte n, then n bytes of piece sizes, then the stream.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const std::span<const char> cuts = input.take(input.takeValue<std::uint8_t>());
    const std::span<const char> rest = input.rest();
    const QByteArray stream(rest.data(), static_cast<qsizetype>(rest.size()));
    checkRequests(stream, cuts);
    checkReplies(stream, cuts);
    return 0;
}
