// The main window: login, menus and (later) the live plant map.
#pragma once

#include "core/datafolder.h"

#include <QList>
#include <QMainWindow>

#include <optional>

class LoginWindow;
class QAction;
class QFrame;
class QMenu;
class QPushButton;
class QTimer;
class PasswordEdit;
class ServerExchange;
struct PlantModel;

// State of the main window kept across events, as created.
struct MainWindowState
{
    bool loggedIn = false;     // the plant map is painted only after a completed login
    bool configAccess = false; // set by a server login of a user of level 1 or 2
};

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The window fills `plant` at each login, from the demonstration values or through `server`;
    // both must outlive the window.
    MainWindow(PlantModel &plant, ServerExchange &server, const DataFolder &folder, QWidget *parent = nullptr);

    const MainWindowState &state() const { return m_state; }

public Q_SLOTS:
    // Checks the code in Edit1 and logs in: the demonstration plant for the demonstration code,
    // otherwise the server. Progress and failures go to the login window through the signals.
    // A failed login leaves a running session as it was.
    void RunLogin();
    // The operator acknowledged a failed login: without a running session the program ends.
    void loginFailureAcknowledged();

Q_SIGNALS:
    // A login begins; the server connection may be chosen anew from the settings.
    void loginStarted();
    void loginStatusChanged(const QString &line1, const QString &line2);
    void loginFailed(const QString &text);
    void loginCompleted();
    // A document of the data folder ("Skladar.pps", "Skladar.doc") to open with its application.
    void documentOpenRequested(const QString &path);
    void programEndRequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void createMenus();
    void createLoginBox();
    QTimer *createTimer(const char *name, int interval);
    std::optional<QString> loadPlant(const QString &code);
    void showConfigurationEntries(bool visible);
    void startTimers();
    void stopTimers();
    bool loadPlantMap();
    void Prijava1Click();
    void Prezentacija1Click();
    void Uputstvo1Click();

    PlantModel &m_plant;
    ServerExchange &m_server;
    DataFolder m_folder;
    MainWindowState m_state;

    QMenu *m_menu1 = nullptr;     // M1 "&Meni"
    QMenu *m_settingsMenu = nullptr; // P1 "&Podesavanja"
    QList<QAction *> m_configurationEntries; // BR1, RZ1, MT1, KR1: only with configuration access
    QMenu *m_tankMenu = nullptr;  // R1 "&Rezervoar"
    QAction *m_about = nullptr;   // A1 "&About"
    QAction *m_presentation = nullptr;
    QAction *m_manual = nullptr;
    QFrame *m_loginBox = nullptr; // Panel1
    PasswordEdit *m_password = nullptr;
    QPushButton *m_loginButton = nullptr;
    QTimer *m_timer1 = nullptr;
    QTimer *m_timer2 = nullptr;
    QTimer *m_timer3 = nullptr;
};

// Connects the main window's login signals to the login window and its acknowledgement of a failure
// back; the caller decides what the main window's programEndRequested does.
void connectLogin(MainWindow &mainWindow, LoginWindow &loginWindow);
