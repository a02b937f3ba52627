// Reading and writing the display settings.
#include "config/displaysettings.h"

#include "core/text/numberparse.h"

namespace {

const QString Forma = QStringLiteral("Forma\\");
const QString Datoteka = QStringLiteral("Datoteka");
const QString Checked = QStringLiteral("Checked");
const QString Slika = QStringLiteral("Slika");

// Both name the same key: the window writes the picture's key with a trailing backslash.
QString pictureKey(int picture) { return QStringLiteral("Forma\\Slika%1").arg(picture); }

QString pictureWriteKey(int picture) { return pictureKey(picture) + QLatin1Char('\\'); }

} // namespace

SettingsStatus readDisplaySettings(const SettingsStore &store, DisplaySettings &settings)
{
    store.ReadInteger(ServerAddressKey, ServerAddressValue, settings.serverAddress);
    for (int picture = 1; picture <= PictureCount; ++picture) {
        PictureSetting &setting = settings.pictures[static_cast<std::size_t>(picture - 1)];
        QString checked;
        if (const SettingsStatus status = store.ReadString(pictureKey(picture), Checked, checked); !status.ok())
            return status;
        setting.checked = checked == u"true";
        if (const SettingsStatus status = store.ReadString(pictureWriteKey(picture), Slika, setting.file); !status.ok())
            return status;
    }
    return store.ReadString(Forma, Datoteka, settings.barGraphFile);
}

SettingsStatus writeDisplaySettings(const SettingsStore &store, const DisplaySettings &settings)
{
    for (int picture = 1; picture <= PictureCount; ++picture) {
        const PictureSetting &setting = settings.pictures[static_cast<std::size_t>(picture - 1)];
        const QString checked = setting.checked ? QStringLiteral("true") : QStringLiteral("false");
        if (const SettingsStatus status = store.WriteString(pictureWriteKey(picture), Checked, checked); !status.ok())
            return status;
        if (const SettingsStatus status = store.WriteString(pictureWriteKey(picture), Slika, setting.file);
            !status.ok())
            return status;
    }
    if (const SettingsStatus status = store.WriteString(Forma, Datoteka, settings.barGraphFile); !status.ok())
        return status;
    return store.WriteInteger(ServerAddressKey, ServerAddressValue, settings.serverAddress);
}

std::optional<quint8> parseOctet(const QString &text)
{
    const std::optional<qint32> value = convertInteger(text);
    if (!value || *value < 0 || *value > 255)
        return std::nullopt;
    return static_cast<quint8>(*value);
}
