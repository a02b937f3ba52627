// The connection-lost notice.
#include "config/connectionlostwindow.h"

#include "config/windowplacement.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

ConnectionLostWindow::ConnectionLostWindow(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Error"));
    setFixedSize(208, 86);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    auto *label = new QLabel(QStringLiteral("Gubitak veze sa serverom"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setFont(QFont(QStringLiteral("MS Sans Serif"), 12));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(4, 12, 200, 24);
    auto *ok = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setGeometry(66, 50, 75, 25);
    connect(ok, &QPushButton::clicked, this, &ConnectionLostWindow::BitBtn1Click);
}

void ConnectionLostWindow::showNotice()
{
    if (!isVisible())
        centreOnDesktop(*this);
    show();
    raise();
}

void ConnectionLostWindow::BitBtn1Click()
{
    hide();
}
