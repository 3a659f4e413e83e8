// Preview's workers against the album's owner: play pressed again while a
// stopped staging still finishes, stop while the next template loads ahead,
// with the album copied between every step as the recovery snapshot copies
// it. Under the sanitizers a worker that reads the album the owner changes is
// a race report or a heap fault.
#include <QCoreApplication>
#include <gtest/gtest.h>

#include "app/FlagWords.h"
#include "media/AudioPlayer.h"
#include "playback/PreviewPlayback.h"
#include "production/ProductionFixture.h"

using namespace lumora;
using namespace lumora::test;

namespace {

struct Rig {
    Rig() : fx(100, 50), album(fx.album(2))
    {
        album.cells.setText(cell::kKuozhanming1, QStringLiteral(".rar"));
        for (int i = 0; i < album.ListView_moban_shiyong.size(); ++i)
            album.ListView_moban_shiyong[i].setCaption(QString::number(i));
        audio.useSilentSink([this] { return now; });
        preview = std::make_unique<PreviewPlayback>(album, audio);
        preview->setClock([this] { return now; });
        preview->setAutomaticPacing(false);
    }
    // What the recovery timer does on the owner's thread, with a change of
    // the owner's own in between: copy the whole album.
    void snapshot(int round)
    {
        const Album copy = album;
        album.cells.setText(cell::kFangyeHao, QString::number(round % 3));
        ASSERT_EQ(copy.ListView_moban_shiyong.size(), album.ListView_moban_shiyong.size());
    }

    ProductionFixture fx;
    Album album;
    AudioPlayer audio;
    qint64 now = 1000;
    std::unique_ptr<PreviewPlayback> preview;
};

} // namespace

TEST(PreviewStress, PlayAgainWhileAStoppedStagingStillFinishes)
{
    Rig r;
    for (int round = 0; round < 6; ++round) {
        r.preview->start(SyncMode::Template);
        r.snapshot(round);
        r.preview->stop(); // the staging worker goes on to its end
        r.snapshot(round);
    }
    r.preview->start(SyncMode::Template);
    for (int i = 0; r.preview->busy() && i < 2000; ++i) {
        r.snapshot(i);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    r.preview->waitForWorker();
    ASSERT_EQ(r.preview->state(), PreviewState::Playing);
    // Played through to the end, as after one press.
    while (r.preview->state() != PreviewState::Idle && r.now < 60000) {
        r.now += 40;
        r.preview->tick();
        r.snapshot(int(r.now));
    }
    EXPECT_EQ(r.preview->state(), PreviewState::Idle);
}

TEST(PreviewStress, StopWhileTheNextTemplateLoadsAhead)
{
    Rig r;
    for (int round = 0; round < 4; ++round) {
        r.preview->start(SyncMode::Template);
        r.preview->waitForWorker();
        ASSERT_EQ(r.preview->state(), PreviewState::Playing);
        // Into the first template: the second starts loading ahead on a worker.
        for (int f = 0; f < 30 + round * 15; ++f) {
            r.now += 40;
            r.preview->tick();
            r.snapshot(f);
        }
        r.preview->stop();
        r.snapshot(round);
        EXPECT_EQ(r.album.cells.text(cell::kTuichu), flag::kStopped);
    }
    r.preview->waitForWorker();
    EXPECT_EQ(r.preview->state(), PreviewState::Idle);
}
