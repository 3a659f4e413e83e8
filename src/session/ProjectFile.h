#pragma once
// The album on disk: one project file (JSON with a format marker and a
// version) that holds the album mode, every album table the user made (photos,
// used templates and their slots, backgrounds, picture and text effects,
// songs, lyric files and their display settings), the settings and the
// production choices. Photos, songs and lyric files are stored by path, never
// copied; a path inside the project file's folder is stored relative to it,
// so a folder moved or copied with its project keeps working. The template
// catalogue is not stored: it is rebuilt from the resource tree for the mode,
// and every used template is checked against it when the file is opened.
//
// Writing is atomic (a temporary file beside the target, then a rename): a
// crash or a full disk leaves the previous file as it was.
//
// Opening is whole or nothing: the file is parsed, checked and loaded into a
// separate album first; the session's album is replaced only when everything
// loads. Files the project refers to that no longer exist are reported by
// name; by default nothing is loaded then, or, when the caller asks, the
// album is loaded without them (their photos deleted with every cascade).
//
// saveProject/openProject/captureProject: call from the thread that owns the
// session. serializeProject works on a snapshot and may run on any thread.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <utility>
#include <vector>

#include "app/AlbumMode.h"
#include "app/RowTable.h"
#include "app/Settings.h"
#include "production/OutputOptions.h"

namespace lumora {

class AlbumSession;
struct Album;

// Marker and version written into every project file. A file of a later
// version is refused (it may hold what this program cannot keep).
inline const QString kProjectFormatMarker = QStringLiteral("lumora-album");
constexpr int kProjectFormatVersion = 1;
// The extension of project files, with its dot.
inline const QString kProjectExtension = QStringLiteral(".lumora");

// Everything a project file holds, copied out of the session. Copying is
// cheap (the texts are shared), so a snapshot taken on the owner thread can
// be serialized and written on another.
struct ProjectSnapshot {
    ModeKind mode = ModeKind::Wide16x9;
    Settings settings;
    QString assignMethod;
    OutputChoice output;
    // The album tables by their names (ListView_daoru_zhaopian, …), in a fixed order.
    std::vector<std::pair<QString, RowTable>> tables;
    // The mode's unpacked default background picture (it lives in the
    // working root of one process): stored as a token, unpacked again on open.
    QString defaultBackgroundPath;
    // The seed of the album's random source: an opened album draws the same
    // sequence again (lumora-make then repeats what the windows did).
    std::uint64_t seed = 0;
};

ProjectSnapshot captureProject(const AlbumSession &session);

// True when the album holds anything the person added (photos, used
// templates, songs, lyric files, effects): what a mode change, opening
// another album or quitting would lose.
bool albumHoldsWork(const Album &album);

// The project document. `baseFolder`: the folder of the project file (paths
// inside it are written relative to it); empty writes every path absolute.
QByteArray serializeProject(const ProjectSnapshot &snapshot, const QString &baseFolder);

// Writes `bytes` to `path` atomically. Throws lumora::Error naming the file.
void writeFileAtomically(const QString &path, const QByteArray &bytes);

// Captures, serializes (relative to the file's folder) and writes atomically.
// Throws lumora::Error with the notice when the file cannot be written.
void saveProject(const AlbumSession &session, const QString &path);

enum class MissingFiles {
    Refuse, // nothing is loaded when a referenced file is missing
    LoadWithout, // load; missing photos are deleted, missing songs, lyric files and backgrounds dropped
};

struct ProjectOpenReport {
    bool loaded = false;
    // Referenced files that do not exist, as stored (absolute), in table order, without repeats.
    QStringList missing;
    // The mode of the file (valid when the file parsed).
    ModeKind mode = ModeKind::Wide16x9;
};

// Opens a project file into the session. Throws lumora::Error with the
// Chinese notice when the file is unreadable, damaged, truncated, of a newer
// version or names templates the catalogue does not have; the session is
// unchanged then. With missing files and MissingFiles::Refuse, returns them
// with loaded = false and changes nothing.
ProjectOpenReport openProject(AlbumSession &session, const QString &path, MissingFiles policy = MissingFiles::Refuse);
// The same from the file's bytes; `path` names the file in notices and gives
// the folder relative paths start from.
ProjectOpenReport openProjectData(AlbumSession &session, const QByteArray &bytes, const QString &path,
                                  MissingFiles policy = MissingFiles::Refuse);
// The largest project file opened: a real album's file is a few megabytes.
constexpr qint64 kMaxProjectFileBytes = 256LL * 1024 * 1024;

// The notice for files that are missing when a project is opened.
QString missingFilesNotice(const QStringList &missing);

} // namespace lumora
