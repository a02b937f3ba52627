// The diagnostic list window.
#include "config/status/diagnosticlistwindow.h"

#include "config/formwidgets.h"
#include "core/exchange/exchangelog.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QVBoxLayout>

DiagnosticListWindow::DiagnosticListWindow(const ExchangeLog &log, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_log(log)
    , m_list(new QListWidget(this))
{
    nameForm(*this, "Form10", QStringLiteral("pleta"));
    setGeometry(217, 13, 131, 577);
    m_list->setObjectName(QStringLiteral("ListBox1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    connect(&log, &ExchangeLog::entryAdded, this, &DiagnosticListWindow::addEntry);
}

void DiagnosticListWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_list->clear();
    for (const ExchangeLogEntry &entry : m_log.entries())
        m_list->addItem(describeExchange(entry));
}

void DiagnosticListWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void DiagnosticListWindow::addEntry(const ExchangeLogEntry &entry)
{
    if (!isVisible())
        return;
    m_list->insertItem(0, describeExchange(entry));
    while (m_list->count() > static_cast<int>(ExchangeLog::Capacity))
        delete m_list->takeItem(m_list->count() - 1);
}
