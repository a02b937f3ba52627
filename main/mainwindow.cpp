// The main window: its construction, the login and the loading of the plant map.
#include "main/mainwindow.h"

#include "core/exchange/serverlink.h"
#include "core/login/login.h"
#include "core/plant/plantmodel.h"
#include "core/services/formstyle.h"
#include "main/loginwindow.h"
#include "main/passwordedit.h"
#include "main/plantmap.h"
#include "main/plantmaploading.h"
#include "main/plantmapview.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>

MainWindow::MainWindow(PlantModel &plant, ServerExchange &server, const MainWindowServices &services, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                              | Qt::WindowCloseButtonHint)
    , m_plant(plant)
    , m_server(server)
    , m_services(services)
    , m_map(std::make_unique<PlantMap>())
    , m_view(new PlantMapView(this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Skladar"));
    setFont(formFont());
    setGeometry(192, 107, 596, 455);
    setCentralWidget(m_view);
    createMenus();
    m_loginBox = createPasswordBox({"Panel1", "Edit1", "BitBtn1", 32, &MainWindow::RunLogin, true}, m_password);
    m_serviceBox
        = createPasswordBox({"Panel6", "Edit5", "BitBtn5", 232, &MainWindow::BitBtn5Click, false}, m_serviceCode);
    m_timer1 = createTimer("Timer1", RefreshTiming::FirstRedraw, &MainWindow::Timer1Timer);
    m_timer2 = createTimer("Timer2", RefreshTiming::FirstRefresh, &MainWindow::Timer2Timer);
    m_timer3 = createTimer("Timer3", RefreshTiming::Trend, &MainWindow::Timer3Timer);

    connect(m_view, &PlantMapView::mousePressed, this, &MainWindow::FormMouseDown);
    connect(m_view, &PlantMapView::mouseMoved, this, &MainWindow::FormMouseMove);
    connect(m_view, &PlantMapView::mouseReleased, this, &MainWindow::FormMouseUp);
    connect(m_view, &PlantMapView::doubleClicked, this, &MainWindow::FormDblClick);
    FormCreate();
}

MainWindow::~MainWindow() = default;

// A password box laid over the plant map: "Unesite lozinku :", the edit and its OK button.
QFrame *MainWindow::createPasswordBox(const PasswordBoxLayout &layout, PasswordEdit *&password)
{
    auto *box = new QFrame(m_view);
    box->setObjectName(QLatin1String(layout.panel));
    box->setFrameStyle(QFrame::Panel | QFrame::Raised);
    box->setGeometry(8, layout.top, 193, 57);
    QPalette colours = box->palette(); // a raised panel in the window colour, not the desktop's
    colours.setColor(QPalette::Window, palette().color(QPalette::Window));
    box->setPalette(colours);
    box->setAutoFillBackground(true);

    auto *label = new QLabel(QStringLiteral("Unesite lozinku :"), box);
    label->setGeometry(8, 6, 100, 14);
    password = new PasswordEdit(box);
    password->setObjectName(QLatin1String(layout.edit));
    password->setGeometry(8, 24, 97, 21);
    auto *ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), box);
    ok->setObjectName(QLatin1String(layout.button));
    ok->setGeometry(112, 22, 73, 25);
    connect(ok, &QPushButton::clicked, this, layout.confirm);
    connect(password, &QLineEdit::returnPressed, this, layout.confirm);
    connect(password, &PasswordEdit::cancelled, box, [this, box, needsSession = layout.needsSession] {
        if (!needsSession || m_state.loggedIn)
            box->hide();
    });
    return box;
}

QTimer *MainWindow::createTimer(const char *name, int interval, void (MainWindow::*tick)())
{
    auto *timer = new QTimer(this);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(interval);
    connect(timer, &QTimer::timeout, this, tick);
    return timer;
}

// The inert first state: menus disabled, login box shown, timers off, nothing painted.
void MainWindow::FormCreate()
{
    m_menu1->menuAction()->setEnabled(false);
    m_tankMenu->menuAction()->setEnabled(false);
    m_about->setEnabled(false);
    m_loginBox->show();
    m_serviceBox->hide();
    stopTimers();
    m_state = MainWindowState{};
    m_connection = ConnectionWatch{};
    m_presentation->setVisible(m_services.folder.exists(PresentationFile));
    m_manual->setVisible(m_services.folder.exists(ManualFile));
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

// The new model and plant map are built aside and replace the running ones only when the whole
// login succeeded.
void MainWindow::RunLogin()
{
    const QString code = m_password->text().toUpper();
    m_loginBox->hide();
    stopTimers();
    Q_EMIT loginStarted();
    Q_EMIT loginStatusChanged(QStringLiteral("Provera lozinke..."), QString());

    PlantModel loaded = m_plant;
    if (const std::optional<QString> failure = fillPlantModel(code, m_server, loaded))
        return failLogin(*failure);
    const QString &name = loaded.user.userName;
    Q_EMIT loginStatusChanged(name.left(name.indexOf(QChar(u'\0'))),
                              QStringLiteral("Ucitavanje korisnicke konfiguracije..."));
    auto map = std::make_unique<PlantMap>();
    if (const std::optional<QString> failure
        = loadPlantMap(*map, loaded, m_services.folder, m_services.dialogs, m_services.locale))
        return failLogin(*failure);

    m_plant = loaded;
    *m_map = std::move(*map); // in place: a redraw in progress keeps drawing valid elements
    m_state.configAccess = m_plant.user.configAccess == 1;
    m_state.samplesOnly = false; // each login asks for the live values again
    // The demonstration login needs no password: it may configure only the client's own store.
    m_mayConfigure = (code == DemonstrationCode && m_server.isBuiltIn()) || m_state.configAccess;
    m_state.currentView = 1;
    setUpViewMenu();
    showMenuEntries();
    m_menu1->menuAction()->setEnabled(true);
    m_tankMenu->menuAction()->setEnabled(true);
    m_about->setEnabled(true);
    Q_EMIT loginCompleted();
    m_timer1->setInterval(RefreshTiming::FirstRedraw);
    m_timer2->setInterval(RefreshTiming::FirstRefresh);
    startTimers();
    m_state.loggedIn = true;
}

void MainWindow::failLogin(const QString &text)
{
    Q_EMIT loginFailed(text);
    if (m_state.loggedIn)
        startTimers();
}

void MainWindow::loginFailureAcknowledged()
{
    if (!m_state.loggedIn)
        Q_EMIT programEndRequested();
}

void MainWindow::resumeRefresh()
{
    if (m_state.loggedIn)
        startTimers();
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

void connectLogin(MainWindow &mainWindow, LoginWindow &loginWindow)
{
    QObject::connect(&mainWindow, &MainWindow::loginStatusChanged, &loginWindow, &LoginWindow::showStatus);
    QObject::connect(&mainWindow, &MainWindow::loginFailed, &loginWindow, &LoginWindow::showFailure);
    QObject::connect(&mainWindow, &MainWindow::loginCompleted, &loginWindow, &QWidget::hide);
    QObject::connect(&loginWindow, &LoginWindow::failureAcknowledged, &mainWindow,
                     &MainWindow::loginFailureAcknowledged);
}

void connectServerLink(MainWindow &mainWindow, ServerLink &link)
{
    QObject::connect(&mainWindow, &MainWindow::loginStarted, &mainWindow, [&link] { link.beginLogin(); });
    QObject::connect(&mainWindow, &MainWindow::loginCompleted, &mainWindow, [&link] { link.endLogin(true); });
    QObject::connect(&mainWindow, &MainWindow::loginFailed, &mainWindow, [&link] { link.endLogin(false); });
}
