#pragma once
// Connects the preview, music, lyric, lyric-settings, music-preview and sync
// windows to the main window's commands: play and stop, "添加音乐",
// "添加歌词", "同步效果", and double-clicks on the main window's music and
// lyric lists. The windows are made once and live as long as the main window.
#include <functional>

namespace lumora {
class AlbumSession;
}

namespace lumora::ui {

class AlbumPreview;
class DialogService;
class MainWindow;

// Returns the album preview (owned by the main window). Also makes the
// template preview TForm19 and the photo-templates window TForm20 (reached by
// double-clicking a photo).
AlbumPreview *attachMediaWindows(MainWindow &main, AlbumSession &session, DialogService &dialogs);

// The preview handler for template management's preview buttons
// (TemplateManagerWindow::setPreviewHandler): (row, used) opens the template
// preview of used-template row `row`, or of the catalogue template in row
// `row` of ListView_moban.
std::function<void(int row, bool used)> templatePreviewHandler(MainWindow &main);

} // namespace lumora::ui
