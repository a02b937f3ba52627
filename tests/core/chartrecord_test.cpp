// Chart records of "Report.rez" on hand-built bytes: offsets, kept bytes, short files, saving. The messages of a
// missing file and a failed save are proven by the chart windows.
#include "core/history/chartrecordfile.h"

#include "core/codec/bytes.h"
#include "core/codec/shorttext.h"
#include "core/services/datafolder.h"
#include "tests/support/bytes.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// Offsets of scaleMax, scaleMin, lineWidth, channel, decimals, unitText, curveColour, axisSide.
constexpr std::array<std::array<std::size_t, 8>, 4> FieldOffsets{{
    {208, 212, 216, 220, 224, 228, 240, 280},
    {284, 288, 292, 296, 300, 304, 316, 352},
    {356, 360, 364, 368, 372, 376, 388, 424},
    {428, 432, 436, 440, 444, 448, 460, 496},
}};

// Offsets and texts of the legends of level, temperature, mass and volume.
constexpr std::array<std::size_t, 4> LegendOffsets{41, 82, 123, 164};
const std::array<QString, 4> Legends{u"Nivo"_s, u"Temperatura"_s, u"Masa"_s, u"Zapremina"_s};

// Every byte 0xEE, then the texts and integers: field f of quantity q holds 100 * q + f, every unit is "°C".
QByteArray recordBytes(const QString &title)
{
    QByteArray bytes(TankChartRecordSize, '\xEE');
    writeShortText(bytes, 0, 40, title);
    for (std::size_t q = 0; q < LegendOffsets.size(); ++q)
        writeShortText(bytes, LegendOffsets[q], 40, Legends[q]);
    bytes[180] = '\xEE'; // bytes past a text's length are kept as they are
    for (std::size_t q = 0; q < FieldOffsets.size(); ++q) {
        for (std::size_t f = 0; f < FieldOffsets[q].size(); ++f)
            writeI32(bytes, FieldOffsets[q][f], static_cast<qint32>(100 * q + f));
        bytes.replace(static_cast<qsizetype>(FieldOffsets[q][5]), 3, "\x02\xB0" "C");
    }
    return bytes;
}

TEST(TankChartRecord, ReadsEveryFieldAtItsOffsetAndWritesBackOnlyEditedFields)
{
    const QByteArray original = recordBytes(u"R 86"_s);
    TankChartRecord record = decodeTankChartRecord(std::span<const char, TankChartRecordSize>(original.constData(), TankChartRecordSize));
    EXPECT_EQ(record.chartTitle, u"R 86"_s);
    for (std::size_t q = 0; q < FieldOffsets.size(); ++q) {
        EXPECT_EQ(record.legend(AllQuantities[q]), Legends[q]);
        const ChartSettings &s = record.settings(AllQuantities[q]);
        const auto base = static_cast<qint32>(100 * q);
        EXPECT_EQ(std::vector<qint32>({s.scaleMax, s.scaleMin, s.lineWidth, s.channel, s.decimals,
                                       static_cast<qint32>(s.curveColour), s.axisSide}),
                  std::vector<qint32>({base, base + 1, base + 2, base + 3, base + 4, base + 6, base + 7}));
        EXPECT_EQ(s.unitText, u"\u00B0C"_s);
    }
    const auto encoded = [&record] { return hexText(encodeChartRecords({record}).left(TankChartRecordSize)); };
    EXPECT_EQ(encoded(), hexText(original));

    record.temperature.curveColour = 0x00FF0000;
    record.legendVolume = u"Zapremina [m3]"_s;
    QByteArray expected = original;
    writeI32(expected, 316, 0x00FF0000);
    writeShortText(expected, 164, 40, u"Zapremina [m3]"_s);
    EXPECT_EQ(encoded(), hexText(expected));
}

class ChartRecordFileTest : public testing::Test
{
protected:
    ChartRecordFileTest()
    {
        for (int k = 1; k <= TankCount; ++k)
            fifteen += recordBytes(u"R %1"_s.arg(k));
    }

    void write(const QByteArray &bytes) const
    {
        QFile file(folder.filePath(u"Report.rez"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

    QTemporaryDir dir;
    DataFolder folder{dir.path()};
    QByteArray fifteen;
};

TEST_F(ChartRecordFileTest, MissingShortAndLongFiles)
{
    EXPECT_TRUE(readChartRecords(folder).usable) << "a missing file gives zero settings, which are usable";
    write(fifteen.chopped(1));
    const ChartRecordsRead read = readChartRecords(folder);
    EXPECT_TRUE(read.message == (FileMessage{u"Greska u citanju fajla."_s, u"File Error..."_s}) && !read.usable);
    EXPECT_TRUE(read.records[14].chartTitle == u"R 14"_s && read.records[15].level == ChartSettings()) << "whole records kept";
    EXPECT_TRUE(read.knows(14) && !read.knows(15)) << "the fifteenth tank's settings are unknown";
    EXPECT_TRUE(readChartRecords(DataFolder(dir.filePath(u"none"_s))).knows(15)) << "a missing file's are zero";

    write(fifteen + "tail");
    EXPECT_EQ(readChartRecords(folder).message, std::nullopt);
}

TEST_F(ChartRecordFileTest, SavingWritesTheEditsAndKeepsEveryOtherByte)
{
    const QByteArray original = fifteen + "tail";
    write(original);
    const ChartRecordsRead read = readChartRecords(folder);
    TankChartRecords edited = read.records;
    QByteArray fileBytes = *read.fileBytes;
    edited[5].level.scaleMax = 12;
    ASSERT_EQ(saveChartRecords(folder, edited, fileBytes), std::nullopt);
    QByteArray expected = original;
    writeI32(expected, 4 * TankChartRecordSize + 208, 12);
    QFile saved(folder.filePath(u"Report.rez"_s));
    EXPECT_TRUE(saved.open(QIODevice::ReadOnly) && saved.readAll() == expected);
    EXPECT_EQ(fileBytes, expected) << "the next save checks against what this one wrote";
}

} // namespace
