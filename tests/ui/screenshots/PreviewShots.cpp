#include "PreviewShots.h"

#include <QComboBox>
#include <QPushButton>
#include <QTreeWidget>

#include "Shooter.h"
#include "app/MainWindow.h"
#include "media/LyricSettingsWindow.h"
#include "media/LyricWindow.h"
#include "media/MusicPreviewWindow.h"
#include "media/MusicWindow.h"
#include "playback/AlbumPreview.h"
#include "playback/PreviewPlayback.h"
#include "playback/StagingWindow.h"
#include "playback/SyncWindow.h"
#include "templates/PhotoTemplatesWindow.h"
#include "templates/TemplatePreviewWindow.h"

namespace lumora::screenshots {

using namespace lumora::ui;

// The preview, music, lyric, lyric-settings, music-preview, sync, staging and
// template-preview windows, and the album preview at three moments.
void shootMediaWindows(MainWindow &main, Shooter &shooter)
{
    auto shootDialog = [&](QWidget *w) {
        if (!w)
            return;
        shooter.shoot(w);
        w->hide();
    };
    if (auto *w = main.findChild<MusicWindow *>()) {
        w->refresh();
        w->list()->setCurrentItem(w->list()->topLevelItem(0));
        shootDialog(w); // TForm4
    }
    if (auto *w = main.findChild<LyricWindow *>()) {
        w->refresh();
        w->list()->setCurrentItem(w->list()->topLevelItem(0));
        shootDialog(w); // TForm5
    }
    if (auto *w = main.findChild<LyricSettingsWindow *>()) {
        w->prepare(0);
        shootDialog(w); // TForm23
    }
    if (auto *w = main.findChild<MusicPreviewWindow *>()) {
        // The sample song with its lyrics, two seconds in (its first line shows).
        w->prepare(QStringLiteral("bofanggeci"));
        w->show();
        for (const char *name : {"ComboBox_geci", "ComboBox_yinyue"}) {
            auto *combo = w->findChild<QComboBox *>(QString::fromLatin1(name));
            combo->setCurrentIndex(0);
            Q_EMIT combo->activated(0);
        }
        w->findChild<QPushButton *>(QStringLiteral("Button_bofang_yinyue"))->click();
        Shooter::settle(2000);
        shooter.shoot(w); // TForm15
        w->findChild<QPushButton *>(QStringLiteral("Button_tingzhi_bofang"))->click();
        w->hide();
    }
    shootDialog(main.findChild<SyncWindow *>()); // TForm7
    if (auto *w = main.findChild<StagingWindow *>()) {
        w->setProgress(3, 8);
        shootDialog(w); // TForm12
    }
    if (auto *w = main.findChild<TemplatePreviewWindow *>()) {
        // A catalogue template with placeholders, then the album's first
        // used template with its photos, each a second and a half in.
        w->prepareCatalogue(0);
        w->waitPrepared();
        Shooter::settle(1500);
        shooter.shoot(w); // TForm19
        w->stop();
        w->prepareUsed(0, QStringLiteral("yulan_shiyongmoban"));
        w->waitPrepared();
        Shooter::settle(1500);
        shootDialog(w); // TForm19-2
        w->stop();
    }
    if (auto *w = main.findChild<PhotoTemplatesWindow *>()) {
        w->fill(0);
        shootDialog(w); // TForm20
    }
    // The album playing: three moments, picture, lyric line and times.
    auto *preview = main.findChild<AlbumPreview *>();
    if (!preview)
        return;
    preview->play();
    Shooter::waitFor([&] { return preview->playback().state() == PreviewState::Playing; }, 60000);
    const long long total = preview->playback().timeline().totalFrames;
    for (long long frame : {total / 5, total / 2, total - 60}) {
        preview->playback().seek(frame);
        Shooter::settle(250);
        shooter.shoot(&main); // TForm2-6, -7, -8
    }
    // Paused: 播放 reads 暂停 while playing; pressed, the picture holds.
    preview->playback().seek(total / 3);
    Shooter::settle(250);
    preview->playOrPause();
    Shooter::settle(250);
    shooter.shoot(&main); // TForm2-9
    preview->stop();
}

} // namespace lumora::screenshots
