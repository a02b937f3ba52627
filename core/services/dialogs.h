// The one way windows talk to the operator: message boxes, questions, colour, print and file dialogs.
#pragma once

#include <QColor>
#include <QString>

#include <optional>

class QPrinter;

// Every modal box a window shows goes through this interface, so that tests can record the texts
// and answer in the operator's place. Calls block until the operator has answered.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A message box with the text, the caption and one OK button.
    virtual void message(const QString &text, const QString &caption) = 0;

    // A question with OK and Cancel; true when the operator chose OK.
    virtual bool question(const QString &text, const QString &caption) = 0;

    // The colour dialog starting at initial; nullopt when the operator cancelled.
    virtual std::optional<QColor> chooseColour(const QColor &initial) = 0;

    // The print dialog for printer; true when the operator chose to print.
    virtual bool choosePrinter(QPrinter &printer) = 0;

    // The save-file dialog with the caption, a suggested file name and a filter ("CSV (*.csv)");
    // the chosen path, or nullopt when the operator cancelled. Dialogs without an operator cancel.
    virtual std::optional<QString> chooseSaveFile(const QString &caption, const QString &suggestedName,
                                                  const QString &filter)
    {
        Q_UNUSED(caption);
        Q_UNUSED(suggestedName);
        Q_UNUSED(filter);
        return std::nullopt;
    }

    // The system's standard error report: a failure (an I/O error, a settings value of the wrong
    // kind) shown with its own text, after which the action in progress is abandoned.
    virtual void reportError(const QString &text) = 0;

    // A plain message box: the text with the application title "Skladar" as its caption.
    void showMessage(const QString &text) { message(text, applicationTitle()); }

    static QString applicationTitle() { return QStringLiteral("Skladar"); }
};
