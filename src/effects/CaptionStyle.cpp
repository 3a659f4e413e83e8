#include "CaptionStyle.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>

#include "media/LyricSettings.h"

namespace lumora {

namespace {

constexpr int kFramesPerSecond = 25;
constexpr int kEaseInFrames = 15; // 0.6 s
constexpr int kEaseOutFrames = 12; // 0.48 s

qreal clamp01(qreal v)
{
    return std::clamp(v, qreal(0), qreal(1));
}
qreal easeInOut(qreal t)
{
    t = clamp01(t);
    return t < 0.5 ? 4 * t * t * t : 1 - std::pow(-2 * t + 2, 3) / 2;
}
qreal easeOutBack(qreal t)
{
    t = clamp01(t);
    const qreal c1 = 1.2, c3 = c1 + 1;
    return 1 + c3 * std::pow(t - 1, 3) + c1 * std::pow(t - 1, 2);
}

// Eased entrance (0 → 1 over the first frames) and exit (1 → 0 over the last).
struct Phase {
    qreal in = 1, out = 1;
    qreal alpha() const { return std::min(in, out); }
};
Phase phaseOf(int frame, int frames)
{
    return {easeInOut(qreal(frame + 1) / kEaseInFrames), easeInOut(qreal(frames - frame) / kEaseOutFrames)};
}

QStringList familiesOf(CaptionFace face)
{
    switch (face) {
    case CaptionFace::Serif:
        return {QStringLiteral("DejaVu Serif"), QStringLiteral("AR PL UMing CN"), QStringLiteral("WenQuanYi Micro Hei"),
                QStringLiteral("Noto Sans CJK SC")};
    case CaptionFace::Brush:
        return {QStringLiteral("AR PL UKai CN"), QStringLiteral("WenQuanYi Micro Hei"),
                QStringLiteral("Noto Sans CJK SC")};
    case CaptionFace::Sans: break;
    }
    return {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"), QStringLiteral("DejaVu Sans")};
}

// Share of min(width, height) the font's pixel size takes before fitting.
qreal sizeFactor(CaptionStyle s)
{
    switch (s) {
    case CaptionStyle::GoldenSweep: return 0.095;
    case CaptionStyle::VerticalScroll: return 0.06;
    case CaptionStyle::Ribbon: return 0.062;
    default: return 0.072;
    }
}

// Room around the letters, in font pixels: left/right, top, bottom. It holds
// the outline, shadow, glow and the letters' movement.
struct Margins {
    qreal side, top, bottom;
};
Margins marginsOf(CaptionStyle s)
{
    switch (s) {
    case CaptionStyle::FadeRise: return {0.3, 0.45, 0.7};
    case CaptionStyle::LetterDrop: return {0.3, 1.1, 0.35};
    case CaptionStyle::SoftGlow: return {0.8, 0.7, 0.8};
    case CaptionStyle::Ribbon: return {1.5, 0.55, 0.65};
    case CaptionStyle::BrushReveal: return {0.7, 0.45, 0.55};
    case CaptionStyle::GoldenSweep: return {0.45, 0.4, 0.5};
    default: return {0.35, 0.35, 0.45};
    }
}

QStringList clusters(const QString &line)
{
    QStringList out;
    QTextBoundaryFinder f(QTextBoundaryFinder::Grapheme, line);
    int start = 0;
    while (f.toNextBoundary() != -1) {
        const int end = f.position();
        if (end > start)
            out << line.mid(start, end - start);
        start = end;
    }
    return out;
}

CaptionLayout layoutAt(const QStringList &lines, CaptionStyle style, qreal px)
{
    CaptionLayout l;
    l.style = style;
    l.frames = captionStyleInfo(style).frames;
    l.pixelSize = px;
    l.font.setFamilies(familiesOf(captionStyleInfo(style).face));
    l.font.setPixelSize(std::max(1, int(std::lround(px))));
    l.font.setBold(style == CaptionStyle::FadeRise || style == CaptionStyle::LetterDrop || style == CaptionStyle::Ribbon
                   || style == CaptionStyle::GoldenSweep);
    l.font.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF m(l.font);
    const Margins mg = marginsOf(style);
    const qreal side = mg.side * px, top = mg.top * px, bottom = mg.bottom * px;
    int index = 0;
    if (style == CaptionStyle::VerticalScroll) {
        // Columns read top to bottom, the first line in the right-hand column.
        const qreal cell = std::max(m.height(), px * 1.08);
        const qreal colWidth = px * 1.35;
        qreal tallest = 0;
        for (const QString &line : lines)
            tallest = std::max(tallest, cell * qreal(clusters(line).size()));
        const qreal width = colWidth * qreal(lines.size());
        l.textRect = QRectF(side, top, width, tallest);
        for (int c = 0; c < lines.size(); ++c) {
            const qreal colLeft = side + width - colWidth * (c + 1);
            qreal y = top;
            for (const QString &ch : clusters(lines[c])) {
                const qreal w = m.horizontalAdvance(ch);
                CaptionLetter letter{ch, QPointF(colLeft + (colWidth - w) / 2, y + m.ascent()),
                                     QRectF(colLeft, y, colWidth, cell), index++};
                l.letters.push_back(letter);
                y += cell;
            }
        }
    } else {
        const qreal lineHeight = m.height() * 1.08;
        qreal widest = 0;
        for (const QString &line : lines)
            widest = std::max(widest, m.horizontalAdvance(line));
        l.textRect = QRectF(side, top, widest, lineHeight * qreal(lines.size()));
        for (int i = 0; i < lines.size(); ++i) {
            const qreal lineLeft = side + (widest - m.horizontalAdvance(lines[i])) / 2;
            const qreal y = top + lineHeight * i;
            QString before;
            for (const QString &ch : clusters(lines[i])) {
                const qreal x = lineLeft + m.horizontalAdvance(before);
                const qreal w = m.horizontalAdvance(ch);
                l.letters.push_back({ch, QPointF(x, y + (lineHeight - m.height()) / 2 + m.ascent()),
                                     QRectF(x, y, w, lineHeight), index++});
                before += ch;
            }
        }
    }
    l.box = QSize(int(std::ceil(l.textRect.width() + 2 * side)), int(std::ceil(l.textRect.height() + top + bottom)));
    return l;
}

QPainterPath letterPath(const CaptionLetter &letter, const QFont &font, QPointF shift = {})
{
    QPainterPath p;
    p.addText(letter.origin + shift, font, letter.text);
    return p;
}

QPainterPath textPath(const CaptionLayout &l, QPointF shift = {})
{
    QPainterPath p;
    for (const CaptionLetter &letter : l.letters)
        p.addText(letter.origin + shift, l.font, letter.text);
    return p;
}

// Shadow, outline, then the fill: the look every style shares.
void paintWords(QPainter &p, const QPainterPath &path, const QBrush &fill, const QColor &outline, qreal px,
                qreal shadowAlpha = 0.55)
{
    const qreal shadowShift = std::max(1.0, px * 0.05);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, int(255 * shadowAlpha)));
    p.drawPath(path.translated(shadowShift, shadowShift));
    p.setBrush(Qt::NoBrush);
    QPen pen(outline, std::max(1.5, px * 0.09), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
}

// A soft halo: the shape drawn small, blurred and drawn back at full size.
QImage haloOf(const QPainterPath &path, QSize box, const QColor &colour, qreal px)
{
    const qreal scale = 0.25;
    const QSize small(std::max(1, int(box.width() * scale)), std::max(1, int(box.height() * scale)));
    QImage img(small, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter q(&img);
        q.setRenderHint(QPainter::Antialiasing);
        q.scale(scale, scale);
        q.setPen(QPen(colour, px * 0.35, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        q.setBrush(colour);
        q.drawPath(path);
    }
    // Three box-blur passes over the premultiplied pixels approximate a Gaussian.
    const int radius = std::max(1, int(px * scale * 0.22));
    const int w = img.width(), h = img.height();
    for (int pass = 0; pass < 3; ++pass)
        for (int dir = 0; dir < 2; ++dir) {
            const int lines = dir == 0 ? h : w, len = dir == 0 ? w : h;
            for (int a = 0; a < lines; ++a) {
                auto px_at = [&](int b) -> QRgb * {
                    return dir == 0 ? reinterpret_cast<QRgb *>(img.scanLine(a)) + b
                                    : reinterpret_cast<QRgb *>(img.scanLine(b)) + a;
                };
                std::vector<QRgb> line(static_cast<size_t>(len), 0u);
                for (int b = 0; b < len; ++b)
                    line[size_t(b)] = *px_at(b);
                int s[4] = {0, 0, 0, 0};
                const int n = 2 * radius + 1;
                auto add = [&](int b, int sign) {
                    if (b < 0 || b >= len)
                        return;
                    const QRgb c = line[size_t(b)];
                    s[0] += sign * qAlpha(c);
                    s[1] += sign * qRed(c);
                    s[2] += sign * qGreen(c);
                    s[3] += sign * qBlue(c);
                };
                for (int b = -radius; b <= radius; ++b)
                    add(b, 1);
                for (int b = 0; b < len; ++b) {
                    *px_at(b) = qRgba(s[1] / n, s[2] / n, s[3] / n, s[0] / n);
                    add(b - radius, -1);
                    add(b + radius + 1, 1);
                }
            }
        }
    return img;
}

void drawFadeRise(QPainter &p, const CaptionLayout &l, int f)
{
    const Phase ph = phaseOf(f, l.frames);
    const qreal dy = (1 - ph.in) * 0.55 * l.pixelSize - (1 - ph.out) * 0.3 * l.pixelSize;
    p.setOpacity(ph.alpha());
    paintWords(p, textPath(l, QPointF(0, dy)), QColor(255, 255, 255), QColor(20, 20, 30, 200), l.pixelSize);
}

void drawTypewriter(QPainter &p, const CaptionLayout &l, int f)
{
    const Phase ph = phaseOf(f, l.frames);
    const int n = int(l.letters.size());
    // Letters come at an even pace over the first 55 % of the caption; each
    // one fades in over two frames.
    const qreal typing = std::max(1.0, 0.55 * l.frames);
    const qreal typed = easeInOut(qreal(f + 1) / typing) * n;
    p.setOpacity(ph.out);
    QPainterPath path;
    const CaptionLetter *last = nullptr;
    for (const CaptionLetter &letter : l.letters) {
        const qreal a = clamp01(typed - letter.index);
        if (a <= 0)
            break;
        last = &letter;
        if (a < 1) {
            p.save();
            p.setOpacity(ph.out * a);
            paintWords(p, letterPath(letter, l.font), QColor(255, 250, 232), QColor(25, 20, 15, 210), l.pixelSize);
            p.restore();
        } else {
            path.addPath(letterPath(letter, l.font));
        }
    }
    paintWords(p, path, QColor(255, 250, 232), QColor(25, 20, 15, 210), l.pixelSize);
    // The cursor follows the last letter and blinks while the words hold.
    if (last && (typed < n || (f / 8) % 2 == 0)) {
        const QRectF r = last->bounds;
        const qreal w = std::max(2.0, l.pixelSize * 0.07);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 250, 232));
        p.drawRect(QRectF(r.right() + w, r.top() + r.height() * 0.15, w, r.height() * 0.7));
    }
}

void drawLetterDrop(QPainter &p, const CaptionLayout &l, int f)
{
    const Phase ph = phaseOf(f, l.frames);
    const int n = int(l.letters.size());
    const qreal dropFrames = 12;
    const qreal stagger = n > 1 ? std::min(3.0, (0.45 * l.frames - dropFrames) / (n - 1)) : 0.0;
    const qreal fall = 1.0 * l.pixelSize;
    p.setOpacity(ph.out);
    for (const CaptionLetter &letter : l.letters) {
        const qreal t = (f + 1 - letter.index * std::max(0.0, stagger)) / dropFrames;
        if (t <= 0)
            continue;
        const qreal y = -(1 - easeOutBack(t)) * fall;
        p.save();
        p.setOpacity(ph.out * clamp01(t * 2));
        paintWords(p, letterPath(letter, l.font, QPointF(0, y)), QColor(255, 255, 255), QColor(150, 25, 60, 230),
                   l.pixelSize);
        p.restore();
    }
}

void drawSoftGlow(QPainter &p, const CaptionLayout &l, int f)
{
    const Phase ph = phaseOf(f, l.frames);
    const QPainterPath path = textPath(l);
    const qreal pulse = 0.75 + 0.25 * std::sin(f * 2 * M_PI / 50.0);
    p.setOpacity(ph.alpha() * pulse);
    const QImage halo = haloOf(path, l.box, QColor(255, 196, 110), l.pixelSize);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRectF(QPointF(0, 0), QSizeF(l.box)), halo);
    p.setOpacity(ph.alpha());
    paintWords(p, path, QColor(255, 253, 244), QColor(120, 70, 20, 150), l.pixelSize * 0.6, 0.25);
}

void drawRibbon(QPainter &p, const CaptionLayout &l, int f)
{
    const Phase ph = phaseOf(f, l.frames);
    const qreal px = l.pixelSize;
    const QRectF band = l.textRect.adjusted(-px * 0.8, -px * 0.3, px * 0.8, px * 0.3);
    const qreal open = easeInOut(qreal(f + 1) / (kEaseInFrames * 1.3));
    const qreal cx = band.center().x();
    p.setOpacity(ph.out);
    // Folded tails behind the ends of the band.
    const qreal tail = px * 0.65, drop = px * 0.3;
    QPainterPath tails;
    const qreal lx = cx - band.width() / 2 * open, rx = cx + band.width() / 2 * open;
    tails.moveTo(lx + px * 0.3, band.top() + drop);
    tails.lineTo(lx - tail, band.top() + drop);
    tails.lineTo(lx - tail + px * 0.35, band.center().y() + drop);
    tails.lineTo(lx - tail, band.bottom() + drop);
    tails.lineTo(lx + px * 0.3, band.bottom() + drop);
    tails.closeSubpath();
    tails.moveTo(rx - px * 0.3, band.top() + drop);
    tails.lineTo(rx + tail, band.top() + drop);
    tails.lineTo(rx + tail - px * 0.35, band.center().y() + drop);
    tails.lineTo(rx + tail, band.bottom() + drop);
    tails.lineTo(rx - px * 0.3, band.bottom() + drop);
    tails.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawPath(tails.translated(px * 0.05, px * 0.05));
    p.setBrush(QColor(120, 10, 25));
    p.drawPath(tails);
    const QRectF body(lx, band.top(), rx - lx, band.height());
    p.setBrush(QColor(0, 0, 0, 100));
    p.drawRect(body.translated(px * 0.06, px * 0.08));
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0, QColor(222, 40, 52));
    g.setColorAt(0.5, QColor(190, 22, 38));
    g.setColorAt(1, QColor(150, 12, 28));
    p.setBrush(g);
    p.drawRect(body);
    p.setPen(QPen(QColor(250, 210, 120, 200), std::max(1.0, px * 0.04)));
    p.drawLine(QPointF(body.left(), body.top() + px * 0.08), QPointF(body.right(), body.top() + px * 0.08));
    p.drawLine(QPointF(body.left(), body.bottom() - px * 0.08), QPointF(body.right(), body.bottom() - px * 0.08));
    // The words appear once the band is mostly open.
    p.setOpacity(ph.out * clamp01((open - 0.6) / 0.4));
    p.setClipRect(body, Qt::IntersectClip);
    QLinearGradient gold(l.textRect.topLeft(), l.textRect.bottomLeft());
    gold.setColorAt(0, QColor(255, 240, 180));
    gold.setColorAt(1, QColor(250, 200, 90));
    paintWords(p, textPath(l), gold, QColor(90, 10, 15, 220), px * 0.7, 0.35);
}

