#include "album/CropPlacement.h"

#include <QCoreApplication>

#include <algorithm>

#include "album/AlbumTables.h"
#include "album/Matching.h"
#include "app/Error.h"
#include "templates/Catalogue.h"

namespace lumora {

namespace {

// The slot's shape at the largest size that fits the box whole: 800 wide
// when the shape is at least as wide as the box, else 450 high. A portrait
// full-frame slot is framed by the photo's stored fit size.
QSize frameSize(const CropSlot &s)
{
    qint64 w = s.W, h = s.H;
    if (!s.landscapeSlot && s.fullFrame) {
        w = s.fit.width() > 0 ? s.fit.width() : 1080;
        h = s.fit.height() > 0 ? s.fit.height() : 1920;
    }
    if (w <= 0 || h <= 0)
        return {kCropBoxWidth, kCropBoxHeight};
    if (w * kCropBoxHeight >= h * kCropBoxWidth)
        return {kCropBoxWidth, int(std::max<qint64>(1, kCropBoxWidth * h / w))};
    return {int(std::max<qint64>(1, kCropBoxHeight * w / h)), kCropBoxHeight};
}

QRect centred(QSize size)
{
    return QRect(QPoint(kCropBoxWidth / 2 - size.width() / 2, kCropBoxHeight / 2 - size.height() / 2), size);
}

int cellInt(const Row &r, int column)
{
    return r.cell(column).toInt();
}

// The photo at `width` (height in proportion), centred in the frame; a
// portrait full-frame slot's frame follows the photo's width.
CropView resized(const CropSlot &s, const CropView &view, int width)
{
    const int height = s.photoW > 0 ? s.photoH * width / s.photoW : 0;
    CropView v = view;
    if (s.portraitFullFrame())
        v.frame = centred({width, v.frame.height()});
    v.photo = QRect(v.frame.width() / 2 - width / 2, v.frame.height() / 2 - height / 2, width, height);
    return v;
}

} // namespace

CropSlot cropSlot(const Album &album, int slotRow)
{
    const RowTable &slots = album.ListView_moban_shiyong_canshu;
    if (slotRow < 0 || slotRow >= slots.size())
        throw Error(QCoreApplication::translate("lumora::CropPlacement", "没有选中照片文件！"));
    const Row &r = slots[slotRow];
    CropSlot s;
    if (!slotSize(r, s.W, s.H, &s.fullFrame) || s.W <= 0 || s.H <= 0)
        throw Error(QCoreApplication::translate("lumora::CropPlacement", "没有选中照片文件！"));
    const QString photoRow = r.cell(slotcol::kPhotoRow);
    bool ok = false;
    const int p = photoRow.toInt(&ok);
    if (!ok || p < 0 || p >= album.ListView_daoru_zhaopian.size())
        throw Error(QCoreApplication::translate("lumora::CropPlacement", "没有选中照片文件！"));
    const Row &photo = album.ListView_daoru_zhaopian[p];
    s.photoW = cellInt(photo, photocol::kWidth);
    s.photoH = cellInt(photo, photocol::kHeight);
    s.landscapeSlot = r.cell(slotcol::kOrientation) != kSlotPortrait;
    s.category = r.cell(slotcol::kCategory);
    s.cropMark = r.cell(slotcol::kCropMark);
    s.fill = QRect(cellInt(r, slotcol::kFillX), cellInt(r, slotcol::kFillY), cellInt(r, slotcol::kFillW),
                   cellInt(r, slotcol::kFillH));
    s.fit = QRect(cellInt(r, slotcol::kFitX), cellInt(r, slotcol::kFitY), cellInt(r, slotcol::kFitW),
                  cellInt(r, slotcol::kFitH));
    return s;
}

CropDisplay initialCropDisplay(const CropSlot &s)
{
    if (s.category == kCategoryPortrait)
        return CropDisplay::Fit;
    if (s.category == kCategoryLandscape && s.cropMark == kCropFit)
        return CropDisplay::Fit;
    return CropDisplay::Fill;
}

bool cropEditable(const CropSlot &s, CropDisplay display)
{
    // Only the fit display of a single landscape template is fixed.
    return !(s.category == kCategoryLandscape && display == CropDisplay::Fit);
}

bool cropRadiosShown(const CropSlot &s)
{
    return s.category == kCategoryLandscape;
}

CropView storedCropView(const CropSlot &s, CropDisplay display)
{
    const QRect p = display == CropDisplay::Fill ? s.fill : s.fit;
    CropView v;
    v.frame = centred(frameSize(s));
    int w = v.frame.width() * p.width() / s.W;
    const int h = v.frame.height() * p.height() / s.H;
    if (s.portraitFullFrame() && p.height() > 0) {
        w = h * p.width() / p.height();
        v.frame = centred({w, v.frame.height()});
    }
    v.photo = QRect(v.frame.width() * p.x() / s.W, v.frame.height() * p.y() / s.H, w, h);
    return v;
}

std::optional<CropView> enlargeCrop(const CropSlot &s, const CropView &view)
{
    if (s.portraitFullFrame() && view.frame.width() > kCropBoxWidth - 100)
        return std::nullopt;
    return resized(s, view, view.photo.width() + view.frame.width() / 10);
}

std::optional<CropView> shrinkCrop(const CropSlot &s, const CropView &view)
{
    const CropView v = resized(s, view, view.photo.width() - view.frame.width() / 10);
    if (v.photo.width() < v.frame.width() || v.photo.height() < v.frame.height())
        return std::nullopt;
    return v;
}

CropView dragCrop(const CropView &view, QPoint topLeft)
{
    CropView v = view;
    int left = std::min(topLeft.x(), 0);
    int top = std::min(topLeft.y(), 0);
    if (left + v.photo.width() < v.frame.width())
        left = v.frame.width() - v.photo.width();
    if (top + v.photo.height() < v.frame.height())
        top = v.frame.height() - v.photo.height();
    v.photo.moveTopLeft({left, top});
    return v;
}

void saveCrop(Album &album, int slotRow, const CropView &view, CropDisplay display)
{
    const CropSlot s = cropSlot(album, slotRow);
    const int fw = view.frame.width(), fh = view.frame.height();
    if (fw <= 0 || fh <= 0)
        return;
    const QRect c(view.photo.x() * s.W / fw, view.photo.y() * s.H / fh, view.photo.width() * s.W / fw,
                  view.photo.height() * s.H / fh);
    Row &r = album.ListView_moban_shiyong_canshu[slotRow];
    const auto store = [&r](QRect p, int x, int y, int w, int h) {
        r.setCell(x, QString::number(p.x()));
        r.setCell(y, QString::number(p.y()));
        r.setCell(w, QString::number(p.width()));
        r.setCell(h, QString::number(p.height()));
    };
    const auto storeFill
        = [&](QRect p) { store(p, slotcol::kFillX, slotcol::kFillY, slotcol::kFillW, slotcol::kFillH); };
    const auto storeFit = [&](QRect p) { store(p, slotcol::kFitX, slotcol::kFitY, slotcol::kFitW, slotcol::kFitH); };
    if (s.category == kCategoryPortrait) {
        // A portrait photo keeps its proportions at the stored height, and
        // its left edge is converted at the same scale, so a photo shown
        // centred or dragged sideways is stored where the editor shows it.
        const int width = view.photo.height() > 0 ? c.height() * view.photo.width() / view.photo.height() : 0;
        const int left = view.photo.x() * s.H / fh;
        const QRect p(left, c.y(), width, c.height());
        storeFill(p);
        storeFit(p);
        r.setCell(slotcol::kCropMark, kCropFit);
    } else if (s.category == kCategoryLandscape && display == CropDisplay::Fit) {
        storeFit(c);
        r.setCell(slotcol::kCropMark, kCropFit);
    } else {
        storeFill(c);
        r.setCell(slotcol::kCropMark, kCropFill);
    }
    // The user's placement wins over any automatic one from now on.
    r.setCell(slotcol::kPlacedBy, kPlacedByUser);
}

} // namespace lumora
