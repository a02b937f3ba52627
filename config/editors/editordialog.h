// The frame every configuration editor shares: a fixed modal window with the menu "&Meni".
#pragma once

#include "config/editors/editorfaults.h"
#include "config/editors/editorservices.h"

#include <QDialog>
#include <QList>

#include <functional>
#include <initializer_list>

class QAction;
class QFrame;
class QMenu;
class QPushButton;

// Centred on the desktop, a fixed client area below the menu bar, no border icons. Escape cancels
// the open entry panel, or else leaves as "I&zlaz" does. Enter presses the open panel's "OK",
// whatever field of the panel has the focus; with no panel open it presses nothing. Its handlers
// run when the window is shown.
class EditorDialog : public QDialog
{
    Q_OBJECT

public:
    void reject() override;

protected:
    EditorDialog(const EditorServices &services, const char *formName, const QString &title, QSize clientSize,
                 QWidget *parent);

    // The widgets of the window's layout are placed on the client area.
    QWidget *client() const { return m_client; }
    QMenu *menu() const { return m_menu; }
    QAction *addMenuItem(const char *name, const QString &caption, const std::function<void()> &handler);

    // Leaves the window: when unsaved, asks "Da li zelite sa snimite novu konfiguraciju?" and
    // saves on OK first.
    void leave(bool saved, const std::function<void()> &save);

    // Shows or hides an entry panel. While it is shown ok is the default button, and the menu and
    // the locked widgets (the grid, a list) are disabled, so that only the panel's own buttons lead
    // on and no second panel opens.
    void setPanelShown(QWidget *panel, QPushButton *ok, bool shown, std::initializer_list<QWidget *> locked);
    // Closes the open entry panel as its "Cancel" does; false when none was open.
    virtual bool cancelPanel() = 0;
    virtual void Izlaz1Click() = 0;

    // The failure message of an exchange of the record.
    void reportFailure(ServerRecord record, ExchangeOperation operation) const;
    // One message naming every failed write and its reason; nothing when none failed.
    void reportFailures(ServerRecord record, const QList<WriteFailure> &failures) const;
    // One message naming every typed cell at fault; false, and nothing shown, when there are none.
    bool reportCellFaults(const QList<CellFault> &faults) const;

    // Runs FormShow each time the window is shown.
    void showEvent(QShowEvent *event) override;
    virtual void FormShow() = 0;

    EditorServices m_services;

private:
    QWidget *m_client;
    QMenu *m_menu;
};

// A push button of the window's layout, named and placed on parent.
QPushButton *namedButton(const char *name, const QString &caption, QRect geometry, QWidget *parent);
// A raised panel of the window's layout, hidden until the window shows it.
QFrame *namedPanel(const char *name, QRect geometry, QWidget *parent);
