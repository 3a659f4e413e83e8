// Album preview: the timeline, the state machine, music, lyrics, effects and
// seeking, with the silent audio sink and a clock the test moves by hand.
// Templates are the production fixture's colour movies (red 1st, green 2nd,
// blue mode movie), so a frame's colour tells which one is on screen.
#include <QFile>
#include <cmath>
#include <gtest/gtest.h>

#include "album/AlbumTables.h"
#include "app/Error.h"
#include "app/FlagWords.h"
#include "effects/EffectColumns.h"
#include "effects/EffectPackage.h"
#include "effects/EffectTables.h"
#include "media/AudioPlayer.h"
#include "media/MediaFixtures.h"
#include "media/MusicList.h"
#include "media/SmoothClock.h"
#include "playback/PreviewPlayback.h"
#include "production/ProductionFixture.h"
#include "resources/FolderOps.h"
#include "resources/PackedFile.h"
#include "templates/TemplateParams.h"
#include "templates/TextCodec.h"

using namespace lumora;
using namespace lumora::test;

namespace {

// A preview over the production fixture with templates of `first` and
// `second` frames, used rows 0 and 1 pointing at them in that order.
class PreviewRig {
public:
    explicit PreviewRig(int first = 100, int second = 50) : fx(first, second), album(fx.album(2))
    {
        album.cells.setText(cell::kKuozhanming1, QStringLiteral(".rar"));
        for (int i = 0; i < album.ListView_moban_shiyong.size(); ++i)
            album.ListView_moban_shiyong[i].setCaption(QString::number(i));
        audio.useSilentSink([this] { return now; });
        preview = std::make_unique<PreviewPlayback>(album, audio);
        preview->setClock([this] { return now; });
        preview->setAutomaticPacing(false);
        PreviewPlayback::Callbacks cb;
        cb.notice = [this](const QString &n) { notices << n; };
        preview->setCallbacks(cb);
    }

    void start(SyncMode sync = SyncMode::Template)
    {
        preview->start(sync);
        preview->waitForWorker();
        audio.waitDecoded();
    }

    // Moves the clock to `ms` in steps of one frame, ticking on every step
    // (the decoder of a song just opened is waited for, as real time would).
    void runTo(qint64 ms)
    {
        while (now < ms && preview->state() != PreviewState::Idle) {
            now = std::min(ms, now + 40);
            preview->tick();
            audio.waitDecoded();
        }
    }

    QRgb centre() const
    {
        return preview->picture().pixel(preview->picture().width() / 4, preview->picture().height() / 2);
    }

    QString song(const QString &name, double seconds)
    {
        const QString path = fx.dir() + name + QStringLiteral(".mp3");
        makeSineMp3(path, seconds);
        return path;
    }
    QString lyrics(const QString &name, const QString &text)
    {
        const QString path = fx.dir() + name + QStringLiteral(".lrc");
        writeFileBytes(path, encodeGbk(text));
        return path;
    }

    ProductionFixture fx;
    Album album;
    AudioPlayer audio;
    qint64 now = 1000;
    std::unique_ptr<PreviewPlayback> preview;
    QStringList notices;
};

} // namespace

TEST(AudioPlayer, SilentSinkFollowsItsClockSeeksAndEnds)
{
    ProductionFixture fx;
    const QString path = fx.dir() + QStringLiteral("a.mp3");
    makeSineMp3(path, 2.5);
    qint64 now = 0;
    AudioPlayer player;
    player.useSilentSink([&] { return now; });
    player.open(path);
    ASSERT_TRUE(player.waitDecoded());
    EXPECT_NEAR(player.lengthMs(), 2500, 60);
    EXPECT_TRUE(player.lengthExact());
    EXPECT_EQ(player.positionMs(), 0);
    player.play();
    now = 1000;
    EXPECT_EQ(player.positionMs(), 1000);
    player.stop();
    now = 1800;
    EXPECT_EQ(player.positionMs(), 1000) << "a stopped player keeps its position";
    player.seek(2000);
    EXPECT_EQ(player.positionMs(), 2000);
    player.play();
    now = 2100;
    EXPECT_EQ(player.positionMs(), 2300);
    EXPECT_FALSE(player.atEnd());
    now = 5000;
    EXPECT_TRUE(player.atEnd());
    EXPECT_EQ(player.positionMs(), player.lengthMs());
    EXPECT_FALSE(player.isPlaying());
}

