#pragma once
// Where the file dialogs start: each kind of file (photos, songs, lyric
// files, background pictures, album files) starts where the person last took
// such files in this run, else in the home's Pictures, Music or Videos folder
// (the home itself when that folder does not exist).
//
// Use from the user-interface thread.
#include <QString>

namespace lumora::ui {

enum class FileKind { Photo, Song, Lyric, Background, Album };

QString startFolder(FileKind kind);
// Remembers the folder of `fileOrFolder` (a chosen file, or a folder) for
// the kind; an empty path changes nothing.
void rememberFolder(FileKind kind, const QString &fileOrFolder);
// Forgets every remembered folder (tests).
void forgetFolders();

} // namespace lumora::ui
