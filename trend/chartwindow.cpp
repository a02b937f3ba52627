// TForm14: creation, the redraw, the choice of tank and period, and the mouse.
#include "trend/chartwindow.h"

#include "core/history/chartrecordfile.h"
#include "core/history/trendratio.h"
#include "core/history/trendseries.h"
#include "core/plant/plantmodel.h"
#include "core/services/dialogs.h"
#include "core/services/formstyle.h"
#include "core/services/tw.h"
#include "trend/chartframe.h"
#include "trend/chartgeometry.h"
#include "trend/chartparameterswindow.h"
#include "trend/chartview.h"

#include <QAction>
#include <QComboBox>
#include <QMenuBar>
#include <QFrame>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QString FormaKey = QStringLiteral("Forma");
const QString LastRezName = QStringLiteral("LastRez");
constexpr QSize WindowSize(800, 600);

} // namespace

ChartWindow::ChartWindow(const PlantModel &plant, const ChartWindowServices &services, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint)
    , m_plant(plant)
    , m_services(services)
    , m_series(std::make_unique<TrendSeries>())
    , m_chart(ChartGeometry::Width, ChartGeometry::Height, QImage::Format_RGB32)
    , m_view(new ChartView(m_chart, this))
    , m_scrollBar1(new QScrollBar(Qt::Horizontal, this))
    , m_scrollBar2(new QScrollBar(Qt::Vertical, m_view))
{
    setObjectName(QStringLiteral("Form14"));
    setWindowTitle(QStringLiteral("Graficki izvestaj"));
    setFont(formFont());
    m_chart.fill(Qt::white);
    m_parameters
        = new ChartParametersWindow(m_recordsRead.records, services.folder, services.dialogs, services.w, this);

    for (int slot = 1; slot <= TankCount; ++slot)
        reportSettingsFailure(writeTrendRatio(services.w.store(), slot, TrendRatio{}).error);
    reportSettingsFailure(services.w.WriteInteger(FormaKey, LastRezName, 1).error);
    m_writtenLastSlot = 1;

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(createMenus());
    layout->addWidget(m_view, 1);
    m_scrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    layout->addWidget(m_scrollBar1);
    m_scrollBar2->setObjectName(QStringLiteral("ScrollBar2"));
    m_scrollBar2->hide();
    createToolPanel();
    createPeriodChooser();
    move(0, 0);
    setFixedSize(WindowSize);

    connect(m_scrollBar1, &QScrollBar::valueChanged, this, &ChartWindow::RedrawChart);
    connect(m_scrollBar2, &QScrollBar::valueChanged, this, &ChartWindow::RedrawChart);
    connect(m_view, &ChartView::mousePressed, this, &ChartWindow::FormMouseDown);
    connect(m_view, &ChartView::mouseMoved, this, &ChartWindow::FormMouseMove);

    ChartRecordsRead read = readChartRecords(services.folder);
    m_recordsRead = read;
    m_parameters->setReadFile(read);
    if (read.message)
        services.dialogs.message(read.message->text, read.message->caption);
    m_firstShow = read.usable;
}

ChartWindow::~ChartWindow() = default;

void ChartWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    RedrawChart();
}

void ChartWindow::reportSettingsFailure(const QString &error) const
{
    if (!error.isEmpty())
        m_services.dialogs.reportError(error);
}

bool ChartWindow::mayLoad(int slot) const
{
    return slot >= 1 && slot <= TankCount && m_plant.user.rights[slot].istorija == 1;
}

// The stored last slot when the user may see its history, else the first slot he may see, else none.
int ChartWindow::firstDisplaySlot() const
{
    qint32 lastSlot = 0;
    m_services.w.ReadInteger(FormaKey, LastRezName, lastSlot);
    if (mayLoad(lastSlot))
        return lastSlot;
    for (int slot = 1; slot <= TankCount; ++slot) {
        if (mayLoad(slot))
            return slot;
    }
    return 0;
}

// The tank menu shows the slots whose history the user may see. It follows the rights at every
// display, so a later login never leaves another user's tanks in it.
void ChartWindow::showPermittedTanks()
{
    for (int slot = 1; slot <= TankCount; ++slot)
        m_tankItems[slot]->setVisible(mayLoad(slot));
}

void ChartWindow::RedrawChart()
{
    m_panel2->setVisible(true);
    showPermittedTanks();
    if (m_firstShow) {
        m_firstShow = false;
        m_selectedSlot = firstDisplaySlot();
        loadSelectedSlot();
    } else if (m_selectedSlot != 0 && !mayLoad(m_selectedSlot)) {
        m_selectedSlot = firstDisplaySlot();
        loadSelectedSlot();
    }
    m_readOut = RenderChartFrame(m_chart, chartInput(), m_mouse);
    writeLastSlot();
    m_view->update();
}

