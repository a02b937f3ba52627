// Hand-built byte vectors for codec tests.
#pragma once

#include <QByteArray>
#include <QString>

// Bytes from hexadecimal pairs separated by blanks: "00 80 FF 3F".
inline QByteArray hexBytes(const char *pairs)
{
    return QByteArray::fromHex(QByteArray(pairs).replace(' ', QByteArray()));
}

// The bytes as upper-case hexadecimal pairs separated by blanks, for readable failures.
inline QString hexText(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}
