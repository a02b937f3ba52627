// Dialogs for tests: every call is logged with its text and caption, answers come from a script.
#pragma once

#include "core/services/dialogs.h"

#include <QList>
#include <QString>

#include <deque>

class RecordingDialogs final : public Dialogs
{
public:
    enum class Kind { Message, Question, Colour, Printer, SaveFile, Error };

    struct Call
    {
        Kind kind;
        QString text;
        QString caption;
        bool operator==(const Call &) const = default;
    };

    void message(const QString &text, const QString &caption) override;
    bool question(const QString &text, const QString &caption) override;
    std::optional<QColor> chooseColour(const QColor &initial) override;
    bool choosePrinter(QPrinter &printer) override;
    std::optional<QString> chooseSaveFile(const QString &caption, const QString &suggestedName,
                                          const QString &filter) override;
    void reportError(const QString &text) override;

    // Answers for the next questions, colour, print and file dialogs, in order; when a script runs
    // dry the operator cancels.
    std::deque<bool> questionAnswers;
    std::deque<std::optional<QColor>> colourAnswers;
    std::deque<bool> printerAnswers;
    std::deque<QString> saveFileAnswers; // an empty path cancels

    QList<Call> calls;
};

// Messages are what most tests look at; this prints them readably when an expectation fails.
void PrintTo(const RecordingDialogs::Call &call, std::ostream *out);