// A left-to-right reveal with a soft edge, applied to a finished layer.
void revealLeftToRight(QImage &layer, qreal progress, qreal feather)
{
    QPainter q(&layer);
    q.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    const qreal edge = -feather + progress * (layer.width() + feather);
    QLinearGradient g(QPointF(edge, 0), QPointF(edge + feather, 0));
    g.setColorAt(0, QColor(0, 0, 0, 255));
    g.setColorAt(1, QColor(0, 0, 0, 0));
    q.fillRect(layer.rect(), g);
}

void drawBrushReveal(QPainter &p, const CaptionLayout &l, int f)
{
    const Phase ph = phaseOf(f, l.frames);
    const qreal px = l.pixelSize;
    const qreal progress = easeInOut(qreal(f + 1) / (0.5 * l.frames));
    QImage layer(l.box, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter q(&layer);
        q.setRenderHint(QPainter::Antialiasing);
        // The ink stroke under the words: a dark band with ragged ends.
        const QRectF band = l.textRect.adjusted(-px * 0.45, px * 0.05, px * 0.45, -px * 0.02);
        QPainterPath stroke;
        const int teeth = 7;
        stroke.moveTo(band.left() + px * 0.2, band.top());
        stroke.lineTo(band.right() - px * 0.1, band.top() + px * 0.05);
        for (int i = 0; i <= teeth; ++i) {
            const qreal y = band.top() + band.height() * i / teeth;
            stroke.lineTo(band.right() - (i % 2 ? px * 0.28 : 0), y);
        }
        stroke.lineTo(band.left() + px * 0.15, band.bottom() - px * 0.05);
        for (int i = teeth; i >= 0; --i) {
            const qreal y = band.top() + band.height() * i / teeth;
            stroke.lineTo(band.left() + (i % 2 ? px * 0.25 : 0), y);
        }
        stroke.closeSubpath();
        q.setPen(Qt::NoPen);
        q.setBrush(QColor(15, 12, 10, 140));
        q.drawPath(stroke);
        paintWords(q, textPath(l), QColor(255, 255, 255), QColor(10, 8, 6, 210), px, 0.4);
    }
    revealLeftToRight(layer, progress, px * 1.2);
    p.setOpacity(ph.out);
    p.drawImage(QPointF(0, 0), layer);
}

