// The login window.
#include "main/loginwindow.h"

#include "core/services/formstyle.h"

#include <QLabel>
#include <QPushButton>

LoginWindow::LoginWindow(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_line1(new QLabel(this))
    , m_line2(new QLabel(this))
    , m_button1(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("Login - Skladar"));
    setFixedSize(263, 89);
    setFont(formFont());

    m_line1->setObjectName(QStringLiteral("Label1"));
    m_line1->setGeometry(16, 8, 240, 16);
    m_line2->setObjectName(QStringLiteral("Label2"));
    m_line2->setGeometry(16, 32, 240, 16);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->setGeometry(88, 56, 75, 25);
    m_button1->setDefault(true);
    m_button1->hide();
    connect(m_button1, &QPushButton::clicked, this, &LoginWindow::Button1Click);
}

QString LoginWindow::line1() const { return m_line1->text(); }

QString LoginWindow::line2() const { return m_line2->text(); }

void LoginWindow::showStatus(const QString &line1, const QString &line2)
{
    m_button1->hide();
    m_line1->setText(line1);
    m_line2->setText(line2);
    if (!isVisible()) {
        if (const std::optional<QPoint> position = desktopCentredPosition(size()))
            move(*position);
        show();
    }
    repaint();
}

void LoginWindow::showFailure(const QString &text)
{
    showStatus(QStringLiteral("Error..."), text);
    m_button1->show();
    m_button1->setFocus();
}

void LoginWindow::Button1Click()
{
    hide();
    Q_EMIT failureAcknowledged();
}

// Escape and the window manager's close (which QDialog routes here) act only as the OK button of a
// failure; while a login is in progress the window stays.
void LoginWindow::reject()
{
    if (m_button1->isVisible())
        Button1Click();
}
