#pragma once
// Screenshots of the music, lyric, lyric-settings, music-preview, sync,
// staging, template-preview and photo-templates windows, and of the album
// playing in the main window's preview at three moments.

namespace lumora::ui {
class MainWindow;
} // namespace lumora::ui

namespace lumora::screenshots {

class Shooter;

void shootMediaWindows(ui::MainWindow &main, Shooter &shooter);

} // namespace lumora::screenshots
