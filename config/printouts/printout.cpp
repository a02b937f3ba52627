// Page geometry, footer, rendering and printing of the list printouts.
#include "config/printouts/printout.h"

#include "core/drawing/canvas.h"
#include "core/drawing/drawhelpers.h"
#include "core/services/clock.h"
#include "core/services/dialogs.h"
#include "core/text/numberformat.h"

#include <QPainter>
#include <QPrinter>

PageGeometry pageGeometry(QSize page)
{
    const int w = page.width();
    const int h = page.height();
    return {w, h, w / 12, h / 51, h / 12, h - h / 12};
}

QString printFooter(const QDateTime &time)
{
    QString month;
    MonthName(time.date().month(), month);
    return QStringLiteral(" AD \"MERON\" , ZEMIK       Datum : ") + TwoDigits(static_cast<quint16>(time.date().day()))
           + QStringLiteral(". ") + month + QStringLiteral("  ") + FormatInteger(time.date().year())
           + QStringLiteral(".    Vreme : ") + TwoDigits(static_cast<quint16>(time.time().hour()))
           + QStringLiteral(" : ") + TwoDigits(static_cast<quint16>(time.time().minute()));
}

void drawFooter(Canvas &canvas, const PageGeometry &page, int size, const Clock &clock)
{
    DrawText(canvas, page.margin, page.footerY, printFooter(clock.now()), size, 0);
}

void renderPage(const Printout &printout, int page, QPaintDevice &device)
{
    QPainter painter(&device);
    Canvas canvas(painter, device.logicalDpiY());
    printout.drawPage(canvas, QSize(device.width(), device.height()), page);
}

bool printPages(const Printout &printout, QPagedPaintDevice &device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int page = 1; page <= printout.pages; ++page) {
        if (page > 1 && !device.newPage())
            return false;
        Canvas canvas(painter, device.logicalDpiY());
        printout.drawPage(canvas, QSize(device.width(), device.height()), page);
    }
    return painter.end();
}

void printPrintout(const Printout &printout, Dialogs &dialogs)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!dialogs.choosePrinter(printer))
        return;
    printer.setPageOrientation(printout.orientation);
    if (!printPages(printout, printer))
        dialogs.reportError(QStringLiteral("Stampanje nije uspelo."));
}
