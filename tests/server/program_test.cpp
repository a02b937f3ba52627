// The skladar-server program itself: the user administration and its refusals to serve.
#include "tests/support/serverprocess.h"

#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// Administration runs one after another on one store, and the refusals to serve.
TEST(ServerProgramTest, AdministersUsersAndRefusesWhatItCannotDo)
{
    QTemporaryDir dir;
    const QString store = dir.filePath(u"plant.sqlite"_s);
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::LocalHost, 0));
    const QString taken = u"127.0.0.1:%1"_s.arg(holder.serverPort());
    const struct
    {
        QStringList arguments;
        int exitCode;
        QString output; // the start of standard output, or of standard error on failure
    } runs[] = {
        {{u"--db"_s, store, u"--list-users"_s}, 0, u"1\tADMIN\t1\tADMINISTRATOR\n2\tOPER\t3\tOPERATER\n"_s},
        {{u"--db"_s, store, u"--set-level"_s, u"oper"_s, u"2"_s}, 0, u"skladar-server: the user with password OPER"_s},
        {{u"--db"_s, store, u"--list-users"_s}, 0, u"1\tADMIN\t1\tADMINISTRATOR\n2\tOPER\t2\tOPERATER\n"_s},
        {{u"--db"_s, store, u"--set-level"_s, u"NOBODY"_s, u"2"_s}, 1, u"skladar-server: no user has the password NOBODY"_s},
        {{u"--db"_s, store, u"--set-level"_s, u"OPER"_s, u"4"_s}, 1, u"skladar-server: the level must be 1, 2 or 3"_s},
        {{u"--db"_s, store, u"--set-level"_s, u"OPER"_s}, 1, u"skladar-server: --set-level takes PASSWORD and LEVEL"_s},
        {{u"--db"_s, store, u"--listen"_s, taken}, 1, u"skladar-server: cannot listen on "_s + taken},
        {{u"--listen"_s, u"localhost:7400"_s}, 1, u"skladar-server: --listen needs ADDR:PORT"_s},
    };
    for (const auto &run : runs) {
        QProcess process;
        process.start(serverProgram(), run.arguments);
        ASSERT_TRUE(process.waitForFinished(10000));
        const QByteArray output = run.exitCode == 0 ? process.readAllStandardOutput() : process.readAllStandardError();
        EXPECT_EQ(process.exitCode(), run.exitCode) << run.arguments.join(u' ').toStdString();
        EXPECT_TRUE(QString::fromLocal8Bit(output).startsWith(run.output)) << output.toStdString();
    }
}

} // namespace
