// The report's columns.
#include "report/reportcolumns.h"

#include "core/text/numberformat.h"

QString HeaderText(const ReportColumn &column) { return QString::fromLatin1(column.header); }

QString QuantityText(const ReportColumn &column, long double value, const QLocale &locale)
{
    return FormatFixed(static_cast<double>(value), 1, locale) + QString::fromUtf8(column.unit);
}

QString TableCell(const ReportColumn &column, const TankRecord &tank, const TankQuantity &quantity,
                  const QLocale &locale)
{
    return column.text ? tank.*column.text : QuantityText(column, quantity.*column.quantity, locale);
}

std::array<QString, TableColumnCount> SumRow(std::optional<long double> sum, const QLocale &locale)
{
    std::array<QString, TableColumnCount> texts;
    texts[0] = SumRowName;
    for (std::size_t i = 0; i < TableColumnCount; ++i)
        if (sum && HoldsSum(TableColumns[i]))
            texts[i] = QuantityText(TableColumns[i], *sum, locale);
    return texts;
}
