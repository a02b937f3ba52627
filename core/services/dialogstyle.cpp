// The icon of a message box and Qt's translation.
#include "core/services/dialogstyle.h"

bool isErrorCaption(const QString &caption)
{
    return caption.contains(QStringLiteral("greska"), Qt::CaseInsensitive)
           || caption.contains(QStringLiteral("error"), Qt::CaseInsensitive);
}

QString qtTranslationFor(const QLocale &locale)
{
    switch (locale.language()) {
    case QLocale::Serbian:
    case QLocale::Croatian:
    case QLocale::Bosnian:
        return QStringLiteral("qtbase_hr");
    default:
        return {};
    }
}
