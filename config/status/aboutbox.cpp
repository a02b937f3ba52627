// The about box and its program picture.
#include "config/status/aboutbox.h"

#include "config/formwidgets.h"
#include "config/status/windowplacement.h"
#include "core/program/commandline.h"

#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>

QImage programPicture(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0x1F, 0x3A, 0x68));
    sky.setColorAt(1, QColor(0x3A, 0x6E, 0xA5));
    painter.fillRect(image.rect(), sky);

    // Tanks of three sizes standing on one ground line, as in the tank farm.
    const int ground = size.height() - 4;
    const int widths[] = {22, 22, 16, 16, 12, 12, 12};
    int x = size.width() - 6;
    for (const int w : widths) {
        x -= w + 4;
        const int h = w + 8;
        QLinearGradient steel(x, 0, x + w, 0);
        steel.setColorAt(0, QColor(0x9A, 0xA4, 0xAE));
        steel.setColorAt(0.4, QColor(0xE8, 0xEC, 0xF0));
        steel.setColorAt(1, QColor(0x70, 0x7A, 0x84));
        painter.setPen(QColor(0x30, 0x30, 0x30));
        painter.setBrush(steel);
        painter.drawRect(QRectF(x, ground - h, w, h));
        painter.drawEllipse(QRectF(x, ground - h - 3, w, 6));
    }
    painter.setPen(Qt::white);
    painter.setFont(QFont(QStringLiteral("Arial"), 18, QFont::Bold));
    painter.drawText(QRect(8, 0, size.width() / 2, size.height()), Qt::AlignVCenter | Qt::AlignLeft,
                     QStringLiteral("Skladar"));
    return image;
}

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent)
{
    nameForm(*this, "AboutBox", QStringLiteral("tervo grupa"));
    setFixedSize(298, 225);

    auto *panel = named<QFrame>("Panel1", QRect(8, 8, 281, 177), this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto *picture = named<QLabel>("ProgramIcon", QRect(8, 8, 265, 49), panel);
    picture->setScaledContents(true);
    picture->setPixmap(QPixmap::fromImage(programPicture(QSize(265, 49))));
    named<QLabel>("ProductName", QRect(8, 68, 80, 16), panel, QStringLiteral("Ime programa"));
    named<QLabel>("Version", QRect(96, 68, 120, 16), panel, QStringLiteral("Skladar %1").arg(programVersion()));
    named<QLabel>("Comments", QRect(8, 92, 265, 44), panel,
                  QStringLiteral("Klijentski program za pracenje akvizicije procesnih podataka na skladarma. "))
        ->setWordWrap(true);
    named<QLabel>("Copyright", QRect(8, 144, 265, 16), panel, QStringLiteral("AD \"MERON\" ZEMIK"));

    connect(defaultButton("OKButton", QStringLiteral("OK"), QRect(111, 192, 75, 25), this), &QPushButton::clicked, this,
            &AboutBox::OKButtonClick);
}

void AboutBox::showBox() { showCentred(*this); }

void AboutBox::OKButtonClick() { hide(); }
