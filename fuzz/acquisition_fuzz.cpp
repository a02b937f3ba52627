// Fuzz target: what the acquisition reads from outside. The first byte chooses: 0 a channel map
// (every channel it accepts is in range and once, and its reads stay within 125 registers and hold
// their channels), 1 a live values record (what decodes encodes back to the same bytes), anything
// else a history file to continue (what decodes writes back a history that decodes to as many
// samples, and takes one more).
#include "core/exchange/liverecord.h"
#include "fuzz/fuzzinput.h"
#include "server/pollplan.h"
#include "server/recordedhistory.h"

#include <QSet>
#include <QString>

namespace {

void checkChannelMap(std::span<const char> bytes)
{
    const ChannelMapParse parse
        = parseChannelMap(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!parse.error.isEmpty() && !parse.channels.isEmpty())
        fuzzFailure("a refused map kept channels");
    QSet<int> seen;
    for (const ChannelSource &source : parse.channels) {
        if (source.channel < 0 || source.channel >= ChannelCount || seen.contains(source.channel))
            fuzzFailure("a channel out of range or twice");
        if (source.address < 0 || source.address + registerCount(source.type) > 65536 || source.device.unit > 247)
            fuzzFailure("a register or unit out of range");
        seen.insert(source.channel);
    }
    for (const DevicePlan &plan : planPolls(parse.channels)) {
        for (const RegisterRead &read : plan.reads) {
            if (read.count < 1 || read.count > MaxRegistersPerRead)
                fuzzFailure("a read of more than 125 registers");
        }
        for (const PlannedChannel &planned : plan.channels) {
            const RegisterRead &read = plan.reads[planned.read];
            if (planned.first < 0 || planned.first + registerCount(planned.source.type) > read.count)
                fuzzFailure("a channel outside its read");
        }
    }
}

void checkLiveRecord(std::span<const char> bytes)
{
    const std::optional<LiveRecord> record = decodeLiveRecord(bytes);
    if (!record)
        return;
    QByteArray again(static_cast<qsizetype>(LiveRecordLayout::Size), '\0');
    if (!encodeLiveRecord(*record, again) || again != QByteArray(bytes.data(), again.size()))
        fuzzFailure("a live record does not encode back to its bytes");
}

void checkHistory(std::span<const char> bytes)
{
    HistoryDecoding decoding
        = RecordedHistory::decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!decoding.history)
        return;
    RecordedHistory &history = *decoding.history;
    const int count = history.sampleCount();
    const HistoryDecoding again = RecordedHistory::decode(history.bytes());
    if (!again.history || again.history->sampleCount() != count)
        fuzzFailure("a continued history does not decode to its samples");
    HistorySample next = history.newest().value_or(HistorySample{{packDate(2026, 1, 1), 0}, {}, {}});
    AddSeconds(next.stamp.date, next.stamp.timeMs, 600);
    history.append(next);
    const HistoryDecoding grown = RecordedHistory::decode(history.bytes());
    if (!grown.history || grown.history->sampleCount() != history.sampleCount()
        || history.sampleCount() > std::max(count + 1, MaxHistorySamples))
        fuzzFailure("a sample added to a history does not decode");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput input(data, size);
    const auto choice = input.takeValue<quint8>();
    const std::span<const char> rest = input.rest();
    if (choice == 0)
        checkChannelMap(rest);
    else if (choice == 1)
        checkLiveRecord(rest);
    else
        checkHistory(rest);
    return 0;
}
