// Dialogs for the benchmarks, which show nothing and answer nothing.
#pragma once

#include "core/services/dialogs.h"

class SilentDialogs final : public Dialogs
{
public:
    void message(const QString &, const QString &) override {}
    bool question(const QString &, const QString &) override { return false; }
    std::optional<QColor> chooseColour(const QColor &) override { return std::nullopt; }
    bool choosePrinter(QPrinter &) override { return false; }
    void reportError(const QString &) override {}
};