void drawVerticalScroll(QPainter &p, const CaptionLayout &l, int f)
{
    const Phase ph = phaseOf(f, l.frames);
    const int n = int(l.letters.size());
    const qreal shown = easeInOut(qreal(f + 1) / (0.6 * l.frames)) * (n + 1.5);
    p.setOpacity(ph.out);
    // A thin vermilion rule beside the first column, drawn downwards.
    const qreal px = l.pixelSize;
    const QRectF r = l.textRect;
    p.setPen(QPen(QColor(200, 40, 30, 220), std::max(1.5, px * 0.06)));
    p.drawLine(QPointF(r.right() + px * 0.12, r.top()),
               QPointF(r.right() + px * 0.12, r.top() + r.height() * clamp01(shown / std::max(1, n))));
    for (const CaptionLetter &letter : l.letters) {
        const qreal a = clamp01((shown - letter.index) / 1.5);
        if (a <= 0)
            continue;
        p.save();
        p.setOpacity(ph.out * a);
        paintWords(p, letterPath(letter, l.font, QPointF(0, (1 - a) * -px * 0.25)), QColor(252, 248, 236),
                   QColor(30, 22, 16, 220), px);
        p.restore();
    }
}

void drawGoldenSweep(QPainter &p, const CaptionLayout &l, int f)
{
    const Phase ph = phaseOf(f, l.frames);
    const qreal px = l.pixelSize;
    const qreal scale = 1.06 - 0.06 * ph.in;
    const QPointF c = l.textRect.center();
    p.translate(c);
    p.scale(scale, scale);
    p.translate(-c);
    p.setOpacity(ph.alpha());
    const QPainterPath path = textPath(l);
    QLinearGradient gold(l.textRect.topLeft(), l.textRect.bottomLeft());
    gold.setColorAt(0, QColor(255, 240, 170));
    gold.setColorAt(0.45, QColor(232, 182, 62));
    gold.setColorAt(0.55, QColor(206, 148, 34));
    gold.setColorAt(1, QColor(250, 214, 110));
    paintWords(p, path, gold, QColor(70, 40, 5, 220), px);
    // The light sweep: a slanted bright band crossing the letters once.
    const qreal t = (f - 0.3 * l.frames) / (0.4 * l.frames);
    if (t > 0 && t < 1) {
        const qreal w = l.textRect.width() + 2 * px;
        const qreal x = l.textRect.left() - px + easeInOut(t) * w;
        QLinearGradient sweep(QPointF(x - px * 0.8, 0), QPointF(x + px * 0.8, px * 0.4));
        sweep.setColorAt(0, QColor(255, 255, 255, 0));
        sweep.setColorAt(0.5, QColor(255, 255, 240, 220));
        sweep.setColorAt(1, QColor(255, 255, 255, 0));
        p.setClipPath(path, Qt::IntersectClip);
        p.fillRect(l.textRect.adjusted(-px, -px, px, px), sweep);
    }
}

} // namespace

