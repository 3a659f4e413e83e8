#pragma once
// Connects the production windows to the main window's commands: the seven
// start commands (Button_zhizuo_VCD … Button_zhizuo_MOV) open the album type
// window and then the production window; "画面质量" (Button_huamian_zhiliang)
// opens the quality window. The windows are made once and live as long as
// the main window.
namespace lumora {
class AlbumSession;
}

namespace lumora::ui {

class DialogService;
class MainWindow;

void attachProductionWindows(MainWindow &main, AlbumSession &session, DialogService &dialogs);

} // namespace lumora::ui
