// The skladar-server program itself: the user administration and its refusals to serve.
#include "server/plantstore.h"
#include "tests/support/serverprocess.h"

#include <QDir>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

using namespace Qt::StringLiterals;

// Administration runs one after another on one store, and the refusals to serve, each one plain line.
TEST(ServerProgramTest, AdministersUsersAndRefusesWhatItCannotDo)
{
    QTemporaryDir dir;
    const QString store = dir.filePath(u"plant.sqlite"_s);
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::LocalHost, 0));
    const QString taken = u"127.0.0.1:%1"_s.arg(holder.serverPort());
    // Read-only folders bind everyone but root, who runs the server in them as nobody.
    const QDir folder(dir.path());
    ASSERT_TRUE(folder.mkdir(u"readonly"_s) && folder.mkdir(u"readonly-store"_s));
    const QString missing = folder.filePath(u"readonly/plant.sqlite"_s);
    const QString existing = folder.filePath(u"readonly-store/plant.sqlite"_s);
    ASSERT_TRUE(PlantStore::open(existing).store);
    const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto passable = readOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(existing, readOnly) && QFile::setPermissions(folder.filePath(u"readonly"_s), passable)
                && QFile::setPermissions(folder.filePath(u"readonly-store"_s), passable)
                && QFile::setPermissions(dir.path(), passable | QFile::WriteOwner));
    const QString badMap = dir.filePath(u"channels.csv"_s);
    QFile mapFile(badMap);
    ASSERT_TRUE(mapFile.open(QIODevice::WriteOnly) && mapFile.write("channel,host,port,unit,function,register,type,scale,offset\n"
                                                                    "0,127.0.0.1,,1,3,0,int64,1,0\n") > 0);
    mapFile.close();
    const QStringList nobody{u"setpriv"_s, u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s, u"--"_s};
    const struct
    {
        QStringList arguments;
        int exitCode;
        QString output; // the start of standard output, or of standard error on failure
        bool asNobody = false;
    } runs[] = {
        {{u"--db"_s, store, u"--list-users"_s}, 0, u"1\tADMIN\t1\tADMINISTRATOR\n2\tOPER\t3\tOPERATER\n"_s},
        {{u"--db"_s, store, u"--set-level"_s, u"oper"_s, u"2"_s}, 0, u"skladar-server: the user with password OPER"_s},
        {{u"--db"_s, store, u"--list-users"_s}, 0, u"1\tADMIN\t1\tADMINISTRATOR\n2\tOPER\t2\tOPERATER\n"_s},
        {{u"--db"_s, store, u"--set-level"_s, u"NOBODY"_s, u"2"_s}, 1, u"skladar-server: no user has the password NOBODY"_s},
        {{u"--db"_s, store, u"--set-level"_s, u"OPER"_s, u"4"_s}, 2, u"skladar-server: the level must be 1, 2 or 3"_s},
        {{u"--db"_s, store, u"--set-level"_s, u"OPER"_s}, 2, u"skladar-server: --set-level takes PASSWORD and LEVEL"_s},
        {{u"--db"_s, store, u"--listen"_s, taken}, 1, u"skladar-server: cannot listen on "_s + taken},
        {{u"--db"_s, dir.filePath(u"unbound.sqlite"_s), u"--listen"_s, taken}, 1, u"skladar-server: cannot listen on "_s + taken},
        {{u"--db"_s, store, u"--list-users"_s, u"stray"_s}, 2, u"skladar-server: unexpected argument stray"_s},
        {{u"--listen"_s, u"localhost:7400"_s}, 2, u"skladar-server: --listen needs ADDR:PORT"_s},
        {{u"--db"_s, store, u"--history-interval"_s, u"60"_s}, 2, u"skladar-server: --history-interval needs --channels"_s},
        {{u"--db"_s, store, u"--channels"_s, badMap, u"--poll"_s, u"0"_s}, 2, u"skladar-server: --poll takes a whole number from 1 to 3600, not \"0\""_s},
        {{u"--db"_s, store, u"--listen"_s, u"127.0.0.1:0"_s, u"--channels"_s, badMap}, 1,
         u"skladar-server: the channel map %1, line 2, column 7 (type): "_s.arg(badMap)},
        {{u"--db"_s, missing, u"--listen"_s, u"127.0.0.1:0"_s}, 1, u"skladar-server: cannot create "_s + missing, true},
        {{u"--db"_s, existing, u"--listen"_s, u"127.0.0.1:0"_s}, 1, u"skladar-server: cannot open "_s + existing, true},
    };
    for (const auto &run : runs) {
        const QStringList command = (run.asNobody && ::geteuid() == 0 ? nobody : QStringList()) + QStringList{serverProgram()} + run.arguments;
        const ProgramRun ran = runProgram(command.front(), command.mid(1));
        const QString output = run.exitCode == 0 ? ran.out : ran.err;
        EXPECT_EQ(ran.status, run.exitCode) << run.arguments.join(u' ').toStdString();
        EXPECT_TRUE(output.startsWith(run.output)) << output.toStdString();
        EXPECT_TRUE(run.exitCode == 0 || output.count(u'\n') == 1) << output.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(u"unbound.sqlite"_s))) << "a failed bind created the store";
}

