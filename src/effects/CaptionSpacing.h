#pragma once
// Captions (text effects) on screen together: where each lies and when, and
// the two edits that keep them readable — automatic captions moved out of the
// lyric line's band and off the captions shown at the same time, and the
// removal of captions that overlap an earlier one ("删除重叠的文字特效").
//
// Rectangles are in album preview pixels (the X/Y cells of the text effect
// table; production scales them with the picture). A caption is on screen
// from the first frame of its start second for its frame count. Runs on the
// thread that owns the album.
#include <QRect>
#include <vector>

namespace lumora {

struct Album;

struct CaptionBox {
    int row = 0; // row of the text effect table
    long long firstFrame = 0; // album frames, end exclusive
    long long endFrame = 0;
    QRect rect; // preview pixels
    bool automatic = false;
    bool together(const CaptionBox &other) const { return firstFrame < other.endFrame && other.firstFrame < endFrame; }
};

// Every text effect row's box, in table order (the size of its still frame).
std::vector<CaptionBox> captionBoxes(const Album &album);

struct CaptionSpacingReport {
    int moved = 0;
    int removed = 0;
};

// Automatic captions, in table order, that meet the album's lyric band or a
// caption shown at the same time that keeps its place (captions placed by
// hand and earlier ones) move to the nearest free place; one that finds no
// free place is removed (with its template's mark when it was the last).
CaptionSpacingReport spaceAutomaticCaptions(Album &album);

// Removes every caption that meets an earlier caption while both are on
// screen (the earlier one stays). Returns the number removed.
int removeOverlappingTextEffects(Album &album);

} // namespace lumora
