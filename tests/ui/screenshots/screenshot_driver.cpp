// Screenshot driver: starts the real windows over the build's resource tree
// (as `lumora` does, with the dialog service answering by script), walks
// through every window and writes <folder>/<ObjectName>.png for each.
//
//   lumora_screenshots <folder>
//
// Each window area adds its windows below, in the order a user meets them.
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <cstdio>

#include "AppShots.h"
#include "EditShots.h"
#include "EffectShots.h"
#include "PreviewShots.h"
#include "ProductionShots.h"
#include "Shooter.h"
#include "album/ThumbnailCache.h"
#include "app/DialogService.h"
#include "app/MainWindow.h"
#include "app/Style.h"
#include "resources/WorkRoot.h"
#include "session/AlbumSession.h"

using namespace lumora;
using namespace lumora::ui;
using lumora::screenshots::Shooter;

namespace {

QStringList samplePhotos(const AlbumSession &session)
{
    const QDir dir(session.paths().samplePhotoFolder());
    QStringList files;
    for (const QString &n : dir.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name))
        files << dir.absoluteFilePath(n);
    return files;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumora"));
    applyProgramStyle(app);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    Shooter shooter(folder);

    std::unique_ptr<WorkRoot> root = WorkRoot::create();
    AlbumSession session(QStringLiteral(LUMORA_TEST_PROGRAM_DIR), root->path(), 7);
    ScriptedDialogService dialogs;
    MainWindow main(session, dialogs);

    // Start-up: the main window with the start-up movie playing.
    const QString refused = main.startUp();
    if (!refused.isEmpty()) {
        std::fprintf(stderr, "start-up failed: %s\n", qPrintable(refused));
        return 1;
    }
    Shooter::settle(600);
    shooter.shoot(&main); // TForm2: start-up movie

    // The 16:9 album with the sample photos as pages of thumbnails.
    session.chooseMode(ModeKind::Wide16x9);
    main.applyAlbumReset();
    session.addPhotos(samplePhotos(session));
    main.stopStartupMovie();
    main.refreshPhotoViews();
    Shooter::waitFor([&] { return main.thumbnails().pendingCount() == 0; });
    shooter.shoot(&main); // TForm2-2: thumbnails
    main.showLargePhoto(1);
    Shooter::waitFor([&] { return main.thumbnails().pendingCount() == 0; });
    shooter.shoot(&main); // TForm2-3: large view

    // The effect windows over this album (TForm32 … TForm37).
    lumora::screenshots::shootEffectWindows(session, dialogs, shooter, &main);
    lumora::screenshots::shootEditWindows(session, dialogs, main.thumbnails(), shooter, &main);

    // Portrait mode: the framed 250 × 445 preview on its backdrop.
    session.chooseMode(ModeKind::Portrait);
    main.applyAlbumReset();
    shooter.shoot(&main); // TForm2-4

    // The large window mode with the thumbnail list.
    session.addPhotos(samplePhotos(session));
    main.refreshPhotoViews();
    main.setWindowMode(QStringLiteral("fangda_chuangkou"));
    Shooter::settle(300);
    Shooter::waitFor([&] { return main.thumbnails().pendingCount() == 0; });
    shooter.shoot(&main); // TForm2-5: enlarged with ListView1
    main.setWindowMode(QStringLiteral("moren_chuangkou"));
    lumora::screenshots::shootAppWindows(main, session, shooter);

    // Music, lyrics and the album preview (16:9, sample photos, song, lyrics).
    session.chooseMode(ModeKind::Wide16x9);
    main.applyAlbumReset();
    session.addPhotos(samplePhotos(session));
    session.addSongs({session.paths().sampleSong()});
    session.addLyricFiles({session.paths().sampleLyrics()});
    main.refreshPhotoViews();
    main.refreshMusicList();
    main.refreshLyricList();
    lumora::screenshots::shootMediaWindows(main, shooter);
    lumora::screenshots::shootProductionWindows(main, dialogs, shooter);

    std::printf("%d screenshots written, %d failed\n", shooter.written(), shooter.failures());
    return shooter.failures() == 0 ? 0 : 1;
}
