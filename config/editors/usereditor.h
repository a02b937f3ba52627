// The user editor "Konfiguracija korisnika": users, their passwords and their rights on each tank.
#pragma once

#include "config/editors/editordialog.h"
#include "config/editors/userconfiguration.h"

class DropDownList;
class QFrame;
class QLineEdit;
class QPushButton;
class StringGrid;

// "Konfiguracija korisnika", client area 674 x 129. Each showing reloads the users from the
// server. Leaving with unsaved changes asks whether to save them; a save that fails keeps the
// window open. `finished` tells that the window has closed. Enter adds the user in the new-user
// panel and confirms the password while it is being changed; Escape cancels either.
class UserEditor : public EditorDialog
{
    Q_OBJECT

public:
    explicit UserEditor(const EditorServices &services, QWidget *parent = nullptr);

    const UserConfiguration &configuration() const { return m_configuration; }

protected:
    void FormShow() override;
    bool cancelPanel() override;

private:
    void createControls();
    void createNewUserPanel();
    void createMenu();

    void ComboBox1Change(int index);
    void ComboBox1DropDown();
    void StringGrid1Click(int row, int column);
    void Button1Click();
    bool Button2Click();
    void Button3Click();
    void Novikorisnik1Click();
    void Stampajkonfiguraciju1Click();
    void endPasswordChange();
    // The password box back to the selected user's password; false when no change was in progress.
    bool cancelPasswordChange();

    void writeGridHeader();
    void showUsers();
    void showSelectedUser();
    void storeGridIntoSelected();

    UserConfiguration m_configuration;

    DropDownList *m_users = nullptr;         // ComboBox1
    QLineEdit *m_password = nullptr;         // Edit3
    QPushButton *m_passwordChange = nullptr; // Button1
    QPushButton *m_save = nullptr;           // Button2
    StringGrid *m_grid = nullptr;            // StringGrid1
    QFrame *m_newUser = nullptr;             // Panel1
    QLineEdit *m_newName = nullptr;          // Edit1
    QLineEdit *m_newPassword = nullptr;      // Edit2
};
