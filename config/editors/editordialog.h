// The frame every configuration editor shares: a fixed modal window with the menu "&Meni".
#pragma once

#include "config/editors/editorfaults.h"
#include "config/editors/editorservices.h"
#include "config/formwidgets.h"

#include <QDialog>
#include <QList>
#include <QPoint>

#include <functional>
#include <initializer_list>

class QAction;
class QFrame;
class QMenu;
class QPushButton;

// Centred on the desktop, a fixed client area below the menu bar, no border icons. The menu ends
// with a separator and "I&zlaz". Escape cancels the open entry panel, or else leaves as "I&zlaz"
// does. Enter presses the open panel's "OK", whatever field of the panel has the focus; with no
// panel open it presses nothing. Its handlers run when the window is shown.
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
    // An item of the menu, above the separator and "I&zlaz".
    QAction *addMenuItem(const char *name, const QString &caption, const std::function<void()> &handler);

    // "I&zlaz" and Escape leave the window; while unsaved() they first ask "Da li zelite sa snimite
    // novu konfiguraciju?" and save on OK. A save that returns false keeps the window open.
    void setLeaving(const std::function<bool()> &unsaved, const std::function<bool()> &save);

    // An entry panel and the button Enter presses while it is shown.
    void addPanel(QWidget *panel, QPushButton *ok);
    // The name and the top left corner of a 75 x 25 button of an entry panel.
    struct PanelButton
    {
        const char *name;
        QPoint place;
    };
    // An entry panel with its "Cancel", which only hides it, and its "OK", which runs accept; Tab
    // goes along the row from left to right.
    void addPanel(QWidget *panel, PanelButton cancel, PanelButton ok, const std::function<void()> &accept);
    // The widgets (the grid, a list) disabled with the menu while a panel is shown, so that only the
    // panel's own buttons lead on and no second panel opens; focus, when given, takes the focus
    // each time the panels are hidden.
    void setPanelLocks(std::initializer_list<QWidget *> locked, QWidget *focus);
    void showPanel(QWidget *panel);
    void hidePanels();
    // Closes the open entry panel as its "Cancel" does; false when none was open.
    virtual bool cancelPanel();

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
    struct Panel
    {
        QWidget *panel;
        QPushButton *ok;
    };

    void Izlaz1Click();
    void setPanelShown(const Panel &panel, bool shown);

    QWidget *m_client;
    QMenu *m_menu;
    QAction *m_leaveSeparator; // N1
    std::function<bool()> m_unsaved = [] { return false; };
    std::function<bool()> m_save = [] { return true; };
    QList<Panel> m_panels;
    QList<QWidget *> m_locked;
    QWidget *m_focusAfterPanels = nullptr;
};

// A raised panel of the window's layout, hidden until the window shows it.
QFrame *namedPanel(const char *name, QRect geometry, QWidget *parent);
