// The part of a slot's picture a template keeps in view along its zooms and
// pans, and faces placed there.
#include <gtest/gtest.h>

#include "album/FacePlacement.h"
#include "playback/SteadyWindow.h"

using namespace lumora;

namespace {

MovieDocument movieWith(const char *layers)
{
    return parseMovieDocument(QByteArray(R"({"lumoraMovie":1,"stage":[1600,900],"frames":100,"layers":[)") + layers
                                  + "]}",
                              QStringLiteral("m"));
}

} // namespace

TEST(SteadyWindow, CommonPartOfEveryFramesWindow)
{
    struct Case {
        const char *what;
        const char *layers;
        QSizeF picture;
        QRectF expected; // empty: the whole picture stays in view
    };
    const Case cases[] = {
        {"still picture", R"({"type":"picture","rect":[0,0,1600,900],"picture":"picture_1.jpg"})", {1600, 900}, {}},
        // zoom 1.25 panned from the left edge to the right: the window is 0.8
        // wide and moves from 0 to 0.2, so 0.2..0.8 is always seen.
        {"pan at a steady zoom",
         R"({"type":"picture","rect":[0,0,1600,900],"picture":"picture_1.jpg",
             "anim":{"zoom":1.25,"panX":[[0,-1],[99,1]]}})",
         {1600, 900},
         {0.2, 0.1, 0.6, 0.8}},
        // A slow zoom in to the centre: the last frame's window is the common part.
        {"zoom in",
         R"({"type":"picture","rect":[0,0,1600,900],"picture":"picture_1.jpg","anim":{"zoom":[[0,1],[99,2]]}})",
         {1600, 900},
         {0.25, 0.25, 0.5, 0.5}},
        // A picture twice as wide as its frame's shape shows its middle half.
        {"cover fit of a wider picture",
         R"({"type":"picture","rect":[0,0,800,900],"picture":"picture_1.jpg"})",
         {1600, 900},
         {0.25, 0, 0.5, 1}},
        // A blurred backdrop copy and other pictures do not count.
        {"blurred copy and another picture",
         R"({"type":"picture","rect":[0,0,1600,900],"picture":"picture_1.jpg","blur":20,"anim":{"zoom":3}},
            {"type":"picture","rect":[0,0,1600,900],"picture":"picture_2.jpg","anim":{"zoom":3}})",
         {1600, 900},
         {}},
        // Frames where the layer is hidden do not count.
        {"zoomed only while hidden",
         R"({"type":"picture","rect":[0,0,1600,900],"picture":"picture_1.jpg",
             "anim":{"zoom":[[0,3],[49,3],[50,1]],"opacity":[[0,0],[49,0],[50,1]]}})",
         {1600, 900},
         {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const QRectF w = steadyPictureWindow(movieWith(c.layers), QStringLiteral("picture_1"), c.picture);
        if (c.expected.isEmpty()) {
            EXPECT_TRUE(w.isEmpty()) << w.x() << "," << w.y() << " " << w.width() << "x" << w.height();
            continue;
        }
        EXPECT_NEAR(w.x(), c.expected.x(), 0.01);
        EXPECT_NEAR(w.y(), c.expected.y(), 0.01);
        EXPECT_NEAR(w.width(), c.expected.width(), 0.01);
        EXPECT_NEAR(w.height(), c.expected.height(), 0.01);
    }
}

TEST(SteadyWindow, FacesGoWhereThePanKeepsThem)
{
    // A wide photo in a 16:9 slot with two people apart. Placed for the
    // whole canvas both fit, but a pan that only ever shows the middle 60 %
    // of the canvas cuts both; placed for that steady part, the larger face
    // stays whole all along the pan.
    const QSize canvas(1600, 900), photo(4000, 1500);
    const QRect placement(-800, 0, 3200, 900); // the centred cover placement
    const QRect small(1200, 500, 300, 300), large(2300, 480, 320, 320); // photo pixels
    const QRect steady(320, 90, 960, 720); // canvas pixels
    const double s = 3200.0 / 4000;
    auto onCanvas = [&](const QRect &p, const QRect &f) {
        return QRectF(p.x() + f.x() * s, p.y() + f.y() * s, f.width() * s, f.height() * s);
    };
    const QRect plain = placeAroundFaces(placement, canvas, photo, {small, large});
    for (const QRect &f : {small, large}) {
        EXPECT_TRUE(QRectF(QPoint(0, 0), canvas).contains(onCanvas(plain, f)));
        EXPECT_FALSE(QRectF(steady).contains(onCanvas(plain, f)));
    }
    const QRect moving = placeAroundFaces(placement, canvas, steady, photo, {small, large});
    EXPECT_TRUE(QRectF(steady).contains(onCanvas(moving, large)));
    // Still a placement that covers the canvas, of the same size.
    EXPECT_EQ(moving.size(), placement.size());
    EXPECT_LE(moving.x(), 0);
    EXPECT_GE(moving.right() + 1, canvas.width());
}
