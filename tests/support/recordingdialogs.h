// Dialogs for tests: every call is logged with its text and caption, answers come from a script.
#pragma once

#include "core/services/dialogs.h"

#include <QList>
#include <QString>

#include <deque>
#include <functional>
#include <ostream>

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

    void message(const QString &text, const QString &caption) override { calls.append({Kind::Message, text, caption}); }
    bool question(const QString &text, const QString &caption) override
    {
        calls.append({Kind::Question, text, caption});
        return next(questionAnswers, false);
    }
    std::optional<QColor> chooseColour(const QColor &initial) override
    {
        calls.append({Kind::Colour, initial.name(), QString()});
        return next(colourAnswers, std::optional<QColor>());
    }
    bool choosePrinter(QPrinter &printer) override
    {
        calls.append({Kind::Printer, QString(), QString()});
        const bool print = next(printerAnswers, false);
        if (print && choosePrinterSettings)
            choosePrinterSettings(printer);
        return print;
    }
    std::optional<QString> chooseSaveFile(const QString &caption, const QString &suggestedName, const QString &) override
    {
        calls.append({Kind::SaveFile, suggestedName, caption});
        const QString path = next(saveFileAnswers, QString());
        return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
    }
    void reportError(const QString &text) override { calls.append({Kind::Error, text, applicationTitle()}); }

    // Answers for the next questions, colour, print and file dialogs, in order; when a script runs
    // dry the operator cancels.
    std::deque<bool> questionAnswers;
    std::deque<std::optional<QColor>> colourAnswers;
    std::deque<bool> printerAnswers;
    std::deque<QString> saveFileAnswers; // an empty path cancels
    // What the operator sets in a print dialog he confirms, such as printing to a PDF file.
    std::function<void(QPrinter &)> choosePrinterSettings;

    QList<Call> calls;

private:
    template <typename T>
    static T next(std::deque<T> &script, T fallback)
    {
        if (script.empty())
            return fallback;
        T answer = script.front();
        script.pop_front();
        return answer;
    }
};

// Messages are what most tests look at; this prints them readably when an expectation fails.
inline void PrintTo(const RecordingDialogs::Call &call, std::ostream *out)
{
    *out << "{kind " << static_cast<int>(call.kind) << ", \"" << call.text.toStdString() << "\", \""
         << call.caption.toStdString() << "\"}";
}