const std::vector<CaptionStyleInfo> &captionStyles()
{
    static const std::vector<CaptionStyleInfo> styles{
        {CaptionStyle::FadeRise, QStringLiteral("danru_shangsheng"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("lumora::CaptionStyle", "淡入上升")), 3 * kFramesPerSecond,
         CaptionFace::Sans},
        {CaptionStyle::Typewriter, QStringLiteral("daziji"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("lumora::CaptionStyle", "打字机")), 4 * kFramesPerSecond,
         CaptionFace::Serif},
        {CaptionStyle::LetterDrop, QStringLiteral("zhuzi_luoxia"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("lumora::CaptionStyle", "逐字落下")), 3 * kFramesPerSecond,
         CaptionFace::Sans},
        {CaptionStyle::SoftGlow, QStringLiteral("rouguang"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("lumora::CaptionStyle", "柔光")), 3 * kFramesPerSecond,
         CaptionFace::Serif},
        {CaptionStyle::Ribbon, QStringLiteral("caidai_hengfu"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("lumora::CaptionStyle", "彩带横幅")), 3 * kFramesPerSecond,
         CaptionFace::Sans},
        {CaptionStyle::BrushReveal, QStringLiteral("bishua_xianxian"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("lumora::CaptionStyle", "笔刷显现")), 3 * kFramesPerSecond,
         CaptionFace::Brush},
        {CaptionStyle::VerticalScroll, QStringLiteral("shupai_shici"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("lumora::CaptionStyle", "竖排诗词")), 4 * kFramesPerSecond,
         CaptionFace::Brush},
        {CaptionStyle::GoldenSweep, QStringLiteral("jinse_biaoti"),
         QString::fromUtf8(QT_TRANSLATE_NOOP("lumora::CaptionStyle", "金色标题")), 4 * kFramesPerSecond,
         CaptionFace::Serif},
    };
    return styles;
}

