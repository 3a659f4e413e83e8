#include "PhotoGeometry.h"

#include <algorithm>

namespace lumora::ui {

QSize fitPhoto(QSize stored, QSize limit)
{
    const int w = std::max(1, stored.width());
    const int h = std::max(1, stored.height());
    const int lw = std::max(1, limit.width());
    const int lh = std::max(1, limit.height());
    int tw;
    int th;
    if (w >= h) {
        tw = lw;
        th = int(qint64(lw) * h / w);
        if (th > lh) {
            th = lh;
            tw = int(qint64(lh) * w / h);
        }
    } else {
        th = lh;
        tw = int(qint64(lh) * w / h);
        if (tw > lw) {
            tw = lw;
            th = int(qint64(lw) * h / w);
        }
    }
    return {std::max(1, tw), std::max(1, th)};
}

int lastPage(int photoCount)
{
    return photoCount <= 0 ? 0 : (photoCount - 1) / kCellsPerPage;
}

int photosOnPage(int page, int photoCount)
{
    return std::clamp(photoCount - page * kCellsPerPage, 0, kCellsPerPage);
}

QSize largeViewSize(QSize stored, QSize box, bool landscapeFill, bool portraitFit)
{
    const int w = std::max(1, stored.width());
    const int h = std::max(1, stored.height());
    if (w >= h) {
        if (landscapeFill) {
            // The fill display takes the whole width whatever the height.
            const int bw = std::max(1, box.width());
            return {bw, std::max(1, int(qint64(bw) * h / w))};
        }
        return fitPhoto(stored, box - QSize(6, 6));
    }
    return fitPhoto(stored, portraitFit ? box - QSize(6, 6) : box);
}

QSize zoomInBox(QSize box, QSize area)
{
    const int width = box.width() + area.width() / 10;
    return {width, int(qint64(width) * area.height() / std::max(1, area.width()))};
}

QSize zoomOutBox(QSize box, QSize area)
{
    const int width = box.width() - area.width() / 10;
    const int height = int(qint64(width) * area.height() / std::max(1, area.width()));
    if (width < 0 || height < 0)
        return {}; // invalid: back to the default box
    return {width, height};
}

} // namespace lumora::ui
