// The report's columns.
#include "report/reportcolumns.h"

#include "core/text/numberformat.h"

QString HeaderText(const ReportColumn &column)
{
    return QString::fromLatin1(column.header);
}

QString Tonnes(long double value, const QLocale &locale)
{
    return FormatFixed(static_cast<double>(value), 1, locale) + QStringLiteral(" t");
}

QString TableCell(const ReportColumn &column, const TankRecord &tank, const TankQuantity &quantity, const QLocale &locale)
{
    return column.text ? tank.*column.text : Tonnes(quantity.*column.quantity, locale);
}

std::array<QString, TableColumnCount> SumRow(const QString &sum)
{
    std::array<QString, TableColumnCount> texts;
    texts[0] = SumRowName;
    for (std::size_t i = 0; i < TableColumnCount; ++i)
        if (HoldsSum(TableColumns[i]))
            texts[i] = sum;
    return texts;
}
