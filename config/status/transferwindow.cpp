// The transfer progress window.
#include "config/status/transferwindow.h"

#include "config/formwidgets.h"
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
    nameForm(*this, "Form13", QStringLiteral("Prenos"));
    resize(301, 162);

    m_animation->setObjectName(QStringLiteral("Animate1"));
    m_animation->setGeometry(8, 8, 285, 60);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setGeometry(8, 76, 285, 16);
    named<QLabel>("Label1", QRect(8, 100, 285, 16), this, QStringLiteral("Prenos podataka sa servera u toku"))
        ->setAlignment(Qt::AlignCenter);
    connect(defaultButton("Button1", QStringLiteral("&Prekid"), QRect(113, 124, 75, 25), this), &QPushButton::clicked,
            this, &TransferWindow::Button1Click);
    centreOnDesktop(*this);
}

void TransferWindow::setProgress(int percent) { m_progress->setValue(std::clamp(percent, 0, 100)); }

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

void TransferWindow::reject() { Button1Click(); }

void TransferWindow::Button1Click() { m_abortRequested = true; }
