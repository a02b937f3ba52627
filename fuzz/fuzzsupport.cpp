// What the fuzz targets share: failure reports and a silent operator.
#include "fuzz/fuzzinput.h"
#include "fuzz/fuzzservices.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

void fuzzFailure(const char *what)
{
    std::fprintf(stderr, "fuzz property failed: %s\n", what);
    std::abort();
}

void CountingDialogs::message(const QString &, const QString &) { ++messages; }

bool CountingDialogs::question(const QString &, const QString &) { return false; }

std::optional<QColor> CountingDialogs::chooseColour(const QColor &) { return std::nullopt; }

bool CountingDialogs::choosePrinter(QPrinter &) { return false; }

void CountingDialogs::reportError(const QString &) { ++messages; }

QDateTime FixedTimeClock::now() const { return QDateTime(QDate(2024, 2, 29), QTime(13, 45)); }

QGuiApplication &offscreenApplication()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    // Never destroyed: Qt's font caches stay reachable until the process ends instead of being
    // half taken down at exit, which the leak checker would report.
    static QGuiApplication *app = new QGuiApplication(argc, argv);
    return *app;
}
