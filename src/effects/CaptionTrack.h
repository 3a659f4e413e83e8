#pragma once
// The captions a person typed, the album's opening title and its closing
// line, as one track of timed captions laid over the album picture: where
// each one lies at a picture size and what it shows at an album frame.
//
// Placement follows the rules of every caption: inside the safe area of the
// picture, never over the lyric band, never over another caption shown at
// the same time (typed captions, the title and the packaged text effects
// alike). Each caption wants the place stored for it (preview pixels, scaled
// to the picture); when that is not free it takes the nearest free place
// (TextBands). Captions are placed in track order, so one placed earlier
// keeps its place. The placement is computed for the picture size the track
// is made for; the album preview and production therefore agree on where a
// caption lies, each at its own size.
//
// Time: album frames at 25 per second. A caption starting at frame s with F
// frames is drawn at album frames s … s + F − 1 with its own frame n − s.
// Made and used on one thread; the album is read only when the track is made.
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

#include "CaptionStyle.h"

class QPainter;

namespace lumora {

struct Album;

enum class CaptionKind { Typed, Title, Ending };

struct CaptionCue {
    CaptionKind kind = CaptionKind::Typed;
    long long start = 0; // album frame
    QString text;
    CaptionStyle style = CaptionStyle::FadeRise;
    QPoint wanted; // top-left the caption wants, preview pixels
    int row = -1; // its text effect row; -1 for the title and the closing line
};

// Something already on the picture for a while: a packaged text effect.
struct TimedArea {
    long long start = 0, end = 0; // album frames, end excluded
    QRect rect; // preview pixels
};

class CaptionTrack {
public:
    CaptionTrack() = default;
    // `preview`: the size the wanted places and areas are stored in;
    // `picture`: the size drawn on; `lyricBand`: in picture pixels (may be empty).
    CaptionTrack(std::vector<CaptionCue> cues, std::vector<TimedArea> areas, QSize preview, QSize picture,
                 QRect lyricBand);

    bool empty() const { return m_items.empty(); }
    int size() const { return int(m_items.size()); }
    const CaptionCue &cue(int i) const { return m_items[size_t(i)].cue; }
    // Where caption i lies on the picture (empty when nothing of it fits).
    QRect box(int i) const { return m_items[size_t(i)].box; }
    long long end(int i) const;
    // Draws the captions shown at album frame `n`.
    void draw(QPainter &painter, long long n) const;
    // True when some caption is shown at album frame `n`.
    bool showsAt(long long n) const;

private:
    struct Item {
        CaptionCue cue;
        CaptionLayout layout;
        QRect box;
    };
    std::vector<Item> m_items;
};

// The part of a picture captions may use: the safe area.
QRect captionArea(QSize picture);

// ---- the album's captions ----

// The opening title and closing line of an album whose pictures end at
// `picturesEnd` (picturesEndFrame, album/SyncMode.h: the mode movie of a
// template-synced album follows, a music-synced album ends there): the title
// over the first template, the closing line ending just before that frame.
// Empty texts give none.
std::vector<CaptionCue> titleCues(const Album &album, long long picturesEnd);
// The typed captions of the text effect table, in row order.
std::vector<CaptionCue> typedCaptionCues(const Album &album);
// The packaged text effects of the table as timed areas (their still frame's
// size at their stored place).
std::vector<TimedArea> packagedTextAreas(const Album &album);
// The whole track for a picture of the album: titles first, then the typed
// captions, out of the album's lyric band.
CaptionTrack albumCaptionTrack(const Album &album, QSize picture, long long picturesEnd);

} // namespace lumora
