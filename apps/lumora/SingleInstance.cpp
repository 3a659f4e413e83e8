#include "SingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace lumora {

namespace {

QString runtimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir() && QFileInfo(runtime).isWritable())
        return runtime;
    const QString own = QDir::tempPath() + QStringLiteral("/lumora-%1").arg(::getuid());
    QDir().mkpath(own);
    return own;
}

} // namespace

SingleInstance::SingleInstance() : m_path(runtimeFolder() + QStringLiteral("/lumora.lock"))
{
    const QByteArray file = QFile::encodeName(m_path);
    const int fd = ::open(file.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK)
            m_error = QString::fromLocal8Bit(std::strerror(errno));
        ::close(fd);
        return;
    }
    m_fd = fd;
}

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock
}

} // namespace lumora
