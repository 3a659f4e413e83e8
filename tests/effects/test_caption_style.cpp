// The caption styles: every style keeps every pixel inside its box on every
// frame, eases in from nothing and out to nothing, fits long texts into the
// limit it is given, and draws its midpoint frame as the stored reference.
#include <QDir>
#include <QPainter>
#include <gtest/gtest.h>

#include "effects/CaptionStyle.h"
#include "image/ImageIO.h"

using namespace lumora;

namespace {

// The bounding rectangle of the non-transparent pixels (empty when none).
QRect inkRect(const QImage &img)
{
    int l = img.width(), t = img.height(), r = -1, b = -1;
    for (int y = 0; y < img.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(line[x]) != 0) {
                l = std::min(l, x);
                r = std::max(r, x);
                t = std::min(t, y);
                b = std::max(b, y);
            }
    }
    return r < 0 ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}

const QStringList kTexts{
    QStringLiteral("外婆九十岁生日快乐"),
    QStringLiteral("小明 ♥ 小红 · 2026年5月20日"),
    QStringLiteral("Happy Birthday, Grandma!"),
    QStringLiteral("床前明月光\n疑是地上霜"),
    QStringLiteral("我们的婚礼 Our Wedding Day 2026 · 感谢每一位到场的亲朋好友，愿你们也幸福美满，平安喜乐，万事如意"),
};

} // namespace

TEST(CaptionStyle, EightStylesOfTwoToFourSecondsWithDistinctKeys)
{
    ASSERT_GE(captionStyles().size(), 8u);
    QStringList keys;
    for (const CaptionStyleInfo &s : captionStyles()) {
        EXPECT_GE(s.frames, 50) << s.key.toStdString();
        EXPECT_LE(s.frames, 100) << s.key.toStdString();
        EXPECT_FALSE(keys.contains(s.key));
        keys << s.key;
        EXPECT_EQ(captionStyleFromKey(s.key), s.style);
    }
    EXPECT_FALSE(captionStyleFromKey(QStringLiteral("no_such_style")));
}

TEST(CaptionStyle, LinesAreAtMostTwo)
{
    EXPECT_EQ(captionLines(QStringLiteral("  一  \r\n\n 二 \n三")), (QStringList{"一", "二 三"}));
    EXPECT_TRUE(captionLines(QStringLiteral(" \n ")).isEmpty());
}

// Every text in every style at two picture sizes: the box fits the limit,
// every frame's ink lies inside the box, the first and last frames are
// nearly invisible (eased), and the midpoint shows the words.
TEST(CaptionStyle, EveryFrameStaysInsideItsBoxAndEases)
{
    for (const QSize picture : {QSize(192, 108), QSize(108, 192)}) {
        const QSize limit(picture.width() * 9 / 10, picture.height() * 2 / 5);
        for (const CaptionStyleInfo &s : captionStyles())
            for (const QString &text : {kTexts[1], kTexts[3], kTexts[4]}) {
                const CaptionLayout l = layoutCaption(text, s.style, picture, limit);
                const std::string what = s.key.toStdString() + " " + text.toStdString();
                ASSERT_FALSE(l.isEmpty()) << what;
                EXPECT_LE(l.box.width(), limit.width()) << what;
                EXPECT_LE(l.box.height(), limit.height()) << what;
                const QPoint at(7, 5);
                const QRect box(at, l.box);
                long long firstInk = 0, midInk = 0, lastInk = 0;
                for (int f = 0; f < l.frames; ++f) {
                    const QImage img = renderCaptionFrame(l, at, picture, f);
                    const QRect ink = inkRect(img);
                    if (!ink.isEmpty()) {
                        EXPECT_TRUE(box.contains(ink)) << what << " frame " << f;
                    }
                    if (f == 0 || f == l.frames / 2 || f == l.frames - 1) {
                        long long sum = 0;
                        for (int y = 0; y < img.height(); ++y)
                            for (int x = 0; x < img.width(); ++x)
                                sum += qAlpha(img.pixel(x, y));
                        (f == 0 ? firstInk : f == l.frames - 1 ? lastInk : midInk) = sum;
                    }
                }
                EXPECT_GT(midInk, 0) << what;
                EXPECT_LT(firstInk * 4, midInk) << what;
                EXPECT_LT(lastInk * 4, midInk) << what;
                EXPECT_EQ(renderCaptionFrame(l, at, picture, -1), renderCaptionFrame(l, at, picture, l.frames))
                    << "outside the caption nothing is drawn";
            }
    }
}

