// The user editor "Konfiguracija korisnika": users, their passwords and their rights on each tank.
#pragma once

#include "config/userconfiguration.h"

#include <QDialog>

class Dialogs;
class DropDownList;
class QFrame;
class QLineEdit;
class QPushButton;
class ServerExchange;
class StringGrid;

// Modal while shown; each showing reloads the users from the server. Leaving with unsaved changes
// asks whether to save them. `finished` tells that the window has closed.
class UserEditor : public QDialog
{
    Q_OBJECT

public:
    // server and dialogs must outlive the window.
    UserEditor(ServerExchange &server, Dialogs &dialogs, QWidget *parent = nullptr);

    const UserConfiguration &configuration() const { return m_configuration; }

public Q_SLOTS:
    // Closing by the keyboard or the window system goes the way of "I&zlaz".
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createControls(QWidget *client);
    void createNewUserPanel(QWidget *client);
    void createMenu();

    void FormShow();
    void ComboBox1Change(int index);
    void ComboBox1DropDown();
    void StringGrid1Click(int column, int row);
    void Button1Click();
    bool Button2Click();
    void Button3Click();
    void Novikorisnik1Click();
    void Izlaz1Click();

    void writeGridHeader();
    void showUsers();
    void showSelectedUser();
    void storeGridIntoSelected();

    ServerExchange &m_server;
    Dialogs &m_dialogs;
    UserConfiguration m_configuration;

    DropDownList *m_users = nullptr;      // ComboBox1
    QLineEdit *m_password = nullptr;      // Edit3
    QPushButton *m_passwordChange = nullptr; // Button1
    QPushButton *m_save = nullptr;        // Button2
    StringGrid *m_grid = nullptr;         // StringGrid1
    QFrame *m_newUser = nullptr;          // Panel1
    QLineEdit *m_newName = nullptr;       // Edit1
    QLineEdit *m_newPassword = nullptr;   // Edit2
    QPushButton *m_newCancel = nullptr;   // Button4
};
