#pragma once
// The mode chooser TForm43 ("选择相册模式", 876 × 639): the three album
// modes described, one button each, and "打开相册" for a saved album. A mode
// button asks for confirmation when the album holds work (a mode change
// clears it) and hands the chosen mode to
// `choose`, which builds the catalogue and resets the album and then closes
// the chooser. Closing without a mode ever chosen is refused with
// "没有选择相册模式！"; closing after a choice (or reopened later, without
// one) keeps the current mode and data.
#include <QDialog>
#include <functional>

#include "app/AlbumMode.h"

namespace lumora {
struct Album;
}

namespace lumora::ui {

class DialogService;

class ModeChooser : public QDialog {
    Q_OBJECT
public:
    // `choose(mode, done)`: runs the change; calls `done()` when the album
    // is ready, after which the chooser closes.
    using Choose = std::function<void(ModeKind mode, std::function<void()> done)>;
    ModeChooser(const Album &album, DialogService &dialogs, Choose choose, QWidget *parent = nullptr);

    // The button of a mode (Button_shuping, Button_kuanping_16_9, Button_kuanping_4_3).
    static QString buttonName(ModeKind mode);

    // "打开相册": opens a saved album instead of choosing a mode (true when
    // one was opened; the chooser then closes). No button without it.
    std::function<bool()> openAlbum;

protected:
    void reject() override;

private:
    void modeClicked(ModeKind mode);
    bool mayClose();

    const Album &m_album;
    DialogService &m_dialogs;
    Choose m_choose;
    bool m_busy = false;
};

} // namespace lumora::ui
