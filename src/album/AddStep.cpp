#include "AddStep.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "album/AlbumTables.h"
#include "album/BackgroundTable.h"
#include "album/FaceScan.h"
#include "album/Matching.h"
#include "album/PhotoTable.h"
#include "app/Error.h"
#include "templates/Catalogue.h"
#include "templates/TemplatePacks.h"

namespace lumora {
namespace {

const char *const kPhaseAdd = QT_TRANSLATE_NOOP("lumora::AddStep", "添加照片");
const char *const kPhaseMatch = QT_TRANSLATE_NOOP("lumora::AddStep", "自动匹配模板");

bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load();
}

// One notice for every photo whose file was cut short.
QString incompletePhotosNotice(const QStringList &paths)
{
    QStringList names;
    for (const QString &p : paths)
        names << QFileInfo(p).fileName();
    return QCoreApplication::translate("lumora::AddStep",
                                       "有 %1 张照片文件不完整（%2）：能读出的部分照常显示，缺少的部分显示为灰色")
        .arg(paths.size())
        .arg(names.join(QStringLiteral("、")));
}

void runEffectHooks(Album &album, const AddStepHooks &hooks, AddPhotosReport &report)
{
    if (album.settings.wenzitexiaoTianjia && hooks.autoTextEffects) {
        const QString n = hooks.autoTextEffects(album);
        if (!n.isEmpty())
            report.notices << n;
    }
    if (album.settings.huamiantexiaoTianjia) {
        if (!album.huamian_ListView_Image.empty() && hooks.confirmReplacePictureEffects
            && hooks.confirmReplacePictureEffects(album)) {
            album.huamian_ListView_Image.clear();
            album.huamian_ListView_Image_2.clear();
        }
        if (album.huamian_ListView_Image.empty() && hooks.autoPictureEffects) {
            const QString n = hooks.autoPictureEffects(album);
            if (!n.isEmpty())
                report.notices << n;
        }
    }
}

// Template-list rows of a pack entry: same name, same landscape and portrait
// counts (compared as text).
QList<int> entryRows(const Album &album, const PackEntry &e)
{
    QList<int> rows;
    const RowTable &list = album.ListView_moban;
    for (int r = 0; r < list.size(); ++r)
        if (list[r].cell(listcol::kName) == e.name && list[r].cell(listcol::kLandscape) == e.landscape
            && list[r].cell(listcol::kPortrait) == e.portrait)
            rows << r;
    return rows;
}

// Walks the pack: every entry once, then entry by entry again (1, 2, … n,
// 1 …) while photos of the working lists are unused. A round of n entries
// that uses no new photo ends the walk: the pack cannot take the photos left.
void walkPack(Album &album, const TemplatePack &pack, WorkLists &lists, const AddProgress &progress,
              const std::atomic<bool> *stop, AddPhotosReport &report)
{
    const int n = int(pack.entries.size());
    album.combinedLandscapeCursor = -1;
    album.combinedPortraitCursor = -1;
    for (int m = 0; m < n; ++m) {
        if (stopped(stop)) {
            report.stopped = true;
            return;
        }
        for (int r : entryRows(album, pack.entries[size_t(m)]))
            useTemplate(album, r, lists);
        if (progress)
            progress(QCoreApplication::translate("lumora::AddStep", kPhaseMatch), m + 1, n);
    }
    if (n == 0)
        return;
    int active = lists.activeCount();
    int idle = 0; // entries taken since the last one that used a new photo
    int keep = album.ListView_moban_shiyong.size(); // used templates up to the last progress
    for (int m = 0; active > 0; m = (m + 1) % n) {
        if (stopped(stop)) {
            report.stopped = true;
            return;
        }
        for (int r : entryRows(album, pack.entries[size_t(m)]))
            useTemplate(album, r, lists);
        const int now = lists.activeCount();
        idle = now < active ? 0 : idle + 1;
        active = now;
        if (idle == 0)
            keep = album.ListView_moban_shiyong.size();
        if (idle >= n) {
            // The round since the last progress only repeated photos already
            // shown: its templates are dropped again.
            dropUsedTemplatesFrom(album, keep);
            report.notices
                << QStringLiteral(
                       "选中的组合模板不能使用全部照片,有 %1 张照片没有与模板匹配,可以使用[自动套版]完成匹配")
                       .arg(active);
            return;
        }
    }
}

} // namespace

AddPhotosReport addPhotos(Album &album, const AddPhotosRequest &request, const AddStepHooks &hooks,
                          const AddProgress &progress, const std::atomic<bool> *stop)
{
    if (album.ListView_daoru_zhaopian.columns().isEmpty())
        setAlbumTableColumns(album);
    AddPhotosReport report;
    const bool pack = request.method == AssignMethod::Pack;
    TemplatePack chosen;
    if (pack)
        chosen = readTemplatePack(album.paths, request.pack);

    // 1. Photo rows (header and EXIF only). A pack add takes the landscape
    // photos first, then the portrait ones.
    std::vector<PhotoFacts> facts;
    const int files = int(request.files.size());
    for (int i = 0; i < files; ++i) {
        if (stopped(stop)) {
            report.stopped = true;
            break;
        }
        try {
            facts.push_back(readPhotoFacts(request.files[i]));
            if (album.settings.faceCrop)
                facts.back().faces = cachedPhotoFaces(request.files[i], request.faceCacheFolder);
        } catch (const Error &e) {
            report.refused.push_back({request.files[i], e.message()});
        }
        if (progress)
            progress(QCoreApplication::translate("lumora::AddStep", kPhaseAdd), i + 1, files);
    }
    if (pack)
        std::stable_partition(facts.begin(), facts.end(),
                              [](const PhotoFacts &f) { return isLandscape(f.width, f.height); });
    for (const PhotoFacts &f : facts) {
        appendPhotoRow(album, f);
        if (f.incomplete)
            report.incomplete << f.path;
    }
    report.added = int(facts.size());
    if (!report.incomplete.isEmpty())
        report.notices << incompletePhotosNotice(report.incomplete);
    if (report.stopped) {
        report.unmatched = unmatchedPhotoCount(album);
        return report;
    }

    const int usedBefore = album.ListView_moban_shiyong.size();
    auto matchProgress = [&](int done, int maximum) {
        if (progress)
            progress(QCoreApplication::translate("lumora::AddStep", kPhaseMatch), done, maximum);
    };
    if (!pack) {
        album.Edit_mobanfashi = kMethodRandom;
        rebuildBackgroundCandidates(album);
        fillEmptyBackgrounds(album);
        const MatchResult m = runMatchingPass(album, matchProgress, stop);
        report.stopped = m.stopped;
        try {
            report.defaultBackgrounds = applyDefaultBackground(album);
        } catch (const Error &e) {
            report.notices << e.message();
        }
    } else {
        album.Edit_mobanfashi = kMethodCombined;
        rebuildBackgroundCandidates(album);
        fillEmptyBackgrounds(album);
        WorkLists lists = buildWorkLists(album);
        walkPack(album, chosen, lists, progress, stop, report);
    }
    report.templatesAdded = album.ListView_moban_shiyong.size() - usedBefore;
    report.unmatched = unmatchedPhotoCount(album);
    if (!report.stopped)
        runEffectHooks(album, hooks, report);
    return report;
}

} // namespace lumora
