// Chart records of "Report.rez" on hand-built bytes: field offsets, kept bytes, short and missing
// files, and saving over the old file.
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

// Absolute offsets of scaleMax, scaleMin, lineWidth, channel, decimals, unitText, curveColour and
// axisSide of level, temperature, mass and volume.
constexpr std::array<std::array<std::size_t, 8>, 4> FieldOffsets{{
    {208, 212, 216, 220, 224, 228, 240, 280},
    {284, 288, 292, 296, 300, 304, 316, 352},
    {356, 360, 364, 368, 372, 376, 388, 424},
    {428, 432, 436, 440, 444, 448, 460, 496},
}};

// Every byte 0xEE, then the texts and integers: field f of quantity q holds 100 * q + f.
QByteArray recordBytes(const QString &title)
{
    QByteArray bytes(TankChartRecordSize, '\xEE');
    writeShortText(bytes, 0, 40, title);
    bytes[1 + title.size() + 1] = '\xEE'; // bytes past a text's length are kept as they are
    writeShortText(bytes, 41, 40, u"Nivo"_s);
    writeShortText(bytes, 82, 40, u"Temperatura"_s);
    writeShortText(bytes, 123, 40, u"Masa"_s);
    writeShortText(bytes, 164, 40, u"Zapremina"_s);
    bytes[41 + 1 + 4 + 3] = '\xEE';
    for (std::size_t q = 0; q < FieldOffsets.size(); ++q) {
        for (std::size_t f = 0; f < FieldOffsets[q].size(); ++f)
            writeI32(bytes, FieldOffsets[q][f], static_cast<qint32>(100 * q + f));
        bytes[FieldOffsets[q][5]] = 2;
        bytes[FieldOffsets[q][5] + 1] = '\xB0';
        bytes[FieldOffsets[q][5] + 2] = 'C';
    }
    return bytes;
}

TankChartRecord decoded(const QByteArray &bytes)
{
    return decodeTankChartRecord(std::span<const char, TankChartRecordSize>(bytes.constData(), TankChartRecordSize));
}

QByteArray encoded(const TankChartRecord &record)
{
    const auto bytes = encodeTankChartRecord(record);
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

TEST(TankChartRecord, ReadsEveryFieldAtItsOffset)
{
    const TankChartRecord record = decoded(recordBytes(u"R 86"_s));
    EXPECT_EQ(record.chartTitle, u"R 86"_s);
    EXPECT_EQ(record.legendTemperature, u"Temperatura"_s);
    EXPECT_EQ(record.legendVolume, u"Zapremina"_s);
    for (std::size_t q = 0; q < FieldOffsets.size(); ++q) {
        const ChartSettings &s = record.settings(AllQuantities[q]);
        const auto base = static_cast<qint32>(100 * q);
        EXPECT_EQ(std::vector<qint32>({s.scaleMax, s.scaleMin, s.lineWidth, s.channel, s.decimals,
                                       static_cast<qint32>(s.curveColour), s.axisSide}),
                  std::vector<qint32>({base, base + 1, base + 2, base + 3, base + 4, base + 6, base + 7}));
        EXPECT_EQ(s.unitText, u"\u00B0C"_s);
    }
}

TEST(TankChartRecord, EncodingChangesOnlyTheEditedFields)
{
    const QByteArray original = recordBytes(u"R 86"_s);
    TankChartRecord record = decoded(original);
    EXPECT_EQ(hexText(encoded(record)), hexText(original));

    record.temperature.curveColour = 0x00FF0000;
    record.volume.axisSide = 1;
    record.legendMass = u"Masa [t]"_s;
    QByteArray expected = original;
    writeI32(expected, 316, 0x00FF0000);
    writeI32(expected, 496, 1);
    writeShortText(expected, 123, 40, u"Masa [t]"_s);
    EXPECT_EQ(hexText(encoded(record)), hexText(expected));
}

class ChartRecordFileTest : public testing::Test
{
protected:
    void write(const QByteArray &bytes) const
    {
        QFile file(folder.filePath(u"Report.rez"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    QByteArray fileBytes() const
    {
        QFile file(folder.filePath(u"Report.rez"_s));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Records titled "R 1" .. "R <count>".
    static QByteArray records(int count)
    {
        QByteArray bytes;
        for (int k = 1; k <= count; ++k)
            bytes += recordBytes(u"R %1"_s.arg(k));
        return bytes;
    }

    QTemporaryDir dir;
    DataFolder folder{dir.path()};
};

TEST_F(ChartRecordFileTest, FifteenRecordsReadAndBytesAfterThemAreIgnored)
{
    write(records(15) + "tail");
    const ChartRecordsRead read = readChartRecords(folder);
    EXPECT_EQ(read.message, std::nullopt);
    EXPECT_TRUE(read.usable);
    EXPECT_EQ(read.records[14].chartTitle, u"R 15"_s);
}

TEST_F(ChartRecordFileTest, FourteenRecordsKeepWhatWasReadAndGiveTheReadError)
{
    write(records(15).chopped(1));
    const ChartRecordsRead read = readChartRecords(folder);
    EXPECT_EQ(read.message, FileMessage(u"Greska u citanju fajla."_s, u"File Error..."_s));
    EXPECT_FALSE(read.usable);
    EXPECT_EQ(read.records[13].chartTitle, u"R 14"_s);
    EXPECT_EQ(read.records[14].level, ChartSettings());
}

TEST_F(ChartRecordFileTest, AMissingFileLeavesZeroRecordsThatCanBeUsed)
{
    const ChartRecordsRead read = readChartRecords(folder);
    EXPECT_EQ(read.message, FileMessage(u"Fajl ne postoji."_s, u"Greska"_s));
    EXPECT_TRUE(read.usable);
    EXPECT_EQ(read.records[0].temperature.channel, 0);
}

TEST_F(ChartRecordFileTest, SavingWritesTheEditsAndKeepsEveryOtherByte)
{
    const QByteArray original = records(15) + "tail";
    write(original);
    TankChartRecords edited = readChartRecords(folder).records;
    edited[4].level.scaleMax = 12;
    ASSERT_EQ(saveChartRecords(folder, edited), std::nullopt);
    QByteArray expected = original;
    writeI32(expected, 4 * TankChartRecordSize + 208, 12);
    EXPECT_EQ(hexText(fileBytes()), hexText(expected));
}

TEST_F(ChartRecordFileTest, AFailedSaveIsReportedAndLeavesNoFile)
{
    const DataFolder gone(dir.filePath(u"missing"_s));
    const std::optional<FileMessage> failure = saveChartRecords(gone, {});
    ASSERT_TRUE(failure.has_value());
    EXPECT_TRUE(failure->text.startsWith(u"Konfiguracija nije snimljena"_s)) << failure->text.toStdString();
    EXPECT_FALSE(QFile::exists(gone.filePath(u"Report.rez"_s)));
}

} // namespace
