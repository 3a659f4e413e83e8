#pragma once
// The workspace steps of the program's lifecycle: what happens to the scratch
// and staging folders at start-up, on an album-mode change and at exit.
#include <functional>

#include "app/Paths.h"

namespace lumora::workspace {

// Start-up: ensure the scratch folder (unpackStartupMovie follows it),
// delete the five working files, wipe the staging root and wj_to_wj.
void startupClean(const Paths &paths);
// Unpacks the start-up movie (13 layers) to its scratch path.
void unpackStartupMovie(const Paths &paths);
// Album-mode change: wipe the scratch folder and recreate it empty.
void modeChangeClean(const Paths &paths);
// Preview stopped / template preview closed: wipe the staging root.
void stagingClean(const Paths &paths);

// Exit: wipe the scratch folder and the staging root, delete the working files.
// `progress(done, maximum)`: maximum is the number of packed files found in the
// scratch folder; done advances by one for every entry deleted (capped at maximum).
void exitClean(const Paths &paths, const std::function<void(int done, int maximum)> &progress = {});

} // namespace lumora::workspace
