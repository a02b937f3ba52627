// The quantity report window.
#include "report/quantityreportwindow.h"

#include "core/history/chartrecordfile.h"
#include "core/plant/plantmodel.h"
#include "core/services/clock.h"
#include "core/services/dialogs.h"
#include "core/services/tw.h"
#include "report/momentsearch.h"
#include "report/reportcolumns.h"
#include "report/reportpanels.h"
#include "report/reportpictureview.h"
#include "report/reportprint.h"
#include "report/reportsettings.h"
#include "report/stockglyph.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr int WindowWidth = 800;
constexpr int WindowHeight = 600;
constexpr int ScrollRange = 600;
constexpr int StockButtonLeft = TableRightLine + 10; // in the gap before the stock cells
constexpr int StockButtonSize = 21;
constexpr QPoint StockPanelFromButton{30, -28};

QAction *namedAction(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

const QString ReportCaption = QStringLiteral("Izvestaj");

bool failed(const MomentSearch &search)
{
    return search.outcome == SearchOutcome::FileFailed || search.outcome == SearchOutcome::StampRejected;
}

} // namespace

QuantityReportWindow::QuantityReportWindow(const PlantModel &plant, const ReportWindowServices &services,
                                           QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint)
    , m_plant(plant)
    , m_services(services)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Izvestaj o kolicini materijala u skladarma"));
    setFixedSize(WindowWidth, WindowHeight);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    m_view = new ReportPictureView(m_picture, this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    createMenu();
    m_scrollBar = new QScrollBar(Qt::Vertical, m_view);
    m_scrollBar->setObjectName(QStringLiteral("ScrollBar1"));
    m_scrollBar->setRange(0, ScrollRange);
    m_scrollBar->setSingleStep(10);
    m_scrollBar->setPageStep(100);
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &QuantityReportWindow::ScrollBar1Change);
    createPanels();
    FormCreate();
}

QuantityReportWindow::~QuantityReportWindow() = default;

void QuantityReportWindow::createMenu()
{
    auto *bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    layout()->setMenuBar(bar);
    QMenu *menu = bar->addMenu(QStringLiteral("&Meni"));
    menu->setObjectName(QStringLiteral("Meni1"));
    connect(namedAction(menu, "Napraviizvestaj1", QStringLiteral("&Napravi izvestaj")), &QAction::triggered, this,
            &QuantityReportWindow::Napraviizvestaj1Click);
    connect(namedAction(menu, "Definisiizvestaj1", QStringLiteral("&Definisi izvestaj")), &QAction::triggered, this,
            &QuantityReportWindow::Definisiizvestaj1Click);
    m_stockViewEntry = namedAction(menu, "Izvestajostanju1", QStringLiteral("&Izvestaj o stanju"));
    m_stockViewEntry->setCheckable(true);
    connect(m_stockViewEntry, &QAction::triggered, this, &QuantityReportWindow::Izvestajostanju1Click);
    menu->addSeparator()->setObjectName(QStringLiteral("N1"));
    connect(namedAction(menu, "Stampa1", QStringLiteral("&Stampa")), &QAction::triggered, this,
            &QuantityReportWindow::Stampa1Click);
    menu->addSeparator()->setObjectName(QStringLiteral("N2"));
    connect(namedAction(menu, "Izlaz1", QStringLiteral("I&zlaz")), &QAction::triggered, this, &QDialog::accept);
}

