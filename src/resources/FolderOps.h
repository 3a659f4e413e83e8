#pragma once
// Folder helpers of the workspace: listing packed files, wiping and ensuring
// folders. Retries are bounded; a folder that cannot be made or removed is
// reported by name through lumora::Error.
#include <QString>
#include <QStringList>
#include <functional>

namespace lumora {

// Appends to `out`, depth first, every plain file under `folder` whose
// extension is exactly ".rar" or ".RAR" (".Rar" and others are skipped).
// Entries are visited in a fixed order (code-unit order of their names) so
// that two trees list the same way on every file system; a subfolder is
// descended into at the point where it is met. Hidden files are included.
void listPackedFiles(const QString &folder, QStringList &out);
QStringList listPackedFiles(const QString &folder);

// Deletes every file under `folder` and removes the emptied folders, the given
// one last. A missing folder is already wiped. `onEntryDeleted` (optional) is
// called once per file or folder removed. Throws lumora::Error naming the
// folder when it still exists after the bounded retries.
void wipeFolder(const QString &folder, const std::function<void()> &onEntryDeleted = {});

// Creates `folder` with all missing parents; throws lumora::Error naming it
// when it still does not exist after the bounded retries.
void ensureFolder(const QString &folder);

// Deletes a file if present; a file that cannot be removed is reported.
void removeFileIfPresent(const QString &path);

// Number of attempts of the bounded retries and the pause between them.
constexpr int kFolderRetries = 20;
constexpr int kFolderRetryPauseMs = 50;

} // namespace lumora
