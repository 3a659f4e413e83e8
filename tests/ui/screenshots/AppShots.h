#pragma once
// Screenshots of the start-up, mode, photo, settings and dialog windows.
namespace lumora {
class AlbumSession;
}
namespace lumora::ui {
class MainWindow;
}
namespace lumora::screenshots {
class Shooter;
// Expects an album with photos; leaves the main window as it found it.
void shootAppWindows(ui::MainWindow &main, AlbumSession &session, Shooter &shooter);
} // namespace lumora::screenshots
