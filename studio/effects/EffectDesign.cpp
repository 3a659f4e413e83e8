#include "EffectDesign.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <map>
#include <random>

namespace lumora::studio {

namespace {

// Fade in over the first frames and out over the last ones, so an effect
// never pops on or off the picture.
double edgeFade(int k, int frames, int span)
{
    return std::clamp(std::min(double(k) / span, double(frames - k + 1) / span), 0.0, 1.0);
}

struct Particle {
    double x, y, size, speed, sway, swayFreq, phase, spin, hue;
};

std::vector<Particle> particles(quint32 seed, int count)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    std::vector<Particle> out;
    for (int i = 0; i < count; ++i)
        out.push_back({u(gen), u(gen), u(gen), u(gen), u(gen), u(gen), u(gen), u(gen), u(gen)});
    return out;
}

QPainterPath heartPath(double s)
{
    QPainterPath p;
    p.moveTo(0, s * 0.35);
    p.cubicTo(-s * 0.05, s * 0.25, -s * 0.55, s * 0.05, -s * 0.5, -s * 0.2);
    p.cubicTo(-s * 0.45, -s * 0.5, -s * 0.05, -s * 0.5, 0, -s * 0.22);
    p.cubicTo(s * 0.05, -s * 0.5, s * 0.45, -s * 0.5, s * 0.5, -s * 0.2);
    p.cubicTo(s * 0.55, s * 0.05, s * 0.05, s * 0.25, 0, s * 0.35);
    return p;
}

QPainterPath starPath(double r)
{
    QPainterPath p;
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4 - M_PI / 2;
        const double rr = i % 2 == 0 ? r : r * 0.22;
        const QPointF pt(std::cos(a) * rr, std::sin(a) * rr);
        if (i == 0)
            p.moveTo(pt);
        else
            p.lineTo(pt);
    }
    p.closeSubpath();
    return p;
}

void drawPetals(QPainter &p, const std::vector<Particle> &ps, double t, QSizeF sz, double u)
{
    for (const Particle &q : ps) {
        const double y = std::fmod(q.y * 1.3 + (0.5 + q.speed * 0.7) * t, 1.3) - 0.15;
        const double x = q.x + std::sin((t * (1 + q.swayFreq * 2) + q.phase) * 2 * M_PI) * (0.02 + q.sway * 0.04);
        const double s = u * (0.02 + q.size * 0.022);
        p.save();
        p.translate(x * sz.width(), y * sz.height());
        p.rotate((q.phase + t * (q.spin - 0.5) * 2) * 360);
        QRadialGradient g(QPointF(-s * 0.2, 0), s * 0.7);
        g.setColorAt(0, QColor(255, 228, 235, 235));
        g.setColorAt(1, QColor(240, 110 + int(q.hue * 50), 150, 225));
        p.setBrush(g);
        p.drawEllipse(QPointF(0, 0), s * 0.55, s * 0.3);
        p.restore();
    }
}

void drawHearts(QPainter &p, const std::vector<Particle> &ps, double t, QSizeF sz, double u)
{
    for (const Particle &q : ps) {
        const double y = 1.15 - std::fmod(q.y * 1.3 + (0.4 + q.speed * 0.6) * t, 1.3);
        const double x = q.x + std::sin((t * 1.5 + q.phase) * 2 * M_PI) * 0.03;
        const double s = u * (0.03 + q.size * 0.04) * (1 + 0.08 * std::sin((t * 4 + q.phase) * 2 * M_PI));
        p.save();
        p.translate(x * sz.width(), y * sz.height());
        p.rotate((q.spin - 0.5) * 30);
        QLinearGradient g(0, -s * 0.5, 0, s * 0.4);
        g.setColorAt(0, QColor(255, 140 + int(q.hue * 60), 170, 230));
        g.setColorAt(1, QColor(220, 30, 80 + int(q.hue * 40), 230));
        p.setBrush(g);
        p.drawPath(heartPath(s));
        p.restore();
    }
}

void drawSnow(QPainter &p, const std::vector<Particle> &ps, double t, QSizeF sz, double u)
{
    for (const Particle &q : ps) {
        const double y = std::fmod(q.y * 1.2 + (0.25 + q.speed * 0.35) * t, 1.2) - 0.1;
        const double x = q.x + std::sin((t * 1.2 + q.phase) * 2 * M_PI) * 0.015;
        const double r = u * (0.004 + q.size * 0.009);
        QRadialGradient g(QPointF(x * sz.width(), y * sz.height()), r);
        g.setColorAt(0, QColor(255, 255, 255, 240));
        g.setColorAt(0.6, QColor(240, 248, 255, 170));
        g.setColorAt(1, QColor(230, 240, 255, 0));
        p.setBrush(g);
        p.drawEllipse(QPointF(x * sz.width(), y * sz.height()), r, r);
    }
}

