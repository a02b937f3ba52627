// The report's values in the settings store.
#include "report/reportsettings.h"

#include "report/reporttable.h"

namespace {

const QString ReportKey = QStringLiteral("Izvestaj");
const QString SortModeName = QStringLiteral("Grouped");
const QString True = QStringLiteral("true");

QString tankGroupName(std::size_t index) { return QStringLiteral("R%1Group").arg(TankIdList[index]); }

QString groupShowName(std::size_t index) { return QStringLiteral("G%1Show").arg(index + 1); }

void keepFirstFailure(SettingsStatus &first, const SettingsStatus &next)
{
    if (first.ok())
        first = next;
}

} // namespace

SettingsStatus WriteStartingGroups(const SettingsStore &store)
{
    SettingsStatus status;
    for (std::size_t i = 0; i < TankIdList.size(); ++i)
        keepFirstFailure(status, store.WriteInteger(ReportKey, tankGroupName(i), 1));
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
    for (std::size_t i = 0; i < TankIdList.size(); ++i) {
        qint32 group = 0;
        store.ReadInteger(ReportKey, tankGroupName(i), group);
        groups.tankGroup[i] = group;
        QString text;
        groups.shown[i] = store.ReadString(ReportKey, groupShowName(i), text).ok() && text == True;
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
            used[static_cast<std::size_t>(group - 1)] = true;
    SettingsStatus status;
    for (std::size_t i = 0; i < TankIdList.size(); ++i)
        keepFirstFailure(status, store.WriteInteger(ReportKey, tankGroupName(i), groups.tankGroup[i]));
    for (std::size_t i = 0; i < groups.shown.size(); ++i) {
        groups.shown[i] = groups.shown[i] && used[i];
        keepFirstFailure(
            status, store.WriteString(ReportKey, groupShowName(i), groups.shown[i] ? True : QStringLiteral("false")));
    }
    return status;
}

void ChangeOperatorGroups(QuantityReport &report, const OperatorGroups &before, const OperatorGroups &after)
{
    if (report.mode == SortMode::Broj && before.tankGroup != after.tankGroup)
        report.stock = {};
}
