// A QSettings file format that looks like a registry export and keeps each value's kind (integer or text).
#pragma once

#include <QSettings>

class QIODevice;

// The format, registered with QSettings on the first call; files get the extension "reg".
// Keys are case-sensitive: QSettings supports nothing else for custom formats outside Windows, and
// our own code always spells a key the same way.
QSettings::Format registryFormat();

// The format's two callbacks. Map keys follow QSettings: "Forma/Slika3/Checked" for value Checked
// of key Software\Tervo\Skladar\Forma\Slika3, plain "Verzija" for a value directly under
// Software\Tervo\Skladar.
//
// The file is UTF-8 text, one line each:
//   Windows Registry Editor Version 5.00        header
//   [HKEY_CURRENT_USER\Software\Tervo\Skladar\Forma\Slika3]   section (key)
//   "Name"=dword:0000ffff                       integer: 1 to 8 hex digits, 32-bit two's complement
//   "Name"="text"                               text: \\ \" \r \n \0 escaped, in names as well
// Blank lines, ";" comments, CRLF line ends, blanks around a line and a leading byte order mark are
// accepted; the HKEY_CURRENT_USER\Software\Tervo\Skladar prefix of a section in any letter case.

// Adds the file's values to map: integers as int, texts as QString. Returns false, leaving map
// as it was, on the first malformed line: a value before any section, a section outside
// HKEY_CURRENT_USER\Software\Tervo\Skladar or with an empty or "/"-bearing key name, a value name
// that is unquoted (including the default value "@"), empty or holds "/", an unterminated or
// badly escaped text, a dword other than 1-8 hex digits, any other kind, or text after the value.
bool readRegistryFile(QIODevice &device, QSettings::SettingsMap &map);

// Writes the whole map: header, then one section per key sorted by path, its values sorted by name,
// a blank line before each section. Only int and QString values are meant to be stored; any
// other variant is written as the text of its toString(). False when the device takes less.
bool writeRegistryFile(QIODevice &device, const QSettings::SettingsMap &map);
