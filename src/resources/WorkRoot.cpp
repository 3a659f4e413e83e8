#include "WorkRoot.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <unistd.h>

#include "app/Error.h"

namespace lumora {

namespace {

const QString kLockName = QStringLiteral(".lumora.lock");

bool writableFolder(const QString &folder)
{
    const QFileInfo fi(folder);
    return !folder.isEmpty() && fi.isDir() && fi.isWritable();
}

} // namespace

QString WorkRoot::parentFolder(const QString &base)
{
    QString b = base;
    if (b.isEmpty()) {
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        b = writableFolder(runtime) ? runtime : QDir::tempPath();
    }
    return QDir(b).absoluteFilePath(QStringLiteral("lumora-%1").arg(uint(getuid()))) + u'/';
}

int WorkRoot::removeStale(const QString &parent)
{
    int removed = 0;
    const QDir dir(parent);
    for (const QFileInfo &fi : dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString lockPath = fi.absoluteFilePath() + u'/' + kLockName;
        if (!QFileInfo::exists(lockPath)) {
            // A root being made right now has no lock yet: only old ones are abandoned.
            if (fi.lastModified().secsTo(QDateTime::currentDateTime()) < 60)
                continue;
        } else {
            QLockFile probe(lockPath);
            probe.setStaleLockTime(0);
            // Taken only when the owner is gone (a dead PID makes the lock stale).
            if (!probe.tryLock(0))
                continue;
            probe.unlock();
        }
        if (QDir(fi.absoluteFilePath()).removeRecursively())
            ++removed;
    }
    return removed;
}

std::unique_ptr<WorkRoot> WorkRoot::create(const QString &base)
{
    const QString parent = parentFolder(base);
    if (!QDir().mkpath(parent))
        throw Error(QCoreApplication::translate("lumora::WorkRoot", "无法创建工作目录：%1").arg(parent));
    QFile::setPermissions(parent, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    removeStale(parent);

    std::unique_ptr<WorkRoot> root(new WorkRoot);
    for (int attempt = 0; attempt < 16 && root->m_path.isEmpty(); ++attempt) {
        const QString candidate = parent
            + QStringLiteral("%1-%2/")
                  .arg(qint64(getpid()))
                  .arg(QRandomGenerator::system()->generate(), 8, 16, QLatin1Char('0'));
        if (QFileInfo::exists(candidate) || !QDir().mkdir(candidate))
            continue;
        auto lock = std::make_unique<QLockFile>(candidate + kLockName);
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) {
            QDir(candidate).removeRecursively();
            continue;
        }
        root->m_lock = std::move(lock);
        root->m_path = candidate;
    }
    if (root->m_path.isEmpty())
        throw Error(QCoreApplication::translate("lumora::WorkRoot", "无法创建工作目录：%1").arg(parent));
    return root;
}

WorkRoot::~WorkRoot()
{
    if (m_path.isEmpty())
        return;
    m_lock->unlock();
    QDir(m_path).removeRecursively();
}

} // namespace lumora