const CaptionStyleInfo &captionStyleInfo(CaptionStyle style)
{
    for (const CaptionStyleInfo &i : captionStyles())
        if (i.style == style)
            return i;
    return captionStyles().front();
}

std::optional<CaptionStyle> captionStyleFromKey(const QString &key)
{
    for (const CaptionStyleInfo &i : captionStyles())
        if (i.key == key)
            return i.style;
    return std::nullopt;
}

QStringList captionStyleKeys()
{
    QStringList keys;
    for (const CaptionStyleInfo &i : captionStyles())
        keys << i.key;
    return keys;
}

QStringList captionLines(const QString &text)
{
    QStringList lines;
    for (QString line : QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QLatin1Char('\n'))) {
        line = line.simplified();
        if (line.isEmpty())
            continue;
        if (lines.size() == 2)
            lines[1] += QLatin1Char(' ') + line;
        else
            lines << line;
    }
    return lines;
}

void ensureCaptionFonts()
{
    ensureLyricFonts();
}

CaptionLayout layoutCaption(const QString &text, CaptionStyle style, QSize picture, QSize limit)
{
    ensureCaptionFonts();
    QStringList lines = captionLines(text);
    // Fonts need the GUI application object; without one nothing is measured.
    const bool fonts = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
    if (lines.isEmpty() || picture.isEmpty() || limit.isEmpty() || !fonts) {
        CaptionLayout empty;
        empty.style = style;
        empty.frames = captionStyleInfo(style).frames;
        return empty;
    }
    const qreal base = std::min(picture.width(), picture.height());
    const qreal smallest = std::max(10.0, base * 0.03);
    qreal px = std::max(smallest, base * sizeFactor(style));
    CaptionLayout l = layoutAt(lines, style, px);
    for (int i = 0; i < 6 && (l.box.width() > limit.width() || l.box.height() > limit.height()) && px > smallest; ++i) {
        const qreal k = std::min(qreal(limit.width()) / l.box.width(), qreal(limit.height()) / l.box.height()) * 0.98;
        px = std::max(smallest, px * std::min(k, 0.98));
        l = layoutAt(lines, style, px);
    }
    // Still too large at the smallest readable size: shorten the longest line.
    for (int guard = 0; guard < 400 && (l.box.width() > limit.width() || l.box.height() > limit.height()); ++guard) {
        int longest = 0;
        for (int i = 1; i < lines.size(); ++i)
            if (clusters(lines[i]).size() > clusters(lines[longest]).size())
                longest = i;
        QStringList cs = clusters(lines[longest]);
        if (cs.size() <= 1) {
            if (lines.size() > 1) {
                lines.removeAt(longest);
                l = layoutAt(lines, style, px);
                continue;
            }
            return layoutAt({}, style, px); // nothing fits
        }
        if (cs.last() == QStringLiteral("…"))
            cs.removeLast();
        cs.removeLast();
        lines[longest] = cs.join(QString()) + QStringLiteral("…");
        l = layoutAt(lines, style, px);
    }
    return l;
}

