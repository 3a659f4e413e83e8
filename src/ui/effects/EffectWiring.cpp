#include "EffectWiring.h"

#include "PictureEffectWindow.h"
#include "TextEffectWindow.h"
#include "app/MainWindow.h"

namespace lumora::ui {

void attachEffectWindows(MainWindow &main, AlbumSession &session, DialogService &dialogs)
{
    auto *picture = new PictureEffectWindow(session, dialogs, &main);
    auto *text = new TextEffectWindow(session, dialogs, &main);
    main.enableCommand(QStringLiteral("Button56"), [&main, picture] {
        if (!main.refuseWhilePlaying())
            picture->openWindow();
    });
    main.enableCommand(QStringLiteral("Button55"), [&main, text] {
        if (!main.refuseWhilePlaying())
            text->openWindow();
    });
}

} // namespace lumora::ui
