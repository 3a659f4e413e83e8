#include "production/ProductionRun.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <cmath>

#include "album/AlbumTables.h"
#include "album/Staging.h"
#include "app/ClockText.h"
#include "app/Columns.h"
#include "app/Error.h"
#include "app/FlagWords.h"
#include "effects/EffectColumns.h"
#include "media/Loudness.h"
#include "media/MusicList.h"
#include "production/Encoder.h"
#include "templates/Catalogue.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace lumora {

QStringList productionTemplateColumns()
{
    return {QStringLiteral("序号"),     QStringLiteral("模板名称"), QStringLiteral("模板类型"),
            QStringLiteral("横照片"),   QStringLiteral("竖照片"),   QStringLiteral("模板时长"),
            QStringLiteral("模板分类"), QStringLiteral("照片匹配"), QStringLiteral("编号"),
            QStringLiteral("行号")};
}

QStringList productionMusicColumns()
{
    return {QStringLiteral("序号"), QStringLiteral("音乐名称"), QStringLiteral("格式"),    QStringLiteral("音乐时长"),
            QStringLiteral("位置"), QStringLiteral("行号"),     QStringLiteral("需要帧数")};
}

std::vector<int> ProductionPlan::templateRows() const
{
    std::vector<int> rows;
    for (const Row &r : templateList)
        rows.push_back(r.cell(prodtemplatecol::kUsedRow).toInt());
    return rows;
}

std::vector<ProductionSong> ProductionPlan::songs() const
{
    std::vector<ProductionSong> s;
    for (const Row &r : musicList)
        s.push_back({r.cell(prodmusiccol::kSongRow).toInt(), r.cell(prodmusiccol::kFrames).toLongLong()});
    return s;
}

std::vector<long long> ProductionPlan::playedFrames() const
{
    std::vector<long long> played(size_t(templateList.size()), 0);
    for (size_t i = 0; i < fits.size() && i < played.size(); ++i)
        if (fits[i].fitted)
            played[i] = fits[i].frames;
    return played;
}

namespace {
bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load();
}

// Hands the heap's free memory back to the system. Staging decodes large
// photos on several threads and encoding allocates frame-sized buffers; glibc
// keeps what they free in its arenas, so without this the memory of staging
// stays resident through the whole encode, and that of one production
// through the next.
void releaseFreeMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

// The live view's copy of a composed frame: fits the picture box (in device
// pixels), never enlarged.
QImage livePicture(const QImage &frame, double scale)
{
    const int side = std::max(1, int(std::lround(kProductionPictureSide * std::clamp(scale, 1.0, 4.0))));
    const QSize box(side, side);
    if (frame.width() <= box.width() && frame.height() <= box.height())
        return frame.copy();
    return frame.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

Row productionTemplateRow(const Album &album, int usedRow)
{
    const Row &u = album.ListView_moban_shiyong.row(usedRow);
    QStringList cells;
    for (int k = 0; k < 6; ++k)
        cells << u.subItem(k);
    cells << flag::kCompleted << u.cell(usedcol::kNumber) << QString::number(usedRow);
    return Row(u.caption(), cells);
}
} // namespace