// A device clock as PulseAudio reports it: it falls behind by 20 ms over
// three seconds, then jumps ahead at once. Frames paced by the smoothed clock
// come evenly (no step of the clock longer than the time passed + 5 ms),
// stay with the device (within 20 ms), also while its report settles after a
// start, and a real jump (a new start) is taken at once.
TEST(SmoothClock, FollowsAJumpingDeviceClockEvenly)
{
    SmoothClock clock;
    auto device = [](qint64 us) {
        const double ms = double(us) / 1000.0;
        return ms - std::fmod(ms, 3000.0) * 20.0 / 3000.0;
    };
    double last = clock.follow(device(0), 0);
    for (qint64 us = 10000; us <= 30000000; us += 10000) {
        const double raw = device(us);
        const double out = clock.follow(raw, us);
        ASSERT_GE(out, last) << "went back at " << us / 1000 << " ms";
        ASSERT_LE(out - last, 10.0 + 5.0) << "jumped at " << us / 1000 << " ms";
        ASSERT_NEAR(out, raw, 20.5) << "left the device at " << us / 1000 << " ms";
        last = out;
    }
    // Just after a start the report holds for 50 ms, then runs a quarter
    // slow for 300 ms: the clock stays with it, never more than 10 ms ahead.
    clock.reset();
    auto starting = [](qint64 us) {
        const double ms = double(us) / 1000.0;
        return ms < 50.0 ? 0.0 : ms < 350.0 ? (ms - 50.0) * 0.75 : ms - 125.0;
    };
    for (qint64 us = 0; us <= 1000000; us += 2000) {
        const double out = clock.follow(starting(us), us);
        ASSERT_LE(out, starting(us) + 10.0) << "ran ahead of the device at " << us / 1000 << " ms";
        ASSERT_GE(out, starting(us) - 15.0) << "fell behind the device at " << us / 1000 << " ms";
    }
    // Far apart (a restart elsewhere): taken at once, forward or back.
    EXPECT_DOUBLE_EQ(clock.follow(device(30010000) + 500.0, 30010000), device(30010000) + 500.0);
    clock.reset();
    EXPECT_DOUBLE_EQ(clock.follow(1000.0, 30020000), 1000.0);
}

TEST(AudioPlayer, RefusesAFileWithoutSoundByName)
{
    ProductionFixture fx;
    const QString path = fx.dir() + QStringLiteral("不是音乐.mp3");
    writeFileBytes(path, QByteArray("this is not an mp3 file at all"));
    AudioPlayer player;
    player.useSilentSink();
    try {
        player.open(path);
        FAIL() << "opened a file without sound";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(path)) << e.message().toStdString();
    }
    EXPECT_FALSE(player.hasFile());
}

TEST(PreviewCheck, RefusalsInOrderThenUnmatchedPhotos)
{
    PreviewRig r;
    Album empty(r.album.paths);
    empty.reset(ModeKind::Wide16x9);
    EXPECT_EQ(PreviewPlayback::check(empty, SyncMode::Template).notice, QStringLiteral("没有添加照片文件！"));
    EXPECT_EQ(PreviewPlayback::check(r.album, SyncMode::Music).notice,
              QStringLiteral("没有找到音乐文件！使用随音乐文件同步,至少添加一个音乐文件！"));
    EXPECT_TRUE(PreviewPlayback::check(r.album, SyncMode::Template).canStart());
    r.album.ListView_daoru_zhaopian[1].setCell(photocol::kMatched, QString());
    EXPECT_EQ(PreviewPlayback::check(r.album, SyncMode::Template).unmatchedPhotos, 1);
    r.album.ListView_moban_shiyong.clear();
    EXPECT_EQ(PreviewPlayback::check(r.album, SyncMode::Template).notice, QStringLiteral("没有添加模板文件！"));
}

