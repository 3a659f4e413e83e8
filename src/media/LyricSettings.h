#pragma once
// Display settings of a lyric file (one row of ListView_geci_shezhi_canshu per
// lyric file) and "Apply settings": where and how a lyric line is drawn on a
// picture, scaled from the 679 × 390 reference screen of the settings editor.
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

#include "app/FlagWords.h"
#include "app/RowTable.h"

class QPaintDevice;
class QPainter;

namespace lumora {

// The reference screen the settings are edited against.
constexpr int kLyricReferenceWidth = 679;
constexpr int kLyricReferenceHeight = 390;

namespace lyrickey {
// The words of the settings cells (app/FlagWords.h), by their names here.
inline const QString kDefaultDisplay = flag::kLyricDefaultDisplay;
inline const QString kCustomDisplay = flag::kLyricCustomDisplay;
inline const QString kCentred = flag::kLyricCentred;
inline const QString kNotCentred = flag::kNone;
inline const QString kRegular = flag::kLyricRegular;
inline const QString kBold = flag::kLyricBold;
inline const QString kItalic = flag::kLyricItalic;
inline const QString kBoldItalic = flag::kLyricBoldItalic;
inline const QString kSimplified = flag::kLyricSimplified;
inline const QString kTraditional = flag::kLyricTraditional;
} // namespace lyrickey

QStringList lyricSettingsColumns();
// The settings row made when a lyric file is added (caption = its 1-based number).
Row defaultLyricSettingsRow(int number, const QString &name, const QString &extension, const QString &path);

// The line after the row's simplified/traditional choice (sub-item 14).
QString lyricTextForRow(const Row &settings, const QString &line);

// The part of a picture text is kept inside: 5 % of the width off each
// side and 5 % of the height off top and bottom (televisions crop the edge).
QRect textSafeArea(QSize picture);

// A lyric line wider than the safe width is wrapped to two lines, balanced
// at a space where the text has spaces, else between characters; when two
// lines at the set size still do not fit, the size shrinks step by step to
// this share of it (in percent) and then wraps to as many lines as needed.
constexpr int kLyricShrinkFloorPercent = 70;

// The lines `text` is drawn as within `maxWidth` pixels (see
// kLyricShrinkFloorPercent); `font` is made smaller when the text needed it,
// below the floor only when the lines would be taller than `maxHeight`.
QStringList wrapLyricLine(QFont &font, const QString &text, int maxWidth, int maxHeight, QPaintDevice *device);

// Where a line is drawn: the font (family, pixel-exact point size, bold,
// italic), the colour and the top-left corner of the line's box. A long line
// is drawn as `lines`, each at its own top-left, `lineHeight` pixels apart;
// `topLeft` is the first line's.
struct LyricPlacement {
    QFont font;
    QColor color;
    QPoint topLeft;
    QString text;
    QColor highlight; // karaoke: the colour that fills the sung words
    QStringList lines; // the text as drawn, one entry per line (empty text: none)
    std::vector<qsizetype> lineStarts; // first character of each line in `text`
    std::vector<QPoint> lineTopLefts;
    std::vector<int> lineWidths; // pixels
    int lineHeight = 0;
    // Box of every drawn line together (empty for an empty text).
    QRect box() const;
};

// Apply settings for a picture of `picture` size. `scaled` is true in the
// album preview and in production (size and positions scaled from the
// reference screen), false in the editor and the music preview. `device` is
// the picture the line will be drawn on (its resolution turns points into
// pixels); null measures for a 96 dpi picture. A line that would leave the
// picture is wrapped (see kLyricShrinkFloorPercent) and moved back inside
// the safe width, and up when its lines would pass the picture's bottom:
// never clipped.
LyricPlacement applyLyricSettings(const Row &settings, const QString &line, QSize picture, bool scaled,
                                  const QPaintDevice *device = nullptr);

// Draws a placed line (transparent background). `sungCharacters` >= 0 draws
// a karaoke line: that many characters from the left (a fraction covers that
// part of the next character's width) are drawn in the highlight colour, the
// rest in the line's colour.
void drawLyric(QPainter &painter, const LyricPlacement &placement, double sungCharacters = -1);

// The highlight colour of a row (sub-item 15, red in the low byte as sub-item
// 13); rows stored before it existed read the default.
QColor lyricHighlightColour(const Row &settings);
// Default highlight: a warm yellow that reads over the white line.
inline const QString kDefaultLyricHighlightNumber = QStringLiteral("51455"); // (255, 200, 0)
// A colour as the settings store it (red in the low byte) and back.
QString lyricColourNumber(const QColor &colour);
QColor lyricColourFromNumber(const QString &number);

// Registers "黑体" as a substitute for the installed CJK family, so the
// default font of the settings draws Chinese text. Idempotent.
void ensureLyricFonts();

} // namespace lumora
