// Fuzz target: the chart records of "Report.rez" from any bytes. A complete file encodes back to
// its bytes exactly, and records changed and encoded decode to what was set.
#include "core/history/chartrecordfile.h"
#include "fuzz/fuzzinput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    ChartRecordsRead read = decodeChartRecords(bytes);
    const QByteArray encoded = encodeChartRecords(read.records);
    const qsizetype complete = static_cast<qsizetype>(TankCount * TankChartRecordSize);
    if (!read.message && encoded != bytes.first(complete))
        fuzzFailure("records decoded and encoded unchanged differ from their bytes");

    // Every record takes the next one's title and its own level settings with the scales swapped.
    for (int slot = 1; slot <= TankCount; ++slot) {
        TankChartRecord &record = read.records[slot];
        record.chartTitle = read.records[slot % TankCount + 1].legendVolume;
        std::swap(record.level.scaleMax, record.level.scaleMin);
    }
    const ChartRecordsRead changed = decodeChartRecords(encodeChartRecords(read.records));
    for (int slot = 1; slot <= TankCount; ++slot) {
        if (changed.records[slot].chartTitle != read.records[slot].chartTitle.left(ChartTextCapacity)
            || changed.records[slot].level != read.records[slot].level)
            fuzzFailure("a changed record does not decode to what was set");
    }
    return 0;
}
