#pragma once
// The template catalogue of the current album mode: the parameter table
// ListView_mobancanshu (one row per template, its 0-based row is the catalogue
// index every other table refers to), the three classified tables
// (ListView_hengzhaopian, ListView_shuzhaopian, ListView_gaojimoban) and the
// template list ListView_moban of template management. All live in Album and
// are rebuilt from the resource tree on every album-mode choice, before the
// album reset; nothing else writes them.
//
// Call from the thread that owns the Album; the build is not re-entrant.
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

#include "app/Album.h"

namespace lumora {

// Column numbers (caption = column 0) of the parameter table.
namespace paramcol {
constexpr int kType = 0;        // 模板类型 (mblx)
constexpr int kClass = 1;       // 模板分类 (mbfl)
constexpr int kPhotoCount = 2;  // 相片数量 (xpsl)
constexpr int kWidths = 3;      // 相片宽度 (xpkd, bar list)
constexpr int kHeights = 4;     // 相片高度 (xpgd, bar list)
constexpr int kOrientations = 5; // 竖照横照 (szhz, bar list)
constexpr int kPictureNames = 6; // 相片JPG名称 (xpjpgmc, bar list)
constexpr int kMovie = 7;       // 位置: packed template movie
constexpr int kMark = 8;        // 分类标注: heng / shu / shuheng / gaojimoban / ""
constexpr int kIndex = 9;       // 序号: catalogue index
constexpr int kFrames = 10;     // 模板swf总帧数 (mbdx)
constexpr int kName = 11;       // 模板名称
constexpr int kAllPhotos = 12;  // 模板中所有照片 (sl)
constexpr int kText01 = 13;     // 模板文字_必须标注01 .. kText01 + 3 = 随机标注04
} // namespace paramcol

// Column numbers of the three classified tables (same layout each).
namespace classcol {
constexpr int kType = 0;
// 1..8: parameter-table columns 1..8 (class, photo count, widths, heights,
// orientations, picture names, movie, mark)
constexpr int kOrientations = 5;
constexpr int kPictureNames = 6;
constexpr int kMovie = 7;
constexpr int kMark = 8;
constexpr int kIndex = 9;       // 序号
constexpr int kLandscape = 10;  // 横照几张
constexpr int kPortrait = 11;   // 竖照几张
constexpr int kFrames = 12;     // 模板swf总帧数
constexpr int kName = 13;       // 模板名称
} // namespace classcol

// Column numbers of the template list ListView_moban.
namespace listcol {
constexpr int kIndex = 0;     // 序号: catalogue index
constexpr int kName = 1;      // 模板
constexpr int kType = 2;      // 类型: 高级模板 / 单张模板
constexpr int kLandscape = 3; // 横照片
constexpr int kPortrait = 4;  // 竖照片
constexpr int kDuration = 5;  // 时长 HH:MM:SS
constexpr int kCategory = 6;  // 分类: 综合模板 / 横照模板 / 竖照模板
} // namespace listcol

inline const QString kCategoryCombined = QStringLiteral("综合模板");
inline const QString kCategoryLandscape = QStringLiteral("横照模板");
inline const QString kCategoryPortrait = QStringLiteral("竖照模板");
inline const QString kTypeAdvanced = QStringLiteral("高级模板");
inline const QString kTypeSingle = QStringLiteral("单张模板");

// A template left out of the catalogue, and why (Chinese, for the user or log).
struct LeftOutTemplate {
    QString parameterFile;
    QString reason;
};

struct CatalogueReport {
    int templates = 0;                 // rows of the parameter table
    std::vector<LeftOutTemplate> leftOut;
    bool stopped = false;              // the stop flag ended the build early (tables incomplete)
};

using CatalogueProgress = std::function<void(int done, int maximum)>;

// The five build steps for album.mode, in order: scan (wipes and recreates the
// scratch folder), read parameters (20-layer unpack of every parameter file),
// classify, count photo slots, copy to the template list. Sets the column
// captions of every album table this subsystem owns.
//
// A template whose lists do not pair up (no movie at its listing position,
// fewer orientation tokens than a photo slot's position, a total frame count
// that is not a whole number) is left out with its reason; the catalogue index
// of the others stays their row position.
// Throws IntegrityError (the program must end) when the mode has no parameter
// file or no movie, or a parameter file's marker is wrong; lumora::Error when
// a parameter file cannot be unpacked.
CatalogueReport buildCatalogue(Album &album, const CatalogueProgress &progress = {},
                               const std::atomic<bool> *stop = nullptr);

// The steps on their own, for tests and for callers that fill the parameter
// table by other means: classify + count + copy from the current parameter table.
void classifyCatalogue(Album &album);

// Sets the column captions of every table of the catalogue and the album
// tables owned by photos, matching and backgrounds (idempotent).
void setAlbumTableColumns(Album &album);

// A parameter row as the parameter table stores it, from the parameter file's
// values, the movie path and the catalogue index.
QStringList parameterRowCells(const QStringList &catalogueValues, const QString &moviePath, int index);

// A template runs at least one frame and at most this many (an hour at 25
// frames per second); a count outside is damage, not a template.
constexpr long long kMaxTemplateFrames = 90000;

// Reason text when a template cannot be used, or "" when it pairs up and its
// total frames are within 1 … kMaxTemplateFrames.
QString catalogueRowProblem(const QString &szhz, const QString &xpjpgmc, const QString &mbdx);

} // namespace lumora
