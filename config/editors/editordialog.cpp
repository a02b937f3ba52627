// The configuration editors' shared window frame.
#include "config/editors/editordialog.h"

#include "config/status/windowplacement.h"
#include "core/services/dialogs.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

EditorDialog::EditorDialog(const EditorServices &services, const char *formName, const QString &title,
                           QSize clientSize, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_services(services)
    , m_client(new QWidget(this))
{
    setObjectName(QLatin1String(formName));
    setWindowTitle(title);
    setModal(true);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    auto *bar = new QMenuBar(this);
    m_menu = bar->addMenu(QStringLiteral("&Meni"));
    m_client->setFixedSize(clientSize);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(bar);
    layout->addWidget(m_client);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void EditorDialog::reject()
{
    if (!cancelPanel())
        Izlaz1Click();
}

QAction *EditorDialog::addMenuItem(const char *name, const QString &caption, const std::function<void()> &handler)
{
    QAction *action = m_menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void EditorDialog::leave(bool saved, const std::function<void()> &save)
{
    if (!saved
        && m_services.dialogs.question(QStringLiteral("Da li zelite sa snimite novu konfiguraciju?"),
                                       QStringLiteral("Upozorenje!")))
        save();
    done(QDialog::Accepted);
}

void EditorDialog::setPanelShown(QWidget *panel, QPushButton *ok, bool shown, std::initializer_list<QWidget *> locked)
{
    panel->setVisible(shown);
    ok->setDefault(shown);
    if (shown)
        panel->raise();
    m_menu->menuAction()->setEnabled(!shown);
    for (QWidget *widget : locked)
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
    if (event->spontaneous())
        return;
    centreOnDesktop(*this);
    FormShow();
}

QPushButton *namedButton(const char *name, const QString &caption, QRect geometry, QWidget *parent)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}

QFrame *namedPanel(const char *name, QRect geometry, QWidget *parent)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    panel->setGeometry(geometry);
    panel->hide();
    return panel;
}
