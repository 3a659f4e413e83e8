// How smoothly the photos of every authored template move.
//
// Every template of every mode is rendered at two thirds of its output size
// (1280 × 720 for 16:9) with finely textured slot pictures and plain
// hand-over and background pictures. From the frame on which everything but
// the photos' own motion (slides, pans, zooms) has settled to the last
// frame, the frame-to-frame displacement of each photo is measured by phase
// correlation in a window at the photo's centre. A motion drawn at sub-pixel
// positions changes its displacement a little from frame to frame; whole-pixel
// rounding makes it jump between whole numbers. The figure per template is
// the largest second difference of the photo's position (the change of the
// displacement), in pixels per frame²; the target is ≤ 0.05.
//   bench_smoothness [PROGRAM_FOLDER [NAME_PREFIX]]
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <vector>

#include "app/AlbumMode.h"
#include "app/Paths.h"
#include "image/ImageIO.h"
#include "playback/MovieDocument.h"
#include "playback/MoviePlayer.h"
#include "playback/MovieRenderer.h"
#include "resources/FolderOps.h"
#include "resources/PackedFile.h"
#include "templates/IniFile.h"
#include "templates/TemplateParams.h"
#include "templates/TextCodec.h"

using namespace lumora;

namespace {

constexpr int kWindow = 128; // phase correlation window, pixels (a power of two)
constexpr double kTarget = 0.05; // pixels per frame²
constexpr double kRenderScale = 2.0 / 3.0;
constexpr double kStillThreshold = 0.02; // a photo moving less than this per frame is at rest

using Complex = std::complex<double>;

// In-place radix-2 FFT.
void fft(std::vector<Complex> &a, bool inverse)
{
    const size_t n = a.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const double ang = 2 * M_PI / double(len) * (inverse ? 1 : -1);
        const Complex wl(std::cos(ang), std::sin(ang));
        for (size_t i = 0; i < n; i += len) {
            Complex w(1);
            for (size_t j = 0; j < len / 2; ++j) {
                const Complex u = a[i + j], v = a[i + j + len / 2] * w;
                a[i + j] = u + v;
                a[i + j + len / 2] = u - v;
                w *= wl;
            }
        }
    }
}

void fft2(std::vector<Complex> &a, int n, bool inverse)
{
    std::vector<Complex> line(size_t(n), 0);
    for (int y = 0; y < n; ++y) {
        std::copy_n(a.begin() + y * n, n, line.begin());
        fft(line, inverse);
        std::copy_n(line.begin(), n, a.begin() + y * n);
    }
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y)
            line[size_t(y)] = a[size_t(y * n + x)];
        fft(line, inverse);
        for (int y = 0; y < n; ++y)
            a[size_t(y * n + x)] = line[size_t(y)];
    }
}

// The spectrum of the window at `centre`: grey levels under a Hann window.
std::vector<Complex> spectrum(const QImage &img, QPoint centre)
{
    std::vector<Complex> a(size_t(kWindow * kWindow));
    const int x0 = centre.x() - kWindow / 2, y0 = centre.y() - kWindow / 2;
    for (int y = 0; y < kWindow; ++y) {
        const int sy = std::clamp(y0 + y, 0, img.height() - 1);
        const QRgb *row = reinterpret_cast<const QRgb *>(img.constScanLine(sy));
        const double wy = 0.5 - 0.5 * std::cos(2 * M_PI * y / kWindow);
        for (int x = 0; x < kWindow; ++x) {
            const QRgb c = row[std::clamp(x0 + x, 0, img.width() - 1)];
            const double wx = 0.5 - 0.5 * std::cos(2 * M_PI * x / kWindow);
            a[size_t(y * kWindow + x)] = (0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c)) * wx * wy;
        }
    }
    fft2(a, kWindow, false);
    return a;
}

