#include <gtest/gtest.h>

#include <QPainter>

#include "album/AddStep.h"
#include "album/AlbumFixture.h"
#include "album/AlbumTables.h"
#include "album/CropPlacement.h"
#include "album/Staging.h"
#include "image/ImageIO.h"

using namespace lumora;
using lumora::test::AlbumFixture;

// Every slot shape the modes use is framed whole inside the editor's box, at
// the slot's proportions, touching the box on one side.
TEST(CropFrame, EverySlotShapeFitsTheBoxWhole)
{
    struct Case {
        const char *what;
        int W, H;
        bool fullFrame, landscape;
        QRect fit;
    };
    const Case cases[] = {
        {"full-frame landscape", 1920, 1080, true, true, {}},
        {"4:3 collage slot", 800, 600, false, true, {}},
        {"4:3 mode full slot", 1347, 1080, false, true, {}},
        {"square slot", 500, 500, false, true, {}},
        {"wide strip", 1920, 400, false, true, {}},
        {"portrait slot", 608, 1080, false, false, {}},
        {"portrait mode slot", 1080, 1920, false, false, {}},
        {"portrait slot marked landscape", 400, 600, false, true, {}},
        {"wide slot marked portrait", 1600, 600, false, false, {}},
        {"portrait full-frame", 1920, 1080, true, false, QRect(0, 0, 810, 1080)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        CropSlot s;
        s.W = c.W;
        s.H = c.H;
        s.fullFrame = c.fullFrame;
        s.landscapeSlot = c.landscape;
        s.category = kCategoryCombined;
        s.photoW = 400;
        s.photoH = 300;
        s.fill = s.fit = c.fit.isNull() ? QRect(0, 0, c.W, c.H) : c.fit;
        const QRect f = storedCropView(s, CropDisplay::Fill).frame;
        EXPECT_TRUE(QRect(0, 0, kCropBoxWidth, kCropBoxHeight).contains(f))
            << f.x() << "," << f.y() << " " << f.width() << "x" << f.height();
        EXPECT_TRUE(f.width() == kCropBoxWidth || f.height() == kCropBoxHeight);
        // The slot's proportions, to the pixel the integer sizes allow.
        const QSize shape = c.fit.isNull() ? QSize(c.W, c.H) : c.fit.size();
        if (f.width() == kCropBoxWidth)
            EXPECT_LE(std::abs(f.height() - kCropBoxWidth * shape.height() / shape.width()), 1);
        else
            EXPECT_LE(std::abs(f.width() - kCropBoxHeight * shape.width() / shape.height()), 1);
        EXPECT_LE(std::abs(f.center().x() - kCropBoxWidth / 2), 1);
        EXPECT_LE(std::abs(f.center().y() - kCropBoxHeight / 2), 1);
    }
}

namespace {
// A photo whose every column and row differs: red across, green down.
QString gradientPhoto(AlbumFixture &f, const QString &name, int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgb(x * 255 / (w - 1), y * 255 / (h - 1), 90));
    const QString path = f.dir() + "photos/" + name + ".jpg";
    writeFileBytes(path, encodeJpeg(img));
    return path;
}

// What the editor shows inside its frame: the photo at its display rectangle on white.
QImage editorPicture(const QString &photo, const CropView &v)
{
    QImage out(v.frame.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter p(&out);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(v.photo, decodeJpeg(photo));
    return out;
}

double meanDifference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}
} // namespace

// The crop saved from the editor is the picture staging cuts: the editor's
// frame and the staged slot picture agree pixel for pixel, within scaling.
TEST(CropSave, WhatTheEditorShowsIsStaged)
{
    struct Case {
        const char *what;
        ModeKind mode;
        test::FixtureTemplate tpl;
        int photoW, photoH;
        int enlarge; // enlarge steps before the drag
        QPoint drag; // photo top-left after the drag, frame pixels (clamped)
    };
    const test::FixtureTemplate portraitSlot{"P", "|shu|", "|picture_1|", "|600|", "|1080|"};
    // A collage: a 4:3 landscape slot beside a portrait one.
    const test::FixtureTemplate collage{"C", "|heng|shu|", "|picture_1|picture_2|", "|800|400|", "|600|600|"};
    const Case cases[] = {
        {"portrait template, sized slot, as matched", ModeKind::Wide16x9, portraitSlot, 300, 400, 0, {}},
        {"portrait template, sized slot, dragged left", ModeKind::Wide16x9, portraitSlot, 300, 400, 0, {-999, 0}},
        {"portrait template, sized slot, enlarged and dragged",
         ModeKind::Wide16x9,
         portraitSlot,
         300,
         400,
         2,
         {-10, -999}},
        {"portrait template in 4:3, dragged right", ModeKind::Wide4x3, portraitSlot, 300, 400, 0, {0, 0}},
        {"portrait template, full frame, enlarged",
         ModeKind::Wide16x9,
         test::portraitTemplate("F"),
         300,
         400,
         2,
         {0, -999}},
        {"landscape template, full frame, dragged",
         ModeKind::Wide16x9,
         test::landscapeTemplate("L"),
         400,
         300,
         1,
         {-999, -30}},
        {"4:3 collage slot, dragged", ModeKind::Wide16x9, collage, 400, 200, 1, {-50, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        AlbumFixture f(c.mode);
        f.addTemplate(c.tpl);
        Album a = f.album();
        const QString photo = gradientPhoto(f, "g", c.photoW, c.photoH);
        QStringList files{photo};
        if (c.tpl.szhz.contains("shu") && c.tpl.szhz.contains("heng"))
            files << f.photo("other", 300, 400);
        addPhotos(a, {files});
        ASSERT_EQ(a.ListView_moban_shiyong.size(), 1);
        // The slot holding the gradient photo (photo row 0).
        int slot = 0;
        while (slot < a.ListView_moban_shiyong_canshu.size()
               && a.ListView_moban_shiyong_canshu.cell(slot, slotcol::kPhotoRow) != "0")
            ++slot;
        ASSERT_LT(slot, a.ListView_moban_shiyong_canshu.size());
        const CropSlot s = cropSlot(a, slot);
        const CropDisplay display = initialCropDisplay(s);
        CropView v = storedCropView(s, display);
        for (int i = 0; i < c.enlarge; ++i)
            v = enlargeCrop(s, v).value();
        if (c.drag != QPoint())
            v = dragCrop(v, c.drag);
        saveCrop(a, slot, v, display);
        // What the editor draws after saving is what it showed before (to
        // the pixel the integer conversions allow).
        const CropView again = storedCropView(cropSlot(a, slot), display);
        EXPECT_LE(std::abs(again.frame.width() - v.frame.width()), 1);
        EXPECT_LE(std::abs(again.photo.x() - v.photo.x()), 1);
        EXPECT_LE(std::abs(again.photo.y() - v.photo.y()), 1);

        const StagingReport r = stageAlbum(a, {QSize(800, 450)});
        ASSERT_TRUE(r.failures.empty());
        const QImage staged = decodeJpeg(f.paths().templateStaging(1)
                                         + a.ListView_moban_shiyong_canshu.cell(slot, slotcol::kPicture) + ".jpg");
        ASSERT_FALSE(staged.isNull());
        const QImage shown = editorPicture(photo, v);
        EXPECT_NEAR(double(staged.width()) / staged.height(), double(shown.width()) / shown.height(), 0.03);
        const QImage scaled = staged.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                  .convertToFormat(QImage::Format_RGB32);
        EXPECT_LT(meanDifference(scaled, shown), 6.0);
    }
}
