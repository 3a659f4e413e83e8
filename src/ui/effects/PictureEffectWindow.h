#pragma once
// The picture effect window (TForm32, "画面特效"): the album's picture effect
// rows, added by hand at a start time or placed automatically by family
// (TForm35), each package previewed moving over the sample picture before it
// is added.
#include "EffectTimelineWindow.h"

namespace lumora::ui {

class PicturePlacementWindow;

class PictureEffectWindow : public EffectTimelineWindow {
    Q_OBJECT
public:
    PictureEffectWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent = nullptr);

    // Fills the time lists, lists the mode's picture effects and shows the window.
    bool openWindow() override;
    // The opening steps without showing (the screenshot driver and tests show it themselves).
    void prepare();

protected:
    EffectLocation locationOf(int nameIndex) const override;
    void addRow() override;
    void autoPlace() override;
};

} // namespace lumora::ui
