#pragma once
// Staging: before preview or production every complete used template gets
// its own folder under the album staging folder with the unpacked template
// movie, its background picture wj_y_l_b_j.jpg and one picture per picture
// name of the template (the photo of the slot, placed by the slot geometry,
// scaled to the target size). The mode movie is unpacked beside them and the
// hand-over picture folder pic/ is emptied.
//
// Sizes: slot sizes and slot geometry are in output pixels of the album mode
// (Sw × Sh); the staged pictures are scaled to the target (the preview size
// for preview, the render size for production).
//
// Photos are decoded with DCT scaling to the smallest size above what they
// are drawn at, and templates are staged in parallel on every core. Intermediate
// bitmaps stay in memory; the files written are exactly:
//   wj_y_l_<n><ext>, <token>.jpg per picture name, wj_y_l_b_j.jpg   (folder wj_y_l_<n>/)
//   wj_y_l_z_h<ext> (and wj_y_l_z_h_2<ext> for production)             (folder wj_y_l_z_h/)
// where <ext> is the cell Edit_kuozhanming_1. All JPEGs are baseline, quality 90.
//
// Call from the thread that owns the Album; the album is only read while the
// worker threads run.
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <vector>

#include "app/Album.h"

namespace lumora {

struct StagingRequest {
    QSize target; // preview size (preview) or render size (production)
    bool production = false; // writes wj_y_l_z_h_2 too; a template without background gets a black target-sized picture
    bool landscapeFit = false; // single landscape templates: "照片适中显示效果" instead of the fill choice
};

// A photo or background picture that could not be decoded: staging drew a
// grey placeholder in its place and went on.
struct StagingFailure {
    int usedRow = -1;
    QString path;
    QString message;
};

struct StagingReport {
    QStringList completedRows; // also written to album.cells.completedRows
    std::vector<StagingFailure> failures;
    int pictures = 0; // slot pictures written
    bool stopped = false; // ended by the stop flag (the staging folder is incomplete)
};

using StagingProgress = std::function<void(int done, int maximum)>;

// The staging run (preview) or the production staging (request.production).
// Rebuilds the album staging folder from scratch and the completed-row list.
// Throws lumora::Error when a folder cannot be made, a movie cannot be
// unpacked or a file cannot be written.
StagingReport stageAlbum(Album &album, const StagingRequest &request, const StagingProgress &progress = {},
                         const std::atomic<bool> *stop = nullptr);

// The pictures of one used template (background and slot pictures) into
// `folder`, as the staging run makes them. Used by the single-template
// preview and template management too. Decoding failures are appended to
// `failures`. Returns the number of slot pictures written.
struct BackgroundCache;
// `cache` (optional, thread-safe) shares the encoded background pictures
// between templates that show the same picture at the same size.
int stageTemplatePictures(const Album &album, int usedRow, const QString &folder, const StagingRequest &request,
                          std::vector<StagingFailure> &failures, BackgroundCache *cache = nullptr);

// The part of its photo that slot row `slotRow` shows when the album is
// staged for preview or production, in the photo's displayed pixels (the
// photo table's width and height). Empty when the slot holds no photo.
QRect stagedPhotoCrop(const Album &album, int slotRow);

// Target size of the picture of token j (exposed for tests): category of the
// template, stage-1 canvas (cw × ch), the token's own width and height texts,
// output size S and target A.
QSize stagedPictureSize(const QString &category, QSize canvas, const QString &tokenWidth, const QString &tokenHeight,
                        QSize output, QSize target);

} // namespace lumora
