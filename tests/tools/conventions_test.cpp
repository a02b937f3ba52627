// The conventions every program keeps, run as cron runs them: a bare environment, exit statuses,
// silence on success, messages under the program's name; and the tools' login over TLS.
#include "tests/support/namedcases.h"
#include "tests/support/serverprocess.h"

#include <QDate>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// Runs the program in dir with no environment but a PATH and a HOME of its own, as cron does.
ProgramRun runBare(const QString &program, const QStringList &arguments, const QString &dir)
{
    QProcessEnvironment bare;
    bare.insert(u"PATH"_s, u"/usr/bin:/bin"_s);
    bare.insert(u"HOME"_s, dir + u"/home"_s);
    return runProgram(program, arguments, dir, bare);
}

struct ProgramCase
{
    const char *name;
    const char *binary;
    QStringList succeeds; // arguments of a successful run in a folder that skladar-demo filled
};

class EveryProgram : public testing::TestWithParam<ProgramCase>
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(runBare(QString::fromUtf8(SKLADAR_DEMO_BINARY), {u"."_s}, dir.path()).status, 0);
    }
    QTemporaryDir dir;
};

TEST_P(EveryProgram, RunsSilentlyUnderCronAndRefusesAnUnknownOptionWithStatus2)
{
    const QString program = QString::fromUtf8(GetParam().binary);
    const ProgramRun success = runBare(program, GetParam().succeeds, dir.path());
    EXPECT_EQ(success.status, 0);
    EXPECT_EQ(success.err, QString());

    const ProgramRun version = runBare(program, {u"--version"_s}, dir.path());
    EXPECT_EQ(version.out, u"%1 %2\n"_s.arg(QFileInfo(program).fileName(), QStringLiteral(SKLADAR_VERSION)));
    EXPECT_EQ(version.err, QString());
    const ProgramRun help = runBare(program, {u"--help"_s}, dir.path());
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains(u"Exit status:\n  0  done\n"_s)) << help.out.toStdString();

    const ProgramRun unknown = runBare(program, {u"--no-such-option"_s}, dir.path());
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.err.startsWith(QFileInfo(program).fileName() + u": "_s)) << unknown.err.toStdString();
    EXPECT_TRUE(unknown.err.contains(u"no-such-option"_s)) << unknown.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Programs, EveryProgram, testing::Values(
    ProgramCase{"skladar", SKLADAR_CLIENT_BINARY, {u"--version"_s}},
    ProgramCase{"server", SKLADAR_SERVER_BINARY, {u"--db"_s, u"plant.sqlite"_s, u"--list-users"_s}},
    ProgramCase{"demo", SKLADAR_DEMO_BINARY, {u"again"_s}},
    ProgramCase{"plantsim", SKLADAR_PLANTSIM_BINARY, {u"--version"_s}},
    ProgramCase{"snapshot", SKLADAR_SNAPSHOT_BINARY, {u"--out"_s, u"view.png"_s}},
    ProgramCase{"history", SKLADAR_HISTORY_BINARY, {u"--tank"_s, u"86"_s}},
    ProgramCase{"report", SKLADAR_REPORT_BINARY, {u"--at"_s, QDate::currentDate().addDays(-1).toString(u"yyyy-MM-dd 06:00"_s), u"--out"_s, u"r.pdf"_s}}),
    caseName<ProgramCase>);

// The tools reach a TLS server with --tls-ca; a certificate that is not the server's, or TLS at a
// plain server, is a refused login told as "TLS: ..."; a server that is not there is unreachable.
TEST(ToolsOverTls, LogInOnlyWithTheServersCertificate)
{
    QTemporaryDir dir;
    ASSERT_EQ(runBare(QString::fromUtf8(SKLADAR_DEMO_BINARY), {u"."_s}, dir.path()).status, 0);
    ServerProcess secure;
    ASSERT_TRUE(secure.start(dir.filePath(u"tls.sqlite"_s), 0, {u"--tls-cert"_s, tlsFile("server.crt"), u"--tls-key"_s, tlsFile("server.key")}));
    const struct { const char *certificate; int status; const char *err; } cases[] = {
        {"server.crt", 0, ""}, {"other.crt", 3, "skladar-history: TLS: "}};
    for (const auto &c : cases) {
        const QStringList arguments{u"--tank"_s, u"74"_s, u"--login"_s, u"admin"_s, u"--server"_s,
                                    u"127.0.0.1:%1"_s.arg(secure.port()), u"--tls-ca"_s, tlsFile(c.certificate)};
        const ProgramRun run = runBare(QString::fromUtf8(SKLADAR_HISTORY_BINARY), arguments, dir.path());
        EXPECT_EQ(run.status, c.status) << c.certificate << ": " << run.err.toStdString();
        EXPECT_TRUE(c.status == 0 ? run.err.isEmpty() : run.err.startsWith(QString::fromLatin1(c.err))) << c.certificate << ": " << run.err.toStdString();
    }
}

} // namespace