TEST(Preview, TemplatesThenModeMovieThenIdleAndPlayAgain)
{
    PreviewRig r(100, 50);
    r.start();
    ASSERT_EQ(r.preview->state(), PreviewState::Playing) << r.notices.join('\n').toStdString();
    EXPECT_EQ(r.album.cells.text(cell::kTuichu), flag::kPlaying);
    EXPECT_EQ(r.preview->timeline().totalFrames, 300);
    EXPECT_EQ(r.preview->totalText(), QStringLiteral("00:00:12"));
    EXPECT_TRUE(near(r.centre(), kFirstTemplateColour));

    const qint64 t0 = r.now;
    r.runTo(t0 + 99 * 40);
    EXPECT_EQ(r.preview->shownFrame(), 99);
    EXPECT_TRUE(near(r.centre(), kFirstTemplateColour));
    r.runTo(t0 + 100 * 40);
    EXPECT_TRUE(near(r.centre(), kSecondTemplateColour));
    EXPECT_TRUE(QFile::exists(r.album.paths.handOverPicture()));
    r.runTo(t0 + 150 * 40);
    EXPECT_EQ(r.preview->state(), PreviewState::Ending);
    EXPECT_TRUE(near(r.centre(), kModeMovieColour));
    EXPECT_EQ(r.preview->currentText(), QStringLiteral("00:00:06"));
    r.runTo(t0 + 300 * 40);
    EXPECT_EQ(r.preview->state(), PreviewState::Idle);
    EXPECT_EQ(r.album.cells.text(cell::kTuichu), flag::kStopped);
    EXPECT_FALSE(r.preview->holdsPlayer());
    EXPECT_EQ(r.preview->currentText(), QStringLiteral("00:00:00"));

    // Play after finish starts from the first template again.
    r.start();
    EXPECT_EQ(r.preview->shownFrame(), 0);
    EXPECT_TRUE(near(r.centre(), kFirstTemplateColour));
}

TEST(Preview, IncompleteTemplateIsNeitherCountedNorPlayed)
{
    PreviewRig r(100, 50);
    r.album.ListView_moban_shiyong[1].setCell(usedcol::kStatus, QStringLiteral("未完成"));
    r.start();
    ASSERT_EQ(r.preview->state(), PreviewState::Playing);
    EXPECT_EQ(r.preview->timeline().totalFrames, 250);
    EXPECT_EQ(r.preview->totalText(), QStringLiteral("00:00:10"));
    r.runTo(r.now + 100 * 40);
    EXPECT_TRUE(near(r.centre(), kModeMovieColour));
}

// The total-time label while nothing plays: what the tables tell of the
// album's length (two templates of 100 and 50 frames, a 13 s song).
TEST(Preview, KnownLengthFromTheTablesAlone)
{
    struct Case {
        const char *what;
        SyncMode sync;
        int incompleteRow; // -1: both complete
        bool song, photos;
        long long frames;
    } cases[] = {
        {"template sync: templates and the ending", SyncMode::Template, -1, true, true, 300},
        {"an incomplete template is not counted", SyncMode::Template, 1, false, true, 250},
        {"nothing complete: not known", SyncMode::Template, 2, false, true, 0},
        {"music sync: the songs", SyncMode::Music, 2, true, true, 325},
        {"beat sync: the songs", SyncMode::Beat, -1, true, true, 325},
        {"music sync without photos: nothing to play", SyncMode::Music, -1, true, false, 0},
    };
    for (const Case &c : cases) {
        PreviewRig r(100, 50);
        if (c.incompleteRow >= 0)
            for (int i = 0; i < r.album.ListView_moban_shiyong.size(); ++i)
                if (c.incompleteRow == 2 || i == c.incompleteRow)
                    r.album.ListView_moban_shiyong[i].setCell(usedcol::kStatus, QStringLiteral("未完成"));
        if (c.song)
            music::addSong(r.album, r.song(QStringLiteral("s"), 13.2));
        if (!c.photos)
            r.album.ListView_daoru_zhaopian.clear();
        EXPECT_EQ(PreviewTimeline::knownTotalFrames(r.album, c.sync), c.frames) << c.what;
    }
}

