#include "AppShots.h"

#include <QTableWidget>

#include "Shooter.h"
#include "album/PhotoFilesWindow.h"
#include "album/PhotoGeometry.h"
#include "album/PhotoTable.h"
#include "album/PhotoWindow.h"
#include "album/ThumbnailCache.h"
#include "app/Dialogs.h"
#include "app/Loader.h"
#include "app/MainWindow.h"
#include "app/ModeChooser.h"
#include "app/SettingsWindow.h"
#include "session/AlbumSession.h"

namespace lumora::screenshots {

using namespace lumora::ui;

void shootAppWindows(MainWindow &main, AlbumSession &session, Shooter &shooter)
{
    auto shootAndHide = [&](QWidget *w) {
        shooter.shoot(w);
        w->hide();
    };
    {
        Loader loader;
        loader.show();
        shootAndHide(&loader); // TForm1
    }
    {
        ModeChooser chooser(
            session.album(), main.dialogs(), [](ModeKind, std::function<void()>) {}, &main);
        shootAndHide(&chooser); // TForm43
        ModeChangeWindow change(&main);
        change.setProgress(4, 10);
        shootAndHide(&change); // TForm44
    }
    PhotoWindow *photos = main.photoWindow();
    photos->reload();
    photos->findChild<QTableWidget *>(QStringLiteral("ListView_daoru_zhaopian"))->selectRow(2);
    photos->show();
    Shooter::waitFor([&] { return main.thumbnails().pendingCount() == 0; });
    shooter.shoot(photos); // TForm3
    {
        ProgressWindow progress(photos);
        progress.begin(PhotoWindow::tr("添加照片"), 14);
        progress.setProgress(6, 14);
        shootAndHide(&progress); // TForm13
    }
    PhotoFilesWindow *files = main.photoFilesWindow();
    files->reload();
    files->show();
    Shooter::waitFor([&] { return main.thumbnails().pendingCount() == 0; });
    shooter.shoot(files); // TForm42
    files->setBox(kListBoxLarge);
    Shooter::waitFor([&] { return main.thumbnails().pendingCount() == 0; });
    shooter.shoot(files); // TForm42-2
    files->setBox(kListBoxSmall);
    files->hide();
    photos->hide();

    SettingsWindow *settings = main.settingsWindow();
    settings->load();
    shootAndHide(settings); // TForm18
    {
        NoticeDialog notice(MainWindow::tr("没有添加照片文件！"), &main);
        shootAndHide(&notice); // TForm14
        ConfirmDialog confirm(PhotoWindow::tr("删除照片"), deletePhotoQuestion(session.album(), 0), &main);
        shootAndHide(&confirm); // TForm17
        ExitDialog exit({}, &main);
        shootAndHide(&exit); // TForm16
    }
}

} // namespace lumora::screenshots
