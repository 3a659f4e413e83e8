// The effect author: picture and text effect packages for the three album
// modes, one studio job per package. Preview frames are drawn at the mode's
// preview size and production frames at its output size, from the same
// drawing, so an effect looks the same in the preview and in the video.
#include <QCryptographicHash>

#include "EffectDesign.h"
#include "EffectPng.h"
#include "StudioJob.h"
#include "effects/EffectPackage.h"
#include "resources/FolderOps.h"
#include "resources/PackedFile.h"
#include "templates/TextCodec.h"

namespace lumora::studio {

namespace {

// zlib level of every frame.
constexpr int kPngCompression = 6;

QByteArray fingerprintOf(const QString &text)
{
    return QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha1).toHex();
}

void writeIni(const QString &path, const EffectPackageIni &ini)
{
    writeFileBytes(path, encodeGbk(ini.toIniText()));
}

StudioJob pictureJob(const Paths &paths, const AlbumMode &mode, const PictureEffectDesign &d)
{
    const EffectLocation loc{EffectKind::Picture, 0, d.number};
    StudioJob job;
    job.name = QStringLiteral("effect picture %1 %2").arg(mode.effectFolder).arg(d.number);
    job.outputs << effectIniPath(paths, mode.effectFolder, loc);
    for (int k = 1; k <= d.frames; ++k)
        job.outputs << effectFramePath(paths, mode.effectFolder, loc, k, FrameSet::Preview)
                    << effectFramePath(paths, mode.effectFolder, loc, k, FrameSet::Production);
    job.fingerprint = fingerprintOf(QStringLiteral("v%1|%2|%3|%4|%5|%6|%7x%8|%9x%10")
                                        .arg(kEffectDesignVersion)
                                        .arg(d.name)
                                        .arg(d.frames)
                                        .arg(d.style)
                                        .arg(d.seed)
                                        .arg(kPngCompression)
                                        .arg(mode.preview.width())
                                        .arg(mode.preview.height())
                                        .arg(mode.output.width())
                                        .arg(mode.output.height()));
    job.run = [paths, mode, d, loc] {
        ensureFolder(effectFolder(paths, mode.effectFolder, loc));
        for (int k = 1; k <= d.frames; ++k) {
            writeEffectPng(renderPictureEffect(d, k, mode.preview),
                           effectFramePath(paths, mode.effectFolder, loc, k, FrameSet::Preview), d.smooth,
                           kPngCompression);
            writeEffectPng(renderPictureEffect(d, k, mode.output),
                           effectFramePath(paths, mode.effectFolder, loc, k, FrameSet::Production), d.smooth,
                           kPngCompression);
        }
        EffectPackageIni ini;
        ini.name = d.name;
        ini.frameCount = QString::number(d.frames);
        // The INI last: a package folder with its INI is a complete package.
        writeIni(effectIniPath(paths, mode.effectFolder, loc), ini);
    };
    return job;
}

StudioJob textJob(const Paths &paths, const AlbumMode &mode, const TextEffectDesign &d)
{
    const EffectLocation loc{EffectKind::Text, d.category, d.number};
    // Production frames are the preview drawing scaled to the output size, as
    // production scales the overlay position.
    const double scale = double(mode.output.width()) / mode.preview.width();
    StudioJob job;
    job.name = QStringLiteral("effect text %1 %2 %3").arg(mode.effectFolder).arg(d.category).arg(d.number);
    job.outputs << effectIniPath(paths, mode.effectFolder, loc);
    for (int k = 1; k <= d.frames; ++k)
        job.outputs << effectFramePath(paths, mode.effectFolder, loc, k, FrameSet::Preview)
                    << effectFramePath(paths, mode.effectFolder, loc, k, FrameSet::Production);
    job.fingerprint = fingerprintOf(QStringLiteral("v%1|%2|%3|%4|%5|%6|%7|%8|%9|")
                                        .arg(kEffectDesignVersion)
                                        .arg(d.name, d.words)
                                        .arg(d.frames)
                                        .arg(d.style)
                                        .arg(d.palette)
                                        .arg(d.centred)
                                        .arg(d.marks)
                                        .arg(kPngCompression)
                                    + QStringLiteral("%1x%2|%3x%4")
                                          .arg(mode.preview.width())
                                          .arg(mode.preview.height())
                                          .arg(mode.output.width())
                                          .arg(mode.output.height())
                                    + (d.low ? QStringLiteral("|low") : QString()));
    job.run = [paths, mode, d, loc, scale] {
        ensureFolder(effectFolder(paths, mode.effectFolder, loc));
        for (int k = 1; k <= d.frames; ++k) {
            writeEffectPng(renderTextEffect(d, k, mode.preview, 1.0),
                           effectFramePath(paths, mode.effectFolder, loc, k, FrameSet::Preview), true, kPngCompression);
            writeEffectPng(renderTextEffect(d, k, mode.preview, scale),
                           effectFramePath(paths, mode.effectFolder, loc, k, FrameSet::Production), true,
                           kPngCompression);
        }
        EffectPackageIni ini;
        ini.name = d.name;
        ini.frameCount = QString::number(d.frames);
        ini.still = QString::number(d.frames / 2); // a frame with the whole text shown
        ini.marks = d.marks;
        if (d.centred) {
            ini.positionMode = kPositionCentred;
        } else if (d.low) {
            // A banner centred low in the picture, clear of the bottom edge.
            const QSize box = textEffectBox(d, mode.preview);
            ini.positionMode = kPositionFixed;
            ini.x = QString::number((mode.preview.width() - box.width()) / 2);
            ini.y = QString::number(int(mode.preview.height() * 0.9) - box.height());
        } else {
            // A caption near the top-left corner of the picture.
            ini.positionMode = kPositionFixed;
            ini.x = QString::number(int(mode.preview.width() * 0.05));
            ini.y = QString::number(int(mode.preview.height() * 0.08));
        }
        writeIni(effectIniPath(paths, mode.effectFolder, loc), ini);
    };
    return job;
}

} // namespace

std::vector<StudioJob> effectJobs(const StudioContext &ctx)
{
    std::vector<StudioJob> jobs;
    for (ModeKind kind : {ModeKind::Wide16x9, ModeKind::Wide4x3, ModeKind::Portrait}) {
        const AlbumMode &mode = AlbumMode::get(kind);
        // The heavy full-frame jobs first, so they start while the small ones fill in.
        for (const PictureEffectDesign &d : pictureEffectDesigns())
            jobs.push_back(pictureJob(ctx.paths, mode, d));
        for (const TextEffectDesign &d : textEffectDesigns())
            jobs.push_back(textJob(ctx.paths, mode, d));
    }
    return jobs;
}

} // namespace lumora::studio