TEST(Preview, NoCompleteTemplateRefusesToPlay)
{
    PreviewRig r;
    for (int i = 0; i < r.album.ListView_moban_shiyong.size(); ++i)
        r.album.ListView_moban_shiyong[i].setCell(usedcol::kStatus, QStringLiteral("未完成"));
    r.start();
    EXPECT_EQ(r.preview->state(), PreviewState::Idle);
    ASSERT_EQ(r.notices.size(), 1);
    EXPECT_EQ(r.album.cells.text(cell::kTuichu), flag::kStopped);
}

// Template sync repeats the songs; lyric file k goes with song k, and a song
// without its own lyric file shows none.
TEST(Preview, TracksAlternateAndLyricsFollowTheTrack)
{
    struct Case {
        const char *name;
        int songs;
        int lyricFiles;
        // (album second + 0.5, expected lyric) checks
        std::vector<std::pair<int, QString>> expect;
    };
    const std::vector<Case> cases = {
        {"two tracks, two lyric files", 2, 2, {{1, "甲"}, {3, "乙"}, {5, ""}, {6, "甲"}, {8, "乙"}}},
        {"one track, two lyric files", 1, 2, {{1, "甲"}, {5, ""}, {6, "甲"}}},
        {"two tracks, one lyric file", 2, 1, {{1, "甲"}, {3, ""}, {6, "甲"}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PreviewRig r(100, 50);
        // Song 0 lasts 2 s, song 1 lasts 3 s: album seconds 0-2, 2-5, 5-7, 7-10, 10-12.
        const double lengths[] = {2.0, 3.0};
        const QString lines[] = {QStringLiteral("[00:01.00]甲\r\n"), QStringLiteral("[00:01.00]乙\r\n")};
        for (int k = 0; k < c.songs; ++k)
            music::addSong(r.album, r.song(QStringLiteral("song%1").arg(k), c.songs == 1 ? 5.0 : lengths[k]));
        for (int k = 0; k < c.lyricFiles; ++k)
            music::addLyricFile(r.album, r.lyrics(QStringLiteral("lrc%1").arg(k), lines[k]));
        r.start();
        ASSERT_EQ(r.preview->state(), PreviewState::Playing) << r.notices.join('\n').toStdString();
        const qint64 t0 = r.now;
        for (const auto &[second, lyric] : c.expect) {
            r.runTo(t0 + second * 1000 + 500);
            EXPECT_EQ(r.preview->lyricText(), lyric) << "at second " << second;
        }
        if (c.songs == 2) {
            r.runTo(t0 + 7500);
            EXPECT_EQ(r.album.cells.text(cell::kYinyueLeijia), QStringLiteral("1"));
            EXPECT_EQ(r.audio.fileName(), r.album.ListView_daoru_yinyue[1].subItem(3));
        }
        // The picture follows the music clock: within one frame of the song position.
        const PreviewTimeline &t = r.preview->timeline();
        ASSERT_GE(r.preview->songIndex(), 0);
        const qint64 album = t.songs[size_t(r.preview->songIndex())].startMs + r.audio.positionMs();
        EXPECT_LE(std::abs(album - PreviewTimeline::frameMs(r.preview->shownFrame())), 40);
    }
}

// The preview shows the same line as the video on every frame: the line
// whose stamp is at or before the frame's time in its song.
TEST(Preview, LyricLineChangesOnTheFirstFrameAtItsStamp)
{
    PreviewRig r(100, 50);
    music::addSong(r.album, r.song(QStringLiteral("song"), 4.0));
    music::addLyricFile(
        r.album, r.lyrics(QStringLiteral("lrc"), QStringLiteral("[00:00.50]甲\r\n[0:1.30]乙乙\r\n[00:02.00]\r\n")));
    r.start();
    ASSERT_EQ(r.preview->state(), PreviewState::Playing) << r.notices.join('\n').toStdString();
    const qint64 t0 = r.now;
    for (const int frame : {12, 13, 32, 33, 49, 50}) {
        r.runTo(t0 + frame * 40);
        ASSERT_EQ(r.preview->shownFrame(), frame);
        const long long ms = frame * 40;
        const QString expected = ms >= 2000 ? QString()
            : ms >= 1300                    ? QStringLiteral("乙乙")
            : ms >= 500                     ? QStringLiteral("甲")
                                            : QString();
        EXPECT_EQ(r.preview->lyricText(), expected) << "frame " << frame;
    }
}

TEST(Preview, MusicSyncRunsAsLongAsTheMusicWithTemplatesRepeated)
{
    PreviewRig r(100, 50);
    music::addSong(r.album, r.song(QStringLiteral("long"), 9.5));
    r.start(SyncMode::Music);
    ASSERT_EQ(r.preview->state(), PreviewState::Playing);
    const PreviewTimeline &t = r.preview->timeline();
    EXPECT_EQ(t.totalFrames, 9 * 25);
    // 100 + 50 frames cover 150 of the 225 the music needs: the first
    // template comes again, cut at the end of the music; no mode movie.
    ASSERT_EQ(t.segments.size(), 3u);
    EXPECT_EQ(t.segments[2].usedRow, 0);
    EXPECT_EQ(t.segments[2].frames, 75);
    r.runTo(r.now + 160 * 40);
    EXPECT_TRUE(near(r.centre(), kFirstTemplateColour));
    r.runTo(r.now + 100 * 40);
    EXPECT_EQ(r.preview->state(), PreviewState::Idle);
}

TEST(Preview, PictureEffectStartingAt2sStartsOnTheFiftiethFrame)
{
    PreviewRig r(100, 50);
    const QString modeFolder = r.album.modeInfo().effectFolder;
    const EffectLocation loc{EffectKind::Picture, 0, 1}; // packages count from 1
    ensureFolder(effectFolder(r.album.paths, modeFolder, loc));
    EffectPackageIni ini;
    ini.name = QStringLiteral("测试画面");
    ini.frameCount = QStringLiteral("10");
    writeFileBytes(effectIniPath(r.album.paths, modeFolder, loc), encodeGbk(ini.toIniText()));
    QImage frame(800, 450, QImage::Format_ARGB32_Premultiplied);
    frame.fill(qRgba(255, 255, 255, 255));
    for (int k = 1; k <= 10; ++k)
        writePng(frame, effectFramePath(r.album.paths, modeFolder, loc, k, FrameSet::Preview), 1);
    initEffectTables(r.album);
    ASSERT_TRUE(addPictureEffect(r.album, listPictureEffects(r.album.paths, modeFolder), 0, {0, 0, 2}).changed);

    r.start();
    const qint64 t0 = r.now;
    const RowTable &rows = r.album.huamian_ListView_Image;
    r.runTo(t0 + 48 * 40);
    EXPECT_EQ(rows[0].subItem(effcol::kState), flag::kEffectIdle);
    EXPECT_TRUE(near(r.centre(), kFirstTemplateColour));
    r.runTo(t0 + 49 * 40);
    EXPECT_EQ(r.album.cells.text(cell::kZongLeijiaZhen), QStringLiteral("50"));
    EXPECT_EQ(rows[0].subItem(effcol::kState), flag::kEffectRunning);
    EXPECT_TRUE(near(r.centre(), QColor(255, 255, 255)));

    // Seeking into the effect's run shows it; seeking before its start hides it.
    r.preview->seek(52);
    EXPECT_TRUE(near(r.centre(), QColor(255, 255, 255)));
    r.preview->seek(10);
    EXPECT_TRUE(near(r.centre(), kFirstTemplateColour));
    EXPECT_EQ(rows[0].subItem(effcol::kState), flag::kEffectIdle);
}

TEST(Preview, SeekMovesPictureMusicAndTime)
{
    PreviewRig r(100, 50);
    music::addSong(r.album, r.song(QStringLiteral("s"), 13.0));
    r.start();
    r.preview->seek(120);
    EXPECT_EQ(r.preview->shownFrame(), 120);
    EXPECT_TRUE(near(r.centre(), kSecondTemplateColour));
    EXPECT_EQ(r.audio.positionMs(), 120 * 40);
    EXPECT_EQ(r.preview->currentText(), QStringLiteral("00:00:04"));
    const qint64 t = r.now;
    r.runTo(t + 400);
    EXPECT_EQ(r.preview->shownFrame(), 130);
    r.preview->seek(5);
    EXPECT_TRUE(near(r.centre(), kFirstTemplateColour));
    r.preview->seek(299);
    EXPECT_TRUE(near(r.centre(), kModeMovieColour));
    EXPECT_EQ(r.preview->state(), PreviewState::Ending);
}

TEST(Preview, PauseHoldsPictureSoundAndTimeAndResumesInStep)
{
    PreviewRig r(100, 50);
    music::addSong(r.album, r.song(QStringLiteral("s"), 13.0));
    r.start();
    r.runTo(r.now + 2000);
    const long long held = r.preview->shownFrame();
    ASSERT_GE(held, 49);
    r.preview->pause();
    EXPECT_TRUE(r.preview->paused());
    EXPECT_FALSE(r.audio.isPlaying());
    const qint64 soundHeld = r.audio.positionMs();
    const QString timeHeld = r.preview->currentText();
    r.runTo(r.now + 3000); // ticks while paused change nothing
    EXPECT_EQ(r.preview->shownFrame(), held);
    EXPECT_EQ(r.audio.positionMs(), soundHeld);
    EXPECT_EQ(r.preview->currentText(), timeHeld);
    EXPECT_EQ(r.album.cells.text(cell::kTuichu), flag::kPlaying) << "the album stays guarded while paused";

    // A seek while paused shows its frame and stays paused.
    r.preview->seek(120);
    EXPECT_EQ(r.preview->shownFrame(), 120);
    EXPECT_TRUE(near(r.centre(), kSecondTemplateColour));
    EXPECT_TRUE(r.preview->paused());
    EXPECT_FALSE(r.audio.isPlaying());
    r.runTo(r.now + 1000);
    EXPECT_EQ(r.preview->shownFrame(), 120);

    // Resume: the sound from the frame's moment, the frames on from there.
    r.preview->resume();
    EXPECT_FALSE(r.preview->paused());
    EXPECT_TRUE(r.audio.isPlaying());
    EXPECT_EQ(r.audio.positionMs(), 120 * 40);
    r.runTo(r.now + 400);
    EXPECT_EQ(r.preview->shownFrame(), 130);
    EXPECT_EQ(r.audio.positionMs(), 130 * 40);

    // Stop from a pause goes back to the start; play starts from frame 0.
    r.preview->pause();
    r.preview->stop();
    EXPECT_EQ(r.preview->state(), PreviewState::Idle);
    EXPECT_FALSE(r.preview->paused());
    EXPECT_EQ(r.preview->currentText(), QStringLiteral("00:00:00"));
    r.start();
    EXPECT_EQ(r.preview->shownFrame(), 0);
    EXPECT_TRUE(r.audio.isPlaying());
}

// The hand-over picture the second template starts from is the first
// template's last frame however the second was loaded: ahead on a worker
// while the first plays, for a seek from elsewhere (from the hand-over kept
// or drawn by the chain), or ahead again after a seek into the first
// template.
TEST(Preview, TemplateLoadedAheadShowsTheSameHandOverAsASeek)
{
    PreviewRig r(100, 50);
    const QString folder = r.fx.paths().templateMovieFolder(ModeKind::Wide16x9);
    // First: a white square sliding from the left edge to the right one.
    packed::packTo(R"({"lumoraMovie":1,"stage":[1920,1080],"frames":100,
        "variables":{")"
                       + kMovieIdentityVariable.toUtf8() + R"(":")" + kMovieIdentityValue.toUtf8() + R"("},
        "layers":[{"type":"rect","rect":[0,0,1920,1080],"fill":"#202020"},
                  {"type":"rect","rect":[0,440,200,200],"fill":"#ffffff","anim":{"x":[[0,0,"linear"],[99,1720]]}}]})",
                   packed::kTemplateMovieDepth, folder + QStringLiteral("t_000.rar"));
    // Second: nothing but the picture it takes over from.
    packed::packTo(R"({"lumoraMovie":1,"stage":[1920,1080],"frames":50,
        "variables":{")"
                       + kMovieIdentityVariable.toUtf8() + R"(":")" + kMovieIdentityValue.toUtf8() + R"("},
        "layers":[{"type":"picture","rect":[0,0,1920,1080],"picture":"../../pic/picture_0.jpg"}]})",
                   packed::kTemplateMovieDepth, folder + QStringLiteral("t_001.rar"));
    r.start();
    ASSERT_EQ(r.preview->state(), PreviewState::Playing) << r.notices.join('\n').toStdString();
    r.runTo(r.now + 101 * 40);
    ASSERT_EQ(r.preview->shownFrame(), 101);
    EXPECT_GE(r.preview->stats().aheadLoads, 1);
    const QImage inOrder = r.preview->picture();
    const int w = inOrder.width(), h = inOrder.height();
    EXPECT_GT(qGray(inOrder.pixel(w - w / 40, h / 2)), 200) << "the square where the first template ended";
    EXPECT_LT(qGray(inOrder.pixel(w / 40, h / 2)), 60) << "not where it began";

    auto worstDifference = [&](const QImage &other) {
        int worst = other.size() == inOrder.size() ? 0 : 255;
        for (int y = 0; y < h && worst < 255; y += 3)
            for (int x = 0; x < w; x += 3)
                worst = std::max(worst, std::abs(qGray(other.pixel(x, y)) - qGray(inOrder.pixel(x, y))));
        return worst;
    };
    r.preview->seek(299); // the mode movie: the next seek loads the second template again
    r.preview->seek(101);
    EXPECT_LE(worstDifference(r.preview->picture()), 2) << "loaded after a seek from elsewhere";
    r.preview->seek(5); // the first template again: the second loads ahead from there
    r.preview->seek(101);
    EXPECT_LE(worstDifference(r.preview->picture()), 2) << "loaded ahead after a seek";
}

