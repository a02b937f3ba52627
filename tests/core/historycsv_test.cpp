// The history's CSV text: column order, rights, "." decimals in any locale, ranges and moments.
#include "core/history/historycsv.h"

#include "core/plant/plantmodel.h"

#include <QBuffer>
#include <QLocale>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace Qt::StringLiterals;

// Three positions, the third without a sample, the first two at 6 March 2001 00:00 and 5 March 23:50.
QString csvOfThreePositions(const CsvRange &range)
{
    const auto series = std::make_unique<TrendSeries>();
    series->sampleCount = 3;
    series->loadedCount = 2;
    series->times[1] = {6, 3, 2001, 0, 0};
    series->times[2] = {5, 3, 2001, 23, 50};
    series->level[1] = 2.0004L;
    series->temperature[1] = -0.5L;
    series->volume[1] = 157.07963L;
    series->mass[1] = 144.5L;
    series->level[2] = 12.3456L;
    TankRights rights;
    rights.nivo = rights.temperatura = rights.zapremina = 1;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(writeHistoryCsv(buffer, *series, rights, range));
    return QString::fromLatin1(buffer.data());
}

std::optional<CsvMoment> at(const char16_t *text, bool endOfDay = false)
{
    return parseCsvMoment(QString::fromUtf16(text), endOfDay);
}

TEST(HistoryCsv, OldestFirstWithPointDecimalsAndEmptyFieldsWithoutTheRight)
{
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(csvOfThreePositions({}), u"position,date,time,level_m,temperature_c,volume_m3,mass_t\n"
                                       "2,2001-03-05,23:50,12.346,0.000,0.000,\n"
                                       "1,2001-03-06,00:00,2.000,-0.500,157.080,\n"_s);
    QLocale::setDefault(QLocale::c());
}

TEST(HistoryCsv, RangesIncludeTheirBoundsAndMomentsAreRealDaysAndMinutes)
{
    EXPECT_EQ(csvOfThreePositions({at(u"2001-03-05T23:50"), at(u"2001-03-05T23:50")}).count(u'\n'), 2);
    EXPECT_EQ(csvOfThreePositions({at(u"2001-03-05T23:51"), at(u"2001-03-05", true)}).count(u'\n'), 1);
    EXPECT_EQ(std::vector({at(u"2024-02-29", true), at(u"2023-02-29"), at(u"2024-01-01T24:00"), at(u"2024-01-01T10:00:00")}),
              std::vector<std::optional<CsvMoment>>({CsvMoment{2024, 2, 29, 23, 59}, {}, {}, {}}));
}

} // namespace
