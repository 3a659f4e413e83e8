#include "FileFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

namespace lumora::ui {

namespace {
QHash<int, QString> &remembered()
{
    static QHash<int, QString> folders;
    return folders;
}

QString homeFolder(FileKind kind)
{
    QStandardPaths::StandardLocation where = QStandardPaths::PicturesLocation;
    switch (kind) {
    case FileKind::Photo:
    case FileKind::Background: where = QStandardPaths::PicturesLocation; break;
    case FileKind::Song:
    case FileKind::Lyric: where = QStandardPaths::MusicLocation; break;
    case FileKind::Album: where = QStandardPaths::MoviesLocation; break;
    }
    const QString folder = QStandardPaths::writableLocation(where);
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::homePath();
}
} // namespace

QString startFolder(FileKind kind)
{
    const QString last = remembered().value(int(kind));
    return !last.isEmpty() && QFileInfo(last).isDir() ? last : homeFolder(kind);
}

void rememberFolder(FileKind kind, const QString &fileOrFolder)
{
    if (fileOrFolder.isEmpty())
        return;
    const QFileInfo fi(fileOrFolder);
    remembered().insert(int(kind), fi.isDir() ? fi.absoluteFilePath() : fi.absolutePath());
}

void forgetFolders()
{
    remembered().clear();
}

} // namespace lumora::ui
