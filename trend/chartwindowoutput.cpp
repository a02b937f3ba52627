// TForm14's output: the chart to the clipboard and the printer, the history to a CSV file.
#include "trend/chartwindow.h"

#include "core/history/historycsv.h"
#include "core/history/trendseries.h"
#include "core/plant/plantmodel.h"
#include "core/services/clock.h"
#include "core/services/dialogs.h"
#include "trend/chartgeometry.h"
#include "trend/chartpage.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPrinter>
#include <QSaveFile>
#include <QScrollBar>

#include <memory>

void ChartWindow::Print1Click() { QGuiApplication::clipboard()->setImage(m_chart.copy()); }

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

// The file's own samples (as skladar-history writes them without --ratio) over the times the plot
// shows, oldest first, with the quantities the user may see; whatever the chosen period stretched.
void ChartWindow::exportCsv()
{
    if (m_selectedSlot == 0)
        return;
    const int newest = positionAtColumn(m_series->sampleCount, m_scrollBar1->value(), ChartGeometry::PlotRight);
    const std::optional<CsvRange> range = csvRangeBetween(
        *m_series, newest, positionAtColumn(m_series->sampleCount, m_scrollBar1->value(), ChartGeometry::PlotLeft));
    if (!range) {
        m_services.dialogs.showMessage(QStringLiteral("Grafik ne prikazuje nijedan podatak, nema sta da se izveze."));
        return;
    }
    const std::optional<QString> path = m_services.dialogs.chooseSaveFile(
        QStringLiteral("Izvoz u CSV"),
        m_services.folder.filePath(QStringLiteral("R%1.csv").arg(TankIdList[m_selectedSlot])),
        QStringLiteral("CSV (*.csv)"));
    if (!path)
        return;
    const auto samples = std::make_unique<TrendSeries>();
    const TrendLoad load = LoadTrend(*samples, m_services.folder, m_recordsRead.records[m_selectedSlot],
                                     m_plant.tanks.records[m_selectedSlot], TrendRatio{});
    if (load.problem == TrendProblem::FileMissing || load.problem == TrendProblem::ReadFailed) {
        reportTrendLoad(load, m_services.dialogs);
        return;
    }
    QSaveFile file(*path);
    const bool written = file.open(QIODevice::WriteOnly)
                         && writeHistoryCsv(file, *samples, m_plant.user.rights[m_selectedSlot], *range)
                         && file.commit();
    if (!written) {
        m_services.dialogs.message(QStringLiteral("Fajl %1 nije snimljen: %2").arg(*path, file.errorString()),
                                   QStringLiteral("Greska"));
        return;
    }
    m_services.dialogs.showMessage(
        QStringLiteral("Istorija je izvezena u fajl %1.").arg(QDir::toNativeSeparators(*path)));
}
