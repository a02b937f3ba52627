// Messages of the command-line tools on standard error.
#include "tools/stderrdialogs.h"

#include "core/program/commandline.h"

void StderrDialogs::tell(const QString &caption, const QString &text)
{
    complain(Done, caption + QStringLiteral(": ") + text);
    m_told = true;
}

void StderrDialogs::message(const QString &text, const QString &caption) { tell(caption, text); }

bool StderrDialogs::question(const QString &text, const QString &caption)
{
    tell(caption, text);
    return false;
}

std::optional<QColor> StderrDialogs::chooseColour(const QColor &) { return std::nullopt; }

bool StderrDialogs::choosePrinter(QPrinter &) { return false; }

void StderrDialogs::reportError(const QString &text) { tell(QStringLiteral("Error"), text); }
