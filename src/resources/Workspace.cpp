#include "Workspace.h"

#include "FolderOps.h"
#include "PackedFile.h"

namespace lumora::workspace {

void unpackStartupMovie(const Paths &paths)
{
    packed::unpackTo(paths.startupMoviePacked(), packed::kStartupMovieDepth, paths.startupMovieUnpacked());
}

void startupClean(const Paths &paths)
{
    ensureFolder(paths.scratch());
    for (const QString &f : paths.workingFiles())
        removeFileIfPresent(f);
    wipeFolder(paths.stagingRoot());
    wipeFolder(paths.wjToWj());
}

void modeChangeClean(const Paths &paths)
{
    wipeFolder(paths.scratch());
    ensureFolder(paths.scratch());
}

void stagingClean(const Paths &paths)
{
    wipeFolder(paths.stagingRoot());
}

void exitClean(const Paths &paths, const std::function<void(int, int)> &progress)
{
    const int maximum = int(listPackedFiles(paths.scratch()).size());
    int done = 0;
    auto step = [&] {
        if (done < maximum)
            ++done;
        if (progress)
            progress(done, maximum);
    };
    wipeFolder(paths.scratch(), step);
    wipeFolder(paths.stagingRoot(), step);
    for (const QString &f : paths.workingFiles())
        removeFileIfPresent(f);
    if (progress)
        progress(maximum, maximum);
}

} // namespace lumora::workspace
