// The seams the fuzz targets hand to the code under test: an operator who only counts boxes, a
// clock that stands still, and the application object.
#pragma once

#include "core/services/clock.h"
#include "core/services/dialogs.h"

class QGuiApplication;

class CountingDialogs final : public Dialogs
{
public:
    void message(const QString &text, const QString &caption) override;
    bool question(const QString &text, const QString &caption) override;
    std::optional<QColor> chooseColour(const QColor &initial) override;
    bool choosePrinter(QPrinter &printer) override;
    void reportError(const QString &text) override;

    int messages = 0; // message boxes and error reports shown
};

// A clock that always shows 2024-02-29 13:45.
class FixedTimeClock final : public Clock
{
public:
    QDateTime now() const override;
};

// The one application object of a fuzz target that draws text: Qt's offscreen platform, and Qt's
// own warnings kept off standard error so that they do not slow the run down.
QGuiApplication &offscreenApplication();
