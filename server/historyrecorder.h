// Records the history file: one writer per file, every write whole or not at all.
#pragma once

#include "server/recordedhistory.h"

#include <QString>

#include <memory>
#include <optional>

class HistoryRecorder
{
public:
    struct Opening
    {
        std::unique_ptr<HistoryRecorder> recorder; // null on failure
        QString error;
    };

    // Takes the lock beside the file (path + ".lock"), which a second recorder of the same file
    // cannot get, and continues the file when it exists. A file that does not decode whole, or a
    // lock held elsewhere, refuses the opening; the file is not touched. A missing file is
    // created at the first sample. limit: MinHistorySamples..MaxHistorySamples.
    static Opening open(const QString &path, int limit);
    ~HistoryRecorder();
    HistoryRecorder(const HistoryRecorder &) = delete;
    HistoryRecorder &operator=(const HistoryRecorder &) = delete;

    // Appends the sample and writes the whole file into path + ".new", flushes it to disk and
    // renames it over the file, so a reader, a SIGKILL or a power cut meets the old file or the new
    // one. On failure the old file stays, the reason comes back, and the sample is kept: the next
    // successful write carries it. A file-size limit fails the write only when SIGXFSZ is ignored.
    std::optional<QString> record(const HistorySample &sample);

    const RecordedHistory &history() const { return m_history; }
    const QString &path() const { return m_path; }

private:
    HistoryRecorder(QString path, int limit, int lockDescriptor, RecordedHistory history);

    QString m_path;
    int m_limit;
    int m_lock;
    RecordedHistory m_history;
};

// Writes bytes into path + ".new", flushes it and renames it over path, then flushes the folder.
// Nullopt on success; else the reason, with the temporary file removed and path untouched.
std::optional<QString> replaceFileDurably(const QString &path, QByteArrayView bytes);
