// Walks the authored effect packages of every album mode in the build's
// program folder: layout, INI keys, frame files and frame sizes.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImageReader>

#include "app/AlbumMode.h"
#include "effects/EffectPackage.h"
#include "image/ImageIO.h"

using namespace lumora;

namespace {
const Paths &tree()
{
    static const Paths p(QStringLiteral(LUMORA_TEST_PROGRAM_DIR));
    return p;
}

QSize sizeOf(const QString &path)
{
    return QImageReader(path).size();
}

class EffectTree : public ::testing::TestWithParam<ModeKind> {
protected:
    void SetUp() override
    {
        if (!QFileInfo::exists(tree().pictureEffectRoot(AlbumMode::get(GetParam()).effectFolder)))
            GTEST_SKIP() << "no authored effects in " << LUMORA_TEST_PROGRAM_DIR;
    }
    // Every frame of both sets exists; first, middle and last have the expected sizes.
    static void checkFrames(const QString &mode, const EffectLocation &loc, int frames, QSize preview, QSize production)
    {
        for (int k = 1; k <= frames; ++k)
            for (FrameSet set : {FrameSet::Preview, FrameSet::Production})
                ASSERT_TRUE(QFileInfo::exists(effectFramePath(tree(), mode, loc, k, set)))
                    << qPrintable(effectFramePath(tree(), mode, loc, k, set));
        for (int k : {1, frames / 2, frames}) {
            EXPECT_EQ(sizeOf(effectFramePath(tree(), mode, loc, k, FrameSet::Preview)), preview);
            const QSize got = sizeOf(effectFramePath(tree(), mode, loc, k, FrameSet::Production));
            EXPECT_LE(std::abs(got.width() - production.width()), 1) << got.width();
            EXPECT_LE(std::abs(got.height() - production.height()), 1) << got.height();
        }
    }
};
} // namespace

TEST_P(EffectTree, PictureEffectsAreFullFrameAnimationsWithAlpha)
{
    const AlbumMode &mode = AlbumMode::get(GetParam());
    const QStringList names = listPictureEffects(tree(), mode.effectFolder);
    ASSERT_GE(names.size(), 8);
    for (int n = 1; n <= names.size(); ++n) {
        const EffectLocation loc{EffectKind::Picture, 0, n};
        const auto ini = EffectPackageIni::read(effectIniPath(tree(), mode.effectFolder, loc));
        ASSERT_TRUE(ini);
        EXPECT_FALSE(ini->name.isEmpty());
        EXPECT_GE(ini->frames(), 50) << n; // 2 to 5 seconds
        EXPECT_LE(ini->frames(), 125) << n;
        checkFrames(mode.effectFolder, loc, ini->frames(), mode.preview, mode.output);
    }
    // A middle frame is an overlay: transparent somewhere, drawn somewhere.
    const QImage mid
        = decodePng(effectFramePath(tree(), mode.effectFolder, {EffectKind::Picture, 0, 1}, 25, FrameSet::Preview));
    bool clear = false, drawn = false;
    for (int y = 0; y < mid.height(); y += 3)
        for (int x = 0; x < mid.width(); x += 3) {
            clear = clear || qAlpha(mid.pixel(x, y)) == 0;
            drawn = drawn || qAlpha(mid.pixel(x, y)) > 0;
        }
    EXPECT_TRUE(clear && drawn);
}

TEST_P(EffectTree, TextEffectsInEveryCategoryServeTheTemplateMarks)
{
    const AlbumMode &mode = AlbumMode::get(GetParam());
    const double scale = double(mode.output.width()) / mode.preview.width();
    for (int cat = 1; cat <= kTextCategoryCount; ++cat) {
        const TextEffectListing listing
            = listTextEffects(tree(), mode.effectFolder, cat * 2, ListingCause::CategoryChange);
        ASSERT_TRUE(listing.notice.isEmpty()) << cat;
        ASSERT_GE(listing.size(), 3) << cat;
        QString letters;
        for (int i = 0; i < listing.size(); ++i) {
            const EffectLocation loc = listing.at(i);
            const auto ini = EffectPackageIni::read(effectIniPath(tree(), mode.effectFolder, loc));
            ASSERT_TRUE(ini);
            EXPECT_TRUE(ini->positionMode == kPositionFixed || ini->positionMode == kPositionCentred);
            const QString still = effectFolder(tree(), mode.effectFolder, loc) + ini->still + QStringLiteral(".png");
            const QSize box = sizeOf(still);
            ASSERT_TRUE(box.isValid()) << qPrintable(still);
            // The default position keeps the element inside the preview area.
            const QPoint at = defaultTextPosition(*ini, box, mode.preview);
            EXPECT_TRUE(QRect(QPoint(0, 0), mode.preview).contains(QRect(at, box))) << cat << ' ' << loc.number;
            checkFrames(mode.effectFolder, loc, ini->frames(), box,
                        QSize(int(std::ceil(box.width() * scale)), int(std::ceil(box.height() * scale))));
            letters += ini->marks;
        }
        // The authored templates declare the marks a and b (required) and c, d, e (optional).
        for (QChar m : QStringLiteral("abcde"))
            EXPECT_TRUE(letters.contains(m)) << "category " << cat << " lacks mark " << m.toLatin1();
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, EffectTree,
                         ::testing::Values(ModeKind::Wide16x9, ModeKind::Wide4x3, ModeKind::Portrait));
