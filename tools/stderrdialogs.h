// Dialogs for the command-line tools: every message goes to standard error, no question is answered.
#pragma once

#include "core/services/dialogs.h"

class StderrDialogs final : public Dialogs
{
public:
    void message(const QString &text, const QString &caption) override;
    bool question(const QString &text, const QString &caption) override; // always cancelled
    std::optional<QColor> chooseColour(const QColor &initial) override;   // always cancelled
    bool choosePrinter(QPrinter &printer) override;                       // never prints
    void reportError(const QString &text) override;
};