ProductionPlan planProduction(Album &album, const OutputChoice &choice, const std::atomic<bool> *stop)
{
    const QString refusal = productionStartRefusal(album, choice.sync);
    if (!refusal.isEmpty())
        throw Error(refusal);
    if (const QString name = albumNameRefusal(choice.albumName); !name.isEmpty())
        throw Error(name);

    ProductionPlan plan;
    plan.choice = choice;
    plan.geometry = frameGeometry(choice.size, album.mode);
    plan.templateList.setColumns(productionTemplateColumns());
    plan.musicList.setColumns(productionMusicColumns());

    std::vector<int> complete;
    for (int i = 0; i < album.ListView_moban_shiyong.size(); ++i)
        if (album.ListView_moban_shiyong.cell(i, usedcol::kStatus) == flag::kCompleted)
            complete.push_back(i);
    if (complete.empty())
        throw Error(QCoreApplication::translate("lumora::ProductionRun", "没有完成照片匹配的模板，无法制作相册！"));
    for (int row : complete) {
        const long long frames = catalogueFrames(album, album.ListView_moban_shiyong.row(row).caption().toInt());
        if (frames <= 0)
            throw Error(QCoreApplication::translate("lumora::ProductionRun", "模板没有帧数，无法制作相册：%1")
                            .arg(album.ListView_moban_shiyong.cell(row, usedcol::kName)));
        plan.templateFrames += frames;
    }

    // Songs are measured once each; a song that cannot be measured (or is
    // shorter than a second) refuses the production by name.
    const RowTable &songs = album.ListView_daoru_yinyue;
    QHash<int, long long> lengths;
    auto songRow = [&](int k) {
        if (!lengths.contains(k))
            lengths.insert(k, music::songLengthMs(album, k));
        const long long ms = lengths.value(k);
        const Row &s = songs.row(k);
        return Row(s.caption(),
                   {s.cell(musiccol::kName), s.cell(musiccol::kFormat), s.cell(musiccol::kDuration),
                    s.cell(musiccol::kPath), QString::number(k), QString::number(songFrames(ms))});
    };

    if (choice.sync == SyncMode::Template) {
        for (int row : complete)
            plan.templateList.append(productionTemplateRow(album, row));
        plan.totalFrames = plan.templateFrames + kEndingFrames;
        long long covered = 0;
        for (int k = 0; !songs.empty() && covered < plan.totalFrames; ++k) {
            if (stopped(stop))
                return {};
            if (k >= songs.size())
                k = 0;
            plan.musicList.append(songRow(k));
            covered += plan.musicList.row(plan.musicList.size() - 1).cell(prodmusiccol::kFrames).toLongLong();
        }
    } else {
        // The music sets the length; the templates repeat in order until its
        // frames are covered.
        for (int k = 0; k < songs.size(); ++k) {
            if (stopped(stop))
                return {};
            plan.musicList.append(songRow(k));
            plan.totalFrames += plan.musicList.row(k).cell(prodmusiccol::kFrames).toLongLong();
        }
        if (choice.sync == SyncMode::Beat) {
            // Each template fitted to change on a beat.
            std::vector<std::pair<int, long long>> played;
            for (const Row &m : plan.musicList)
                played.emplace_back(m.cell(prodmusiccol::kSongRow).toInt(), m.cell(prodmusiccol::kFrames).toLongLong());
            plan.beats = albumBeats(album, played);
            for (int row : plan.beats.songsWithoutBeat)
                plan.notices << noBeatNotice(album, row);
            std::vector<long long> own;
            for (int row : complete)
                own.push_back(catalogueFrames(album, album.ListView_moban_shiyong.row(row).caption().toInt()));
            plan.fits = fitTemplatesToBeats(own, plan.totalFrames, plan.beats.beats);
            for (const FittedTemplate &f : plan.fits)
                plan.templateList.append(productionTemplateRow(album, complete[f.index]));
        } else {
            long long covered = 0;
            for (size_t i = 0; covered < plan.totalFrames; i = (i + 1) % complete.size()) {
                plan.templateList.append(productionTemplateRow(album, complete[i]));
                covered += catalogueFrames(album, album.ListView_moban_shiyong.row(complete[i]).caption().toInt());
            }
        }
    }
    return plan;
}

