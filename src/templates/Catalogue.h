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
#include "app/Columns.h"

namespace lumora {

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
    int templates = 0; // rows of the parameter table
    std::vector<LeftOutTemplate> leftOut;
    bool stopped = false; // the stop flag ended the build early (tables incomplete)
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

// Frames of the template at catalogue index `index` (its 模板swf总帧数); 0
// outside the catalogue.
long long catalogueFrames(const Album &album, int index);

} // namespace lumora
