#include <gtest/gtest.h>

#include "album/CropPlacement.h"
#include "templates/Catalogue.h"

using namespace lumora;

namespace {
// A full-frame slot of a 16:9 album holding a 4000 × 3000 photo at its matched placement.
CropSlot fullFrameLandscape()
{
    CropSlot s;
    s.W = 1920;
    s.H = 1080;
    s.fullFrame = true;
    s.category = kCategoryLandscape;
    s.photoW = 4000;
    s.photoH = 3000;
    s.fill = QRect(0, 0, 1920, 1440);
    s.fit = QRect(240, 0, 1440, 1080);
    return s;
}
} // namespace

TEST(CropRules, StepsDragsAndSavesAsTheEditorComputesThem)
{
    const CropSlot s = fullFrameLandscape();
    const CropView v = storedCropView(s, CropDisplay::Fill);
    EXPECT_EQ(v.frame, QRect(0, 0, 800, 450));
    EXPECT_EQ(v.photo, QRect(0, 0, 800, 600));

    // Each enlarge adds a tenth of the 800-pixel frame, centred.
    const auto big = enlargeCrop(s, v);
    ASSERT_TRUE(big);
    EXPECT_EQ(big->photo, QRect(-40, -105, 880, 660));

    // Dragged partly out to the right: the right edge snaps to the frame's.
    EXPECT_EQ(dragCrop(*big, {50, -10}).photo.topLeft(), QPoint(0, -10));
    EXPECT_EQ(dragCrop(*big, {-200, -10}).photo.topLeft(), QPoint(-80, -10));
    EXPECT_EQ(dragCrop(*big, {-10, -400}).photo.topLeft(), QPoint(-10, -210));

    // Shrinking below the frame is refused (the caller restores the stored placement).
    EXPECT_FALSE(shrinkCrop(s, v));
    EXPECT_TRUE(shrinkCrop(s, *big));
}

TEST(CropRules, PortraitFullFrameSlotIsFramedByItsFitSize)
{
    CropSlot s;
    s.W = 1920;
    s.H = 1080;
    s.fullFrame = true;
    s.landscapeSlot = false;
    s.category = kCategoryPortrait;
    s.photoW = 3000;
    s.photoH = 4000;
    s.fill = s.fit = QRect(0, 0, 810, 1080);
    EXPECT_EQ(initialCropDisplay(s), CropDisplay::Fit);
    const CropView v = storedCropView(s, CropDisplay::Fit);
    EXPECT_EQ(v.frame.size(), QSize(337, 450));
    EXPECT_EQ(v.photo, QRect(0, 0, 337, 450));
    // Enlarging widens the frame with the photo until it passes 700 pixels.
    std::optional<CropView> e = v;
    int steps = 0;
    while ((e = enlargeCrop(s, *e)))
        ++steps;
    EXPECT_GT(steps, 0);
    EXPECT_LT(steps, 40);
}
