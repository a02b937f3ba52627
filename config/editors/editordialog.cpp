// The configuration editors' shared window frame.
#include "config/editors/editordialog.h"

#include "config/status/windowplacement.h"
#include "core/services/dialogs.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

EditorDialog::EditorDialog(const EditorServices &services, const char *formName, const QString &title, QSize clientSize,
                           QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_services(services)
    , m_client(new QWidget(this))
{
    nameForm(*this, formName, title);
    setModal(true);
    auto *bar = new QMenuBar(this);
    m_menu = bar->addMenu(QStringLiteral("&Meni"));
    m_client->setFixedSize(clientSize);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(bar);
    layout->addWidget(m_client);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_leaveSeparator = m_menu->addSeparator();
    m_leaveSeparator->setObjectName(QStringLiteral("N1"));
    QAction *leave = m_menu->addAction(QStringLiteral("I&zlaz"));
    leave->setObjectName(QStringLiteral("Izlaz1"));
    connect(leave, &QAction::triggered, this, &EditorDialog::Izlaz1Click);
}

void EditorDialog::reject()
{
    if (!cancelPanel())
        Izlaz1Click();
}

QAction *EditorDialog::addMenuItem(const char *name, const QString &caption, const std::function<void()> &handler)
{
    auto *action = new QAction(caption, m_menu);
    action->setObjectName(QLatin1String(name));
    m_menu->insertAction(m_leaveSeparator, action);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void EditorDialog::setLeaving(const std::function<bool()> &unsaved, const std::function<bool()> &save)
{
    m_unsaved = unsaved;
    m_save = save;
}

void EditorDialog::Izlaz1Click()
{
    if (m_unsaved()
        && m_services.dialogs.question(QStringLiteral("Da li zelite sa snimite novu konfiguraciju?"),
                                       QStringLiteral("Upozorenje!"))
        && !m_save())
        return;
    done(QDialog::Accepted);
}

void EditorDialog::addPanel(QWidget *panel, QPushButton *ok) { m_panels.append({panel, ok}); }

void EditorDialog::addPanel(QWidget *panel, PanelButton cancel, PanelButton ok, const std::function<void()> &accept)
{
    auto *okButton = namedButton(ok.name, QStringLiteral("OK"), QRect(ok.place, QSize(75, 25)), panel);
    auto *cancelButton = namedButton(cancel.name, QStringLiteral("Cancel"), QRect(cancel.place, QSize(75, 25)), panel);
    if (cancel.place.x() < ok.place.x())
        setTabOrder(cancelButton, okButton);
    connect(okButton, &QPushButton::clicked, this, accept);
    connect(cancelButton, &QPushButton::clicked, this, &EditorDialog::hidePanels);
    addPanel(panel, okButton);
}

void EditorDialog::setPanelLocks(std::initializer_list<QWidget *> locked, QWidget *focus)
{
    m_locked = locked;
    m_focusAfterPanels = focus;
}

void EditorDialog::showPanel(QWidget *panel)
{
    for (const Panel &entry : std::as_const(m_panels))
        if (entry.panel == panel)
            setPanelShown(entry, true);
}

void EditorDialog::hidePanels()
{
    for (const Panel &entry : std::as_const(m_panels))
        setPanelShown(entry, false);
    if (m_focusAfterPanels)
        m_focusAfterPanels->setFocus();
}

bool EditorDialog::cancelPanel()
{
    const bool open
        = std::any_of(m_panels.cbegin(), m_panels.cend(), [](const Panel &entry) { return entry.panel->isVisible(); });
    hidePanels();
    return open;
}

void EditorDialog::setPanelShown(const Panel &panel, bool shown)
{
    panel.panel->setVisible(shown);
    panel.ok->setDefault(shown);
    if (shown)
        panel.panel->raise();
    m_menu->menuAction()->setEnabled(!shown);
    for (QWidget *widget : std::as_const(m_locked))
        widget->setEnabled(!shown);
}

void EditorDialog::reportFailure(ServerRecord record, ExchangeOperation operation) const
{
    reportExchangeFailure(m_services.dialogs, record, operation);
}

void EditorDialog::reportFailures(ServerRecord record, const QList<WriteFailure> &failures) const
{
    if (!failures.isEmpty())
        m_services.dialogs.message(writeFailuresText(record, failures), exchangeFailureCaption(record));
}

bool EditorDialog::reportCellFaults(const QList<CellFault> &faults) const
{
    if (faults.isEmpty())
        return false;
    m_services.dialogs.message(cellFaultsText(faults), QStringLiteral("Error"));
    return true;
}

void EditorDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (centreWhenShown(*this, *event))
        FormShow();
}

QFrame *namedPanel(const char *name, QRect geometry, QWidget *parent)
{
    auto *panel = named<QFrame>(name, geometry, parent);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    panel->hide();
    return panel;
}
