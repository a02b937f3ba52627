// What every Skladar program keeps to on the command line: one set of exit statuses, messages on
// standard error that start with the program's name, --help and --version, and none of Qt's own
// log messages on the terminal.
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

#include <initializer_list>
#include <optional>
#include <variant>

// The exit statuses of every program; each one's --help lists those it uses.
enum ExitStatus : int {
    Done = 0,
    DataFileFailed = 1,    // a data file is missing, short or damaged, or the output could not be written
    BadArguments = 2,      // an unknown option, a missing or wrong value, a stray argument
    LoginRefused = 3,      // the server refused the login, or TLS failed
    NoRightOrData = 4,     // the user lacks the right, or there is no data for that moment
    ServerUnreachable = 5, // the server could not be reached
    StaleData = 6,         // the newest data are older than the moment asked for allows
};

// Call first in main(), before the application object: names the program for its messages and keeps
// Qt's own messages (a missing XDG_RUNTIME_DIR, a painter that did not begin) off standard error.
// A fatal one is still told, under the program's name, before Qt aborts.
void beginProgram(const char *name);
// As typed on the command line: "skladar-report".
QString programName();
// "0.1.0", the version of the build.
QString programVersion();

// Prints "NAME: message" on standard error and returns status.
int complain(int status, const QString &message);
// Prints the text as it is on standard output.
void printOut(const QString &text);

// "Exit status:" and one line for each of the statuses, for the end of a --help text.
QString exitStatusHelp(std::initializer_list<ExitStatus> statuses);

// A parser that knows -h/--help and -v/--version besides the program's own options.
class CommandLine
{
public:
    // The description is followed in --help by the exit statuses.
    CommandLine(const QString &description, std::initializer_list<ExitStatus> statuses);

    QCommandLineParser parser;

    // Parses the arguments (the program's name first). Nullopt to go on; otherwise the program ends
    // with the status returned: Done after printing --help or --version on standard output,
    // BadArguments after telling the parser's complaint.
    std::optional<int> parse(const QStringList &arguments);
    // Tells the problem of an argument with a pointer to --help; returns BadArguments.
    static int badArgument(const QString &problem);
    // Parses the arguments, then fills new options through take(parser, options), which returns the
    // first problem of an argument (empty when none): the options, or the status the program ends with.
    template <typename Options, typename Take>
    std::variant<Options, int> parseInto(const QStringList &arguments, Take take)
    {
        if (const std::optional<int> status = parse(arguments))
            return *status;
        Options options;
        if (const QString problem = take(parser, options); !problem.isEmpty())
            return badArgument(problem);
        return options;
    }

private:
    QCommandLineOption m_help;
    QCommandLineOption m_version;
};
