// The package animation and the preview area that shows it: frames cut to
// their visible part still land where the package drew them, and the frame
// kinds a package may hold (partly transparent, fully transparent, damaged,
// missing) each show as they should.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

#include "image/ImageIO.h"
#include "ui/effects/EffectAnimation.h"
#include "ui/effects/EffectStage.h"

using lumora::ui::EffectAnimation;
using lumora::ui::EffectStage;

namespace {

constexpr QSize kFrame{40, 30};
const QColor kBackdrop(10, 200, 10);

// A transparent frame with one opaque block of colour (k, 0, 200).
QImage blockFrame(int k, QRect block)
{
    QImage img(kFrame, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    for (int y = block.top(); y <= block.bottom(); ++y)
        for (int x = block.left(); x <= block.right(); ++x)
            img.setPixel(x, y, qRgba(k, 0, 200, 255));
    return img;
}

} // namespace

TEST(EffectAnimation, FramesAreCutToTheirVisiblePartAndPaintWhereThePackageDrewThem)
{
    QTemporaryDir dir;
    const QRect block1(5, 7, 6, 4), block3(30, 20, 10, 10); // the second touches the frame's corner
    const QString p1 = dir.filePath(QStringLiteral("1.png")), p2 = dir.filePath(QStringLiteral("2.png")),
                  p3 = dir.filePath(QStringLiteral("3.png")), p4 = dir.filePath(QStringLiteral("4.png")),
                  p5 = dir.filePath(QStringLiteral("5.png")), p6 = dir.filePath(QStringLiteral("6.png"));
    lumora::writePng(blockFrame(1, block1), p1, 1);
    {
        QImage empty(kFrame, QImage::Format_ARGB32_Premultiplied);
        empty.fill(Qt::transparent);
        lumora::writePng(empty, p2, 1);
    }
    lumora::writePng(blockFrame(3, block3), p3, 1);
    {
        QFile damaged(p4);
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("\x89PNG\r\n\x1a\n not really");
    }
    // p5 is missing; frame 6 is the block of frame 1 again.
    lumora::writePng(blockFrame(6, block1), p6, 1);

    QImage backdrop(QSize(100, 60), QImage::Format_RGB32);
    backdrop.fill(kBackdrop);
    EffectStage stage(backdrop.size());
    stage.setBackdrop(backdrop);
    EffectAnimation animation;
    const QPoint at(50, 20);
    stage.showAnimation(&animation, at);

    // What each frame number shows: the block and its colour, nothing, or
    // (damaged, missing) the previous picture kept.
    struct Seen {
        QRect rect;
        int red = -1;
        QImage stage;
    };
    std::map<int, Seen> seen;
    QObject::connect(&animation, &EffectAnimation::frameChanged, [&] {
        const QImage f = animation.frame();
        seen[animation.frameNumber()]
            = {animation.frameRect(), f.isNull() ? -1 : qRed(f.pixel(0, 0)), stage.grab().toImage()};
    });
    animation.play({p1, p2, p3, p4, p5, p6});
    QTRY_VERIFY_WITH_TIMEOUT(seen.size() >= 6, 5000);
    animation.stop();

    const struct {
        int number;
        QRect rect;
        int red;
    } expected[] = {
        {1, block1, 1}, {2, QRect(), -1}, {3, block3, 3}, {4, block3, 3}, {5, block3, 3}, {6, block1, 6},
    };
    for (const auto &e : expected) {
        SCOPED_TRACE(e.number);
        ASSERT_TRUE(seen.count(e.number));
        const Seen &s = seen[e.number];
        EXPECT_EQ(s.rect.isEmpty() ? QRect() : s.rect, e.rect);
        EXPECT_EQ(s.red, e.red);
        // On the stage: inside the block the frame's colour, just outside it
        // (and everywhere for an empty frame) the backdrop.
        const QImage &shot = s.stage;
        if (e.red >= 0) {
            const QRect onStage = e.rect.translated(at);
            EXPECT_EQ(QColor(shot.pixel(onStage.topLeft())), QColor(e.red, 0, 200));
            EXPECT_EQ(QColor(shot.pixel(onStage.bottomRight())), QColor(e.red, 0, 200));
            EXPECT_EQ(QColor(shot.pixel(onStage.topLeft() - QPoint(1, 1))), kBackdrop);
        } else {
            EXPECT_EQ(QColor(shot.pixel(block1.translated(at).center())), kBackdrop);
            EXPECT_EQ(QColor(shot.pixel(block3.translated(at).center())), kBackdrop);
        }
    }
    EXPECT_EQ(animation.figures().notDecoded, 0);
}
