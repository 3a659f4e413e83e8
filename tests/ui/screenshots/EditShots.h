#pragma once
// Screenshots of the editing windows: template management (TForm8, with a
// used template's slot frames), cropping (TForm9, a photo enlarged),
// backgrounds (TForm21, the preview playing) and template options (TForm41).
class QWidget;

namespace lumora {
class AlbumSession;
namespace ui {
class DialogService;
class ThumbnailCache;
} // namespace ui
} // namespace lumora

namespace lumora::screenshots {

class Shooter;

void shootEditWindows(AlbumSession &session, ui::DialogService &dialogs, ui::ThumbnailCache &thumbs, Shooter &shooter,
                      QWidget *parent);

} // namespace lumora::screenshots
