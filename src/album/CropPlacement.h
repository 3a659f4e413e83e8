#pragma once
// The rules of the cropping editor: how a slot's stored placement of its
// photo (fill or fit, slot table columns 16–24) is shown in an 800 × 450 box,
// how enlarging, shrinking and dragging change the shown placement, and how
// the shown placement is converted back into slot pixels and stored. Staging
// cuts the slot pictures from the stored values, so the album shows what the
// editor saved (up to the truncation of the integer conversions).
//
// All numbers are integers, divisions truncate toward zero. A full-frame slot
// (width 0) counts as 1920 × 1080. Call from the thread that owns the Album.
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

#include "app/Album.h"

namespace lumora {

enum class CropDisplay { Fill, Fit };

// The editor's outer box, in pixels.
constexpr int kCropBoxWidth = 800;
constexpr int kCropBoxHeight = 450;

// What the editor shows: the slot frame, centred in the box, and the photo's
// display rectangle in frame coordinates (left and top may be negative).
struct CropView {
    QRect frame;
    QRect photo;
    bool operator==(const CropView &) const = default;
};

// Slot facts the rules need, read once from the slot row and its photo row.
struct CropSlot {
    int W = 0, H = 0; // slot size S (1920 × 1080 for a full-frame slot)
    bool fullFrame = false;
    bool landscapeSlot = true;
    QString category; // 综合模板 / 横照模板 / 竖照模板
    QString cropMark;
    int photoW = 0, photoH = 0; // the photo's stored size
    QRect fill, fit; // stored placements, slot pixels
    bool portraitFullFrame() const { return fullFrame && !landscapeSlot; }
};
// Throws lumora::Error when the row holds no photo or has no size.
CropSlot cropSlot(const Album &album, int slotRow);

// The display chosen when a row is selected (category and crop mark), and
// whether enlarge, shrink, default and dragging are enabled with it.
CropDisplay initialCropDisplay(const CropSlot &slot);
bool cropEditable(const CropSlot &slot, CropDisplay display);
// The radios are shown only for single landscape templates.
bool cropRadiosShown(const CropSlot &slot);

// The stored placement of the chosen kind, as the editor shows it.
CropView storedCropView(const CropSlot &slot, CropDisplay display);

// One enlarge / shrink step (a tenth of the frame width), the photo centred
// in the frame. Empty when the step is refused: the photo would no longer
// cover the frame (shrink), or a portrait full-frame slot's frame is already
// wider than the box less 100 pixels (enlarge); the caller shows the notice
// and the stored placement.
std::optional<CropView> enlargeCrop(const CropSlot &slot, const CropView &view);
std::optional<CropView> shrinkCrop(const CropSlot &slot, const CropView &view);

// The photo moved to `topLeft` (frame coordinates) and, on release, clamped
// so that it covers the frame wherever it is large enough to.
CropView dragCrop(const CropView &view, QPoint topLeft);

// Converts the shown placement into slot pixels and stores it by the
// template category (the editor's save rule).
void saveCrop(Album &album, int slotRow, const CropView &view, CropDisplay display);

inline const QString kCropEnlargeRefused = QStringLiteral("不能再放大了,点[确定]按钮，照片大小恢复到默认大小！");
inline const QString kCropShrinkRefused = QStringLiteral("不能再缩小了,点[确定]按钮，照片大小恢复到默认大小！");

} // namespace lumora
