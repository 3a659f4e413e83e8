// Procedural sample photos and default backgrounds.
//
// Every scene is painted from a fixed seed, so the files are the same on
// every run. Scenes are built from a few shared pieces: layered gradients,
// fractal ridge lines with atmospheric haze, soft clouds and glows, water
// that mirrors what stands above it, and a fine film grain so the pictures
// read as photographs.
#include "SamplePictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

#include "app/Error.h"
#include "image/ImageIO.h"

namespace lumora::studio {

namespace {

constexpr double kPi = std::numbers::pi;

// ---- small tools ----

QColor mix(const QColor &a, const QColor &b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(
        float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
        float(a.blueF() + (b.blueF() - a.blueF()) * t), float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor withAlpha(QColor c, double a)
{
    c.setAlphaF(float(std::clamp(a, 0.0, 1.0)));
    return c;
}

// Smooth 1-D value noise with octaves, from a seeded table.
class Noise {
public:
    explicit Noise(quint32 seed)
    {
        QRandomGenerator rng(seed);
        for (double &v : m_values)
            v = rng.generateDouble() * 2 - 1;
    }
    double at(double x) const
    {
        const double f = std::floor(x);
        const int i = int(f) & 255;
        const double t = x - f, s = t * t * (3 - 2 * t);
        return m_values[i] + (m_values[(i + 1) & 255] - m_values[i]) * s;
    }
    double fractal(double x, int octaves = 5, double persistence = 0.5) const
    {
        double sum = 0, amp = 1, norm = 0;
        for (int o = 0; o < octaves; ++o) {
            sum += amp * at(x + o * 37.1);
            norm += amp;
            amp *= persistence;
            x *= 2.03;
        }
        return sum / norm;
    }

private:
    double m_values[256];
};

struct Scene {
    QImage image;
    QPainter p;
    QRandomGenerator rng;
    double w, h;

    Scene(QSize size, quint32 seed) : image(size, QImage::Format_RGB32), rng(seed), w(size.width()), h(size.height())
    {
        image.fill(Qt::black);
        p.begin(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
    }
    double r(double a, double b) { return a + (b - a) * rng.generateDouble(); }
    QImage finish()
    {
        p.end();
        return image;
    }
};

void verticalGradient(QPainter &p, const QRectF &rect, std::initializer_list<std::pair<double, QColor>> stops)
{
    QLinearGradient g(rect.topLeft(), rect.bottomLeft());
    for (const auto &[at, c] : stops)
        g.setColorAt(at, c);
    p.fillRect(rect, g);
}

// A soft round light (sun halo, street lamp, bokeh).
void glow(QPainter &p, QPointF c, double radius, const QColor &color, double strength = 1.0,
          QPainter::CompositionMode mode = QPainter::CompositionMode_Screen)
{
    QRadialGradient g(c, radius);
    g.setColorAt(0, withAlpha(color, strength));
    g.setColorAt(0.25, withAlpha(color, strength * 0.45));
    g.setColorAt(0.6, withAlpha(color, strength * 0.1));
    g.setColorAt(1, withAlpha(color, 0));
    p.save();
    p.setCompositionMode(mode);
    p.setBrush(g);
    p.drawEllipse(c, radius, radius);
    p.restore();
}

// A cloud: a cluster of soft puffs, lit from `light` side.
void cloud(Scene &s, QPointF c, double width, double height, const QColor &lit, const QColor &shade, double opacity)
{
    // Enough puffs that long, thin clouds stay continuous.
    const int puffs = std::clamp(int(width / (height * 0.6)), 18, 90);
    for (int i = 0; i < puffs; ++i) {
        const double t = double(i) / (puffs - 1);
        const double x = c.x() + (t - 0.5) * width * s.r(0.8, 1.0);
        const double bump = std::sin(t * kPi);
        const double y = c.y() - bump * height * s.r(0.2, 0.6);
        const double rad = height * (0.35 + 0.55 * bump) * s.r(0.7, 1.1);
        QRadialGradient g(QPointF(x, y - rad * 0.3), rad);
        g.setColorAt(0, withAlpha(lit, opacity));
        g.setColorAt(0.55, withAlpha(mix(lit, shade, 0.5), opacity * 0.7));
        g.setColorAt(1, withAlpha(shade, 0));
        s.p.setBrush(g);
        s.p.drawEllipse(QPointF(x, y), rad * 1.6, rad);
    }
}

// A long, thin evening cloud: overlapping soft streaks, shaded on top and lit
// from below by a low sun.
void streakCloud(Scene &s, QPointF c, double width, double height, const QColor &lit, const QColor &shade,
                 double opacity)
{
    auto streak = [&](QPointF at, double w, double h, const QColor &color, double a) {
        s.p.save();
        s.p.translate(at);
        s.p.scale(w / h, 1);
        QRadialGradient g(QPointF(0, 0), h);
        g.setColorAt(0, withAlpha(color, a));
        g.setColorAt(0.5, withAlpha(color, a * 0.5));
        g.setColorAt(1, withAlpha(color, 0));
        s.p.setBrush(g);
        s.p.drawEllipse(QPointF(0, 0), h, h);
        s.p.restore();
    };
    for (int i = 0; i < 10; ++i) {
        const QPointF at = c + QPointF(s.r(-0.35, 0.35) * width, s.r(-0.3, 0.3) * height);
        const double w = width * s.r(0.25, 0.5), h = height * s.r(0.6, 1.0);
        streak(at, w, h, shade, opacity * 0.6);
        streak(at + QPointF(0, h * 0.35), w * 0.85, h * 0.5, lit, opacity);
    }
}

// A ridge line from left to right, filled to the bottom.
QPainterPath ridge(const Scene &s, const Noise &n, double base, double amplitude, double scale, double offset,
                   double sharpness = 1.0)
{
    QPainterPath path;
    path.moveTo(0, s.h);
    for (double x = 0; x <= s.w + 4; x += 4) {
        double v = n.fractal(x / scale + offset, 6, 0.5);
        v = std::copysign(std::pow(std::abs(v), sharpness), v);
        path.lineTo(x, base - amplitude * v);
    }
    path.lineTo(s.w, s.h);
    path.closeSubpath();
    return path;
}

void fillPath(QPainter &p, const QPainterPath &path, const QColor &top, const QColor &bottom)
{
    const QRectF b = path.boundingRect();
    QLinearGradient g(b.topLeft(), b.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillPath(path, g);
}

// Mirrors everything above `horizon` into the water below it, with ripples
// that grow toward the viewer, tinted and darkened.
void reflect(Scene &s, int horizon, const QColor &water, double tint, double ripple)
{
    s.p.end();
    QImage &img = s.image;
    const int width = img.width();
    const QImage source = img.copy();
    for (int y = horizon; y < img.height(); ++y) {
        const double d = y - horizon;
        const double depth = d / std::max(1.0, double(img.height() - horizon));
        const int sy = std::clamp(int(horizon - d * 1.0 - 1), 0, horizon - 1);
        const double shift = ripple * (0.3 + 3 * depth) * std::sin(d * 0.9 / (1 + depth * 3) + std::sin(d * 0.13) * 2);
        const QRgb *src = reinterpret_cast<const QRgb *>(source.constScanLine(sy));
        QRgb *dst = reinterpret_cast<QRgb *>(img.scanLine(y));
        const double t = std::min(1.0, tint + depth * 0.35);
        for (int x = 0; x < width; ++x) {
            const int sx = std::clamp(int(x + shift), 0, width - 1);
            const QRgb c = src[sx];
            dst[x] = qRgb(int(qRed(c) * (1 - t) + water.red() * t), int(qGreen(c) * (1 - t) + water.green() * t),
                          int(qBlue(c) * (1 - t) + water.blue() * t));
        }
    }
    s.p.begin(&img);
    s.p.setRenderHint(QPainter::Antialiasing);
    s.p.setPen(Qt::NoPen);
}

// Thin bright streaks on water (glitter under a low sun or moon).
void glitter(Scene &s, double cx, double top, double bottom, double spread, const QColor &color, int count)
{
    for (int i = 0; i < count; ++i) {
        const double t = std::pow(s.rng.generateDouble(), 0.8);
        const double y = top + (bottom - top) * t;
        const double half = spread * (0.15 + t) * std::abs(s.r(-1, 1)) * s.r(0.3, 1.0);
        const double x = cx + s.r(-1, 1) * spread * (0.2 + t) * 0.6;
        s.p.setBrush(withAlpha(color, s.r(0.25, 0.9) * (1 - t * 0.5)));
        s.p.drawRoundedRect(QRectF(x - half, y, half * 2, 1.0 + t * 2.5), 1, 1);
    }
}

void vignette(Scene &s, double strength)
{
    QRadialGradient g(QPointF(s.w / 2, s.h / 2), std::hypot(s.w, s.h) / 2);
    g.setColorAt(0, QColor(0, 0, 0, 0));
    g.setColorAt(0.6, QColor(0, 0, 0, 0));
    g.setColorAt(1, QColor(0, 0, 0, int(255 * strength)));
    s.p.fillRect(QRectF(0, 0, s.w, s.h), g);
}

// Fine luminance grain, like a camera's sensor noise.
void grain(QImage &img, quint32 seed, int amount)
{
    quint32 state = seed | 1;
    for (int y = 0; y < img.height(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int n = int(state % quint32(2 * amount + 1)) - amount;
            const QRgb c = row[x];
            row[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                          std::clamp(qBlue(c) + n, 0, 255));
        }
    }
}

// A conifer: stacked, slightly ragged tiers; optional snow on each tier.
void pine(QPainter &p, QRandomGenerator &rng, double x, double base, double height, const QColor &color,
          const QColor &snow = QColor())
{
    const double width = height * 0.42;
    p.setBrush(color.darker(140));
    p.drawRect(QRectF(x - height * 0.015, base - height * 0.12, height * 0.03, height * 0.12));
    const int tiers = 7;
    for (int i = 0; i < tiers; ++i) {
        const double t = double(i) / tiers;
        const double top = base - height * (0.28 + 0.72 * (t + 1.0 / tiers));
        const double bottom = base - height * (0.08 + 0.72 * t);
        const double half = width * 0.5 * (1 - t * 0.85);
        QPainterPath tier;
        tier.moveTo(x, top);
        const int teeth = 6;
        for (int k = 0; k <= teeth; ++k) {
            const double u = double(k) / teeth;
            tier.lineTo(x + half * u, top + (bottom - top) * u + ((k % 2) ? -height * 0.012 : 0));
        }
        for (int k = teeth; k >= 0; --k) {
            const double u = double(k) / teeth;
            tier.lineTo(x - half * u, top + (bottom - top) * u + ((k % 2) ? -height * 0.012 : 0));
        }
        tier.closeSubpath();
        p.setBrush(mix(color, color.lighter(125), 0.3 * rng.generateDouble()));
        p.drawPath(tier);
        if (snow.isValid()) {
            QPainterPath cap;
            cap.moveTo(x, top);
            cap.quadTo(x + half * 0.7, top + (bottom - top) * 0.55, x + half * 0.95, bottom - (bottom - top) * 0.1);
            cap.quadTo(x, top + (bottom - top) * 0.55, x - half * 0.8, bottom - (bottom - top) * 0.05);
            cap.quadTo(x - half * 0.5, top + (bottom - top) * 0.4, x, top);
            p.setBrush(snow);
            p.drawPath(cap);
        }
    }
}

// A broad-leaved tree: a tapering trunk and a crown of leaf clusters.
void leafyTree(Scene &s, double x, double base, double height, const std::vector<QColor> &leaves, const QColor &trunk,
               double lightFromLeft = 0.7)
{
    QPainterPath t;
    const double tw = height * 0.05;
    t.moveTo(x - tw, base);
    t.cubicTo(x - tw * 0.6, base - height * 0.3, x - tw * 0.3, base - height * 0.5, x - tw * 0.2, base - height * 0.7);
    t.lineTo(x + tw * 0.2, base - height * 0.7);
    t.cubicTo(x + tw * 0.3, base - height * 0.5, x + tw * 0.6, base - height * 0.3, x + tw, base);
    t.closeSubpath();
    s.p.setBrush(trunk);
    s.p.drawPath(t);
    const double cx = x, cy = base - height * 0.68, rx = height * 0.38, ry = height * 0.32;
    for (int i = 0; i < 260; ++i) {
        const double a = s.r(0, 2 * kPi), d = std::sqrt(s.rng.generateDouble());
        const double px = cx + std::cos(a) * rx * d, py = cy + std::sin(a) * ry * d;
        const double lit = 0.5 + 0.5 * ((cx - px) / rx * (lightFromLeft * 2 - 1) + (cy - py) / ry) * 0.5;
        QColor c = leaves[std::size_t(s.rng.bounded(int(leaves.size())))];
        c = mix(c.darker(150), c.lighter(120), lit);
        s.p.setBrush(withAlpha(c, 0.85));
        const double rad = height * s.r(0.025, 0.06);
        s.p.drawEllipse(QPointF(px, py), rad * 1.2, rad);
    }
}

void birds(Scene &s, double x, double y, double size, int count, const QColor &color)
{
    QPen pen(color, std::max(1.5, size * 0.12), Qt::SolidLine, Qt::RoundCap);
    s.p.setPen(pen);
    s.p.setBrush(Qt::NoBrush);
    for (int i = 0; i < count; ++i) {
        const double bx = x + s.r(-4, 4) * size, by = y + s.r(-1.5, 1.5) * size, k = s.r(0.6, 1.2) * size;
        QPainterPath b;
        b.moveTo(bx - k, by - k * 0.3);
        b.quadTo(bx - k * 0.4, by - k * 0.55, bx, by);
        b.quadTo(bx + k * 0.4, by - k * 0.55, bx + k, by - k * 0.35);
        s.p.drawPath(b);
    }
    s.p.setPen(Qt::NoPen);
}

// ---- scenes ----

QImage misty(QSize size, quint32 seed)
{
    Scene s(size, seed);
    verticalGradient(s.p, QRectF(0, 0, s.w, s.h),
                     {{0, QColor(96, 130, 178)},
                      {0.35, QColor(190, 196, 214)},
                      {0.55, QColor(250, 214, 184)},
                      {1, QColor(252, 228, 204)}});
    glow(s.p, QPointF(s.w * 0.68, s.h * 0.47), s.h * 0.55, QColor(255, 226, 170), 0.9);
    s.p.setBrush(QColor(255, 247, 228));
    s.p.drawEllipse(QPointF(s.w * 0.68, s.h * 0.47), s.h * 0.035, s.h * 0.035);
    for (int i = 0; i < 5; ++i)
        streakCloud(s, QPointF(s.r(0, s.w), s.r(0.08, 0.3) * s.h), s.r(0.2, 0.4) * s.w, s.h * 0.03,
                    QColor(255, 236, 220), QColor(170, 170, 200), 0.4);
    const QColor haze(246, 222, 204);
    const QColor far(104, 120, 160), near(22, 34, 52);
    const int layers = 7;
    for (int i = 0; i < layers; ++i) {
        const double t = double(i) / (layers - 1);
        Noise n(seed + quint32(i) * 17);
        const double base = s.h * (0.5 + 0.07 * i);
        const QPainterPath path = ridge(s, n, base, s.h * (0.16 - 0.012 * i), s.w * (0.35 - 0.02 * i), i * 3.3, 0.9);
        const QColor c = mix(far, near, std::pow(t, 0.8));
        fillPath(s.p, path, mix(c, haze, 0.55 * (1 - t)), mix(c, haze, 0.75 * (1 - t) + 0.1));
        // Mist lying in the valley in front of each layer.
        QLinearGradient mist(0, base - s.h * 0.02, 0, base + s.h * 0.09);
        mist.setColorAt(0, withAlpha(haze, 0));
        mist.setColorAt(0.6, withAlpha(haze, 0.55 * (1 - t * 0.6)));
        mist.setColorAt(1, withAlpha(haze, 0));
        s.p.fillRect(QRectF(0, base - s.h * 0.02, s.w, s.h * 0.11), mist);
    }
    for (double x = s.w * 0.03; x < s.w; x += s.r(18, 60) * s.w / 1600)
        pine(s.p, s.rng, x, s.h + 5, s.r(0.1, 0.2) * s.h, QColor(14, 24, 32));
    birds(s, s.w * 0.3, s.h * 0.28, s.h * 0.012, 5, QColor(60, 60, 80, 200));
    vignette(s, 0.3);
    return s.finish();
}

QImage lake(QSize size, quint32 seed)
{
    Scene s(size, seed);
    const int horizon = int(s.h * 0.58);
    verticalGradient(s.p, QRectF(0, 0, s.w, horizon),
                     {{0, QColor(40, 88, 160)}, {0.55, QColor(130, 170, 214)}, {1, QColor(236, 214, 190)}});
    for (int i = 0; i < 7; ++i)
        cloud(s, QPointF(s.r(-0.1, 1.1) * s.w, s.r(0.08, 0.3) * s.h), s.r(0.18, 0.35) * s.w, s.h * s.r(0.05, 0.09),
              QColor(255, 250, 244), QColor(150, 170, 205), 0.8);
    glow(s.p, QPointF(s.w * 0.2, horizon - s.h * 0.1), s.h * 0.45, QColor(255, 220, 170), 0.6);
    Noise n1(seed + 1), n2(seed + 2);
    // Snow-capped peaks, then forested slopes.
    const QPainterPath peaks = ridge(s, n1, horizon - s.h * 0.18, s.h * 0.3, s.w * 0.16, 2.0, 1.3);
    fillPath(s.p, peaks, QColor(120, 136, 168), QColor(86, 104, 132));
    s.p.save();
    s.p.setClipPath(peaks);
    QLinearGradient snow(0, horizon - s.h * 0.42, 0, horizon - s.h * 0.16);
    snow.setColorAt(0, QColor(250, 248, 252, 240));
    snow.setColorAt(1, QColor(250, 248, 252, 0));
    s.p.fillRect(QRectF(0, 0, s.w, horizon), snow);
    s.p.restore();
    fillPath(s.p, ridge(s, n2, horizon - s.h * 0.03, s.h * 0.06, s.w * 0.18, 7.0), QColor(40, 70, 62),
             QColor(24, 44, 40));
    for (double x = 0; x < s.w; x += s.r(6, 16) * s.w / 1920)
        pine(s.p, s.rng, x, horizon + 2, s.r(0.04, 0.11) * s.h, QColor(18, 40, 34));
    reflect(s, horizon, QColor(40, 70, 96), 0.28, 2.0 * s.w / 1920);
    // Faint ripple lines on the water.
    for (int i = 0; i < 120; ++i) {
        const double y = horizon + std::pow(s.rng.generateDouble(), 1.5) * (s.h - horizon);
        const double len = s.r(20, 200) * (1 + (y - horizon) / (s.h - horizon)) * s.w / 1920;
        s.p.setBrush(QColor(255, 255, 255, int(s.r(8, 30))));
        s.p.drawRect(QRectF(s.r(0, s.w), y, len, 1.2));
    }
    vignette(s, 0.35);
    return s.finish();
}

QImage flowerField(QSize size, quint32 seed)
{
    Scene s(size, seed);
    const double horizon = s.h * 0.46;
    verticalGradient(s.p, QRectF(0, 0, s.w, horizon + 2),
                     {{0, QColor(52, 120, 210)}, {0.7, QColor(150, 196, 236)}, {1, QColor(228, 236, 240)}});
    for (int i = 0; i < 6; ++i)
        cloud(s, QPointF(s.r(0, s.w), s.r(0.08, 0.28) * s.h), s.r(0.15, 0.3) * s.w, s.h * s.r(0.05, 0.08),
              QColor(255, 255, 255), QColor(180, 200, 230), 0.85);
    Noise n(seed);
    fillPath(s.p, ridge(s, n, horizon, s.h * 0.05, s.w * 0.4, 1.0), QColor(112, 150, 120), QColor(90, 130, 90));
    // Rolling field with stripes of flowers running toward the horizon.
    verticalGradient(s.p, QRectF(0, horizon, s.w, s.h - horizon),
                     {{0, QColor(120, 150, 70)}, {1, QColor(50, 100, 30)}});
    leafyTree(s, s.w * 0.78, horizon + s.h * 0.03, s.h * 0.3,
              {QColor(60, 110, 40), QColor(80, 140, 50), QColor(40, 90, 40)}, QColor(60, 44, 30));
    const QColor palette[] = {QColor(170, 110, 220), QColor(240, 70, 90), QColor(255, 200, 60), QColor(250, 250, 245),
                              QColor(255, 140, 60)};
    const int stripes = 5;
    for (int k = 0; k < 14000; ++k) {
        const double t = std::pow(s.rng.generateDouble(), 1.6); // more small flowers far away
        const double y = horizon + (s.h - horizon) * t + 2;
        const double x = s.r(-0.05, 1.05) * s.w;
        // Stripes run toward a vanishing point on the horizon: the lateral
        // ground position grows with distance, with a green furrow between stripes.
        const double lateral = (x - s.w * 0.42) / (0.04 + t) / (0.2 * s.w) + 100.5;
        if (lateral - std::floor(lateral) < 0.14)
            continue;
        const int stripe = int(lateral) % stripes;
        const double rad = (1.2 + 14 * t * t) * s.w / 1920 * s.r(0.7, 1.3);
        QColor c = palette[stripe];
        c = mix(c, QColor(200, 210, 230), 0.45 * (1 - t)); // aerial perspective
        s.p.setBrush(mix(QColor(40, 90, 30), QColor(70, 130, 50), s.rng.generateDouble()));
        s.p.drawRect(QRectF(x - rad * 0.1, y, rad * 0.2, rad * 2.5));
        s.p.setBrush(c.darker(115));
        s.p.drawEllipse(QPointF(x, y), rad * 1.1, rad * 0.8);
        s.p.setBrush(c.lighter(112));
        s.p.drawEllipse(QPointF(x - rad * 0.2, y - rad * 0.2), rad * 0.6, rad * 0.45);
    }
    glow(s.p, QPointF(s.w * 0.1, -s.h * 0.05), s.h * 0.8, QColor(255, 240, 200), 0.5);
    vignette(s, 0.25);
    return s.finish();
}

QImage beach(QSize size, quint32 seed)
{
    Scene s(size, seed);
    const double horizon = s.h * 0.42;
    verticalGradient(s.p, QRectF(0, 0, s.w, horizon + 1),
                     {{0, QColor(30, 110, 200)}, {0.8, QColor(140, 200, 240)}, {1, QColor(220, 236, 244)}});
    for (int i = 0; i < 5; ++i)
        cloud(s, QPointF(s.r(0, s.w), s.r(0.1, 0.3) * s.h), s.r(0.15, 0.3) * s.w, s.h * s.r(0.04, 0.07),
              QColor(255, 255, 255), QColor(190, 210, 235), 0.8);
    glow(s.p, QPointF(s.w * 0.85, s.h * 0.08), s.h * 0.5, QColor(255, 250, 230), 0.8);
    // Sea: deep blue at the horizon to turquoise near the shore.
    const double shore = s.h * 0.66;
    verticalGradient(s.p, QRectF(0, horizon, s.w, shore - horizon + 40),
                     {{0, QColor(20, 80, 140)}, {0.5, QColor(20, 140, 170)}, {1, QColor(70, 210, 200)}});
    glitter(s, s.w * 0.85, horizon + 4, shore, s.w * 0.2, QColor(255, 255, 255), 500);
    // Sand with wet edge and foam lines.
    Noise n(seed);
    QPainterPath sand;
    sand.moveTo(0, s.h);
    for (double x = 0; x <= s.w + 8; x += 8)
        sand.lineTo(x, shore + s.h * 0.04 * n.fractal(x / (s.w * 0.3), 4) + (x / s.w) * s.h * 0.05);
    sand.lineTo(s.w, s.h);
    sand.closeSubpath();
    fillPath(s.p, sand, QColor(214, 196, 160), QColor(244, 222, 180));
    for (int band = 0; band < 3; ++band) {
        QPainterPath foam;
        const double off = band * s.h * 0.018;
        for (double x = 0; x <= s.w + 8; x += 8) {
            const double y = shore + s.h * 0.04 * n.fractal(x / (s.w * 0.3), 4) + (x / s.w) * s.h * 0.05 - off
                + s.h * 0.004 * std::sin(x * 0.03 + band);
            x == 0 ? foam.moveTo(x, y) : foam.lineTo(x, y);
        }
        s.p.setPen(QPen(QColor(255, 255, 255, 200 - band * 55), (4 - band) * s.h / 1200, Qt::SolidLine, Qt::RoundCap));
        s.p.setBrush(Qt::NoBrush);
        s.p.drawPath(foam);
        s.p.setPen(Qt::NoPen);
    }
    // Palm tree leaning in from the left.
    QPainterPath trunk;
    const QPointF foot(s.w * 0.12, s.h * 1.02), crown(s.w * 0.24, s.h * 0.2);
    trunk.moveTo(foot + QPointF(-s.w * 0.018, 0));
    trunk.quadTo(QPointF(s.w * 0.1, s.h * 0.5), crown + QPointF(-s.w * 0.006, 0));
    trunk.lineTo(crown + QPointF(s.w * 0.006, 0));
    trunk.quadTo(QPointF(s.w * 0.125, s.h * 0.52), foot + QPointF(s.w * 0.018, 0));
    fillPath(s.p, trunk, QColor(120, 90, 60), QColor(80, 60, 40));
    for (int f = 0; f < 9; ++f) {
        const double a = -kPi * 0.95 + f * kPi * 1.05 / 8 + s.r(-0.1, 0.1);
        const double len = s.h * s.r(0.2, 0.3);
        const QPointF tip = crown + QPointF(std::cos(a) * len, std::sin(a) * len * 0.6 + len * 0.35);
        const QPointF mid = crown + QPointF(std::cos(a) * len * 0.5, std::sin(a) * len * 0.5 - len * 0.1);
        QPainterPath leaf;
        leaf.moveTo(crown);
        const QPointF normal(-std::sin(a) * len * 0.09, std::cos(a) * len * 0.09);
        leaf.quadTo(mid + normal, tip);
        leaf.quadTo(mid - normal, crown);
        fillPath(s.p, leaf, QColor(40, 110, 50), QColor(20, 70, 30));
    }
    vignette(s, 0.2);
    return s.finish();
}

QImage sunset(QSize size, quint32 seed)
{
    Scene s(size, seed);
    const int horizon = int(s.h * 0.6);
    verticalGradient(s.p, QRectF(0, 0, s.w, horizon),
                     {{0, QColor(40, 36, 96)},
                      {0.35, QColor(150, 70, 120)},
                      {0.7, QColor(246, 130, 70)},
                      {1, QColor(255, 200, 110)}});
    const QPointF sun(s.w * 0.5, horizon - s.h * 0.02);
    glow(s.p, sun, s.h * 0.9, QColor(255, 150, 60), 0.7);
    glow(s.p, sun, s.h * 0.25, QColor(255, 220, 150), 0.9);
    // Long clouds lit from below.
    for (int i = 0; i < 9; ++i) {
        const double y = s.r(0.12, 0.48) * s.h;
        const double t = y / horizon;
        streakCloud(s, QPointF(s.r(0, s.w), y), s.r(0.25, 0.5) * s.w, s.h * s.r(0.02, 0.035),
                    mix(QColor(255, 170, 120), QColor(255, 214, 160), t), QColor(110, 60, 110), 0.8);
    }
    s.p.setBrush(QColor(255, 244, 214));
    s.p.drawEllipse(sun, s.h * 0.06, s.h * 0.06);
    reflect(s, horizon, QColor(60, 40, 80), 0.35, 3.0 * s.w / 1920);
    verticalGradient(s.p, QRectF(0, horizon, s.w, s.h - horizon),
                     {{0, QColor(0, 0, 0, 0)}, {1, QColor(20, 10, 40, 130)}});
    glitter(s, sun.x(), horizon + 2, s.h, s.w * 0.12, QColor(255, 220, 160), 900);
    // A distant sail and a headland.
    Noise n(seed);
    QPainterPath land;
    land.moveTo(s.w * 0.72, horizon + 1);
    for (double x = s.w * 0.72; x <= s.w + 4; x += 4)
        land.lineTo(x,
                    horizon - s.h * 0.07 * std::sin((x - s.w * 0.72) / (s.w * 0.28) * kPi * 0.6)
                        - s.h * 0.012 * n.fractal(x / 60.0, 4));
    land.lineTo(s.w, horizon + 1);
    s.p.setBrush(QColor(40, 26, 50));
    s.p.drawPath(land);
    QPainterPath sail;
    sail.moveTo(s.w * 0.3, horizon - s.h * 0.003);
    sail.lineTo(s.w * 0.3, horizon - s.h * 0.06);
    sail.lineTo(s.w * 0.318, horizon - s.h * 0.006);
    sail.closeSubpath();
    s.p.drawPath(sail);
    s.p.drawRect(QRectF(s.w * 0.292, horizon - s.h * 0.006, s.w * 0.03, s.h * 0.006));
    birds(s, s.w * 0.62, s.h * 0.3, s.h * 0.012, 4, QColor(50, 30, 60, 220));
    vignette(s, 0.35);
    return s.finish();
}

QImage autumn(QSize size, quint32 seed)
{
    Scene s(size, seed);
    verticalGradient(s.p, QRectF(0, 0, s.w, s.h),
                     {{0, QColor(250, 226, 170)}, {0.5, QColor(236, 170, 100)}, {1, QColor(120, 70, 40)}});
    glow(s.p, QPointF(s.w * 0.62, s.h * 0.3), s.h * 0.8, QColor(255, 236, 180), 0.9);
    const std::vector<QColor> leaves
        = {QColor(230, 120, 30), QColor(200, 60, 30), QColor(240, 180, 40), QColor(170, 40, 30), QColor(250, 150, 50)};
    // Three rows of trees: far ones pale with haze, near ones saturated.
    for (int row = 0; row < 3; ++row) {
        const double base = s.h * (0.55 + row * 0.12);
        const double height = s.h * (0.35 + row * 0.2);
        const int count = 9 - row * 2;
        std::vector<QColor> hazy;
        for (const QColor &c : leaves)
            hazy.push_back(mix(c, QColor(250, 220, 170), 0.55 - row * 0.25));
        for (int i = 0; i < count; ++i)
            leafyTree(s, (i + s.r(0.1, 0.9)) * s.w / count, base, height * s.r(0.8, 1.1), hazy,
                      mix(QColor(60, 36, 24), QColor(200, 160, 120), 0.5 - row * 0.2));
    }
    // A path winding into the light, covered with fallen leaves.
    QPainterPath path;
    path.moveTo(s.w * 0.3, s.h);
    path.cubicTo(s.w * 0.45, s.h * 0.85, s.w * 0.62, s.h * 0.78, s.w * 0.6, s.h * 0.68);
    path.lineTo(s.w * 0.63, s.h * 0.68);
    path.cubicTo(s.w * 0.7, s.h * 0.8, s.w * 0.68, s.h * 0.9, s.w * 0.78, s.h);
    path.closeSubpath();
    fillPath(s.p, path, QColor(230, 190, 130), QColor(160, 110, 70));
    for (int i = 0; i < 1600; ++i) {
        const double y = s.h * (0.7 + 0.3 * std::pow(s.rng.generateDouble(), 0.7));
        const double rad = (1 + (y - s.h * 0.7) / s.h * 30) * s.w / 1920 * s.r(0.6, 1.4);
        s.p.setBrush(withAlpha(leaves[std::size_t(s.rng.bounded(int(leaves.size())))], 0.85));
        s.p.save();
        s.p.translate(s.r(0, s.w), y);
        s.p.rotate(s.r(0, 180));
        s.p.drawEllipse(QPointF(0, 0), rad * 2, rad);
        s.p.restore();
    }
    // Rays of light through the canopy.
    s.p.save();
    s.p.setCompositionMode(QPainter::CompositionMode_Screen);
    for (int i = 0; i < 6; ++i) {
        const double a = s.r(-0.5, 0.5);
        QPainterPath ray;
        const QPointF o(s.w * 0.62, s.h * 0.25);
        ray.moveTo(o);
        ray.lineTo(o + QPointF(std::sin(a - 0.04) * s.h * 1.5, std::cos(a - 0.04) * s.h * 1.5));
        ray.lineTo(o + QPointF(std::sin(a + 0.04) * s.h * 1.5, std::cos(a + 0.04) * s.h * 1.5));
        ray.closeSubpath();
        QLinearGradient g(o, o + QPointF(0, s.h));
        g.setColorAt(0, QColor(255, 240, 200, 70));
        g.setColorAt(1, QColor(255, 240, 200, 0));
        s.p.fillPath(ray, g);
    }
    s.p.restore();
    vignette(s, 0.35);
    return s.finish();
}

QImage cityDusk(QSize size, quint32 seed)
{
    Scene s(size, seed);
    const int water = int(s.h * 0.72);
    verticalGradient(s.p, QRectF(0, 0, s.w, water),
                     {{0, QColor(20, 30, 80)},
                      {0.45, QColor(90, 70, 140)},
                      {0.8, QColor(240, 130, 100)},
                      {1, QColor(255, 190, 130)}});
    glow(s.p, QPointF(s.w * 0.35, water), s.h * 0.6, QColor(255, 160, 90), 0.6);
    for (int i = 0; i < 60; ++i) {
        s.p.setBrush(QColor(255, 255, 255, int(s.r(40, 160))));
        const double rad = s.r(0.6, 1.6);
        s.p.drawEllipse(QPointF(s.r(0, s.w), s.r(0, 0.3) * s.h), rad, rad);
    }
    // Two rows of buildings: far ones hazy, near ones dark with lit windows.
    for (int row = 0; row < 2; ++row) {
        double x = -s.r(0, 40);
        while (x < s.w) {
            const double bw = s.r(0.03, 0.07) * s.w * (row ? 1.2 : 0.8);
            const double bh = (row ? s.r(0.12, 0.42) : s.r(0.2, 0.5)) * s.h;
            const QRectF b(x, water - bh, bw, bh);
            const QColor body = row ? QColor(24, 22, 44) : QColor(70, 60, 100);
            fillPath(
                s.p,
                [&] {
                    QPainterPath pp;
                    pp.addRect(b);
                    if (s.rng.bounded(4) == 0) { // a spire or a stepped top
                        pp.addRect(QRectF(b.x() + bw * 0.3, b.y() - bh * 0.08, bw * 0.4, bh * 0.08 + 1));
                        pp.addRect(QRectF(b.center().x() - 1.5, b.y() - bh * 0.2, 3, bh * 0.2));
                    }
                    return pp;
                }(),
                body.lighter(115), body);
            if (row) {
                const double cell = std::max(6.0, s.w / 320);
                for (double wy = b.y() + cell; wy < b.bottom() - cell; wy += cell * 1.6)
                    for (double wx = b.x() + cell * 0.6; wx < b.right() - cell; wx += cell * 1.3)
                        if (s.rng.bounded(100) < 38) {
                            const QColor lit = s.rng.bounded(5) == 0 ? QColor(200, 230, 255) : QColor(255, 214, 140);
                            s.p.setBrush(withAlpha(lit, s.r(0.5, 1.0)));
                            s.p.drawRect(QRectF(wx, wy, cell * 0.7, cell * 0.9));
                        }
            }
            x += bw + s.r(0, 8);
        }
    }
    reflect(s, water, QColor(20, 20, 50), 0.4, 4.0 * s.w / 1920);
    // Street lights and their bokeh along the river.
    for (int i = 0; i < 30; ++i) {
        const QPointF c(s.r(0, s.w), water - s.r(0, 0.02) * s.h);
        glow(s.p, c, s.r(8, 22) * s.w / 1920, QColor(255, 200, 120), 0.9);
    }
    for (int i = 0; i < 14; ++i)
        glow(s.p, QPointF(s.r(0, s.w), s.r(0.78, 1.0) * s.h), s.r(30, 70) * s.w / 1920,
             s.rng.bounded(2) ? QColor(255, 180, 100) : QColor(140, 160, 255), 0.35);
    vignette(s, 0.4);
    return s.finish();
}

QImage starryNight(QSize size, quint32 seed)
{
    Scene s(size, seed);
    verticalGradient(
        s.p, QRectF(0, 0, s.w, s.h),
        {{0, QColor(4, 8, 24)}, {0.6, QColor(16, 28, 64)}, {0.85, QColor(40, 56, 96)}, {1, QColor(60, 60, 90)}});
    // The Milky Way: a diagonal band of glow, dust and dense faint stars.
    s.p.save();
    s.p.translate(s.w * 0.5, s.h * 0.45);
    s.p.rotate(-28);
    for (int i = 0; i < 90; ++i) {
        const QPointF c(s.r(-0.7, 0.7) * s.w, s.r(-0.06, 0.06) * s.h);
        glow(s.p, c, s.r(0.05, 0.14) * s.h, i % 3 ? QColor(140, 150, 210) : QColor(210, 170, 200), 0.18);
    }
    for (int i = 0; i < 5000; ++i) {
        const double spread = std::pow(s.rng.generateDouble(), 2) * (s.rng.bounded(2) ? 1 : -1);
        s.p.setBrush(QColor(255, 255, 255, int(s.r(30, 140))));
        const double rad = s.r(0.3, 0.9);
        s.p.drawEllipse(QPointF(s.r(-0.7, 0.7) * s.w, spread * s.h * 0.16), rad, rad);
    }
    for (int i = 0; i < 50; ++i) { // dark dust lanes
        QRadialGradient g(QPointF(s.r(-0.6, 0.6) * s.w, s.r(-0.02, 0.02) * s.h), s.r(0.02, 0.05) * s.h);
        g.setColorAt(0, QColor(6, 10, 28, 90));
        g.setColorAt(1, QColor(6, 10, 28, 0));
        s.p.setBrush(g);
        s.p.drawEllipse(g.center(), g.radius() * 2.5, g.radius());
    }
    s.p.restore();
    for (int i = 0; i < 900; ++i) {
        const QPointF c(s.r(0, s.w), s.r(0, 0.85) * s.h);
        const double b = std::pow(s.rng.generateDouble(), 4);
        const QColor tint = s.rng.bounded(4) == 0 ? QColor(255, 220, 180) : QColor(210, 225, 255);
        s.p.setBrush(withAlpha(tint, 0.4 + 0.6 * b));
        const double rad = 0.5 + 1.6 * b;
        s.p.drawEllipse(c, rad, rad);
        if (b > 0.6)
            glow(s.p, c, 6 + 14 * b, tint, 0.4);
    }
    // A soft green glow low on the horizon, hills and a small lit tent.
    glow(s.p, QPointF(s.w * 0.2, s.h * 0.85), s.h * 0.5, QColor(60, 180, 140), 0.25);
    Noise n(seed);
    fillPath(s.p, ridge(s, n, s.h * 0.82, s.h * 0.08, s.w * 0.35, 3.0), QColor(10, 14, 26), QColor(4, 6, 12));
    for (double x = s.w * 0.55; x < s.w; x += s.r(10, 30))
        pine(s.p, s.rng, x, s.h * 0.86 + s.r(0, 0.05) * s.h, s.r(0.08, 0.16) * s.h, QColor(4, 8, 12));
    QPainterPath tent;
    const QPointF t0(s.w * 0.32, s.h * 0.9);
    tent.moveTo(t0 + QPointF(-s.w * 0.035, 0));
    tent.lineTo(t0 + QPointF(0, -s.h * 0.06));
    tent.lineTo(t0 + QPointF(s.w * 0.035, 0));
    tent.closeSubpath();
    fillPath(s.p, tent, QColor(255, 200, 110), QColor(220, 130, 50));
    glow(s.p, t0 + QPointF(0, -s.h * 0.02), s.h * 0.12, QColor(255, 180, 90), 0.6);
    vignette(s, 0.3);
    return s.finish();
}

QImage cherryBlossom(QSize size, quint32 seed)
{
    Scene s(size, seed);
    verticalGradient(s.p, QRectF(0, 0, s.w, s.h),
                     {{0, QColor(170, 200, 236)}, {0.5, QColor(236, 220, 232)}, {1, QColor(250, 236, 236)}});
    glow(s.p, QPointF(s.w * 0.7, s.h * 0.25), s.h * 0.5, QColor(255, 250, 235), 0.8);
    verticalGradient(s.p, QRectF(0, s.h * 0.64, s.w, s.h * 0.36),
                     {{0, QColor(176, 196, 156)}, {1, QColor(96, 140, 88)}});
    QPainterPath path;
    path.moveTo(s.w * 0.485, s.h * 0.64);
    path.lineTo(s.w * 0.515, s.h * 0.64);
    path.lineTo(s.w * 0.9, s.h);
    path.lineTo(s.w * 0.1, s.h);
    path.closeSubpath();
    fillPath(s.p, path, QColor(236, 222, 210), QColor(206, 176, 166));
    // Two rows of blossom trees lining the path, far ones pale in the haze.
    for (int i = 0; i < 9; ++i) {
        const double t = 1 - double(i) / 8; // far to near
        const double depth = 1 - t;
        for (int side : {-1, 1}) {
            const double base = s.h * (0.645 + 0.3 * depth * depth);
            const double x = s.w * (0.5 + side * (0.05 + 0.5 * depth * depth + 0.03));
            const double size = s.h * (0.025 + 0.22 * depth * depth);
            s.p.setBrush(mix(QColor(200, 180, 190), QColor(70, 46, 44), depth));
            s.p.drawRect(QRectF(x - size * 0.04, base - size * 0.9, size * 0.08, size * 0.9));
            const QColor lit = mix(QColor(248, 230, 238), QColor(255, 196, 216), depth);
            const QColor shade = mix(QColor(230, 214, 226), QColor(220, 130, 160), depth);
            cloud(s, QPointF(x, base - size * 0.9), size * 2.2, size * 0.7, lit, shade, 0.9);
        }
    }
    // A near branch sweeping in from the upper left, heavy with blossoms.
    std::function<void(QPointF, double, double, double, int)> branch
        = [&](QPointF a, double angle, double len, double width, int depth) {
              const QPointF b = a + QPointF(std::cos(angle) * len, std::sin(angle) * len);
              s.p.setPen(QPen(QColor(70, 44, 40), width, Qt::SolidLine, Qt::RoundCap));
              s.p.drawLine(a, b);
              s.p.setPen(Qt::NoPen);
              if (depth <= 2) {
                  for (int k = 0; k < (depth == 0 ? 16 : 7); ++k) {
                      const double along = depth == 0 ? 1.0 : s.rng.generateDouble();
                      const QPointF c = a + (b - a) * along + QPointF(s.r(-1, 1) * len * 0.5, s.r(-1, 1) * len * 0.4);
                      const double rad = s.h * s.r(0.006, 0.012);
                      const QColor petal = mix(QColor(255, 182, 206), QColor(255, 240, 246), s.rng.generateDouble());
                      for (int q = 0; q < 5; ++q) {
                          const double a5 = q * 2 * kPi / 5 + k;
                          s.p.setBrush(petal);
                          s.p.drawEllipse(c + QPointF(std::cos(a5) * rad, std::sin(a5) * rad), rad * 0.8, rad * 0.8);
                      }
                      s.p.setBrush(QColor(220, 90, 130));
                      s.p.drawEllipse(c, rad * 0.35, rad * 0.35);
                  }
              }
              if (depth == 0)
                  return;
              branch(b, angle + s.r(-0.5, -0.15), len * s.r(0.6, 0.8), width * 0.65, depth - 1);
              branch(b, angle + s.r(0.15, 0.5), len * s.r(0.6, 0.8), width * 0.65, depth - 1);
          };
    branch(QPointF(-s.w * 0.05, s.h * 0.16), 0.1, s.w * 0.32, s.w * 0.035, 5);
    branch(QPointF(s.w * 1.05, s.h * 0.04), kPi - 0.35, s.w * 0.26, s.w * 0.028, 5);
    // Falling petals, a few out of focus.
    for (int i = 0; i < 160; ++i) {
        const QPointF c(s.r(0, s.w), s.r(0, s.h));
        const bool soft = i % 9 == 0;
        const double rad = s.h * (soft ? s.r(0.015, 0.03) : s.r(0.004, 0.008));
        s.p.save();
        s.p.translate(c);
        s.p.rotate(s.r(0, 360));
        s.p.setBrush(QColor(255, 200, 220, soft ? 70 : 210));
        s.p.drawEllipse(QPointF(0, 0), rad * 1.4, rad * 0.8);
        s.p.restore();
    }
    vignette(s, 0.2);
    return s.finish();
}

QImage sunflowers(QSize size, quint32 seed)
{
    Scene s(size, seed);
    verticalGradient(s.p, QRectF(0, 0, s.w, s.h),
                     {{0, QColor(30, 100, 200)},
                      {0.55, QColor(120, 180, 236)},
                      {0.56, QColor(90, 140, 60)},
                      {1, QColor(40, 80, 30)}});
    for (int i = 0; i < 4; ++i)
        cloud(s, QPointF(s.r(0, s.w), s.r(0.08, 0.35) * s.h), s.r(0.3, 0.6) * s.w, s.h * 0.04, QColor(255, 255, 255),
              QColor(190, 210, 240), 0.85);
    glow(s.p, QPointF(s.w * 0.85, s.h * 0.05), s.h * 0.4, QColor(255, 250, 220), 0.8);
    auto flower = [&](QPointF c, double rad, double tilt) {
        s.p.setPen(QPen(QColor(60, 110, 40), rad * 0.12));
        s.p.drawLine(c, QPointF(c.x() + rad * 0.2, s.h + 10));
        s.p.setPen(Qt::NoPen);
        s.p.save();
        s.p.translate(c);
        s.p.scale(1, tilt);
        for (int ring = 0; ring < 2; ++ring)
            for (int k = 0; k < 22; ++k) {
                const double a = (k + ring * 0.5) * 2 * kPi / 22;
                s.p.save();
                s.p.rotate(a * 180 / kPi);
                QPainterPath petal;
                petal.moveTo(rad * 0.45, 0);
                petal.quadTo(rad * 0.8, -rad * 0.14, rad * (1.05 - ring * 0.1), 0);
                petal.quadTo(rad * 0.8, rad * 0.14, rad * 0.45, 0);
                fillPath(s.p, petal, ring ? QColor(255, 210, 40) : QColor(240, 170, 20),
                         ring ? QColor(250, 190, 30) : QColor(220, 140, 10));
                s.p.restore();
            }
        QRadialGradient g(QPointF(0, 0), rad * 0.5);
        g.setColorAt(0, QColor(70, 40, 10));
        g.setColorAt(0.8, QColor(110, 60, 20));
        g.setColorAt(1, QColor(60, 30, 10));
        s.p.setBrush(g);
        s.p.drawEllipse(QPointF(0, 0), rad * 0.5, rad * 0.5);
        for (int k = 0; k < 140; ++k) { // seeds in a golden-angle spiral
            const double a = k * 2.39996, d = std::sqrt(k / 140.0) * rad * 0.45;
            s.p.setBrush(QColor(150, 100, 30, 140));
            s.p.drawEllipse(QPointF(std::cos(a) * d, std::sin(a) * d), rad * 0.018, rad * 0.018);
        }
        s.p.restore();
    };
    for (int i = 0; i < 30; ++i) // distant field
        flower(QPointF(s.r(0, s.w), s.h * s.r(0.58, 0.68)), s.h * s.r(0.02, 0.035), 0.8);
    for (int i = 0; i < 10; ++i)
        flower(QPointF(s.r(0, s.w), s.h * s.r(0.68, 0.8)), s.h * s.r(0.05, 0.08), 0.85);
    flower(QPointF(s.w * 0.35, s.h * 0.62), s.h * 0.17, 0.95);
    flower(QPointF(s.w * 0.78, s.h * 0.8), s.h * 0.13, 0.9);
    vignette(s, 0.2);
    return s.finish();
}

QImage lighthouse(QSize size, quint32 seed)
{
    Scene s(size, seed);
    const double horizon = s.h * 0.62;
    verticalGradient(s.p, QRectF(0, 0, s.w, horizon + 1),
                     {{0, QColor(30, 44, 100)},
                      {0.5, QColor(120, 110, 170)},
                      {0.85, QColor(250, 170, 130)},
                      {1, QColor(255, 210, 160)}});
    for (int i = 0; i < 6; ++i)
        streakCloud(s, QPointF(s.r(0, s.w), s.r(0.15, 0.5) * s.h), s.r(0.4, 0.8) * s.w, s.h * 0.02,
                    QColor(255, 190, 160), QColor(100, 80, 140), 0.7);
    verticalGradient(s.p, QRectF(0, horizon, s.w, s.h - horizon), {{0, QColor(80, 90, 140)}, {1, QColor(20, 30, 60)}});
    glitter(s, s.w * 0.3, horizon + 2, s.h, s.w * 0.25, QColor(255, 200, 160), 400);
    // Cliff on the right, the lighthouse on top, its beam sweeping left.
    Noise n(seed);
    QPainterPath cliff;
    cliff.moveTo(s.w * 0.45, s.h);
    for (double y = s.h; y >= s.h * 0.5; y -= 6)
        cliff.lineTo(s.w * (0.5 + 0.08 * (y - s.h * 0.5) / (s.h * 0.5)) + s.w * 0.03 * n.fractal(y / 80.0, 4), y);
    cliff.lineTo(s.w, s.h * 0.48);
    cliff.lineTo(s.w, s.h);
    cliff.closeSubpath();
    fillPath(s.p, cliff, QColor(60, 50, 60), QColor(24, 20, 30));
    const double lx = s.w * 0.74, base = s.h * 0.49, lh = s.h * 0.26, lw = s.w * 0.08;
    QPainterPath tower;
    tower.moveTo(lx - lw / 2, base);
    tower.lineTo(lx - lw * 0.32, base - lh);
    tower.lineTo(lx + lw * 0.32, base - lh);
    tower.lineTo(lx + lw / 2, base);
    tower.closeSubpath();
    s.p.fillPath(tower, QColor(240, 236, 230));
    s.p.save();
    s.p.setClipPath(tower);
    for (int band = 0; band < 3; ++band) {
        s.p.setBrush(QColor(200, 50, 50));
        s.p.drawRect(QRectF(lx - lw, base - lh * (0.2 + band * 0.3), lw * 2, lh * 0.12));
    }
    QLinearGradient shade(lx - lw / 2, 0, lx + lw / 2, 0);
    shade.setColorAt(0, QColor(255, 200, 160, 60));
    shade.setColorAt(1, QColor(0, 0, 30, 110));
    s.p.fillRect(tower.boundingRect(), shade);
    s.p.restore();
    s.p.setBrush(QColor(40, 40, 50));
    s.p.drawRect(QRectF(lx - lw * 0.4, base - lh - lh * 0.03, lw * 0.8, lh * 0.03));
    s.p.drawRect(QRectF(lx - lw * 0.22, base - lh - lh * 0.16, lw * 0.44, lh * 0.02));
    QPainterPath roof;
    roof.moveTo(lx - lw * 0.28, base - lh - lh * 0.16);
    roof.lineTo(lx, base - lh - lh * 0.27);
    roof.lineTo(lx + lw * 0.28, base - lh - lh * 0.16);
    s.p.drawPath(roof);
    const QPointF lamp(lx, base - lh - lh * 0.09);
    s.p.setBrush(QColor(255, 240, 190));
    s.p.drawRect(QRectF(lx - lw * 0.18, base - lh - lh * 0.14, lw * 0.36, lh * 0.11));
    QPainterPath beam;
    beam.moveTo(lamp);
    beam.lineTo(QPointF(-s.w * 0.2, lamp.y() - s.h * 0.16));
    beam.lineTo(QPointF(-s.w * 0.2, lamp.y() + s.h * 0.05));
    beam.closeSubpath();
    QLinearGradient bg(lamp, QPointF(0, lamp.y()));
    bg.setColorAt(0, QColor(255, 240, 190, 150));
    bg.setColorAt(1, QColor(255, 240, 190, 0));
    s.p.save();
    s.p.setCompositionMode(QPainter::CompositionMode_Screen);
    s.p.fillPath(beam, bg);
    s.p.restore();
    glow(s.p, lamp, s.h * 0.08, QColor(255, 230, 170), 1.0);
    for (int i = 0; i < 40; ++i) { // waves breaking at the foot of the cliff
        s.p.setBrush(QColor(255, 255, 255, int(s.r(30, 120))));
        s.p.drawEllipse(QPointF(s.w * s.r(0.45, 0.6), s.h * s.r(0.9, 1.0)), s.r(10, 40), s.r(2, 6));
    }
    vignette(s, 0.35);
    return s.finish();
}

QImage balloons(QSize size, quint32 seed)
{
    Scene s(size, seed);
    verticalGradient(s.p, QRectF(0, 0, s.w, s.h),
                     {{0, QColor(110, 160, 220)}, {0.6, QColor(250, 214, 180)}, {1, QColor(250, 190, 150)}});
    glow(s.p, QPointF(s.w * 0.2, s.h * 0.72), s.h * 0.6, QColor(255, 220, 170), 0.9);
    const QColor haze(250, 206, 170);
    for (int i = 0; i < 4; ++i) {
        Noise n(seed + quint32(i));
        const QColor c = mix(QColor(150, 120, 130), QColor(40, 50, 60), i / 3.0);
        fillPath(s.p, ridge(s, n, s.h * (0.72 + i * 0.08), s.h * 0.06, s.w * 0.6, i * 2.0),
                 mix(c, haze, 0.5 - i * 0.12), c);
    }
    auto balloon = [&](QPointF c, double rad, const std::vector<QColor> &stripes) {
        QPainterPath env;
        env.moveTo(c.x(), c.y() + rad * 1.25);
        env.cubicTo(c.x() - rad * 0.4, c.y() + rad * 0.95, c.x() - rad * 1.05, c.y() + rad * 0.4, c.x() - rad,
                    c.y() - rad * 0.1);
        env.cubicTo(c.x() - rad * 0.95, c.y() - rad * 0.9, c.x() - rad * 0.3, c.y() - rad * 1.1, c.x(),
                    c.y() - rad * 1.1);
        env.cubicTo(c.x() + rad * 0.3, c.y() - rad * 1.1, c.x() + rad * 0.95, c.y() - rad * 0.9, c.x() + rad,
                    c.y() - rad * 0.1);
        env.cubicTo(c.x() + rad * 1.05, c.y() + rad * 0.4, c.x() + rad * 0.4, c.y() + rad * 0.95, c.x(),
                    c.y() + rad * 1.25);
        s.p.save();
        s.p.setClipPath(env);
        const int n = int(stripes.size()) * 2;
        for (int k = 0; k < n; ++k) {
            const double x0 = std::sin(-kPi / 2 + kPi * k / n), x1 = std::sin(-kPi / 2 + kPi * (k + 1) / n);
            s.p.setBrush(stripes[std::size_t(k) % stripes.size()]);
            s.p.drawRect(QRectF(c.x() + x0 * rad * 1.05, c.y() - rad * 1.2, (x1 - x0) * rad * 1.05 + 1, rad * 2.6));
        }
        QRadialGradient light(QPointF(c.x() - rad * 0.4, c.y() - rad * 0.5), rad * 1.8);
        light.setColorAt(0, QColor(255, 255, 240, 90));
        light.setColorAt(0.5, QColor(255, 255, 255, 0));
        light.setColorAt(1, QColor(30, 0, 40, 120));
        s.p.fillRect(env.boundingRect(), light);
        s.p.restore();
        s.p.setPen(QPen(QColor(60, 40, 30), std::max(1.0, rad * 0.02)));
        s.p.drawLine(QPointF(c.x() - rad * 0.2, c.y() + rad * 1.2), QPointF(c.x() - rad * 0.13, c.y() + rad * 1.5));
        s.p.drawLine(QPointF(c.x() + rad * 0.2, c.y() + rad * 1.2), QPointF(c.x() + rad * 0.13, c.y() + rad * 1.5));
        s.p.setPen(Qt::NoPen);
        s.p.setBrush(QColor(120, 80, 40));
        s.p.drawRect(QRectF(c.x() - rad * 0.15, c.y() + rad * 1.5, rad * 0.3, rad * 0.22));
    };
    const std::vector<std::vector<QColor>> looks = {{QColor(230, 60, 60), QColor(250, 200, 60)},
                                                    {QColor(60, 120, 220), QColor(250, 250, 250)},
                                                    {QColor(250, 130, 40), QColor(140, 50, 160)},
                                                    {QColor(40, 170, 120), QColor(250, 220, 80), QColor(220, 60, 90)},
                                                    {QColor(240, 100, 160), QColor(250, 240, 240)}};
    const struct {
        double x, y, r;
    } spots[] = {{0.75, 0.18, 0.015}, {0.2, 0.3, 0.02}, {0.55, 0.42, 0.03}, {0.85, 0.55, 0.045}, {0.32, 0.6, 0.09}};
    int k = 0;
    for (const auto &b : spots) {
        balloon(QPointF(b.x * s.w, b.y * s.h), b.r * s.h * 1.6, looks[std::size_t(k++) % looks.size()]);
        if (b.r < 0.05) // distant balloons sit in the haze
            glow(s.p, QPointF(b.x * s.w, b.y * s.h), b.r * s.h * 3, haze, 0.25);
    }
    vignette(s, 0.25);
    return s.finish();
}

QImage snowyPines(QSize size, quint32 seed)
{
    Scene s(size, seed);
    verticalGradient(s.p, QRectF(0, 0, s.w, s.h),
                     {{0, QColor(40, 60, 110)},
                      {0.5, QColor(130, 150, 200)},
                      {0.75, QColor(230, 200, 210)},
                      {1, QColor(240, 240, 250)}});
    const QPointF moon(s.w * 0.7, s.h * 0.16);
    glow(s.p, moon, s.h * 0.3, QColor(230, 230, 255), 0.5);
    s.p.setBrush(QColor(250, 250, 255));
    s.p.drawEllipse(moon, s.h * 0.03, s.h * 0.03);
    for (int row = 0; row < 4; ++row) {
        const double base = s.h * (0.58 + row * 0.1);
        Noise n(seed + quint32(row));
        fillPath(s.p, ridge(s, n, base, s.h * 0.02, s.w * 0.5, row * 1.5),
                 mix(QColor(250, 250, 255), QColor(200, 210, 240), row / 4.0), QColor(230, 236, 250));
        const QColor tree = mix(QColor(150, 160, 200), QColor(20, 50, 50), row / 3.0);
        const QColor snow = mix(QColor(230, 230, 245), QColor(250, 250, 255), row / 3.0);
        const int count = 14 - row * 3;
        for (int i = 0; i < count; ++i)
            pine(s.p, s.rng, s.r(0, s.w), base + s.h * 0.02, s.h * (0.08 + row * 0.09) * s.r(0.8, 1.2), tree, snow);
    }
    for (int i = 0; i < 500; ++i) { // falling snow
        const double rad = std::pow(s.rng.generateDouble(), 3) * s.w * 0.008 + 1;
        s.p.setBrush(QColor(255, 255, 255, int(s.r(120, 230) * (rad > 5 ? 0.4 : 1))));
        s.p.drawEllipse(QPointF(s.r(0, s.w), s.r(0, s.h)), rad, rad);
    }
    vignette(s, 0.25);
    return s.finish();
}

QImage fireworks(QSize size, quint32 seed)
{
    Scene s(size, seed);
    const int water = int(s.h * 0.74);
    verticalGradient(s.p, QRectF(0, 0, s.w, water),
                     {{0, QColor(6, 8, 30)}, {0.7, QColor(24, 26, 70)}, {1, QColor(60, 40, 90)}});
    const QColor colors[] = {QColor(255, 90, 110), QColor(255, 210, 90), QColor(120, 200, 255), QColor(200, 120, 255),
                             QColor(140, 255, 170)};
    for (int f = 0; f < 5; ++f) {
        const QPointF c(s.r(0.15, 0.85) * s.w, s.r(0.1, 0.45) * s.h);
        const double rad = s.r(0.18, 0.32) * s.w;
        const QColor col = colors[f % 5];
        glow(s.p, c, rad * 1.2, col, 0.25);
        s.p.save();
        s.p.setCompositionMode(QPainter::CompositionMode_Screen);
        for (int k = 0; k < 110; ++k) {
            const double a = k * 2 * kPi / 110 + s.r(-0.02, 0.02);
            const double len = rad * s.r(0.7, 1.0);
            // A trail of sparks drooping under gravity, bright at its head.
            const int steps = 24;
            QPointF prev = c;
            for (int d = 1; d <= steps; ++d) {
                const double t = double(d) / steps;
                const QPointF pt = c + QPointF(std::cos(a) * len * t, std::sin(a) * len * t + t * t * rad * 0.15);
                const double fade = t < 0.3 ? t / 0.3 * 0.5 : 0.5 + 0.5 * (t - 0.3) / 0.7;
                s.p.setPen(QPen(withAlpha(mix(col, QColor(255, 250, 235), t * t), fade * 0.9),
                                (0.8 + 2.2 * t) * s.w / 1080, Qt::SolidLine, Qt::RoundCap));
                s.p.drawLine(prev, pt);
                prev = pt;
            }
            s.p.setPen(Qt::NoPen);
            glow(s.p, prev, 6 * s.w / 1080, QColor(255, 250, 230), 0.8);
        }
        s.p.restore();
    }
    // A city shore with lights.
    double x = 0;
    while (x < s.w) {
        const double bw = s.r(0.04, 0.09) * s.w, bh = s.r(0.04, 0.14) * s.h;
        s.p.setBrush(QColor(14, 14, 30));
        s.p.drawRect(QRectF(x, water - bh, bw + 1, bh));
        for (int i = 0; i < 6; ++i) {
            s.p.setBrush(QColor(255, 210, 140, int(s.r(120, 250))));
            s.p.drawRect(QRectF(x + s.r(0.1, 0.8) * bw, water - s.r(0.1, 0.9) * bh, 4, 5));
        }
        x += bw;
    }
    reflect(s, water, QColor(10, 10, 30), 0.45, 5.0 * s.w / 1080);
    vignette(s, 0.3);
    return s.finish();
}

using Painter = QImage (*)(QSize, quint32);
const Painter kScenes[] = {misty,       lake,          flowerField, beach,      sunset,   autumn,     cityDusk,
                           starryNight, cherryBlossom, sunflowers,  lighthouse, balloons, snowyPines, fireworks};
enum SceneId {
    Misty,
    Lake,
    Flowers,
    Beach,
    Sunset,
    Autumn,
    City,
    Stars,
    Cherry,
    Sunflowers,
    Lighthouse,
    Balloons,
    Snow,
    Fireworks
};

// An APP1 block with an IFD0 holding only the Orientation tag.
QByteArray exifOrientationSegment(int orientation)
{
    const char tiff[] = {'I',
                         'I',
                         42,
                         0,
                         8,
                         0,
                         0,
                         0, // little-endian TIFF header, IFD0 at 8
                         1,
                         0, // one entry
                         0x12,
                         0x01,
                         3,
                         0,
                         1,
                         0,
                         0,
                         0, // Orientation, SHORT, count 1
                         char(orientation),
                         0,
                         0,
                         0, // value
                         0,
                         0,
                         0,
                         0}; // no next IFD
    const QByteArray payload = QByteArray("Exif\0\0", 6) + QByteArray(tiff, sizeof tiff);
    const int length = int(payload.size()) + 2;
    return QByteArray("\xFF\xE1", 2) + char(length >> 8) + char(length & 0xff) + payload;
}

} // namespace

std::vector<SamplePhoto> samplePhotos()
{
    // A day's journey: morning mist to fireworks at night, landscapes and
    // portraits interleaved. Two portraits are stored turned, as phones do.
    struct Entry {
        const char *name;
        int w, h, orientation, scene;
    };
    static const Entry kEntries[] = {
        {"01_晨雾群山.jpg", 1600, 1200, 1, Misty},    {"02_湖光山色.jpg", 1920, 1080, 1, Lake},
        {"03_樱花小径.jpg", 1080, 1440, 1, Cherry},   {"04_花田.jpg", 1920, 1080, 1, Flowers},
        {"05_向日葵.jpg", 1080, 1440, 6, Sunflowers}, {"06_金色海滩.jpg", 1600, 1200, 1, Beach},
        {"07_灯塔.jpg", 1080, 1620, 1, Lighthouse},   {"08_海上日落.jpg", 1920, 1080, 1, Sunset},
        {"09_秋林.jpg", 1920, 1080, 1, Autumn},       {"10_热气球.jpg", 1080, 1440, 6, Balloons},
        {"11_城市黄昏.jpg", 1920, 1080, 1, City},     {"12_雪松.jpg", 1080, 1440, 1, Snow},
        {"13_星空.jpg", 1600, 1200, 1, Stars},        {"14_烟花.jpg", 1080, 1440, 1, Fireworks},
    };
    std::vector<SamplePhoto> out;
    for (const Entry &e : kEntries)
        out.push_back({QString::fromUtf8(e.name), QSize(e.w, e.h), e.orientation, e.scene,
                       QStringLiteral("scene%1-%2x%3-o%4").arg(e.scene).arg(e.w).arg(e.h).arg(e.orientation)});
    return out;
}

QImage paintSamplePhoto(const SamplePhoto &photo)
{
    if (photo.scene < 0 || photo.scene >= int(std::size(kScenes)))
        throw Error(QStringLiteral("示例照片 %1 没有画法").arg(photo.fileName));
    QImage img = kScenes[photo.scene](photo.displayed, 1000u + quint32(photo.scene) * 7919u);
    grain(img, 77u + quint32(photo.scene), 3);
    return img;
}

QByteArray samplePhotoJpeg(const SamplePhoto &photo)
{
    const QImage shown = paintSamplePhoto(photo);
    if (photo.orientation == 1)
        return encodeJpeg(shown, 90);
    if (photo.orientation != 6)
        throw Error(QStringLiteral("示例照片 %1：不支持的方向 %2").arg(photo.fileName).arg(photo.orientation));
    // Orientation 6 shows the stored picture turned a quarter clockwise, so
    // store it turned a quarter counter-clockwise.
    const QByteArray jpeg = encodeJpeg(shown.transformed(QTransform().rotate(270)), 90);
    return jpeg.left(2) + exifOrientationSegment(6) + jpeg.mid(2);
}

QImage paintDefaultBackground(QSize size)
{
    Scene s(size, size.width() < size.height() ? 61u : 60u);
    // A deep rose-to-violet dusk, diagonal, with soft light from one corner.
    QLinearGradient g(0, 0, s.w, s.h);
    g.setColorAt(0, QColor(46, 30, 78));
    g.setColorAt(0.45, QColor(118, 64, 120));
    g.setColorAt(0.8, QColor(214, 120, 130));
    g.setColorAt(1, QColor(246, 186, 150));
    s.p.fillRect(QRectF(0, 0, s.w, s.h), g);
    glow(s.p, QPointF(s.w * 0.85, s.h * 0.85), std::max(s.w, s.h) * 0.7, QColor(255, 210, 170), 0.55);
    glow(s.p, QPointF(s.w * 0.1, s.h * 0.1), std::max(s.w, s.h) * 0.5, QColor(120, 120, 220), 0.35);
    // Flowing light ribbons.
    s.p.save();
    s.p.setCompositionMode(QPainter::CompositionMode_Screen);
    for (int k = 0; k < 5; ++k) {
        QPainterPath ribbon;
        const double y0 = s.h * (0.3 + 0.1 * k), amp = s.h * (0.06 + 0.02 * k);
        const double wave = std::max(s.w, s.h);
        for (double x = 0; x <= s.w + 10; x += 10) {
            const QPointF pt(x, y0 + amp * std::sin(x / wave * kPi * 1.6 + k * 0.8) - x / wave * s.h * 0.15);
            x == 0 ? ribbon.moveTo(pt) : ribbon.lineTo(pt);
        }
        s.p.setPen(QPen(QColor(255, 220, 240, 26 + 6 * k), s.h * (0.004 + 0.003 * k)));
        s.p.setBrush(Qt::NoBrush);
        s.p.drawPath(ribbon);
    }
    s.p.setPen(Qt::NoPen);
    s.p.restore();
    // Bokeh: out-of-focus discs with bright rims, larger ones fainter.
    for (int i = 0; i < 45; ++i) {
        const double rad = std::min(s.w, s.h) * (0.008 + 0.07 * std::pow(s.rng.generateDouble(), 2.5));
        const QPointF c(s.r(0, s.w), s.r(0, s.h));
        const QColor tint = i % 3 == 0 ? QColor(255, 226, 180)
            : i % 3 == 1               ? QColor(255, 170, 200)
                                       : QColor(200, 180, 255);
        const double a = 0.4 * (0.35 + 0.65 * (1 - rad / (std::min(s.w, s.h) * 0.08)));
        QRadialGradient disc(c, rad);
        disc.setColorAt(0, withAlpha(tint, a * 0.5));
        disc.setColorAt(0.85, withAlpha(tint, a * 0.7));
        disc.setColorAt(0.95, withAlpha(tint, a));
        disc.setColorAt(1, withAlpha(tint, 0));
        s.p.save();
        s.p.setCompositionMode(QPainter::CompositionMode_Screen);
        s.p.setBrush(disc);
        s.p.drawEllipse(c, rad, rad);
        s.p.restore();
    }
    vignette(s, 0.35);
    QImage img = s.finish();
    grain(img, 5u, 2);
    return img;
}

} // namespace lumora::studio
