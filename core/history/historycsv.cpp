// CSV lines of the trend series, oldest first, with "." decimals in every locale.
#include "core/history/historycsv.h"

#include "core/history/historystamp.h"
#include "core/plant/plantmodel.h"

#include <QIODevice>
#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr int CsvDecimals = 3;

CsvMoment momentOf(const SampleTime &time) { return {time.year, time.month, time.day, time.hour, time.minute}; }

bool inRange(const CsvMoment &moment, const CsvRange &range)
{
    return (!range.from || *range.from <= moment) && (!range.to || moment <= *range.to);
}

void appendNumber(QByteArray &line, bool granted, long double value)
{
    line.append(',');
    if (granted)
        line.append(QByteArray::number(static_cast<double>(value), 'f', CsvDecimals));
}

void appendTwoDigits(QByteArray &line, qint32 value) { line.append(QByteArray::number(value).rightJustified(2, '0')); }

void appendLine(QByteArray &text, const TrendSeries &series, const TankRights &rights, int position)
{
    const auto p = static_cast<std::size_t>(position);
    const SampleTime &time = series.times[p];
    text.append(QByteArray::number(position)).append(',');
    text.append(QByteArray::number(time.year).rightJustified(4, '0')).append('-');
    appendTwoDigits(text, time.month);
    text.append('-');
    appendTwoDigits(text, time.day);
    text.append(',');
    appendTwoDigits(text, time.hour);
    text.append(':');
    appendTwoDigits(text, time.minute);
    appendNumber(text, rights.nivo == 1, series.level[p]);
    appendNumber(text, rights.temperatura == 1, series.temperature[p]);
    appendNumber(text, rights.zapremina == 1, series.volume[p]);
    appendNumber(text, rights.masa == 1, series.mass[p]);
    text.append('\n');
}

} // namespace

std::optional<CsvRange> csvRangeBetween(const TrendSeries &series, int newest, int oldest)
{
    newest = std::max(newest, 1);
    oldest = std::min(oldest, static_cast<int>(series.sampleCount));
    while (newest <= oldest && !series.holdsSample(newest))
        ++newest;
    while (oldest >= newest && !series.holdsSample(oldest))
        --oldest;
    if (newest > oldest)
        return std::nullopt;
    return CsvRange{momentOf(series.times[static_cast<std::size_t>(oldest)]),
                    momentOf(series.times[static_cast<std::size_t>(newest)])};
}

std::optional<CsvMoment> parseCsvMoment(const QString &text, bool endOfDay)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})(?:T(\\d{2}):(\\d{2}))?$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    CsvMoment moment{match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt(), endOfDay ? 23 : 0,
                     endOfDay ? 59 : 0};
    if (match.hasCaptured(4)) {
        moment.hour = match.captured(4).toInt();
        moment.minute = match.captured(5).toInt();
    }
    if (moment.day < 1 || moment.day > daysInMonth(moment.year, moment.month) || moment.hour > 23 || moment.minute > 59)
        return std::nullopt;
    return moment;
}

bool writeHistoryCsv(QIODevice &out, const TrendSeries &series, const TankRights &rights, const CsvRange &range)
{
    QByteArray text = HistoryCsvHeader.toLatin1();
    text.append('\n');
    for (int position = series.sampleCount; position >= 1; --position) {
        if (series.holdsSample(position) && inRange(momentOf(series.times[static_cast<std::size_t>(position)]), range))
            appendLine(text, series, rights, position);
    }
    return out.write(text) == text.size();
}
