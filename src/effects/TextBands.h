#pragma once
// Where text may lie on an album picture: the safe area, the band the lyric
// line takes (with room for the second line a long line wraps to), and free
// places for captions, so that captions keep out of the lyric line and out of
// each other.
//
// Coordinates are pixels of the picture asked for: the album preview size for
// the caption positions stored in the text effect table, the render size in
// production. Pure functions of their arguments; any thread.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>
#include <vector>

#include "app/RowTable.h"
#include "media/LyricSettings.h" // textSafeArea

namespace lumora {

struct Album;

// The band of the lyric line of one lyric settings row on a picture: the
// whole picture width, from the line's top down two line heights, moved up
// to stay inside the picture as the drawn line is.
QRect lyricBand(const Row &lyricSettings, QSize picture);

// The band of an album's lyric lines: the bands of all its lyric settings
// rows joined (which lyric file plays at a moment depends on the sync mode
// and the song lengths, so a caption keeps out of every one); an album
// without lyric files gets the band of the default settings, so captions
// placed before the songs are added keep that place free.
QRect albumLyricBand(const Album &album, QSize picture);

// The top-left for a caption of `size` that wants to be at `wanted` and must
// meet neither `band` (may be empty) nor any rectangle of `taken` (captions
// shown at the same time): `wanted` itself when free, else the free place
// nearest to it among places just above or below the band and the taken
// captions, at the wanted left or at the safe area's left, centre or right,
// with the caption wholly inside the picture. nullopt when none is free.
std::optional<QPoint> freeCaptionPlace(QPoint wanted, QSize size, QSize picture, const QRect &band,
                                       const std::vector<QRect> &taken);

} // namespace lumora
