// The stretch ratios in the settings store.
#include "core/history/trendratio.h"

#include "core/services/tw.h"

#include <algorithm>

namespace {

int storedTerm(const Tw &w, const QString &name)
{
    qint32 value = 1;
    w.ReadInteger(TrendRatioKey, name, value);
    return std::max(value, 1);
}

} // namespace

QString ratioNumeratorName(int slot)
{
    return QStringLiteral("Rez%1mm").arg(slot);
}

QString ratioDenominatorName(int slot)
{
    return QStringLiteral("Rez%1dd").arg(slot);
}

TrendRatio readTrendRatio(const Tw &w, int slot)
{
    return {storedTerm(w, ratioNumeratorName(slot)), storedTerm(w, ratioDenominatorName(slot))};
}

SettingsStatus writeTrendRatio(const Tw &w, int slot, TrendRatio ratio)
{
    const SettingsStatus status = w.WriteInteger(TrendRatioKey, ratioNumeratorName(slot), ratio.mm);
    if (!status.ok())
        return status;
    return w.WriteInteger(TrendRatioKey, ratioDenominatorName(slot), ratio.dd);
}