namespace {
ProductionResult produce(Album &album, const ProductionPlan &plan, const ProductionCallbacks &callbacks,
                         std::atomic<bool> *stop)
{
    ProductionResult result;
    result.outputPath = plan.choice.outputPath();
    auto log = [&](const QString &line) {
        if (result.log.size() >= kProductionLogLines)
            result.log.removeFirst();
        result.log << line;
        if (callbacks.log)
            callbacks.log(line);
    };
    if (stopped(stop) || plan.totalFrames <= 0) {
        result.outcome = ProductionOutcome::StoppedEarly;
        return result;
    }

    // Staging at the render size: the album's own rectangle in the frame.
    QElapsedTimer clock;
    clock.start();
    StagingRequest request;
    request.target = plan.geometry.album.size();
    request.production = true;
    const StagingReport staged = stageAlbum(album, request, callbacks.staging, stop);
    for (const StagingFailure &f : staged.failures)
        result.stagingFailures << QStringLiteral("%1：%2").arg(f.path, f.message);
    result.stagingSeconds = clock.elapsed() / 1000.0;
    releaseFreeMemory();
    if (staged.stopped || stopped(stop)) {
        result.outcome = ProductionOutcome::StoppedEarly;
        return result;
    }

    FrameComposer::Setup setup;
    setup.sync = plan.choice.sync;
    setup.canvas = plan.geometry.encoded;
    setup.albumRect = plan.geometry.album;
    setup.totalFrames = plan.totalFrames;
    setup.templateRows = plan.templateRows();
    setup.playedFrames = plan.playedFrames();
    if (plan.choice.sync == SyncMode::Beat)
        setup.effectSecondStarts = beatSecondStarts(plan.totalFrames, plan.beats.beats);
    setup.songs = plan.songs();
    setup.pictureEffects = !album.huamian_ListView_Image.empty();
    setup.textEffects = !album.wenzi_ListView_Image.empty();
    setup.slowEncoder = plan.choice.quality == QualityLevel::Chaoqing;
    FrameComposer composer(album, setup, stop, log);
    composer.start();

    EncoderJob job;
    job.type = plan.choice.type;
    job.tv = plan.choice.tv;
    job.quality = plan.choice.quality;
    job.size = plan.geometry.encoded;
    job.outputPath = result.outputPath;
    job.totalFrames = plan.totalFrames;
    for (const ProductionSong &s : setup.songs)
        job.audio.push_back({album.ListView_daoru_yinyue.row(s.musicRow).cell(musiccol::kPath),
                             s.frames * 1000 / kFramesPerSecond, gainFactor(songGainDb(album, s.musicRow))});

    Encoder encoder;
    encoder.log = log;
    encoder.yuvTap = callbacks.encodedFrame;
    encoder.progress
        = [&](int status, long long a, long long b, long long c) { log(encoder.progressLine(status, a, b, c)); };
    encoder.error = [&](const QString &text) {
        result.error = text;
        log(text);
        return 2;
    };
    QElapsedTimer pictureClock; // invalid until the first picture
    encoder.videoFunc = [&](long long) {
        if (stopped(stop)) {
            encoder.abort();
            return;
        }
        composer.composeNext();
        if (composer.lastFrameUnchanged())
            encoder.handOverUnchanged();
        if (callbacks.frames)
            callbacks.frames(composer.composed(), plan.totalFrames);
        if (callbacks.picture && (!pictureClock.isValid() || pictureClock.elapsed() >= kProductionPicturePeriodMs)) {
            pictureClock.start();
            callbacks.picture(livePicture(composer.handOver(), callbacks.pictureScale));
        }
    };
    clock.restart();
    const ConvertResult r = encoder.convert(job, &composer.handOver());
    result.encodingSeconds = clock.elapsed() / 1000.0;
    result.framesComposed = composer.composed();
    result.renderSeconds = composer.renderSeconds();
    result.movieSeconds = composer.movieSeconds();
    result.colourSeconds = encoder.colourConversionSeconds();
    result.unchangedFrames = encoder.unchangedFrames();
    result.effectFramesDecoded = composer.effectFramesDecoded();
    result.effectCacheHits = composer.effectCacheHits();
    result.effectWaitSeconds = composer.effectWaitSeconds();
    switch (r) {
    case ConvertResult::Completed: result.outcome = ProductionOutcome::Completed; break;
    case ConvertResult::Aborted: result.outcome = ProductionOutcome::Stopped; break;
    case ConvertResult::NothingToConvert:
    case ConvertResult::Failed: result.outcome = ProductionOutcome::Failed; break;
    }
    return result;
}
} // namespace

ProductionResult runProduction(Album &album, const ProductionPlan &plan, const ProductionCallbacks &callbacks,
                               std::atomic<bool> *stop)
{
    ProductionResult result = produce(album, plan, callbacks, stop);
    releaseFreeMemory(); // the composer's and the encoder's memory, freed on leaving produce()
    // The effect rows' run state belongs to the run: whether the production
    // ended, stopped or failed, no row stays running or holding an overlay
    // ("chuangjian") in the album's tables.
    for (RowTable *table : {&album.huamian_ListView_Image, &album.wenzi_ListView_Image}) {
        const int overlayCol = table == &album.huamian_ListView_Image ? effcol::kPicOverlay : effcol::kTextOverlay;
        for (Row &row : *table) {
            row.setSubItem(effcol::kState, flag::kEffectIdle);
            row.setSubItem(overlayCol, flag::kNone);
        }
    }
    return result;
}

QString unfinishedOutputPath(const QString &outputPath)
{
    const QFileInfo info(outputPath);
    const QString suffix = info.suffix();
    const QString base = suffix.isEmpty() ? info.fileName() : info.fileName().chopped(suffix.size() + 1);
    const QString name = base + QStringLiteral("（未完成）") + (suffix.isEmpty() ? QString() : u'.' + suffix);
    return info.dir().filePath(name);
}

QString keepUnfinishedOutput(const QString &outputPath)
{
    const QString target = unfinishedOutputPath(outputPath);
    if (QFileInfo::exists(target))
        QFile::remove(target);
    return QFile::rename(outputPath, target) ? target : QString();
}

} // namespace lumora
