// Placing a photo's cut around its faces: the pure rule over rectangles, and
// the face cell text kept in the photo table.
#include <gtest/gtest.h>

#include "album/FacePlacement.h"

using namespace lumora;

namespace {

// The window of the photo that a placement shows on its canvas, in photo pixels.
QRectF shownPart(const QRect &placement, QSize canvas, QSize photo)
{
    const double fx = double(photo.width()) / placement.width(), fy = double(photo.height()) / placement.height();
    const QRectF visible = QRectF(placement).intersected(QRectF(0, 0, canvas.width(), canvas.height()));
    return QRectF((visible.x() - placement.x()) * fx, (visible.y() - placement.y()) * fy, visible.width() * fx,
                  visible.height() * fy);
}

bool covers(const QRect &placement, QSize canvas)
{
    return placement.left() <= 0 && placement.top() <= 0 && placement.x() + placement.width() >= canvas.width()
        && placement.y() + placement.height() >= canvas.height();
}

} // namespace

TEST(FacePlacement, FacesStayInsideWithMoreRoomAboveThanBelow)
{
    struct Case {
        const char *what;
        QRect placement; // centred or top-aligned as matching places it
        QSize canvas, photo;
        std::vector<QRect> faces;
    };
    const Case cases[] = {
        // A tall photo in a wide slot: faces near the bottom were cut off.
        {"low faces, wide slot", QRect(0, 0, 1920, 2560), {1920, 1080}, {3000, 4000}, {{1200, 3000, 300, 300}}},
        // A wide photo in a tall slot: a face at the right edge.
        {"face at the side, tall slot", QRect(-405, 0, 1440, 1080), {630, 1080}, {4000, 3000}, {{3400, 900, 400, 400}}},
        // A face at the very top: the window cannot go above the photo.
        {"face at the top edge", QRect(0, -740, 1920, 2560), {1920, 1080}, {3000, 4000}, {{1300, 10, 300, 300}}},
        // Several faces spread over a height the window can hold.
        {"a row of faces",
         QRect(0, 0, 1920, 2560),
         {1920, 1080},
         {3000, 4000},
         {{200, 2100, 250, 250}, {1300, 2300, 260, 260}, {2500, 2000, 240, 240}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QRect p = placeAroundFaces(c.placement, c.canvas, c.photo, c.faces);
        EXPECT_EQ(p.size(), c.placement.size());
        EXPECT_TRUE(covers(p, c.canvas)) << p.x() << "," << p.y();
        const QRectF shown = shownPart(p, c.canvas, c.photo);
        for (const QRect &f : c.faces) {
            EXPECT_TRUE(shown.contains(QRectF(f))) << f.x() << "," << f.y();
            // More room above the face than below it, unless an edge of the
            // photo stops the window.
            if (shown.top() > 0.5 && shown.bottom() < c.photo.height() - 0.5 && c.faces.size() == 1) {
                EXPECT_GT(f.top() - shown.top(), shown.bottom() - f.bottom());
            }
        }
    }
}

TEST(FacePlacement, NoFacesOrNoOverhangKeepsThePlacement)
{
    const QRect centred(-240, 0, 2400, 1080);
    EXPECT_EQ(placeAroundFaces(centred, {1920, 1080}, {4000, 1800}, {}), centred);
    // The photo fits the canvas exactly: nothing can move.
    const QRect exact(0, 0, 1920, 1080);
    EXPECT_EQ(placeAroundFaces(exact, {1920, 1080}, {3840, 2160}, {{3500, 100, 300, 300}}), exact);
    // An axis held fixed by the caller does not move.
    EXPECT_EQ(placeAroundFaces(centred, {1920, 1080}, {4000, 1800}, {{3600, 500, 300, 300}}, false).x(), -240);
}

TEST(FacePlacement, AGroupTooWideKeepsTheLargestGroupThenTheLargestFaces)
{
    const QRect placement(-1520, 0, 4960, 1080); // a panorama in a 16:9 slot
    const QSize canvas(1920, 1080), photo(4960, 1080);
    auto shows = [&](const QRect &p, const QRect &f) { return shownPart(p, canvas, photo).contains(QRectF(f)); };
    // Two faces at opposite ends: the larger one stays whole.
    {
        const QRect big(300, 300, 300, 300), small(4500, 400, 150, 150);
        const QRect p = placeAroundFaces(placement, canvas, photo, {small, big});
        EXPECT_TRUE(shows(p, big));
        EXPECT_FALSE(shows(p, small));
    }
    // Three people on the right against one larger face on the left: the
    // group of three is kept.
    {
        const QRect big(200, 300, 320, 320);
        const std::vector<QRect> group{{3400, 400, 200, 200}, {3800, 420, 200, 200}, {4200, 380, 200, 200}};
        std::vector<QRect> all = group;
        all.push_back(big);
        const QRect p = placeAroundFaces(placement, canvas, photo, all);
        for (const QRect &f : group)
            EXPECT_TRUE(shows(p, f));
        EXPECT_FALSE(shows(p, big));
    }
    // One face larger than the window: centred on it.
    {
        const QRect p
            = placeAroundFaces(QRect(0, -500, 1920, 2080), canvas, QSize(1920, 2080), {{400, 900, 1200, 1200}});
        EXPECT_NEAR(-p.y() + 540, 900 + 600, 2);
    }
}

TEST(FacePlacement, FaceCellText)
{
    const std::vector<QRect> faces{{10, 20, 30, 40}, {5, 6, 7, 8}};
    EXPECT_EQ(facesFromCell(facesToCell(faces)), faces);
    EXPECT_EQ(facesToCell({}), kNoFaces);
    EXPECT_EQ(facesFromCell(kNoFaces), std::vector<QRect>{});
    for (const char *bad : {"", "1,2,3", "1,2,x,4", "1,2,0,4", "none;"})
        EXPECT_FALSE(facesFromCell(QString::fromLatin1(bad)).has_value()) << bad;
}
