// Production at every output size, over the authored tree: the composed frame
// of an album with a template, a picture effect, a text effect and a lyric
// line equals the native-size frame scaled to that size; overlays of both
// kinds lie in creation order; the effect rows' run states are written back.
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "album/AddStep.h"
#include "album/AlbumTables.h"
#include "album/Staging.h"
#include "app/Album.h"
#include "app/FlagWords.h"
#include "effects/EffectColumns.h"
#include "effects/EffectTables.h"
#include "media/MusicList.h"
#include "production/FrameComposer.h"
#include "production/OutputOptions.h"
#include "production/ProductionRun.h"
#include "resources/PackedFile.h"
#include "resources/Workspace.h"
#include "templates/Catalogue.h"
#include "templates/TextCodec.h"

using namespace lumora;

namespace {

const QString kTree = QStringLiteral(LUMORA_TEST_PROGRAM_DIR);

// An album of one mode over the authored tree, working in a private folder:
// two sample photos, the sample song with a lyric line from its first second,
// and effects added by the test.
class TreeAlbum {
public:
    explicit TreeAlbum(ModeKind mode) : m_paths(kTree, m_work.path()), album(m_paths)
    {
        workspace::startupClean(m_paths);
        album.mode = mode;
        buildCatalogue(album);
        album.reset(mode);
        initEffectTables(album);
        album.settings.wenzitexiaoTianjia = false;
        album.settings.huamiantexiaoTianjia = false;
        AddPhotosRequest request;
        const QString photos = kTree + QStringLiteral("shilizhaopian/");
        request.files << photos + QStringLiteral("01_晨雾群山.jpg") << photos + QStringLiteral("09_秋林.jpg");
        addPhotos(album, request);
        for (int i = 0; i < album.ListView_moban_shiyong.size() && templateRow < 0; ++i)
            if (album.ListView_moban_shiyong.cell(i, usedcol::kStatus) == flag::kCompleted)
                templateRow = i;
        music::addSong(album, kTree + QStringLiteral("yinyuegeciwenjian/甜蜜蜜.mp3"));
        const QString lrc = m_work.path() + QStringLiteral("/line.lrc");
        writeFileBytes(lrc, encodeGbk(QStringLiteral("[00:00.00]金色秋天的歌\r\n")));
        music::addLyricFile(album, lrc);
    }

    void addPictureEffect(StartTimeChoice at, int package = 0)
    {
        const QStringList listed = listPictureEffects(m_paths, album.modeInfo().effectFolder);
        ASSERT_GT(listed.size(), package);
        ASSERT_TRUE(lumora::addPictureEffect(album, listed, package, at).changed);
    }
    void addTextEffect(StartTimeChoice at)
    {
        const auto listing = listTextEffects(m_paths, album.modeInfo().effectFolder, 0, ListingCause::WindowOpening);
        ASSERT_GT(listing.size(), 0);
        ASSERT_TRUE(lumora::addTextEffect(album, listing, 0, 0, at).changed);
    }

    // Stages the album for `output` and composes `frames` frames of its first
    // complete template; returns the composer (for its picture and state).
    std::unique_ptr<FrameComposer> compose(QSize output, int frames)
    {
        const FrameGeometry g = frameGeometry(output, album.mode);
        StagingRequest request;
        request.target = g.album.size();
        request.production = true;
        stageAlbum(album, request);
        FrameComposer::Setup s;
        s.canvas = g.encoded;
        s.albumRect = g.album;
        s.totalFrames = 1000;
        s.templateRows = {templateRow};
        s.songs = {{0, 1000}};
        s.pictureEffects = !album.huamian_ListView_Image.empty();
        s.textEffects = !album.wenzi_ListView_Image.empty();
        auto c = std::make_unique<FrameComposer>(album, s, nullptr, nullptr);
        c->start();
        for (int i = 0; i < frames; ++i)
            c->composeNext();
        lastAlbumRect = g.album;
        return c;
    }

    QString workFolder() const { return m_work.path() + QLatin1Char('/'); }

private:
    QTemporaryDir m_work;
    Paths m_paths;

public:
    Album album;
    int templateRow = -1;
    QRect lastAlbumRect;
};

struct Difference {
    double mean = 0; // mean absolute difference per channel, 0..255
    double worstTile = 0; // the same over the worst 16 × 16 tile
};

Difference difference(const QImage &a, const QImage &b)
{
    constexpr int kTile = 16;
    Difference d;
    double sum = 0;
    for (int ty = 0; ty < a.height(); ty += kTile)
        for (int tx = 0; tx < a.width(); tx += kTile) {
            double tile = 0;
            int n = 0;
            for (int y = ty; y < std::min(a.height(), ty + kTile); ++y)
                for (int x = tx; x < std::min(a.width(), tx + kTile); ++x, ++n) {
                    const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                    tile += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                        + std::abs(qBlue(p) - qBlue(q));
                }
            sum += tile;
            d.worstTile = std::max(d.worstTile, tile / (3.0 * n));
        }
    d.mean = sum / (3.0 * a.width() * a.height());
    return d;
}

// The frame compared: the 12th, when the lyric line, both effects and the
// template's own motion are all on screen.
constexpr int kFrame = 12;

} // namespace

