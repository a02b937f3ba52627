// The connection-lost notice.
#include "config/status/connectionlostwindow.h"

#include "config/formwidgets.h"
#include "config/status/windowplacement.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace {

// The window is 208 x 86 around a 200-pixel label with 4 pixels on either side.
constexpr int LabelWidth = 200;
constexpr int LabelMargin = 4;
constexpr int Height = 86;
constexpr int OkWidth = 75;

} // namespace

ConnectionLostWindow::ConnectionLostWindow(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    nameForm(*this, "Form9", QStringLiteral("Error"));

    auto *label = new QLabel(QStringLiteral("Gubitak veze sa serverom"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setFont(QFont(QStringLiteral("MS Sans Serif"), 12));
    label->setAlignment(Qt::AlignCenter);
    // The 12-point text is wider than 200 pixels in many a platform's stand-in for MS Sans Serif:
    // the label, and the window around it, grow just enough to show it whole.
    const int labelWidth = std::max(LabelWidth, label->sizeHint().width());
    const int width = labelWidth + 2 * LabelMargin;
    setFixedSize(width, Height);
    label->setGeometry(LabelMargin, 12, labelWidth, 24);
    QPushButton *ok
        = defaultButton("BitBtn1", QStringLiteral("OK"), QRect((width - OkWidth) / 2, 50, OkWidth, 25), this);
    ok->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    connect(ok, &QPushButton::clicked, this, &ConnectionLostWindow::BitBtn1Click);
}

void ConnectionLostWindow::showNotice() { showCentred(*this); }

void ConnectionLostWindow::BitBtn1Click() { hide(); }
