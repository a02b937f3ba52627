// Fuzz target: the registry-export settings file read from any bytes. A file that reads must be
// written back, and that writing must read to the same values and write to the same bytes again.
#include "core/settings/registryformat.h"
#include "fuzz/fuzzinput.h"

#include <QBuffer>

namespace {

std::optional<QSettings::SettingsMap> readFile(QByteArray bytes)
{
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    QSettings::SettingsMap map;
    if (!readRegistryFile(device, map))
        return std::nullopt;
    return map;
}

QByteArray writeFile(const QSettings::SettingsMap &map)
{
    QByteArray bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::WriteOnly);
    if (!writeRegistryFile(device, map))
        fuzzFailure("a map did not write into memory");
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::optional<QSettings::SettingsMap> map
        = readFile(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    if (!map)
        return 0;
    const QByteArray written = writeFile(*map);
    const std::optional<QSettings::SettingsMap> again = readFile(written);
    if (!again)
        fuzzFailure("a written settings file does not read");
    if (*again != *map)
        fuzzFailure("a written settings file reads to other values");
    if (writeFile(*again) != written)
        fuzzFailure("a settings file writes otherwise the second time");
    return 0;
}
