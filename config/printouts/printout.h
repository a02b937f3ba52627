// Printed pages: their geometry, the footer every list carries, drawing on any paint device and the
// operator's print command.
#pragma once

#include <QDateTime>
#include <QPageLayout>
#include <QSize>
#include <QString>

#include <functional>

class Canvas;
class Clock;
class Dialogs;
class QPagedPaintDevice;
class QPaintDevice;

// Geometry of a page of W x H device pixels, every division an integer one.
struct PageGeometry
{
    int width = 0;   // W
    int height = 0;  // H
    int margin = 0;  // u = W / 12, left and right: tables run from u to W - u
    int rowUnit = 0; // r = H / 51
    int titleY = 0;  // H / 12, the title's top at (u, titleY)
    int footerY = 0; // H - H / 12, the footer's top at (u, footerY)
};

PageGeometry pageGeometry(QSize page);

// " AD "MERON" , ZEMIK       Datum : 06. Decembar  2026.    Vreme : 09 : 05"
QString printFooter(const QDateTime &time);

// The footer at (u, H - H / 12) in the given size, with the clock's date and time.
void drawFooter(Canvas &canvas, const PageGeometry &page, int size, const Clock &clock);

// The pages of one printout.
struct Printout
{
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    int pages = 1;
    // Draws page 1..pages on a canvas over a device of the given size in pixels.
    std::function<void(Canvas &canvas, QSize size, int page)> drawPage;
};

// Draws the page on the device, with font sizes in points at the device's resolution.
void renderPage(const Printout &printout, int page, QPaintDevice &device);

// Every page of the printout in one job on the device, each page after the first on a new sheet;
// false when the device could not be painted on.
bool printPages(const Printout &printout, QPagedPaintDevice &device);

// The print command: the print dialog through dialogs; unless the operator cancels, the printout's
// orientation is set and all its pages printed as one job. A failure is reported.
void printPrintout(const Printout &printout, Dialogs &dialogs);
