// The service technician's list of the latest server exchanges, newest first.
#pragma once

#include <QWidget>

class ExchangeLog;
struct ExchangeLogEntry;
class QListWidget;

// "pleta", 131 x 577 at (217, 13), sizeable: ListBox1 fills the window and shows the log's
// entries; while the window is open new entries arrive at the top. Escape closes it.
class DiagnosticListWindow : public QWidget
{
    Q_OBJECT

public:
    // log must outlive the window.
    explicit DiagnosticListWindow(const ExchangeLog &log, QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override; // Escape closes the window

private:
    void addEntry(const ExchangeLogEntry &entry);

    const ExchangeLog &m_log;
    QListWidget *m_list;
};
