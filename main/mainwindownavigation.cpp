// The main window's menus, views, mouse handling and service box.
#include "main/mainwindow.h"

#include "main/passwordedit.h"
#include "main/plantmap.h"
#include "main/plantmaploading.h"
#include "main/plantmapview.h"

#include <QAction>
#include <QFrame>
#include <QMenuBar>
#include <QTimer>

namespace {

QAction *namedAction(QMenu *menu, const char *name, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

QMenu *namedMenu(QMenuBar *bar, const char *name, const QString &caption)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

constexpr std::size_t entryIndex(MenuEntry entry) { return static_cast<std::size_t>(entry); }

// Entries only a user with configuration access sees.
constexpr bool isConfigurationEntry(MenuEntry entry) { return entry != MenuEntry::Chart && entry != MenuEntry::Report; }

} // namespace

void MainWindow::createMenus()
{
    QMenuBar *bar = menuBar();
    m_menu1 = namedMenu(bar, "M1", QStringLiteral("&Meni"));
    m_settingsMenu = m_menu1->addMenu(QStringLiteral("&Podesavanja"));
    m_settingsMenu->setObjectName(QStringLiteral("P1"));
    m_entries[entryIndex(MenuEntry::Bargraph)] = namedAction(m_settingsMenu, "BR1", QStringLiteral("&Bargraph"));
    m_entries[entryIndex(MenuEntry::TankEditor)] = namedAction(m_settingsMenu, "RZ1", QStringLiteral("&Rezervoar"));
    m_entries[entryIndex(MenuEntry::MaterialEditor)] = namedAction(m_settingsMenu, "MT1", QStringLiteral("&Materijal"));
    m_entries[entryIndex(MenuEntry::UserEditor)] = namedAction(m_settingsMenu, "KR1", QStringLiteral("&Korisnik"));
    m_entries[entryIndex(MenuEntry::Chart)] = namedAction(m_menu1, "G1", QStringLiteral("&Grafik"));
    m_entries[entryIndex(MenuEntry::Report)] = namedAction(m_menu1, "I1", QStringLiteral("&Izvestaj"));
    QAction *login = namedAction(m_menu1, "Prijava1", QStringLiteral("Pri&java"));
    m_presentation = namedAction(m_menu1, "Prezentacija1", QStringLiteral("&Prezentacija"));
    m_manual = namedAction(m_menu1, "Uputstvo1", QStringLiteral("&Uputstvo"));
    m_menu1->addSeparator()->setObjectName(QStringLiteral("N1"));
    QAction *quit = namedAction(m_menu1, "IZ1", QStringLiteral("I&zlaz"));
    m_tankMenu = namedMenu(bar, "R1", QStringLiteral("&Rezervoar"));
    createViewMenu();
    m_about = bar->addAction(QStringLiteral("&About"));
    m_about->setObjectName(QStringLiteral("A1"));
    m_offered[entryIndex(MenuEntry::Bargraph)] = true; // the service box belongs to this window
    showMenuEntries();

    connect(m_entries[entryIndex(MenuEntry::Bargraph)], &QAction::triggered, this, &MainWindow::BR1Click);
    connect(m_entries[entryIndex(MenuEntry::TankEditor)], &QAction::triggered, this,
            [this] { openEditor(&MainWindow::tankEditorRequested); });
    connect(m_entries[entryIndex(MenuEntry::MaterialEditor)], &QAction::triggered, this,
            [this] { openEditor(&MainWindow::materialEditorRequested); });
    connect(m_entries[entryIndex(MenuEntry::UserEditor)], &QAction::triggered, this,
            [this] { openEditor(&MainWindow::userEditorRequested); });
    connect(m_entries[entryIndex(MenuEntry::Chart)], &QAction::triggered, this, &MainWindow::chartRequested);
    connect(m_entries[entryIndex(MenuEntry::Report)], &QAction::triggered, this, &MainWindow::reportRequested);
    connect(login, &QAction::triggered, this, &MainWindow::Prijava1Click);
    connect(m_presentation, &QAction::triggered, this,
            [this] { Q_EMIT documentOpenRequested(m_services.folder.filePath(PresentationFile)); });
    connect(m_manual, &QAction::triggered, this,
            [this] { Q_EMIT documentOpenRequested(m_services.folder.filePath(ManualFile)); });
    connect(quit, &QAction::triggered, this, &MainWindow::programEndRequested);
    connect(m_about, &QAction::triggered, this, &MainWindow::aboutRequested);
}

// Rez1 (view 1) and m2 to m25, hidden until a login names them.
void MainWindow::createViewMenu()
{
    for (int view = 1; view <= ViewCount; ++view) {
        const QString name = view == 1 ? QStringLiteral("Rez1") : QStringLiteral("m%1").arg(view);
        QAction *item = m_tankMenu->addAction(view == 1 ? QStringLiteral("&Skladar") : name);
        item->setObjectName(name);
        item->setVisible(false);
        connect(item, &QAction::triggered, this, [this, view] { showView(view); });
        m_viewItems[static_cast<std::size_t>(view - 1)] = item;
    }
}

void MainWindow::setUpViewMenu()
{
    m_viewItems[0]->setText(QStringLiteral("Skladar"));
    m_viewItems[0]->setVisible(true);
    const auto captions = viewMenuCaptions(*m_map);
    for (std::size_t i = 1; i < m_viewItems.size(); ++i) {
        const QString caption = i <= captions.size() ? captions[i - 1] : QString();
        if (!caption.isEmpty())
            m_viewItems[i]->setText(caption);
        m_viewItems[i]->setVisible(!caption.isEmpty());
    }
}

void MainWindow::offerEntry(MenuEntry entry)
{
    m_offered[entryIndex(entry)] = true;
    showMenuEntries();
}

// An entry shows when its window is offered and, for the configuration, the session may configure;
// "Podesavanja" shows while it holds a visible entry.
void MainWindow::showMenuEntries()
{
    bool settingsVisible = false;
    for (const MenuEntry entry : {MenuEntry::Bargraph, MenuEntry::TankEditor, MenuEntry::MaterialEditor,
                                  MenuEntry::UserEditor, MenuEntry::Chart, MenuEntry::Report}) {
        const bool visible = m_offered[entryIndex(entry)] && (!isConfigurationEntry(entry) || m_mayConfigure);
        m_entries[entryIndex(entry)]->setVisible(visible);
        settingsVisible = settingsVisible || (visible && isConfigurationEntry(entry));
    }
    m_settingsMenu->menuAction()->setVisible(settingsVisible);
}

void MainWindow::showView(int view)
{
    m_state.currentView = view;
    askForRedraw();
}

void MainWindow::askForRedraw() { m_timer1->setInterval(RefreshTiming::PromptRedraw); }

void MainWindow::openEditor(void (MainWindow::*request)())
{
    stopTimers();
    Q_EMIT(this->*request)();
}

void MainWindow::BR1Click()
{
    m_serviceCode->clear();
    m_serviceBox->move(m_serviceBox->x(), 32);
    m_serviceBox->show();
    m_serviceBox->raise();
    m_serviceCode->setFocus();
}

// Service codes are compared exactly; any text closes the box.
void MainWindow::BitBtn5Click()
{
    const QString code = m_serviceCode->text();
    m_serviceBox->hide();
    if (code == u"pleta")
        Q_EMIT diagnosticListRequested();
    else if (code == u"zasunak")
        Q_EMIT displaySettingsRequested();
}

// The login box again, empty, for a login that replaces the running session.
void MainWindow::Prijava1Click()
{
    m_password->clear();
    m_loginBox->show();
    m_loginBox->raise();
    m_password->setFocus();
}

void MainWindow::FormMouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position)
{
    if (buttons == Qt::RightButton && modifiers == Qt::NoModifier)
        m_state.lastRightButton = position;
}

