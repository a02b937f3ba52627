// The main window: login, menus and (later) the live plant map.
#include "main/mainwindow.h"

#include "core/demonstrationplant.h"
#include "core/plantmodel.h"
#include "main/loginwindow.h"
#include "main/passwordedit.h"
#include "main/serverlogin.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>

namespace {

const QString PresentationFile = QStringLiteral("Skladar.pps");
const QString ManualFile = QStringLiteral("Skladar.doc");

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

} // namespace

MainWindow::MainWindow(PlantModel &plant, ServerExchange &server, const DataFolder &folder, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_plant(plant)
    , m_server(server)
    , m_folder(folder)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Skladar"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setGeometry(192, 107, 596, 455);
    setCentralWidget(new QWidget(this));
    // The plant map is drawn over the colour of the desktop, as the operators' stations show it.
    QPalette desktop = centralWidget()->palette();
    desktop.setColor(QPalette::Window, QColor(0x3A, 0x6E, 0xA5));
    centralWidget()->setPalette(desktop);
    centralWidget()->setAutoFillBackground(true);
    createMenus();
    createLoginBox();
    m_timer1 = createTimer("Timer1", 10000);
    m_timer2 = createTimer("Timer2", 1000); // the first refresh comes a second after the login
    m_timer3 = createTimer("Timer3", 500);
    FormCreate();
}

void MainWindow::createMenus()
{
    QMenuBar *bar = menuBar();
    m_menu1 = namedMenu(bar, "M1", QStringLiteral("&Meni"));
    m_settingsMenu = m_menu1->addMenu(QStringLiteral("&Podesavanja"));
    m_settingsMenu->setObjectName(QStringLiteral("P1"));
    m_settingsMenu->menuAction()->setEnabled(false);
    m_settingsMenu->menuAction()->setVisible(false);
    m_configurationEntries = {namedAction(m_settingsMenu, "BR1", QStringLiteral("&Bargraph")),
                              namedAction(m_settingsMenu, "RZ1", QStringLiteral("&Rezervoar")),
                              namedAction(m_settingsMenu, "MT1", QStringLiteral("&Materijal")),
                              namedAction(m_settingsMenu, "KR1", QStringLiteral("&Korisnik"))};
    QAction *login = namedAction(m_menu1, "Prijava1", QStringLiteral("Pri&java"));
    m_presentation = namedAction(m_menu1, "Prezentacija1", QStringLiteral("&Prezentacija"));
    m_manual = namedAction(m_menu1, "Uputstvo1", QStringLiteral("&Uputstvo"));
    m_menu1->addSeparator()->setObjectName(QStringLiteral("N1"));
    QAction *quit = namedAction(m_menu1, "IZ1", QStringLiteral("I&zlaz"));
    m_tankMenu = namedMenu(bar, "R1", QStringLiteral("&Rezervoar"));
    m_about = bar->addAction(QStringLiteral("&About"));
    m_about->setObjectName(QStringLiteral("A1"));

    connect(login, &QAction::triggered, this, &MainWindow::Prijava1Click);
    connect(m_presentation, &QAction::triggered, this, &MainWindow::Prezentacija1Click);
    connect(m_manual, &QAction::triggered, this, &MainWindow::Uputstvo1Click);
    connect(quit, &QAction::triggered, this, &MainWindow::programEndRequested);
}

void MainWindow::createLoginBox()
{
    m_loginBox = new QFrame(centralWidget());
    m_loginBox->setObjectName(QStringLiteral("Panel1"));
    m_loginBox->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_loginBox->setGeometry(8, 32, 193, 57);
    QPalette panel = m_loginBox->palette(); // a raised panel in the window colour, not the desktop's
    panel.setColor(QPalette::Window, palette().color(QPalette::Window));
    m_loginBox->setPalette(panel);
    m_loginBox->setAutoFillBackground(true);

    auto *label = new QLabel(QStringLiteral("Unesite lozinku :"), m_loginBox);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(8, 6, 100, 14);
    m_password = new PasswordEdit(m_loginBox);
    m_password->setObjectName(QStringLiteral("Edit1"));
    m_password->setGeometry(8, 24, 97, 21);
    m_loginButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), m_loginBox);
    m_loginButton->setObjectName(QStringLiteral("BitBtn1"));
    m_loginButton->setGeometry(112, 22, 73, 25);

    connect(m_loginButton, &QPushButton::clicked, this, &MainWindow::RunLogin);
    connect(m_password, &QLineEdit::returnPressed, this, &MainWindow::RunLogin);
}

