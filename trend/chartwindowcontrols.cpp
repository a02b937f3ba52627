// TForm14's menus, its tool panel and its period chooser.
#include "trend/chartwindow.h"

#include "core/history/trendratio.h"
#include "core/plant/plantmodel.h"
#include "trend/charttoolicons.h"
#include "trend/chartview.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

namespace {

QAction *namedAction(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

QFrame *raisedPanel(QWidget *parent, const char *name, QRect geometry)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAutoFillBackground(true);
    panel->setGeometry(geometry);
    return panel;
}

} // namespace

QMenuBar *ChartWindow::createMenus()
{
    auto *bar = new QMenuBar(this);
    QMenu *menu = bar->addMenu(QStringLiteral("&Meni"));
    connect(namedAction(menu, "StgToDb1", QStringLiteral("&Podesavanja")), &QAction::triggered, this,
            &ChartWindow::StgToDb1Click);
    // The menu entries keep the names of the original layout: "&Copy" is StgToChart1 and runs
    // Print1Click, "&Stampa" is Print1 and runs Print2Click.
    connect(namedAction(menu, "StgToChart1", QStringLiteral("&Copy")), &QAction::triggered, this,
            &ChartWindow::Print1Click);
    connect(namedAction(menu, "Print1", QStringLiteral("&Stampa")), &QAction::triggered, this,
            &ChartWindow::Print2Click);
    connect(namedAction(menu, "Csv1", QStringLiteral("&Izvoz u CSV...")), &QAction::triggered, this,
            &ChartWindow::exportCsv);
    menu->addSeparator();
    connect(namedAction(menu, "Izlaz1", QStringLiteral("I&zlaz")), &QAction::triggered, this, [this] { done(1); });

    QMenu *tanks = bar->addMenu(QStringLiteral("&Rezervoar"));
    for (int slot = 1; slot <= TankCount; ++slot) {
        QAction *item = tanks->addAction(tankDisplayName(slot));
        item->setObjectName(QStringLiteral("rr%1").arg(slot));
        connect(item, &QAction::triggered, this, [this, slot] { selectSlot(slot); });
        m_tankItems[slot] = item;
    }

    QMenu *interval = bar->addMenu(QStringLiteral("&Interval"));
    connect(namedAction(interval, "Interval1", QStringLiteral("&Interval")), &QAction::triggered, this,
            &ChartWindow::Interval1Click);
    return bar;
}

// Panel2: the four tool buttons with their hints and pictures, doing what StgToDb1, Interval1,
// "&Copy" and "&Stampa" do.
void ChartWindow::createToolPanel()
{
    m_panel2 = raisedPanel(m_view, "Panel2", QRect(8, 80, 41, 161));
    struct Tool
    {
        const char *name;
        const char *hint;
        ChartTool picture;
        void (ChartWindow::*click)();
    };
    const std::array<Tool, 4> tools{{
        {"SpeedButton1", "Podesavanje opsega", ChartTool::Settings, &ChartWindow::StgToDb1Click},
        {"SpeedButton2", "Izbor vremenskog intervala", ChartTool::Period, &ChartWindow::Interval1Click},
        {"SpeedButton3", "Copy to clipboard", ChartTool::Copy, &ChartWindow::Print1Click},
        {"SpeedButton4", "Stampa", ChartTool::Print, &ChartWindow::Print2Click},
    }};
    for (std::size_t i = 0; i < tools.size(); ++i) {
        const Tool &tool = tools[i];
        auto *button = new QToolButton(m_panel2);
        button->setObjectName(QLatin1String(tool.name));
        button->setToolTip(QLatin1String(tool.hint));
        button->setIcon(chartToolIcon(tool.picture));
        button->setIconSize(QSize(24, 24));
        button->setAutoRaise(true);
        button->setGeometry(4, 4 + 39 * static_cast<int>(i), 33, 36);
        connect(button, &QToolButton::clicked, this, tool.click);
    }
}

// Panel1: the list of the nine periods, which cannot be typed into, and its "OK".
void ChartWindow::createPeriodChooser()
{
    m_panel1 = raisedPanel(m_view, "Panel1", QRect(56, 48, 245, 73));
    auto *line1 = new QLabel(QStringLiteral("Izaberite vremenski interval koji zelite da"), m_panel1);
    line1->setObjectName(QStringLiteral("Label1"));
    line1->setGeometry(8, 4, 229, 14);
    auto *line2 = new QLabel(QStringLiteral("bude prikazan na grafiku :"), m_panel1);
    line2->setObjectName(QStringLiteral("Label2"));
    line2->setGeometry(8, 18, 229, 14);
    m_comboBox1 = new QComboBox(m_panel1);
    m_comboBox1->setObjectName(QStringLiteral("ComboBox1"));
    m_comboBox1->setEditable(false);
    for (const TrendPeriod &period : TrendPeriods)
        m_comboBox1->addItem(period.text);
    m_comboBox1->setGeometry(8, 40, 121, 24);
    auto *ok = new QPushButton(QStringLiteral("OK"), m_panel1);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    ok->setGeometry(136, 40, 73, 25);
    connect(m_comboBox1, &QComboBox::activated, this, &ChartWindow::ComboBox1Change);
    connect(ok, &QPushButton::clicked, this, &ChartWindow::Button1Click);
    m_panel1->hide();
}
