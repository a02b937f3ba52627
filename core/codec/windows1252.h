// Windows-1252, the single-byte code page of every text field in the plant's records.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Every one of the 256 bytes decodes to one character; the five codes the code page leaves
// undefined (0x81 0x8D 0x8F 0x90 0x9D) become the C1 controls U+0081 etc., so any byte string
// round-trips through fromWindows1252 and toWindows1252.
QString fromWindows1252(QByteArrayView bytes);

// One byte per character; a character the code page lacks (a surrogate pair counts as one,
// as does a lone surrogate) becomes '?'.
QByteArray toWindows1252(QStringView text);
