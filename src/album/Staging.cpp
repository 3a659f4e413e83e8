#include "Staging.h"

#include <QCoreApplication>
#include <QHash>
#include <QPainter>
#include <cmath>
#include <exception>
#include <mutex>
#include <thread>

#include "album/AlbumTables.h"
#include "album/BackgroundTable.h"
#include "album/Matching.h"
#include "app/Error.h"
#include "image/ImageIO.h"
#include "resources/FolderOps.h"
#include "resources/PackedFile.h"
#include "templates/Catalogue.h"
#include "templates/TemplateParams.h"

namespace lumora {

struct BackgroundCache {
    std::mutex lock;
    QHash<QString, QByteArray> jpegs; // picture path and size → encoded picture
};

namespace {

constexpr int kFullFrameWidth = 1920;
constexpr int kFullFrameHeight = 1080;
const QSize kBlackBackground(800, 450);
const QString kBackgroundFile = QStringLiteral("wj_y_l_b_j.jpg");

int toInt(const QString &t)
{
    return t.trimmed().toInt();
}

// The photo drawn at `rect` (in target pixels) over `canvas`: decoded at the
// smallest DCT scale covering the rect, turned as displayed, then smoothly
// scaled. Decoding failures draw a grey placeholder and are reported.
void drawPicture(QImage &canvas, const QString &path, const QRect &rect, int usedRow,
                 std::vector<StagingFailure> &failures)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    QPainter painter(&canvas);
    try {
        const JpegInfo info = readJpegInfo(path);
        const QSize want = info.turned() ? rect.size().transposed() : rect.size();
        QImage img = decodeJpeg(path, want);
        if (info.orientation != 1)
            img = applyOrientation(img, info.orientation);
        // Only the part of the photo that lies on the canvas is scaled.
        const QRect visible = rect.intersected(canvas.rect());
        if (visible.isEmpty())
            return;
        const double fx = double(img.width()) / rect.width(), fy = double(img.height()) / rect.height();
        const QRect source = QRect(int((visible.x() - rect.x()) * fx), int((visible.y() - rect.y()) * fy),
                                   int(std::ceil(visible.width() * fx)), int(std::ceil(visible.height() * fy)))
                                 .intersected(img.rect());
        if (source != img.rect()) {
            // A view of the visible part, without copying its pixels.
            const QImage part(img.constScanLine(source.y()) + source.x() * 4, source.width(), source.height(),
                              img.bytesPerLine(), img.format());
            // scaled() hands back a shallow copy of the view when no scaling is
            // needed; the view borrows img's pixels, so take a deep copy then.
            img = part.size() == visible.size()
                ? part.copy()
                : part.scaled(visible.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        } else if (img.size() != visible.size()) {
            img = img.scaled(visible.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        painter.drawImage(visible.topLeft(), img);
    } catch (const Error &e) {
        painter.fillRect(rect, QColor(192, 192, 192));
        painter.setPen(QPen(QColor(128, 128, 128), 2));
        painter.drawRect(rect.adjusted(1, 1, -1, -1));
        failures.push_back({usedRow, path, e.message()});
    }
}

// One slot's stage-1 canvas: its size (output pixels) and the rectangle the
// photo covers on it.
struct SlotCanvas {
    QSize size;
    QRect photo;
    QString path;
};

SlotCanvas slotCanvas(const Row &slot, const QString &category, ModeKind mode, QSize output, bool landscapeFit, int pw,
                      int ph)
{
    SlotCanvas c;
    c.path = slot.cell(slotcol::kPhotoPath);
    int W = 0, H = 0;
    bool fullFrame = true;
    if (!slotSize(slot, W, H, &fullFrame)) {
        W = kFullFrameWidth;
        H = kFullFrameHeight;
    }
    const QRect fill(toInt(slot.cell(slotcol::kFillX)), toInt(slot.cell(slotcol::kFillY)),
                     toInt(slot.cell(slotcol::kFillW)), toInt(slot.cell(slotcol::kFillH)));
    const QRect fit(toInt(slot.cell(slotcol::kFitX)), toInt(slot.cell(slotcol::kFitY)),
                    toInt(slot.cell(slotcol::kFitW)), toInt(slot.cell(slotcol::kFitH)));
    const bool wide169 = mode == ModeKind::Wide16x9;
    if (category == kCategoryLandscape) {
        if (landscapeFit && pw > 0 && ph > 0) {
            // The photo's fitted size: the full output width, or the full
            // output height when it would be taller; a square photo Sh × Sh.
            QSize fitted;
            if (pw == ph) {
                fitted = QSize(output.height(), output.height());
            } else {
                fitted = QSize(output.width(), int(qint64(ph) * output.width() / pw));
                if (fitted.height() > output.height())
                    fitted = QSize(int(qint64(pw) * output.height() / ph), output.height());
            }
            c.size = fitted;
            c.photo = QRect(QPoint(0, 0), fitted);
        } else {
            c.size = wide169 ? output : QSize(W, H);
            c.photo = fill;
        }
    } else if (category == kCategoryPortrait) {
        // A full-frame portrait slot is as wide as its photo with even
        // margins; a sized slot keeps its width, so a photo moved sideways
        // in the cropping editor stays where it was put.
        const int width = fullFrame ? fit.width() + 2 * fit.x() : W;
        c.size = wide169 ? QSize(width, output.height()) : QSize(W, H);
        c.photo = fit;
    } else {
        c.size = QSize(W, H);
        c.photo = fill;
    }
    return c;
}

// The slot's canvas rendered straight at `target` pixels: the same picture
// as drawing the canvas at its own size and scaling it, with one resampling.
QImage renderSlot(const SlotCanvas &c, QSize target, int usedRow, std::vector<StagingFailure> &failures)
{
    QImage out(target, QImage::Format_RGB32);
    out.fill(Qt::white);
    if (c.size.width() <= 0 || c.size.height() <= 0 || c.path.isEmpty())
        return out;
    const double sx = double(target.width()) / c.size.width();
    const double sy = double(target.height()) / c.size.height();
    const int left = int(std::lround(c.photo.x() * sx));
    const int top = int(std::lround(c.photo.y() * sy));
    const int right = int(std::lround((c.photo.x() + c.photo.width()) * sx));
    const int bottom = int(std::lround((c.photo.y() + c.photo.height()) * sy));
    drawPicture(out, c.path, QRect(left, top, right - left, bottom - top), usedRow, failures);
    return out;
}

QImage renderBackground(const Row *bg, QSize target, bool production, int usedRow,
                        std::vector<StagingFailure> &failures)
{
    if (!bg || bg->cell(bgcol::kPicture).isEmpty()) {
        QImage black(production ? target : kBlackBackground, QImage::Format_RGB32);
        black.fill(Qt::black);
        return black;
    }
    QImage out(target, QImage::Format_RGB32);
    out.fill(Qt::black);
    const qint64 pw = toInt(bg->cell(bgcol::kWidth)), ph = toInt(bg->cell(bgcol::kHeight));
    if (pw <= 0 || ph <= 0) {
        failures.push_back({usedRow, bg->cell(bgcol::kPath),
                            QCoreApplication::translate("lumora::Staging", "背景图片没有宽度或高度")});
        return out;
    }
    const int Aw = target.width(), Ah = target.height();
    int w = int(pw * Ah / ph), h = Ah;
    if (w < Aw) {
        w = Aw;
        h = int(ph * Aw / pw);
    }
    drawPicture(out, bg->cell(bgcol::kPath), QRect(Aw / 2 - w / 2, 0, w, h), usedRow, failures);
    return out;
}

// Runs `jobs` on every core; the calling thread works too and is the only
// one that reports progress. Stops taking jobs when `stop` is set; rethrows
// the first error after every worker has finished.
void runParallel(const std::vector<std::function<void()>> &jobs, const std::function<void(int)> &done,
                 const std::atomic<bool> *stop, bool &stoppedOut)
{
    std::atomic<size_t> next{0};
    std::atomic<int> finished{0};
    std::atomic<bool> failed{false};
    std::exception_ptr error;
    std::mutex errorLock;
    auto work = [&](bool reporter) {
        while (true) {
            if (failed.load() || (stop && stop->load()))
                return;
            const size_t i = next.fetch_add(1);
            if (i >= jobs.size())
                return;
            try {
                jobs[i]();
            } catch (...) {
                std::lock_guard<std::mutex> g(errorLock);
                if (!error)
                    error = std::current_exception();
                failed = true;
                return;
            }
            const int n = ++finished;
            if (reporter && done)
                done(n);
        }
    };
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> threads;
    for (unsigned t = 1; t < cores && t < jobs.size(); ++t)
        threads.emplace_back(work, false);
    work(true);
    for (std::thread &t : threads)
        t.join();
    if (error)
        std::rethrow_exception(error);
    if (done)
        done(finished.load());
    stoppedOut = stop && stop->load() && finished.load() < int(jobs.size());
}

} // namespace

QSize stagedPictureSize(const QString &category, QSize canvas, const QString &tokenWidth, const QString &tokenHeight,
                        QSize output, QSize target)
{
    const qint64 Aw = target.width(), Ah = target.height(), Sw = output.width(), Sh = output.height();
    const qint64 cw = canvas.width(), ch = canvas.height();
    if (Sw <= 0 || Sh <= 0)
        return {};
    if (category == kCategoryPortrait) {
        if (ch <= 0)
            return {};
        const qint64 th = ch * Ah / Sh;
        return QSize(int(cw * th / ch), int(th));
    }
    if (category == kCategoryCombined) {
        bool okW = false, okH = false;
        const qint64 w = tokenWidth.trimmed().toLongLong(&okW), h = tokenHeight.trimmed().toLongLong(&okH);
        // A full-frame token ("0") takes the size its slot was drawn at.
        if (okW && okH && w > 0)
            return QSize(int(Aw * w / Sw), int(Ah * h / Sh));
    }
    return QSize(int(Aw * cw / Sw), int(Ah * ch / Sh));
}

QRect stagedPhotoCrop(const Album &album, int slotRow)
{
    if (slotRow < 0 || slotRow >= album.ListView_moban_shiyong_canshu.size())
        return {};
    const Row &s = album.ListView_moban_shiyong_canshu[slotRow];
    bool ok = false;
    const int photoRow = s.cell(slotcol::kPhotoRow).toInt(&ok);
    if (!ok || photoRow < 0 || photoRow >= album.ListView_daoru_zhaopian.size()
        || s.cell(slotcol::kPhotoPath).isEmpty())
        return {};
    const int pw = album.ListView_daoru_zhaopian[photoRow].cell(photocol::kWidth).toInt();
    const int ph = album.ListView_daoru_zhaopian[photoRow].cell(photocol::kHeight).toInt();
    const int usedRow = s.cell(slotcol::kUsedRow).toInt();
    if (pw <= 0 || ph <= 0 || usedRow < 0 || usedRow >= album.ListView_moban_shiyong.size())
        return {};
    const QString category = album.ListView_moban_shiyong[usedRow].cell(usedcol::kCategory);
    const SlotCanvas c = slotCanvas(s, category, album.mode, album.modeInfo().output, false, pw, ph);
    const QRect visible = c.photo.intersected(QRect(QPoint(0, 0), c.size));
    if (visible.isEmpty() || c.photo.width() <= 0 || c.photo.height() <= 0)
        return {};
    const double fx = double(pw) / c.photo.width(), fy = double(ph) / c.photo.height();
    const int l = int(std::floor((visible.x() - c.photo.x()) * fx)),
              t = int(std::floor((visible.y() - c.photo.y()) * fy));
    const int r = int(std::ceil((visible.x() + visible.width() - c.photo.x()) * fx));
    const int b = int(std::ceil((visible.y() + visible.height() - c.photo.y()) * fy));
    return QRect(l, t, r - l, b - t).intersected(QRect(0, 0, pw, ph));
}

int stageTemplatePictures(const Album &album, int usedRow, const QString &folder, const StagingRequest &request,
                          std::vector<StagingFailure> &failures, BackgroundCache *cache)
{
    const Row &used = album.ListView_moban_shiyong[usedRow];
    const QString category = used.cell(usedcol::kCategory);
    const QSize output = album.modeInfo().output;
    const QSize target = request.target;

    // Background picture (none when the background table is empty, except in
    // production, where the movie always finds one).
    const RowTable &bgs = album.ListView_moban_beijing;
    const Row *bg = usedRow < bgs.size() ? &bgs[usedRow] : nullptr;
    if (bg || request.production || !bgs.empty()) {
        const QString key = bg ? QStringLiteral("%1|%2|%3|%4x%5")
                                     .arg(bg->cell(bgcol::kPath), bg->cell(bgcol::kWidth), bg->cell(bgcol::kHeight))
                                     .arg(target.width())
                                     .arg(target.height())
                               : QString();
        QByteArray jpeg;
        if (cache && bg && !bg->cell(bgcol::kPath).isEmpty()) {
            std::lock_guard<std::mutex> g(cache->lock);
            jpeg = cache->jpegs.value(key);
        }
        if (jpeg.isEmpty()) {
            const size_t failed = failures.size();
            jpeg = encodeJpeg(renderBackground(bg, target, request.production, usedRow, failures), 90);
            // A picture that could not be decoded is tried (and reported) again.
            if (cache && bg && !bg->cell(bgcol::kPath).isEmpty() && failures.size() == failed) {
                std::lock_guard<std::mutex> g(cache->lock);
                cache->jpegs.insert(key, jpeg);
            }
        }
        writeFileBytes(folder + kBackgroundFile, jpeg);
    }

    std::vector<SlotCanvas> canvases;
    std::vector<QString> pictures;
    for (const Row &s : album.ListView_moban_shiyong_canshu) {
        if (s.cell(slotcol::kUsedRow).toInt() != usedRow)
            continue;
        int pw = 0, ph = 0;
        bool ok = false;
        const int photoRow = s.cell(slotcol::kPhotoRow).toInt(&ok);
        if (ok && photoRow >= 0 && photoRow < album.ListView_daoru_zhaopian.size()) {
            pw = album.ListView_daoru_zhaopian[photoRow].cell(photocol::kWidth).toInt();
            ph = album.ListView_daoru_zhaopian[photoRow].cell(photocol::kHeight).toInt();
        }
        canvases.push_back(slotCanvas(s, category, album.mode, output, request.landscapeFit, pw, ph));
        pictures.push_back(s.cell(slotcol::kPicture));
    }
    if (canvases.empty())
        return 0;

    const int index = used.caption().toInt();
    if (index < 0 || index >= album.ListView_mobancanshu.size())
        return 0;
    const Row &p = album.ListView_mobancanshu[index];
    const QStringList names = splitBarList(p.cell(paramcol::kPictureNames));
    const QStringList widths = splitBarList(p.cell(paramcol::kWidths));
    const QStringList heights = splitBarList(p.cell(paramcol::kHeights));

    int written = 0;
    size_t source = canvases.size() - 1; // before any match: the last slot
    for (int j = 0; j < names.size(); ++j) {
        // The slot named exactly like the token (picture_1 is not picture_10).
        for (size_t k = 0; k < pictures.size(); ++k)
            if (!pictures[k].isEmpty() && names[j] == pictures[k])
                source = k;
        const SlotCanvas &c = canvases[source];
        const QSize size = stagedPictureSize(category, c.size, widths.value(j), heights.value(j), output, target);
        if (size.width() <= 0 || size.height() <= 0) {
            failures.push_back(
                {usedRow, names[j], QCoreApplication::translate("lumora::Staging", "图片尺寸为零，没有生成")});
            continue;
        }
        writeJpeg(renderSlot(c, size, usedRow, failures), folder + names[j] + QStringLiteral(".jpg"), 90);
        ++written;
    }
    return written;
}

StagingReport stageAlbum(Album &album, const StagingRequest &request, const StagingProgress &progress,
                         const std::atomic<bool> *stop)
{
    StagingReport report;
    const Paths &paths = album.paths;
    const QString ext = album.cells.text(QStringLiteral("Edit_kuozhanming_1"));

    wipeFolder(paths.albumStaging());
    ensureFolder(paths.albumStaging());

    QStringList rows;
    std::vector<int> completed;
    const RowTable &used = album.ListView_moban_shiyong;
    for (int i = 0; i < used.size(); ++i) {
        if (used[i].cell(usedcol::kStatus) != kStatusComplete)
            continue;
        ensureFolder(paths.templateStaging(i + 1));
        rows << QString::number(i);
        completed.push_back(i);
    }
    album.cells.completedRows = rows;
    report.completedRows = rows;

    ensureFolder(paths.modeMovieStaging());
    wipeFolder(paths.pictureFolder());
    ensureFolder(paths.pictureFolder());

    std::vector<std::function<void()>> jobs;
    const QString modeMovie = paths.modeMoviePacked(album.mode);
    jobs.push_back([&paths, &request, modeMovie, ext] {
        const QByteArray movie = packed::unpackFile(modeMovie, packed::kModeMovieDepth);
        writeFileBytes(paths.stagedModeMovie(ext), movie);
        if (request.production)
            writeFileBytes(paths.stagedModeMovieProduction(ext), movie);
    });
    std::mutex failureLock;
    std::atomic<int> pictures{0};
    BackgroundCache backgrounds;
    for (int i : completed) {
        const int index = used[i].caption().toInt();
        if (index < 0 || index >= album.ListView_mobancanshu.size())
            throw Error(QCoreApplication::translate("lumora::Staging", "已使用模板 %1 的模板序号 %2 不在模板列表中")
                            .arg(i + 1)
                            .arg(index));
        const QString movie = album.ListView_mobancanshu[index].cell(paramcol::kMovie);
        jobs.push_back([&, i, movie] {
            packed::unpackTo(movie, packed::kTemplateMovieDepth, paths.stagedTemplateMovie(i + 1, ext));
            std::vector<StagingFailure> local;
            pictures += stageTemplatePictures(album, i, paths.templateStaging(i + 1), request, local, &backgrounds);
            std::lock_guard<std::mutex> g(failureLock);
            report.failures.insert(report.failures.end(), local.begin(), local.end());
        });
    }

    const int maximum = int(jobs.size());
    bool stopped = false;
    runParallel(
        jobs,
        [&](int done) {
            if (progress)
                progress(done, maximum);
        },
        stop, stopped);
    report.stopped = stopped;
    report.pictures = pictures.load();
    std::sort(report.failures.begin(), report.failures.end(),
              [](const StagingFailure &a, const StagingFailure &b) { return a.usedRow < b.usedRow; });
    return report;
}

} // namespace lumora
