// The user editor window: it hosts the list, the rights grid and the panels; the working copy and
// its loading and saving are plain code.
#include "config/editors/usereditor.h"

#include "config/editors/editorwidgets.h"
#include "config/printouts/listprintouts.h"
#include "config/editors/stringgrid.h"
#include "core/services/dialogs.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString Granted = QStringLiteral("   X");
const QString ChangeCaption = QStringLiteral("Promena lozinke");
const QString ConfirmCaption = QStringLiteral("Potvrdi lozinku...");
const QStringList RightNames{QStringLiteral("Nivo"), QStringLiteral("Temperatura"), QStringLiteral("Masa"),
                             QStringLiteral("Zapremina"), QStringLiteral("Istorija")};

void refuseFullList(Dialogs &dialogs)
{
    dialogs.message(QStringLiteral("Maksimalan broj korisnika je ogranicen na 100"), QStringLiteral("Error..."));
}

QLineEdit *textBox(const char *name, const QRect &geometry, QWidget *parent, int maxLength)
{
    auto *edit = named<QLineEdit>(name, geometry, parent);
    edit->setMaxLength(maxLength);
    makeUpperCase(*edit);
    return edit;
}

} // namespace

UserEditor::UserEditor(const EditorServices &services, QWidget *parent)
    : EditorDialog(services, "Form4", QStringLiteral("Konfiguracija korisnika"), QSize(674, 129), parent)
{
    createControls();
    createNewUserPanel();
    createMenu();
    // Unsaved users, passwords and rights are offered for saving; a save that fails keeps the
    // window open with the changes, so that leaving asks again.
    setLeaving(
        [this] {
            storeGridIntoSelected();
            return m_configuration.hasUnsavedChanges();
        },
        [this] { return Button2Click(); });
}

void UserEditor::createControls()
{
    QWidget *client = this->client();
    named<QLabel>("Label1", QRect(8, 6, 56, 13), client, QStringLiteral("Korisnik :"));
    m_users = named<DropDownList>("ComboBox1", QRect(64, 2, 233, 21), client);
    m_password = textBox("Edit3", QRect(304, 2, 73, 21), client, UserKeySize);
    m_passwordChange = namedButton("Button1", ChangeCaption, QRect(384, 1, 129, 23), client);
    m_save = namedButton("Button2", QStringLiteral("Snimi konfiguraciju"), QRect(520, 1, 145, 23), client);
    // Enter reaches these two only as the default of a password change; saving stays a click.
    m_passwordChange->setAutoDefault(false);
    m_save->setAutoDefault(false);
    m_grid = new StringGrid("StringGrid1", TankCount + 1, RightCount + 1, client);
    m_grid->setGeometry(0, 27, 674, 102);
    m_grid->setColumnWidths({80, 39, 38, 39, 39, 39, 39, 40, 41, 41, 40, 42, 38, 38, 38, 38});
    m_grid->setDefaultRowHeight(16);

    connect(m_users, &DropDownList::aboutToDropDown, this, &UserEditor::ComboBox1DropDown);
    connect(m_users, &QComboBox::currentIndexChanged, this, &UserEditor::ComboBox1Change);
    connect(m_grid, &QTableWidget::cellClicked, this, &UserEditor::StringGrid1Click);
    connect(m_passwordChange, &QPushButton::clicked, this, &UserEditor::Button1Click);
    connect(m_save, &QPushButton::clicked, this, &UserEditor::Button2Click);
}

void UserEditor::createNewUserPanel()
{
    m_newUser = namedPanel("Panel1", QRect(144, 16, 385, 105), client());
    named<QLabel>("Label2", QRect(16, 12, 150, 13), m_newUser, QStringLiteral("Unesite ime korisnika :"));
    m_newName = textBox("Edit1", QRect(16, 28, 353, 21), m_newUser, UserNameSize);
    named<QLabel>("Label3", QRect(16, 56, 100, 13), m_newUser, QStringLiteral("Unesite lozinku :"));
    m_newPassword = textBox("Edit2", QRect(16, 72, 89, 21), m_newUser, UserKeySize);
    addPanel(m_newUser, {"Button4", {294, 70}}, {"Button3", {200, 70}}, [this] { Button3Click(); });
    setPanelLocks({m_users, m_passwordChange, m_save, m_grid}, nullptr);
}

void UserEditor::createMenu()
{
    addMenuItem("Novikorisnik1", QStringLiteral("&Novi korisnik"), [this] { Novikorisnik1Click(); });
    addMenuItem("Stampajkonfiguraciju1", QStringLiteral("&Stampaj konfiguraciju"),
                [this] { Stampajkonfiguraciju1Click(); });
}

// Every showing starts from the server's users; a failed read leaves an empty list that cannot be saved.
void UserEditor::FormShow()
{
    hidePanels();
    writeGridHeader();
    UserLoading loading = loadUsers(m_services.server);
    if (loading.failure)
        reportFailure(*loading.failure, ExchangeOperation::Read);
    m_configuration = std::move(loading.configuration);
    showUsers();
}

