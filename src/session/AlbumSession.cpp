#include "AlbumSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "album/FaceScan.h"
#include "album/PhotoTable.h"
#include "app/Error.h"
#include "effects/EffectPlacement.h"
#include "effects/EffectTables.h"
#include "media/LrcParser.h"
#include "media/MusicList.h"
#include "playback/SteadyWindow.h"
#include "resources/Workspace.h"
#include "templates/TemplatePacks.h"

namespace lumora {

namespace {

// Longest file name the usual Linux file systems take, in bytes.
constexpr int kLongestFileNameBytes = 255;

} // namespace

AlbumSession::AlbumSession(const QString &programFolder, const QString &workRoot, std::optional<std::uint64_t> seed)
    : m_album(Paths(programFolder, workRoot))
{
    m_album.random.reseed(seed);
    workspace::startupClean(m_album.paths);
    m_output = defaultOutputChoice(m_album.mode);
    m_faceCache = defaultFaceCacheFolder();
    // Faces go where the templates' zooms and pans keep them in view.
    installSteadyWindowSource();
}

CatalogueReport AlbumSession::chooseMode(ModeKind mode, const CatalogueProgress &progress)
{
    workspace::modeChangeClean(m_album.paths);
    m_album.mode = mode;
    CatalogueReport report = buildCatalogue(m_album, progress);
    m_album.reset(mode);
    initEffectTables(m_album);
    const OutputChoice kept = m_output;
    m_output = defaultOutputChoice(mode);
    m_output.albumName = kept.albumName;
    m_output.folder = kept.folder;
    return report;
}

QStringList AlbumSession::collectPhotoFiles(const QStringList &filesOrFolders, std::vector<RefusedFile> &refused)
{
    QStringList photos;
    for (const QString &in : filesOrFolders) {
        const QFileInfo fi(in);
        if (fi.isDir()) {
            const QDir dir(in);
            if (!fi.isReadable() || !dir.isReadable()) {
                refused.push_back({in, QCoreApplication::translate("lumora::AlbumSession", "文件夹无法读取")});
                continue;
            }
            const QStringList names = dir.entryList({QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")}, QDir::Files,
                                                    QDir::Name | QDir::IgnoreCase);
            for (const QString &n : names)
                photos << dir.absoluteFilePath(n);
        } else if (fi.isFile()) {
            // A file named by the user is tried whatever its name; the add
            // step refuses it with the reason when it is not a JPEG.
            photos << fi.absoluteFilePath();
        } else {
            refused.push_back({in, QCoreApplication::translate("lumora::AlbumSession", "文件不存在")});
        }
    }
    return photos;
}

AddPhotosReport AlbumSession::addPhotos(const QStringList &filesOrFolders, const PhotoAddOptions &options)
{
    std::vector<RefusedFile> early;
    AddPhotosRequest request;
    request.files = collectPhotoFiles(filesOrFolders, early);

    AddPhotosReport report;
    if (options.pack > 0) {
        const QStringList notices = packPhotoCheck(request.files, options.pack);
        if (!notices.isEmpty()) {
            for (const RefusedFile &r : early)
                report.refused.push_back({r.path, r.reason});
            report.notices = notices;
            return report;
        }
        request.method = AssignMethod::Pack;
        request.pack = options.pack;
    }

    AddStepHooks hooks;
    hooks.autoTextEffects = [](Album &a) { return runTextPlacementOnImport(a).notice; };
    hooks.autoPictureEffects = [](Album &a) {
        return runPicturePlacementOnImport(a, [](const QString &, const QString &) { return true; }).notice;
    };
    if (options.confirm) {
        const ConfirmFn confirm = options.confirm;
        hooks.confirmReplacePictureEffects = [confirm](Album &) {
            return confirm(
                QCoreApplication::translate("lumora::AlbumSession", "画面特效"),
                QStringLiteral(
                    "检测到已经添加了画面特效,重新添加画面特效,需要先删除已经添加的画面特效!是否确定要删除?"));
        };
    }
    request.faceCacheFolder = m_faceCache;
    report = lumora::addPhotos(m_album, request, hooks, options.progress, options.stop);
    std::vector<RefusedPhoto> refused;
    for (const RefusedFile &r : early)
        refused.push_back({r.path, r.reason});
    for (RefusedPhoto &r : report.refused)
        refused.push_back(std::move(r));
    report.refused = std::move(refused);
    return report;
}

QStringList AlbumSession::packPhotoCheck(const QStringList &filesOrFolders, int pack) const
{
    // The chosen photos must have the orientations the pack needs. Refused
    // photos are not counted (the add step refuses them with their reason).
    const TemplatePack p = readTemplatePack(m_album.paths, pack);
    std::vector<RefusedFile> ignored;
    int landscape = 0;
    int portrait = 0;
    for (const QString &f : collectPhotoFiles(filesOrFolders, ignored)) {
        if ((p.landscapeNeed == 0 || landscape > 0) && (p.portraitNeed == 0 || portrait > 0))
            break; // both needs are met: the rest need not be read
        try {
            const PhotoFacts facts = readPhotoFacts(f);
            (isLandscape(facts.width, facts.height) ? landscape : portrait) += 1;
        } catch (const Error &) {
        }
    }
    return packPhotoCheckNotices(p.landscapeNeed, p.portraitNeed, landscape, portrait);
}

int AlbumSession::findFaces(int threads, const std::atomic<bool> *stop, const std::function<void(int, int)> &progress)
{
    const QStringList paths = photosWithoutFaces(m_album);
    if (paths.isEmpty())
        return 0;
    return applyPhotoFaces(m_album, scanFaces(paths, m_faceCache, threads, false, stop, progress));
}

MediaAddReport AlbumSession::addSongs(const QStringList &paths, const std::function<void(int, int)> &progress,
                                      const std::atomic<bool> *stop)
{
    return applySongs(measureSongs(paths, progress, stop));
}

MeasuredSongs AlbumSession::measureSongs(const QStringList &paths, const std::function<void(int, int)> &progress,
                                         const std::atomic<bool> *stop)
{
    MeasuredSongs out;
    int done = 0;
    for (const QString &song : paths) {
        if (stop && stop->load()) {
            out.stopped = true;
            break;
        }
        MeasuredSong m;
        m.path = QFileInfo(song).absoluteFilePath();
        try {
            m.measure = measureSong(m.path);
        } catch (const Error &e) {
            m.refusal = e.message();
        }
        out.songs.push_back(std::move(m));
        if (progress)
            progress(++done, int(paths.size()));
    }
    return out;
}

MediaAddReport AlbumSession::applySongs(const MeasuredSongs &measured)
{
    MediaAddReport report;
    report.stopped = measured.stopped;
    for (const MeasuredSong &m : measured.songs) {
        if (!m.measure) {
            report.refused.push_back({m.path, m.refusal});
            continue;
        }
        music::appendSong(m_album, m.path, *m.measure);
        ++report.added;
    }
    return report;
}

MediaAddReport AlbumSession::addLyricFiles(const QStringList &paths)
{
    MediaAddReport report;
    for (const QString &lrc : paths) {
        const QString path = QFileInfo(lrc).absoluteFilePath();
        try {
            readLrcFile(path);
        } catch (const Error &e) {
            report.refused.push_back({path, e.message()});
            continue;
        }
        music::addLyricFile(m_album, path);
        ++report.added;
    }
    const int songs = m_album.ListView_daoru_yinyue.size();
    const int lyrics = m_album.ListView_daoru_LRC.size();
    if (report.added > 0 && lyrics > songs && songs > 0)
        report.notices << QCoreApplication::translate("lumora::AlbumSession",
                                                      "注意：歌词文件比歌曲多，多出的 %1 个歌词文件不会显示。")
                              .arg(lyrics - songs);
    return report;
}

QString AlbumSession::albumNameRefusal(const QString &name)
{
    if (const QString refusal = lumora::albumNameRefusal(name); !refusal.isEmpty())
        return refusal;
    if (name.contains(QLatin1Char('/')) || name.contains(QChar(0)))
        return QCoreApplication::translate("lumora::AlbumSession", "相册名称不能包含 “/”：%1").arg(name);
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QCoreApplication::translate("lumora::AlbumSession", "相册名称不能是 “%1”").arg(name);
    // Room for the longest extension (".mpg", ".mp4", ...).
    if (name.toUtf8().size() + 4 > kLongestFileNameBytes)
        return QCoreApplication::translate("lumora::AlbumSession", "相册名称太长，请缩短后再试！");
    return {};
}

ProductionPlan AlbumSession::plan(const OutputChoice &choice, const std::atomic<bool> *stop)
{
    if (const QString refusal = albumNameRefusal(choice.albumName); !refusal.isEmpty())
        throw Error(refusal);
    return planProduction(m_album, choice, stop);
}

ProductionResult AlbumSession::produce(const ProductionPlan &plan, const ProductionCallbacks &callbacks,
                                       std::atomic<bool> *stop)
{
    ProductionResult result = runProduction(m_album, plan, callbacks, stop);
    workspace::stagingClean(m_album.paths);
    return result;
}

} // namespace lumora
