// The about box and its program picture.
#include "config/status/aboutbox.h"

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
    painter.drawText(QRect(8, 0, size.width() / 2, size.height()), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Skladar"));
    return image;
}

AboutBox::AboutBox(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("tervo grupa"));
    setFixedSize(298, 225);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(8, 8, 281, 177);

    auto *picture = new QLabel(panel);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    picture->setGeometry(8, 8, 265, 49);
    picture->setScaledContents(true);
    picture->setPixmap(QPixmap::fromImage(programPicture(QSize(265, 49))));

    auto *caption = new QLabel(QStringLiteral("Ime programa"), panel);
    caption->setObjectName(QStringLiteral("ProductName"));
    caption->setGeometry(8, 68, 80, 16);
    auto *name = new QLabel(QStringLiteral("Skladar %1").arg(programVersion()), panel);
    name->setObjectName(QStringLiteral("Version"));
    name->setGeometry(96, 68, 120, 16);
    auto *comment = new QLabel(QStringLiteral("Klijentski program za pracenje akvizicije procesnih podataka na skladarma. "), panel);
    comment->setObjectName(QStringLiteral("Comments"));
    comment->setWordWrap(true);
    comment->setGeometry(8, 92, 265, 44);
    auto *customer = new QLabel(QStringLiteral("AD \"MERON\" ZEMIK"), panel);
    customer->setObjectName(QStringLiteral("Copyright"));
    customer->setGeometry(8, 144, 265, 16);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    ok->setGeometry(111, 192, 75, 25);
    connect(ok, &QPushButton::clicked, this, &AboutBox::OKButtonClick);
}

void AboutBox::showBox()
{
    if (!isVisible())
        centreOnDesktop(*this);
    show();
    raise();
}

void AboutBox::OKButtonClick()
{
    hide();
}