// Value of the phase correlation surface at a non-integer shift (x, y): the
// inverse transform of the cross-power spectrum evaluated there directly.
// Evaluated on a small grid it upsamples the surface around its peak, which
// finds the shift to a hundredth of a pixel without the pull towards whole
// pixels that a parabola through three samples has.
class Surface {
public:
    explicit Surface(std::vector<Complex> r) : m_r(std::move(r)) { }

    // Finds the maximum on a (2·half + 1)² grid of `step` around `centre`.
    QPointF peak(QPointF centre, double step, int half) const
    {
        const int n = 2 * half + 1;
        // Separable: first the sums over u for every row v and grid column.
        std::vector<Complex> partial(size_t(n * kWindow));
        for (int gx = 0; gx < n; ++gx) {
            const double x = centre.x() + (gx - half) * step;
            std::vector<Complex> e(kWindow);
            for (int u = 0; u < kWindow; ++u)
                e[size_t(u)] = std::polar(1.0, 2 * M_PI * frequency(u) * x / kWindow);
            for (int v = 0; v < kWindow; ++v) {
                Complex s = 0;
                for (int u = 0; u < kWindow; ++u)
                    s += m_r[size_t(v * kWindow + u)] * e[size_t(u)];
                partial[size_t(gx * kWindow + v)] = s;
            }
        }
        QPointF best = centre;
        double bestValue = -1e300;
        for (int gy = 0; gy < n; ++gy) {
            const double y = centre.y() + (gy - half) * step;
            std::vector<Complex> e(kWindow);
            for (int v = 0; v < kWindow; ++v)
                e[size_t(v)] = std::polar(1.0, 2 * M_PI * frequency(v) * y / kWindow);
            for (int gx = 0; gx < n; ++gx) {
                Complex s = 0;
                for (int v = 0; v < kWindow; ++v)
                    s += partial[size_t(gx * kWindow + v)] * e[size_t(v)];
                if (s.real() > bestValue) {
                    bestValue = s.real();
                    best = QPointF(centre.x() + (gx - half) * step, y);
                }
            }
        }
        return best;
    }

private:
    static int frequency(int k) { return k <= kWindow / 2 ? k : k - kWindow; }
    std::vector<Complex> m_r; // cross-power spectrum, row v, column u
};

// Shift of `b` against `a` (pixels) by phase correlation: the whole-pixel
// peak first, then refined on upsampled grids (0.1, then 0.01 pixels).
QPointF phaseShift(const std::vector<Complex> &a, const std::vector<Complex> &b)
{
    // Phase only, weighted towards low frequencies: a filtered sub-pixel draw
    // shifts the low frequencies exactly but blurs and folds the highest
    // ones, whose phases would only add noise to the peak.
    std::vector<Complex> r(a.size());
    const double sigma = kWindow / 12.0;
    for (int v = 0; v < kWindow; ++v)
        for (int u = 0; u < kWindow; ++u) {
            const size_t i = size_t(v * kWindow + u);
            const Complex c = b[i] * std::conj(a[i]);
            const double m = std::abs(c);
            const double fu = u <= kWindow / 2 ? u : u - kWindow, fv = v <= kWindow / 2 ? v : v - kWindow;
            const double w = std::exp(-(fu * fu + fv * fv) / (2 * sigma * sigma));
            r[i] = m > 1e-9 ? c / m * w : Complex(0);
        }
    std::vector<Complex> surface = r;
    fft2(surface, kWindow, true);
    int bx = 0, by = 0;
    double best = -1e300;
    for (int y = 0; y < kWindow; ++y)
        for (int x = 0; x < kWindow; ++x)
            if (surface[size_t(y * kWindow + x)].real() > best) {
                best = surface[size_t(y * kWindow + x)].real();
                bx = x;
                by = y;
            }
    const QPointF whole(bx > kWindow / 2 ? bx - kWindow : bx, by > kWindow / 2 ? by - kWindow : by);
    const Surface s(std::move(r));
    const QPointF tenth = s.peak(whole, 0.1, 6);
    return s.peak(tenth, 0.01, 6);
}

