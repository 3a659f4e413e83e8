#include "Matching.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <array>
#include <cmath>

#include "album/AlbumTables.h"
#include "album/BackgroundTable.h"
#include "album/FacePlacement.h"
#include "app/Error.h"
#include "app/FlagWords.h"
#include "templates/Catalogue.h"
#include "templates/TemplateParams.h"

namespace lumora {
namespace {

constexpr int kFullFrameWidth = 1920;
constexpr int kFullFrameHeight = 1080;

bool parseInt(const QString &text, int &out)
{
    bool ok = false;
    out = text.trimmed().toInt(&ok);
    return ok;
}

// The five kinds of template, in matcher order.
enum Kind { kMixedAdvanced, kAdvancedLandscape, kAdvancedPortrait, kSingleLandscape, kSinglePortrait, kKinds };

// Catalogue indexes admitted for `kind` with h landscape and s portrait
// photos waiting, in catalogue order.
QStringList candidates(const Album &album, int kind, int h, int s)
{
    QStringList out;
    auto advanced = [&](auto admit) {
        for (const Row &r : album.ListView_gaojimoban) {
            const int L = r.cell(classcol::kLandscape).toInt();
            const int P = r.cell(classcol::kPortrait).toInt();
            if (admit(L, P))
                out << r.cell(classcol::kIndex);
        }
    };
    switch (kind) {
    case kMixedAdvanced:
        if (h > 0 && s > 0)
            advanced([&](int L, int P) { return L != 0 && P != 0 && h >= L && s >= P; });
        break;
    case kAdvancedLandscape:
        if (h > 0)
            advanced([&](int L, int P) { return L > 0 && P == 0 && h >= L; });
        break;
    case kAdvancedPortrait:
        if (s > 0)
            advanced([&](int L, int P) { return L == 0 && P > 0 && s >= P; });
        break;
    case kSingleLandscape:
        if (h > 0)
            for (const Row &r : album.ListView_hengzhaopian)
                out << r.cell(classcol::kIndex);
        break;
    case kSinglePortrait:
        if (s > 0)
            for (const Row &r : album.ListView_shuzhaopian)
                out << r.cell(classcol::kIndex);
        break;
    }
    return out;
}

const QString &kindCategory(int kind)
{
    if (kind == kSingleLandscape)
        return kCategoryLandscape;
    if (kind == kSinglePortrait)
        return kCategoryPortrait;
    return kCategoryCombined;
}

// One matcher step of a kind: picks the next catalogue index of the cycle
// and uses its template-list rows of the kind's category.
void runMatcher(Album &album, const QStringList &list, QStringList &used, const QString &category, WorkLists &lists)
{
    int inUse = 0;
    for (const QString &idx : list)
        inUse += used.contains(idx);
    QString chosen;
    if (inUse == 0 || inUse == list.size()) {
        chosen = list.first();
        used.clear();
    } else {
        for (const QString &idx : list)
            if (!used.contains(idx)) {
                chosen = idx;
                break;
            }
    }
    for (int r = 0; r < album.ListView_moban.size(); ++r) {
        const Row &row = album.ListView_moban[r];
        if (row.cell(listcol::kIndex) == chosen && row.cell(listcol::kCategory) == category)
            useTemplate(album, r, lists);
    }
    used << chosen;
}

// Slot rows of every used template, by used-template row.
QHash<int, QList<int>> slotRowsByTemplate(const Album &album)
{
    QHash<int, QList<int>> out;
    const RowTable &slots = album.ListView_moban_shiyong_canshu;
    for (int i = 0; i < slots.size(); ++i)
        out[slots[i].cell(slotcol::kUsedRow).toInt()] << i;
    return out;
}

void nameSlots(Album &album, int usedRow, const QList<int> &slotRows)
{
    if (usedRow < 0 || usedRow >= album.ListView_moban_shiyong.size())
        return;
    const Row &used = album.ListView_moban_shiyong[usedRow];
    const int index = used.caption().toInt();
    if (index < 0 || index >= album.ListView_mobancanshu.size())
        return;
    const Row &p = album.ListView_mobancanshu[index];
    const QStringList names = splitBarList(p.cell(paramcol::kPictureNames));
    const QStringList words = splitBarList(p.cell(paramcol::kOrientations));
    const QStringList widths = splitBarList(p.cell(paramcol::kWidths));
    const QStringList heights = splitBarList(p.cell(paramcol::kHeights));
    const QString category = used.cell(usedcol::kCategory);

    RowTable &slots = album.ListView_moban_shiyong_canshu;
    // A name already held by a slot of this template is not given twice
    // (templates naming fewer slots than they count are named again on
    // every later use).
    QSet<QString> given;
    for (int i : slotRows)
        if (!slots[i].cell(slotcol::kPicture).isEmpty())
            given.insert(slots[i].cell(slotcol::kPicture));

    for (const QString &word : {flag::kLandscape, flag::kPortrait, flag::kEither}) {
        for (int j : photoSlotIndices(names)) {
            if (words.value(j) != word || given.contains(names[j]))
                continue;
            QString target;
            if (word == flag::kLandscape)
                target = kSlotLandscape;
            else if (word == flag::kPortrait)
                target = kSlotPortrait;
            else if (category == kCategoryLandscape)
                target = kSlotLandscape;
            else if (category == kCategoryPortrait)
                target = kSlotPortrait;
            else
                continue; // combined templates give no slot to "shuheng"
            for (int i : slotRows) {
                Row &s = slots[i];
                if (s.cell(slotcol::kOrientation) == target && s.cell(slotcol::kPicture).isEmpty()) {
                    s.setCell(slotcol::kPicture, names[j]);
                    s.setCell(slotcol::kSlotWidth, widths.value(j));
                    s.setCell(slotcol::kSlotHeight, heights.value(j));
                    given.insert(names[j]);
                    break;
                }
            }
        }
    }
}

// Appends the used-template row, its background row and its slot rows.
// Returns the used-template row; `firstSlot` receives the first new slot row.
int appendUsedTemplate(Album &album, int listRow, const QString &status, int &firstSlot)
{
    const Row &r = album.ListView_moban.row(listRow);
    RowTable &used = album.ListView_moban_shiyong;
    QStringList cells;
    for (int c = 1; c <= 6; ++c)
        cells << r.cell(c);
    cells << status << QString::number(used.size() + 1);
    used.append(r.caption(), cells);
    const int u = used.size() - 1;

    appendBackgroundRow(album, r.cell(listcol::kName), r.cell(listcol::kType), r.cell(listcol::kCategory));

    RowTable &slots = album.ListView_moban_shiyong_canshu;
    firstSlot = slots.size();
    const int h = r.cell(listcol::kLandscape).toInt();
    const int s = r.cell(listcol::kPortrait).toInt();
    for (int k = 0; k < h + s; ++k) {
        Row slot(r.caption());
        for (int c = 1; c <= 6; ++c)
            slot.appendSubItem(used[u].cell(c));
        slot.appendSubItem(QString::number(u));
        slot.appendSubItem(k < h ? kSlotLandscape : kSlotPortrait);
        slot.appendSubItem(QString());
        slot.appendSubItem(QString::number(k));
        while (slot.subItemCount() < slotcol::kCount - 1)
            slot.appendSubItem(QString());
        slots.append(std::move(slot));
    }
    return u;
}

} // namespace

SlotGeometry slotGeometry(int W, int H, int pw, int ph, bool landscapeSlot, bool fullFrame, bool defaultPortraitDisplay)
{
    SlotGeometry g;
    if (pw <= 0 || ph <= 0)
        return g;
    const long long w = pw, h = ph;
    long long fw = w * H / h, fh = H;
    if (fw < W) {
        fw = W;
        fh = h * W / w;
    }
    long long tw, th;
    if (landscapeSlot) {
        tw = W;
        th = h * W / w;
        if (th > H) {
            th = H;
            tw = w * H / h;
        }
    } else {
        th = H;
        tw = w * H / h;
    }
    if (fullFrame) {
        if (landscapeSlot) {
            fw = W;
            fh = h * W / w;
        } else if (defaultPortraitDisplay) {
            fw = tw = w * H / h;
            fh = th = H;
        }
    }
    g.fillW = int(fw);
    g.fillH = int(fh);
    g.fillX = W / 2 - g.fillW / 2;
    g.fillY = 0;
    g.fitW = int(tw);
    g.fitH = int(th);
    g.fitX = W / 2 - g.fitW / 2;
    g.fitY = H / 2 - g.fitH / 2;
    if (fullFrame && !landscapeSlot) {
        g.fillX = 0;
        g.fitX = 0;
        g.fitMark = true;
    }
    return g;
}

bool slotSize(const Row &slot, int &W, int &H, bool *fullFrame)
{
    int w = 0, h = 0;
    if (!parseInt(slot.cell(slotcol::kSlotWidth), w) || !parseInt(slot.cell(slotcol::kSlotHeight), h))
        return false;
    const bool full = w == 0;
    if (full) {
        w = kFullFrameWidth;
        h = kFullFrameHeight;
    }
    // Sizes come from a resource file: a side beyond any stage is damage,
    // and staging would allocate a picture of that size.
    if (w < 0 || h <= 0 || w > kMaxSlotSide || h > kMaxSlotSide)
        return false;
    W = w;
    H = h;
    if (fullFrame)
        *fullFrame = full;
    return true;
}

namespace {

// The packed movie of the template a slot belongs to ("" when unknown).
QString slotMovie(const Album &album, const Row &slot)
{
    bool ok = false;
    const int usedRow = slot.cell(slotcol::kUsedRow).toInt(&ok);
    if (!ok || usedRow < 0 || usedRow >= album.ListView_moban_shiyong.size())
        return {};
    const int index = album.ListView_moban_shiyong[usedRow].caption().toInt(&ok);
    if (!ok || index < 0 || index >= album.ListView_mobancanshu.size())
        return {};
    return album.ListView_mobancanshu[index].cell(paramcol::kMovie);
}

} // namespace

bool placePhotoInSlot(Album &album, int slotRow)
{
    Row &s = album.ListView_moban_shiyong_canshu[slotRow];
    bool ok = false;
    const int photoRow = s.cell(slotcol::kPhotoRow).toInt(&ok);
    if (!ok || photoRow < 0 || photoRow >= album.ListView_daoru_zhaopian.size())
        return false;
    const Row &p = album.ListView_daoru_zhaopian[photoRow];
    int W = 0, H = 0;
    bool full = false;
    if (!slotSize(s, W, H, &full))
        return false;
    const int pw = p.cell(photocol::kWidth).toInt(), ph = p.cell(photocol::kHeight).toInt();
    const bool landscapeSlot = s.cell(slotcol::kOrientation) == kSlotLandscape;
    const SlotGeometry g = slotGeometry(W, H, pw, ph, landscapeSlot, full, album.settings.shuzhaopianMoren);
    QRect fill(g.fillX, g.fillY, g.fillW, g.fillH), fit(g.fitX, g.fitY, g.fitW, g.fitH);
    if (album.settings.faceCrop) {
        if (const auto faces = facesFromCell(p.cell(photocol::kFaces)); faces && !faces->empty()) {
            // The canvas the slot's picture is cut from is the slot itself;
            // a template that zooms or pans over it keeps only part of it in
            // view all the time, and the faces go there.
            const QSize canvas(W, H);
            QRect steady(QPoint(0, 0), canvas);
            if (const QRectF w = steadyWindowOf(slotMovie(album, s), s.cell(slotcol::kPicture), canvas); !w.isEmpty())
                steady = QRect(int(std::ceil(w.x() * W)), int(std::ceil(w.y() * H)), int(std::floor(w.width() * W)),
                               int(std::floor(w.height() * H)));
            fill = placeAroundFaces(fill, canvas, steady, QSize(pw, ph), *faces);
            fit = placeAroundFaces(fit, canvas, steady, QSize(pw, ph), *faces);
        }
    }
    s.setCell(slotcol::kFillX, QString::number(fill.x()));
    s.setCell(slotcol::kFillY, QString::number(fill.y()));
    s.setCell(slotcol::kFillW, QString::number(fill.width()));
    s.setCell(slotcol::kFillH, QString::number(fill.height()));
    s.setCell(slotcol::kCropMark, g.fitMark ? kCropFit : kCropFill);
    s.setCell(slotcol::kFitX, QString::number(fit.x()));
    s.setCell(slotcol::kFitY, QString::number(fit.y()));
    s.setCell(slotcol::kFitW, QString::number(fit.width()));
    s.setCell(slotcol::kFitH, QString::number(fit.height()));
    s.setCell(slotcol::kPlacedBy, QString());
    return true;
}

int placeAutomaticSlots(Album &album, int photoRow)
{
    int placed = 0;
    RowTable &slots = album.ListView_moban_shiyong_canshu;
    const QString row = QString::number(photoRow);
    for (int i = 0; i < slots.size(); ++i) {
        const Row &s = slots[i];
        if (s.cell(slotcol::kMatchState).isEmpty() || (photoRow >= 0 && s.cell(slotcol::kPhotoRow) != row)
            || s.cell(slotcol::kPlacedBy) == kPlacedByUser)
            continue;
        placed += placePhotoInSlot(album, i);
    }
    return placed;
}

bool putPhotoInSlot(Album &album, int slotRow, int photoRow)
{
    Row &s = album.ListView_moban_shiyong_canshu[slotRow];
    int W = 0, H = 0;
    if (!slotSize(s, W, H))
        return false;
    Row &p = album.ListView_daoru_zhaopian[photoRow];
    bool hadPhoto = false;
    const int previous = s.cell(slotcol::kPhotoRow).toInt(&hadPhoto);
    s.setCell(slotcol::kMatchState, kMatched);
    s.setCell(slotcol::kPhotoRow, QString::number(photoRow));
    s.setCell(slotcol::kPhotoPath, p.cell(photocol::kPath));
    placePhotoInSlot(album, slotRow);
    p.setCell(photocol::kMatched, kPhotoDone);
    // A photo replaced here that no other slot shows goes back to unmatched,
    // so the next matching places it again.
    RowTable &photos = album.ListView_daoru_zhaopian;
    if (hadPhoto && previous != photoRow && previous >= 0 && previous < photos.size()) {
        const QString ref = QString::number(previous);
        bool elsewhere = false;
        for (const Row &other : album.ListView_moban_shiyong_canshu)
            elsewhere = elsewhere || other.cell(slotcol::kPhotoRow) == ref;
        if (!elsewhere)
            photos.setCell(previous, photocol::kMatched, QString());
    }
    return true;
}

void nameAndSizeSlots(Album &album, int usedRow)
{
    nameSlots(album, usedRow, slotRowsByTemplate(album).value(usedRow));
}

void nameAndSizeAllSlots(Album &album)
{
    const QHash<int, QList<int>> byTemplate = slotRowsByTemplate(album);
    const RowTable &slots = album.ListView_moban_shiyong_canshu;
    for (int u = 0; u < album.ListView_moban_shiyong.size(); ++u) {
        const QList<int> rows = byTemplate.value(u);
        bool needsName = false;
        for (int i : rows)
            needsName = needsName || slots[i].cell(slotcol::kPicture).isEmpty();
        if (needsName)
            nameSlots(album, u, rows);
    }
}

int useTemplate(Album &album, int listRow, WorkLists &lists)
{
    int firstSlot = 0;
    const int u = appendUsedTemplate(album, listRow, kStatusComplete, firstSlot);
    nameAndSizeAllSlots(album);

    const bool combined = album.Edit_mobanfashi == kMethodCombined;
    RowTable &slots = album.ListView_moban_shiyong_canshu;
    int j[2] = {0, 0};
    bool complete = true;
    for (int i = firstSlot; i < slots.size(); ++i) {
        const bool landscape = slots[i].cell(slotcol::kOrientation) == kSlotLandscape;
        RowTable &list = landscape ? lists.heng : lists.shu;
        int &cursor = landscape ? album.combinedLandscapeCursor : album.combinedPortraitCursor;
        int pick = -1;
        if (combined) {
            if (!list.empty()) {
                cursor = cursor + 1 >= list.size() ? 0 : cursor + 1;
                pick = cursor;
            }
        } else {
            const int k = j[landscape ? 0 : 1]++;
            if (k < list.size())
                pick = k;
        }
        int W = 0, H = 0;
        if (pick < 0 || !slotSize(slots[i], W, H)) {
            complete = false;
            continue;
        }
        const int photoRow = list[pick].caption().toInt() - 1;
        putPhotoInSlot(album, i, photoRow);
        list.setCell(pick, worklistcol::kDone, kPhotoDone);
    }
    if (!complete)
        album.ListView_moban_shiyong.setCell(u, usedcol::kStatus, kStatusIncomplete);
    return u;
}

int useTemplateByHand(Album &album, int listRow)
{
    int firstSlot = 0;
    const int u = appendUsedTemplate(album, listRow, kStatusIncomplete, firstSlot);
    nameAndSizeAllSlots(album);
    return u;
}

void updateTemplateCompletion(Album &album, int usedRow)
{
    bool complete = true;
    for (const Row &s : album.ListView_moban_shiyong_canshu)
        if (s.cell(slotcol::kUsedRow).toInt() == usedRow && s.cell(slotcol::kMatchState).isEmpty())
            complete = false;
    album.ListView_moban_shiyong.setCell(usedRow, usedcol::kStatus, complete ? kStatusComplete : kStatusIncomplete);
}

QString deleteUsedTemplate(Album &album, int usedRow)
{
    RowTable &used = album.ListView_moban_shiyong;
    if (used.empty())
        throw Error(QCoreApplication::translate("lumora::Matching", "没有添加模板文件！"));
    if (usedRow < 0 || usedRow >= used.size())
        throw Error(QCoreApplication::translate("lumora::Matching", "没有选中模板文件！"));
    RowTable &slots = album.ListView_moban_shiyong_canshu;
    RowTable &photos = album.ListView_daoru_zhaopian;
    QList<int> freed;
    for (int i = slots.size() - 1; i >= 0; --i) {
        if (slots[i].cell(slotcol::kUsedRow).toInt() != usedRow)
            continue;
        bool ok = false;
        const int photo = slots[i].cell(slotcol::kPhotoRow).toInt(&ok);
        if (ok)
            freed << photo;
        slots.remove(i);
    }
    // A photo placed in several slots by hand stays matched while another
    // slot still shows it.
    for (int photo : freed) {
        if (photo < 0 || photo >= photos.size())
            continue;
        bool elsewhere = false;
        for (const Row &s : slots)
            elsewhere = elsewhere || s.cell(slotcol::kPhotoRow) == QString::number(photo);
        if (!elsewhere)
            photos.setCell(photo, photocol::kMatched, QString());
    }
    rowref::renumberColumn(slots, slotcol::kUsedRow, usedRow);
    if (usedRow < album.ListView_moban_beijing.size())
        album.ListView_moban_beijing.remove(usedRow);
    used.remove(usedRow);
    for (int i = 0; i < used.size(); ++i)
        used.setCell(i, usedcol::kNumber, QString::number(i + 1));
    renumberBackgrounds(album);
    return QCoreApplication::translate("lumora::Matching", "选中的模板文件已经删除！");
}

QString deleteAllUsedTemplates(Album &album)
{
    if (album.ListView_moban_shiyong.empty())
        throw Error(QCoreApplication::translate("lumora::Matching", "没有添加模板文件！"));
    album.ListView_moban_shiyong.clear();
    album.ListView_moban_shiyong_canshu.clear();
    album.ListView_moban_beijing.clear();
    for (Row &p : album.ListView_daoru_zhaopian)
        p.setCell(photocol::kMatched, QString());
    return QCoreApplication::translate("lumora::Matching", "已经使用的模板文件已经全部删除！");
}

void dropUsedTemplatesFrom(Album &album, int first)
{
    while (album.ListView_moban_shiyong.size() > first)
        album.ListView_moban_shiyong.remove(album.ListView_moban_shiyong.size() - 1);
    while (album.ListView_moban_beijing.size() > first)
        album.ListView_moban_beijing.remove(album.ListView_moban_beijing.size() - 1);
    RowTable &slots = album.ListView_moban_shiyong_canshu;
    for (int i = slots.size() - 1; i >= 0 && slots[i].cell(slotcol::kUsedRow).toInt() >= first; --i)
        slots.remove(i);
}

int unmatchedPhotoCount(const Album &album)
{
    int n = 0;
    for (const Row &r : album.ListView_daoru_zhaopian)
        n += r.cell(photocol::kMatched).isEmpty();
    return n;
}

long long completedTemplateFrames(const Album &album)
{
    long long sum = 0;
    for (const Row &u : album.ListView_moban_shiyong) {
        if (u.cell(usedcol::kStatus) != kStatusComplete)
            continue;
        const int index = u.caption().toInt();
        if (index >= 0 && index < album.ListView_mobancanshu.size())
            sum += album.ListView_mobancanshu[index].cell(paramcol::kFrames).trimmed().toLongLong();
    }
    return sum;
}

MatchResult runMatchingPass(Album &album, const MatchProgress &progress, const std::atomic<bool> *stop)
{
    MatchResult result;
    const int before = album.ListView_moban_shiyong.size();
    WorkLists lists = buildWorkLists(album);
    std::array<QStringList, kKinds> used; // catalogue indexes used in the current cycle of each kind
    const int maximum = album.ListView_daoru_zhaopian.size();
    int cycles = 0;
    // A cycle may take no photo because the templates it picked have no photo
    // slot or only slots without a size; the next templates of the same kinds
    // may still take photos. While no photo is taken the candidate lists stay
    // the same, and within 2 × (longest list) + 1 cycles every kind has been
    // through each of its templates: no photo taken by then means no admitted
    // kind can take the photos left, and the templates of those idle cycles
    // are dropped again.
    int idle = 0; // cycles since one took a photo
    int kept = album.ListView_moban_shiyong.size(); // used templates up to that cycle
    while (!lists.heng.empty() || !lists.shu.empty()) {
        if (stop && stop->load()) {
            result.stopped = true;
            break;
        }
        const int waiting = lists.heng.size() + lists.shu.size();
        int longest = 0;
        for (int kind = 0; kind < kKinds; ++kind) {
            const QStringList list = candidates(album, kind, lists.heng.size(), lists.shu.size());
            longest = std::max(longest, int(list.size()));
            if (!list.isEmpty())
                runMatcher(album, list, used[kind], kindCategory(kind), lists);
            dropDoneRows(lists);
        }
        if (progress)
            progress(std::min(++cycles, maximum), maximum);
        if (lists.heng.size() + lists.shu.size() < waiting) {
            idle = 0;
            kept = album.ListView_moban_shiyong.size();
        } else if (++idle > 2 * longest) {
            dropUsedTemplatesFrom(album, kept);
            break;
        }
    }
    result.templatesAdded = album.ListView_moban_shiyong.size() - before;
    result.unmatched = unmatchedPhotoCount(album);
    return result;
}

MatchResult automaticMatching(Album &album, const MatchProgress &progress, const std::atomic<bool> *stop)
{
    if (album.ListView_daoru_zhaopian.empty())
        throw Error(QCoreApplication::translate("lumora::Matching", "没有添加照片文件！"));
    rebuildBackgroundCandidates(album);
    fillEmptyBackgrounds(album);
    return runMatchingPass(album, progress, stop);
}

} // namespace lumora
