#include <gtest/gtest.h>

#include <QFile>

#include "EffectFixture.h"
#include "app/FlagWords.h"
#include "effects/EffectColumns.h"
#include "effects/EffectRun.h"
#include "effects/EffectTables.h"

using namespace lumora;
using namespace lumora::test;

namespace {
StartTimeChoice at(int h, int m, int s)
{
    return {h, m, s};
}

void addPictureRow(Album &album, int package, StartTimeChoice time)
{
    const QStringList listed = listPictureEffects(album.paths, album.modeInfo().effectFolder);
    ASSERT_TRUE(addPictureEffect(album, listed, package - 1, time).changed);
}

// Frame numbers shown after each step, for one row of a run, with the clock
// held at `clock` for `steps` steps.
std::vector<int> shown(EffectRun &run, const QString &clock, int steps)
{
    std::vector<int> out;
    for (int i = 0; i < steps; ++i) {
        const auto &ov = run.step(clock);
        out.push_back(ov.empty() ? 0 : EffectTree::frameNumberOf(ov.front().image));
    }
    return out;
}
} // namespace

TEST(EffectRun, ClockTextOfAlbumFrames)
{
    EXPECT_EQ(effectClockText(0), QStringLiteral("00:00:00"));
    EXPECT_EQ(effectClockText(24), QStringLiteral("00:00:00"));
    EXPECT_EQ(effectClockText(50), QStringLiteral("00:00:02"));
    EXPECT_EQ(effectClockText(650), QStringLiteral("00:00:26"));
    EXPECT_EQ(effectClockText(3600LL * 25), QStringLiteral("01:00:00"));
}

TEST(EffectRun, RowOfFFramesOccupiesFStepsAndShowsFMinusOne)
{
    EffectTree t;
    t.addPicture(1, 4);
    Album album = t.album();
    addPictureRow(album, 1, at(0, 0, 0));
    for (RunVariant v : {RunVariant::WindowPreview, RunVariant::Production}) {
        EffectRun run = EffectRun::forAlbum(album, EffectKind::Picture, v);
        // A row starting 00:00:00 starts on the very first step and shows frame 1 at once.
        EXPECT_EQ(shown(run, QStringLiteral("00:00:00"), 6), (std::vector<int>{1, 2, 3, 0, 0, 0}));
        EXPECT_EQ(run.state(0), flag::kEffectFinished);
        EXPECT_EQ(run.finishedCount(), 1);
    }
}

TEST(EffectRun, PlaybackRestartsAShortRowWithinItsStartSecond)
{
    EffectTree t;
    t.addPicture(1, 3);
    Album album = t.album();
    addPictureRow(album, 1, at(0, 0, 1));
    EffectRun run = EffectRun::forAlbum(album, EffectKind::Picture, RunVariant::Playback);
    std::vector<int> seen;
    for (int f = 0; f < 60; ++f) {
        const auto &ov = run.step(effectClockText(f));
        seen.push_back(ov.empty() ? 0 : EffectTree::frameNumberOf(ov.front().image));
    }
    // Frames 25 … 49 show second 1: the row plays 1 2 (hidden) and starts again
    // as long as the clock reads its start second, then ends waiting, not finished.
    std::vector<int> expected(60, 0);
    for (int f = 25; f < 50; f += 3) {
        expected[size_t(f)] = 1;
        expected[size_t(f + 1)] = 2;
    }
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(run.state(0), flag::kEffectIdle);

    EffectRun once = EffectRun::forAlbum(album, EffectKind::Picture, RunVariant::Production);
    int visible = 0;
    for (int f = 0; f < 60; ++f)
        visible += once.step(effectClockText(f)).empty() ? 0 : 1;
    EXPECT_EQ(visible, 2);
}

TEST(EffectRun, MissingFrameKeepsThePreviousPictureAndTheRowKeepsItsLength)
{
    EffectTree t;
    t.addPicture(1, 5);
    const QString mode = t.mode;
    QFile::remove(effectFramePath(t.paths, mode, {EffectKind::Picture, 0, 1}, 3, FrameSet::Preview));
    Album album = t.album();
    addPictureRow(album, 1, at(0, 0, 0));
    EffectRun run = EffectRun::forAlbum(album, EffectKind::Picture, RunVariant::WindowPreview);
    EXPECT_EQ(shown(run, QStringLiteral("00:00:00"), 6), (std::vector<int>{1, 2, 2, 4, 0, 0}));
}

