// The element and view records: one layout description drives both the decoder and the encoder.
#include "core/plantmap/displayelement.h"

#include "core/codec/bytes.h"
#include "core/codec/shorttext.h"

namespace {

// Field groups of a DisplayElement, by their first byte.
constexpr std::size_t SwitchesOffset = 0;     // 11 u8: shown to minorLabelsOn
constexpr std::size_t TextOnOffset = 11;      // 6 u8: textOn[0..5]
constexpr std::size_t BoxSwitchesOffset = 17; // 8 x (u8 boxFill, u8 boxHot)
constexpr std::size_t BoxSwitchesStride = 2;
constexpr std::size_t ChartSwitchesOffset = 33; // 4 u8: vGridOn, hGridOn, trendOn, bitmapOn; 3 reserved bytes
constexpr std::size_t PlacementOffset = 40;     // 3 i32: bitmapSlot, originX, originY
constexpr std::size_t Bar1Offset = 52;          // 4 i32: x, y, width, height
constexpr std::size_t Bar2Offset = 68;          // 4 i32: x, y, width, height
constexpr std::size_t BarValuesOffset = 84;     // 6 i32: scaledValue, marker dx, length, half height, limits
constexpr std::size_t AxisOffset = 108;         // 4 i32: x, y, length, pen width
constexpr std::size_t MajorTicksOffset = 124;   // 10 i32: length to label alignment
constexpr std::size_t MinorTicksOffset = 164;   // 10 i32: length to label alignment
constexpr std::size_t TextItemsOffset = 204;    // 6 x 4 i32: size, x, y, alignment; 4 reserved bytes
constexpr std::size_t TextItemsStride = 16;
constexpr std::size_t LabelValuesOffset = 304; // 2 f64: labelStart, labelStep
constexpr std::size_t BoxesOffset = 320;       // 8 x 4 i32: x, y, width, height
constexpr std::size_t BoxesStride = 16;
constexpr std::size_t ChartOffset = 448;       // 9 i32: chart area, grid steps and firsts, grid pen width
constexpr std::size_t LampOffset = 484;        // 3 i32: x, y, radius
constexpr std::size_t TrendOffset = 496;       // 6 i32: x, y, points, height, pen width, ready
constexpr std::size_t ChannelOffset = 520;     // 4 i32: channel, bitmap dx and dy, bitmapLoaded; 16 reserved bytes
constexpr std::size_t RangeOffset = 552;       // 3 f64: rangeMax, rangeMin, value
constexpr std::size_t NameOffset = 576;        // short text 40
constexpr std::size_t KindOffset = 617;        // short text 10
constexpr std::size_t ClockOnOffset = 628;     // u8; 3 reserved bytes
constexpr std::size_t TankIdOffset = 632;      // i32
constexpr std::size_t MajorFontOffset = 636;   // short text 40
constexpr std::size_t MinorFontOffset = 677;   // short text 40
constexpr std::size_t LabelFormatOffset = 718; // short text 40
constexpr std::size_t TextStringsOffset = 759; // 6 x (short text 40 font, short text 40 text)
constexpr std::size_t TextStringsStride = 82;
constexpr std::size_t ValueFormatOffset = 1251; // short text 40
constexpr std::size_t BitmapFileOffset = 1292;  // short text 55
constexpr std::size_t ZoneColoursOffset = 1348; // 10 colours: zones, markers, axis, ticks and labels
constexpr std::size_t TextColoursOffset = 1388; // 6 colours
constexpr std::size_t BoxColoursOffset = 1412;  // 7 colours; 4 reserved bytes
constexpr std::size_t GridColourOffset = 1444;  // 3 colours: grid, accent, bitmap key
constexpr std::size_t PenStylesOffset = 1456;   // 5 u8: axis, minor, major, grid, trend; 27 reserved bytes

constexpr int TextCapacity = 40;
constexpr int KindCapacity = 10;
constexpr int BitmapFileCapacity = 55;
constexpr std::size_t TextFieldSize = TextCapacity + 1;
constexpr std::size_t ColourSize = 4;

// Reads fields out of a buffer that holds at least the whole record.
struct FieldReader
{
    std::span<const char> bytes;

