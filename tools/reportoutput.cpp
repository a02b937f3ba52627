// skladar-report's CSV and text table.
#include "tools/reportoutput.h"

#include "core/text/numberformat.h"
#include "report/reportprint.h"

#include <QStringList>

namespace {

QString decimal(long double value)
{
    return QString::number(static_cast<double>(value), 'f', 3);
}

// A field quoted when it holds a comma, a quotation mark or a line break.
QString csvField(const QString &text)
{
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n'))
        return text;
    return u'"' + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

// The columns of the text table, in characters.
constexpr int NameWidth = 12;
constexpr int KindWidth = 32;
constexpr int SifraWidth = 12;
constexpr int MassWidth = 12;

QString textRow(const QString &name, const QString &kind, const QString &sifra, const QString &mass)
{
    return name.leftJustified(NameWidth) + kind.leftJustified(KindWidth) + sifra.leftJustified(SifraWidth)
        + mass.rightJustified(MassWidth);
}

} // namespace

QString reportCsv(const ReportContent &content, const StockGiven &given, const ReportMoment &dataMoment)
{
    QString csv = QStringLiteral("group,tank,kind,sifra,level_m,temperature_c,volume_m3,mass_t");
    if (content.stockView)
        csv += QStringLiteral(",stock_t,difference_t");
    csv += QStringLiteral(",data_time\n");
    const QString time = QStringLiteral(",%1-%2-%3 %4:%5\n")
                             .arg(dataMoment.year, 4, 10, QLatin1Char('0'))
                             .arg(dataMoment.month, 2, 10, QLatin1Char('0'))
                             .arg(dataMoment.day, 2, 10, QLatin1Char('0'))
                             .arg(dataMoment.hour, 2, 10, QLatin1Char('0'))
                             .arg(dataMoment.minute, 2, 10, QLatin1Char('0'));
    const QString noStock = content.stockView ? QStringLiteral(",,") : QString();
    for (const ReportGroup &group : content.groups) {
        const QString number = QString::number(group.group);
        for (const int slot : group.slots) {
            const TankRecord &tank = content.tanks.slot(slot);
            const TankQuantity &q = content.quantities[static_cast<std::size_t>(slot - 1)];
            const QStringList fields{number, csvField(tank.name), csvField(tank.materialKind), csvField(tank.materialSifra.trimmed()),
                                     decimal(q.level), decimal(q.temperature), decimal(q.volume), decimal(q.mass)};
            csv += fields.join(u',') + noStock + time;
        }
        const std::size_t index = static_cast<std::size_t>(group.group - 1);
        const long double stock = content.stock[index];
        const QString stockFields = given[index] ? QStringLiteral(",%1,%2").arg(decimal(stock), decimal(group.sum - stock)) : noStock;
        csv += number + QStringLiteral(",Zbir,,,,,,") + decimal(group.sum) + (content.stockView ? stockFields : QString()) + time;
    }
    return csv;
}

QString reportText(const ReportContent &content, const StockGiven &given, const ReportMoment &dataMoment, const QLocale &locale)
{
    const auto tonnes = [&locale](long double value) { return FormatFixed(static_cast<double>(value), 1, locale) + QStringLiteral(" t"); };
    QStringList lines{PrintTitle(dataMoment)};
    for (const ReportGroup &group : content.groups) {
        QString header = textRow(QStringLiteral("Rezervoar"), QStringLiteral("Vrsta materijala"), QStringLiteral("Sifra"), QStringLiteral("Masa"));
        if (content.stockView)
            header += QStringLiteral("Stanje").rightJustified(MassWidth) + QStringLiteral("Razlika").rightJustified(MassWidth);
        lines << QString() << header;
        for (const int slot : group.slots) {
            const TankRecord &tank = content.tanks.slot(slot);
            lines << textRow(tank.name, tank.materialKind, tank.materialSifra, tonnes(content.quantities[static_cast<std::size_t>(slot - 1)].mass));
        }
        if (group.hasSumRow())
            lines << textRow(QStringLiteral("Zbir"), QString(), QString(), tonnes(group.sum));
        const std::size_t index = static_cast<std::size_t>(group.group - 1);
        if (content.stockView && given[index]) {
            const long double stock = content.stock[index];
            lines.back() += tonnes(stock).rightJustified(MassWidth) + tonnes(group.sum - stock).rightJustified(MassWidth);
        }
    }
    return lines.join(u'\n') + u'\n';
}
