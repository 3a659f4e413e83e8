#include "FacePlacement.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>

namespace lumora {

QString facesToCell(const std::vector<QRect> &faces)
{
    if (faces.empty())
        return kNoFaces;
    QStringList parts;
    for (const QRect &f : faces)
        parts << QStringLiteral("%1,%2,%3,%4").arg(f.x()).arg(f.y()).arg(f.width()).arg(f.height());
    return parts.join(QLatin1Char(';'));
}

std::optional<std::vector<QRect>> facesFromCell(const QString &cell)
{
    const QString t = cell.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    std::vector<QRect> faces;
    if (t == kNoFaces)
        return faces;
    for (const QString &part : t.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList n = part.split(QLatin1Char(','));
        if (n.size() != 4)
            return std::nullopt;
        int v[4];
        for (int i = 0; i < 4; ++i) {
            bool ok = false;
            v[i] = n[i].trimmed().toInt(&ok);
            if (!ok)
                return std::nullopt;
        }
        if (v[2] <= 0 || v[3] <= 0)
            return std::nullopt;
        faces.push_back(QRect(v[0], v[1], v[2], v[3]));
    }
    return faces;
}

namespace {

std::mutex g_steadyLock;
std::shared_ptr<const SteadyWindowSource> g_steadySource;

} // namespace

void setSteadyWindowSource(SteadyWindowSource source)
{
    std::lock_guard lock(g_steadyLock);
    g_steadySource = source ? std::make_shared<const SteadyWindowSource>(std::move(source)) : nullptr;
}

QRectF steadyWindowOf(const QString &packedMovie, const QString &pictureName, QSize picture)
{
    std::shared_ptr<const SteadyWindowSource> source;
    {
        std::lock_guard lock(g_steadyLock);
        source = g_steadySource;
    }
    return source ? (*source)(packedMovie, pictureName, picture) : QRectF();
}

namespace {

// A face as the window must hold it on one axis: [lo, hi] in photo-display
// pixels, relative to the photo's own top-left corner.
struct Span {
    double lo = 0, hi = 0;
};

struct Need {
    Span x, y;
    double area = 0;
};

// Margins around a face box, as fractions of its size: the sides, above
// (hair, headroom) and below (chin, neck).
constexpr double kSide = 0.25, kAbove = 0.5, kBelow = 0.25;

// One axis of the window: the canvas of length C over a photo of length L
// (free when the photo overhangs, L > C), starting at u in photo pixels; of
// the canvas, the part [V0, V0 + V] stays in view all the time.
struct Axis {
    double L = 0, C = 0;
    bool free = false;
    double fixedStart = 0; // window start when the axis does not move
    double V0 = 0, V = 0;
    double lowest() const { return 0; }
    double highest() const { return std::max(0.0, L - C); }
    double clamp(double u) const { return std::clamp(u, lowest(), highest()); }
    bool holds(double u, const Span &s) const { return s.lo >= u + V0 - 0.5 && s.hi <= u + V0 + V + 0.5; }
};

} // namespace

QRect placeAroundFaces(const QRect &placement, QSize canvas, QSize photo, const std::vector<QRect> &faces, bool moveX,
                       bool moveY)
{
    return placeAroundFaces(placement, canvas, QRect(QPoint(0, 0), canvas), photo, faces, moveX, moveY);
}

QRect placeAroundFaces(const QRect &placement, QSize canvas, const QRect &steady, QSize photo,
                       const std::vector<QRect> &faces, bool moveX, bool moveY)
{
    if (faces.empty() || photo.isEmpty() || placement.isEmpty() || canvas.isEmpty())
        return placement;
    // The part of the canvas that stays in view; all of it when unknown.
    QRect view = steady.intersected(QRect(QPoint(0, 0), canvas));
    if (view.isEmpty())
        view = QRect(QPoint(0, 0), canvas);
    const double sx = double(placement.width()) / photo.width(), sy = double(placement.height()) / photo.height();
    Axis ax{double(placement.width()), double(canvas.width()), moveX && placement.width() > canvas.width(),
            double(-placement.x()),    double(view.x()),       double(view.width())};
    Axis ay{double(placement.height()), double(canvas.height()), moveY && placement.height() > canvas.height(),
            double(-placement.y()),     double(view.y()),        double(view.height())};
    if (!ax.free && !ay.free)
        return placement;

    // Tries the margins in full, then without any, then a single face.
    for (const double m : {1.0, 0.0}) {
        std::vector<Need> needs;
        for (const QRect &f : faces) {
            const double w = f.width() * sx, h = f.height() * sy;
            Need n;
            n.x = {f.x() * sx - m * kSide * w, f.x() * sx + w + m * kSide * w};
            n.y = {f.y() * sy - m * kAbove * h, f.y() * sy + h + m * kBelow * h};
            // Margins reach no further than the photo's edge.
            n.x.lo = std::max(0.0, n.x.lo);
            n.x.hi = std::min(ax.L, n.x.hi);
            n.y.lo = std::max(0.0, n.y.lo);
            n.y.hi = std::min(ay.L, n.y.hi);
            n.area = w * h;
            needs.push_back(n);
        }
        // Window starts worth trying on an axis: each face at the window's
        // start or at its end.
        auto starts = [&](const Axis &a, Span Need::*span) {
            std::vector<double> u;
            if (!a.free) {
                u.push_back(a.fixedStart);
                return u;
            }
            for (const Need &n : needs) {
                u.push_back(a.clamp((n.*span).lo - a.V0));
                u.push_back(a.clamp((n.*span).hi - a.V0 - a.V));
            }
            return u;
        };
        const std::vector<double> ux = starts(ax, &Need::x), uy = starts(ay, &Need::y);
        int bestCount = 0;
        double bestArea = 0;
        std::vector<bool> best;
        for (double u : ux)
            for (double v : uy) {
                int count = 0;
                double area = 0;
                std::vector<bool> in(needs.size());
                for (size_t i = 0; i < needs.size(); ++i)
                    if (ax.holds(u, needs[i].x) && ay.holds(v, needs[i].y)) {
                        in[i] = true;
                        ++count;
                        area += needs[i].area;
                    }
                if (count > bestCount || (count == bestCount && area > bestArea + 1e-9)) {
                    bestCount = count;
                    bestArea = area;
                    best = in;
                }
            }
        if (bestCount == 0)
            continue;
        // The chosen faces' extent, centred in the window as far as the
        // photo's edges allow.
        auto place = [&](const Axis &a, Span Need::*span) {
            if (!a.free)
                return a.fixedStart;
            double lo = 1e18, hi = -1e18;
            for (size_t i = 0; i < needs.size(); ++i)
                if (best[i]) {
                    lo = std::min(lo, (needs[i].*span).lo);
                    hi = std::max(hi, (needs[i].*span).hi);
                }
            const double centred = (lo + hi) / 2 - a.V0 - a.V / 2;
            // Keep every chosen face inside the steady view: start within
            // [hi - V0 - V, lo - V0].
            return a.clamp(std::clamp(centred, std::min(hi - a.V0 - a.V, lo - a.V0), lo - a.V0));
        };
        const double u = place(ax, &Need::x), v = place(ay, &Need::y);
        return QRect(ax.free ? -int(std::lround(u)) : placement.x(), ay.free ? -int(std::lround(v)) : placement.y(),
                     placement.width(), placement.height());
    }
    // Not even one bare face fits the window: centre on the largest face.
    const QRect &f = *std::max_element(faces.begin(), faces.end(), [](const QRect &a, const QRect &b) {
        return qint64(a.width()) * a.height() < qint64(b.width()) * b.height();
    });
    const double cx = (f.x() + f.width() / 2.0) * sx, cy = (f.y() + f.height() / 2.0) * sy;
    return QRect(ax.free ? -int(std::lround(ax.clamp(cx - ax.V0 - ax.V / 2))) : placement.x(),
                 ay.free ? -int(std::lround(ay.clamp(cy - ay.V0 - ay.V / 2))) : placement.y(), placement.width(),
                 placement.height());
}

} // namespace lumora
