// How the desktop's own dialogs look and speak: the icon of a message box and Qt's translation.
#pragma once

#include <QLocale>
#include <QString>

// Whether a message box with this caption reports an error ("Greska", "File Error...", "Integer
// error"): such boxes show the warning icon, the others the information icon.
bool isErrorCaption(const QString &caption);

// The translation of Qt's own dialogs (colour, print, file) and standard buttons for the locale:
// "qtbase_hr" under a Serbian, Croatian or Bosnian locale, empty otherwise (Qt's English). Debian
// ships no Serbian translation of Qt, and readers of Serbian in Latin script read Croatian as easily.
QString qtTranslationFor(const QLocale &locale);
