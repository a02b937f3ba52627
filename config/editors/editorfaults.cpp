// The editors' typed numbers and the texts of a save that did not happen.
#include "config/editors/editorfaults.h"

#include "core/text/numberparse.h"

#include <QStringList>

#include <algorithm>
#include <utility>

TypedNumber parseTypedNumber(const QString &text, NumberRange range)
{
    const std::optional<double> value = convertFloat(floatFieldText(text.trimmed()));
    if (!value)
        return {0, NumberFault::NotANumber};
    const bool aboveLow = range.lowIncluded ? *value >= range.low : *value > range.low;
    if (!aboveLow || *value > range.high)
        return {0, NumberFault::OutOfRange};
    return {*value, NumberFault::None};
}

QString cellFaultsText(const QList<CellFault> &faults)
{
    QStringList lines{QStringLiteral("Konfiguracija nije snimljena. Ispravite:")};
    for (const CellFault &fault : faults) {
        const QString where = QStringLiteral("%1, %2: \"%3\" ").arg(fault.record, fault.column, fault.text);
        if (fault.fault == NumberFault::NotANumber) {
            lines.append(where + QStringLiteral("nije broj."));
            continue;
        }
        const QString range
            = (fault.range.lowIncluded ? QStringLiteral("od %1 do %2") : QStringLiteral("iznad %1 do %2"))
                  .arg(QString::number(fault.range.low), QString::number(fault.range.high));
        lines.append(where + QStringLiteral("nije u opsegu %1.").arg(range));
    }
    return lines.join(u'\n');
}

QString writeFailureReason(qint32 status)
{
    switch (status) {
    case ExchangeStatus::NoConnection:
        return LoginFailureText::userRead(status);
    case ExchangeStatus::PasswordTaken:
        return QStringLiteral("Tu lozinku vec ima drugi korisnik.");
    case ExchangeStatus::StoreFailed:
        return QStringLiteral("Server nije mogao da snimi podatke.");
    case ExchangeStatus::AccessRefused:
        return QStringLiteral("Nemate pravo izmene konfiguracije.");
    }
    return {};
}

QString writeFailuresText(ServerRecord record, const QList<WriteFailure> &failures)
{
    const auto refused = [](const WriteFailure &failure) { return failure.status == ExchangeStatus::AccessRefused; };
    if (std::any_of(failures.begin(), failures.end(), refused))
        return writeFailureReason(ExchangeStatus::AccessRefused);
    // Reasons in the order they first appear, each with its records.
    QList<std::pair<QString, QStringList>> groups;
    for (const WriteFailure &failure : failures) {
        const QString reason = writeFailureReason(failure.status);
        auto group = std::find_if(groups.begin(), groups.end(), [&](const auto &g) { return g.first == reason; });
        if (group == groups.end())
            group = groups.insert(groups.end(), {reason, {}});
        if (!failure.record.isEmpty())
            group->second.append(failure.record);
    }
    QStringList lines{exchangeFailureText(record, ExchangeOperation::Write)};
    for (const auto &[reason, records] : groups) {
        const QString names = records.join(QStringLiteral(", "));
        const QString line
            = names.isEmpty() || reason.isEmpty() ? names + reason : names + QStringLiteral(": ") + reason;
        if (!line.isEmpty())
            lines.append(line);
    }
    return lines.join(u'\n');
}
