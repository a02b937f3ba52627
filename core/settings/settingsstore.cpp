// Settings values read and written through a QSettings object opened afresh for every call.
#include "core/settings/settingsstore.h"

#include "core/settings/registryformat.h"

#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QVariant>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kOrganization = u"Tervo"_s;
const QString kApplication = u"Skladar"_s;

std::unique_ptr<QSettings> openStore(const QString &filePath)
{
#ifdef Q_OS_WIN
    const QSettings::Format userFormat = QSettings::NativeFormat;
#else
    const QSettings::Format userFormat = registryFormat();
#endif
    auto settings = filePath.isEmpty()
                        ? std::make_unique<QSettings>(userFormat, QSettings::UserScope, kOrganization, kApplication)
                        : std::make_unique<QSettings>(filePath, registryFormat());
    // Only our own key counts: no organisation-wide or system-wide values showing through.
    settings->setFallbacksEnabled(false);
    return settings;
}

// "\Forma\\Slika3\" as the QSettings group "Forma/Slika3".
QString groupOf(const QString &subKey) { return subKey.split(u'\\', Qt::SkipEmptyParts).join(u'/'); }

// The value as the user knows it: "Forma\Slika3\Checked".
QString valuePath(const QString &group, const QString &name)
{
    return group.isEmpty() ? name : QString(group).replace(u'/', u'\\') + u'\\' + name;
}

bool keyExists(const QSettings &settings)
{
    return !settings.childKeys().isEmpty() || !settings.childGroups().isEmpty();
}

// QSettings would replace a file it cannot parse with just the values written now, and it may skip
// parsing a file it has parsed before, so its own status is no guard: the file is checked here.
bool isMalformed(const QSettings &settings)
{
    if (settings.format() != registryFormat())
        return false;
    QFile file(settings.fileName());
    QSettings::SettingsMap ignored;
    return file.open(QIODevice::ReadOnly) && !readRegistryFile(file, ignored);
}

SettingsStatus writeValue(const QString &filePath, const QString &subKey, const QString &name, const QVariant &value)
{
    const std::unique_ptr<QSettings> settings = openStore(filePath);
    const QString group = groupOf(subKey);
    const QString failure = u"Vrednost %1 nije upisana: "_s.arg(valuePath(group, name));
    if (isMalformed(*settings))
        return {failure + u"sadrzaj datoteke %1 nije ispravan."_s.arg(settings->fileName())};
    settings->beginGroup(group);
    settings->setValue(name, value);
    settings->sync();
    if (settings->status() != QSettings::NoError)
        return {failure + u"u %1 nije moguce pisati."_s.arg(settings->fileName())};
    return {};
}

} // namespace

SettingsStore::SettingsStore() = default;

SettingsStore::SettingsStore(const QString &filePath)
    : m_filePath(filePath)
{}

SettingsStatus SettingsStore::WriteInteger(const QString &subKey, const QString &name, qint32 value) const
{
    return writeValue(m_filePath, subKey, name, QVariant(value));
}

SettingsStatus SettingsStore::WriteString(const QString &subKey, const QString &name, const QString &text) const
{
    return writeValue(m_filePath, subKey, name, QVariant(text));
}

void SettingsStore::ReadInteger(const QString &subKey, const QString &name, qint32 &value) const
{
    const std::unique_ptr<QSettings> settings = openStore(m_filePath);
    settings->beginGroup(groupOf(subKey));
    if (!keyExists(*settings))
        return;
    const QVariant stored = settings->value(name);
    value = stored.typeId() == QMetaType::Int ? stored.toInt() : 0;
}

SettingsStatus SettingsStore::ReadString(const QString &subKey, const QString &name, QString &text) const
{
    const std::unique_ptr<QSettings> settings = openStore(m_filePath);
    const QString group = groupOf(subKey);
    settings->beginGroup(group);
    if (!keyExists(*settings))
        return {};
    if (!settings->contains(name)) {
        text.clear();
        return {};
    }
    const QVariant stored = settings->value(name);
    if (stored.typeId() != QMetaType::QString)
        return {u"Vrednost %1 nije tekst."_s.arg(valuePath(group, name))};
    const QString whole = stored.toString();
    const qsizetype nul = whole.indexOf(QChar(u'\0'));
    text = nul < 0 ? whole : whole.left(nul);
    return {};
}
