#include "FolderOps.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <algorithm>

#include "app/Error.h"

namespace lumora {
namespace {
QFileInfoList sortedEntries(const QString &folder)
{
    QDir dir(folder);
    QFileInfoList entries
        = dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    std::sort(entries.begin(), entries.end(),
              [](const QFileInfo &a, const QFileInfo &b) { return a.fileName() < b.fileName(); });
    return entries;
}

bool removeTree(const QString &folder, const std::function<void()> &onEntryDeleted)
{
    bool ok = true;
    for (const QFileInfo &e : sortedEntries(folder)) {
        if (e.isDir() && !e.isSymLink()) {
            ok = removeTree(e.absoluteFilePath(), onEntryDeleted) && ok;
        } else if (QFile::remove(e.absoluteFilePath())) {
            if (onEntryDeleted)
                onEntryDeleted();
        } else {
            // Read-only files: make writable and try once more.
            QFile::setPermissions(e.absoluteFilePath(), QFile::permissions(e.absoluteFilePath()) | QFile::WriteOwner);
            if (QFile::remove(e.absoluteFilePath())) {
                if (onEntryDeleted)
                    onEntryDeleted();
            } else {
                ok = false;
            }
        }
    }
    if (QDir().rmdir(folder)) {
        if (onEntryDeleted)
            onEntryDeleted();
        return ok;
    }
    return false;
}
} // namespace

void listPackedFiles(const QString &folder, QStringList &out)
{
    const QString base = folder.endsWith(u'/') ? folder.chopped(1) : folder;
    for (const QFileInfo &e : sortedEntries(base)) {
        if (e.isDir()) {
            listPackedFiles(base + u'/' + e.fileName(), out);
        } else if (e.isFile()) {
            const QString name = e.fileName();
            if (name.endsWith(QStringLiteral(".rar"), Qt::CaseSensitive)
                || name.endsWith(QStringLiteral(".RAR"), Qt::CaseSensitive))
                out << base + u'/' + name;
        }
    }
}

QStringList listPackedFiles(const QString &folder)
{
    QStringList out;
    listPackedFiles(folder, out);
    return out;
}

void wipeFolder(const QString &folder, const std::function<void()> &onEntryDeleted)
{
    for (int attempt = 0; attempt < kFolderRetries; ++attempt) {
        if (!QFileInfo::exists(folder))
            return;
        if (removeTree(folder, onEntryDeleted) || !QFileInfo::exists(folder))
            return;
        QThread::msleep(kFolderRetryPauseMs);
    }
    throw Error(QCoreApplication::translate("lumora::FolderOps", "无法删除文件夹 %1").arg(folder));
}

void ensureFolder(const QString &folder)
{
    for (int attempt = 0; attempt < kFolderRetries; ++attempt) {
        if (QFileInfo(folder).isDir())
            return;
        if (QDir().mkpath(folder) && QFileInfo(folder).isDir())
            return;
        QThread::msleep(kFolderRetryPauseMs);
    }
    throw Error(QCoreApplication::translate("lumora::FolderOps", "无法创建文件夹 %1").arg(folder));
}

void removeFileIfPresent(const QString &path)
{
    if (QFileInfo::exists(path) && !QFile::remove(path))
        throw Error(QCoreApplication::translate("lumora::FolderOps", "无法删除文件 %1").arg(path));
}

} // namespace lumora
