#pragma once
// The sizes of photos on the main window and in the thumbnail lists: how a
// photo fits a thumbnail cell, the large view's box and its zoom steps, and
// the page arithmetic of the nine-cell pages. Pure functions on stored sizes
// (the photo table's 宽度/高度), in logical pixels.
#include <QSize>
#include <QString>

namespace lumora::ui {

// Thumbnail cells on the main window and the default list box.
inline constexpr QSize kThumbnailCell{118, 96};
inline constexpr QSize kListBoxSmall{125, 80};
inline constexpr QSize kListBoxLarge{375, 240};
inline constexpr int kThumbnailBorder = 3; // white frame around a thumbnail
inline constexpr int kCellsPerPage = 9;

// The largest picture of the photo's proportions inside `limit`: landscape
// and square photos first take the full width, portrait photos the full
// height; the other side follows by integer division and, when it exceeds
// the limit, is cut to it and the first side recomputed from it.
QSize fitPhoto(QSize stored, QSize limit);
// The picture of a photo in a page cell (the cell less 6 in each direction)
// and in a list box (the box less 8).
inline QSize cellPicture(QSize stored)
{
    return fitPhoto(stored, kThumbnailCell - QSize(6, 6));
}
inline QSize listPicture(QSize stored, QSize box)
{
    return fitPhoto(stored, box - QSize(8, 8));
}

// Pages: the last page index for n photos ((n - 1) div 9; 0 when empty) and
// how many photos page p shows.
int lastPage(int photoCount);
int photosOnPage(int page, int photoCount);

// The large view. `box` is the view box (Edit_Width_01 × Edit_Height_01);
// `area` the preview area. The photo's drawn size: landscape and square
// photos take the box width (with the "fit" display the box is first made 6
// smaller each way and the height is held to it), portrait photos the box
// height (6 smaller with the portrait "fit"), their width held to the box.
QSize largeViewSize(QSize stored, QSize box, bool landscapeFill, bool portraitFit);
// The default box: the area less 6 each way.
inline QSize defaultViewBox(QSize area)
{
    return area - QSize(6, 6);
}
// "放大" and "缩小": the width grows or shrinks by a tenth of the area width
// and the height follows the area's proportions. A shrink that would make a
// side negative returns an empty optional-like result: isValid() false.
QSize zoomInBox(QSize box, QSize area);
QSize zoomOutBox(QSize box, QSize area);

} // namespace lumora::ui
