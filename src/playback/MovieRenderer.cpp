#include "MovieRenderer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRegion>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/Error.h"
#include "image/ImageIO.h"

namespace lumora {

namespace {

const QString kDefaultFontFamily = QStringLiteral("WenQuanYi Micro Hei");

// Positions closer than this to whole pixels are drawn as whole pixels.
constexpr double kGridTolerance = 0.01;
// How much smaller (pixels) a source rect is made so that the draw of a
// same-size picture off the pixel grid is filtered rather than snapped; it
// scales the picture by less than a thousandth of a pixel over its width.
constexpr double kSubPixelShrink = 1e-3;

bool onPixelGrid(QPointF p)
{
    return std::abs(p.x() - std::round(p.x())) < kGridTolerance && std::abs(p.y() - std::round(p.y())) < kGridTolerance;
}

// One horizontal box pass over 32-bit pixels (each byte a channel).
void boxPassRows(QImage &img, int r)
{
    const int w = img.width(), h = img.height();
    std::vector<quint32> line(static_cast<size_t>(w));
    const int div = 2 * r + 1;
    for (int y = 0; y < h; ++y) {
        auto *px = reinterpret_cast<quint32 *>(img.scanLine(y));
        std::copy(px, px + w, line.begin());
        int sum[4] = {0, 0, 0, 0};
        auto add = [&](quint32 v, int sign) {
            for (int c = 0; c < 4; ++c)
                sum[c] += sign * int((v >> (8 * c)) & 0xff);
        };
        for (int i = -r; i <= r; ++i)
            add(line[size_t(std::clamp(i, 0, w - 1))], 1);
        for (int x = 0; x < w; ++x) {
            quint32 out = 0;
            for (int c = 0; c < 4; ++c)
                out |= quint32(sum[c] / div) << (8 * c);
            px[x] = out;
            add(line[size_t(std::clamp(x - r, 0, w - 1))], -1);
            add(line[size_t(std::clamp(x + r + 1, 0, w - 1))], 1);
        }
    }
}

QImage transposed(const QImage &img)
{
    QImage t(img.height(), img.width(), img.format());
    for (int y = 0; y < img.height(); ++y) {
        const auto *src = reinterpret_cast<const quint32 *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            reinterpret_cast<quint32 *>(t.scanLine(x))[y] = src[x];
    }
    return t;
}

QImage decodePicture(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return decodePng(path);
    return decodeJpeg(path);
}

// The part of `picture` that covers a w × h area, centred, scaled smoothly to w × h.
QImage coverScaled(const QImage &picture, int w, int h)
{
    const double sx = double(w) / picture.width(), sy = double(h) / picture.height();
    const double s = std::max(sx, sy);
    const double cw = w / s, ch = h / s;
    const QRect crop(int(std::floor((picture.width() - cw) / 2)), int(std::floor((picture.height() - ch) / 2)),
                     std::max(1, int(std::round(cw))), std::max(1, int(std::round(ch))));
    return picture.copy(crop).scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QBrush layerBrush(const Layer &l, const QRectF &r)
{
    if (!l.gradient.present)
        return QBrush(l.fill.isValid() ? l.fill : QColor(Qt::transparent));
    auto at = [&](QPointF rel) { return QPointF(r.x() + rel.x() * r.width(), r.y() + rel.y() * r.height()); };
    QGradientStops stops;
    for (const auto &[pos, c] : l.gradient.stops)
        stops << QGradientStop(pos, c);
    if (l.gradient.radial) {
        const QPointF c = at(l.gradient.from), e = at(l.gradient.to);
        QRadialGradient g(c, std::hypot(e.x() - c.x(), e.y() - c.y()));
        g.setStops(stops);
        return QBrush(g);
    }
    QLinearGradient g(at(l.gradient.from), at(l.gradient.to));
    g.setStops(stops);
    return QBrush(g);
}

// The clip of a reveal in render pixels, or false when the layer is to be
// drawn unclipped (progress complete).
struct ClipResult {
    bool draw = true; // false: nothing of the layer shows
    bool clipped = false; // true: use region or path
    bool usePath = false;
    QRegion region;
    QPainterPath path;
};

QRect rectOf(double x, double y, double w, double h)
{
    const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
    const int x1 = int(std::ceil(x + w)), y1 = int(std::ceil(y + h));
    return QRect(x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0));
}

ClipResult clipFor(const ClipSpec &c, double f, QSize size)
{
    ClipResult res;
    if (c.shape == ClipShape::None)
        return res;
    const double p = std::clamp(c.progress.at(f, 1), 0.0, 1.0);
    const bool full = c.invert ? p <= 0 : p >= 1;
    const bool none = c.invert ? p >= 1 : p <= 0;
    if (none) {
        res.draw = false;
        return res;
    }
    if (full)
        return res;
    const double W = size.width(), H = size.height();
    const double cx = c.centre.x() * W, cy = c.centre.y() * H;
    const double reachX = std::max(cx, W - cx), reachY = std::max(cy, H - cy);
    const bool vertical = c.direction == QLatin1String("vertical");
    QRegion region;
    QPainterPath path;
    bool usePath = false;
    switch (c.shape) {
    case ClipShape::None: break;
    case ClipShape::Wipe:
        if (c.direction == QLatin1String("left"))
            region = rectOf(W - p * W, 0, p * W, H);
        else if (c.direction == QLatin1String("down"))
            region = rectOf(0, 0, W, p * H);
        else if (c.direction == QLatin1String("up"))
            region = rectOf(0, H - p * H, W, p * H);
        else
            region = rectOf(0, 0, p * W, H);
        break;
    case ClipShape::Box: region = rectOf(cx - p * reachX, cy - p * reachY, 2 * p * reachX, 2 * p * reachY); break;
    case ClipShape::Split:
        if (vertical)
            region = rectOf(0, cy - p * reachY, W, 2 * p * reachY);
        else
            region = rectOf(cx - p * reachX, 0, 2 * p * reachX, H);
        break;
    case ClipShape::Blinds:
    case ClipShape::Stripes: {
        const int n = std::max(1, c.count);
        const double band = (vertical ? W : H) / n;
        for (int k = 0; k < n; ++k) {
            // Stripes open one after another; blinds all at once.
            double q = p;
            if (c.shape == ClipShape::Stripes) {
                const double delay = n > 1 ? 0.5 * k / (n - 1) : 0;
                q = std::clamp((p - delay) / 0.5, 0.0, 1.0);
            }
            if (vertical)
                region += rectOf(k * band, 0, band * q, H);
            else
                region += rectOf(0, k * band, W, band * q);
        }
        break;
    }
    case ClipShape::Checker: {
        const int cols = std::max(1, c.count);
        const int rows = std::max(1, int(std::round(cols * H / W)));
        const double cw = W / cols, ch = H / rows;
        for (int i = 0; i < cols; ++i)
            for (int j = 0; j < rows; ++j) {
                const double delay = ((i + j) % 2) ? 0.5 : 0.0;
                const double q = std::clamp((p - delay) / 0.5, 0.0, 1.0);
                if (q > 0)
                    region += rectOf(i * cw + cw * (1 - q) / 2, j * ch + ch * (1 - q) / 2, cw * q, ch * q);
            }
        break;
    }
    case ClipShape::Iris: {
        const double r = p * std::hypot(reachX, reachY);
        path.addEllipse(QPointF(cx, cy), r, r);
        usePath = true;
        break;
    }
    case ClipShape::Diamond: {
        const double hx = p * 2 * reachX, hy = p * 2 * reachY;
        path.addPolygon(QPolygonF({QPointF(cx, cy - hy), QPointF(cx + hx, cy), QPointF(cx, cy + hy),
                                   QPointF(cx - hx, cy), QPointF(cx, cy - hy)}));
        usePath = true;
        break;
    }
    case ClipShape::Clock: {
        const double r = std::hypot(reachX, reachY) + 2;
        path.moveTo(cx, cy);
        path.arcTo(QRectF(cx - r, cy - r, 2 * r, 2 * r), 90, -360 * p);
        path.closeSubpath();
        usePath = true;
        break;
    }
    case ClipShape::Diagonal: {
        const double t = p * (W + H);
        if (c.direction == QLatin1String("left"))
            path.addPolygon(QPolygonF({QPointF(W, 0), QPointF(W - t, 0), QPointF(W, t), QPointF(W, 0)}));
        else
            path.addPolygon(QPolygonF({QPointF(0, 0), QPointF(t, 0), QPointF(0, t), QPointF(0, 0)}));
        usePath = true;
        break;
    }
    }
    res.clipped = true;
    res.usePath = usePath;
    if (usePath) {
        if (c.invert) {
            QPainterPath whole;
            whole.addRect(QRectF(-1, -1, W + 2, H + 2));
            path = whole.subtracted(path);
        }
        res.path = path;
    } else {
        res.region = c.invert ? QRegion(QRect(-1, -1, int(W) + 2, int(H) + 2)).subtracted(region) : region;
    }
    return res;
}

// The opacity factor a layer's transparency variable gives (1 when it has
// none or its value is not a number).
double variableOpacity(const Layer &l, const QHash<QString, QString> &variables)
{
    if (l.transparencyVariable.isEmpty())
        return 1;
    bool ok = false;
    const double t = variables.value(l.transparencyVariable).trimmed().toDouble(&ok);
    return ok ? (100.0 - std::clamp(t, 0.0, 100.0)) / 100.0 : 1;
}

// A layer shows from the start of frame `from` to the end of frame `to`; a
// time between frames (a template played at a fitted rate) counts as the
// frame it falls in.
bool visibleAt(const Layer &l, double f)
{
    const double whole = std::floor(f);
    return whole >= l.from && (l.to < 0 || whole <= l.to);
}

// True when nothing of the layer changes from frame f on: every track and the
// reveal have passed their last key (a track holds its last value after it).
bool restsAt(const Layer &l, double f)
{
    for (const Track *t :
         {&l.x, &l.y, &l.scale, &l.scaleX, &l.scaleY, &l.rotation, &l.zoom, &l.panX, &l.panY, &l.opacity})
        if (t->animated() && f < t->keys.back().frame)
            return false;
    if (l.clip.shape != ClipShape::None && l.clip.progress.animated() && f < l.clip.progress.keys.back().frame)
        return false;
    return true;
}

} // namespace

void blurImage(QImage &image, int radius)
{
    if (radius < 1 || image.isNull())
        return;
    // Wide blurs run on a reduced copy: the result is soft anyway, and this
    // keeps preparing a full-frame layer quick.
    const int factor = radius / 6;
    if (factor >= 2 && image.width() / factor >= 8 && image.height() / factor >= 8) {
        const QSize full = image.size();
        QImage small = image.scaled(full / factor, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        blurImage(small, radius / factor);
        image = small.scaled(full, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(image.format());
        return;
    }
    const int r = std::max(1, radius / 2);
    for (int pass = 0; pass < 3; ++pass)
        boxPassRows(image, r);
    QImage t = transposed(image);
    for (int pass = 0; pass < 3; ++pass)
        boxPassRows(t, r);
    image = transposed(t);
}

MovieRenderer::MovieRenderer(MovieDocument document, const QString &folder)
    : m_doc(std::move(document)), m_folder(folder.endsWith(u'/') ? folder : folder + u'/')
{
    loadPictures();
}

void MovieRenderer::loadPictures()
{
    m_pictures.clear();
    m_missing.clear();
    m_picturesLoaded = true;
    for (const QString &name : m_doc.pictureNames()) {
        try {
            QImage img = decodePicture(m_folder + name);
            if (img.isNull() || img.width() < 1 || img.height() < 1)
                throw Error(name);
            if (img.format() != QImage::Format_RGB32 && img.format() != QImage::Format_ARGB32_Premultiplied)
                img = img.convertToFormat(img.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                : QImage::Format_RGB32);
            m_pictures.insert(name, img);
        } catch (const std::exception &) {
            m_missing << name;
        }
    }
}

MovieRenderer::Prepared MovieRenderer::prepareLayer(const Layer &l, double kx, double ky) const
{
    Prepared out;
    QRectF stageRect = l.rect;
    const QImage *picture = nullptr;
    QImage cropped;
    if (l.type == LayerType::Picture) {
        auto it = m_pictures.constFind(l.picture);
        if (it != m_pictures.constEnd())
            picture = &it.value();
        if (picture && l.crop != QRectF(0, 0, 1, 1)) {
            const QRect part(int(std::floor(l.crop.x() * picture->width())),
                             int(std::floor(l.crop.y() * picture->height())),
                             std::max(1, int(std::round(l.crop.width() * picture->width()))),
                             std::max(1, int(std::round(l.crop.height() * picture->height()))));
            cropped = picture->copy(part);
            picture = &cropped;
        }
        if (picture && l.fit == Fit::Contain) {
            const double s = std::min(l.rect.width() / picture->width(), l.rect.height() / picture->height());
            const QSizeF fitted(picture->width() * s, picture->height() * s);
            stageRect = QRectF(l.rect.center().x() - fitted.width() / 2, l.rect.center().y() - fitted.height() / 2,
                               fitted.width(), fitted.height());
        }
    }
    out.rect = QRectF(stageRect.x() * kx, stageRect.y() * ky, stageRect.width() * kx, stageRect.height() * ky);
    const int w = std::max(1, int(std::round(out.rect.width())));
    const int h = std::max(1, int(std::round(out.rect.height())));
    const double k = std::min(kx, ky);

    if (l.type == LayerType::Picture) {
        out.maxZoom = std::max(1.0, l.zoom.maxValue(1));
        if (picture) {
            const int sw = std::max(1, int(std::round(w * out.maxZoom)));
            const int sh = std::max(1, int(std::round(h * out.maxZoom)));
            out.sprite = l.fit == Fit::Stretch
                ? picture->scaled(sw, sh, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                : coverScaled(*picture, sw, sh);
            if (l.blur > 0)
                blurImage(out.sprite, int(std::round(l.blur * k * out.maxZoom)));
            out.hasPicture = true;
        }
    } else {
        QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        const QRectF r(0, 0, w, h);
        const double bw = l.borderWidth * k;
        if (l.type == LayerType::Text) {
            QFont font(l.fontFamily.isEmpty() ? kDefaultFontFamily : l.fontFamily);
            font.setPixelSize(std::max(1, int(std::round(l.fontSize * ky))));
            font.setBold(l.bold);
            font.setItalic(l.italic);
            if (l.letterSpacing != 0)
                font.setLetterSpacing(QFont::PercentageSpacing, 100 + l.letterSpacing);
            p.setFont(font);
            if (l.gradient.present) {
                p.setPen(QPen(layerBrush(l, r), 1));
            } else {
                p.setPen(l.color);
            }
            p.drawText(r, l.align | Qt::TextWordWrap, l.text);
        } else {
            p.setPen(bw > 0 ? QPen(l.borderColor, bw) : Qt::NoPen);
            p.setBrush(layerBrush(l, r));
            const QRectF inner = r.adjusted(bw / 2, bw / 2, -bw / 2, -bw / 2);
            if (l.type == LayerType::Ellipse)
                p.drawEllipse(inner);
            else if (l.radius > 0)
                p.drawRoundedRect(inner, l.radius * k, l.radius * k);
            else
                p.drawRect(inner);
        }
        p.end();
        out.sprite = img;
    }

    // Border (pictures) and shadow (any layer) go into one image behind the content.
    const bool pictureBorder = l.type == LayerType::Picture && l.borderWidth > 0;
    if (pictureBorder || l.hasShadow()) {
        const double bw = pictureBorder ? l.borderWidth * k : 0;
        const double blur = l.hasShadow() ? l.shadowBlur * k : 0;
        const double sdx = l.hasShadow() ? l.shadowDx * kx : 0, sdy = l.hasShadow() ? l.shadowDy * ky : 0;
        const double margin = bw + blur * 1.5 + 2;
        // A picture shown unzoomed is also kept laid on its frame (see
        // `framed`); whole-pixel margins put it there with a plain blit.
        const bool lay = out.hasPicture && out.maxZoom == 1 && out.sprite.size() == QSize(w, h);
        double left = margin + std::max(0.0, -sdx), top = margin + std::max(0.0, -sdy);
        if (lay) {
            left = std::ceil(left);
            top = std::ceil(top);
        }
        const double right = margin + std::max(0.0, sdx), bottom = margin + std::max(0.0, sdy);
        QImage fr(int(std::ceil(w + left + right)), int(std::ceil(h + top + bottom)),
                  QImage::Format_ARGB32_Premultiplied);
        fr.fill(Qt::transparent);
        const QRectF body(left - bw, top - bw, w + 2 * bw, h + 2 * bw);
        const double rad = l.radius * k;
        if (l.hasShadow()) {
            QImage shadow(fr.size(), QImage::Format_ARGB32_Premultiplied);
            shadow.fill(Qt::transparent);
            QPainter sp(&shadow);
            sp.setRenderHint(QPainter::Antialiasing);
            if (l.type == LayerType::Picture || l.type == LayerType::Rect) {
                sp.setPen(Qt::NoPen);
                sp.setBrush(l.shadowColor);
                sp.drawRoundedRect(body.translated(sdx, sdy), rad, rad);
            } else {
                // The shadow of text and ellipses follows their own shape.
                QImage tinted = out.sprite;
                QPainter tp(&tinted);
                tp.setCompositionMode(QPainter::CompositionMode_SourceIn);
                tp.fillRect(tinted.rect(), l.shadowColor);
                tp.end();
                sp.drawImage(QPointF(left + sdx, top + sdy), tinted);
            }
            sp.end();
            blurImage(shadow, int(std::round(blur)));
            QPainter fp(&fr);
            fp.drawImage(0, 0, shadow);
        }
        if (pictureBorder) {
            QPainter fp(&fr);
            fp.setRenderHint(QPainter::Antialiasing);
            fp.setPen(Qt::NoPen);
            fp.setBrush(l.borderColor);
            fp.drawRoundedRect(body, rad, rad);
        }
        out.frame = fr;
        out.frameOffset = QPointF(-left, -top);
        if (lay) {
            out.framed = fr;
            QPainter fp(&out.framed);
            fp.drawImage(QPoint(int(left), int(top)), out.sprite);
        }
    }
    return out;
}

MovieRenderer::PreparedSet &MovieRenderer::prepared(QSize size)
{
    const std::pair<int, int> key(size.width(), size.height());
    auto it = m_cache.find(key);
    if (it != m_cache.end())
        return it->second;
    if (m_cache.size() >= 2)
        m_cache.clear();
    if (!m_picturesLoaded)
        loadPictures();
    const double kx = double(size.width()) / m_doc.stage.width();
    const double ky = double(size.height()) / m_doc.stage.height();
    PreparedSet set;
    set.reserve(m_doc.layers.size());
    // Pictures that are not kept go as soon as the last layer showing them is
    // prepared: the decoded pictures and the prepared layers are not all in
    // memory at once.
    QHash<QString, int> uses;
    if (!m_keepPictures)
        for (const Layer &l : m_doc.layers)
            if (l.type == LayerType::Picture)
                ++uses[l.picture];
    for (const Layer &l : m_doc.layers) {
        set.push_back(prepareLayer(l, kx, ky));
        if (!m_keepPictures && l.type == LayerType::Picture && --uses[l.picture] == 0)
            m_pictures.remove(l.picture);
    }
    if (!m_keepPictures) {
        m_pictures.clear();
        m_picturesLoaded = false;
    }
    return m_cache.emplace(key, std::move(set)).first->second;
}

void MovieRenderer::drawContent(QPainter &p, const Layer &l, const Prepared &prep, double f, QPointF anchor,
                                QPointF anchorLocal, double sx, double sy, double rot) const
{
    p.save();
    const bool turned = std::abs(rot) > 1e-3;
    if (turned) {
        p.translate(anchor);
        p.rotate(rot);
        p.scale(sx, sy);
        p.translate(-anchorLocal);
    }
    // A plain coloured rectangle needs no image: fill it. Off the pixel grid
    // its edges are antialiased, so a moving box glides instead of stepping.
    if (!turned && l.type == LayerType::Rect && !l.gradient.present && l.radius <= 0 && l.borderWidth <= 0
        && !l.hasShadow()) {
        const QRectF dest(anchor.x() - anchorLocal.x() * sx, anchor.y() - anchorLocal.y() * sy, prep.rect.width() * sx,
                          prep.rect.height() * sy);
        if (!onPixelGrid(dest.topLeft()) || !onPixelGrid(dest.bottomRight()))
            p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(dest, l.fill.isValid() ? l.fill : QColor(Qt::transparent));
        p.restore();
        return;
    }
    // Draws `img` (source rect `src`) onto the layer-local rect `local`.
    auto draw = [&](const QImage &img, const QRectF &local, const QRectF &src) {
        if (turned) {
            p.drawImage(local, img, src);
            return;
        }
        const QRectF dest(anchor.x() + (local.x() - anchorLocal.x()) * sx,
                          anchor.y() + (local.y() - anchorLocal.y()) * sy, local.width() * sx, local.height() * sy);
        const bool sameSize
            = std::abs(dest.width() - src.width()) < 0.01 && std::abs(dest.height() - src.height()) < 0.01;
        if (sameSize && onPixelGrid(src.topLeft()) && onPixelGrid(dest.topLeft())) {
            // Same size on the pixel grid: an integer blit, the cheapest path.
            p.drawImage(QPoint(int(std::round(dest.x())), int(std::round(dest.y()))), img,
                        QRect(int(std::round(src.x())), int(std::round(src.y())), int(std::round(src.width())),
                              int(std::round(src.height()))));
        } else if (sameSize) {
            // Same size off the grid (a slide, or a pan at a steady zoom). The
            // raster engine snaps a pure translation to whole pixels, which
            // makes slow motion shake; a source a hair smaller turns the draw
            // into a filtered one at the exact sub-pixel offset.
            p.drawImage(dest, img, QRectF(src.topLeft(), src.size() - QSizeF(kSubPixelShrink, kSubPixelShrink)));
        } else {
            p.drawImage(dest, img, src);
        }
    };
    // Fully opaque, the picture laid on its frame is one draw instead of two
    // (a turned picture costs a transformed draw per image). With opacity the
    // two are drawn apart, as the frame then shows through the picture.
    if (!prep.framed.isNull() && p.opacity() >= 1) {
        draw(prep.framed, QRectF(prep.frameOffset, QSizeF(prep.framed.size())), QRectF(prep.framed.rect()));
        p.restore();
        return;
    }
    if (!prep.frame.isNull())
        draw(prep.frame, QRectF(prep.frameOffset, QSizeF(prep.frame.size())), QRectF(prep.frame.rect()));
    if (!prep.sprite.isNull()) {
        const QSizeF local(prep.sprite.width() / prep.maxZoom, prep.sprite.height() / prep.maxZoom);
        if (l.type == LayerType::Picture) {
            const double z = std::clamp(l.zoom.at(f, 1), 1.0, prep.maxZoom);
            const double win = prep.sprite.width() / z, winH = prep.sprite.height() / z;
            const double px = std::clamp(l.panX.at(f, 0), -1.0, 1.0), py = std::clamp(l.panY.at(f, 0), -1.0, 1.0);
            const QRectF src((prep.sprite.width() - win) / 2 * (1 + px), (prep.sprite.height() - winH) / 2 * (1 + py),
                             win, winH);
            draw(prep.sprite, QRectF(QPointF(0, 0), local), src);
        } else {
            draw(prep.sprite, QRectF(QPointF(0, 0), local), QRectF(prep.sprite.rect()));
        }
    }
    p.restore();
}

void MovieRenderer::drawLayer(QPainter &p, const Layer &l, const Prepared &prep, double f, double kx, double ky,
                              const QHash<QString, QString> &variables, QSize size) const
{
    const double opacity = std::clamp(l.opacity.at(f, 1), 0.0, 1.0) * variableOpacity(l, variables);
    if (opacity <= 0.002)
        return;
    if (l.type == LayerType::Picture && !prep.hasPicture && prep.frame.isNull())
        return;
    const ClipResult clip = clipFor(l.clip, f, size);
    if (!clip.draw)
        return;

    const double s = l.scale.at(f, 1);
    const double sx = s * l.scaleX.at(f, 1), sy = s * l.scaleY.at(f, 1);
    if (std::abs(sx) < 1e-4 || std::abs(sy) < 1e-4)
        return;
    const double rot = l.rotation.at(f, 0);
    const QPointF anchorLocal(l.anchor.x() * prep.rect.width(), l.anchor.y() * prep.rect.height());
    const QPointF anchor = prep.rect.topLeft() + anchorLocal + QPointF(l.x.at(f, 0) * kx, l.y.at(f, 0) * ky);

    p.save();
    if (clip.clipped) {
        const Qt::ClipOperation op = p.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip;
        if (clip.usePath)
            p.setClipPath(clip.path, op);
        else
            p.setClipRegion(clip.region, op);
    }
    p.setOpacity(opacity);
    // A layer whose motion has ended and that needs a transformed draw is
    // drawn once into an image of its own and blitted from then on.
    const bool blitOnly = std::abs(rot) <= 1e-3 && std::abs(sx - 1) < 1e-6 && std::abs(sy - 1) < 1e-6
        && (l.type != LayerType::Picture || std::abs(l.zoom.at(f, 1) - prep.maxZoom) < 1e-6);
    if (!blitOnly && f >= settledFrame(l)) {
        if (prep.settled.isNull()) {
            QTransform t;
            t.translate(anchor.x(), anchor.y());
            t.rotate(rot);
            t.scale(sx, sy);
            t.translate(-anchorLocal.x(), -anchorLocal.y());
            QRectF local(QPointF(0, 0), prep.rect.size());
            if (!prep.frame.isNull())
                local = local.united(QRectF(prep.frameOffset, QSizeF(prep.frame.size())));
            const QRect box
                = t.mapRect(local).toAlignedRect().adjusted(-1, -1, 1, 1).intersected(QRect(QPoint(0, 0), size));
            if (box.isEmpty()) {
                p.restore();
                return;
            }
            QImage img(box.size(), QImage::Format_ARGB32_Premultiplied);
            img.fill(Qt::transparent);
            QPainter q(&img);
            q.setRenderHint(QPainter::SmoothPixmapTransform);
            q.translate(-box.topLeft());
            drawContent(q, l, prep, f, anchor, anchorLocal, sx, sy, rot);
            q.end();
            prep.settled = img;
            prep.settledPos = box.topLeft();
        }
        p.drawImage(prep.settledPos, prep.settled);
    } else {
        drawContent(p, l, prep, f, anchor, anchorLocal, sx, sy, rot);
    }
    p.restore();
}

double MovieRenderer::settledFrame(const Layer &l)
{
    double last = 0;
    for (const Track *t : {&l.x, &l.y, &l.scale, &l.scaleX, &l.scaleY, &l.rotation, &l.zoom, &l.panX, &l.panY})
        if (t->animated())
            last = std::max(last, t->keys.back().frame);
    return last;
}

void MovieRenderer::render(int frame, const QHash<QString, QString> &variables, QImage &target)
{
    render(double(frame), variables, target);
}

void MovieRenderer::render(double frame, const QHash<QString, QString> &variables, QImage &target)
{
    if (target.isNull())
        throw Error(QCoreApplication::translate("lumora::MovieRenderer", "影片渲染目标图片为空"));
    QSize size = target.size();
    QPoint origin(0, 0);
    if (m_doc.keepAspect) {
        const double s
            = std::min(double(size.width()) / m_doc.stage.width(), double(size.height()) / m_doc.stage.height());
        const QSize inner(std::max(1, int(std::round(m_doc.stage.width() * s))),
                          std::max(1, int(std::round(m_doc.stage.height() * s))));
        origin = QPoint((size.width() - inner.width()) / 2, (size.height() - inner.height()) / 2);
        size = inner;
    }
    const double f = std::clamp(frame, 0.0, double(std::max(0, m_doc.frames - 1)));
    PreparedSet &set = prepared(size);
    const double kx = double(size.width()) / m_doc.stage.width();
    const double ky = double(size.height()) / m_doc.stage.height();
    // Layers under an opaque picture that covers the whole stage are not drawn.
    size_t first = 0;
    for (size_t i = m_doc.layers.size(); i-- > 0;) {
        const Layer &l = m_doc.layers[i];
        if (!visibleAt(l, f))
            continue;
        const Prepared &prep = set[i];
        if (l.type != LayerType::Picture || !prep.hasPicture || prep.sprite.hasAlphaChannel()
            || l.clip.shape != ClipShape::None || variableOpacity(l, variables) < 1 || l.opacity.at(f, 1) < 1
            || l.rotation.at(f, 0) != 0 || l.x.at(f, 0) != 0 || l.y.at(f, 0) != 0
            || l.scale.at(f, 1) * l.scaleX.at(f, 1) < 1 || l.scale.at(f, 1) * l.scaleY.at(f, 1) < 1
            || !prep.frame.isNull())
            continue;
        if (prep.rect.left() <= 0 && prep.rect.top() <= 0 && prep.rect.right() >= size.width()
            && prep.rect.bottom() >= size.height() && l.anchor == QPointF(0.5, 0.5)) {
            first = i;
            break;
        }
    }
    // The backdrop and the bottom layers that no longer change are drawn once
    // into a base picture and copied from then on; the layers above it are
    // drawn every frame. The painter is set up the same way for both, and the
    // base has the target's format, so the pixels are those of drawing every
    // layer every frame.
    BaseKey key;
    key.size = target.size();
    key.format = target.format();
    size_t next = first;
    for (; next < m_doc.layers.size(); ++next) {
        const Layer &l = m_doc.layers[next];
        if (!visibleAt(l, f))
            continue;
        if (!restsAt(l, f))
            break;
        key.layers.push_back(int(next));
        key.variables << (l.transparencyVariable.isEmpty() ? QString() : variables.value(l.transparencyVariable));
    }
    auto begin = [&](QPainter &p, bool fill) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        if (fill)
            p.fillRect(target.rect(), m_doc.backdrop);
        if (!origin.isNull()) {
            p.translate(origin);
            p.setClipRect(QRect(QPoint(0, 0), size));
        }
    };
    if (key.layers.empty()) {
        QPainter p(&target);
        begin(p, true);
        for (size_t i = first; i < m_doc.layers.size(); ++i)
            if (visibleAt(m_doc.layers[i], f))
                drawLayer(p, m_doc.layers[i], set[i], f, kx, ky, variables, size);
        return;
    }
    if (m_base.isNull() || !(m_baseKey == key)) {
        m_base = QImage(target.size(), target.format());
        QPainter b(&m_base);
        begin(b, true);
        for (int i : key.layers)
            drawLayer(b, m_doc.layers[size_t(i)], set[size_t(i)], f, kx, ky, variables, size);
        b.end();
        m_baseKey = std::move(key);
    }
    const qsizetype line = std::min(target.bytesPerLine(), m_base.bytesPerLine());
    for (int y = 0; y < target.height(); ++y)
        std::memcpy(target.scanLine(y), m_base.constScanLine(y), size_t(line));
    QPainter p(&target);
    begin(p, false);
    for (size_t i = next; i < m_doc.layers.size(); ++i)
        if (visibleAt(m_doc.layers[i], f))
            drawLayer(p, m_doc.layers[i], set[i], f, kx, ky, variables, size);
}

QImage MovieRenderer::render(int frame, const QHash<QString, QString> &variables, QSize size)
{
    QImage img(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    render(frame, variables, img);
    return img;
}

} // namespace lumora
