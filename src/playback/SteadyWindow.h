#pragma once
// The part of a slot's picture that a template keeps in view the whole time
// it shows it. Templates draw a slot's picture over a frame and may zoom into
// it and pan across it; the window the renderer cuts from the picture then
// moves, and only the part common to every frame is always seen. Placing the
// faces of a photo there keeps them whole along the whole move.
#include <QRectF>
#include <QSizeF>
#include <QString>

#include "playback/MovieDocument.h"

namespace lumora {

// Relative to the picture (0..1): the intersection, over every frame a layer
// shows `pictureName` (file name without extension) unblurred, of the window
// the renderer draws from it (the layer's crop, its cover fit in its frame,
// then its zoom and pan). `picture` is the picture's size (its shape decides
// the cover fit). An empty rectangle when no layer shows the picture, or
// when the whole picture stays in view.
QRectF steadyPictureWindow(const MovieDocument &doc, const QString &pictureName, QSizeF picture);

// Makes the album's face placement use steadyPictureWindow on the templates'
// packed movies (read once per movie and kept; a movie that cannot be read
// counts as showing the whole picture). The first call installs it; later
// calls keep that one and its cache.
void installSteadyWindowSource();

} // namespace lumora