void drawBubbles(QPainter &p, const std::vector<Particle> &ps, double t, QSizeF sz, double u)
{
    for (const Particle &q : ps) {
        const double y = 1.15 - std::fmod(q.y * 1.3 + (0.3 + q.speed * 0.5) * t, 1.3);
        const double x = q.x + std::sin((t * 2 + q.phase) * 2 * M_PI) * 0.02;
        const double r = u * (0.015 + q.size * 0.035);
        const QPointF c(x * sz.width(), y * sz.height());
        QRadialGradient g(c, r);
        g.setColorAt(0, QColor(200, 230, 255, 20));
        g.setColorAt(0.85, QColor(170, 210, 255, 60));
        g.setColorAt(1, QColor(255, 255, 255, 150));
        p.setBrush(g);
        p.drawEllipse(c, r, r);
        p.setBrush(QColor(255, 255, 255, 200));
        p.drawEllipse(c + QPointF(-r * 0.4, -r * 0.4), r * 0.18, r * 0.12);
    }
}

void drawSparkles(QPainter &p, const std::vector<Particle> &ps, double t, QSizeF sz, double u)
{
    for (const Particle &q : ps) {
        // Each star twinkles twice during the effect, at its own phase.
        const double b = std::pow(std::max(0.0, std::sin((t * 2 + q.phase) * 2 * M_PI)), 2);
        if (b < 0.02)
            continue;
        const double r = u * (0.012 + q.size * 0.025) * (0.4 + 0.6 * b);
        const QPointF c(q.x * sz.width(), q.y * sz.height());
        QRadialGradient halo(c, r * 1.2);
        halo.setColorAt(0, QColor(255, 250, 210, int(140 * b)));
        halo.setColorAt(1, QColor(255, 230, 150, 0));
        p.setBrush(halo);
        p.drawEllipse(c, r * 1.2, r * 1.2);
        p.save();
        p.translate(c);
        p.rotate(q.spin * 45);
        p.setBrush(QColor(255, 245, 200 + int(q.hue * 55), int(235 * b)));
        p.drawPath(starPath(r));
        p.restore();
    }
}

void drawBokeh(QPainter &p, const std::vector<Particle> &ps, double t, QSizeF sz, double u)
{
    const QColor colours[]
        = {QColor(255, 200, 120), QColor(255, 150, 170), QColor(255, 235, 160), QColor(200, 170, 255)};
    for (const Particle &q : ps) {
        // Soft discs of light drift slowly and breathe in brightness.
        const double x = q.x + (q.speed - 0.5) * 0.12 * t;
        const double y = q.y + (q.sway - 0.5) * 0.08 * t - 0.05 * t;
        const double r = u * (0.03 + q.size * 0.06);
        const double b = 0.55 + 0.45 * std::sin((t * 1.5 + q.phase) * 2 * M_PI);
        const QPointF c(x * sz.width(), y * sz.height());
        QColor c0 = colours[int(q.hue * 4) % 4];
        c0.setAlpha(int(120 * b));
        QColor c1 = c0;
        c1.setAlpha(0);
        QRadialGradient g(c, r);
        g.setColorAt(0, c0);
        g.setColorAt(0.8, c0);
        g.setColorAt(1, c1);
        p.setBrush(g);
        p.drawEllipse(c, r, r);
    }
}

void drawConfetti(QPainter &p, const std::vector<Particle> &ps, double t, QSizeF sz, double u)
{
    const QColor colours[] = {QColor(255, 80, 80),  QColor(255, 200, 40),  QColor(80, 200, 120),
                              QColor(70, 150, 255), QColor(200, 100, 255), QColor(255, 130, 200)};
    for (const Particle &q : ps) {
        const double y = std::fmod(q.y * 1.25 + (0.45 + q.speed * 0.6) * t, 1.25) - 0.12;
        const double x = q.x + std::sin((t * 2.5 + q.phase) * 2 * M_PI) * 0.02;
        const double s = u * (0.012 + q.size * 0.012);
        p.save();
        p.translate(x * sz.width(), y * sz.height());
        p.rotate((q.phase + t * 3 * (q.spin - 0.5)) * 360);
        p.scale(1, std::cos((t * 4 + q.phase) * 2 * M_PI)); // flipping over as it falls
        QColor c = colours[int(q.hue * 6) % 6];
        c.setAlpha(235);
        p.setBrush(c);
        p.drawRect(QRectF(-s * 0.5, -s * 0.3, s, s * 0.6));
        p.restore();
    }
}

