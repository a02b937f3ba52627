// The 504-byte chart record: decoded field by field, encoded over the bytes it came from.
#include "core/history/chartrecord.h"

#include "core/codec/bytes.h"
#include "core/codec/shorttext.h"

#include <algorithm>

namespace {

using namespace TankChartLayout;

using RecordBytes = std::span<const char, TankChartRecordSize>;

std::size_t index(Quantity quantity) { return static_cast<std::size_t>(quantity); }

std::size_t axisSideOffset(Quantity quantity)
{
    return Group[index(quantity)] + (quantity == Quantity::Level ? LevelAxisSide : AxisSide);
}

// Every field lies inside the record, so the reads below cannot fail.
qint32 integerAt(RecordBytes bytes, std::size_t offset) { return readI32(bytes, offset).value_or(0); }

QString textAt(RecordBytes bytes, std::size_t offset, int capacity)
{
    return readShortText(bytes, offset, capacity).value_or(QString());
}

ChartSettings decodeSettings(RecordBytes bytes, Quantity quantity)
{
    const std::size_t group = Group[index(quantity)];
    ChartSettings settings;
    settings.scaleMax = integerAt(bytes, group + ScaleMax);
    settings.scaleMin = integerAt(bytes, group + ScaleMin);
    settings.lineWidth = integerAt(bytes, group + LineWidth);
    settings.channel = integerAt(bytes, group + Channel);
    settings.decimals = integerAt(bytes, group + Decimals);
    settings.unitText = textAt(bytes, group + UnitText, UnitTextCapacity);
    settings.curveColour = static_cast<quint32>(integerAt(bytes, group + CurveColour));
    settings.axisSide = integerAt(bytes, axisSideOffset(quantity));
    return settings;
}

// Writes the value only when the bytes hold another one, so unchanged fields keep their bytes.
void updateInteger(std::span<char, TankChartRecordSize> bytes, std::size_t offset, qint32 value)
{
    if (integerAt(bytes, offset) != value)
        writeI32(bytes, offset, value);
}

void updateText(std::span<char, TankChartRecordSize> bytes, std::size_t offset, int capacity, const QString &text)
{
    if (textAt(bytes, offset, capacity) != text)
        writeShortText(bytes, offset, capacity, text);
}

void encodeSettings(std::span<char, TankChartRecordSize> bytes, Quantity quantity, const ChartSettings &settings)
{
    const std::size_t group = Group[index(quantity)];
    updateInteger(bytes, group + ScaleMax, settings.scaleMax);
    updateInteger(bytes, group + ScaleMin, settings.scaleMin);
    updateInteger(bytes, group + LineWidth, settings.lineWidth);
    updateInteger(bytes, group + Channel, settings.channel);
    updateInteger(bytes, group + Decimals, settings.decimals);
    updateText(bytes, group + UnitText, UnitTextCapacity, settings.unitText);
    updateInteger(bytes, group + CurveColour, static_cast<qint32>(settings.curveColour));
    updateInteger(bytes, axisSideOffset(quantity), settings.axisSide);
}

} // namespace

TankChartRecord decodeTankChartRecord(std::span<const char, TankChartRecordSize> bytes)
{
    TankChartRecord record;
    std::copy(bytes.begin(), bytes.end(), record.bytes.begin());
    record.chartTitle = textAt(bytes, ChartTitle, ChartTextCapacity);
    for (const Quantity quantity : AllQuantities) {
        record.legend(quantity) = textAt(bytes, Legend[index(quantity)], ChartTextCapacity);
        record.settings(quantity) = decodeSettings(bytes, quantity);
    }
    return record;
}

std::array<char, TankChartRecordSize> encodeTankChartRecord(const TankChartRecord &record)
{
    std::array<char, TankChartRecordSize> bytes = record.bytes;
    updateText(bytes, ChartTitle, ChartTextCapacity, record.chartTitle);
    for (const Quantity quantity : AllQuantities) {
        updateText(bytes, Legend[index(quantity)], ChartTextCapacity, record.legend(quantity));
        encodeSettings(bytes, quantity, record.settings(quantity));
    }
    return bytes;
}
