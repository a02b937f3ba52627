// Element and view records: every field at its offset in hand-built bytes, reserved bytes, short buffers.
#include "core/plantmap/displayelement.h"

#include "core/codec/bytes.h"
#include "core/codec/shorttext.h"

#include "tests/support/bytes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace Qt::StringLiterals;

// Reserved byte ranges [first, end) of the element record.
constexpr std::pair<int, int> ReservedRanges[] = {{37, 40},   {300, 304},   {536, 552},
                                                  {629, 632}, {1440, 1444}, {1461, 1488}};
// Byte ranges [first, end) of i32 and colour fields.
constexpr std::pair<int, int> NumberRanges[] = {{40, 300}, {320, 536}, {632, 636}, {1348, 1440}, {1444, 1456}};

// A record in which every i32 and colour holds its own offset, every switch its offset + 1, every
// double its offset + 0.5, texts fill known fields, and reserved bytes hold 0xA5.
QByteArray handBuiltElement()
{
    QByteArray bytes(DisplayElementSize, '\0');
    for (int offset = 0; offset < 37; ++offset)
        writeU8(bytes, offset, static_cast<quint8>(offset + 1));
    for (const auto &[first, end] : NumberRanges)
        for (int offset = first; offset < end; offset += 4)
            writeI32(bytes, offset, offset);
    for (const int offset : {304, 312, 552, 560, 568})
        writeF64(bytes, offset, offset + 0.5);
    writeU8(bytes, 628, 0x74);
    for (int offset = 1456; offset < 1461; ++offset)
        writeU8(bytes, offset, static_cast<quint8>(offset - 1450));
    writeShortText(bytes, 576, 40, u"R 74"_s);
    writeShortText(bytes, 617, 10, u"l"_s);
    writeShortText(bytes, 636, 40, u"Arial"_s);
    writeShortText(bytes, 677, 40, u"Courier New"_s);
    writeShortText(bytes, 718, 40, u"%.1f"_s);
    for (int n = 0; n < 6; ++n) {
        writeShortText(bytes, 759 + 82 * n, 40, u"Font %1"_s.arg(n));
        writeShortText(bytes, 800 + 82 * n, 40, u"Text %1 \u00B0C"_s.arg(n));
    }
    writeShortText(bytes, 1251, 40, u"%.2f m"_s);
    writeShortText(bytes, 1292, 55, QString(55, u'b'));
    for (const auto &[first, end] : ReservedRanges)
        bytes.replace(first, end - first, QByteArray(end - first, '\xA5'));
    return bytes;
}

TEST(DisplayElement, DecodesEveryGroupAtItsOffset)
{
    const std::optional<DisplayElement> e = decodeDisplayElement(handBuiltElement());
    ASSERT_TRUE(e);
    const std::pair<qint64, int> fields[] = {
        {e->shown, 1},          {e->minorLabelsOn, 11},   {e->textOn[0], 12},        {e->textOn[5], 17},
        {e->boxFill[0], 18},    {e->boxHot[0], 19},       {e->boxFill[1], 20},       {e->boxHot[7], 33},
        {e->vGridOn, 34},       {e->bitmapOn, 37},        {e->bitmapSlot, 40},       {e->originY, 48},
        {e->bar1X, 52},         {e->bar1Height, 64},      {e->bar2X, 68},            {e->bar2Height, 80},
        {e->scaledValue, 84},   {e->markerHalfHeight, 96}, {e->highLimit, 100},      {e->lowLimit, 104},
        {e->axisX, 108},        {e->axisPenWidth, 120},   {e->majorLength, 124},     {e->majorCount, 136},
        {e->majorLabelAlign, 160}, {e->minorLength, 164}, {e->minorFirst, 168},      {e->minorLabelAlign, 200},
        {e->textSize[0], 204},  {e->textAlign[0], 216},   {e->textX[1], 224},        {e->textAlign[5], 296},
        {e->boxX[0], 320},      {e->boxHeight[0], 332},   {e->boxY[5], 404},         {e->boxHeight[7], 444},
        {e->chartX, 448},       {e->vGridStep, 464},      {e->hGridFirst, 476},      {e->gridPenWidth, 480},
        {e->lampX, 484},        {e->lampRadius, 492},     {e->trendX, 496},          {e->trendPoints, 504},
        {e->trendReady, 516},   {e->dataChannel, 520},    {e->bitmapLoaded, 532},    {e->clockOn, 0x74},
        {e->tankId, 632},       {e->highColour, 1348},    {e->minorLabelColour, 1384}, {e->textColour[0], 1388},
        {e->textColour[5], 1408}, {e->boxColour[0], 1412}, {e->boxColour[6], 1436},  {e->gridColour, 1444},
        {e->accentColour, 1448}, {e->bitmapKeyColour, 1452}, {e->axisPenStyle, 6},   {e->trendPenStyle, 10},
    };
    for (std::size_t i = 0; i < std::size(fields); ++i)
        EXPECT_EQ(fields[i].first, fields[i].second) << "field " << i;
    EXPECT_EQ((std::array{e->labelStart, e->labelStep, e->rangeMax, e->value}), (std::array{304.5, 312.5, 552.5, 568.5}));
    EXPECT_EQ((QStringList{e->name, e->kind, e->minorFont, e->labelFormat, e->textFont[0], e->text[5], e->valueFormat}),
              (QStringList{u"R 74"_s, u"l"_s, u"Courier New"_s, u"%.1f"_s, u"Font 0"_s, u"Text 5 \u00B0C"_s, u"%.2f m"_s}));
    EXPECT_EQ(e->bitmapFile, QString(55, u'b'));
}