void QuantityReportWindow::createPanels()
{
    const QIcon glyph = stockButtonGlyph();
    for (int group = 1; group <= TankCount; ++group) {
        auto *button = new QPushButton(glyph, QString(), m_view);
        button->setObjectName(QStringLiteral("BitBtn%1").arg(group));
        button->setGeometry(StockButtonLeft, 0, StockButtonSize, StockButtonSize);
        button->setAutoDefault(false);
        button->hide();
        connect(button, &QPushButton::clicked, this, [this, group] { BitBtnClick(group); });
        m_stockButtons[group] = button;
    }
    m_datePanel = new DatePanel(m_view);
    connect(m_datePanel->compute, &QPushButton::clicked, this, &QuantityReportWindow::Button1Click);
    connect(m_datePanel->cancel, &QPushButton::clicked, m_datePanel, &QWidget::hide);
    m_sortPanel = new SortPanel(m_view);
    connect(m_sortPanel->make, &QPushButton::clicked, this, &QuantityReportWindow::Button3Click);
    connect(m_sortPanel->cancel, &QPushButton::clicked, m_sortPanel, &QWidget::hide);
    connect(m_sortPanel->define, &QPushButton::clicked, this, &QuantityReportWindow::Button5Click);
    m_groupPanel = new GroupPanel(m_view);
    connect(m_groupPanel->apply, &QPushButton::clicked, this, &QuantityReportWindow::Button6Click);
    connect(m_groupPanel->cancel, &QPushButton::clicked, m_groupPanel, &QWidget::hide);
    m_stockPanel = new StockPanel(m_view);
    connect(m_stockPanel->ok, &QPushButton::clicked, this, &QuantityReportWindow::Button8Click);
}

// Every tank starts in group 1; the chart records are read once. A short "Report.rez" keeps the
// records it holds and the report works on as with a missing one.
void QuantityReportWindow::FormCreate()
{
    reportSettings(WriteStartingGroups(m_services.w.store()));
    const ChartRecordsRead read = readChartRecords(m_services.folder);
    if (read.message)
        m_services.dialogs.message(read.message->text, read.message->caption);
    m_recordsRead = read;
    m_firstShowing = true;
}

void QuantityReportWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_scrollBar->setGeometry(m_view->width() - m_scrollBar->sizeHint().width(), 0, m_scrollBar->sizeHint().width(),
                             m_view->height());
    showingWork();
    FormShow();
}

// The rows and the mode are taken at the first showing. Until a computation succeeds, every showing
// of the window computes for the current minute; a failure shows its message and the table is drawn
// all the same, so that later reports can be made.
void QuantityReportWindow::showingWork()
{
    if (m_firstShowing) {
        m_report.rows = BuildReportRows(m_plant.tanks);
        m_report.mode = ReadSortMode(m_services.w.store());
        m_firstShowing = false;
    }
    if (!m_report.moment)
        compute(momentAt(m_services.clock.now()), false);
}

void QuantityReportWindow::FormShow()
{
    move(0, 0);
    const TableExtent extent = RenderReport(m_picture, content(), m_services.w.locale());
    placeStockButtons(extent);
    m_view->showAt(m_scrollOffset);
}

ReportContent QuantityReportWindow::content()
{
    return ContentOf(m_report, m_plant.tanks, GroupsToAssign(m_services.w.store(), m_report.mode));
}

bool QuantityReportWindow::compute(const ReportMoment &asked, bool tellNotice)
{
    const MomentSearch search
        = FindMoment(m_services.folder, asked, m_recordsRead.records, m_plant.tanks, m_report.quantities);
    if (failed(search)) {
        reportMomentSearch(search, m_services.dialogs);
        return false;
    }
    forgetUnknownTanks(m_recordsRead, m_report.quantities);
    const ReportedMoment reported = reportedMoment(search, asked);
    if (tellNotice && !reported.notice.isEmpty())
        m_services.dialogs.message(reported.notice, ReportCaption);
    if (!reported.moment)
        return false;
    m_report.moment = reported.moment;
    return true;
}

void QuantityReportWindow::placeStockButtons(const TableExtent &extent)
{
    for (QPushButton *button : m_stockButtons)
        button->hide();
    for (const StockRow &row : extent.stockRows) {
        QPushButton *button = m_stockButtons[row.group];
        button->move(StockButtonLeft, row.y - 6 + m_scrollOffset);
        button->show();
    }
}