void drawCaption(QPainter &painter, QPoint topLeft, const CaptionLayout &l, int frame)
{
    if (l.isEmpty() || frame < 0 || frame >= l.frames)
        return;
    painter.save();
    painter.translate(topLeft);
    painter.setClipRect(QRect(QPoint(0, 0), l.box), Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (l.style) {
    case CaptionStyle::FadeRise: drawFadeRise(painter, l, frame); break;
    case CaptionStyle::Typewriter: drawTypewriter(painter, l, frame); break;
    case CaptionStyle::LetterDrop: drawLetterDrop(painter, l, frame); break;
    case CaptionStyle::SoftGlow: drawSoftGlow(painter, l, frame); break;
    case CaptionStyle::Ribbon: drawRibbon(painter, l, frame); break;
    case CaptionStyle::BrushReveal: drawBrushReveal(painter, l, frame); break;
    case CaptionStyle::VerticalScroll: drawVerticalScroll(painter, l, frame); break;
    case CaptionStyle::GoldenSweep: drawGoldenSweep(painter, l, frame); break;
    }
    painter.restore();
}

QImage renderCaptionFrame(const CaptionLayout &layout, QPoint topLeft, QSize picture, int frame)
{
    QImage img(picture, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    drawCaption(p, topLeft, layout, frame);
    return img;
}

} // namespace lumora