TEST(EffectRun, LaterCreatedOverlayLiesOnTopAndStatesMirrorIntoTheTable)
{
    EffectTree t;
    t.addPicture(1, 10);
    t.addPicture(2, 10);
    Album album = t.album();
    addPictureRow(album, 2, at(0, 0, 1));
    addPictureRow(album, 1, at(0, 0, 0));
    addPictureRow(album, 1, at(0, 0, 1));

    EffectRun run = EffectRun::forAlbum(album, EffectKind::Picture, RunVariant::Production);
    run.step(QStringLiteral("00:00:00"));
    const auto &ov = run.step(QStringLiteral("00:00:01"));
    ASSERT_EQ(ov.size(), 3u);
    // Row 1 started first; rows 0 and 2 started together, the later-added on top.
    EXPECT_EQ(ov[0].row, 1);
    EXPECT_EQ(ov[1].row, 0);
    EXPECT_EQ(ov[2].row, 2);
    EXPECT_EQ(ov[0].position, QPoint(0, 0));
    EXPECT_EQ(ov[0].image.size(), QSize(16, 8)); // production frames 2_{k}.png at their own size

    run.writeStates(album.huamian_ListView_Image);
    EXPECT_EQ(album.huamian_ListView_Image[1].subItem(effcol::kState), flag::kEffectRunning);
    EXPECT_EQ(album.huamian_ListView_Image[1].subItem(effcol::kPicOverlay), flag::kCreated);

    // Playback creates its overlays in row order when it starts.
    EffectRun playback = EffectRun::forAlbum(album, EffectKind::Picture, RunVariant::Playback);
    playback.step(QStringLiteral("00:00:00"));
    const auto &pv = playback.step(QStringLiteral("00:00:01"));
    ASSERT_EQ(pv.size(), 3u);
    EXPECT_EQ(pv[0].row, 0);
    EXPECT_EQ(pv[2].row, 2);

    run.stop();
    run.writeStates(album.huamian_ListView_Image);
    for (const Row &r : album.huamian_ListView_Image) {
        EXPECT_EQ(r.subItem(effcol::kState), flag::kEffectIdle);
        EXPECT_EQ(r.subItem(effcol::kPicOverlay), flag::kNone);
    }
}

TEST(EffectRun, SinglePreviewRunsOnlyTheSelectedRow)
{
    EffectTree t;
    t.addPicture(1, 3);
    Album album = t.album();
    addPictureRow(album, 1, at(0, 0, 0));
    addPictureRow(album, 1, at(0, 0, 0));
    EffectRun run = EffectRun::forAlbum(album, EffectKind::Picture, RunVariant::WindowPreview, {}, 1);
    const auto &ov = run.step(QStringLiteral("00:00:00"));
    ASSERT_EQ(ov.size(), 1u);
    EXPECT_EQ(ov[0].row, 1);
    EXPECT_EQ(run.state(0), flag::kEffectIdle);
}

TEST(EffectRun, TextPositionsScaleToTheProductionSize)
{
    EffectTree t;
    t.addText(1, 1, 5);
    Album album = t.album();
    const auto listing = listTextEffects(t.paths, t.mode, 0, ListingCause::WindowOpening);
    ASSERT_TRUE(addTextEffect(album, listing, 0, 0, at(0, 0, 0)).changed);
    ASSERT_TRUE(saveTextPosition(album, 0, {-101, 225}).changed);

    EffectRun playback = EffectRun::forAlbum(album, EffectKind::Text, RunVariant::Playback);
    EXPECT_EQ(playback.step(QStringLiteral("00:00:00")).front().position, QPoint(-101, 225));

    // 800 × 450 preview to 1920 × 1080 output: −101·1920/800 truncates toward zero.
    EffectRun production = EffectRun::forAlbum(album, EffectKind::Text, RunVariant::Production);
    const auto &ov = production.step(QStringLiteral("00:00:00"));
    EXPECT_EQ(ov.front().position, QPoint(-242, 540));
    EXPECT_EQ(ov.front().image.size(), QSize(16, 8));

    EffectRun small = EffectRun::forAlbum(album, EffectKind::Text, RunVariant::Production, {720, 576});
    EXPECT_EQ(small.step(QStringLiteral("00:00:00")).front().position, QPoint(-90, 288));
}

