#include "session/RecoveryFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <unistd.h>

#include "app/Error.h"

namespace lumora {

namespace {

const QString kPrefix = QStringLiteral("recovery-");

bool processRuns(qint64 pid)
{
    if (pid <= 0)
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

} // namespace

RecoveryFile::RecoveryFile(QString folder, std::chrono::milliseconds interval)
    : m_folder(std::move(folder)), m_interval(interval)
{
    if (!m_folder.endsWith(QLatin1Char('/')))
        m_folder += QLatin1Char('/');
    QDir().mkpath(m_folder);
    m_path = m_folder + kPrefix + QString::number(::getpid()) + kProjectExtension;
    m_thread = std::thread([this] { run(); });
}

RecoveryFile::~RecoveryFile()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void RecoveryFile::submit(ProjectSnapshot snapshot)
{
    {
        std::lock_guard lock(m_mutex);
        m_pending = std::move(snapshot);
    }
    m_wake.notify_all();
}

void RecoveryFile::flush()
{
    std::unique_lock lock(m_mutex);
    m_urgent = true;
    m_wake.notify_all();
    m_idle.wait(lock, [this] { return !m_pending && !m_writing; });
    m_urgent = false;
}

void RecoveryFile::discard()
{
    std::unique_lock lock(m_mutex);
    m_pending.reset();
    m_idle.wait(lock, [this] { return !m_writing; });
    QFile::remove(m_path);
    m_lastWritten.clear();
}

int RecoveryFile::writes() const
{
    std::lock_guard lock(m_mutex);
    return m_writes;
}

QString RecoveryFile::lastError() const
{
    std::lock_guard lock(m_mutex);
    return m_error;
}

void RecoveryFile::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_pending || m_quit; });
        if (!m_pending)
            return; // quit with nothing left to write
        // At most one write per interval: later snapshots replace the pending one.
        const auto due = m_lastWrite + m_interval;
        while (!m_urgent && !m_quit && std::chrono::steady_clock::now() < due)
            m_wake.wait_until(lock, due);
        ProjectSnapshot snapshot = std::move(*m_pending);
        m_pending.reset();
        m_writing = true;
        lock.unlock();

        QString error;
        QByteArray bytes = serializeProject(snapshot, QString());
        const bool changed = bytes != m_lastWritten;
        if (changed) {
            try {
                writeFileAtomically(m_path, bytes);
            } catch (const Error &e) {
                error = e.message();
            }
        }

        lock.lock();
        if (changed) {
            m_lastWrite = std::chrono::steady_clock::now();
            if (error.isEmpty()) {
                m_lastWritten = std::move(bytes);
                ++m_writes;
            }
            m_error = error;
        }
        m_writing = false;
        m_idle.notify_all();
    }
}

QString RecoveryFile::defaultFolder()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/lumora/");
}

QStringList RecoveryFile::leftBehind(const QString &folder)
{
    const QDir dir(folder);
    QFileInfoList found;
    const QFileInfoList files
        = dir.entryInfoList({kPrefix + QStringLiteral("*") + kProjectExtension}, QDir::Files, QDir::Time);
    for (const QFileInfo &fi : files) {
        const QString middle = fi.completeBaseName().mid(kPrefix.size());
        bool ok = false;
        const qint64 pid = middle.toLongLong(&ok);
        if (ok && pid != ::getpid() && !processRuns(pid))
            found << fi;
    }
    QStringList out;
    for (const QFileInfo &fi : found)
        out << fi.absoluteFilePath();
    return out;
}

} // namespace lumora