TEST(ProductionSizes, EverySizeShowsTheNativeFrameScaled)
{
    struct Sweep {
        ModeKind mode;
        std::vector<QSize> sizes;
    };
    // Small and default sizes of the disc and file types, odd sides and
    // sizes whose proportions differ from the mode's (black bars).
    const std::vector<Sweep> sweeps{
        {ModeKind::Wide16x9, {{320, 176}, {640, 368}, {1280, 720}, {1440, 816}, {1920, 1088}}},
        {ModeKind::Wide4x3, {{352, 288}, {640, 513}, {720, 576}, {1024, 821}, {1280, 1026}}},
        {ModeKind::Portrait, {{176, 320}, {480, 720}, {720, 1280}}},
    };
    for (const Sweep &sweep : sweeps) {
        TreeAlbum t(sweep.mode);
        ASSERT_GE(t.templateRow, 0);
        t.addPictureEffect({0, 0, 0});
        t.addTextEffect({0, 0, 0});
        const QSize native = t.album.modeInfo().output;
        const QImage full = t.compose(native, kFrame)->handOver().copy(t.lastAlbumRect);
        for (QSize size : sweep.sizes) {
            const std::string what
                = AlbumMode::get(sweep.mode).shortName.toStdString() + " " + sizeText(size).toStdString();
            auto c = t.compose(size, kFrame);
            ASSERT_FALSE(c->overlays().empty()) << what;
            const QImage frame = c->handOver().copy(t.lastAlbumRect);
            const QImage expected = full.scaled(frame.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                        .convertToFormat(QImage::Format_RGB32);
            // Text drawn small differs a little from text scaled down (up to
            // about 4 on average, 40 in a tile); an effect cut into strips or
            // drawn at the wrong scale differs by over 10 on average and over
            // 100 in the tiles it covers. The lyric line is laid out at the
            // output size (its font size rounds per size), so its tile may
            // differ a little more than a scaled copy (67 seen at 1280 x 1026).
            const Difference d = difference(frame, expected);
            EXPECT_LT(d.mean, 6.0) << what;
            EXPECT_LT(d.worstTile, 76.0) << what;
            if (HasFailure()) {
                frame.save(QStringLiteral("/tmp/lumora-size-actual.png"));
                expected.save(QStringLiteral("/tmp/lumora-size-expected.png"));
                return;
            }
        }
    }
}

TEST(ProductionSizes, TheOverlayCreatedLastLiesOnTopWhateverItsKind)
{
    TreeAlbum t(ModeKind::Wide16x9);
    t.addTextEffect({0, 0, 0}); // created on frame 1
    t.addPictureEffect({0, 0, 1}); // created on frame 25, while the text runs
    auto c = t.compose({320, 176}, 30);
    const auto &o = c->overlays();
    ASSERT_FALSE(o.empty());
    bool sawPicture = false, textAbovePicture = false;
    for (const EffectOverlay &ov : o) {
        sawPicture = sawPicture || ov.package.kind == EffectKind::Picture;
        textAbovePicture = textAbovePicture || (sawPicture && ov.package.kind == EffectKind::Text);
    }
    EXPECT_TRUE(sawPicture);
    EXPECT_TRUE(o.front().package.kind == EffectKind::Text) << "the text effect, created first, lies at the bottom";
    EXPECT_FALSE(textAbovePicture);
}

TEST(ProductionSizes, RunStatesAreWrittenBackToTheEffectTables)
{
    TreeAlbum t(ModeKind::Wide16x9);
    t.addTextEffect({0, 0, 0});
    t.addPictureEffect({0, 0, 30}); // never reached
    const int textFrames = t.album.wenzi_ListView_Image[0].caption().toInt();
    ASSERT_GT(textFrames, 2);
    auto c = t.compose({320, 176}, 2);
    const RowTable &text = t.album.wenzi_ListView_Image, &pictures = t.album.huamian_ListView_Image;
    EXPECT_EQ(text[0].subItem(effcol::kState), flag::kEffectRunning);
    EXPECT_EQ(text[0].subItem(effcol::kTextOverlay), flag::kCreated);
    EXPECT_EQ(pictures[0].subItem(effcol::kState), flag::kEffectIdle);
    EXPECT_EQ(pictures[0].subItem(effcol::kPicOverlay), flag::kNone);
    for (int i = 2; i < textFrames + 1; ++i)
        c->composeNext();
    EXPECT_EQ(text[0].subItem(effcol::kState), flag::kEffectFinished);
    EXPECT_EQ(text[0].subItem(effcol::kTextOverlay), flag::kNone);
}

// A production stopped while a caption shows leaves no effect row running or
// holding its overlay in the album's tables.
TEST(ProductionSizes, NoEffectRowStaysRunningAfterAProduction)
{
    TreeAlbum t(ModeKind::Wide16x9);
    t.addTextEffect({0, 0, 0});
    OutputChoice choice = defaultOutputChoice(ModeKind::Wide16x9, OutputType::MP4);
    choice.size = {320, 176};
    choice.albumName = QStringLiteral("效果状态");
    choice.folder = t.workFolder();
    const ProductionPlan plan = planProduction(t.album, choice);
    std::atomic<bool> stop{false};
    ProductionCallbacks cb;
    cb.frames = [&](long long done, long long) {
        if (done == 3)
            stop = true;
    };
    const ProductionResult r = runProduction(t.album, plan, cb, &stop);
    EXPECT_EQ(r.outcome, ProductionOutcome::Stopped);
    const Row &row = t.album.wenzi_ListView_Image[0];
    EXPECT_EQ(row.subItem(effcol::kState), flag::kEffectIdle);
    EXPECT_EQ(row.subItem(effcol::kTextOverlay), flag::kNone);
}
