// The operator's message boxes and dialogs, as the desktop shows them.
#pragma once

#include "core/services/dialogs.h"

class QtDialogs final : public Dialogs
{
public:
    void message(const QString &text, const QString &caption) override;
    bool question(const QString &text, const QString &caption) override;
    std::optional<QColor> chooseColour(const QColor &initial) override;
    bool choosePrinter(QPrinter &printer) override;
    std::optional<QString> chooseSaveFile(const QString &caption, const QString &suggestedName,
                                          const QString &filter) override;
    void reportError(const QString &text) override;
};