TEST(Preview, StopDuringStagingEndsAtOnceAndLeavesNothing)
{
    PreviewRig r;
    r.preview->start(SyncMode::Template);
    EXPECT_EQ(r.preview->state(), PreviewState::Staging);
    r.preview->stop();
    EXPECT_EQ(r.preview->state(), PreviewState::Idle);
    EXPECT_FALSE(r.preview->holdsPlayer());
    EXPECT_EQ(r.album.cells.text(cell::kTuichu), flag::kStopped);
    r.preview->waitForWorker();
    EXPECT_EQ(r.preview->state(), PreviewState::Idle);
    EXPECT_FALSE(QFile::exists(r.album.paths.albumStaging()));
}

TEST(Preview, SongMovedAwayIsReportedAndPreviewGoesOn)
{
    PreviewRig r;
    const QString path = r.song(QStringLiteral("走失的歌"), 3.0);
    music::addSong(r.album, path);
    QFile::remove(path);
    r.start();
    EXPECT_EQ(r.preview->state(), PreviewState::Playing);
    ASSERT_FALSE(r.notices.isEmpty());
    EXPECT_TRUE(r.notices.join('\n').contains(path)) << r.notices.join('\n').toStdString();
    r.runTo(r.now + 2000);
    EXPECT_EQ(r.preview->shownFrame(), 50);
}
