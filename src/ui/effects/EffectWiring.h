#pragma once
// Connects the picture effect window (TForm32) and the text effect window
// (TForm33) to the main window's effect commands ("画面特效" Button56,
// "文字特效" Button55). The windows are made once and live as long as the
// main window; while the album plays the commands refuse with the playing notice.
namespace lumora {
class AlbumSession;
}

namespace lumora::ui {

class DialogService;
class MainWindow;

void attachEffectWindows(MainWindow &main, AlbumSession &session, DialogService &dialogs);

} // namespace lumora::ui