// A grey patch of a frame around a centre, lightly smoothed, in doubles.
struct Patch {
    static constexpr int kMargin = 12;
    int size = kWindow + 2 * kMargin;
    std::vector<double> v;
    double at(int x, int y) const { return v[size_t(std::clamp(y, 0, size - 1) * size + std::clamp(x, 0, size - 1))]; }
    double sample(double x, double y) const
    {
        const int ix = int(std::floor(x)), iy = int(std::floor(y));
        const double fx = x - ix, fy = y - iy;
        return (at(ix, iy) * (1 - fx) + at(ix + 1, iy) * fx) * (1 - fy)
            + (at(ix, iy + 1) * (1 - fx) + at(ix + 1, iy + 1) * fx) * fy;
    }
};

Patch patchOf(const QImage &img, QPoint centre)
{
    Patch p;
    p.v.resize(size_t(p.size * p.size));
    const int x0 = centre.x() - p.size / 2, y0 = centre.y() - p.size / 2;
    for (int y = 0; y < p.size; ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(img.constScanLine(std::clamp(y0 + y, 0, img.height() - 1)));
        for (int x = 0; x < p.size; ++x) {
            const QRgb c = row[std::clamp(x0 + x, 0, img.width() - 1)];
            p.v[size_t(y * p.size + x)] = 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
        }
    }
    // Two passes of a [1 2 1] smoothing in each direction take the edge off
    // hard outlines, which would otherwise pull the estimate to whole pixels.
    for (int pass = 0; pass < 2; ++pass) {
        std::vector<double> h(p.v.size());
        for (int y = 0; y < p.size; ++y)
            for (int x = 0; x < p.size; ++x)
                h[size_t(y * p.size + x)] = (p.at(x - 1, y) + 2 * p.at(x, y) + p.at(x + 1, y)) / 4;
        p.v = h;
        for (int y = 0; y < p.size; ++y)
            for (int x = 0; x < p.size; ++x)
                h[size_t(y * p.size + x)] = (p.at(x, y - 1) + 2 * p.at(x, y) + p.at(x, y + 1)) / 4;
        p.v = h;
    }
    return p;
}

// Refines a shift of `b` against `a` by Gauss-Newton on the windowed squared
// difference (Lucas-Kanade), starting from the phase correlation estimate.
QPointF refineShift(const Patch &a, const Patch &b, QPointF d)
{
    const int m = Patch::kMargin;
    for (int it = 0; it < 12; ++it) {
        double hxx = 0, hxy = 0, hyy = 0, bx = 0, by = 0;
        for (int y = 0; y < kWindow; y += 1) {
            const double wy = 0.5 - 0.5 * std::cos(2 * M_PI * (y + 0.5) / kWindow);
            for (int x = 0; x < kWindow; ++x) {
                const double w = wy * (0.5 - 0.5 * std::cos(2 * M_PI * (x + 0.5) / kWindow));
                const double sx = x + m + d.x(), sy = y + m + d.y();
                const double r = b.sample(sx, sy) - a.at(x + m, y + m);
                const double gx = (b.sample(sx + 0.5, sy) - b.sample(sx - 0.5, sy));
                const double gy = (b.sample(sx, sy + 0.5) - b.sample(sx, sy - 0.5));
                hxx += w * gx * gx;
                hxy += w * gx * gy;
                hyy += w * gy * gy;
                bx += w * gx * r;
                by += w * gy * r;
            }
        }
        const double det = hxx * hyy - hxy * hxy;
        if (std::abs(det) < 1e-9)
            break;
        const QPointF step((hyy * bx - hxy * by) / det, (hxx * by - hxy * bx) / det);
        d -= step;
        if (std::hypot(step.x(), step.y()) < 1e-4 || std::abs(d.x()) > Patch::kMargin - 2
            || std::abs(d.y()) > Patch::kMargin - 2)
            break;
    }
    return d;
}