void drawVignette(QPainter &p, double t, QSizeF sz)
{
    const QPointF c(sz.width() / 2, sz.height() / 2);
    const double r = std::hypot(sz.width(), sz.height()) / 2;
    const double breathe = 0.5 + 0.5 * std::sin(t * 2 * M_PI);
    QRadialGradient g(c, r);
    g.setColorAt(0, QColor(40, 20, 10, 0));
    g.setColorAt(0.55 - 0.05 * breathe, QColor(40, 20, 10, 0));
    g.setColorAt(1, QColor(30, 15, 5, int(150 + 30 * breathe)));
    p.setBrush(g);
    p.drawRect(QRectF(QPointF(0, 0), sz));
}

// ---- text effects ----

struct Palette {
    QColor top, bottom, outline, glow;
};

const Palette &palette(int i)
{
    static const Palette palettes[] = {
        {QColor(255, 255, 255), QColor(255, 182, 205), QColor(200, 60, 120), QColor(255, 160, 200)}, // wedding pink
        {QColor(255, 240, 120), QColor(255, 120, 40), QColor(170, 20, 20), QColor(255, 90, 60)}, // festive red/gold
        {QColor(180, 235, 255), QColor(80, 160, 255), QColor(20, 60, 150), QColor(120, 200, 255)}, // sky blue
        {QColor(255, 250, 190), QColor(255, 200, 60), QColor(130, 80, 0), QColor(255, 230, 120)}, // gold
        {QColor(210, 255, 190), QColor(90, 200, 90), QColor(20, 100, 40), QColor(160, 255, 140)}, // spring green
        {QColor(255, 220, 170), QColor(235, 120, 40), QColor(120, 50, 10), QColor(255, 170, 80)}, // autumn
        {QColor(240, 250, 255), QColor(170, 210, 255), QColor(60, 90, 160), QColor(220, 240, 255)}, // winter
        {QColor(255, 210, 250), QColor(190, 110, 255), QColor(80, 30, 140), QColor(220, 160, 255)}, // violet
    };
    return palettes[i % 8];
}

double easeOutBack(double x)
{
    const double c1 = 1.70158, c3 = c1 + 1;
    return 1 + c3 * std::pow(x - 1, 3) + c1 * std::pow(x - 1, 2);
}

QFont textFont(double pixelSize)
{
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    f.setBold(true);
    return f;
}

} // namespace

const std::vector<PictureEffectDesign> &pictureEffectDesigns()
{
    static const std::vector<PictureEffectDesign> d = {
        {1, QStringLiteral("浪漫花瓣"), 60, 0, 11, false}, {2, QStringLiteral("爱心飘飘"), 60, 1, 22, false},
        {3, QStringLiteral("雪花飞舞"), 60, 2, 33, false}, {4, QStringLiteral("梦幻泡泡"), 50, 3, 44, false},
        {5, QStringLiteral("星光闪烁"), 50, 4, 55, false}, {6, QStringLiteral("梦幻光斑"), 60, 5, 66, true},
        {7, QStringLiteral("缤纷彩纸"), 50, 6, 77, false}, {8, QStringLiteral("柔光暗角"), 50, 7, 88, true},
    };
    return d;
}

