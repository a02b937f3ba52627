// The display settings kept in the settings store: the bar-graph file, the server address and the
// 25 pictures with their check boxes.
#pragma once

#include "core/exchange/serverlink.h"
#include "core/settings/settingsstore.h"

#include <QString>

#include <array>
#include <optional>

inline constexpr int PictureCount = 25;

struct PictureSetting
{
    QString file;         // Forma\Slika<n>\Slika
    bool checked = false; // Forma\Slika<n>\Checked is exactly "true"
    bool operator==(const PictureSetting &) const = default;
};

struct DisplaySettings
{
    QString barGraphFile;     // Forma\Datoteka
    qint32 serverAddress = 0; // Forma\IPServer; 0 when absent
    std::array<PictureSetting, PictureCount> pictures{};
    bool operator==(const DisplaySettings &) const = default;
};

// The address first, then pictures 1 to 25, then the bar-graph file. A value of the wrong kind
// stops the reading with its error; what was read until then stays in settings.
SettingsStatus readDisplaySettings(const SettingsStore &store, DisplaySettings &settings);
// Pictures 1 to 25 (Checked, then Slika), the bar-graph file, then the address; stops at the
// first failure.
SettingsStatus writeDisplaySettings(const SettingsStore &store, const DisplaySettings &settings);

// An octet box's text: a whole number from 0 to 255 in the standard integer conversion.
std::optional<quint8> parseOctet(const QString &text);