void UserEditor::writeGridHeader()
{
    m_grid->setCell(0, 0, QStringLiteral("Rezervoar"));
    for (int slot = 1; slot <= TankCount; ++slot)
        m_grid->setCell(slot, 0, tankDisplayName(slot));
    for (int right = 1; right <= RightCount; ++right)
        m_grid->setCell(0, right, RightNames[right - 1]);
}

void UserEditor::showUsers()
{
    const QSignalBlocker blocker(m_users);
    m_users->clear();
    for (const UserRecord &user : m_configuration.users)
        m_users->addItem(shownName(user).toUpper());
    m_users->setCurrentIndex(-1);
    m_password->clear();
    endPasswordChange();
}

// A choice made with the mouse on the open list or with the keyboard on the closed one: the grid
// and the password box go into the user shown first, as when the list opens.
void UserEditor::ComboBox1Change(int index)
{
    if (index < 0)
        return;
    ComboBox1DropDown();
    m_configuration.selected = index + 1;
    showSelectedUser();
}

void UserEditor::showSelectedUser()
{
    const UserRecord *user = m_configuration.selectedUser();
    m_password->setText(shownPassword(*user));
    endPasswordChange();
    for (int slot = 1; slot <= TankCount; ++slot) {
        for (int right = 1; right <= RightCount; ++right)
            m_grid->setCell(slot, right, rightFlag(user->rights[slot], right) == 1 ? Granted : QString());
    }
}

void UserEditor::ComboBox1DropDown()
{
    if (UserRecord *user = m_configuration.selectedUser()) {
        user->password = paddedText(m_password->text(), UserKeySize);
        storeGridIntoSelected();
    }
}

void UserEditor::storeGridIntoSelected()
{
    UserRecord *user = m_configuration.selectedUser();
    if (!user)
        return;
    for (int slot = 1; slot <= TankCount; ++slot) {
        TankRights &rights = user->rights[slot];
        rights.tankId = static_cast<quint8>(TankIdList[slot]);
        for (int right = 1; right <= RightCount; ++right)
            rightFlag(rights, right) = m_grid->cell(slot, right) == Granted ? 1 : 0;
    }
}

void UserEditor::StringGrid1Click(int row, int column)
{
    if (row == 0 || column == 0)
        return;
    m_grid->setCell(column, row, m_grid->cell(column, row).isEmpty() ? Granted : QString());
}

void UserEditor::Button1Click()
{
    if (m_passwordChange->text() == ChangeCaption) {
        m_password->setEnabled(true);
        m_passwordChange->setText(ConfirmCaption);
        m_passwordChange->setDefault(true);
        m_password->setFocus();
        return;
    }
    endPasswordChange();
    m_save->setFocus();
    if (UserRecord *user = m_configuration.selectedUser())
        confirmPassword(*user, m_password->text());
}

// True when every user was written (or nothing could be saved); the window then shows the
// server's users anew.
bool UserEditor::Button2Click()
{
    storeGridIntoSelected();
    if (!m_configuration.loaded)
        return true;
    if (const std::optional<WriteFailure> failure = saveUsers(m_services.server, m_configuration.users)) {
        reportFailures(ServerRecord::User, {*failure});
        return false;
    }
    FormShow();
    return true;
}

void UserEditor::Novikorisnik1Click()
{
    if (m_configuration.users.size() >= MaxUsers)
        return refuseFullList(m_services.dialogs);
    cancelPasswordChange();
    showPanel(m_newUser);
    m_newName->setFocus();
    m_newName->selectAll();
}

void UserEditor::endPasswordChange()
{
    m_password->setEnabled(false);
    m_passwordChange->setText(ChangeCaption);
    m_passwordChange->setDefault(false);
}

// Escape closes the new-user panel, or drops the password being typed.
bool UserEditor::cancelPanel() { return EditorDialog::cancelPanel() || cancelPasswordChange(); }

bool UserEditor::cancelPasswordChange()
{
    if (m_passwordChange->text() != ConfirmCaption)
        return false;
    const UserRecord *user = m_configuration.selectedUser();
    m_password->setText(user ? shownPassword(*user) : QString());
    endPasswordChange();
    return true;
}

void UserEditor::Button3Click()
{
    hidePanels();
    const QString name = m_newName->text();
    switch (addUser(m_configuration, name, m_newPassword->text())) {
    case NewUserOutcome::NoName:
        return m_services.dialogs.showMessage(QStringLiteral("Nije uneto ime korisnika!"));
    case NewUserOutcome::NoPassword:
        return m_services.dialogs.showMessage(QStringLiteral("Nije uneta lozinka korisnika!"));
    case NewUserOutcome::Full:
        return refuseFullList(m_services.dialogs);
    case NewUserOutcome::Added:
        break;
    }
    const QSignalBlocker blocker(m_users);
    const int shown = m_users->currentIndex();
    m_users->addItem(name.toUpper());
    m_users->setCurrentIndex(shown);
    m_newName->clear();
    m_newPassword->clear();
}

// What is printed is what the window shows, the password box and the grid included.
void UserEditor::Stampajkonfiguraciju1Click()
{
    ComboBox1DropDown();
    QList<UserWire> users;
    for (const UserRecord &user : m_configuration.users)
        users.append(userWireFor(user));
    printPrintout(userListPrintout(users, m_services.clock), m_services.dialogs);
}
