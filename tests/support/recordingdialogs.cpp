// Dialogs for tests: every call is logged, answers come from a script.
#include "tests/support/recordingdialogs.h"

#include <ostream>

namespace {

template <typename T>
T next(std::deque<T> &script, T fallback)
{
    if (script.empty())
        return fallback;
    T answer = script.front();
    script.pop_front();
    return answer;
}

} // namespace

void RecordingDialogs::message(const QString &text, const QString &caption)
{
    calls.append({Kind::Message, text, caption});
}

bool RecordingDialogs::question(const QString &text, const QString &caption)
{
    calls.append({Kind::Question, text, caption});
    return next(questionAnswers, false);
}

std::optional<QColor> RecordingDialogs::chooseColour(const QColor &initial)
{
    calls.append({Kind::Colour, initial.name(), QString()});
    return next(colourAnswers, std::optional<QColor>());
}

bool RecordingDialogs::choosePrinter(QPrinter &)
{
    calls.append({Kind::Printer, QString(), QString()});
    return next(printerAnswers, false);
}

std::optional<QString> RecordingDialogs::chooseSaveFile(const QString &caption, const QString &suggestedName,
                                                        const QString &)
{
    calls.append({Kind::SaveFile, suggestedName, caption});
    const QString path = next(saveFileAnswers, QString());
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

void RecordingDialogs::reportError(const QString &text)
{
    calls.append({Kind::Error, text, applicationTitle()});
}

void PrintTo(const RecordingDialogs::Call &call, std::ostream *out)
{
    *out << "{kind " << static_cast<int>(call.kind) << ", \"" << call.text.toStdString() << "\", \""
         << call.caption.toStdString() << "\"}";
}
