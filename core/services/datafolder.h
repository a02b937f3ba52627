// The folder from which the client reads its data files ("Bgd.rez", "Konfig.rez", "REPORT.STG", ...).
#pragma once

#include <QDir>
#include <QString>

// Operators start the client in the folder that holds the plant's files, so production uses the
// working directory as it is at start; tests point it at a temporary folder.
class DataFolder
{
public:
    explicit DataFolder(const QString &path);
    static DataFolder workingDirectory();

    QString path() const { return m_dir.path(); }
    // The full path of a file of the folder; the name is taken as it is.
    QString filePath(const QString &fileName) const;
    // True when the file exists now (a plain file, not a folder).
    bool exists(const QString &fileName) const;

private:
    QDir m_dir;
};
