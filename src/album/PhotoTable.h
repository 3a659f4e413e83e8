#pragma once
// The photo table ListView_daoru_zhaopian and the lists derived from it: the
// landscape and portrait working lists of unmatched photos, and the
// background candidates ListView_qubu_hengzhao. Also the deletion of one
// photo or all photos with every cascade (slot rows, used-template status,
// automatically placed text effects, background candidates, renumbering).
//
// A photo's row position (0-based) is its identity for slot rows and
// background candidates. Call from the thread that owns the Album.
#include <QString>
#include <QStringList>
#include <functional>

#include "app/Album.h"

namespace lumora {

// What the photo table stores of one file.
struct PhotoFacts {
    QString name; // file name without folder and extension
    QString format; // extension with its dot, as written (".jpg", ".JPG"), "" when none
    int width = 0; // displayed width (EXIF orientation applied)
    int height = 0;
    QString path;
    bool incomplete = false; // the file was cut short: its missing part shows grey
    QString faces = {}; // face cell text; "" when not searched yet
};

// Reads only the JPEG header and EXIF block. Stored size = displayed size: a
// photo whose EXIF orientation turns it by a quarter has width and height
// swapped. Throws lumora::Error naming the file when it is not a readable
// JPEG, when even its smallest decode would not fit the memory budget, or
// when its data cannot hold the size its header declares.
PhotoFacts readPhotoFacts(const QString &path);

// Landscape (or square) by stored width and height.
inline bool isLandscape(int width, int height)
{
    return width >= height;
}
bool isLandscapeRow(const Row &photoRow);

// Appends a photo row: 序号 = new row count, 套版 empty. Returns the row index.
int appendPhotoRow(Album &album, const PhotoFacts &facts);

// The working lists of photos whose 套版 is empty, in table order: landscape
// and square photos, portrait photos.
struct WorkLists {
    RowTable heng; // ListView_heng_zhao
    RowTable shu; // ListView_shu_zhao
    int activeCount() const; // rows whose last cell is not 完成
};
WorkLists buildWorkLists(const Album &album);
// Removes the rows whose last cell is 完成.
void dropDoneRows(WorkLists &lists);

// Rebuilds ListView_qubu_hengzhao, the photos background pictures are drawn
// from: the wide modes take landscape and square photos, the portrait mode
// portrait photos (after an add, a deletion and at automatic matching
// alike). Of those, the photos at least half the output's width and height
// are kept when there are any, so a thumbnail-sized photo is not stretched
// over the whole picture while a larger one is at hand.
void rebuildBackgroundCandidates(Album &album);

// Slot rows holding photo `row`.
int slotsUsingPhoto(const Album &album, int row);
// The confirmation text of deleting photo `row`.
QString deletePhotoQuestion(const Album &album, int row);
// The confirmation text of deleting all photos.
QString deleteAllPhotosQuestion(const Album &album);

// Effect steps the deletion cascades into; they belong to the effects
// subsystem and are plugged in by the caller.
struct PhotoDeletionHooks {
    // Recomputes the start times of the automatically placed text effects
    // from the used templates (run after every deletion that removed marks).
    std::function<void(Album &)> rederiveTextStartTimes;
};

// Deletes photo `row` with every cascade and returns the notices to show in
// order ("选中的照片文件已经删除！" and, when text effects went with it, the
// text-effect notice). Throws lumora::Error with "没有添加照片文件！" for an
// empty table and "没有选中照片文件！" for a row that does not exist; nothing
// changes then.
QStringList deletePhoto(Album &album, int row, const PhotoDeletionHooks &hooks = {});

// Deletes every photo, the used templates, slot rows, background rows and
// candidates, and every automatically placed text effect. Returns the notice.
// Throws lumora::Error "没有添加照片文件！" when the table is empty.
QString deleteAllPhotos(Album &album);

// Removes the text effect rows (both text effect tables, same positions) whose
// auto mark is one of `marks`, empties those marks in the slot rows and
// renumbers the visible list. Returns the number of rows removed.
int removeTextEffectsWithMarks(Album &album, const QStringList &marks);

} // namespace lumora