// Loads the selected slot's history (an empty series without a slot) and sets ScrollBar1 to the
// newest positions; a problem of the load is shown after the scroll range is set.
void ChartWindow::loadSelectedSlot()
{
    TrendLoad load;
    TrendRatio ratio;
    if (m_selectedSlot == 0 || !m_recordsRead.knows(m_selectedSlot)) {
        m_series->clear(); // without the tank's channels its quantities are unknown
    } else {
        ratio = readTrendRatio(m_services.w.store(), m_selectedSlot);
        load = LoadTrend(*m_series, m_services.folder, m_recordsRead.records[m_selectedSlot],
                         m_plant.tanks.records[m_selectedSlot], ratio);
    }
    const ChartScrollRange range = chartScrollRange(m_series->sampleCount, ratio.mm);
    const QSignalBlocker blocker(m_scrollBar1);
    m_scrollBar1->setRange(range.minimum, range.maximum);
    m_scrollBar1->setSingleStep(1);
    m_scrollBar1->setPageStep(ChartScrollLargeStep);
    m_scrollBar1->setValue(range.position);
    reportTrendLoad(load, m_services.dialogs);
}

// Forma\LastRez follows the selected slot. The store is written only when the slot changed since
// the last write, so that pointer moves, which redraw, do not each rewrite the settings.
void ChartWindow::writeLastSlot()
{
    if (m_selectedSlot == 0 || m_selectedSlot == m_writtenLastSlot)
        return;
    const SettingsStatus status = m_services.w.WriteInteger(FormaKey, LastRezName, m_selectedSlot);
    reportSettingsFailure(status.error);
    if (status.ok())
        m_writtenLastSlot = m_selectedSlot;
}

ChartInput ChartWindow::chartInput() const
{
    static const TankChartRecord NoRecord{};
    if (m_selectedSlot == 0)
        return ChartInput{*m_series, NoRecord, QString(), TankRights{}, m_scrollBar1->value(), m_services.locale};
    return ChartInput{*m_series,
                      m_recordsRead.records[m_selectedSlot],
                      m_plant.tanks.records[m_selectedSlot].materialKind,
                      m_plant.user.rights[m_selectedSlot],
                      m_scrollBar1->value(),
                      m_services.locale};
}

void ChartWindow::selectSlot(int slot)
{
    if (!mayLoad(slot))
        return;
    m_selectedSlot = slot;
    loadSelectedSlot();
    RedrawChart();
}

void ChartWindow::Interval1Click()
{
    const TrendRatio ratio = readTrendRatio(m_services.w.store(), m_selectedSlot);
    for (std::size_t i = 0; i < TrendPeriods.size(); ++i) {
        if (TrendPeriods[i].ratio == ratio) {
            const QSignalBlocker blocker(m_comboBox1);
            m_comboBox1->setCurrentIndex(static_cast<int>(i));
        }
    }
    m_panel1->show();
    m_panel1->raise();
}

// The chosen period is stored at once, before "OK"; only the list's nine entries can be chosen.
void ChartWindow::ComboBox1Change(int index)
{
    if (m_selectedSlot == 0 || index < 0 || index >= static_cast<int>(TrendPeriods.size()))
        return;
    reportSettingsFailure(
        writeTrendRatio(m_services.w.store(), m_selectedSlot, TrendPeriods[static_cast<std::size_t>(index)].ratio)
            .error);
}

void ChartWindow::Button1Click()
{
    m_panel1->hide();
    if (m_selectedSlot != 0)
        loadSelectedSlot();
    RedrawChart();
}

void ChartWindow::reject()
{
    if (m_panel1->isVisible()) {
        m_panel1->hide();
        return;
    }
    QDialog::reject();
}

void ChartWindow::StgToDb1Click()
{
    m_parameters->exec();
    RedrawChart();
}

void ChartWindow::FormMouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position)
{
    if (buttons != Qt::RightButton || modifiers != Qt::NoModifier)
        return;
    m_dragAnchor = position;
    m_dragScrollAnchor = m_scrollBar1->value();
}

// Dragging right by d pixels moves the scroll position back by d: older samples come in from the left.
void ChartWindow::FormMouseMove(Qt::MouseButtons buttons, QPoint position)
{
    m_mouse = position;
    if (buttons.testFlag(Qt::RightButton)) {
        const QSignalBlocker blocker(m_scrollBar1);
        m_scrollBar1->setValue(m_dragScrollAnchor - (position.x() - m_dragAnchor.x()));
    }
    RedrawChart();
}
