// The look of every authored template. All templates share one structure:
// a backdrop in the template's own colours, the album's background picture
// (its transparency follows num_stop), ornaments, the photos in their frames
// with their own motion, and on top the hand-over picture, which the
// template's own transition takes away. Every motion ends a second before the
// last frame, so the template ends on a clean still.
#include "TemplateDesign.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>

#include "MovieBuilder.h"
#include "templates/TemplateParams.h"

namespace lumora::studio {

namespace {

using namespace mv;

const QString kHandOver = QStringLiteral("../../pic/picture_0.jpg");
const QString kBackground = QStringLiteral("wj_y_l_b_j.jpg");

struct Palette {
    QColor a, b, accent, ink;
};

const Palette kPalettes[] = {
    {QColor("#2b1d2f"), QColor("#7a3b52"), QColor("#f5d6a0"), QColor("#fff4e0")}, // wine and gold
    {QColor("#0f2b3d"), QColor("#2f6f8f"), QColor("#bfe6ff"), QColor("#eaf7ff")}, // sea
    {QColor("#1d2b1f"), QColor("#4f7a4a"), QColor("#e8f0c8"), QColor("#f6fbe9")}, // forest
    {QColor("#3d1f2b"), QColor("#b5657f"), QColor("#ffe3ec"), QColor("#fff5f8")}, // rose
    {QColor("#1b1b3a"), QColor("#6b4c8a"), QColor("#ffd6a5"), QColor("#fff1e0")}, // dusk
    {QColor("#3a2e22"), QColor("#a08060"), QColor("#fff0d8"), QColor("#fffaf0")}, // amber
    {QColor("#0b0f1a"), QColor("#273552"), QColor("#9fc3ff"), QColor("#e8f0ff")}, // night
    {QColor("#20302e"), QColor("#5d8c84"), QColor("#ffe8c2"), QColor("#f2fffc")}, // jade
};

struct Placed {
    QRectF rect;
    QString name;
    const char *fit = "cover";
};

QRectF fitAspect(const QRectF &region, double aspect)
{
    double w = region.width(), h = w / aspect;
    if (h > region.height()) {
        h = region.height();
        w = h * aspect;
    }
    w = std::round(w);
    h = std::round(h);
    return QRectF(std::round(region.center().x() - w / 2), std::round(region.center().y() - h / 2), w, h);
}

class Scene {
public:
    Scene(ModeKind mode, const LineupEntry &e, int index)
        : mode(mode), stage(AlbumMode::get(mode).output), W(stage.width()), H(stage.height()), T(e.frames),
          wide169(mode == ModeKind::Wide16x9), tall(mode == ModeKind::Portrait), pal(kPalettes[index % 8]),
          m(stage, e.frames, QColor(Qt::black)), seed(quint32(index * 7919 + 17))
    {
        m.variable(kMovieIdentityVariable, kMovieIdentityValue);
        m.variable(kNumStopVariable, QStringLiteral("0"));
    }

    ModeKind mode;
    QSize stage;
    double W, H;
    int T;
    bool wide169, tall;
    Palette pal;
    Movie m;
    quint32 seed;
    std::vector<SlotDesign> slots;

    QRectF full() const { return QRectF(0, 0, W, H); }
    int still() const { return T - 25; } // every motion has ended here
    double rnd()
    {
        seed = seed * 1664525u + 1013904223u;
        return double(seed >> 8) / double(1u << 24);
    }
    // Relative rect helpers.
    QRectF rel(double x, double y, double w, double h) const { return QRectF(x * W, y * H, w * W, h * H); }

    // A photo slot. Single-photo slots of the 16:9 mode receive the pictures
    // staging makes for that mode: landscape ones the whole frame, portrait
    // ones the full height; the others receive exactly the slot's size.
    Placed slot(SlotKind kind, bool advanced, const QRectF &region, double aspect, bool fullFrame = false)
    {
        Placed p;
        p.name = QStringLiteral("picture_%1").arg(slots.size() + 1);
        SlotDesign d{p.name, kind, {}, {}};
        if (!advanced && wide169) {
            if (kind == SlotKind::Heng) {
                p.rect = fitAspect(region, 16.0 / 9.0);
                d.width = fullFrame ? QStringLiteral("0") : QStringLiteral("1920");
                d.height = QStringLiteral("1080");
            } else if (kind == SlotKind::Shu && !fullFrame) {
                p.rect = fitAspect(region, aspect);
                d.width = QString::number(int(std::round(1080 * aspect)));
                d.height = QStringLiteral("1080");
            } else {
                // Full-frame portrait and either-way slots get the photo's own shape.
                p.rect = region;
                p.fit = "contain";
                d.width = QStringLiteral("0");
                d.height = QStringLiteral("1080");
            }
        } else {
            p.rect = fitAspect(region, aspect);
            d.width = QString::number(int(p.rect.width()));
            d.height = QString::number(int(p.rect.height()));
        }
        slots.push_back(d);
        return p;
    }

    // The photo layer, not yet added (a collage animates several before adding them).
    Json photoLayer(const Placed &p, double border = 0, double radius = 0, double shadow = 0) const
    {
        Json l = picture(p.name + QStringLiteral(".jpg"), p.rect, p.fit);
        if (radius > 0)
            l["radius"] = radius;
        const double k = std::min(W, H) / 1080.0;
        if (border > 0 || shadow > 0)
            frameAround(l, border * k, QColor("#fbfaf6"), shadow * k, 6 * k, 12 * k, QColor(0, 0, 0, 130));
        return l;
    }
    // Adds the photo layer; the reference holds until the next layer is added.
    Json &photo(const Placed &p, double border = 0, double radius = 0, double shadow = 0)
    {
        return m.add(photoLayer(p, border, radius, shadow));
    }