TEST(DisplayElement, EncodesWhatItDecodedWithReservedBytesZero)
{
    QByteArray expected = handBuiltElement();
    for (const auto &[first, end] : ReservedRanges)
        expected.replace(first, end - first, QByteArray(end - first, '\0'));
    const QByteArray encoded = encodeDisplayElement(*decodeDisplayElement(handBuiltElement()));
    ASSERT_EQ(encoded.size(), 1488);
    for (int offset = 0; offset < 1488; ++offset)
        ASSERT_EQ(encoded[offset], expected[offset]) << "offset " << offset;
}

TEST(DisplayElement, ShortBuffersFailLengthBytesAreCappedAndTextsCut)
{
    QByteArray bytes = handBuiltElement();
    for (const qsizetype size : {0, 1, 1487})
        EXPECT_EQ(decodeDisplayElement(std::span(bytes.constData(), size)), std::nullopt) << size;
    bytes[576] = '\xC8';
    bytes[617] = '\xFF';
    bytes.replace(618, 10, QByteArray(10, 'k'));
    bytes.append("trailing");
    DisplayElement e = *decodeDisplayElement(bytes);
    EXPECT_EQ(e.name.size(), 40);
    EXPECT_EQ(e.kind, QString(10, u'k'));
    e.bitmapFile = QString(60, u'f');
    EXPECT_EQ(hexText(encodeDisplayElement(e).mid(1346, 3)), u"66 66 44"_s) << "cut to 55, highColour follows";
}

TEST(ElementViews, SeventeenLittleEndianNumbersAndTheirFlags)
{
    QByteArray bytes(68, '\0');
    bytes.replace(0, 4, hexBytes("03 00 00 00"));
    bytes.replace(40, 4, hexBytes("19 01 00 00"));
    bytes.replace(64, 4, hexBytes("03 00 00 00"));
    const std::optional<ElementViews> views = decodeElementViews(bytes);
    ASSERT_TRUE(views);
    EXPECT_EQ(views->view[10], 281);
    EXPECT_EQ(hexText(encodeElementViews(*views)), hexText(bytes));
    EXPECT_EQ(decodeElementViews(std::span(bytes.constData(), 67)), std::nullopt);
    const std::array<bool, PartCount> onView3 = PartFlags(*views, 3);
    for (std::size_t j = 0; j < PartCount; ++j)
        EXPECT_EQ(onView3[j], j == 0 || j == 16) << j;
    EXPECT_TRUE(PartFlags(*views, 281)[10]) << "a number outside 1 to 25 matches itself";
}

} // namespace