// While a server runs on the store: a login and a write, then the audit trail and a backup.
TEST_F(ServerProcessTest, ReadsTheAuditAndBacksUpWhileServing)
{
    ASSERT_TRUE(server.start(storePath()));
    FrameClient client;
    ASSERT_TRUE(client.connectTo(server.port()));
    ASSERT_EQ(client.exchange(ExchangeOperation::Write, materialWrite(205, 901.5))->status, ExchangeStatus::Success);

    const ProgramRun audit = runProgram(serverProgram(), {u"--db"_s, storePath(), u"--audit"_s, u"--csv"_s, u"--since"_s, u"2000-01-01"_s});
    EXPECT_EQ(audit.status, 0) << audit.err.toStdString();
    const QStringList lines = audit.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << audit.out.toStdString();
    EXPECT_EQ(lines[0], u"time,user,address,code,change"_s);
    EXPECT_TRUE(QRegularExpression(u"^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ,ADMINISTRATOR \\(1\\),127\\.0\\.0\\.1,korisnik,prijava$"_s)
                    .match(lines[1]).hasMatch()) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].contains(u",205,materijal 205 ime "_s) && lines[2].endsWith(u"; materijal 205 ro 890.000 -> 901.500"_s))
        << lines[2].toStdString();

    const QString copy = m_dir.filePath(u"copy.sqlite"_s);
    const ProgramRun backup = runProgram(serverProgram(), {u"--db"_s, storePath(), u"--backup"_s, copy});
    EXPECT_EQ(backup.status, 0) << backup.err.toStdString();
    EXPECT_TRUE(backup.err.isEmpty() && backup.out.isEmpty());
    EXPECT_EQ(QFile::permissions(copy) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const StoreOpening opened = PlantStore::open(copy);
    ASSERT_TRUE(opened.store) << opened.error.toStdString();
    EXPECT_EQ(opened.store->material(205).value.density20, 901.5);
    EXPECT_EQ(opened.store->auditRows({}).value.size(), 2);
    EXPECT_TRUE(server.stop());

    // Without --db the commands look only for the default store and never create it.
    QProcessEnvironment bare;
    bare.insert(u"HOME"_s, m_dir.filePath(u"home"_s));
    for (const QString &command : {u"--list-users"_s, u"--audit"_s}) {
        const ProgramRun refused = runProgram(serverProgram(), {command}, {}, bare);
        EXPECT_EQ(refused.status, 1);
        EXPECT_TRUE(refused.err.startsWith(u"skladar-server: no store at the default path "_s + m_dir.filePath(u"home"_s)))
            << refused.err.toStdString();
    }
    EXPECT_FALSE(QDir(m_dir.filePath(u"home"_s)).exists());
}

} // namespace
