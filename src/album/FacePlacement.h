#pragma once
// Placing a photo's cut around the faces in it. When a photo is drawn larger
// than its slot's canvas (the slot has another shape), only a window of it
// shows; these rules move that window so that the faces stay whole, with a
// margin around each face (more above it than below, for the hair and the
// headroom a photographer leaves).
//
// Face boxes are kept in the photo table's 人脸 cell as text:
//   ""                     not searched yet
//   "none"                 searched, no face
//   "x,y,w,h;x,y,w,h;…"    searched: boxes in displayed photo pixels
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace lumora {

inline const QString kNoFaces = QStringLiteral("none");

QString facesToCell(const std::vector<QRect> &faces);
// nullopt for "" (not searched) and for text that is not a face list.
std::optional<std::vector<QRect>> facesFromCell(const QString &cell);

// Moves `placement` (the photo drawn at that rectangle, in canvas pixels,
// over a canvas of `canvas` starting at 0,0) without changing its size, so
// that the faces (in the photo's own pixels; the photo is `photo` large) lie
// inside the canvas with their margins. Only an axis along which the photo
// is larger than the canvas moves, and only as far as the photo still covers
// the canvas there; `moveX`/`moveY` false keep an axis where it is. When not
// every face fits, the window takes the largest group that fits, preferring
// larger faces; without faces, or when the photo does not overhang, the
// placement is returned as it is.
QRect placeAroundFaces(const QRect &placement, QSize canvas, QSize photo, const std::vector<QRect> &faces,
                       bool moveX = true, bool moveY = true);
// The same for a canvas of which only `steady` (canvas pixels) stays in view
// the whole time its template shows it (a slow zoom or a pan over the
// picture): the faces are placed inside that part.
QRect placeAroundFaces(const QRect &placement, QSize canvas, const QRect &steady, QSize photo,
                       const std::vector<QRect> &faces, bool moveX = true, bool moveY = true);

// Where the part of a slot's picture that stays in view comes from: the
// template's packed movie file, the slot's picture name and the picture's
// size give it, relative to the picture (0..1); an empty rectangle when all
// of it shows or it is not known. The movie renderer's layer knows how to tell (it sits above this
// layer), so the program installs it once; without it the whole picture
// counts as in view.
using SteadyWindowSource = std::function<QRectF(const QString &packedMovie, const QString &pictureName, QSize picture)>;
void setSteadyWindowSource(SteadyWindowSource source);
QRectF steadyWindowOf(const QString &packedMovie, const QString &pictureName, QSize picture);

} // namespace lumora