const std::vector<TextEffectDesign> &textEffectDesigns()
{
    static const std::vector<TextEffectDesign> d = [] {
        // Three effects per category: a centred title serving the opening and
        // optional marks, a caption at a fixed place near the top serving the
        // others, and a banner low in the picture that serves every mark, so a
        // theme of one category covers every template on its own.
        const char *words[20][3] = {{"浪漫婚纱", "唯美时光", "执子之手"},   {"新婚快乐", "百年好合", "永结同心"},
                                    {"快乐宝贝", "天使宝贝", "宝贝笑一个"}, {"快乐童年", "童年时光", "童心未泯"},
                                    {"生日快乐", "年年有今日", "心想事成"}, {"欢乐聚会", "相聚一刻", "不醉不归"},
                                    {"毕业快乐", "青春不散场", "前程似锦"}, {"友谊长存", "好友一生", "友情岁月"},
                                    {"我爱你", "甜蜜爱情", "一生一世"},     {"幸福家庭", "相亲相爱", "家和万事兴"},
                                    {"数码生活", "精彩瞬间", "定格美好"},   {"品质之选", "新品上市", "匠心之作"},
                                    {"健康成长", "成长足迹", "一天天长大"}, {"恭喜发财", "喜气洋洋", "万事如意"},
                                    {"开业大吉", "生意兴隆", "财源广进"},   {"春暖花开", "春意盎然", "春风十里"},
                                    {"清凉夏日", "夏日时光", "盛夏光年"},   {"金色秋天", "秋高气爽", "硕果累累"},
                                    {"冬日暖阳", "瑞雪纷飞", "银装素裹"},   {"运动健儿", "更快更高更强", "勇争第一"}};
        const int palettes[20] = {0, 1, 2, 4, 3, 7, 2, 5, 0, 3, 2, 7, 4, 1, 1, 4, 2, 5, 6, 1};
        const char *kinds[3] = {"（标题）", "（字幕）", "（横幅）"};
        std::vector<TextEffectDesign> out;
        for (int c = 0; c < 20; ++c)
            for (int n = 0; n < 3; ++n) {
                TextEffectDesign e;
                e.category = c + 1;
                e.number = n + 1;
                e.words = QString::fromUtf8(words[c][n]);
                e.name = e.words + QString::fromUtf8(kinds[n]);
                e.frames = 40;
                // The banner unfolds from its middle; the other two take turns
                // through the six entrances.
                e.style = n == 2 ? kStyleUnfold : (2 * c + n) % 6;
                e.palette = palettes[c] + n * 3;
                e.centred = n == 0;
                e.low = n == 2;
                e.marks = n == 0 ? QStringLiteral("ace") : n == 1 ? QStringLiteral("bde") : QStringLiteral("abcde");
                out.push_back(e);
            }
        return out;
    }();
    return d;
}

QImage renderPictureEffect(const PictureEffectDesign &d, int k, QSize size)
{
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setOpacity(edgeFade(k, d.frames, 10));
    const double t = double(k - 1) / std::max(1, d.frames - 1);
    const QSizeF sz(size);
    const double u = std::min(sz.width(), sz.height());
    switch (d.style) {
    case 0: drawPetals(p, particles(d.seed, 26), t, sz, u); break;
    case 1: drawHearts(p, particles(d.seed, 16), t, sz, u); break;
    case 2: drawSnow(p, particles(d.seed, 50), t, sz, u); break;
    case 3: drawBubbles(p, particles(d.seed, 18), t, sz, u); break;
    case 4: drawSparkles(p, particles(d.seed, 28), t, sz, u); break;
    case 5: drawBokeh(p, particles(d.seed, 14), t, sz, u); break;
    case 6: drawConfetti(p, particles(d.seed, 45), t, sz, u); break;
    default: drawVignette(p, t, sz); break;
    }
    return img;
}

QSize textEffectBox(const TextEffectDesign &d, QSize preview)
{
    const bool narrow = preview.width() < preview.height();
    const double w = preview.width() * (d.centred ? (narrow ? 0.72 : 0.38) : (narrow ? 0.52 : 0.27));
    return QSize(int(std::lround(w)), int(std::lround(w * (d.centred ? 0.3 : 0.26))));
}

