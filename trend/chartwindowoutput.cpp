// TForm14's output: the chart to the clipboard and the printer, the history to a CSV file.
#include "trend/chartwindow.h"

#include "core/history/historycsv.h"
#include "core/history/trendseries.h"
#include "core/plant/plantmodel.h"
#include "core/services/clock.h"
#include "core/services/dialogs.h"
#include "trend/chartpage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPrinter>
#include <QSaveFile>

void ChartWindow::Print1Click()
{
    QGuiApplication::clipboard()->setImage(m_chart.copy());
}

// The page prints the read-out as the screen last showed it.
void ChartWindow::Print2Click()
{
    m_printCopy = m_readOut;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!m_services.dialogs.choosePrinter(printer))
        return;
    if (!PrintChartPage(printer, chartInput(), m_printCopy, m_services.clock.now()))
        m_services.dialogs.reportError(QStringLiteral("Stampanje nije uspelo."));
}

// The loaded tank's positions, oldest first, with the quantities the user may see.
void ChartWindow::exportCsv()
{
    if (m_selectedSlot == 0)
        return;
    const std::optional<QString> path = m_services.dialogs.chooseSaveFile(
        QStringLiteral("Izvoz u CSV"),
        m_services.folder.filePath(QStringLiteral("R%1.csv").arg(TankIdList[static_cast<std::size_t>(m_selectedSlot - 1)])),
        QStringLiteral("CSV (*.csv)"));
    if (!path)
        return;
    QSaveFile file(*path);
    const bool written = file.open(QIODevice::WriteOnly)
        && writeHistoryCsv(file, *m_series, m_plant.user.rights[static_cast<std::size_t>(m_selectedSlot - 1)])
        && file.commit();
    if (!written)
        m_services.dialogs.message(QStringLiteral("Fajl %1 nije snimljen: %2").arg(*path, file.errorString()),
                                   QStringLiteral("Greska"));
}
