// The per-process working root: made fresh, removed at the end, and the roots
// of processes that died are removed at the next start.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "resources/WorkRoot.h"

using namespace lumora;

TEST(WorkRoot, EachRootIsOwnAndRemovedAtTheEnd)
{
    QTemporaryDir base;
    QString first;
    {
        auto a = WorkRoot::create(base.path());
        auto b = WorkRoot::create(base.path());
        first = a->path();
        EXPECT_NE(a->path(), b->path());
        EXPECT_TRUE(QFileInfo(a->path()).isDir());
        QFile f(a->path() + QStringLiteral("smxcwjj/x"));
        QDir().mkpath(a->path() + QStringLiteral("smxcwjj"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        // A live root is never taken for a stale one.
        EXPECT_EQ(WorkRoot::removeStale(WorkRoot::parentFolder(base.path())), 0);
        EXPECT_TRUE(QFileInfo(a->path()).isDir());
    }
    EXPECT_FALSE(QFileInfo::exists(first));
}

TEST(WorkRoot, RootOfAKilledProcessIsRemovedAtTheNextStart)
{
    QTemporaryDir base;
    const QString parent = WorkRoot::parentFolder(base.path());
    // A root whose lock names a process that no longer exists.
    QProcess gone;
    gone.start(QStringLiteral("true"));
    ASSERT_TRUE(gone.waitForFinished());
    const qint64 deadPid = gone.processId() ? gone.processId() : 999999;
    const QString stale = parent + QStringLiteral("%1-dead/").arg(deadPid);
    ASSERT_TRUE(QDir().mkpath(stale + QStringLiteral("smxcwjj/wj_y_l")));
    QFile lock(stale + QStringLiteral(".lumora.lock"));
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(999999) + "\nlumora\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();

    auto fresh = WorkRoot::create(base.path());
    EXPECT_FALSE(QFileInfo::exists(stale));
    EXPECT_TRUE(QFileInfo(fresh->path()).isDir());
}
