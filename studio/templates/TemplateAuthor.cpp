// The template author: template parameter files and movies for the three
// modes, the mode movies, the start-up movie and the background movie, and
// the contact sheet of a mode's templates.
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

#include "AuthoredTemplates.h"
#include "SampleStaging.h"
#include "StudioJob.h"
#include "TemplateDesign.h"
#include "TemplateLineup.h"
#include "app/Error.h"
#include "image/ImageIO.h"
#include "playback/MoviePlayer.h"
#include "resources/PackedFile.h"
#include "templates/TextCodec.h"

namespace lumora::studio {

namespace {

// Bump when the packing or the shape of the outputs changes; content changes
// are caught by hashing the content itself.
constexpr const char *kGeneratorVersion = "templates-2";

QByteArray fingerprintOf(std::initializer_list<QByteArray> parts)
{
    QCryptographicHash h(QCryptographicHash::Sha1);
    h.addData(QByteArray(kGeneratorVersion));
    for (const QByteArray &p : parts)
        h.addData(p);
    return h.result().toHex();
}

StudioJob packJob(const QString &name, const QString &path, const QByteArray &content, int depth)
{
    return StudioJob{name, {path}, fingerprintOf({content, QByteArray::number(depth)}), [path, content, depth] {
                         packed::packTo(content, depth, path);
                     }};
}

} // namespace

std::vector<AuthoredTemplateSummary> authoredTemplates(ModeKind)
{
    std::vector<AuthoredTemplateSummary> out;
    for (const LineupEntry &e : templateLineup()) {
        AuthoredTemplateSummary s;
        s.name = e.name;
        for (SlotKind k : e.slots) {
            if (k == SlotKind::Heng)
                ++s.landscape;
            else if (k == SlotKind::Shu)
                ++s.portrait;
            else
                ++s.either;
        }
        out.push_back(s);
    }
    return out;
}

std::vector<StudioJob> templateJobs(const StudioContext &ctx)
{
    std::vector<StudioJob> jobs;
    const Paths &paths = ctx.paths;
    for (ModeKind mode : {ModeKind::Portrait, ModeKind::Wide16x9, ModeKind::Wide4x3}) {
        const QString tag = AlbumMode::get(mode).shortName;
        for (int i = 0; i < int(templateLineup().size()); ++i) {
            // The design is made inside the job (one job per template runs in
            // parallel); the fingerprint needs it too, and building a
            // document is cheap next to packing it.
            const TemplateDesign d = designTemplate(mode, i);
            const QByteArray ini = encodeGbk(d.params.toIniText());
            const QString iniPath = paths.templateParamFolder(mode) + d.entry.file;
            const QString moviePath = paths.templateMovieFolder(mode) + d.entry.file;
            const QByteArray movie = d.movie;
            jobs.push_back(StudioJob{QStringLiteral("template %1 %2").arg(tag, d.entry.file),
                                     {iniPath, moviePath},
                                     fingerprintOf({ini, movie}),
                                     [iniPath, moviePath, ini, movie] {
                                         packed::packTo(ini, packed::kTemplateParamDepth, iniPath);
                                         packed::packTo(movie, packed::kTemplateMovieDepth, moviePath);
                                     }});
        }
        jobs.push_back(packJob(QStringLiteral("mode movie %1").arg(tag), paths.modeMoviePacked(mode),
                               designModeMovie(mode), packed::kModeMovieDepth));
    }
    jobs.push_back(packJob(QStringLiteral("start-up movie"), paths.startupMoviePacked(), designStartupMovie(),
                           packed::kStartupMovieDepth));
    jobs.push_back(packJob(QStringLiteral("background movie"), paths.backgroundMoviePacked(), designBackgroundMovie(),
                           packed::kBackgroundMovieDepth));
    return jobs;
}

int writeContactSheet(const StudioContext &ctx, const QString &file, const QString &modeName)
{
    const auto mode = AlbumMode::fromName(modeName);
    if (!mode) {
        std::fprintf(stderr, "lumora-studio: unknown mode %s (16:9, 4:3 or portrait)\n", qPrintable(modeName));
        return 2;
    }
    const AlbumMode &am = AlbumMode::get(*mode);
    const QSize render = am.preview;
    const SamplePhotoSet photos = loadSamplePhotos(ctx.paths.samplePhotoFolder());
    QTemporaryDir tmp;
    if (!tmp.isValid())
        throw Error(QStringLiteral("无法创建临时文件夹"));

    const int thumbW = am.isPortrait() ? 170 : 380;
    const int thumbH = thumbW * render.height() / render.width();
    const int labelW = 230, pad = 12, rowH = thumbH + 2 * pad;
    const int count = int(templateLineup().size());
    QImage sheet(labelW + 3 * (thumbW + pad) + pad, 70 + count * rowH, QImage::Format_RGB32);
    sheet.fill(QColor("#202226"));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(26);
    p.setFont(font);
    p.setPen(QColor("#f0f0f0"));
    p.drawText(QRect(pad, 10, sheet.width(), 50), Qt::AlignVCenter,
               QStringLiteral("Lumora 模板一览 · %1 · 首帧 / 中间帧 / 末帧").arg(am.caption));
    font.setPixelSize(20);
    p.setFont(font);

    QImage handOver;
    for (int i = 0; i < count; ++i) {
        const TemplateDesign d = designTemplate(*mode, i);
        const QString folder = tmp.path() + QStringLiteral("/wj_y_l/wj_y_l/wj_y_l/wj_y_l/wj_y_l_%1/").arg(i + 1);
        // The first template starts from its background, the others from the last frame before them.
        stageSample(d, *mode, render, photos, i, folder, handOver);
        if (handOver.isNull()) {
            const QString pic = QDir::cleanPath(folder + QStringLiteral("../../pic/picture_0.jpg"));
            QDir().mkpath(QFileInfo(pic).absolutePath());
            QFile::remove(pic);
            QFile::copy(folder + QStringLiteral("wj_y_l_b_j.jpg"), pic);
        }
        MoviePlayer player;
        player.loadDocument(d.movie, folder, d.entry.file);
        if (!player.missingPictures().isEmpty())
            throw Error(QStringLiteral("模板 %1 缺少图片：%2").arg(d.entry.name, player.missingPictures().join(u',')));
        const int y = 70 + i * rowH;
        p.setPen(QColor("#f0f0f0"));
        p.drawText(QRect(pad, y + pad, labelW - pad, thumbH), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                   QStringLiteral("%1  %2\n%3 帧 · %4")
                       .arg(i + 1, 2, 10, QLatin1Char('0'))
                       .arg(d.entry.name)
                       .arg(d.entry.frames)
                       .arg(d.params.szhz));
        const int T = player.totalFrames();
        const int frames[3] = {0, T / 2, T - 1};
        for (int c = 0; c < 3; ++c) {
            QImage img(render, QImage::Format_RGB32);
            player.renderFrame(frames[c], img);
            p.drawImage(QRect(labelW + c * (thumbW + pad), y + pad, thumbW, thumbH), img);
            if (c == 2)
                handOver = img;
        }
    }
    p.end();
    writePng(sheet, file);
    std::fprintf(stderr, "lumora-studio: contact sheet of %d templates written to %s\n", count, qPrintable(file));
    return 0;
}

} // namespace lumora::studio
