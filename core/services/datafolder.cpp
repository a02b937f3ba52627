// The folder from which the client reads its data files.
#include "core/services/datafolder.h"

#include <QFileInfo>

DataFolder::DataFolder(const QString &path)
    : m_dir(QDir(path).absolutePath())
{}

DataFolder DataFolder::workingDirectory() { return DataFolder(QDir::currentPath()); }

QString DataFolder::filePath(const QString &fileName) const { return m_dir.filePath(fileName); }

bool DataFolder::exists(const QString &fileName) const { return QFileInfo(filePath(fileName)).isFile(); }
