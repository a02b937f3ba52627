// The password boxes laid over the plant map.
#include "main/passwordedit.h"

#include <QKeyEvent>
#include <QProxyStyle>

namespace {

// The platform styles show a password as bullets; the operators know the asterisks.
class AsteriskStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

PasswordEdit::PasswordEdit(QWidget *parent)
    : QLineEdit(parent)
{
    auto *style = new AsteriskStyle;
    style->setParent(this);
    setStyle(style);
    setMaxLength(8);
    setEchoMode(QLineEdit::Password);
}

void PasswordEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        Q_EMIT cancelled();
    else
        QLineEdit::keyPressEvent(event);
}