TEST(EffectRun, FramesAreDecodedOncePerRunWhileTheyFit)
{
    EffectTree t;
    t.addPicture(1, 6);
    Album album = t.album();
    for (int i = 0; i < 3; ++i)
        addPictureRow(album, 1, at(0, 0, 0));
    EffectRun run = EffectRun::forAlbum(album, EffectKind::Picture, RunVariant::Production);
    for (int i = 0; i < 6; ++i)
        run.step(QStringLiteral("00:00:00"));
    EXPECT_EQ(run.decodedFrames(), 6);
    EXPECT_EQ(run.cacheHits(), 12);

    // A cache bounded to one frame still plays correctly, decoding again.
    EffectRun::Setup s;
    s.kind = EffectKind::Picture;
    s.variant = RunVariant::WindowPreview;
    s.modeFolder = t.mode;
    s.previewSize = {800, 450};
    s.targetSize = {800, 450};
    s.cacheBytes = 1;
    EffectRun tight(t.paths, album.huamian_ListView_Image, s);
    EXPECT_EQ(shown(tight, QStringLiteral("00:00:00"), 3), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(tight.step(QStringLiteral("00:00:00")).size(), 3u);
    EXPECT_LE(tight.cachedBytes(), 8 * 4 * 4);
}

// Production knows when each frame shows again: with room for one package,
// a package that comes back keeps its frames while a one-off package passing
// in between is dropped (dropping the least recently used would decode the
// returning package again).
TEST(EffectRun, ProductionKeepsTheFramesThatShowAgain)
{
    EffectTree t;
    t.addPicture(1, 3);
    t.addPicture(2, 3);
    Album album = t.album();
    addPictureRow(album, 1, at(0, 0, 0));
    addPictureRow(album, 2, at(0, 0, 1));
    addPictureRow(album, 1, at(0, 0, 2));
    EffectRun::forAlbum(album, EffectKind::Picture, RunVariant::Production); // rows reset as every run does
    const AlbumMode &mode = album.modeInfo();
    EffectRun::Setup s;
    s.kind = EffectKind::Picture;
    s.variant = RunVariant::Production;
    s.modeFolder = mode.effectFolder;
    s.previewSize = mode.preview;
    s.targetSize = mode.output;
    s.outputSize = mode.output;
    const qint64 frameBytes = 16 * 8 * 4;
    s.cacheBytes = 3 * frameBytes;
    EffectRun run(t.paths, album.huamian_ListView_Image, s);

    std::vector<int> seen;
    for (int f = 0; f < 80; ++f) {
        const auto &ov = run.step(effectClockText(f));
        seen.push_back(ov.empty() ? 0 : EffectTree::frameNumberOf(ov.front().image));
        EXPECT_LE(run.cachedBytes(), s.cacheBytes) << "frame " << f;
    }
    for (int second = 0; second < 3; ++second)
        EXPECT_EQ(std::vector<int>(seen.begin() + second * 25, seen.begin() + second * 25 + 4),
                  (std::vector<int>{1, 2, 0, 0}))
            << "second " << second;
    EXPECT_EQ(run.decodedFrames(), 6);
    EXPECT_EQ(run.cacheHits(), 3);
    EXPECT_EQ(run.cachedBytes(), 0); // nothing shows again after the last row
}

TEST(EffectRun, RowWithoutAFrameCountNeverStarts)
{
    EffectTree t;
    t.addPicture(1, 3);
    Album album = t.album();
    addPictureRow(album, 1, at(0, 0, 0));
    album.huamian_ListView_Image[0].setCaption(QStringLiteral("abc"));
    EffectRun run = EffectRun::forAlbum(album, EffectKind::Picture, RunVariant::Playback);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(run.step(QStringLiteral("00:00:00")).empty());
    EXPECT_EQ(run.state(0), flag::kEffectIdle);
}

TEST(EffectRun, FramePiecesRebuildTheFrameExactly)
{
    auto recompose = [](const QImage &frame) {
        QImage out(frame.size(), QImage::Format_ARGB32_Premultiplied);
        out.fill(Qt::transparent);
        for (const FramePiece &p : framePieces(frame))
            for (int y = 0; y < p.image.height(); ++y)
                for (int x = 0; x < p.image.width(); ++x)
                    out.setPixel(p.offset + QPoint(x, y), p.image.pixel(x, y));
        return out;
    };
    QImage sparse(300, 200, QImage::Format_ARGB32_Premultiplied);
    sparse.fill(Qt::transparent);
    for (QPoint at : {QPoint(0, 0), QPoint(127, 63), QPoint(128, 64), QPoint(299, 199), QPoint(150, 10)})
        sparse.setPixel(at, qRgba(10, 20, 30, 40));
    QImage full(130, 70, QImage::Format_ARGB32_Premultiplied);
    full.fill(qRgba(1, 2, 3, 255));
    QImage empty(50, 50, QImage::Format_ARGB32_Premultiplied);
    empty.fill(Qt::transparent);

    // A straight-alpha frame, as the frame decoder gives it, whose transparent
    // pixels still carry a colour: cut and drawn as its premultiplied form.
    QImage straight(300, 200, QImage::Format_ARGB32);
    straight.fill(qRgba(255, 255, 255, 0));
    straight.setPixel(5, 5, qRgba(200, 100, 50, 128));
    straight.setPixel(290, 150, qRgba(1, 2, 3, 255));

    for (const QImage &frame : {sparse, full, empty})
        EXPECT_EQ(recompose(frame), frame);
    EXPECT_EQ(recompose(straight), straight.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    EXPECT_TRUE(framePieces(empty).empty());
    for (const QImage &frame : {sparse, straight}) {
        qint64 kept = 0;
        for (const FramePiece &p : framePieces(frame)) {
            EXPECT_EQ(p.image.format(), QImage::Format_ARGB32_Premultiplied);
            kept += qint64(p.image.width()) * p.image.height();
        }
        EXPECT_LT(kept, 300 * 200 / 4); // a sparse frame keeps a small part of its pixels
    }
}

TEST(EffectRun, PreviewClockNeverShowsSixty)
{
    PreviewClock c;
    EXPECT_EQ(c.text(), QStringLiteral("00:00:00"));
    for (int i = 0; i < 59; ++i)
        c.tick();
    EXPECT_EQ(c.text(), QStringLiteral("00:00:59"));
    c.tick();
    EXPECT_EQ(c.text(), QStringLiteral("00:01:00"));
    c = {59, 59, 59};
    c.tick();
    EXPECT_EQ(c.text(), QStringLiteral("00:00:00"));
}
