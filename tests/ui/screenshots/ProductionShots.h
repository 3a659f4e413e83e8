#pragma once
// Screenshots of the production windows through the main window's own start
// command: the album type window (TForm24) for a DVD, the quality window
// (TForm6), and the production window (TForm25) mid-production with its live
// picture, which is then stopped (the partial file goes with a temporary
// folder).
namespace lumora::ui {
class MainWindow;
class ScriptedDialogService;
} // namespace lumora::ui
namespace lumora::screenshots {
class Shooter;
// Expects an album with photos and the preview stopped.
void shootProductionWindows(ui::MainWindow &main, ui::ScriptedDialogService &dialogs, Shooter &shooter);
} // namespace lumora::screenshots
