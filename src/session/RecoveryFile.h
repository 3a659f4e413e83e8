#pragma once
// The recovery file: the album saved in the background after every change,
// so that a crash loses at most the last few seconds of work. Each running
// program writes its own file, recovery-<pid>.lumora, in the recovery folder;
// a clean exit removes it. At the next start, a file whose process no longer
// runs is what a crash left behind: the program offers to restore it (it is a
// project file with absolute paths, opened with openProject).
//
// Threads: submit(), flush() and discard() are called from the thread that
// owns the session (submit takes a snapshot, which is cheap to copy); the
// file is serialized and written on the writer's own thread, at most once per
// interval, always the newest snapshot, and only when it differs from what was
// written last. Writing is atomic, so a kill during a write leaves the
// previous file intact.
#include <QString>
#include <QStringList>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

#include "session/ProjectFile.h"

namespace lumora {

class RecoveryFile {
public:
    // folder: where the recovery files live (made when missing).
    // interval: the least time between two writes.
    explicit RecoveryFile(QString folder, std::chrono::milliseconds interval = std::chrono::seconds(3));
    // Stops the writer after the pending write. Does not remove the file:
    // call discard() on a clean exit.
    ~RecoveryFile();
    RecoveryFile(const RecoveryFile &) = delete;
    RecoveryFile &operator=(const RecoveryFile &) = delete;

    // Hands the album's current state to the writer; returns at once.
    void submit(ProjectSnapshot snapshot);
    // Waits until every submitted snapshot is on disk (exit, tests).
    void flush();
    // Removes this process's file and forgets the last written state.
    void discard();

    // This process's file.
    const QString &path() const { return m_path; }
    // Number of files written so far.
    int writes() const;
    // The last write error ("" when none).
    QString lastError() const;

    // The recovery folder of the user: $XDG_STATE_HOME/lumora, else ~/.local/state/lumora.
    static QString defaultFolder();
    // Recovery files in `folder` left by processes that are no longer running,
    // newest first.
    static QStringList leftBehind(const QString &folder);

private:
    void run();

    QString m_folder;
    QString m_path;
    std::chrono::milliseconds m_interval;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::optional<ProjectSnapshot> m_pending;
    bool m_writing = false;
    bool m_quit = false;
    bool m_urgent = false;
    int m_writes = 0;
    QString m_error;
    QByteArray m_lastWritten;
    std::chrono::steady_clock::time_point m_lastWrite{};
    std::thread m_thread;
};

} // namespace lumora
