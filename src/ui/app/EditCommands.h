#pragma once
// Connects the main window's editing commands to their windows: "模板管理"
// (TForm8), "照片剪裁" (TForm9), "背景图片" (TForm21), and adds "保存相册" and
// "打开相册" with the recovery file. Each window is made once, on first use,
// as a child of the main window and shown window-modal (never blocking the
// caller); on closing, the main window's lists and total time are rebuilt.
//
// Use from the user-interface thread.
#include <QString>

namespace lumora::ui {

class MainWindow;
class ProjectCommands;

// Enables and connects the commands (call once, after the main window's buttons exist).
void installEditCommands(MainWindow &main);
// The save/open commands of `main` (made by installEditCommands).
ProjectCommands *projectCommands(MainWindow &main);
// The program turns on the recovery file (tests and the screenshot driver do
// not): the album is kept in `folder` while the program runs, a file left by
// a crashed run is offered after the first mode choice, and a clean exit
// removes the file.
void enableAlbumRecovery(MainWindow &main, const QString &folder);

} // namespace lumora::ui