    void backdrop() { m.add(gradientBox(full(), pal.a, pal.b, {0, 0}, {1, 1})); }
    void background(double blur, int veilAlpha)
    {
        Json bg = picture(kBackground, full(), "cover");
        bg["blur"] = blur;
        bg["transparencyVariable"] = "num_stop";
        m.add(bg);
        QColor veil = pal.a;
        veil.setAlpha(veilAlpha);
        m.add(box(full(), veil));
    }
    void vignette(int alpha)
    {
        m.add(gradientBox(full(), QColor(0, 0, 0, 0), QColor(0, 0, 0, alpha), {0.5, 0.5}, {0, 0}, true));
    }
    // Soft light circles drifting slowly upwards.
    void bokeh(int n)
    {
        const double k = std::min(W, H);
        for (int i = 0; i < n; ++i) {
            const double d = k * (0.05 + 0.12 * rnd());
            QColor c = pal.accent;
            c.setAlpha(int(28 + 40 * rnd()));
            Json e = ellipse(QRectF(rnd() * (W - d), rnd() * (H - d), d, d), c);
            anim(e, "y", track({{0, k * 0.06 * (1 + rnd())}, {double(still()), 0, "out"}}));
            m.add(e);
        }
    }
    void caption(const QString &t, const QRectF &area, double size, int fromFrame, const char *align = "center")
    {
        const double k = std::min(W, H) / 1080.0;
        QRectF r = area;
        const double minH = size * 1.6 * k * 1.45;
        if (r.height() < minH)
            r = QRectF(r.x(), r.center().y() - minH / 2, r.width(), minH);
        // Captions are ornaments: large enough to read in the preview.
        Json l = text(t, r, size * 1.6 * k, pal.ink, false, align);
        l["letterSpacing"] = 30;
        l["shadow"] = {{"dx", 0}, {"dy", 2 * k}, {"blur", 6 * k}, {"color", "#80000000"}};
        anim(l, "opacity", track({{double(fromFrame), 0}, {double(fromFrame + 20), 1}}));
        anim(l, "y", track({{double(fromFrame), 18 * k, "out"}, {double(fromFrame + 20), 0}}));
        m.add(l);
    }
    void line(const QRectF &r, int fromFrame)
    {
        QColor c = pal.accent;
        c.setAlpha(200);
        Json l = box(r, c);
        l["anchor"] = {0.5, 0.5};
        anim(l, "scaleX", track({{double(fromFrame), 0, "out"}, {double(fromFrame + 25), 1}}));
        m.add(l);
    }
    Json &handOver(int until)
    {
        Json l = picture(kHandOver, full(), "stretch");
        span(l, 0, until);
        return m.add(l);
    }
    // Ken Burns: a slow zoom with a drift, ending still. The sine ease starts
    // and stops the move with the least acceleration, so it glides.
    static void drift(Json &l, double z0, double z1, double px0, double px1, double py0, double py1, int from, int to)
    {
        anim(l, "zoom", track({{double(from), z0, "smooth"}, {double(to), z1}}));
        if (px0 != 0 || px1 != 0)
            anim(l, "panX", track({{double(from), px0, "smooth"}, {double(to), px1}}));
        if (py0 != 0 || py1 != 0)
            anim(l, "panY", track({{double(from), py0, "smooth"}, {double(to), py1}}));
    }
};

// ---- the second family of looks: one function per template ----

// Sets the layer's anchor so that it turns and scales about the stage point
// `pivot` (layers that move together share one pivot).
void pivotAt(Json &l, const QRectF &r, QPointF pivot)
{
    l["anchor"] = {(pivot.x() - r.x()) / r.width(), (pivot.y() - r.y()) / r.height()};
}

// 页角翻飞: the hand-over turns away like a page from its left edge, the fold
// casting a travelling shadow; the photo drifts beneath it.
void scenePageTurn(Scene &c)
{
    using S = SlotKind;
    const double W = c.W, H = c.H, k = std::min(W, H) / 1080.0;
    const int E = c.still();
    c.backdrop();
    c.background(16, 100);
    const QRectF region = c.tall ? c.rel(0.05, 0.22, 0.9, 0.5) : c.rel(0.07, 0.07, 0.86, 0.86);
    Placed p = c.slot(S::Heng, false, region, 3.0 / 2.0);
    Json &l = c.photo(p, 12, 0, 30);
    Scene::drift(l, 1.12, 1.02, 0.5, -0.2, 0.2, 0, 0, E);
    // The photo lies in the page's shade until the page has gone.
    Json shade = box(c.full(), QColor(0, 0, 0, 150));
    span(shade, 0, 34);
    anim(shade, "opacity", track({{0, 1, "in"}, {34, 0}}));
    c.m.add(shade);
    Json &h = c.handOver(34);
    h["anchor"] = {1.0, 0.5};
    anim(h, "scaleX", track({{0, 1, "in"}, {34, 0}}));
    // The fold: a dark band riding on the page's moving edge.
    Json fold = gradientBox(QRectF(-90 * k, 0, 90 * k, H), QColor(0, 0, 0, 0), QColor(0, 0, 0, 170), {0, 0}, {1, 0});
    span(fold, 0, 34);
    anim(fold, "x", track({{0, 0, "in"}, {34, W + 90 * k}}));
    c.m.add(fold);
    Json curl
        = gradientBox(QRectF(0, 0, 40 * k, H), QColor(255, 255, 255, 150), QColor(255, 255, 255, 0), {0, 0}, {1, 0});
    span(curl, 0, 34);
    anim(curl, "x", track({{0, 0, "in"}, {34, W}}));
    anim(curl, "opacity", track({{0, 0}, {6, 1}}));
    c.m.add(curl);
}

// 拼图成画: the hand-over breaks into tiles that turn away one diagonal after
// another, assembling the photo underneath.
void sceneMosaic(Scene &c)
{
    using S = SlotKind;
    const double W = c.W, H = c.H;
    const int E = c.still();
    c.backdrop();
    c.background(18, 110);
    const QRectF region = c.tall ? c.rel(0.04, 0.25, 0.92, 0.5) : c.full();
    Placed p = c.slot(S::Heng, false, region, c.tall ? 4.0 / 3.0 : W / H, !c.tall);
    Json &l = c.photo(p, c.tall ? 10 : 0, 0, c.tall ? 26 : 0);
    Scene::drift(l, 1.0, 1.1, 0, 0.4, -0.3, 0.3, 30, E);
    const int cols = c.tall ? 4 : 6, rows = c.tall ? 7 : 4;
    for (int r = 0; r < rows; ++r)
        for (int q = 0; q < cols; ++q) {
            const double tw = W / cols, th = H / rows;
            // Tiles overlap by a hair so no seam shows between them.
            Json tile = picture(kHandOver, QRectF(q * tw, r * th, tw, th).adjusted(-1.5, -1.5, 1.5, 1.5), "stretch");
            tile["crop"] = {double(q) / cols, double(r) / rows, 1.0 / cols, 1.0 / rows};
            const int t0 = 2 + 3 * (q + r);
            span(tile, 0, t0 + 14);
            anim(tile, "scaleX", track({{double(t0), 1, "in"}, {double(t0 + 14), 0}}));
            anim(tile, "opacity", track({{double(t0 + 6), 1}, {double(t0 + 14), 0.3}}));
            c.m.add(tile);
        }
}

// 层叠远景: parallax — the backdrop, the photo and the light in front move at
// three speeds while the hand-over is pushed off to the right.
void sceneParallax(Scene &c)
{
    using S = SlotKind;
    const double W = c.W, H = c.H, k = std::min(W, H) / 1080.0;
    const int E = c.still();
    c.backdrop();
    Json bg = picture(kBackground, c.full(), "cover");
    bg["blur"] = 20;
    bg["transparencyVariable"] = "num_stop";
    anim(bg, "scale", 1.12);
    anim(bg, "x", track({{0, -W * 0.03, "smooth"}, {double(E), W * 0.03}}));
    c.m.add(bg);
    QColor veil = c.pal.a;
    veil.setAlpha(110);
    c.m.add(box(c.full(), veil));
    const QRectF region = c.tall ? c.rel(0.06, 0.26, 0.88, 0.46) : c.rel(0.12, 0.1, 0.76, 0.8);
    Placed p = c.slot(S::Heng, false, region, 4.0 / 3.0);
    Json &l = c.photo(p, 14, 0, 34);
    anim(l, "x", track({{0, -W * 0.9, "out"}, {34, -W * 0.015, "smooth"}, {double(E), W * 0.015}}));
    // Light discs in front travel fastest.
    for (int i = 0; i < 6; ++i) {
        const double d = std::min(W, H) * (0.08 + 0.05 * (i % 3));
        QColor col = c.pal.accent;
        col.setAlpha(40 + 10 * (i % 3));
        Json e = ellipse(QRectF(W * (0.05 + 0.16 * i), H * (0.1 + 0.13 * ((i * 4) % 6)), d, d), col);
        anim(e, "x", track({{0, -W * 0.5, "out"}, {34, -W * 0.08, "smooth"}, {double(E), W * 0.08}}));
        c.m.add(e);
    }
    Json &h = c.handOver(34);
    anim(h, "x", track({{0, 0, "in"}, {34, W * 1.05}}));
    Json edge = gradientBox(QRectF(-60 * k, 0, 60 * k, H), QColor(0, 0, 0, 0), QColor(0, 0, 0, 140), {0, 0}, {1, 0});
    span(edge, 0, 34);
    anim(edge, "x", track({{0, 0, "in"}, {34, W * 1.05}}));
    c.m.add(edge);
}

// Warm light leaks: soft coloured glows that wander over the picture and
// are gone before the still.
void lightLeaks(Scene &c, int from, int to, int n)
{
    const double W = c.W, H = c.H, u = std::max(W, H);
    const QColor colours[] = {QColor(255, 140, 40, 150), QColor(255, 70, 60, 120), QColor(255, 210, 120, 140)};
    for (int i = 0; i < n; ++i) {
        const double d = u * (0.5 + 0.2 * (i % 2));
        Json g = gradientBox(QRectF(-d / 2, H * (0.1 + 0.3 * (i % 3)) - d / 2, d, d), colours[i % 3],
                             QColor(255, 120, 40, 0), {0.5, 0.5}, {1, 0.5}, true);
        g["type"] = "ellipse";
        const double t0 = from + i * (to - from) / (2.0 * n), t1 = t0 + (to - from) / 2.0;
        span(g, int(t0), int(std::ceil(t1)));
        anim(g, "x", track({{t0, i % 2 ? W * 1.1 : -W * 0.1, "linear"}, {t1, i % 2 ? W * 0.2 : W * 0.8}}));
        anim(g, "opacity", track({{t0, 0}, {(t0 + t1) / 2, 1}, {t1, 0}}));
        c.m.add(g);
    }
}

// 暖光流淌: the hand-over melts away in warm light leaks, the photo pans slowly.
void sceneLightLeak(Scene &c)
{
    using S = SlotKind;
    const double W = c.W, H = c.H;
    const int E = c.still();
    c.backdrop();
    c.background(20, 120);
    const QRectF region = c.tall ? QRectF(0, H / 2 - W * 0.42, W, W * 0.84) : c.full();
    Placed p = c.slot(S::Heng, false, region, c.tall ? 9.0 / 7.0 : W / H, true);
    Json &l = c.photo(p);
    anim(l, "zoom", 1.15);
    anim(l, "panX", track({{0, 0.8, "inout"}, {double(E), -0.8}}));
    c.vignette(80);
    Json &h = c.handOver(36);
    anim(h, "opacity", track({{6, 1, "inout"}, {36, 0}}));
    anim(h, "scale", track({{0, 1, "linear"}, {36, 1.08}}));
    lightLeaks(c, 1, E - 10, 4);
}

// 胶片余温: a film burn — a hot flare eats the hand-over, then cools to the photo.
void sceneFilmBurn(Scene &c)
{
    using S = SlotKind;
    const double W = c.W, H = c.H, u = std::max(W, H);
    const int E = c.still();
    c.backdrop();
    c.background(18, 130);
    c.bokeh(5);
    const QRectF region = c.tall ? c.rel(0.06, 0.28, 0.88, 0.42) : c.rel(0.1, 0.09, 0.8, 0.82);
    Placed p = c.slot(S::Heng, false, region, 4.0 / 3.0);
    Json &l = c.photo(p, 16, 0, 30);
    anim(l, "rotation", track({{18, 2.5, "out"}, {60, 0}}));
    Scene::drift(l, 1.1, 1.0, -0.3, 0.2, 0, 0, 18, E);
    c.handOver(20);
    Json burn = gradientBox(QRectF(W - u * 0.4, -u * 0.4, u * 0.8, u * 0.8), QColor(255, 250, 225),
                            QColor(255, 110, 20, 0), {0.5, 0.5}, {1, 0.5}, true);
    burn["type"] = "ellipse";
    span(burn, 0, 40);
    anim(burn, "scale", track({{0, 0.1, "in"}, {20, 3.2}}));
    anim(burn, "opacity", track({{0, 0.6}, {14, 1}, {22, 1}, {40, 0}}));
    c.m.add(burn);
    Json glow = box(c.full(), QColor(255, 170, 80, 120));
    span(glow, 10, 44);
    anim(glow, "opacity", track({{10, 0}, {20, 1}, {44, 0}}));
    c.m.add(glow);
}

// 静水深流: a dip through black, then one long, slow push-in under a soft
// vignette that breathes with it.
void scenePushIn(Scene &c)
{
    using S = SlotKind;
    const double W = c.W, H = c.H;
    const int E = c.still();
    c.backdrop();
    c.background(16, 100);
    const QRectF region = c.tall ? QRectF(0, H * 0.5 - W * 0.5, W, W) : c.full();
    Placed p = c.slot(S::Heng, false, region, c.tall ? 1.0 : W / H, true);
    Json &l = c.photo(p);
    anim(l, "zoom", track({{14, 1.0, "inout"}, {double(E), 1.18}}));
    anim(l, "panY", track({{14, 0.3, "inout"}, {double(E), -0.2}}));
    Json v = gradientBox(c.full(), QColor(0, 0, 0, 0), QColor(0, 0, 0, 170), {0.5, 0.5}, {0, 0}, true);
    anim(v, "opacity", track({{14, 1, "inout"}, {double(E), 0.6}}));
    c.m.add(v);
    Json &h = c.handOver(14);
    anim(h, "scale", track({{0, 1, "in"}, {14, 0.96}}));
    Json dip = box(c.full(), QColor(Qt::black));
    span(dip, 0, 30);
    anim(dip, "opacity", track({{0, 0, "in"}, {14, 1, "out"}, {30, 0}}));
    c.m.add(dip);
}

// 拍立得: an instant print drops onto the table with a tilt; the hand-over falls away.
void scenePolaroid(Scene &c)
{
    using S = SlotKind;
    const double W = c.W, H = c.H, k = std::min(W, H) / 1080.0;
    const int E = c.still();
    c.backdrop();
    c.background(22, 130);
    const QRectF region = c.tall ? c.rel(0.14, 0.14, 0.72, 0.58) : c.rel(0.36, 0.08, 0.28, 0.72);
    Placed p = c.slot(S::Shu, false, region, 3.0 / 4.0);
    const double m = p.rect.width() * 0.06;
    const QRectF card = p.rect.adjusted(-m, -m, m, p.rect.height() * 0.2);
    const QPointF pivot = card.center();
    Json cardLayer = box(card, QColor("#fbfaf4"), 4 * k);
    cardLayer["shadow"] = {{"dx", 8 * k}, {"dy", 16 * k}, {"blur", 30 * k}, {"color", "#90000000"}};
    Json pic = c.photoLayer(p);
    pivotAt(pic, p.rect, pivot);
    pivotAt(cardLayer, card, pivot);
    for (Json *j : {&cardLayer, &pic}) {
        anim(*j, "y", track({{8, -H, "out"}, {44, 0}}));
        anim(*j, "rotation", track({{8, -18, "back"}, {50, -4}}));
    }
    Scene::drift(pic, 1.1, 1.0, 0, 0, -0.3, 0, 30, E);
    c.m.add(std::move(cardLayer));
    c.m.add(std::move(pic));
    // Written on the card's wide bottom margin in dark ink; it rides with the card.
    const QRectF note(card.left(), p.rect.bottom() + m * 0.5, card.width(), card.bottom() - p.rect.bottom() - m);
    Json words = text(QStringLiteral("定格此刻"), note, note.height() * 0.5, QColor("#3a3530"), false);
    words["letterSpacing"] = 30;
    pivotAt(words, note, pivot);
    anim(words, "y", track({{8, -H, "out"}, {44, 0}}));
    anim(words, "rotation", track({{8, -18, "back"}, {50, -4}}));
    anim(words, "opacity", track({{44, 0}, {60, 1}}));
    c.m.add(std::move(words));
    Json &h = c.handOver(36);
    anim(h, "y", track({{0, 0, "in"}, {36, H * 1.05}}));
    anim(h, "rotation", track({{0, 0, "in"}, {36, 8}}));
}

// 分屏相映: the hand-over splits across the middle and the halves slide apart,
// a seam of light between them.
void sceneSplitApart(Scene &c)
{
    using S = SlotKind;
    const double W = c.W, H = c.H, k = std::min(W, H) / 1080.0;
    const int E = c.still();
    c.backdrop();
    c.background(18, 110);
    c.bokeh(6);
    const QRectF region = c.tall ? c.rel(0.08, 0.1, 0.84, 0.74) : c.rel(0.3, 0.07, 0.4, 0.86);
    Placed p = c.slot(S::Shu, false, region, 3.0 / 4.0);
    Json &l = c.photo(p, 12, 0, 30);
    anim(l, "scale", track({{0, 1.1, "out"}, {40, 1}}));
    Scene::drift(l, 1.0, 1.1, 0, 0, -0.3, 0.3, 10, E);
    for (int half = 0; half < 2; ++half) {
        Json part = picture(kHandOver, QRectF(0, half * H / 2, W, H / 2), "stretch");
        part["crop"] = {0.0, half * 0.5, 1.0, 0.5};
        span(part, 0, 32);
        anim(part, "y", track({{4, 0, "inout"}, {32, (half ? 1 : -1) * H / 2}}));
        c.m.add(part);
    }
    Json seam = box(QRectF(0, H / 2 - 3 * k, W, 6 * k), QColor(255, 248, 230, 230));
    seam["anchor"] = {0.5, 0.5};
    span(seam, 0, 20);
    anim(seam, "scaleX", track({{0, 0, "out"}, {6, 1}}));
    anim(seam, "opacity", track({{8, 1}, {20, 0}}));
    c.m.add(seam);
}

// 流光掠影: the hand-over wipes upwards, then a band of light crosses the print.
void sceneLightSweep(Scene &c)
{
    using S = SlotKind;
    const double W = c.W, H = c.H, k = std::min(W, H) / 1080.0;
    const int E = c.still();
    c.backdrop();
    c.background(20, 120);
    const QRectF region = c.tall ? c.rel(0.1, 0.12, 0.8, 0.7) : c.rel(0.31, 0.08, 0.38, 0.84);
    Placed p = c.slot(S::Shu, false, region, 3.0 / 4.0);
    Json &l = c.photo(p, 14, 0, 34);
    Scene::drift(l, 1.12, 1.0, 0.2, 0, 0.4, -0.2, 0, E);
    const double bw = std::max(W, H) * 0.12;
    Json band = gradientBox(QRectF(-bw, -H * 0.2, bw, H * 1.4), QColor(255, 255, 255, 0), QColor(255, 255, 255, 110),
                            {0, 0}, {1, 0});
    span(band, 36, 80);
    anim(band, "rotation", 18);
    anim(band, "x", track({{36, 0, "inout"}, {80, W + 2 * bw}}));
    c.m.add(band);
    // Beside the print, as wide as the space there allows (4:3 has less of it).
    const double side = W - p.rect.right() - 28 * k;
    c.caption(QStringLiteral("流光溢彩"),
              c.tall ? QRectF(0, H * 0.86, W, 80 * k) : QRectF(p.rect.right() + 20 * k, H * 0.46, side, 80 * k),
              c.tall ? 44 : std::min(44.0, side / k / 8), 50);
    Json &h = c.handOver(30);
    clip(h, "wipe", track({{0, 0, "inout"}, {30, 1}}), true, "up");
}

// 闪耀登场: the hand-over rushes at the viewer into a white flash; the photo
// comes out of the flash from a close-up.
void sceneFlash(Scene &c)
{
    using S = SlotKind;
    const double W = c.W, H = c.H;
    const int E = c.still();
    c.backdrop();
    c.background(22, 120);
    c.bokeh(7);
    const QRectF region = c.tall ? c.rel(0.1, 0.1, 0.8, 0.74) : c.rel(0.3, 0.08, 0.4, 0.84);
    Placed p = c.slot(S::Shu, false, region, 3.0 / 4.0);
    Json &l = c.photo(p, 0, 24, 40);
    anim(l, "scale", track({{12, 1.35, "out"}, {50, 1}}));
    Scene::drift(l, 1.0, 1.08, 0, 0, 0, -0.4, 40, E);
    Json &h = c.handOver(14);
    anim(h, "scale", track({{0, 1, "in"}, {14, 1.3}}));
    Json flash = box(c.full(), QColor(255, 252, 240));
    span(flash, 0, 34);
    anim(flash, "opacity", track({{0, 0, "in"}, {12, 1, "out"}, {34, 0}}));
    c.m.add(flash);
    Q_UNUSED(W);
    Q_UNUSED(H);
}

// 翻转人生: the hand-over flips over like a card and the photo is its back.
void sceneFlip(Scene &c)
{
    using S = SlotKind;
    const int E = c.still();
    c.backdrop();
    c.background(20, 120);
    c.bokeh(5);
    const QRectF region = c.tall ? c.rel(0.06, 0.16, 0.88, 0.66) : c.rel(0.1, 0.08, 0.8, 0.84);
    Placed p = c.slot(S::ShuHeng, false, region, 1.0);
    Json &l = c.photo(p, 14, 10, 34);
    anim(l, "scaleY", track({{16, 0, "out"}, {32, 1}}));
    anim(l, "scale", track({{32, 1.0, "inout"}, {double(E), 1.04}}));
    Json &h = c.handOver(16);
    anim(h, "scaleY", track({{0, 1, "in"}, {16, 0}}));
    anim(h, "scale", track({{0, 1, "in"}, {16, 0.85}}));
}

// Photos of a collage land one after another.
void landOneByOne(Scene &c, std::vector<Json> &layers, int t0, int step, const char *how)
{
    const double W = c.W, H = c.H;
    int i = 0;
    for (Json &layer : layers) {
        Json *l = &layer;
        const double a = t0 + i * step, b = a + 28;
        const std::string h = how;
        if (h == "pop") {
            anim(*l, "scale", track({{a, 0, "back"}, {b, 1}}));
        } else if (h == "fly") {
            const double dx = (i % 2 ? 1 : -1) * W * 0.7, dy = (i % 3 - 1) * H * 0.4;
            anim(*l, "x", track({{a, dx, "out"}, {b, 0}}));
            anim(*l, "y", track({{a, dy, "out"}, {b, 0}}));
            anim(*l, "opacity", track({{a, 0}, {a + 8, 1}}));
        } else { // drop with a tilt
            anim(*l, "y", track({{a, -H, "out"}, {b, 0}}));
            anim(*l, "rotation", track({{a, (i % 2 ? 14.0 : -14.0), "back"}, {b + 6, (i % 2 ? 3.0 : -3.0)}}));
        }
        ++i;
    }
}

// 五彩缤纷: five photos flying in from all sides; an iris from a corner.
void sceneFive(Scene &c)
{
    using S = SlotKind;
    const int E = c.still();
    c.backdrop();
    c.background(20, 120);
    c.bokeh(5);
    Placed h1, h2, h3, s1, s2;
    if (c.tall) {
        h1 = c.slot(S::Heng, true, c.rel(0.04, 0.03, 0.92, 0.3), 4.0 / 3.0);
        h2 = c.slot(S::Heng, true, c.rel(0.04, 0.68, 0.45, 0.29), 4.0 / 3.0);
        h3 = c.slot(S::Heng, true, c.rel(0.51, 0.68, 0.45, 0.29), 4.0 / 3.0);
        s1 = c.slot(S::Shu, true, c.rel(0.04, 0.35, 0.45, 0.31), 3.0 / 4.0);
        s2 = c.slot(S::Shu, true, c.rel(0.51, 0.35, 0.45, 0.31), 3.0 / 4.0);
    } else {
        h1 = c.slot(S::Heng, true, c.rel(0.26, 0.05, 0.48, 0.44), 4.0 / 3.0);
        h2 = c.slot(S::Heng, true, c.rel(0.26, 0.51, 0.235, 0.44), 4.0 / 3.0);
        h3 = c.slot(S::Heng, true, c.rel(0.505, 0.51, 0.235, 0.44), 4.0 / 3.0);
        s1 = c.slot(S::Shu, true, c.rel(0.02, 0.08, 0.22, 0.84), 3.0 / 4.0);
        s2 = c.slot(S::Shu, true, c.rel(0.76, 0.08, 0.22, 0.84), 3.0 / 4.0);
    }
    std::vector<Json> ls;
    for (const Placed *p : {&s1, &h1, &s2, &h2, &h3})
        ls.push_back(c.photoLayer(*p, 10, 0, 24));
    landOneByOne(c, ls, 16, 10, "fly");
    Scene::drift(ls[1], 1.12, 1.0, -0.4, 0.2, 0, 0, 40, E);
    for (Json &l : ls)
        c.m.add(std::move(l));
    Json &h = c.handOver(34);
    clip(h, "iris", track({{0, 0, "in"}, {34, 1}}), true, nullptr, 0, QPointF(0.2, 0.8));
}

// 六六大顺: six photos popping into a grid while the hand-over falls in stripes.
void sceneSix(Scene &c)
{
    using S = SlotKind;
    const int E = c.still();
    c.backdrop();
    c.background(20, 130);
    std::vector<Placed> ps;
    if (c.tall) {
        // Three rows, a landscape and a portrait each, alternating sides.
        for (int r = 0; r < 3; ++r) {
            const double y = 0.03 + r * 0.325;
            ps.push_back(c.slot(S::Heng, true, c.rel(r % 2 ? 0.4 : 0.03, y, 0.57, 0.3), 4.0 / 3.0));
        }
        for (int r = 0; r < 3; ++r) {
            const double y = 0.03 + r * 0.325;
            ps.push_back(c.slot(S::Shu, true, c.rel(r % 2 ? 0.03 : 0.62, y, 0.35, 0.3), 3.0 / 4.0));
        }
    } else {
        for (int q = 0; q < 3; ++q)
            ps.push_back(c.slot(S::Heng, true, c.rel(0.02 + q * 0.33, 0.04, 0.3, 0.44), 4.0 / 3.0));
        for (int q = 0; q < 3; ++q)
            ps.push_back(c.slot(S::Shu, true, c.rel(0.02 + q * 0.33, 0.52, 0.3, 0.44), 3.0 / 4.0));
    }
    std::vector<Json> ls;
    for (const Placed &p : ps)
        ls.push_back(c.photoLayer(p, 10, 0, 22));
    landOneByOne(c, ls, 18, 8, "pop");
    Scene::drift(ls[0], 1.0, 1.1, 0, 0.3, 0, 0, 50, E);
    Scene::drift(ls[4], 1.1, 1.0, 0, 0, 0.3, 0, 50, E);
    for (Json &l : ls)
        c.m.add(std::move(l));
    Json &h = c.handOver(32);
    clip(h, "stripes", track({{0, 0, "linear"}, {32, 1}}), true, "horizontal", 6);
}

// 光阴对望: a landscape and a portrait slide past each other and settle; the
// hand-over shrinks into a print that flies off to a corner.
void sceneFacing(Scene &c)
{
    using S = SlotKind;
    const double W = c.W, H = c.H;
    const int E = c.still();
    c.backdrop();
    c.background(20, 110);
    c.bokeh(5);
    Placed a, s;
    if (c.tall) {
        a = c.slot(S::Heng, true, c.rel(0.04, 0.05, 0.92, 0.38), 4.0 / 3.0);
        s = c.slot(S::Shu, true, c.rel(0.12, 0.46, 0.76, 0.5), 3.0 / 4.0);
    } else {
        a = c.slot(S::Heng, true, c.rel(0.04, 0.12, 0.56, 0.76), 4.0 / 3.0);
        s = c.slot(S::Shu, true, c.rel(0.64, 0.08, 0.32, 0.84), 3.0 / 4.0);
    }
    Json la = c.photoLayer(a, 12, 0, 30);
    Json ls = c.photoLayer(s, 12, 0, 30);
    if (c.tall) {
        anim(la, "x", track({{10, W, "out"}, {44, W * 0.02, "inout"}, {double(E), 0}}));
        anim(ls, "x", track({{20, -W, "out"}, {54, -W * 0.02, "inout"}, {double(E), 0}}));
    } else {
        anim(la, "y", track({{10, H, "out"}, {44, H * 0.02, "inout"}, {double(E), 0}}));
        anim(ls, "y", track({{20, -H, "out"}, {54, -H * 0.02, "inout"}, {double(E), 0}}));
    }
    Scene::drift(la, 1.1, 1.0, 0.3, -0.1, 0, 0, 10, E);
    c.m.add(std::move(la));
    c.m.add(std::move(ls));
    Json &h = c.handOver(30);
    frameAround(h, 14, QColor("#fbfaf6"), 0, 0, 0);
    anim(h, "scale", track({{0, 1, "inout"}, {16, 0.45, "in"}, {30, 0.2}}));
    anim(h, "x", track({{8, 0, "in"}, {30, W * 0.7}}));
    anim(h, "y", track({{8, 0, "in"}, {30, -H * 0.7}}));
    anim(h, "rotation", track({{0, 0, "inout"}, {30, 12}}));
}

// 三联画屏: three portraits as a folding screen; the hand-over drops in three
// strips one after another and each panel pans its own way.
void sceneTriptych(Scene &c)
{
    using S = SlotKind;
    const double W = c.W, H = c.H;
    const int E = c.still();
    c.backdrop();
    c.background(18, 120);
    std::vector<Placed> ps;
    for (int i = 0; i < 3; ++i)
        // On a phone the three panels cascade down the screen, overlapping.
        ps.push_back(c.tall ? c.slot(S::Shu, true, c.rel(i == 1 ? 0.41 : 0.04, 0.03 + i * 0.27, 0.55, 0.41), 3.0 / 4.0)
                            : c.slot(S::Shu, true, c.rel(0.05 + i * 0.31, 0.08, 0.28, 0.84), 3.0 / 4.0));
    for (int i = 0; i < 3; ++i) {
        Json &l = c.photo(ps[size_t(i)], 10, 0, 26);
        anim(l, "opacity", track({{10.0 + 8 * i, 0}, {26.0 + 8 * i, 1}}));
        Scene::drift(l, 1.15, 1.15, 0, 0, i % 2 ? 0.8 : -0.8, i % 2 ? -0.8 : 0.8, 10, E);
    }
    for (int i = 0; i < 3; ++i) {
        Json strip = picture(kHandOver, QRectF(i * W / 3, 0, W / 3, H), "stretch");
        strip["crop"] = {i / 3.0, 0.0, 1 / 3.0, 1.0};
        const double t0 = 4 + 7 * i;
        span(strip, 0, int(t0 + 22));
        anim(strip, "y", track({{t0, 0, "in"}, {t0 + 22, H * 1.05}}));
        c.m.add(strip);
    }
}

// 繁花似锦: five prints dealt onto the table with a tilt each; a diamond
// opens from the top.
void sceneScatter(Scene &c)
{
    using S = SlotKind;
    const int E = c.still();
    c.backdrop();
    c.background(22, 120);
    c.bokeh(6);
    Placed h1, h2, s1, s2, s3;
    if (c.tall) {
        h1 = c.slot(S::Heng, true, c.rel(0.04, 0.04, 0.62, 0.26), 4.0 / 3.0);
        h2 = c.slot(S::Heng, true, c.rel(0.34, 0.7, 0.62, 0.26), 4.0 / 3.0);
        s1 = c.slot(S::Shu, true, c.rel(0.6, 0.08, 0.36, 0.28), 3.0 / 4.0);
        s2 = c.slot(S::Shu, true, c.rel(0.04, 0.34, 0.44, 0.33), 3.0 / 4.0);
        s3 = c.slot(S::Shu, true, c.rel(0.52, 0.37, 0.44, 0.31), 3.0 / 4.0);
    } else {
        h1 = c.slot(S::Heng, true, c.rel(0.03, 0.06, 0.36, 0.46), 4.0 / 3.0);
        h2 = c.slot(S::Heng, true, c.rel(0.61, 0.48, 0.36, 0.46), 4.0 / 3.0);
        s1 = c.slot(S::Shu, true, c.rel(0.04, 0.5, 0.2, 0.46), 3.0 / 4.0);
        s2 = c.slot(S::Shu, true, c.rel(0.37, 0.1, 0.26, 0.8), 3.0 / 4.0);
        s3 = c.slot(S::Shu, true, c.rel(0.74, 0.04, 0.2, 0.46), 3.0 / 4.0);
    }
    std::vector<Json> ls;
    for (const Placed *p : {&h1, &s1, &h2, &s3, &s2})
        ls.push_back(c.photoLayer(*p, 14, 0, 30));
    landOneByOne(c, ls, 14, 12, "drop");
    for (Json &l : ls)
        c.m.add(std::move(l));
    Json &h = c.handOver(34);
    clip(h, "diamond", track({{0, 0, "inout"}, {34, 1}}), true, nullptr, 0, QPointF(0.5, 0.0));
}

// 流金岁月: four photos on a strip of film that rolls past and comes to rest.
void sceneFilmStrip(Scene &c)
{
    using S = SlotKind;
    const double W = c.W, H = c.H, k = std::min(W, H) / 1080.0;
    const int E = c.still();
    c.backdrop();
    c.background(18, 150);
    std::vector<Placed> ps;
    QRectF strip;
    if (c.tall) {
        strip = c.rel(0.12, -0.02, 0.76, 1.04);
        const double x = W * 0.2, w = W * 0.6;
        ps.push_back(c.slot(S::Heng, true, QRectF(x, H * 0.02, w, H * 0.22), 4.0 / 3.0));
        ps.push_back(c.slot(S::Heng, true, QRectF(x, H * 0.74, w, H * 0.22), 4.0 / 3.0));
        ps.push_back(c.slot(S::Shu, true, QRectF(x, H * 0.26, w, H * 0.23), 3.0 / 4.0));
        ps.push_back(c.slot(S::Shu, true, QRectF(x, H * 0.5, w, H * 0.23), 3.0 / 4.0));
    } else {
        strip = c.rel(-0.02, 0.16, 1.04, 0.68);
        const double y = H * 0.22, h = H * 0.56;
        ps.push_back(c.slot(S::Heng, true, QRectF(W * 0.02, y, W * 0.27, h), 4.0 / 3.0));
        ps.push_back(c.slot(S::Heng, true, QRectF(W * 0.71, y, W * 0.27, h), 4.0 / 3.0));
        ps.push_back(c.slot(S::Shu, true, QRectF(W * 0.3, y, W * 0.195, h), 3.0 / 4.0));
        ps.push_back(c.slot(S::Shu, true, QRectF(W * 0.505, y, W * 0.195, h), 3.0 / 4.0));
    }
    // Everything on the strip shares one roll.
    auto roll = [&](Json &l) {
        if (c.tall)
            anim(l, "y", track({{0, H * 1.1, "out"}, {60, -H * 0.02, "inout"}, {double(E), 0}}));
        else
            anim(l, "x", track({{0, W * 1.1, "out"}, {60, -W * 0.02, "inout"}, {double(E), 0}}));
    };
    Json film = box(strip, QColor(16, 16, 18, 235));
    roll(film);
    c.m.add(film);
    const int holes = 14;
    for (int side = 0; side < 2; ++side)
        for (int i = 0; i < holes; ++i) {
            QRectF r;
            if (c.tall)
                r = QRectF(side ? strip.right() - 0.05 * W : strip.left() + 0.02 * W,
                           strip.top() + i * strip.height() / holes, 0.03 * W, strip.height() / holes * 0.55);
            else
                r = QRectF(strip.left() + i * strip.width() / holes,
                           side ? strip.bottom() - 0.05 * H : strip.top() + 0.015 * H, strip.width() / holes * 0.55,
                           0.035 * H);
            Json hole = box(r, QColor(236, 232, 220, 220), 3 * k);
            roll(hole);
            c.m.add(hole);
        }
    for (const Placed &p : ps) {
        Json &l = c.photo(p, 0, 0, 0);
        roll(l);
    }
    Json &h = c.handOver(30);
    clip(h, "wipe", track({{0, 0, "inout"}, {30, 1}}), true, "left");
}

using SceneFn = void (*)(Scene &);
// Templates after the first family, by lineup position (first = 23).
const SceneFn kSecondFamily[] = {
    scenePageTurn, sceneMosaic,     sceneParallax,   sceneLightLeak, sceneFilmBurn,  scenePushIn,
    scenePolaroid, sceneSplitApart, sceneLightSweep, sceneFlash,     sceneFlip,      sceneFive,
    sceneSix,      sceneFacing,     sceneTriptych,   sceneScatter,   sceneFilmStrip,
};
constexpr int kSecondFamilyFirst = 23;

const char *kFitCover = "cover";

void buildScene(Scene &c, int index)
{
    using S = SlotKind;
    const double W = c.W, H = c.H;
    const int E = c.still();
    const double k = std::min(W, H) / 1080.0;
    switch (index) {
    case 0: { // 晨光渐显: full frame, fade from the hand-over, slow zoom in
        c.backdrop();
        c.background(14, 90);
        const QRectF region = c.tall ? QRectF(0, H / 2 - W * 0.375, W, W * 0.75) : c.full();
        Placed p = c.slot(S::Heng, false, region, c.tall ? 4.0 / 3.0 : W / H, true);
        Json &l = c.photo(p, c.tall ? 10 : 0, 0, c.tall ? 24 : 0);
        Scene::drift(l, 1.0, 1.12, -0.4, 0.3, 0, -0.2, 0, E);
        c.vignette(90);
        Json &h = c.handOver(32);
        anim(h, "opacity", track({{0, 1, "inout"}, {32, 0}}));
        break;
    }
    case 1: { // 推窗见景: full frame, a wipe with a light edge, pan across
        c.backdrop();
        c.background(18, 100);
        const QRectF region = c.tall ? QRectF(0, H * 0.5 - W * 0.42, W, W * 0.84) : c.full();
        Placed p = c.slot(S::Heng, false, region, c.tall ? 9.0 / 7.0 : W / H, true);
        Json &l = c.photo(p);
        anim(l, "zoom", 1.18);
        anim(l, "panX", track({{0, -0.4, "smooth"}, {double(E), 0.4}}));
        c.vignette(70);
        Json &h = c.handOver(30);
        clip(h, "wipe", track({{0, 0, "inout"}, {30, 1}}), true, "right");
        Json edge = box(QRectF(-8 * k, 0, 8 * k, H), QColor(255, 250, 235, 220));
        span(edge, 0, 30);
        anim(edge, "x", track({{0, 0, "inout"}, {30, W + 8 * k}}));
        c.m.add(edge);
        break;
    }
    case 2: { // 光圈初开: iris opening on a framed photo that settles from a close-up
        c.backdrop();
        c.background(20, 120);
        c.bokeh(6);
        const QRectF region = c.tall ? c.rel(0.06, 0.28, 0.88, 0.44) : c.rel(0.09, 0.09, 0.82, 0.82);
        Placed p = c.slot(S::Heng, false, region, 4.0 / 3.0);
        Json &l = c.photo(p, 14, 0, 30);
        Scene::drift(l, 1.2, 1.0, 0.3, 0, -0.2, 0, 0, E);
        Json &h = c.handOver(34);
        clip(h, "iris", track({{0, 0, "in"}, {34, 1}}), true);
        break;
    }
    case 3: { // 百叶清风: horizontal blinds, framed photo breathing in, lines and a caption
        c.backdrop();
        c.background(16, 110);
        const QRectF region = c.tall ? c.rel(0.07, 0.3, 0.86, 0.36) : c.rel(0.12, 0.12, 0.76, 0.68);
        Placed p = c.slot(S::Heng, false, region, 3.0 / 2.0);
        Json &l = c.photo(p, 12, 0, 28);
        anim(l, "scale", track({{0, 0.94, "out"}, {double(E), 1.0}}));
        Scene::drift(l, 1.0, 1.08, 0, 0.4, 0, 0, 0, E);
        const double ly = p.rect.bottom() + (c.tall ? 0.06 : 0.05) * H;
        c.line(QRectF(W * 0.3, ly, W * 0.4, 2 * k), 30);
        c.caption(QStringLiteral("清 风 徐 来"), QRectF(0, ly + 10 * k, W, 70 * k), 40, 40);
        Json &h = c.handOver(30);
        clip(h, "blinds", track({{0, 0, "inout"}, {30, 1}}), true, "horizontal", 10);
        break;
    }
    case 4: { // 翩然入画: the hand-over slides out, the framed photo swings in
        c.backdrop();
        c.background(18, 110);
        c.bokeh(5);
        const QRectF region = c.tall ? c.rel(0.05, 0.3, 0.9, 0.4) : c.rel(0.1, 0.1, 0.8, 0.8);
        Placed p = c.slot(S::Heng, false, region, 4.0 / 3.0);
        Json &l = c.photo(p, 16, 0, 34);
        anim(l, "x", track({{0, W * 0.9, "back"}, {40, 0}}));
        anim(l, "rotation", track({{0, 6, "out"}, {46, -1.5}}));
        Json &h = c.handOver(30);
        anim(h, "x", track({{0, 0, "in"}, {30, -W}}));
        break;
    }
    case 5: { // 旋影流年: the hand-over spins away, a tilted print drops in
        c.backdrop();
        c.background(22, 130);
        c.bokeh(7);
        const QRectF region = c.tall ? c.rel(0.08, 0.3, 0.84, 0.38) : c.rel(0.14, 0.1, 0.72, 0.76);
        Placed p = c.slot(S::Heng, false, region, 4.0 / 3.0);
        Json &l = c.photo(p, 24, 0, 36);
        anim(l, "scale", track({{6, 0.5, "back"}, {44, 1.0}}));
        anim(l, "rotation", track({{6, 14, "out"}, {50, -3}}));
        anim(l, "opacity", track({{6, 0}, {18, 1}}));
        Json &h = c.handOver(34);
        anim(h, "rotation", track({{0, 0, "in"}, {34, -120}}));
        anim(h, "scale", track({{0, 1, "in"}, {34, 0.05}}));
        anim(h, "opacity", track({{20, 1}, {34, 0}}));
        break;
    }
    case 6: { // 书页轻翻: the hand-over folds away like a page, the photo pans down
        c.backdrop();
        c.background(16, 100);
        const QRectF region = c.tall ? c.rel(0.06, 0.26, 0.88, 0.46) : c.rel(0.08, 0.08, 0.84, 0.84);
        Placed p = c.slot(S::Heng, false, region, 3.0 / 2.0);
        Json &l = c.photo(p, 10, 0, 26);
        Scene::drift(l, 1.14, 1.14, 0, 0, -0.9, 0.9, 0, E);
        Json spine = gradientBox(QRectF(0, 0, 60 * k, H), QColor(0, 0, 0, 120), QColor(0, 0, 0, 0), {0, 0}, {1, 0});
        span(spine, 0, 30);
        anim(spine, "opacity", track({{0, 1}, {30, 0}}));
        Json &h = c.handOver(30);
        h["anchor"] = {0.0, 0.5};
        anim(h, "scaleX", track({{0, 1, "in"}, {30, 0}}));
        c.m.add(spine);
        break;
    }
    case 7: { // 竖影清晖: a wipe downwards, a tall frame with a vertical caption
        c.backdrop();
        c.background(18, 110);
        const QRectF region = c.tall ? c.rel(0.08, 0.1, 0.84, 0.72) : c.rel(0.3, 0.07, 0.4, 0.86);
        Placed p = c.slot(S::Shu, false, region, 3.0 / 4.0);
        Json &l = c.photo(p, 12, 0, 28);
        Scene::drift(l, 1.0, 1.1, 0, 0, 0.4, -0.3, 0, E);
        if (c.tall)
            c.caption(QStringLiteral("清辉满怀"), QRectF(0, H * 0.85, W, 80 * k), 46, 34);
        else
            c.caption(QStringLiteral("清\n辉\n满\n怀"), QRectF(p.rect.right() + 30 * k, H * 0.25, 90 * k, H * 0.5), 46,
                      34);
        Json &h = c.handOver(30);
        clip(h, "wipe", track({{0, 0, "inout"}, {30, 1}}), true, "down");
        break;
    }
    case 8: { // 倩影留香: the hand-over rushes forward and fades, rounded frame
        c.backdrop();
        c.background(20, 100);
        c.bokeh(8);
        const QRectF region = c.tall ? c.rel(0.1, 0.12, 0.8, 0.7) : c.rel(0.3, 0.08, 0.4, 0.84);
        Placed p = c.slot(S::Shu, false, region, 3.0 / 4.0);
        Json &l = c.photo(p, 0, 28, 40);
        anim(l, "scale", track({{0, 1.08, "out"}, {40, 1}}));
        Scene::drift(l, 1.12, 1.0, 0, 0, -0.3, 0, 0, E);
        Json &h = c.handOver(30);
        anim(h, "scale", track({{0, 1, "in"}, {30, 1.6}}));
        anim(h, "opacity", track({{0, 1, "inout"}, {30, 0}}));
        break;
    }
    case 9: { // 纵横画框: a diagonal wipe, a tilted frame over a coloured card
        c.backdrop();
        c.background(20, 120);
        const QRectF region = c.tall ? c.rel(0.12, 0.14, 0.76, 0.66) : c.rel(0.32, 0.1, 0.36, 0.8);
        Placed p = c.slot(S::Shu, false, region, 3.0 / 4.0);
        QColor card = c.pal.accent;
        card.setAlpha(90);
        Json back = box(p.rect.adjusted(-30 * k, -30 * k, 30 * k, 30 * k), card, 6 * k);
        anim(back, "rotation", track({{0, 0, "out"}, {40, 5}}));
        c.m.add(back);
        Json &l = c.photo(p, 18, 0, 30);
        anim(l, "rotation", track({{0, 0, "out"}, {40, -3}}));
        Json &h = c.handOver(32);
        clip(h, "diagonal", track({{0, 0, "inout"}, {32, 1}}), true);
        break;
    }
    case 10: { // 帘卷西风: the hand-over parts like a curtain from the middle
        c.backdrop();
        c.background(18, 110);
        c.bokeh(5);
        const QRectF region = c.tall ? c.rel(0.1, 0.1, 0.8, 0.72) : c.rel(0.31, 0.08, 0.38, 0.84);
        Placed p = c.slot(S::Shu, false, region, 3.0 / 4.0);
        Json &l = c.photo(p, 12, 0, 30);
        Scene::drift(l, 1.16, 1.02, 0, 0, 0.5, -0.1, 0, E);
        c.caption(QStringLiteral("西风漫卷"),
                  c.tall ? QRectF(0, H * 0.86, W, 80 * k) : QRectF(W * 0.72, H * 0.45, W * 0.26, 80 * k), 44, 40);
        Json &h = c.handOver(30);
        clip(h, "split", track({{0, 0, "inout"}, {30, 1}}), true, "horizontal");
        break;
    }
    case 11: { // 月下花前: a square iris, a soft moon and a caption
        c.backdrop();
        c.background(22, 130);
        QColor moon = c.pal.accent;
        moon.setAlpha(70);
        const double md = std::min(W, H) * 0.5;
        Json mo = ellipse(QRectF(c.tall ? W * 0.45 : W * 0.68, c.tall ? H * 0.02 : -md * 0.2, md, md), moon);
        anim(mo, "scale", track({{0, 0.8, "out"}, {double(E), 1}}));
        c.m.add(mo);
        const QRectF region = c.tall ? c.rel(0.12, 0.16, 0.76, 0.64) : c.rel(0.2, 0.1, 0.36, 0.8);
        Placed p = c.slot(S::Shu, false, region, 3.0 / 4.0);
        Json &l = c.photo(p, 14, 0, 34);
        Scene::drift(l, 1.0, 1.1, 0, 0.2, 0, -0.3, 0, E);
        if (c.tall)
            c.caption(QStringLiteral("月下花前"), QRectF(0, H * 0.84, W, 80 * k), 50, 36);
        else
            c.caption(QStringLiteral("月下花前"), QRectF(W * 0.58, H * 0.62, W * 0.36, 90 * k), 54, 36);
        Json &h = c.handOver(30);
        clip(h, "box", track({{0, 0, "in"}, {30, 1}}), true);
        break;
    }
    case 12: { // 时光胶片: the picture pushes upwards between film strips
        c.backdrop();
        c.background(18, 150);
        const QRectF region = c.tall ? c.rel(0.14, 0.12, 0.72, 0.72) : c.rel(0.33, 0.1, 0.34, 0.8);
        Placed p = c.slot(S::Shu, false, region, 3.0 / 4.0);
        const double sw = 60 * k;
        for (int side = 0; side < 2; ++side) {
            const double x = side == 0 ? p.rect.left() - sw - 6 * k : p.rect.right() + 6 * k;
            Json strip = box(QRectF(x, -H * 0.1, sw, H * 1.2), QColor(18, 18, 20, 230));
            anim(strip, "y", track({{0, H, "out"}, {30, 0}, {double(E), -H * 0.05}}));
            c.m.add(strip);
            for (int i = 0; i < 12; ++i) {
                Json hole = box(QRectF(x + sw * 0.3, -H * 0.08 + i * H * 0.1, sw * 0.4, H * 0.045),
                                QColor(240, 236, 225, 220), 4 * k);
                anim(hole, "y", track({{0, H, "out"}, {30, 0}, {double(E), -H * 0.05}}));
                c.m.add(hole);
            }
        }
        Json &l = c.photo(p, 0, 0, 20);
        anim(l, "y", track({{0, H, "out"}, {30, 0}}));
        Scene::drift(l, 1.12, 1.0, 0, 0, 0.35, 0, 20, E);
        Json &h = c.handOver(30);
        anim(h, "y", track({{0, 0, "out"}, {30, -H}}));
        break;
    }
    case 13: { // 随心相框: a diamond opening, the photo in its own shape
        c.backdrop();
        c.background(20, 110);
        c.bokeh(6);
        const QRectF region = c.tall ? c.rel(0.08, 0.2, 0.84, 0.6) : c.rel(0.12, 0.1, 0.76, 0.8);
        Placed p = c.slot(S::ShuHeng, false, region, 1.0);
        Json &l = c.photo(p, 14, 0, 32);
        anim(l, "scale", track({{0, 0.9, "out"}, {60, 1.0}}));
        Json &h = c.handOver(30);
        clip(h, "diamond", track({{0, 0, "in"}, {30, 1}}), true);
        break;
    }
    case 14: { // 悠然一瞥: the hand-over shrinks into the distance
        c.backdrop();
        c.background(24, 120);
        const QRectF region = c.tall ? c.rel(0.06, 0.18, 0.88, 0.64) : c.rel(0.1, 0.08, 0.8, 0.84);
        Placed p = c.slot(S::ShuHeng, false, region, 1.0);
        Json &l = c.photo(p, 10, 16, 36);
        anim(l, "scale", track({{0, 1.06, "out"}, {70, 1.0}}));
        Json &h = c.handOver(30);
        anim(h, "scale", track({{0, 1, "in"}, {30, 0.15}}));
        anim(h, "rotation", track({{0, 0, "in"}, {30, 18}}));
        anim(h, "opacity", track({{10, 1}, {30, 0}}));
        break;
    }
    case 15: { // 双影相依: a checkerboard reveal, two prints leaning on each other
        c.backdrop();
        c.background(20, 120);
        c.bokeh(5);
        Placed a, b;
        if (c.tall) {
            a = c.slot(S::Heng, true, c.rel(0.06, 0.08, 0.88, 0.36), 4.0 / 3.0);
            b = c.slot(S::Shu, true, c.rel(0.22, 0.46, 0.56, 0.48), 3.0 / 4.0);
        } else {
            a = c.slot(S::Heng, true, c.rel(0.05, 0.14, 0.55, 0.72), 4.0 / 3.0);
            b = c.slot(S::Shu, true, c.rel(0.6, 0.08, 0.34, 0.84), 3.0 / 4.0);
        }
        Json &la = c.photo(a, 14, 0, 30);
        anim(la, "rotation", track({{0, 0, "out"}, {40, -2.5}}));
        Json &lb = c.photo(b, 14, 0, 30);
        anim(lb, "rotation", track({{20, 10, "back"}, {56, 3}}));
        anim(lb, "y", track({{20, H * 0.3, "back"}, {56, 0}}));
        anim(lb, "opacity", track({{20, 0}, {30, 1}}));
        Json &h = c.handOver(34);
        clip(h, "checker", track({{0, 0, "linear"}, {34, 1}}), true, nullptr, 8);
        break;
    }
    case 16: { // 三生有幸: a clock wipe, two landscapes and a portrait
        c.backdrop();
        c.background(22, 120);
        Placed a, b, s;
        if (c.tall) {
            a = c.slot(S::Heng, true, c.rel(0.04, 0.62, 0.45, 0.3), 4.0 / 3.0);
            b = c.slot(S::Heng, true, c.rel(0.51, 0.62, 0.45, 0.3), 4.0 / 3.0);
            s = c.slot(S::Shu, true, c.rel(0.14, 0.05, 0.72, 0.55), 3.0 / 4.0);
        } else {
            a = c.slot(S::Heng, true, c.rel(0.04, 0.06, 0.5, 0.43), 4.0 / 3.0);
            b = c.slot(S::Heng, true, c.rel(0.04, 0.51, 0.5, 0.43), 4.0 / 3.0);
            s = c.slot(S::Shu, true, c.rel(0.58, 0.06, 0.38, 0.88), 3.0 / 4.0);
        }
        Json &ls = c.photo(s, 12, 0, 30);
        Scene::drift(ls, 1.0, 1.1, 0, 0, 0.3, -0.3, 0, E);
        Json &la = c.photo(a, 12, 0, 30);
        anim(la, "x", track({{30, -W * 0.6, "out"}, {60, 0}}));
        Json &lb = c.photo(b, 12, 0, 30);
        anim(lb, "x", track({{45, -W * 0.6, "out"}, {75, 0}}));
        Scene::drift(lb, 1.08, 1.0, 0.4, 0, 0, 0, 45, E);
        Json &h = c.handOver(36);
        clip(h, "clock", track({{0, 0, "inout"}, {36, 1}}), true);
        break;
    }
    case 17: { // 四季如歌: the hand-over breaks into quarters flying to the corners
        c.backdrop();
        c.background(20, 120);
        c.bokeh(4);
        Placed h1, h2, s1, s2;
        if (c.tall) {
            h1 = c.slot(S::Heng, true, c.rel(0.05, 0.43, 0.9, 0.26), 3.0 / 2.0);
            h2 = c.slot(S::Heng, true, c.rel(0.05, 0.71, 0.9, 0.26), 3.0 / 2.0);
            s1 = c.slot(S::Shu, true, c.rel(0.05, 0.03, 0.44, 0.38), 3.0 / 4.0);
            s2 = c.slot(S::Shu, true, c.rel(0.51, 0.03, 0.44, 0.38), 3.0 / 4.0);
        } else {
            h1 = c.slot(S::Heng, true, c.rel(0.03, 0.05, 0.44, 0.44), 4.0 / 3.0);
            h2 = c.slot(S::Heng, true, c.rel(0.03, 0.51, 0.44, 0.44), 4.0 / 3.0);
            s1 = c.slot(S::Shu, true, c.rel(0.49, 0.1, 0.235, 0.8), 3.0 / 4.0);
            s2 = c.slot(S::Shu, true, c.rel(0.745, 0.1, 0.235, 0.8), 3.0 / 4.0);
        }
        int t0 = 20;
        for (const Placed *p : {&h1, &s1, &h2, &s2}) {
            Json &l = c.photo(*p, 10, 0, 24);
            anim(l, "scale", track({{double(t0), 0.2, "back"}, {double(t0 + 26), 1}}));
            anim(l, "opacity", track({{double(t0), 0}, {double(t0 + 8), 1}}));
            Scene::drift(l, 1.1, 1.0, 0, 0, 0, 0, t0, E);
            t0 += 12;
        }
        for (int q = 0; q < 4; ++q) {
            const double qx = q % 2, qy = q / 2;
            Json part = picture(kHandOver, QRectF(qx * W / 2, qy * H / 2, W / 2, H / 2), "stretch");
            part["crop"] = {qx / 2, qy / 2, 0.5, 0.5};
            span(part, 0, 30);
            anim(part, "x", track({{0, 0, "in"}, {30, (qx * 2 - 1) * W * 0.6}}));
            anim(part, "y", track({{0, 0, "in"}, {30, (qy * 2 - 1) * H * 0.6}}));
            anim(part, "rotation", track({{0, 0, "in"}, {30, (q % 3 == 0 ? -1 : 1) * 25.0}}));
            c.m.add(part);
        }
        break;
    }
    case 18: { // 锦瑟年华: the hand-over opens like two doors
        c.backdrop();
        c.background(20, 120);
        Placed h, s1, s2;
        if (c.tall) {
            h = c.slot(S::Heng, true, c.rel(0.05, 0.05, 0.9, 0.4), 4.0 / 3.0);
            s1 = c.slot(S::Shu, true, c.rel(0.05, 0.5, 0.44, 0.45), 3.0 / 4.0);
            s2 = c.slot(S::Shu, true, c.rel(0.51, 0.5, 0.44, 0.45), 3.0 / 4.0);
        } else {
            h = c.slot(S::Heng, true, c.rel(0.27, 0.16, 0.46, 0.68), 4.0 / 3.0);
            s1 = c.slot(S::Shu, true, c.rel(0.03, 0.12, 0.22, 0.76), 3.0 / 4.0);
            s2 = c.slot(S::Shu, true, c.rel(0.75, 0.12, 0.22, 0.76), 3.0 / 4.0);
        }
        Json &l1 = c.photo(s1, 10, 0, 24);
        anim(l1, "y", track({{24, -H, "out"}, {54, 0}}));
        Json &l2 = c.photo(s2, 10, 0, 24);
        anim(l2, "y", track({{30, H, "out"}, {60, 0}}));
        Json &lh = c.photo(h, 14, 0, 34);
        Scene::drift(lh, 1.15, 1.0, -0.5, 0.2, 0, 0, 0, E);
        for (int side = 0; side < 2; ++side) {
            Json door = picture(kHandOver, QRectF(side * W / 2, 0, W / 2, H), "stretch");
            door["crop"] = {side * 0.5, 0.0, 0.5, 1.0};
            span(door, 0, 30);
            anim(door, "x", track({{0, 0, "in"}, {30, (side ? 1 : -1) * W / 2}}));
            c.m.add(door);
        }
        break;
    }
    case 19: { // 花好月圆: cascading stripes, a portrait between two landscapes
        c.backdrop();
        c.background(20, 120);
        c.bokeh(6);
        Placed a, b, s;
        if (c.tall) {
            a = c.slot(S::Heng, true, c.rel(0.04, 0.04, 0.6, 0.3), 4.0 / 3.0);
            b = c.slot(S::Heng, true, c.rel(0.36, 0.66, 0.6, 0.3), 4.0 / 3.0);
            s = c.slot(S::Shu, true, c.rel(0.25, 0.24, 0.5, 0.52), 3.0 / 4.0);
        } else {
            a = c.slot(S::Heng, true, c.rel(0.03, 0.06, 0.4, 0.5), 4.0 / 3.0);
            b = c.slot(S::Heng, true, c.rel(0.57, 0.44, 0.4, 0.5), 4.0 / 3.0);
            s = c.slot(S::Shu, true, c.rel(0.34, 0.06, 0.32, 0.88), 3.0 / 4.0);
        }
        Json &la = c.photo(a, 12, 0, 28);
        anim(la, "rotation", track({{0, -6, "out"}, {50, -3}}));
        Json &lb = c.photo(b, 12, 0, 28);
        anim(lb, "rotation", track({{0, 6, "out"}, {50, 3}}));
        Json &ls = c.photo(s, 14, 0, 40);
        anim(ls, "scale", track({{24, 1.3, "out"}, {54, 1}}));
        anim(ls, "opacity", track({{24, 0}, {38, 1}}));
        Scene::drift(ls, 1.0, 1.08, 0, 0, 0, -0.3, 40, E);
        Json &h = c.handOver(36);
        clip(h, "stripes", track({{0, 0, "linear"}, {36, 1}}), true, "vertical", 8);
        break;
    }
    case 20: { // 美好时光: the hand-over shrinks into a corner, two overlapping prints
        c.backdrop();
        c.background(20, 110);
        Placed a, s;
        if (c.tall) {
            a = c.slot(S::Heng, true, c.rel(0.04, 0.08, 0.92, 0.42), 4.0 / 3.0);
            s = c.slot(S::Shu, true, c.rel(0.3, 0.44, 0.6, 0.5), 3.0 / 4.0);
        } else {
            a = c.slot(S::Heng, true, c.rel(0.04, 0.08, 0.62, 0.84), 4.0 / 3.0);
            s = c.slot(S::Shu, true, c.rel(0.6, 0.14, 0.34, 0.76), 3.0 / 4.0);
        }
        Json &la = c.photo(a, 12, 0, 30);
        Scene::drift(la, 1.0, 1.1, 0, -0.3, 0, 0, 0, E);
        Json &ls = c.photo(s, 16, 0, 40);
        anim(ls, "rotation", track({{30, -20, "back"}, {62, 4}}));
        anim(ls, "x", track({{30, W * 0.4, "out"}, {62, 0}}));
        c.caption(QStringLiteral("美好时光"),
                  c.tall ? QRectF(0, H * 0.94, W * 0.5, 70 * k) : QRectF(W * 0.05, H * 0.92, W * 0.4, 70 * k), 40, 60,
                  "left");
        Json &h = c.handOver(32);
        h["anchor"] = {1.0, 1.0};
        anim(h, "scale", track({{0, 1, "inout"}, {32, 0.2}}));
        anim(h, "opacity", track({{16, 1}, {32, 0}}));
        break;
    }
    case 21: { // 左右逢源: the photos push the hand-over off to the left
        c.backdrop();
        c.background(18, 110);
        Placed a, b;
        if (c.tall) {
            a = c.slot(S::Heng, true, c.rel(0.06, 0.08, 0.88, 0.4), 4.0 / 3.0);
            b = c.slot(S::Heng, true, c.rel(0.06, 0.52, 0.88, 0.4), 4.0 / 3.0);
        } else {
            a = c.slot(S::Heng, true, c.rel(0.03, 0.16, 0.46, 0.68), 4.0 / 3.0);
            b = c.slot(S::Heng, true, c.rel(0.51, 0.16, 0.46, 0.68), 4.0 / 3.0);
        }
        Json &la = c.photo(a, 12, 0, 28);
        anim(la, "x", track({{0, W, "out"}, {30, 0}}));
        Scene::drift(la, 1.1, 1.0, 0.5, 0, 0, 0, 20, E);
        Json &lb = c.photo(b, 12, 0, 28);
        anim(lb, "x", track({{6, W, "out"}, {40, 0}}));
        Scene::drift(lb, 1.0, 1.1, 0, -0.5, 0, 0, 30, E);
        Json &h = c.handOver(30);
        anim(h, "x", track({{0, 0, "out"}, {30, -W}}));
        break;
    }
    case 22: { // 并肩而立: vertical blinds, two portraits side by side
        c.backdrop();
        c.background(20, 120);
        c.bokeh(6);
        const Placed a
            = c.slot(S::Shu, true, c.tall ? c.rel(0.04, 0.18, 0.45, 0.6) : c.rel(0.14, 0.07, 0.35, 0.86), 3.0 / 4.0);
        const Placed b
            = c.slot(S::Shu, true, c.tall ? c.rel(0.51, 0.22, 0.45, 0.6) : c.rel(0.51, 0.07, 0.35, 0.86), 3.0 / 4.0);
        Json &la = c.photo(a, 12, 0, 30);
        anim(la, "y", track({{0, -H * 0.08, "out"}, {40, 0}}));
        Scene::drift(la, 1.08, 1.0, 0, 0, -0.4, 0, 0, E);
        Json &lb = c.photo(b, 12, 0, 30);
        anim(lb, "y", track({{0, H * 0.08, "out"}, {40, 0}}));
        Scene::drift(lb, 1.0, 1.08, 0, 0, 0, 0.4, 0, E);
        Json &h = c.handOver(30);
        clip(h, "blinds", track({{0, 0, "inout"}, {30, 1}}), true, "vertical", 12);
        break;
    }
    default: {
        const int n = index - kSecondFamilyFirst;
        if (n >= 0 && n < int(std::size(kSecondFamily)))
            kSecondFamily[n](c);
        break;
    }
    }
    Q_UNUSED(kFitCover);
}

QString joinTokens(const std::vector<SlotDesign> &slots, QString SlotDesign::*member)
{
    QStringList t;
    for (const SlotDesign &s : slots)
        t << s.*member;
    return joinBarList(t);
}

} // namespace

TemplateDesign designTemplate(ModeKind mode, int index)
{
    const LineupEntry &e = templateLineup().at(size_t(index));
    Scene scene(mode, e, index);
    buildScene(scene, index);

    TemplateDesign d;
    d.entry = e;
    d.slots = scene.slots;
    d.movie = scene.m.bytes();

    TemplateParams &p = d.params;
    p.marker = kPackageMarker;
    const bool advanced = e.slots.size() > 1;
    p.mblx = advanced ? QStringLiteral("高级模板") : QStringLiteral("单张模板");
    QStringList orient;
    for (const SlotDesign &s : d.slots)
        orient << (s.kind == SlotKind::Heng      ? QStringLiteral("heng")
                       : s.kind == SlotKind::Shu ? QStringLiteral("shu")
                                                 : QStringLiteral("shuheng"));
    p.mbfl = advanced                        ? QStringLiteral("综合")
        : orient[0] == QLatin1String("heng") ? QStringLiteral("横照")
        : orient[0] == QLatin1String("shu")  ? QStringLiteral("竖照")
                                             : QStringLiteral("横竖通用");
    p.xpsl = QString::number(d.slots.size());
    p.xpkd = joinTokens(d.slots, &SlotDesign::width);
    p.xpgd = joinTokens(d.slots, &SlotDesign::height);
    p.szhz = joinBarList(orient);
    p.xpjpgmc = joinTokens(d.slots, &SlotDesign::name);
    p.mbdx = QString::number(e.frames);
    p.name = e.name;
    p.sl = p.xpjpgmc;
    // Text marks: the opening mark when the transition has settled, the
    // second one in the middle; every other template offers a closing mark.
    const int first = 40, second = e.frames / 2 + 10;
    if (index % 3 == 2) {
        p.wxcs01 = joinBarList({QString::number(first)});
        p.wxcs02 = joinBarList({kRequiredMarks.mid(0, 1)});
    } else {
        p.wxcs01 = joinBarList({QString::number(first), QString::number(second)});
        p.wxcs02 = joinBarList({kRequiredMarks.mid(0, 1), kRequiredMarks.mid(1, 1)});
    }
    if (index % 2 == 0)
        p.wxcs04 = joinBarList({kOptionalMarks.mid(0, 1), kOptionalMarks.mid(1, 1), kOptionalMarks.mid(2, 1)});
    return d;
}

QByteArray designModeMovie(ModeKind mode)
{
    const QSize stage = AlbumMode::get(mode).output;
    const double W = stage.width(), H = stage.height(), k = std::min(W, H) / 1080.0;
    const Palette pal = kPalettes[4];
    Movie m(stage, 150, QColor(Qt::black));
    m.variable(kMovieIdentityVariable, kMovieIdentityValue);
    m.add(gradientBox(QRectF(0, 0, W, H), pal.a, pal.b, {0, 0}, {1, 1}));
    for (int i = 0; i < 7; ++i) {
        const double d = std::min(W, H) * (0.08 + 0.03 * (i % 4));
        QColor c = pal.accent;
        c.setAlpha(40 + 8 * (i % 3));
        Json e = ellipse(QRectF(W * (0.08 + 0.13 * i), H * (0.15 + 0.1 * ((i * 5) % 7)), d, d), c);
        anim(e, "y", track({{0, H * 0.12, "out"}, {125, 0}}));
        m.add(e);
    }
    // The last picture of the album shrinks into a framed print and fades.
    Json h = picture(kHandOver, QRectF(0, 0, W, H), "stretch");
    frameAround(h, 16 * k, QColor("#fbfaf6"), 30 * k, 6 * k, 12 * k);
    anim(h, "scale", track({{0, 1, "inout"}, {45, 0.42}}));
    anim(h, "rotation", track({{0, 0, "inout"}, {45, -4}}));
    anim(h, "y", track({{0, 0, "inout"}, {45, -H * 0.12}}));
    anim(h, "opacity", track({{55, 1}, {85, 0}}));
    span(h, 0, 85);
    m.add(h);
    Json title = text(QStringLiteral("谢谢观赏"), QRectF(0, H * 0.36, W, H * 0.16), 120 * k, pal.ink, true);
    title["letterSpacing"] = 20;
    title["shadow"] = {{"dx", 0}, {"dy", 4 * k}, {"blur", 14 * k}, {"color", "#90000000"}};
    anim(title, "opacity", track({{70, 0}, {100, 1}}));
    anim(title, "scale", track({{70, 1.15, "out"}, {105, 1}}));
    m.add(title);
    Json line = box(QRectF(W * 0.35, H * 0.535, W * 0.3, 3 * k), pal.accent);
    anim(line, "scaleX", track({{90, 0, "out"}, {115, 1}}));
    m.add(line);
    Json sub = text(QStringLiteral("THE END · Lumora 电子相册"), QRectF(0, H * 0.56, W, H * 0.07), 40 * k, pal.accent);
    sub["letterSpacing"] = 40;
    anim(sub, "opacity", track({{95, 0}, {120, 1}}));
    m.add(sub);
    return m.bytes();
}

QByteArray designStartupMovie()
{
    // Authored for the 16:9 preview; kept in shape in the other panels.
    const double W = 800, H = 450;
    const Palette pal = kPalettes[6];
    Movie m(QSize(800, 450), 150, pal.a);
    m.set("loop", true);
    m.set("keepAspect", true);
    m.variable(kStartupIdentityVariable, kStartupIdentityValue);
    m.add(gradientBox(QRectF(0, 0, W, H), pal.b, pal.a, {0.5, 0.45}, {0, 0}, true));
    // Light circles rise and come back to where they started, so the loop is seamless.
    for (int i = 0; i < 9; ++i) {
        const double d = 30 + 18 * (i % 4);
        QColor c = i % 2 ? pal.accent : QColor("#ffd6a5");
        c.setAlpha(40 + 10 * (i % 3));
        Json e = ellipse(QRectF(40 + 85 * i, 80 + 35 * ((i * 3) % 7), d, d), c);
        const double dy = 30 + 10 * (i % 3);
        anim(e, "y", track({{0, 0, "inout"}, {75, -dy}, {150, 0}}));
        anim(e, "x", track({{0, 0, "inout"}, {75, (i % 2 ? 12.0 : -12.0)}, {150, 0}}));
        m.add(e);
    }
    Json glow = ellipse(QRectF(W / 2 - 220, H / 2 - 120, 440, 200), QColor(159, 195, 255, 40));
    anim(glow, "scale", track({{0, 0.9, "inout"}, {75, 1.1}, {150, 0.9}}));
    m.add(glow);
    Json title = text(QStringLiteral("Lumora"), QRectF(0, 120, W, 120), 96, QColor("#ffffff"), true);
    title["letterSpacing"] = 12;
    title["shadow"] = {{"dx", 0}, {"dy", 3}, {"blur", 12}, {"color", "#a0000000"}};
    anim(title, "opacity", track({{0, 0.9, "inout"}, {75, 1}, {150, 0.9}}));
    m.add(title);
    m.add(box(QRectF(W / 2 - 120, 252, 240, 2), pal.accent));
    Json sub = text(QStringLiteral("电子相册 · 留住每一段时光"), QRectF(0, 262, W, 50), 26, pal.ink);
    sub["letterSpacing"] = 20;
    m.add(sub);
    return m.bytes();
}

QByteArray designBackgroundMovie()
{
    // Shown in the 207 × 116 preview of the background window: the prepared
    // picture over a chequer, so its transparency can be seen.
    const double W = 207, H = 116;
    Movie m(QSize(207, 116), 25, QColor("#9a9a9a"));
    m.variable(kMovieIdentityVariable, kMovieIdentityValue);
    m.variable(kNumStopVariable, QStringLiteral("0"));
    const double cell = 11.5;
    for (int y = 0; y * cell < H; ++y)
        for (int x = 0; x * cell < W; ++x)
            if ((x + y) % 2)
                m.add(box(QRectF(x * cell, y * cell, cell, cell), QColor("#c8c8c8")));
    Json pic = picture(kBackground, QRectF(0, 0, W, H), "contain");
    pic["transparencyVariable"] = "num_stop";
    m.add(pic);
    return m.bytes();
}

} // namespace lumora::studio