// A picture full of detail at every scale, so phase correlation locks on.
QImage texture(int w, int h, quint32 seed)
{
    QImage img(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
    img.fill(QColor(120, 120, 120));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRandomGenerator rng(seed);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 1500; ++i) {
        const double d = (w + h) * 0.002 * (1 + rng.bounded(40));
        p.setBrush(QColor::fromHsv(rng.bounded(360), 80 + rng.bounded(170), 40 + rng.bounded(215)));
        p.drawEllipse(QRectF(rng.bounded(w), rng.bounded(h), d, d));
    }
    return img;
}

QImage plain(int w, int h, QColor c)
{
    QImage img(std::max(1, w), std::max(1, h), QImage::Format_RGB32);
    img.fill(c);
    return img;
}

bool isPhoto(const Layer &l)
{
    return l.type == LayerType::Picture && l.picture.startsWith(QLatin1String("picture_"));
}

// The frame after which only the photos' own slides, pans and zooms still
// change: every opacity, scale, turn and reveal has reached its last key and
// every layer that ends has ended. Ornaments that drift (light discs) do not
// count; they lie under the photos.
int settleFrame(const MovieDocument &doc)
{
    double last = 0;
    for (const Layer &l : doc.layers) {
        for (const Track *t : {&l.opacity, &l.scale, &l.scaleX, &l.scaleY, &l.rotation, &l.clip.progress})
            if (t->animated())
                last = std::max(last, t->keys.back().frame);
        if (l.to >= 0 && l.to < doc.frames - 1)
            last = std::max(last, double(l.to + 1));
    }
    return int(std::ceil(last)) + 1;
}

// Where a photo's entrance ends: the last key of a fast segment of its x or
// y track (faster than kFastSpeed on average at the measured size). A fly-in
// is a deliberate fast move; the slow motion after it is what is measured.
constexpr double kFastSpeed = 2.0; // pixels per frame
int entranceEnd(const Layer &l, double kx, double ky)
{
    double end = 0;
    for (auto [t, k] : {std::pair{&l.x, kx}, std::pair{&l.y, ky}})
        for (size_t i = 1; i < t->keys.size(); ++i) {
            const auto &a = t->keys[i - 1], &b = t->keys[i];
            if (std::abs(b.value - a.value) * k / std::max(1.0, b.frame - a.frame) > kFastSpeed)
                end = std::max(end, b.frame);
        }
    return int(std::ceil(end)) + 1;
}

// The measurement itself: a texture slid at a steadily growing speed, drawn at
// sub-pixel positions and at whole pixels. Returns the largest second
// difference found for each.
std::pair<double, double> calibrate()
{
    const QImage tex = texture(900, 600, 99);
    double worst[2] = {0, 0};
    for (int snapped = 0; snapped < 2; ++snapped) {
        std::vector<Complex> previous;
        Patch previousPatch;
        double last = 0, pos = 0;
        bool haveLast = false;
        for (int f = 0; f < 40; ++f) {
            pos += 0.3 + 0.01 * f; // speed 0.3 … 0.7 px/frame, acceleration 0.01
            const double x = snapped ? std::round(pos) : pos;
            QImage img(400, 300, QImage::Format_RGB32);
            if (qEnvironmentVariableIntValue("LUMORA_BENCH_EXACT") == 1) {
                // Bilinear in double precision, to tell the estimator's error from the drawing's.
                for (int yy = 0; yy < 300; ++yy)
                    for (int xx = 0; xx < 400; ++xx) {
                        const double sx = xx + x, sy = yy + x * 0.5;
                        const int ix = int(std::floor(sx)), iy = int(std::floor(sy));
                        const double fx = sx - ix, fy = sy - iy;
                        double ch[3] = {0, 0, 0};
                        for (int k = 0; k < 4; ++k) {
                            const QRgb c = tex.pixel(ix + (k & 1), iy + (k >> 1));
                            const double w = ((k & 1) ? fx : 1 - fx) * ((k >> 1) ? fy : 1 - fy);
                            ch[0] += w * qRed(c);
                            ch[1] += w * qGreen(c);
                            ch[2] += w * qBlue(c);
                        }
                        img.setPixel(xx, yy, qRgb(int(ch[0] + 0.5), int(ch[1] + 0.5), int(ch[2] + 0.5)));
                    }
            } else {
                QPainter p(&img);
                p.setRenderHint(QPainter::SmoothPixmapTransform);
                p.drawImage(QRectF(-x, -x * 0.5, 900, 600), tex, QRectF(0, 0, 900 - 1e-3, 600 - 1e-3));
            }
            std::vector<Complex> s = spectrum(img, QPoint(200, 150));
            Patch patch = patchOf(img, QPoint(200, 150));
            if (!previous.empty()) {
                const QPointF v = refineShift(previousPatch, patch, phaseShift(previous, s));
                if (qEnvironmentVariableIntValue("LUMORA_BENCH_TRACE") == 1)
                    std::printf("  calibration %d frame %d shift %8.4f %8.4f (true %.4f)\n", snapped, f, v.x(), v.y(),
                                0.3 + 0.01 * f);
                if (haveLast)
                    worst[snapped] = std::max(worst[snapped], std::abs(-v.x() - last) - 0.01);
                last = -v.x();
                haveLast = true;
            }
            previous = std::move(s);
            previousPatch = std::move(patch);
        }
    }
    return {worst[0], worst[1]};
}

