// The main window: login, the live plant map, its menus and the service box.
#pragma once

#include "core/services/datafolder.h"
#include "main/liverefresh.h"

#include <QList>
#include <QLocale>
#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>

class Clock;
class Dialogs;
class LoginWindow;
class PlantMapView;
class PasswordEdit;
class QAction;
class QFrame;
class QMenu;
class QPushButton;
class QTimer;
class ServerExchange;
class ServerLink;
struct PlantMap;
struct PlantModel;

// What the main window needs from outside; the references must outlive the window.
struct MainWindowServices
{
    DataFolder folder; // the plant's files
    Dialogs &dialogs;
    const Clock &clock;
    QLocale locale;
};

// State of the main window kept across events.
struct MainWindowState
{
    bool loggedIn = false;     // the plant map is painted only after a completed login
    bool configAccess = false; // set by a server login of a user of level 1 or 2
    int currentView = 0;       // 1 after the login: the overview
    int cycleCounter = 1;
    int trendCursor = 1;
    bool samplesOnly = false; // the server does not know the live values: until the next login, the sample table
    QPoint pan;               // where the picture lies on the window
    QPoint drag;              // the last right-button drag step
    QPoint lastRightButton;   // the last right-button position
    int hoveredElement = 0;   // 1..120, the last element under the pointer
};

// The optional documents of the data folder, offered in "&Meni" when they exist at start.
inline const QString PresentationFile = QStringLiteral("Skladar.pps");
inline const QString ManualFile = QStringLiteral("Skladar.doc");

// Menu entries that open windows of their own; each stays hidden until the program entry offers
// the window behind it.
enum class MenuEntry { Bargraph, TankEditor, MaterialEditor, UserEditor, Chart, Report };

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The window fills `plant` at each login, from the demonstration values or through `server`;
    // both must outlive the window.
    MainWindow(PlantModel &plant, ServerExchange &server, const MainWindowServices &services,
               QWidget *parent = nullptr);
    ~MainWindow() override;

    const MainWindowState &state() const { return m_state; }
    const PlantMap &plantMap() const { return *m_map; }
    const QImage &picture() const { return m_picture; }

    // Makes the entry available: it shows whenever the logged-in user may use it.
    void offerEntry(MenuEntry entry);

public Q_SLOTS:
    // Checks the code in Edit1 and logs in: the demonstration plant for the demonstration code,
    // otherwise the server; then the plant map. Progress and failures go to the login window through
    // the signals. A failed login leaves a running session as it was.
    void RunLogin();
    // The operator acknowledged a failed login: without a running session the program ends.
    void loginFailureAcknowledged();
    // The three refresh timers start again, as after an editor has closed.
    void resumeRefresh();

    void Timer1Timer(); // redraw
    void Timer2Timer(); // value refresh
    void Timer3Timer(); // trend refresh

Q_SIGNALS:
    // A login begins; it runs on a server connection chosen anew from the settings.
    void loginStarted();
    void loginStatusChanged(const QString &line1, const QString &line2);
    void loginFailed(const QString &text);
    void loginCompleted();
    // A document of the data folder ("Skladar.pps", "Skladar.doc") to open with its application.
    void documentOpenRequested(const QString &path);
    void programEndRequested();
    void aboutRequested();
    void connectionLost();     // three refreshes in a row found no connection
    void connectionRestored(); // a refresh succeeded
    void diagnosticListRequested();
    void displaySettingsRequested();
    // The editors are shown modally with the refresh stopped; they call resumeRefresh when they close.
    void tankEditorRequested();
    void materialEditorRequested();
    void userEditorRequested();
    void chartRequested();
    void reportRequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FormMouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);
    void FormMouseMove(Qt::MouseButtons buttons, QPoint position);
    void FormMouseUp();
    void FormDblClick();
    void BR1Click();
    void BitBtn5Click();
    void Prijava1Click();
    void showView(int view);
    void openEditor(void (MainWindow::*request)());

    void createMenus();
    void createViewMenu();
    struct PasswordBoxLayout
    {
        const char *panel;
        const char *edit;
        const char *button;
        int top;
        void (MainWindow::*confirm)();
        bool needsSession; // Escape closes the box only over a running session
    };
    QFrame *createPasswordBox(const PasswordBoxLayout &layout, PasswordEdit *&password);
    QTimer *createTimer(const char *name, int interval, void (MainWindow::*tick)());
    void failLogin(const QString &text);
    void setUpViewMenu();
    void showMenuEntries();
    void startTimers();
    void stopTimers();
    void askForRedraw();
    qint32 statusExchange();
    // The value refresh's exchange and, on success, the values it brings.
    qint32 refreshExchange();

    PlantModel &m_plant;
    ServerExchange &m_server;
    MainWindowServices m_services;
    MainWindowState m_state;
    ConnectionWatch m_connection;
    std::unique_ptr<PlantMap> m_map;
    QImage m_picture; // the composition buffer; the view shows a copy
    bool m_composing = false;
    bool m_mayConfigure = false; // the configuration entries show for this session

    PlantMapView *m_view = nullptr;
    QMenu *m_menu1 = nullptr;        // M1 "&Meni"
    QMenu *m_settingsMenu = nullptr; // P1 "&Podesavanja"
    QMenu *m_tankMenu = nullptr;     // R1 "&Rezervoar"
    QAction *m_about = nullptr;      // A1 "&About"
    QAction *m_presentation = nullptr;
    QAction *m_manual = nullptr;
    std::array<QAction *, 6> m_entries{}; // by MenuEntry
    std::array<bool, 6> m_offered{};
    std::array<QAction *, 25> m_viewItems{}; // Rez1, m2 .. m25
    QFrame *m_loginBox = nullptr;            // Panel1
    PasswordEdit *m_password = nullptr;
    QFrame *m_serviceBox = nullptr; // Panel6
    PasswordEdit *m_serviceCode = nullptr;
    QTimer *m_timer1 = nullptr;
    QTimer *m_timer2 = nullptr;
    QTimer *m_timer3 = nullptr;
};

// Connects the main window's login signals to the login window and its acknowledgement of a failure
// back; the caller decides what the main window's programEndRequested does.
void connectLogin(MainWindow &mainWindow, LoginWindow &loginWindow);
// Each login runs on an exchange of its own, chosen from the settings; only a completed login
// moves the running session onto it.
void connectServerLink(MainWindow &mainWindow, ServerLink &link);
