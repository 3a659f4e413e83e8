#pragma once
// The animated styles of the captions a person types (and of the album's
// opening title and closing line), and their renderer.
//
// A caption is drawn by our own renderer at the size of the picture it lies
// on, never scaled from a small picture. Drawing is a pure function of the
// text, the style, the frame within the caption and the picture size:
// layoutCaption() measures the caption once (font, lines, letters, the box
// it needs), drawCaption() draws one frame of it into that box. Nothing is
// ever drawn outside the box, so placing the box places every pixel.
//
// Time is in album frames (25 per second). Every style lasts 2–4 s, eases in
// over its first frames and out over its last, and carries an outline or a
// shadow so the words read on any photo.
//
// Fonts: the program's CJK face ("黑体", WenQuanYi Micro Hei), a serif face
// (AR PL UMing for Chinese with DejaVu Serif for Latin) and a brush face
// (AR PL UKai); all free fonts Debian ships. A missing face falls back to
// the program's CJK face. Any thread that may use QFont; without a
// QGuiApplication (no fonts) every layout is empty.
#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QPainter;

namespace lumora {

enum class CaptionStyle {
    FadeRise, // 淡入上升
    Typewriter, // 打字机
    LetterDrop, // 逐字落下
    SoftGlow, // 柔光
    Ribbon, // 彩带横幅
    BrushReveal, // 笔刷显现
    VerticalScroll, // 竖排诗词
    GoldenSweep, // 金色标题
};

enum class CaptionFace { Sans, Serif, Brush };

struct CaptionStyleInfo {
    CaptionStyle style;
    QString key; // stored in the text effect table and album files
    QString name; // shown in the windows
    int frames; // length in album frames
    CaptionFace face;
};

// Every style, in the order the windows list them.
const std::vector<CaptionStyleInfo> &captionStyles();
const CaptionStyleInfo &captionStyleInfo(CaptionStyle style);
std::optional<CaptionStyle> captionStyleFromKey(const QString &key);
QStringList captionStyleKeys();

// The words of a caption: at most two lines (a third line and beyond join
// the second), each trimmed; empty lines dropped.
QStringList captionLines(const QString &text);

// One letter (grapheme cluster) of a laid-out caption, at its place inside
// the caption's box, with its baseline.
struct CaptionLetter {
    QString text;
    QPointF origin; // baseline start, box coordinates
    QRectF bounds; // advance box (line height), box coordinates
    int index = 0; // reading order over the whole caption
};

struct CaptionLayout {
    CaptionStyle style = CaptionStyle::FadeRise;
    QFont font;
    QSize box; // what the caption occupies; every pixel it draws lies inside
    QRectF textRect; // the letters' area inside the box
    std::vector<CaptionLetter> letters;
    int frames = 0;
    qreal pixelSize = 0; // font pixel size

    bool isEmpty() const { return letters.empty(); }
};

// Measures a caption for a picture of `picture` size, fitting it into `limit`
// (the part of the picture captions may use): the font shrinks until the
// box fits; a text that cannot fit at a readable size is cut with "…".
CaptionLayout layoutCaption(const QString &text, CaptionStyle style, QSize picture, QSize limit);

// Draws frame `frame` (0 … frames − 1) of a laid-out caption with its box at
// `topLeft`. Frames outside the caption draw nothing.
void drawCaption(QPainter &painter, QPoint topLeft, const CaptionLayout &layout, int frame);

// One frame as a picture of `picture` size, transparent but for the caption
// (tests and the style gallery).
QImage renderCaptionFrame(const CaptionLayout &layout, QPoint topLeft, QSize picture, int frame);

// Registers the caption faces (idempotent).
void ensureCaptionFonts();

} // namespace lumora