    void field(std::size_t offset, quint8 &value) const { value = *readU8(bytes, offset); }
    void field(std::size_t offset, qint32 &value) const { value = *readI32(bytes, offset); }
    void field(std::size_t offset, quint32 &value) const { value = *readU32(bytes, offset); }
    void field(std::size_t offset, double &value) const { value = *readF64(bytes, offset); }
    void text(std::size_t offset, int capacity, QString &value) const
    {
        value = *readShortText(bytes, offset, capacity);
    }
};

// Writes fields into a zeroed buffer of the whole record.
struct FieldWriter
{
    std::span<char> bytes;

    void field(std::size_t offset, quint8 value) const { writeU8(bytes, offset, value); }
    void field(std::size_t offset, qint32 value) const { writeI32(bytes, offset, value); }
    void field(std::size_t offset, quint32 value) const { writeU32(bytes, offset, value); }
    void field(std::size_t offset, double value) const { writeF64(bytes, offset, value); }
    void text(std::size_t offset, int capacity, const QString &value) const
    {
        writeShortText(bytes, offset, capacity, value);
    }
};

// Consecutive fields from offset on, each as wide as its type.
template <typename Fields, typename... T> void run(const Fields &fields, std::size_t offset, T &...values)
{
    ((fields.field(offset, values), offset += sizeof(T)), ...);
}

// The entries of an array, stride bytes apart from offset on.
template <typename Fields, typename Array>
void each(const Fields &fields, std::size_t offset, std::size_t stride, Array &values)
{
    for (auto &value : values) {
        fields.field(offset, value);
        offset += stride;
    }
}

// The whole DisplayElement layout; Element is const when encoding.
template <typename Fields, typename Element> void visitLayout(const Fields &f, Element &e)
{
    run(f, SwitchesOffset, e.shown, e.bar1On, e.bar1Solid, e.bar2On, e.bar2Solid, e.markersOn, e.axisOn, e.majorOn,
        e.majorLabelsOn, e.minorOn, e.minorLabelsOn);
    each(f, TextOnOffset, 1, e.textOn);
    each(f, BoxSwitchesOffset, BoxSwitchesStride, e.boxFill);
    each(f, BoxSwitchesOffset + 1, BoxSwitchesStride, e.boxHot);
    run(f, ChartSwitchesOffset, e.vGridOn, e.hGridOn, e.trendOn, e.bitmapOn);
    run(f, PlacementOffset, e.bitmapSlot, e.originX, e.originY);
    run(f, Bar1Offset, e.bar1X, e.bar1Y, e.bar1Width, e.bar1Height);
    run(f, Bar2Offset, e.bar2X, e.bar2Y, e.bar2Width, e.bar2Height);
    run(f, BarValuesOffset, e.scaledValue, e.markerDx, e.markerLength, e.markerHalfHeight, e.highLimit, e.lowLimit);
    run(f, AxisOffset, e.axisX, e.axisY, e.axisLength, e.axisPenWidth);
    run(f, MajorTicksOffset, e.majorLength, e.majorFirst, e.majorStep, e.majorCount, e.majorDx, e.majorPenWidth,
        e.majorFontSize, e.majorLabelDx, e.majorLabelDy, e.majorLabelAlign);
    run(f, MinorTicksOffset, e.minorLength, e.minorFirst, e.minorStep, e.minorCount, e.minorDx, e.minorPenWidth,
        e.minorFontSize, e.minorLabelDx, e.minorLabelDy, e.minorLabelAlign);
    for (std::size_t n = 0; n < TextItemCount; ++n)
        run(f, TextItemsOffset + n * TextItemsStride, e.textSize[n], e.textX[n], e.textY[n], e.textAlign[n]);
    run(f, LabelValuesOffset, e.labelStart, e.labelStep);
    for (std::size_t n = 0; n < BoxCount; ++n)
        run(f, BoxesOffset + n * BoxesStride, e.boxX[n], e.boxY[n], e.boxWidth[n], e.boxHeight[n]);
    run(f, ChartOffset, e.chartX, e.chartY, e.chartWidth, e.chartHeight, e.vGridStep, e.hGridStep, e.vGridFirst,
        e.hGridFirst, e.gridPenWidth);
    run(f, LampOffset, e.lampX, e.lampY, e.lampRadius);
    run(f, TrendOffset, e.trendX, e.trendY, e.trendPoints, e.trendHeight, e.trendPenWidth, e.trendReady);
    run(f, ChannelOffset, e.dataChannel, e.bitmapDx, e.bitmapDy, e.bitmapLoaded);
    run(f, RangeOffset, e.rangeMax, e.rangeMin, e.value);
    f.text(NameOffset, TextCapacity, e.name);
    f.text(KindOffset, KindCapacity, e.kind);
    run(f, ClockOnOffset, e.clockOn);
    run(f, TankIdOffset, e.tankId);
    f.text(MajorFontOffset, TextCapacity, e.majorFont);
    f.text(MinorFontOffset, TextCapacity, e.minorFont);
    f.text(LabelFormatOffset, TextCapacity, e.labelFormat);
    for (std::size_t n = 0; n < TextItemCount; ++n) {
        const std::size_t item = TextStringsOffset + n * TextStringsStride;
        f.text(item, TextCapacity, e.textFont[n]);
        f.text(item + TextFieldSize, TextCapacity, e.text[n]);
    }
    f.text(ValueFormatOffset, TextCapacity, e.valueFormat);
    f.text(BitmapFileOffset, BitmapFileCapacity, e.bitmapFile);
    run(f, ZoneColoursOffset, e.highColour, e.midColour, e.lowColour, e.highMarkerColour, e.lowMarkerColour,
        e.axisColour, e.majorColour, e.majorLabelColour, e.minorColour, e.minorLabelColour);
    each(f, TextColoursOffset, ColourSize, e.textColour);
    each(f, BoxColoursOffset, ColourSize, e.boxColour);
    run(f, GridColourOffset, e.gridColour, e.accentColour, e.bitmapKeyColour);
    run(f, PenStylesOffset, e.axisPenStyle, e.minorPenStyle, e.majorPenStyle, e.gridPenStyle, e.trendPenStyle);
}

// ElementViews: view[0..16], 4 bytes each.
template <typename Fields, typename Views> void visitViews(const Fields &f, Views &views)
{
    each(f, 0, sizeof(qint32), views.view);
}

QByteArray zeroRecord(std::size_t size) { return QByteArray(static_cast<qsizetype>(size), '\0'); }

} // namespace

std::optional<DisplayElement> decodeDisplayElement(std::span<const char> bytes)
{
    if (bytes.size() < DisplayElementSize)
        return std::nullopt;
    DisplayElement element;
    visitLayout(FieldReader{bytes.first(DisplayElementSize)}, element);
    return element;
}

QByteArray encodeDisplayElement(const DisplayElement &element)
{
    QByteArray bytes = zeroRecord(DisplayElementSize);
    visitLayout(FieldWriter{bytes}, element);
    return bytes;
}

std::optional<ElementViews> decodeElementViews(std::span<const char> bytes)
{
    if (bytes.size() < ElementViewsSize)
        return std::nullopt;
    ElementViews views;
    visitViews(FieldReader{bytes.first(ElementViewsSize)}, views);
    return views;
}

QByteArray encodeElementViews(const ElementViews &views)
{
    QByteArray bytes = zeroRecord(ElementViewsSize);
    visitViews(FieldWriter{bytes}, views);
    return bytes;
}

std::array<bool, PartCount> PartFlags(const ElementViews &views, qint32 v)
{
    std::array<bool, PartCount> flags{};
    for (std::size_t j = 0; j < PartCount; ++j)
        flags[j] = views.view[j] == v;
    return flags;
}
