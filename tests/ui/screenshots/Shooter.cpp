#include "Shooter.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace lumora::screenshots {

Shooter::Shooter(QString folder) : m_folder(std::move(folder))
{
    QDir().mkpath(m_folder);
}

void Shooter::settle(int ms)
{
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

bool Shooter::waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void Shooter::later(int ms, const std::function<void()> &action)
{
    QTimer::singleShot(ms, action);
}

QString Shooter::shoot(QWidget *window)
{
    if (!window) {
        std::fprintf(stderr, "screenshot: no window\n");
        ++m_failures;
        return {};
    }
    if (!window->isVisible())
        window->show();
    settle();
    const QString name = window->objectName().isEmpty() ? QStringLiteral("window") : window->objectName();
    const int n = ++m_counts[name];
    const QString file = m_folder + QLatin1Char('/') + name + (n > 1 ? QStringLiteral("-%1").arg(n) : QString())
        + QStringLiteral(".png");
    const QPixmap picture = window->grab();
    if (picture.isNull() || !picture.save(file)) {
        std::fprintf(stderr, "screenshot: cannot write %s\n", qPrintable(file));
        ++m_failures;
        return {};
    }
    std::printf("%s\n", qPrintable(file));
    ++m_written;
    if (m_check) {
        const QStringList faults = m_check(window);
        for (const QString &f : faults)
            std::fprintf(stderr, "%s: %s\n", qPrintable(QFileInfo(file).fileName()), qPrintable(f));
        if (!faults.isEmpty())
            ++m_failures;
    }
    return file;
}

} // namespace lumora::screenshots
