// The programs' shared command-line conventions.
#include "core/program/commandline.h"

#include <QStringList>

#include <cstdio>

namespace {

QString &nameOfProgram()
{
    static QString name;
    return name;
}

void keepQtMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        complain(DataFileFailed, message);
}

const char *statusMeaning(ExitStatus status)
{
    switch (status) {
    case Done:
        return "done";
    case DataFileFailed:
        return "a data file failed";
    case BadArguments:
        return "bad arguments";
    case LoginRefused:
        return "the login was refused (also a failed TLS handshake)";
    case NoRightOrData:
        return "no right, or no data for that moment";
    case ServerUnreachable:
        return "the server could not be reached";
    case StaleData:
        return "stale data: the newest sample is too old for the moment";
    }
    return "";
}

} // namespace

void beginProgram(const char *name)
{
    nameOfProgram() = QString::fromLatin1(name);
    qInstallMessageHandler(keepQtMessages);
}

QString programName() { return nameOfProgram(); }

QString programVersion() { return QStringLiteral(SKLADAR_VERSION); }

int complain(int status, const QString &message)
{
    std::fprintf(stderr, "%s: %s\n", nameOfProgram().toLocal8Bit().constData(), message.toLocal8Bit().constData());
    std::fflush(stderr);
    return status;
}

void printOut(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

QString exitStatusHelp(std::initializer_list<ExitStatus> statuses)
{
    QString text = QStringLiteral("Exit status:");
    for (const ExitStatus status : statuses)
        text += QStringLiteral("\n  %1  %2").arg(int(status)).arg(QString::fromLatin1(statusMeaning(status)));
    return text;
}

CommandLine::CommandLine(const QString &description, std::initializer_list<ExitStatus> statuses)
    : m_help(QStringList{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help and exits."))
    , m_version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                QStringLiteral("Shows the version and exits."))
{
    parser.setApplicationDescription(description + QStringLiteral("\n\n") + exitStatusHelp(statuses));
    parser.addOption(m_help);
    parser.addOption(m_version);
}

std::optional<int> CommandLine::parse(const QStringList &arguments)
{
    const bool parsed = parser.parse(arguments);
    // --help and --version win over anything else on the line, as users expect.
    if (parser.isSet(m_help)) {
        printOut(parser.helpText());
        return Done;
    }
    if (parser.isSet(m_version)) {
        printOut(QStringLiteral("%1 %2\n").arg(programName(), programVersion()));
        return Done;
    }
    if (!parsed)
        return badArgument(parser.errorText());
    return std::nullopt;
}

int CommandLine::badArgument(const QString &problem)
{
    return complain(BadArguments, QStringLiteral("%1 (see %2 --help)").arg(problem, programName()));
}
