// Screenshot driver: starts the real windows over the build's resource tree
// (as `lumora` does, with the dialog service answering by script), walks
// through every window and writes <folder>/<ObjectName>.png for each.
//
//   lumora_screenshots [--lang zh|en] [--check-texts] <folder>
//
// --lang shows the windows in that language (default: Chinese, the
// sources' own texts); --check-texts fails the run when a window shows an
// interface text in Chinese (for the English run).
//
// Each window area adds its windows below, in the order a user meets them.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <cstdio>

#include "AppShots.h"
#include "EditShots.h"
#include "EffectShots.h"
#include "PreviewShots.h"
#include "ProductionShots.h"
#include "Shooter.h"
#include "TextCheck.h"
#include "album/ThumbnailCache.h"
#include "app/Album.h"
#include "app/DialogService.h"
#include "app/Language.h"
#include "app/MainWindow.h"
#include "app/Style.h"
#include "media/LyricEncoding.h"
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

// What the album holds (names, paths, cells of every table) and the sample
// files: shown as they are in any language.
QStringList albumContent(const AlbumSession &session)
{
    QStringList content;
    const Album &a = session.album();
    for (const RowTable *t :
         {&a.ListView_mobancanshu, &a.ListView_hengzhaopian, &a.ListView_shuzhaopian, &a.ListView_gaojimoban,
          &a.ListView_moban, &a.ListView_daoru_zhaopian, &a.ListView_moban_shiyong, &a.ListView_moban_shiyong_canshu,
          &a.ListView_qubu_hengzhao, &a.ListView_moban_beijing, &a.huamian_ListView_Image, &a.huamian_ListView_Image_2,
          &a.wenzi_ListView_Image, &a.wenzi_ListView_Image_2, &a.ListView_daoru_yinyue, &a.ListView_daoru_LRC,
          &a.ListView_geci_shezhi_canshu, &a.ListView_daoru_geci})
        for (const Row &r : *t)
            for (int c = 0; c <= r.subItemCount(); ++c)
                for (const QString &part : r.cell(c).split(QLatin1Char('/')))
                    content << part;
    for (const QString &dir : {session.paths().samplePhotoFolder(), session.paths().sampleFolder()})
        for (const QFileInfo &f : QDir(dir).entryInfoList(QDir::Files))
            content << f.fileName() << f.completeBaseName();
    // The sample lyrics' own lines (title, words) as the lyric panels show them.
    QFile lyrics(session.paths().sampleLyrics());
    if (lyrics.open(QIODevice::ReadOnly))
        for (const QString &line : decodeLyricText(lyrics.readAll()).text.split(QLatin1Char('\n')))
            content << line.section(QLatin1Char(']'), -1).trimmed()
                    << line.section(QLatin1Char(']'), -1).trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    content.removeDuplicates();
    return content;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumora"));
    applyProgramStyle(app);
    QStringList args = app.arguments();
    args.removeFirst();
    QString language = QStringLiteral("zh");
    if (const qsizetype at = args.indexOf(QStringLiteral("--lang")); at >= 0 && at + 1 < args.size()) {
        language = args[at + 1];
        args.remove(at, 2);
    }
    const bool checkTexts = args.removeAll(QStringLiteral("--check-texts")) > 0;
    Translations translations;
    if (translations.install(language, QStringLiteral(LUMORA_TEST_PROGRAM_DIR)) != language) {
        std::fprintf(stderr, "no translation for %s\n", qPrintable(language));
        return 1;
    }
    const QString folder = args.isEmpty() ? QStringLiteral("screenshots") : args.first();
    Shooter shooter(folder);

    std::unique_ptr<WorkRoot> root = WorkRoot::create();
    AlbumSession session(QStringLiteral(LUMORA_TEST_PROGRAM_DIR), root->path(), 7);
    if (checkTexts)
        shooter.setCheck([&session](QWidget *window) {
            return lumora::screenshots::chineseInterfaceTexts(window, albumContent(session));
        });
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
