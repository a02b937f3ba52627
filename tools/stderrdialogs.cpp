// Messages of the command-line tools on standard error.
#include "tools/stderrdialogs.h"

#include <cstdio>

namespace {

void printLine(const QString &caption, const QString &text)
{
    std::fprintf(stderr, "%s: %s\n", caption.toLocal8Bit().constData(), text.toLocal8Bit().constData());
}

} // namespace

void StderrDialogs::message(const QString &text, const QString &caption)
{
    printLine(caption, text);
}

bool StderrDialogs::question(const QString &text, const QString &caption)
{
    printLine(caption, text);
    return false;
}

std::optional<QColor> StderrDialogs::chooseColour(const QColor &)
{
    return std::nullopt;
}

bool StderrDialogs::choosePrinter(QPrinter &)
{
    return false;
}

void StderrDialogs::reportError(const QString &text)
{
    printLine(QStringLiteral("Error"), text);
}
