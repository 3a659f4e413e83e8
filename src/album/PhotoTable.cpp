#include "PhotoTable.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>

#include "album/AlbumTables.h"
#include "album/BackgroundTable.h"
#include "app/Error.h"
#include "image/ImageIO.h"

namespace lumora {
namespace {
// Text effect table columns this cascade touches: the auto mark is sub-item 8
// of ListView_Image; the visible list ListView_Image_2 numbers its rows in
// its caption.
constexpr int kTextEffectMarkSubItem = 8;

const char *const kNoPhotos = QT_TRANSLATE_NOOP("lumora::PhotoTable", "没有添加照片文件！");
} // namespace

PhotoFacts readPhotoFacts(const QString &path)
{
    const JpegInfo info = readJpegInfo(path);
    const QString unusable = jpegUnusableReason(info);
    if (!unusable.isEmpty())
        throw Error(QCoreApplication::translate("lumora::PhotoTable", "无法使用照片文件 %1：%2").arg(path, unusable));
    const QSize shown = info.displayed();
    const QFileInfo fi(path);
    PhotoFacts f;
    f.name = fi.completeBaseName();
    f.format = fi.suffix().isEmpty() ? QString() : QStringLiteral(".") + fi.suffix();
    f.width = shown.width();
    f.height = shown.height();
    f.path = path;
    f.incomplete = !info.complete;
    return f;
}

bool isLandscapeRow(const Row &r)
{
    return isLandscape(r.cell(photocol::kWidth).toInt(), r.cell(photocol::kHeight).toInt());
}

int appendPhotoRow(Album &album, const PhotoFacts &f)
{
    RowTable &t = album.ListView_daoru_zhaopian;
    t.append(QString::number(t.size() + 1),
             {f.name, f.format, QString::number(f.width), QString::number(f.height), f.path, QString(), f.faces});
    return t.size() - 1;
}

int WorkLists::activeCount() const
{
    int n = 0;
    for (const RowTable *t : {&heng, &shu})
        for (const Row &r : *t)
            n += r.cell(worklistcol::kDone) != kPhotoDone;
    return n;
}

WorkLists buildWorkLists(const Album &album)
{
    WorkLists w;
    w.heng.setColumns(workListColumns());
    w.shu.setColumns(workListColumns());
    for (const Row &r : album.ListView_daoru_zhaopian) {
        if (!r.cell(photocol::kMatched).isEmpty())
            continue;
        (isLandscapeRow(r) ? w.heng : w.shu).append(r);
    }
    return w;
}

void dropDoneRows(WorkLists &lists)
{
    for (RowTable *t : {&lists.heng, &lists.shu})
        for (int i = t->size() - 1; i >= 0; --i)
            if (t->cell(i, worklistcol::kDone) == kPhotoDone)
                t->remove(i);
}

void rebuildBackgroundCandidates(Album &album)
{
    RowTable &c = album.ListView_qubu_hengzhao;
    c.clear();
    const bool wantPortrait = album.mode == ModeKind::Portrait;
    const QSize output = album.modeInfo().output;
    const RowTable &photos = album.ListView_daoru_zhaopian;
    QList<int> fitting, large;
    for (int i = 0; i < photos.size(); ++i) {
        const Row &r = photos[i];
        if (isLandscapeRow(r) == wantPortrait)
            continue;
        fitting << i;
        if (2LL * r.cell(photocol::kWidth).toInt() >= output.width()
            && 2LL * r.cell(photocol::kHeight).toInt() >= output.height())
            large << i;
    }
    for (int i : large.isEmpty() ? fitting : large) {
        const Row &r = photos[i];
        c.append(r.caption(),
                 {r.cell(photocol::kName), r.cell(photocol::kFormat), r.cell(photocol::kWidth),
                  r.cell(photocol::kHeight), r.cell(photocol::kPath), QString::number(i)});
    }
}

int slotsUsingPhoto(const Album &album, int row)
{
    const QString ref = QString::number(row);
    int n = 0;
    for (const Row &s : album.ListView_moban_shiyong_canshu)
        n += s.cell(slotcol::kPhotoRow) == ref;
    return n;
}

QString deletePhotoQuestion(const Album &album, int row)
{
    const int n = slotsUsingPhoto(album, row);
    if (n == 0)
        return QCoreApplication::translate("lumora::PhotoTable", "是否确定要删除当前选中的照片文件?");
    return QCoreApplication::translate(
               "lumora::PhotoTable",
               "此张照片文件在 %1 "
               "个模板文件中使用,删除后,模板文件中的照片文件也会被删除,是否确定要删除当前选中的照片文件?")
        .arg(n);
}

QString deleteAllPhotosQuestion(const Album &album)
{
    for (const Row &r : album.wenzi_ListView_Image)
        if (!r.subItem(kTextEffectMarkSubItem).isEmpty())
            return QCoreApplication::translate(
                "lumora::PhotoTable", "是否确定要删除全部照片文件?删除后,自动添加到模板中的文字特效也会被全部删除!");
    return QCoreApplication::translate("lumora::PhotoTable", "是否确定要删除全部照片文件?");
}

int removeTextEffectsWithMarks(Album &album, const QStringList &marks)
{
    if (marks.isEmpty())
        return 0;
    const QSet<QString> set(marks.begin(), marks.end());
    RowTable &work = album.wenzi_ListView_Image;
    RowTable &shown = album.wenzi_ListView_Image_2;
    int removed = 0;
    for (int i = work.size() - 1; i >= 0; --i) {
        const QString m = work[i].subItem(kTextEffectMarkSubItem);
        if (m.isEmpty() || !set.contains(m))
            continue;
        work.remove(i);
        if (i < shown.size())
            shown.remove(i);
        ++removed;
    }
    for (Row &s : album.ListView_moban_shiyong_canshu)
        if (set.contains(s.cell(slotcol::kTextMark)))
            s.setCell(slotcol::kTextMark, QString());
    for (int i = 0; i < shown.size(); ++i)
        shown[i].setCaption(QString::number(i + 1));
    return removed;
}

QStringList deletePhoto(Album &album, int row, const PhotoDeletionHooks &hooks)
{
    RowTable &photos = album.ListView_daoru_zhaopian;
    if (photos.empty())
        throw Error(QCoreApplication::translate("lumora::PhotoTable", kNoPhotos));
    if (row < 0 || row >= photos.size())
        throw Error(QCoreApplication::translate("lumora::PhotoTable", "没有选中照片文件！"));

    // The templates showing the photo are no longer complete. Every slot of
    // such a template is emptied, the deleted photo's and its neighbours':
    // a template that is not played would otherwise keep photos marked 完成
    // that no played template shows, and neither 自动套版 nor play would take
    // them again. Those neighbours go back to unmatched (unless another
    // template still shows them), so the next matching places them anew.
    const QString ref = QString::number(row);
    QStringList marks;
    RowTable &slots = album.ListView_moban_shiyong_canshu;
    QSet<int> broken;
    for (const Row &s : slots)
        if (s.cell(slotcol::kPhotoRow) == ref)
            broken.insert(s.cell(slotcol::kUsedRow).toInt());
    QSet<int> released;
    for (Row &s : slots) {
        const int used = s.cell(slotcol::kUsedRow).toInt();
        if (!broken.contains(used))
            continue;
        bool ok = false;
        const int held = s.cell(slotcol::kPhotoRow).toInt(&ok);
        if (ok && held != row)
            released.insert(held);
        for (int c : {slotcol::kMatchState, slotcol::kPhotoRow, slotcol::kPhotoPath, slotcol::kFillX, slotcol::kFillY,
                      slotcol::kFillW, slotcol::kFillH, slotcol::kCropMark, slotcol::kFitX, slotcol::kFitY,
                      slotcol::kFitW, slotcol::kFitH, slotcol::kCheckFlag})
            s.setCell(c, QString());
        const QString mark = s.cell(slotcol::kTextMark);
        if (!mark.isEmpty() && !marks.contains(mark))
            marks << mark;
    }
    for (int used : broken)
        if (used >= 0 && used < album.ListView_moban_shiyong.size())
            album.ListView_moban_shiyong.setCell(used, usedcol::kStatus, kStatusIncomplete);
    for (int p : released) {
        if (p < 0 || p >= photos.size())
            continue;
        bool elsewhere = false;
        for (const Row &s : slots)
            elsewhere = elsewhere || s.cell(slotcol::kPhotoRow) == QString::number(p);
        if (!elsewhere)
            photos.setCell(p, photocol::kMatched, QString());
    }
    rowref::renumberColumn(slots, slotcol::kPhotoRow, row);

    photos.remove(row);
    rebuildBackgroundCandidates(album);
    // Background rows keep their picture; only rows without one are filled.
    fillEmptyBackgrounds(album);

    QStringList notices{QCoreApplication::translate("lumora::PhotoTable", "选中的照片文件已经删除！")};
    if (!marks.isEmpty()) {
        removeTextEffectsWithMarks(album, marks);
        notices << QCoreApplication::translate("lumora::PhotoTable",
                                               "此张照片文件删除后,自动匹配到相关模板中的文字特效也已经删除!！");
    }
    for (int i = 0; i < photos.size(); ++i)
        photos[i].setCaption(QString::number(i + 1));
    if (hooks.rederiveTextStartTimes)
        hooks.rederiveTextStartTimes(album);
    return notices;
}

QString deleteAllPhotos(Album &album)
{
    if (album.ListView_daoru_zhaopian.empty())
        throw Error(QCoreApplication::translate("lumora::PhotoTable", kNoPhotos));
    album.ListView_daoru_zhaopian.clear();
    album.ListView_qubu_hengzhao.clear();
    album.ListView_moban_shiyong.clear();
    album.ListView_moban_shiyong_canshu.clear();
    album.ListView_moban_beijing.clear();
    RowTable &work = album.wenzi_ListView_Image;
    RowTable &shown = album.wenzi_ListView_Image_2;
    for (int i = work.size() - 1; i >= 0; --i) {
        if (work[i].subItem(kTextEffectMarkSubItem).isEmpty())
            continue;
        work.remove(i);
        if (i < shown.size())
            shown.remove(i);
    }
    for (int i = 0; i < shown.size(); ++i)
        shown[i].setCaption(QString::number(i + 1));
    return QCoreApplication::translate("lumora::PhotoTable", "照片文件已经全部删除！");
}

} // namespace lumora
