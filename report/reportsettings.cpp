// The report's values in the settings store.
#include "report/reportsettings.h"

#include "report/reporttable.h"

namespace {

const QString ReportKey = QStringLiteral("Izvestaj");
const QString SortModeName = QStringLiteral("Grouped");
const QString True = QStringLiteral("true");

QString tankGroupName(int slot) { return QStringLiteral("R%1Group").arg(TankIdList[slot]); }

QString groupShowName(int group) { return QStringLiteral("G%1Show").arg(group); }

void keepFirstFailure(SettingsStatus &first, const SettingsStatus &next)
{
    if (first.ok())
        first = next;
}

} // namespace

SettingsStatus WriteStartingGroups(const SettingsStore &store)
{
    SettingsStatus status;
    for (int slot = 1; slot <= TankCount; ++slot)
        keepFirstFailure(status, store.WriteInteger(ReportKey, tankGroupName(slot), 1));
    return status;
}

SortMode ReadSortMode(const SettingsStore &store)
{
    QString text;
    if (!store.ReadString(ReportKey, SortModeName, text).ok())
        return SortMode::Sifra;
    return sortModeFromText(text);
}

SettingsStatus WriteSortMode(const SettingsStore &store, SortMode mode)
{
    return store.WriteString(ReportKey, SortModeName, sortModeText(mode));
}

OperatorGroups ReadOperatorGroups(const SettingsStore &store)
{
    OperatorGroups groups;
    for (int slot = 1; slot <= TankCount; ++slot) {
        qint32 group = 0;
        store.ReadInteger(ReportKey, tankGroupName(slot), group);
        groups.tankGroup[slot] = group;
    }
    for (int group = 1; group <= TankCount; ++group) {
        QString text;
        groups.shown[group] = store.ReadString(ReportKey, groupShowName(group), text).ok() && text == True;
    }
    return groups;
}

OperatorGroups GroupsToAssign(const SettingsStore &store, SortMode mode)
{
    return mode == SortMode::Broj ? ReadOperatorGroups(store) : OperatorGroups{};
}

SettingsStatus StoreOperatorGroups(const SettingsStore &store, OperatorGroups &groups)
{
    GroupsShown used{};
    for (const int group : groups.tankGroup)
        if (group >= 1 && group <= TankCount)
            used[group] = true;
    SettingsStatus status;
    for (int slot = 1; slot <= TankCount; ++slot)
        keepFirstFailure(status, store.WriteInteger(ReportKey, tankGroupName(slot), groups.tankGroup[slot]));
    for (int group = 1; group <= TankCount; ++group) {
        groups.shown[group] = groups.shown[group] && used[group];
        keepFirstFailure(status, store.WriteString(ReportKey, groupShowName(group),
                                                   groups.shown[group] ? True : QStringLiteral("false")));
    }
    return status;
}

void ChangeOperatorGroups(QuantityReport &report, const OperatorGroups &before, const OperatorGroups &after)
{
    if (report.mode == SortMode::Broj && before.tankGroup != after.tankGroup)
        report.stock = {};
}
