// The operator's message boxes and dialogs, as the desktop shows them.
#include "app/qtdialogs.h"

#include "core/services/dialogstyle.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

void QtDialogs::message(const QString &text, const QString &caption)
{
    if (isErrorCaption(caption))
        QMessageBox::warning(QApplication::activeWindow(), caption, text, QMessageBox::Ok);
    else
        QMessageBox::information(QApplication::activeWindow(), caption, text, QMessageBox::Ok);
}

bool QtDialogs::question(const QString &text, const QString &caption)
{
    return QMessageBox::question(QApplication::activeWindow(), caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok)
           == QMessageBox::Ok;
}

std::optional<QColor> QtDialogs::chooseColour(const QColor &initial)
{
    const QColor colour = QColorDialog::getColor(initial, QApplication::activeWindow());
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

bool QtDialogs::choosePrinter(QPrinter &printer)
{
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> QtDialogs::chooseSaveFile(const QString &caption, const QString &suggestedName,
                                                 const QString &filter)
{
    const QString path = QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, suggestedName, filter);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

void QtDialogs::reportError(const QString &text)
{
    QMessageBox::warning(QApplication::activeWindow(), Dialogs::applicationTitle(), text, QMessageBox::Ok);
}
