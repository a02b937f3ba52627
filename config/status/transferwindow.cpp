// The transfer progress window.
#include "config/status/transferwindow.h"

#include "config/status/transferanimation.h"
#include "config/status/windowplacement.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

TransferWindow::TransferWindow(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_animation(new TransferAnimation(this))
    , m_progress(new QProgressBar(this))
{
    setObjectName(QStringLiteral("Form13"));
    setWindowTitle(QStringLiteral("Prenos"));
    resize(301, 162);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    m_animation->setObjectName(QStringLiteral("Animate1"));
    m_animation->setGeometry(8, 8, 285, 60);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setGeometry(8, 76, 285, 16);
    auto *label = new QLabel(QStringLiteral("Prenos podataka sa servera u toku"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(8, 100, 285, 16);
    label->setAlignment(Qt::AlignCenter);
    auto *abort = new QPushButton(QStringLiteral("&Prekid"), this);
    abort->setObjectName(QStringLiteral("Button1"));
    abort->setDefault(true);
    abort->setGeometry(113, 124, 75, 25);
    connect(abort, &QPushButton::clicked, this, &TransferWindow::Button1Click);
    centreOnDesktop(*this);
}

void TransferWindow::setProgress(int percent)
{
    m_progress->setValue(std::clamp(percent, 0, 100));
}

void TransferWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_animation->start();
}

void TransferWindow::hideEvent(QHideEvent *event)
{
    m_animation->stop();
    QDialog::hideEvent(event);
}

void TransferWindow::reject()
{
    Button1Click();
}

void TransferWindow::Button1Click()
{
    m_abortRequested = true;
}
