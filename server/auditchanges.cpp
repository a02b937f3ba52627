// Audit texts: "R 75 precnik 4.000 -> 4.500", "korisnik PETAR: nivo R 86 da -> ne".
#include "server/auditchanges.h"

#include "core/codec/shorttext.h"

#include <span>
#include <utility>

namespace {

using namespace Qt::StringLiterals;

QString tankName(int tankId) { return u"R %1"_s.arg(tankId); }

QString number(double value, int decimals) { return QString::number(value, 'f', decimals); }

void compare(QStringList &changes, const QString &subject, const QString &field, const QString &before,
             const QString &after)
{
    if (before != after)
        changes.append(u"%1 %2 %3 -> %4"_s.arg(subject, field, before, after));
}

QString yesNo(quint8 right) { return right == 1 ? u"da"_s : u"ne"_s; }

} // namespace

QStringList tankChanges(const TankParamsWire &before, const TankParamsWire &after)
{
    const QString subject = tankName(after.tankId);
    // Geometry in metres with three decimals, the dead zone's height in whole millimetres, as the editor shows them.
    const std::pair<const char *, std::pair<double, double>> fields[] = {
        {"precnik", {before.diameter, after.diameter}},
        {"visina", {before.height, after.height}},
        {"nivomer", {before.gaugeHeight, after.gaugeHeight}},
        {"H max", {before.maxLevel, after.maxLevel}},
        {"V max", {before.maxVolume, after.maxVolume}},
        {"V mrtve zone", {before.deadZoneVolume, after.deadZoneVolume}},
    };
    QStringList changes;
    for (const auto &[field, values] : fields) {
        if (values.first != values.second)
            changes.append(u"%1 %2 %3 -> %4"_s.arg(subject, QString::fromLatin1(field), number(values.first, 3),
                                                   number(values.second, 3)));
    }
    if (before.deadZoneHeight != after.deadZoneHeight) {
        changes.append(
            u"%1 H 0 %2 -> %3"_s.arg(subject, number(before.deadZoneHeight, 0), number(after.deadZoneHeight, 0)));
    }
    compare(changes, subject, u"materijal"_s, QString::number(before.materialCode),
            QString::number(after.materialCode));
    compare(changes, subject, u"sifra"_s, before.sifra, after.sifra);
    return changes;
}

QStringList materialChanges(const MaterialRecord &before, const MaterialRecord &after)
{
    const QString subject = u"materijal %1"_s.arg(after.code);
    QStringList changes;
    compare(changes, subject, u"ime"_s, before.name, after.name);
    compare(changes, subject, u"vrsta"_s, before.kind, after.kind);
    compare(changes, subject, u"sifra"_s, before.sifra, after.sifra);
    if (before.density20 != after.density20)
        changes.append(u"%1 ro %2 -> %3"_s.arg(subject, number(before.density20, 3), number(after.density20, 3)));
    return changes;
}

QStringList materialListChanges(int page, const MaterialTable &before, const MaterialTable &after)
{
    QStringList changes;
    const auto entryText = [](const MaterialTable &entries, qsizetype i) {
        return i < entries.size() ? u"%1 %2"_s.arg(entries[i].code).arg(entries[i].sifra) : u"prazno"_s;
    };
    for (qsizetype i = 0; i < std::max(before.size(), after.size()); ++i) {
        const int position = page * MaterialsPerPage + static_cast<int>(i) + 1;
        compare(changes, u"lista materijala"_s, QString::number(position), entryText(before, i), entryText(after, i));
    }
    return changes;
}

QStringList consoleScreenChanges(int tankId, const ConsoleScreen &before, const ConsoleScreen &after)
{
    QStringList changes;
    for (int line = 1; line <= ConsoleScreen::Lines; ++line) {
        QString old;
        QString changed;
        for (int column = 1; column <= ConsoleScreen::Columns; ++column) {
            old.append(QChar::fromLatin1(before.cell(line, column)));
            changed.append(QChar::fromLatin1(after.cell(line, column)));
        }
        compare(changes, u"ekran %1"_s.arg(tankName(tankId)), u"red %1:"_s.arg(line), u"\"%1\""_s.arg(old),
                u"\"%1\""_s.arg(changed));
    }
    return changes;
}

QStringList userChanges(const std::optional<UserWire> &before, const UserWire &after)
{
    const QString subject = u"korisnik %1:"_s.arg(userNameText(after));
    if (!before)
        return {u"%1 novi korisnik, nivo %2"_s.arg(subject).arg(after.level)};
    QStringList changes;
    compare(changes, subject, u"ime"_s, userNameText(*before), userNameText(after));
    if (before->password != after.password)
        changes.append(u"%1 lozinka promenjena"_s.arg(subject));
    // The tank's number is compared on its own: every other field is a right.
    const auto rights = std::span(TankRightsFields).subspan(1);
    for (int slot = 1; slot <= TankCount; ++slot) {
        const TankRights &old = before->rights[slot];
        const TankRights &now = after.rights[slot];
        compare(changes, subject, u"mesto %1 rezervoar"_s.arg(slot), QString::number(old.tankId),
                QString::number(now.tankId));
        for (const auto &[name, right] : rights) {
            compare(changes, subject, u"%1 %2"_s.arg(QString::fromLatin1(name), tankName(now.tankId)),
                    yesNo(old.*right), yesNo(now.*right));
        }
    }
    return changes;
}

QString changeText(const QStringList &changes) { return changes.isEmpty() ? u"bez promene"_s : changes.join(u"; "_s); }

QString userNameText(const UserWire &user) { return textUpToNul(user.userName).trimmed(); }
