// The history's lock and its durable replacement through a renamed temporary file.
#include "server/historyrecorder.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

using namespace Qt::StringLiterals;

QString systemError(const QString &what, const QString &path)
{
    return u"%1 %2: %3"_s.arg(what, path, QString::fromLocal8Bit(std::strerror(errno)));
}

bool writeAll(int descriptor, QByteArrayView bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(descriptor, bytes.data() + done, static_cast<std::size_t>(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// The folder entry of a rename reaches the disk only when the folder is flushed too.
void syncFolderOf(const QString &path)
{
    const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

} // namespace

std::optional<QString> replaceFileDurably(const QString &path, QByteArrayView bytes)
{
    const QString temporary = path + u".new"_s;
    const QByteArray temporaryName = QFile::encodeName(temporary);
    const int descriptor = ::open(temporaryName.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return systemError(u"cannot create"_s, temporary);
    std::optional<QString> error;
    if (!writeAll(descriptor, bytes))
        error = systemError(u"cannot write"_s, temporary);
    else if (::fsync(descriptor) != 0)
        error = systemError(u"cannot flush"_s, temporary);
    if (::close(descriptor) != 0 && !error)
        error = systemError(u"cannot close"_s, temporary);
    if (!error && ::rename(temporaryName.constData(), QFile::encodeName(path).constData()) != 0)
        error = systemError(u"cannot rename over"_s, path);
    if (error) {
        ::unlink(temporaryName.constData());
        return error;
    }
    syncFolderOf(path);
    return std::nullopt;
}

HistoryRecorder::Opening HistoryRecorder::open(const QString &path, int limit)
{
    const QString lockPath = path + u".lock"_s;
    const int lock = ::open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lock < 0)
        return {nullptr, systemError(u"cannot open the lock"_s, lockPath)};
    if (::flock(lock, LOCK_EX | LOCK_NB) != 0) {
        ::close(lock);
        return {nullptr, u"another server records into %1"_s.arg(path)};
    }
    RecordedHistory history;
    QFile file(path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) {
            ::close(lock);
            return {nullptr, u"cannot read %1: %2"_s.arg(path, file.errorString())};
        }
        HistoryDecoding decoding = RecordedHistory::decode(file.readAll());
        if (!decoding.history) {
            ::close(lock);
            return {nullptr, u"the history %1 does not decode: %2"_s.arg(path, decoding.error)};
        }
        history = std::move(*decoding.history);
    }
    return {std::unique_ptr<HistoryRecorder>(new HistoryRecorder(path, limit, lock, std::move(history))), {}};
}

HistoryRecorder::HistoryRecorder(QString path, int limit, int lockDescriptor, RecordedHistory history)
    : m_path(std::move(path))
    , m_limit(limit)
    , m_lock(lockDescriptor)
    , m_history(std::move(history))
{}

HistoryRecorder::~HistoryRecorder() { ::close(m_lock); }

std::optional<QString> HistoryRecorder::record(const HistorySample &sample)
{
    m_history.append(sample, m_limit);
    return replaceFileDurably(m_path, m_history.bytes());
}