namespace {
// The words of a text effect drawn once per scale: the soft glow and the
// letters (outline and gradient fill) as two layers, plus where each
// character ends, for the typewriter reveal. Frames then only place,
// scale and fade these layers.
struct TextLayers {
    QImage glow, letters;
    std::vector<double> charEnds; // x in layer pixels after character i
};

TextLayers drawTextLayers(const TextEffectDesign &d, QSize preview, double scale)
{
    const QSize box = textEffectBox(d, preview);
    const QSize size(int(std::ceil(box.width() * scale)), int(std::ceil(box.height() * scale)));
    const double bw = box.width(), bh = box.height();
    const int n = int(d.words.size());
    const QFont font = textFont(std::min(bh * 0.62, bw * 0.9 / std::max(1, n)));
    const Palette &pal = palette(d.palette);
    QPainterPath path;
    path.addText(0, 0, font, d.words);
    const QRectF fb = path.boundingRect();
    const QPointF origin(bw / 2 - fb.center().x(), bh / 2 - fb.center().y());

    TextLayers layers;
    for (QImage *img : {&layers.glow, &layers.letters}) {
        *img = QImage(size, QImage::Format_ARGB32_Premultiplied);
        img->fill(Qt::transparent);
    }
    {
        QPainter p(&layers.glow);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        p.translate(origin);
        p.setBrush(Qt::NoBrush);
        // Only the glow style has a halo: soft halos make large frames.
        for (int i = d.style == 2 ? 3 : 0; i >= 1; --i) {
            QColor g = pal.glow;
            g.setAlpha(60);
            p.setPen(QPen(g, bh * 0.05 * i, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(path);
        }
    }
    {
        QPainter p(&layers.letters);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        p.translate(origin);
        p.setPen(QPen(pal.outline, bh * 0.025, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QLinearGradient fill(0, fb.top(), 0, fb.bottom());
        fill.setColorAt(0, pal.top);
        fill.setColorAt(1, pal.bottom);
        p.setBrush(fill);
        p.drawPath(path);
    }
    const QFontMetricsF fm(font);
    for (int i = 1; i <= n; ++i)
        layers.charEnds.push_back((origin.x() + fm.horizontalAdvance(d.words.left(i))) * scale);
    return layers;
}

const TextLayers &textLayers(const TextEffectDesign &d, QSize preview, double scale)
{
    // One package is drawn by one job on one thread, alternating between the
    // preview and the production scale; keep the layers of the last package there.
    thread_local std::map<QString, TextLayers> cache;
    const QString k = QStringLiteral("%1/%2/%3x%4/%5")
                          .arg(d.category)
                          .arg(d.number)
                          .arg(preview.width())
                          .arg(preview.height())
                          .arg(scale, 0, 'g', 10);
    auto it = cache.find(k);
    if (it == cache.end()) {
        if (cache.size() >= 4)
            cache.clear();
        it = cache.emplace(k, drawTextLayers(d, preview, scale)).first;
    }
    return it->second;
}
} // namespace

QImage renderTextEffect(const TextEffectDesign &d, int k, QSize preview, double scale)
{
    const TextLayers &layers = textLayers(d, preview, scale);
    QImage img(layers.letters.size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    const QSizeF sz(img.size());
    const int n = int(d.words.size());
    const double t = double(k - 1) / std::max(1, d.frames - 1);
    const double in = std::clamp(t / 0.3, 0.0, 1.0); // entrance
    const double out = std::clamp((1 - t) / 0.15, 0.0, 1.0); // exit
    const double alpha = std::min(in * 1.5, 1.0) * out;

    double dx = 0, dy = 0, zoom = 1;
    double reveal = sz.width(); // typewriter: x up to which letters show
    switch (d.style) {
    case 0: dy = (1 - in) * sz.height() * 0.18; break; // fade and rise
    case 1: zoom = 0.3 + 0.7 * easeOutBack(in); break; // pop
    case 4: { // typewriter
        const int shown = int(std::ceil(n * std::min(1.0, in * 1.2)));
        reveal = shown <= 0 ? 0 : layers.charEnds[size_t(std::min(shown, n) - 1)];
        break;
    }
    case 5: dx = -std::pow(1 - in, 3) * sz.width() * 0.5; break; // slide in
    case kStyleUnfold: { // unfold from the middle
        const double half = sz.width() / 2 * (1 - std::pow(1 - in, 3));
        p.setClipRect(QRectF(sz.width() / 2 - half, 0, 2 * half, sz.height()));
        break;
    }
    default: break;
    }
    p.translate(sz.width() / 2 + dx, sz.height() / 2 + dy);
    p.scale(zoom, zoom);
    p.translate(-sz.width() / 2, -sz.height() / 2);
    if (reveal < sz.width())
        p.setClipRect(QRectF(0, 0, reveal, sz.height()));
    // Glow: style 2 pulses it.
    const double pulse = d.style == 2 ? 0.35 + 0.65 * (0.5 + 0.5 * std::sin(t * 6 * M_PI)) : 0.8;
    p.setOpacity(alpha * pulse);
    p.drawImage(0, 0, layers.glow);
    p.setOpacity(alpha);
    p.drawImage(0, 0, layers.letters);
    p.setClipping(false);

    // Sparkles over the words (style 3 shows many, the others a few).
    const int stars = d.style == 3 ? 7 : 2;
    std::mt19937 gen(quint32(d.category * 100 + d.number));
    std::uniform_real_distribution<double> u(0.0, 1.0);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < stars; ++i) {
        const double px = (0.15 + 0.7 * u(gen)) * sz.width(), py = (0.2 + 0.6 * u(gen)) * sz.height();
        const double ph = u(gen);
        const double b = std::pow(std::max(0.0, std::sin((t * 3 + ph) * 2 * M_PI)), 3) * in;
        if (b < 0.02)
            continue;
        p.save();
        p.translate(px, py);
        p.setBrush(QColor(255, 255, 240, int(240 * b)));
        p.drawPath(starPath(sz.height() * 0.12 * (0.5 + 0.5 * b)));
        p.restore();
    }
    return img;
}

} // namespace lumora::studio
