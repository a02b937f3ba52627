// Per-user settings kept the way a Windows program keeps them under HKCU\Software\Tervo\Skladar.
#pragma once

#include <QString>
#include <QtGlobal>

// Outcome of a settings call that can fail; error is a message for the user, empty on success.
struct SettingsStatus
{
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Integer (REG_DWORD) and text (REG_SZ) values under HKEY_CURRENT_USER\Software\Tervo\Skladar\<subKey>.
// subKey is backslash-separated ("Forma\Slika3"); leading, trailing and doubled backslashes are
// ignored, so "Forma\Slika3" and "Forma\Slika3\" name the same key and "" names the root key.
// name is a plain value name: non-empty, without "\" or "/".
// A key exists when it holds at least one value or sub-key.
// Every call opens the store, does its one operation and closes it again: nothing is cached here,
// so a value written through one instance is read by the next call of any other on the same store.
class SettingsStore
{
public:
    // The user's own store: the registry key itself on Windows, elsewhere the file
    // Tervo/Skladar.reg in the user's configuration folder (see registryformat.h).
    SettingsStore();
    // An isolated store in the file at filePath, in the same format.
    explicit SettingsStore(const QString &filePath);

    // Stores value as an integer, creating missing keys on the path. Fails, naming the value and the
    // store, when the store cannot be written or its file is malformed (such a file is left as it is).
    [[nodiscard]] SettingsStatus WriteInteger(const QString &subKey, const QString &name, qint32 value) const;
    // Stores text as a text value; otherwise as WriteInteger.
    [[nodiscard]] SettingsStatus WriteString(const QString &subKey, const QString &name, const QString &text) const;

    // Key missing (or the store unreadable): value untouched. Value missing or not an integer: value = 0.
    void ReadInteger(const QString &subKey, const QString &name, qint32 &value) const;
    // Key missing (or the store unreadable): text untouched. Value missing: text emptied. A text:
    // text = it, up to its first NUL. Any other kind: an error naming key and value, text untouched.
    [[nodiscard]] SettingsStatus ReadString(const QString &subKey, const QString &name, QString &text) const;

private:
    QString m_filePath; // empty for the user's own store
};
