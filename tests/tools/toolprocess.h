// Runs a command-line tool in a folder with a home of its own (settings, built-in server's store).
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

struct ToolRun
{
    int status = -1;
    QString out;
    QString err;
};

// An empty folder or home keeps the test's own.
inline ToolRun runTool(const QString &binary, const QStringList &arguments, const QString &folder, const QString &home)
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
        if (!home.isEmpty())
            environment.insert(QString::fromLatin1(name), home);
    tool.setProcessEnvironment(environment);
    tool.setWorkingDirectory(folder);
    tool.start(binary, arguments);
    EXPECT_TRUE(tool.waitForFinished(30000));
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardOutput()), QString::fromUtf8(tool.readAllStandardError())};
}
