#pragma once
// Screenshots of the effect windows: TForm32 and TForm33 with a package
// mid-animation and a row preview running, the delete-by-origin dialogs
// TForm36/TForm37 and the placement windows TForm34/TForm35.
class QWidget;

namespace lumora {
class AlbumSession;
namespace ui {
class DialogService;
}
} // namespace lumora

namespace lumora::screenshots {

class Shooter;

// The album should have complete used templates (the placement windows open only then).
void shootEffectWindows(AlbumSession &session, ui::DialogService &dialogs, Shooter &shooter, QWidget *parent);

} // namespace lumora::screenshots
