// The history's CSV text: column order, rights, "." decimals in any locale, ranges and moments.
#include "core/history/historycsv.h"

#include "core/plant/plantmodel.h"
#include "tests/support/namedcases.h"

#include <QBuffer>
#include <QLocale>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace Qt::StringLiterals;

class HistoryCsvTest : public testing::Test
{
protected:
    HistoryCsvTest()
    {
        // Three positions, the third without a sample: 5 March 2001 23:50 and 6 March 00:00.
        series->sampleCount = 3;
        series->loadedCount = 2;
        series->times[1] = {6, 3, 2001, 0, 0};
        series->times[2] = {5, 3, 2001, 23, 50};
        series->level[1] = 2.0004L;
        series->temperature[1] = -0.5L;
        series->volume[1] = 157.07963L;
        series->mass[1] = 144.5L;
        series->level[2] = 12.3456L;
        rights.nivo = rights.temperatura = rights.zapremina = 1;
    }

    QString csv(const CsvRange &range = {}) const
    {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(writeHistoryCsv(buffer, *series, rights, range));
        return QString::fromLatin1(buffer.data());
    }

    std::unique_ptr<TrendSeries> series = std::make_unique<TrendSeries>();
    TankRights rights;
};

TEST_F(HistoryCsvTest, OldestFirstWithPointDecimalsAndEmptyFieldsWithoutTheRight)
{
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(csv(), u"position,date,time,level_m,temperature_c,volume_m3,mass_t\n"
                     "2,2001-03-05,23:50,12.346,0.000,0.000,\n"
                     "1,2001-03-06,00:00,2.000,-0.500,157.080,\n"_s);
    QLocale::setDefault(QLocale::c());
}

TEST_F(HistoryCsvTest, RangesIncludeTheirBounds)
{
    const QString header = HistoryCsvHeader + u"\n"_s;
    EXPECT_EQ(csv({parseCsvMoment(u"2001-03-06"_s, false), std::nullopt}).count(u'\n'), 2);
    EXPECT_EQ(csv({std::nullopt, parseCsvMoment(u"2001-03-05"_s, true)}).count(u'\n'), 2);
    EXPECT_EQ(csv({parseCsvMoment(u"2001-03-05T23:50"_s, false), parseCsvMoment(u"2001-03-05T23:50"_s, false)}).count(u'\n'), 2);
    EXPECT_EQ(csv({parseCsvMoment(u"2001-03-05T23:51"_s, false), parseCsvMoment(u"2001-03-05T23:59"_s, false)}), header);
}

struct MomentCase
{
    const char *name;
    QString text;
    bool endOfDay;
    std::optional<CsvMoment> moment;
};

class CsvMomentTest : public testing::TestWithParam<MomentCase>
{
};

TEST_P(CsvMomentTest, Parses)
{
    EXPECT_EQ(parseCsvMoment(GetParam().text, GetParam().endOfDay), GetParam().moment);
}

INSTANTIATE_TEST_SUITE_P(, CsvMomentTest, testing::Values(
    MomentCase{"DateStartsTheDay", u"2024-02-29"_s, false, CsvMoment{2024, 2, 29, 0, 0}},
    MomentCase{"DateEndsTheDay", u"2024-02-29"_s, true, CsvMoment{2024, 2, 29, 23, 59}},
    MomentCase{"DateAndTime", u"2024-12-31T23:59"_s, true, CsvMoment{2024, 12, 31, 23, 59}},
    MomentCase{"NoLeapDay", u"2023-02-29"_s, false, std::nullopt},
    MomentCase{"Hour24", u"2024-01-01T24:00"_s, false, std::nullopt},
    MomentCase{"Seconds", u"2024-01-01T10:00:00"_s, false, std::nullopt},
    MomentCase{"ShortYear", u"24-01-01"_s, false, std::nullopt}),
    caseName<MomentCase>);

} // namespace
