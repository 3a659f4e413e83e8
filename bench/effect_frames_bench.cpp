// What one full-frame picture effect frame costs at production size, stage by
// stage: reading the PNG (the general decoder and the effect frame path),
// premultiplying and scaling for a smaller output, cutting into pieces. Runs over every production frame of the picture
// effect packages of the 16:9 mode.
//   bench_effect_frames [PROGRAM_FOLDER] [WxH]
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>

#include "app/Album.h"
#include "app/Heap.h"
#include "effects/EffectPackage.h"
#include "effects/EffectRun.h"
#include "image/ImageIO.h"
#include "resources/PackedFile.h"

using namespace lumora;

namespace {
// Mean absolute difference per channel of two premultiplied pictures of one size.
double meanDifference(const QImage &a, const QImage &b)
{
    long long sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar *p = a.constScanLine(y), *q = b.constScanLine(y);
        for (int x = 0; x < a.width() * 4; ++x)
            sum += std::abs(int(p[x]) - int(q[x]));
    }
    return double(sum) / (double(a.width()) * a.height() * 4);
}
} // namespace

int main(int argc, char **argv)
{
    lumora::keepLargeBlocksInHeap();
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString folder
        = args.size() > 1 ? args[1] : QCoreApplication::applicationDirPath() + QStringLiteral("/../bin");
    QSize target(1280, 720);
    if (args.size() > 2) {
        const QStringList wh = args[2].split(QLatin1Char('x'));
        if (wh.size() == 2)
            target = QSize(wh[0].toInt(), wh[1].toInt());
    }
    Album album{Paths(folder + QLatin1Char('/'))};
    album.reset(ModeKind::Wide16x9);
    const QString mode = album.modeInfo().effectFolder;
    QImage frame; // reused, as the effect run's decoding workers do
    double generalMs = 0, readMs = 0, generalScaleMs = 0, scaleMs = 0, piecesMs = 0, scaleDifference = 0;
    long long frames = 0, pieceBytes = 0, opaquePixels = 0, fullBytes = 0;
    QElapsedTimer t;
    for (int package = 1;; ++package) {
        const QString first
            = effectFramePath(album.paths, mode, {EffectKind::Picture, 0, package}, 1, FrameSet::Production);
        if (!QFileInfo::exists(first))
            break;
        for (int k = 1;; ++k) {
            const QString path
                = effectFramePath(album.paths, mode, {EffectKind::Picture, 0, package}, k, FrameSet::Production);
            if (!QFileInfo::exists(path))
                break;
            const QByteArray bytes = readFileBytes(path);
            t.start();
            const QImage general = decodePng(bytes, path);
            generalMs += double(t.nsecsElapsed()) / 1e6;
            t.start();
            decodeFramePng(bytes, path, frame);
            readMs += double(t.nsecsElapsed()) / 1e6;
            QImage scaled = frame;
            if (target != frame.size()) {
                t.start();
                const QImage general = frame.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                           .scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
                generalScaleMs += double(t.nsecsElapsed()) / 1e6;
                t.start();
                scaled = scaleEffectFrame(frame, frame.size(), target);
                scaleMs += double(t.nsecsElapsed()) / 1e6;
                scaleDifference += meanDifference(general, scaled);
            }
            t.start();
            const auto pieces = framePieces(scaled);
            piecesMs += double(t.nsecsElapsed()) / 1e6;
            for (const FramePiece &p : pieces)
                pieceBytes += p.image.sizeInBytes();
            fullBytes += scaled.sizeInBytes();
            for (int y = 0; y < scaled.height(); ++y) {
                const quint32 *line = reinterpret_cast<const quint32 *>(scaled.constScanLine(y));
                for (int x = 0; x < scaled.width(); ++x)
                    opaquePixels += line[x] != 0;
            }
            ++frames;
        }
    }
    if (frames == 0) {
        std::fprintf(stderr, "bench_effect_frames: no picture effect frames under %s\n", qPrintable(folder));
        return 1;
    }
    const double n = double(frames);
    std::printf("%lld frames, output %d x %d\n", frames, target.width(), target.height());
    std::printf("per frame: general PNG decode %.2f ms; effect frame path: read %.2f ms, premultiply and scale "
                "%.2f ms (general scaler %.2f ms, mean difference %.3f levels), pieces %.2f ms\n",
                generalMs / n, readMs / n, scaleMs / n, generalScaleMs / n, scaleDifference / n, piecesMs / n);
    std::printf("pieces hold %.1f %% of the frame bytes; %.1f %% of the pixels are not transparent\n",
                100.0 * double(pieceBytes) / double(fullBytes), 100.0 * double(opaquePixels) * 4 / double(fullBytes));
    return 0;
}
