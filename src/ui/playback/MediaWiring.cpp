#include "playback/MediaWiring.h"

#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include "album/TemplateManagerWindow.h"
#include "app/MainWindow.h"
#include "media/LyricSettingsWindow.h"
#include "media/LyricWindow.h"
#include "media/MusicPreviewWindow.h"
#include "media/MusicWindow.h"
#include "playback/AlbumPreview.h"
#include "playback/SyncWindow.h"
#include "session/AlbumSession.h"
#include "templates/Catalogue.h"
#include "templates/PhotoTemplatesWindow.h"
#include "templates/TemplatePreviewWindow.h"

namespace lumora::ui {

AlbumPreview *attachMediaWindows(MainWindow &main, AlbumSession &session, DialogService &dialogs)
{
    auto *preview = new AlbumPreview(main, session, dialogs);
    auto *musicPreview = new MusicPreviewWindow(session, dialogs, preview->audio(), &main);
    auto *settings = new LyricSettingsWindow(session, &main);
    auto openPreview = [musicPreview](const QString &mode, int row) { musicPreview->openFor(mode, row); };
    auto *music = new MusicWindow(session, dialogs, openPreview, &main);
    auto *lyrics = new LyricWindow(
        session, dialogs, openPreview, [settings](int row) { settings->openFor(row); }, &main);
    auto *sync = new SyncWindow(session, &main);

    main.enableCommand(QStringLiteral("Button_gongneng_02"), [&main, music] {
        if (main.refuseWhilePlaying())
            return;
        music->refresh();
        music->exec();
        main.refreshMusicList();
    });
    main.enableCommand(QStringLiteral("Button_gongneng_03"), [&main, lyrics] {
        if (main.refuseWhilePlaying())
            return;
        lyrics->refresh();
        lyrics->exec();
        main.refreshLyricList();
    });
    main.enableCommand(QStringLiteral("Button_gongneng_09"), [&main, sync] {
        if (main.refuseWhilePlaying())
            return;
        sync->exec();
        main.refreshTotalTime();
    });
    // Double-clicking the main window's lists previews the music or the lyrics.
    const struct {
        const char *list;
        const char *mode;
    } lists[] = {{"ListView_daoru_yinyue", "bofangyingyue"}, {"ListView_daoru_geci", "bofanggeci"}};
    for (const auto &l : lists) {
        for (QTreeWidget *tree : main.findChildren<QTreeWidget *>(QString::fromLatin1(l.list))) {
            if (tree->window() != &main)
                continue;
            const QString mode = QString::fromLatin1(l.mode);
            QObject::connect(tree, &QTreeWidget::itemDoubleClicked, &main,
                             [&main, musicPreview, mode, tree](QTreeWidgetItem *item) {
                                 if (!main.refuseWhilePlaying())
                                     musicPreview->openFor(mode, tree->indexOfTopLevelItem(item));
                             });
        }
    }

    // Template preview: a photo's templates from the main window, and the
    // preview buttons of template management.
    auto *templatePreview = new TemplatePreviewWindow(session, dialogs, &main);
    auto *photoTemplates = new PhotoTemplatesWindow(
        session, dialogs, *templatePreview,
        [&main] {
            if (QPushButton *b = main.button(QStringLiteral("Button_gongneng_07")); b && b->isEnabled())
                b->click();
        },
        &main);
    QObject::connect(&main, &MainWindow::photoTemplatesRequested, photoTemplates, [&main, photoTemplates](int row) {
        if (!main.refuseWhilePlaying())
            photoTemplates->previewPhoto(row);
    });
    QTimer::singleShot(0, &main, [&main] {
        for (TemplateManagerWindow *tm : main.findChildren<TemplateManagerWindow *>())
            tm->setPreviewHandler(templatePreviewHandler(main));
    });
    return preview;
}

std::function<void(int, bool)> templatePreviewHandler(MainWindow &main)
{
    return [&main](int row, bool used) {
        auto *w = main.findChild<TemplatePreviewWindow *>(QStringLiteral("TForm19"));
        if (!w)
            return;
        if (used) {
            w->openUsed(row, QStringLiteral("yulan_shiyongmoban"));
            return;
        }
        const RowTable &list = main.session().album().ListView_moban;
        if (row >= 0 && row < list.size())
            w->openCatalogue(list[row].cell(listcol::kIndex).toInt(), list[row].cell(listcol::kCategory));
    };
}

} // namespace lumora::ui
