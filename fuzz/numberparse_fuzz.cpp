// Fuzz target: ParseInteger and ParseFloat on any typed text. One warning per offending character,
// and a value that converts must convert again from its own shortest text.
#include "core/services/tw.h"
#include "core/text/numberparse.h"
#include "fuzz/fuzzinput.h"
#include "fuzz/fuzzservices.h"

#include <QTemporaryDir>

#include <cmath>

namespace {

struct ParsingWorld
{
    QTemporaryDir folder;
    SettingsStore store{folder.filePath(QStringLiteral("settings.reg"))};
    CountingDialogs dialogs;
    FixedTimeClock clock;
    Tw w{store, dialogs, clock, QLocale::c()};
};

void checkInteger(ParsingWorld &world, const QString &text)
{
    world.dialogs.messages = 0;
    const qint32 value = world.w.ParseInteger(text);
    if (world.dialogs.messages != countIntegerWarnings(text) || world.dialogs.messages > text.size())
        fuzzFailure("ParseInteger warned otherwise than once per offending character");
    if (convertInteger(text) && convertInteger(QString::number(value)) != value)
        fuzzFailure("an integer does not convert again from its own text");
}

void checkFloat(ParsingWorld &world, const QString &text)
{
    world.dialogs.messages = 0;
    const double value = world.w.ParseFloat(text);
    if (world.dialogs.messages > text.size())
        fuzzFailure("ParseFloat warned more often than the text has characters");
    if (!std::isfinite(value))
        fuzzFailure("ParseFloat gave a value beyond the double range");
    if (convertFloat(floatFieldText(text)) && convertFloat(QString::number(value, 'g', 17)) != value)
        fuzzFailure("a float does not convert again from its own text");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static ParsingWorld world;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    checkInteger(world, text);
    checkFloat(world, text);
    return 0;
}
