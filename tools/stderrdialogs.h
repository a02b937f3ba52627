// Dialogs for the command-line tools: every message goes to standard error under the program's
// name, no question is answered.
#pragma once

#include "core/services/dialogs.h"

class StderrDialogs final : public Dialogs
{
public:
    void message(const QString &text, const QString &caption) override;
    bool question(const QString &text, const QString &caption) override; // always cancelled
    std::optional<QColor> chooseColour(const QColor &initial) override;  // always cancelled
    bool choosePrinter(QPrinter &printer) override;                      // never prints
    void reportError(const QString &text) override;

    // Whether anything was told: a tool that meant to succeed silently has then failed.
    bool told() const { return m_told; }

private:
    void tell(const QString &caption, const QString &text);
    bool m_told = false;
};