QTimer *MainWindow::createTimer(const char *name, int interval)
{
    auto *timer = new QTimer(this);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(interval);
    return timer;
}

// The inert first state: menus disabled, login box shown, timers off, nothing painted.
void MainWindow::FormCreate()
{
    m_menu1->menuAction()->setEnabled(false);
    m_tankMenu->menuAction()->setEnabled(false);
    m_about->setEnabled(false);
    m_loginBox->show();
    stopTimers();
    m_state = MainWindowState{};
    m_presentation->setVisible(m_folder.exists(PresentationFile));
    m_manual->setVisible(m_folder.exists(ManualFile));
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // A window restored by the window manager is shown again without being opened again.
    if (!event->spontaneous())
        FormShow();
}

// An unattended start always ends in a demonstration login.
void MainWindow::FormShow()
{
    m_password->setText(QStringLiteral("zasunak"));
    RunLogin();
}

void MainWindow::RunLogin()
{
    const QString code = m_password->text().toUpper();
    m_loginBox->hide();
    stopTimers();
    Q_EMIT loginStarted();
    Q_EMIT loginStatusChanged(QStringLiteral("Provera lozinke..."), QString());

    if (const std::optional<QString> failure = loadPlant(code)) {
        Q_EMIT loginFailed(*failure);
        if (m_state.loggedIn)
            startTimers();
        return;
    }
    const QString &name = m_plant.user.userName;
    Q_EMIT loginStatusChanged(name.left(name.indexOf(QChar(u'\0'))),
                              QStringLiteral("Ucitavanje korisnicke konfiguracije..."));
    if (!loadPlantMap())
        return;

    m_menu1->menuAction()->setEnabled(true);
    m_tankMenu->menuAction()->setEnabled(true);
    m_about->setEnabled(true);
    Q_EMIT loginCompleted();
    startTimers();
    m_state.loggedIn = true;
}

// The demonstration values, or the server's into a copy of the model that replaces it only when the
// whole load succeeded: a failed login leaves the running session untouched.
std::optional<QString> MainWindow::loadPlant(const QString &code)
{
    if (code == DemonstrationCode) {
        loadDemonstrationPlant(m_plant);
        showConfigurationEntries(true);
        return std::nullopt;
    }
    PlantModel loaded = m_plant;
    if (std::optional<QString> failure = loadPlantFromServer(m_server, code, loaded))
        return failure;
    m_plant = loaded;
    m_state.configAccess = m_plant.user.configAccess == 1;
    showConfigurationEntries(m_state.configAccess);
    return std::nullopt;
}

void MainWindow::showConfigurationEntries(bool visible)
{
    for (QAction *entry : std::as_const(m_configurationEntries))
        entry->setVisible(visible);
}

void MainWindow::startTimers()
{
    m_timer1->start();
    m_timer2->start();
    m_timer3->start();
}

void MainWindow::stopTimers()
{
    m_timer1->stop();
    m_timer2->stop();
    m_timer3->stop();
}

void MainWindow::loginFailureAcknowledged()
{
    if (!m_state.loggedIn)
        Q_EMIT programEndRequested();
}

// The plant map (views, backgrounds, elements, samples, texts, rights and the view menu) is loaded
// here; a data-file failure ends the login. Without a plant map there is nothing to load yet.
bool MainWindow::loadPlantMap()
{
    return true;
}

// The login box again, empty, for a login that replaces the running session.
void MainWindow::Prijava1Click()
{
    m_password->clear();
    m_loginBox->show();
    m_loginBox->raise();
    m_password->setFocus();
}

void MainWindow::Prezentacija1Click()
{
    Q_EMIT documentOpenRequested(m_folder.filePath(PresentationFile));
}

void MainWindow::Uputstvo1Click()
{
    Q_EMIT documentOpenRequested(m_folder.filePath(ManualFile));
}

void connectLogin(MainWindow &mainWindow, LoginWindow &loginWindow)
{
    QObject::connect(&mainWindow, &MainWindow::loginStatusChanged, &loginWindow, &LoginWindow::showStatus);
    QObject::connect(&mainWindow, &MainWindow::loginFailed, &loginWindow, &LoginWindow::showFailure);
    QObject::connect(&mainWindow, &MainWindow::loginCompleted, &loginWindow, &QWidget::hide);
    QObject::connect(&loginWindow, &LoginWindow::failureAcknowledged, &mainWindow, &MainWindow::loginFailureAcknowledged);
}
