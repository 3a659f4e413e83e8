// Effect run step at production size: milliseconds per album frame for the
// picture and text effect runs of production (2_{k}.png frames at 1920 × 1080),
// PNG decoding included, over the authored effect packages of the 16:9 mode.
//   bench_effects [PROGRAM_FOLDER]   (default: the build's bin/ folder)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <cstdio>

#include "app/Album.h"
#include "effects/EffectColumns.h"
#include "effects/EffectPlacement.h"
#include "effects/EffectRun.h"
#include "effects/EffectTables.h"

using namespace lumora;

namespace {
void addPicture(Album &a, int package, const QString &start)
{
    const QString mode = a.modeInfo().effectFolder;
    const auto ini = EffectPackageIni::read(effectIniPath(a.paths, mode, {EffectKind::Picture, 0, package}));
    a.huamian_ListView_Image.append(QString::number(ini ? ini->frames() : 0),
                                    {start, effcol::kNotComputed, QStringLiteral("tingzhi"), QString(),
                                     QString::number(package - 1), effcol::kByHand, QStringLiteral("wu")});
}

void addText(Album &a, int cat, int n, const QString &start)
{
    const QString mode = a.modeInfo().effectFolder;
    const auto ini = EffectPackageIni::read(effectIniPath(a.paths, mode, {EffectKind::Text, cat, n}));
    a.wenzi_ListView_Image.append(QString::number(ini ? ini->frames() : 0),
                                  {start,
                                   effcol::kNotComputed,
                                   QStringLiteral("tingzhi"),
                                   QString(),
                                   QString::number(n - 1),
                                   QStringLiteral("100"),
                                   QStringLiteral("60"),
                                   QString::number(cat),
                                   {},
                                   {},
                                   {},
                                   {},
                                   effcol::kByHand,
                                   QStringLiteral("wu")});
}

struct Figures {
    double msPerFrame = 0, worstMs = 0;
    int decoded = 0, hits = 0, maxOverlays = 0;
};

// `callerMs`: time the caller spends between steps (drawing, encoding),
// during which the run decodes ahead; only the steps are timed.
Figures run(Album &album, int frames, int callerMs = 0)
{
    EffectRun pictures = EffectRun::forAlbum(album, EffectKind::Picture, RunVariant::Production);
    EffectRun texts = EffectRun::forAlbum(album, EffectKind::Text, RunVariant::Production);
    Figures f;
    double total = 0;
    for (int frame = 0; frame < frames; ++frame) {
        if (callerMs > 0)
            QThread::msleep(ulong(callerMs));
        QElapsedTimer one;
        one.start();
        const QString clock = effectClockText(frame);
        const int n = int(pictures.step(clock).size() + texts.step(clock).size());
        const double ms = one.nsecsElapsed() / 1e6;
        total += ms;
        f.worstMs = std::max(f.worstMs, ms);
        f.maxOverlays = std::max(f.maxOverlays, n);
    }
    f.msPerFrame = total / frames;
    f.decoded = pictures.decodedFrames() + texts.decodedFrames();
    f.hits = pictures.cacheHits() + texts.cacheHits();
    return f;
}

void print(const char *what, const Figures &f, int frames)
{
    std::printf("%-44s %4d frames  %7.2f ms/frame  worst %7.2f ms  decoded %5d  cache hits %5d  max overlays %d\n",
                what, frames, f.msPerFrame, f.worstMs, f.decoded, f.hits, f.maxOverlays);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString program = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                     : QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/");
    Album album{Paths(program)};
    album.reset(ModeKind::Wide16x9);
    initEffectTables(album);
    if (!QFileInfo::exists(effectIniPath(album.paths, album.modeInfo().effectFolder, {EffectKind::Picture, 0, 6}))) {
        std::fprintf(stderr, "bench_effects: no authored effects under %s (run lumora-studio first)\n",
                     qPrintable(program));
        return 1;
    }

    // 1. Six rows at once, all different packages: every frame decodes six PNGs.
    for (int p : {1, 2, 5, 6})
        addPicture(album, p, QStringLiteral("00:00:00"));
    addText(album, 2, 1, QStringLiteral("00:00:00"));
    addText(album, 16, 2, QStringLiteral("00:00:00"));
    print("6 rows, 6 different packages (cold)", run(album, 40), 40);
    print("  the same, caller busy 20 ms between steps", run(album, 40, 20), 40);

    // 2. Six rows sharing packages, as the built-in combinations lay them: the
    //    same package three times, one second apart, plus text.
    album.huamian_ListView_Image.clear();
    album.wenzi_ListView_Image.clear();
    for (auto [p, s] : {std::pair{1, "00:00:00"}, {5, "00:00:00"}, {5, "00:00:01"}, {5, "00:00:01"}})
        addPicture(album, p, QString::fromLatin1(s));
    addText(album, 2, 1, QStringLiteral("00:00:00"));
    addText(album, 2, 1, QStringLiteral("00:00:01"));
    print("6 rows, combination |1|5|5|5| + 2 text rows", run(album, 75), 75);

    // 3. A 60-second album placed by the wedding family, with text effects.
    album.huamian_ListView_Image.clear();
    album.wenzi_ListView_Image.clear();
    Row cat(QStringLiteral("1"));
    cat.setCell(paramcol::kFrames, QStringLiteral("250"));
    cat.setCell(paramcol::kText01, QStringLiteral("|20|150|"));
    cat.setCell(paramcol::kText02, QStringLiteral("|a|b|"));
    album.ListView_mobancanshu.append(cat);
    for (int r = 0; r < 6; ++r) {
        Row used(QStringLiteral("0"));
        used.setCell(usedcol::kStatus, QStringLiteral("已完成"));
        album.ListView_moban_shiyong.append(used);
        Row slot(QStringLiteral("0"));
        slot.setCell(slotcol::kUsedRow, QString::number(r));
        album.ListView_moban_shiyong_canshu.append(slot);
    }
    runPicturePlacement(album);
    runTextPlacement(album);
    print(qPrintable(QStringLiteral("60 s album: %1 picture + %2 text rows")
                         .arg(album.huamian_ListView_Image.size())
                         .arg(album.wenzi_ListView_Image.size())),
          run(album, 1500), 1500);
    return 0;
}
