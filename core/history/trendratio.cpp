// The stretch ratios in the settings store.
#include "core/history/trendratio.h"

#include <algorithm>

namespace {

int storedTerm(const SettingsStore &settings, const QString &name)
{
    qint32 value = 1;
    settings.ReadInteger(TrendRatioKey, name, value);
    return std::max(value, 1);
}

} // namespace

QString ratioNumeratorName(int slot) { return QStringLiteral("Rez%1mm").arg(slot); }

QString ratioDenominatorName(int slot) { return QStringLiteral("Rez%1dd").arg(slot); }

TrendRatio readTrendRatio(const SettingsStore &settings, int slot)
{
    return {storedTerm(settings, ratioNumeratorName(slot)), storedTerm(settings, ratioDenominatorName(slot))};
}

SettingsStatus writeTrendRatio(const SettingsStore &settings, int slot, TrendRatio ratio)
{
    const SettingsStatus status = settings.WriteInteger(TrendRatioKey, ratioNumeratorName(slot), ratio.mm);
    if (!status.ok())
        return status;
    return settings.WriteInteger(TrendRatioKey, ratioDenominatorName(slot), ratio.dd);
}
