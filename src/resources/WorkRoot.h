#pragma once
// This process's working root: the folder under which everything the program
// writes while it works lives (scratch, staging, hand-over picture, frame
// file, unpacked backgrounds), in the same relative layout as the resource
// tree. Each process has its own, so two productions run side by side and the
// resource tree itself is only ever read (an installed, read-only tree works).
//
// The root is <base>/lumora-<uid>/<pid>-<random>/ where base is
// $XDG_RUNTIME_DIR when it is set and writable, else the temporary folder. A
// lock file inside marks it as owned by a live process; the system releases
// it when the process dies, and the next start removes the roots of dead
// processes. The destructor removes the root.
#include <QLockFile>
#include <QString>
#include <memory>

namespace lumora {

class WorkRoot {
public:
    // Makes the root (removing stale roots of dead processes first). `base`:
    // the folder to make it in (empty: as described above). Throws
    // lumora::Error with the folder when it cannot be made.
    static std::unique_ptr<WorkRoot> create(const QString &base = {});
    ~WorkRoot();
    WorkRoot(const WorkRoot &) = delete;
    WorkRoot &operator=(const WorkRoot &) = delete;

    // The root, ending in '/'.
    const QString &path() const { return m_path; }

    // The parent folder the roots of this user are made in.
    static QString parentFolder(const QString &base = {});
    // Removes the roots under `parent` whose process is gone; returns how many.
    static int removeStale(const QString &parent);

private:
    WorkRoot() = default;
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace lumora
