// The login window: progress and failures of a login, and the way out after a failure.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class LoginWindow : public QDialog
{
    Q_OBJECT

public:
    explicit LoginWindow(QWidget *parent = nullptr);

    QString line1() const;
    QString line2() const;

public Q_SLOTS:
    // Shows the window centred on the desktop with the two lines and paints it at once.
    void showStatus(const QString &line1, const QString &line2);
    // Line 1 "Error...", line 2 the failure; the OK button appears and takes the focus.
    void showFailure(const QString &text);

Q_SIGNALS:
    // The operator acknowledged a failed login with OK; the window has closed.
    void failureAcknowledged();

protected:
    void reject() override;

private Q_SLOTS:
    void Button1Click();

private:
    QLabel *m_line1;
    QLabel *m_line2;
    QPushButton *m_button1;
};
