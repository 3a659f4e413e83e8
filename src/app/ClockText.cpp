#include "ClockText.h"

#include <QStringList>

namespace lumora {
namespace {
QString twoDigits(long long v)
{
    return v < 10 ? QStringLiteral("0") + QString::number(v) : QString::number(v);
}
} // namespace

QString clockTextHMS(long long seconds)
{
    if (seconds < 0)
        seconds = 0;
    const long long h = seconds / 3600;
    const long long m = (seconds / 60) % 60;
    const long long s = seconds % 60;
    return twoDigits(h) + u':' + twoDigits(m) + u':' + twoDigits(s);
}

QString clockTextMS(long long seconds)
{
    if (seconds < 0)
        seconds = 0;
    return twoDigits((seconds / 60) % 60) + u':' + twoDigits(seconds % 60);
}

long long parseClockText(const QString &text)
{
    const QStringList parts = text.trimmed().split(u':');
    if (parts.size() < 2 || parts.size() > 3)
        return -1;
    long long total = 0;
    for (const QString &p : parts) {
        bool ok = false;
        const long long v = p.toLongLong(&ok);
        if (!ok || v < 0)
            return -1;
        total = total * 60 + v;
    }
    return total;
}

} // namespace lumora