void MainWindow::FormMouseMove(Qt::MouseButtons buttons, QPoint position)
{
    if (buttons & Qt::RightButton) {
        m_state.drag = m_state.lastRightButton - position;
        m_state.lastRightButton = position;
        askForRedraw();
    }
    const std::optional<int> hovered = elementUnderPointer(*m_map, position);
    if (hovered) {
        m_state.hoveredElement = *hovered;
        m_view->setCursor(Qt::PointingHandCursor);
        m_view->setToolTip(m_state.currentView == 1 ? QStringLiteral("Dva puta kliknite na rezervoar")
                                                    : QStringLiteral("Dva puta kliknite na naslov"));
    } else {
        m_view->unsetCursor();
        m_view->setToolTip(QString());
    }
}

void MainWindow::FormMouseUp()
{
    m_state.drag = {};
    m_state.lastRightButton = {};
    askForRedraw();
}

// Only over a hot spot: the hovered element's own view.
void MainWindow::FormDblClick()
{
    if (m_view->cursor().shape() != Qt::PointingHandCursor || m_state.hoveredElement < 1)
        return;
    m_state.currentView = m_map->views[static_cast<std::size_t>(m_state.hoveredElement - 1)].view[0];
    askForRedraw();
    m_view->unsetCursor();
}
