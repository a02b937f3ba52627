// skladar-report's CSV and text table.
#include "tools/reportoutput.h"

#include "report/reportcolumns.h"
#include "report/reportprint.h"

#include <QStringList>

namespace {

QString decimal(long double value) { return QString::number(static_cast<double>(value), 'f', 3); }

// A field quoted when it holds a comma, a quotation mark or a line break.
QString csvField(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n'))
        return text;
    return u'"' + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

QString justified(const ReportColumn &column, const QString &text)
{
    return column.align == ColumnAlign::Left ? text.leftJustified(column.textWidth)
                                             : text.rightJustified(column.textWidth);
}

template <std::size_t N>
QString textRow(const std::array<ReportColumn, N> &columns, const std::array<QString, N> &texts)
{
    QString row;
    for (std::size_t i = 0; i < N; ++i)
        row += justified(columns[i], texts[i]);
    return row;
}

template <std::size_t N> std::array<QString, N> headers(const std::array<ReportColumn, N> &columns)
{
    std::array<QString, N> texts;
    std::ranges::transform(columns, texts.begin(), HeaderText);
    return texts;
}

template <std::size_t N> QString csvNames(const std::array<ReportColumn, N> &columns)
{
    QString names;
    for (const ReportColumn &column : columns)
        names += u',' + QString::fromLatin1(column.csvName);
    return names;
}

QString csvCell(const ReportColumn &column, const TankRecord &tank, const TankQuantity &quantity)
{
    if (!column.text)
        return decimal(quantity.*column.quantity);
    const QString &text = tank.*column.text;
    return csvField(column.trimmedInCsv ? text.trimmed() : text);
}

// "Zbir" in the first column, the sum in the mass column.
QString csvSumFields(long double sum)
{
    QString fields;
    for (std::size_t i = 0; i < ReportColumns.size(); ++i)
        fields += u',' + (i == 0 ? SumRowName : HoldsSum(ReportColumns[i]) ? decimal(sum) : QString());
    return fields;
}

} // namespace

QString reportCsv(const ReportContent &content, const StockGiven &given, const ReportMoment &dataMoment)
{
    QString csv = QStringLiteral("group") + csvNames(ReportColumns);
    if (content.stockView)
        csv += csvNames(StockColumns);
    csv += QStringLiteral(",data_time\n");
    const QString time = QStringLiteral(",%1-%2-%3 %4:%5\n")
                             .arg(dataMoment.year, 4, 10, QLatin1Char('0'))
                             .arg(dataMoment.month, 2, 10, QLatin1Char('0'))
                             .arg(dataMoment.day, 2, 10, QLatin1Char('0'))
                             .arg(dataMoment.hour, 2, 10, QLatin1Char('0'))
                             .arg(dataMoment.minute, 2, 10, QLatin1Char('0'));
    const QString noStock = content.stockView ? QString(static_cast<qsizetype>(StockColumns.size()), u',') : QString();
    for (const ReportGroup &group : content.groups) {
        const QString number = QString::number(group.group);
        for (const int slot : group.slots) {
            const TankRecord &tank = content.tanks.slot(slot);
            const TankQuantity &q = content.quantities[slot];
            csv += number;
            for (const ReportColumn &column : ReportColumns)
                csv += u',' + csvCell(column, tank, q);
            csv += noStock + time;
        }
        const long double stock = content.stock[group.group];
        const QString stockFields
            = given[group.group] ? QStringLiteral(",%1,%2").arg(decimal(stock), decimal(group.sum - stock)) : noStock;
        csv += number + csvSumFields(group.sum) + (content.stockView ? stockFields : QString()) + time;
    }
    return csv;
}

QString reportText(const ReportContent &content, const StockGiven &given, const ReportMoment &dataMoment,
                   const QLocale &locale)
{
    QStringList lines{PrintTitle(dataMoment)};
    for (const ReportGroup &group : content.groups) {
        QString header = textRow(TableColumns, headers(TableColumns));
        if (content.stockView)
            header += textRow(StockColumns, headers(StockColumns));
        lines << QString() << header;
        for (const int slot : group.slots) {
            const TankRecord &tank = content.tanks.slot(slot);
            const TankQuantity &quantity = content.quantities[slot];
            std::array<QString, TableColumnCount> texts;
            std::ranges::transform(TableColumns, texts.begin(), [&](const ReportColumn &column) {
                return TableCell(column, tank, quantity, locale);
            });
            lines << textRow(TableColumns, texts);
        }
        if (group.hasSumRow())
            lines << textRow(TableColumns, SumRow(group.sum, locale));
        if (content.stockView && given[group.group]) {
            const long double stock = content.stock[group.group];
            lines.back() += textRow(StockColumns, std::array{QuantityText(StockColumns[0], stock, locale),
                                                             QuantityText(StockColumns[1], group.sum - stock, locale)});
        }
    }
    return lines.join(u'\n') + u'\n';
}