void QuantityReportWindow::setStockView(bool on)
{
    m_report.stockView = on;
    m_stockViewEntry->setChecked(on);
}

void QuantityReportWindow::showDatePanel(bool stockView)
{
    setStockView(stockView);
    FormShow();
    m_datePanel->fill(momentAt(m_services.clock.now()));
    openPanel(m_datePanel);
}

void QuantityReportWindow::Napraviizvestaj1Click() { showDatePanel(false); }

void QuantityReportWindow::Izvestajostanju1Click() { showDatePanel(true); }

void QuantityReportWindow::Definisiizvestaj1Click()
{
    m_sortPanel->tick(m_report.mode);
    openPanel(m_sortPanel);
}

// A failed check closes the panel; a failed search, or one that found no data, keeps it open and
// changes nothing.
void QuantityReportWindow::Button1Click()
{
    const DatePanelCheck check = CheckDatePanel(m_datePanel->fields());
    m_services.w.WarnInteger(check.wrongCharacters);
    if (!check.ok()) {
        m_services.dialogs.message(check.error, DateErrorCaption);
        m_datePanel->hide();
        return;
    }
    if (!compute(check.moment, true))
        return;
    FormShow();
    m_datePanel->hide();
}

void QuantityReportWindow::Stampa1Click()
{
    if (!m_report.moment) {
        m_services.dialogs.message(NoDataText, ReportCaption);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!m_services.dialogs.choosePrinter(printer))
        return;
    printer.setPageOrientation(QPageLayout::Portrait);
    if (!PrintReport(printer, content(), *m_report.moment, m_services.clock.now(), m_services.w.locale()))
        m_services.dialogs.reportError(QStringLiteral("Stampanje nije uspelo."));
}

void QuantityReportWindow::Button3Click()
{
    m_sortPanel->hide();
    ChangeSortMode(m_report, m_sortPanel->ticked());
    reportSettings(WriteSortMode(m_services.w.store(), m_report.mode));
    Napraviizvestaj1Click();
}

void QuantityReportWindow::Button5Click()
{
    setStockView(false);
    FormShow();
    m_groupPanel->fill(ReadOperatorGroups(m_services.w.store()));
    m_groupPanel->showOver(m_sortPanel);
}

void QuantityReportWindow::Button6Click()
{
    const OperatorGroups before = ReadOperatorGroups(m_services.w.store());
    OperatorGroups groups = m_groupPanel->chosen();
    const SettingsStatus status = StoreOperatorGroups(m_services.w.store(), groups);
    ChangeOperatorGroups(m_report, before, groups);
    m_groupPanel->fill(groups);
    reportSettings(status);
    m_groupPanel->hide();
}

void QuantityReportWindow::ScrollBar1Change(int position)
{
    m_scrollOffset = -position;
    m_stockPanel->hide();
    FormShow();
}

void QuantityReportWindow::BitBtnClick(int group)
{
    const QPushButton *button = m_stockButtons[group];
    m_stockPanel->move(button->pos() + StockPanelFromButton);
    m_stockGroup = group;
    openPanel(m_stockPanel);
    m_stockPanel->open(m_report.stock[group]);
}

void QuantityReportWindow::Button8Click()
{
    m_report.stock[m_stockGroup] = m_services.w.ParseFloat(m_stockPanel->value->text());
    FormShow();
    m_stockPanel->hide();
}

// One panel at a time takes input: the others close, except the sort panel beneath the group panel.
void QuantityReportWindow::openPanel(ReportPanel *panel)
{
    for (ReportPanel *other :
         std::initializer_list<ReportPanel *>{m_datePanel, m_sortPanel, m_groupPanel, m_stockPanel})
        if (other != panel)
            other->hide();
    panel->show();
    panel->raise();
}

void QuantityReportWindow::reportSettings(const SettingsStatus &status)
{
    if (!status.ok())
        m_services.dialogs.reportError(status.error);
}
