// What a configuration write changed, field by field, in the words of the windows, for the audit trail.
#pragma once

#include "core/exchange/serverrecords.h"

#include <QString>
#include <QStringList>

#include <optional>

// Each function lists one entry per field that differs between before and after. An empty list
// means the write changed nothing. Passwords never appear: a changed one reads "lozinka promenjena".
QStringList tankChanges(const TankParamsWire &before, const TankParamsWire &after);
QStringList materialChanges(const MaterialRecord &before, const MaterialRecord &after);
// Page 0..2 of the material list; positions are those of the whole list.
QStringList materialListChanges(int page, const MaterialTable &before, const MaterialTable &after);
QStringList consoleScreenChanges(int tankId, const ConsoleScreen &before, const ConsoleScreen &after);
// before is nullopt for a new user.
QStringList userChanges(const std::optional<UserWire> &before, const UserWire &after);

// The audit text of one write: its changes joined, or "bez promene" when there are none.
QString changeText(const QStringList &changes);

// The user's name as the windows show it: the 40 bytes up to the first NUL, without trailing blanks.
QString userNameText(const UserWire &user);