struct PhotoResult {
    double worst = 0; // largest second difference, pixels per frame²
    int worstFrame = -1;
    bool moves = false;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString program
        = argc > 1 && argv[1][0] ? QString::fromLocal8Bit(argv[1]) : QCoreApplication::applicationDirPath() + "/../bin";
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const Paths paths(program);
    // LUMORA_BENCH_TRACE=1 prints every measured shift.
    const bool trace = qEnvironmentVariableIntValue("LUMORA_BENCH_TRACE") == 1;
    QTemporaryDir tmp;
    const QString folder = tmp.path() + "/wj_y_l/wj_y_l/wj_y_l/wj_y_l/wj_y_l_1/";
    QDir().mkpath(folder);
    QDir().mkpath(tmp.path() + "/wj_y_l/wj_y_l/wj_y_l/pic");

    const auto [subPixel, whole] = calibrate();
    std::printf("calibration (a slide accelerating by 0.01 px/frame²): error %.4f drawn at sub-pixel positions, "
                "%.4f at whole pixels\n",
                subPixel, whole);
    std::printf("%-8s %-10s %-10s %7s %7s %10s %6s\n", "mode", "template", "name", "frames", "from", "max d2", "at");
    int measured = 0, failing = 0;
    double overall = 0;
    for (ModeKind mode : {ModeKind::Wide16x9, ModeKind::Wide4x3, ModeKind::Portrait}) {
        const QStringList inis = listPackedFiles(paths.templateParamFolder(mode));
        const QStringList movies = listPackedFiles(paths.templateMovieFolder(mode));
        if (inis.isEmpty() || inis.size() != movies.size()) {
            std::fprintf(stderr, "no authored templates under %s\n", qPrintable(paths.templateParamFolder(mode)));
            return 1;
        }
        const QSize out = AlbumMode::get(mode).output;
        const QSize size(int(std::lround(out.width() * kRenderScale)), int(std::lround(out.height() * kRenderScale)));
        for (int i = 0; i < movies.size(); ++i) {
            if (!only.isEmpty() && !QFileInfo(movies[i]).fileName().startsWith(only))
                continue;
            const TemplateParams params = TemplateParams::read(
                IniFile::parse(decodeGbk(packed::unpackFile(inis[i], packed::kTemplateParamDepth))));
            const QByteArray movie = packed::unpackFile(movies[i], packed::kTemplateMovieDepth);
            const QStringList names = splitBarList(params.xpjpgmc), ws = splitBarList(params.xpkd),
                              hs = splitBarList(params.xpgd);
            for (int k = 0; k < names.size(); ++k) {
                int w = ws.value(k).toInt(), h = hs.value(k).toInt();
                if (w == 0) {
                    w = 1920;
                    h = 1080;
                }
                writeJpeg(texture(w, h, quint32(k + 1)), folder + names[k] + ".jpg");
            }
            writeJpeg(plain(size.width(), size.height(), QColor(60, 70, 90)), folder + "wj_y_l_b_j.jpg");
            writeJpeg(plain(size.width(), size.height(), QColor(90, 80, 70)),
                      tmp.path() + "/wj_y_l/wj_y_l/wj_y_l/pic/picture_0.jpg");
            MoviePlayer player;
            player.loadDocument(movie, folder, movies[i]);
            const MovieDocument &doc = player.renderer()->document();
            const double kx = double(size.width()) / doc.stage.width(), ky = double(size.height()) / doc.stage.height();
            const int from = std::min(settleFrame(doc), doc.frames - 1);

            // One window per photo layer, at the centre of its rect as it lies
            // when its measurement starts.
            std::vector<QPoint> centres;
            std::vector<int> starts;
            for (const Layer &l : doc.layers)
                if (isPhoto(l)) {
                    const int start = std::max(from, std::min(entranceEnd(l, kx, ky), doc.frames - 1));
                    const QPointF c = l.rect.center() + QPointF(l.x.at(start, 0), l.y.at(start, 0));
                    centres.push_back(QPoint(int(c.x() * kx), int(c.y() * ky)));
                    starts.push_back(start);
                }
            std::vector<PhotoResult> results(centres.size());
            std::vector<std::vector<Complex>> previous(centres.size());
            std::vector<Patch> previousPatches(centres.size());
            std::vector<QPointF> lastShift(centres.size());
            std::vector<bool> haveShift(centres.size(), false);
            QImage frame(size, QImage::Format_RGB32);
            for (int f = from; f < doc.frames; ++f) {
                player.renderFrame(f, frame);
                for (size_t c = 0; c < centres.size(); ++c) {
                    if (f < starts[c])
                        continue;
                    std::vector<Complex> s = spectrum(frame, centres[c]);
                    Patch patch = patchOf(frame, centres[c]);
                    if (!previous[c].empty()) {
                        const QPointF v = refineShift(previousPatches[c], patch, phaseShift(previous[c], s));
                        if (trace)
                            std::printf("  photo %zu frame %d shift %8.4f %8.4f\n", c + 1, f, v.x(), v.y());
                        if (std::hypot(v.x(), v.y()) > kStillThreshold)
                            results[c].moves = true;
                        if (haveShift[c]) {
                            const double d2
                                = std::max(std::abs(v.x() - lastShift[c].x()), std::abs(v.y() - lastShift[c].y()));
                            if (d2 > results[c].worst) {
                                results[c].worst = d2;
                                results[c].worstFrame = f;
                            }
                        }
                        lastShift[c] = v;
                        haveShift[c] = true;
                    }
                    previous[c] = std::move(s);
                    previousPatches[c] = std::move(patch);
                }
            }
            PhotoResult worst;
            for (const PhotoResult &r : results)
                if (r.moves && r.worst >= worst.worst) {
                    worst = r;
                }
            const QString file = QFileInfo(movies[i]).fileName();
            if (!worst.moves) {
                std::printf("%-8s %-10s %-10s %7d %7d %10s\n", qPrintable(AlbumMode::get(mode).shortName),
                            qPrintable(file), qPrintable(params.name), doc.frames, from, "still");
                continue;
            }
            ++measured;
            overall = std::max(overall, worst.worst);
            const bool ok = worst.worst <= kTarget;
            failing += !ok;
            std::printf("%-8s %-10s %-10s %7d %7d %10.4f %6d%s\n", qPrintable(AlbumMode::get(mode).shortName),
                        qPrintable(file), qPrintable(params.name), doc.frames, from, worst.worst, worst.worstFrame,
                        ok ? "" : "  over target");
            std::fflush(stdout);
        }
    }
    std::printf("templates with motion: %d; largest second difference %.4f px/frame² (target %.2f); %d over target\n",
                measured, overall, kTarget, failing);
    return failing == 0 ? 0 : 1;
}