// A text too long for the limit shrinks, then is cut with "…"; a limit too
// small for anything gives an empty caption rather than one that spills.
TEST(CaptionStyle, LongTextShrinksThenIsCut)
{
    const QString longText = QString(QStringLiteral("长")).repeated(200);
    const QSize picture(1280, 720);
    const CaptionLayout l = layoutCaption(longText, CaptionStyle::FadeRise, picture, QSize(1152, 288));
    ASSERT_FALSE(l.isEmpty());
    EXPECT_LE(l.box.width(), 1152);
    EXPECT_EQ(l.letters.back().text, QStringLiteral("…"));
    EXPECT_TRUE(layoutCaption(QStringLiteral("字"), CaptionStyle::Ribbon, picture, QSize(4, 4)).isEmpty());
    EXPECT_TRUE(layoutCaption(QStringLiteral("  "), CaptionStyle::Ribbon, picture, QSize(400, 400)).isEmpty());
}

// Drawing is a pure function of text, style, frame and size.
TEST(CaptionStyle, SameInputsGiveTheSameFrame)
{
    const QSize picture(256, 144);
    for (const CaptionStyleInfo &s : captionStyles()) {
        const CaptionLayout a = layoutCaption(kTexts[1], s.style, picture, QSize(230, 60));
        const CaptionLayout b = layoutCaption(kTexts[1], s.style, picture, QSize(230, 60));
        EXPECT_EQ(renderCaptionFrame(a, {4, 4}, picture, a.frames / 3),
                  renderCaptionFrame(b, {4, 4}, picture, b.frames / 3));
    }
}

// The midpoint of every style over a grey backdrop against stored pictures.
// LUMORA_UPDATE_GOLDEN=1 rewrites them.
TEST(CaptionStyle, MidpointFramesMatchTheirReferences)
{
    const bool update = qEnvironmentVariableIntValue("LUMORA_UPDATE_GOLDEN") == 1;
    const QSize picture(320, 180);
    for (const CaptionStyleInfo &s : captionStyles()) {
        const CaptionLayout l = layoutCaption(QStringLiteral("生日快乐 Joy"), s.style, picture, QSize(288, 72));
        QImage frame(picture, QImage::Format_RGB32);
        frame.fill(QColor(96, 120, 140));
        {
            QPainter p(&frame);
            drawCaption(p, {(picture.width() - l.box.width()) / 2, (picture.height() - l.box.height()) / 2}, l,
                        l.frames / 2);
        }
        const QString golden = QStringLiteral(LUMORA_TEST_DATA_DIR "captions/%1.png").arg(s.key);
        if (update) {
            QDir().mkpath(QStringLiteral(LUMORA_TEST_DATA_DIR "captions"));
            ASSERT_TRUE(frame.save(golden));
            continue;
        }
        QImage expected(golden);
        ASSERT_FALSE(expected.isNull()) << golden.toStdString();
        expected = expected.convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(expected.size(), frame.size());
        double diff = 0;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x) {
                const QRgb a = frame.pixel(x, y), b = expected.pixel(x, y);
                diff += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
            }
        diff /= 3.0 * frame.width() * frame.height();
        if (diff > 2.0)
            frame.save(QStringLiteral(LUMORA_TEST_BUILD_DIR "caption_actual_%1.png").arg(s.key));
        EXPECT_LE(diff, 2.0) << s.key.toStdString();
    }
}
