#pragma once
// The authored effect packages: eight full-frame picture effects and three text
// effects in each of the 20 text categories, for every album mode. Each is a
// pure drawing function of (frame, size), so the preview frames ({k}.png, at
// the mode's preview size) and the production frames (2_{k}.png, at the
// mode's output size) show the same animation.
#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

namespace lumora::studio {

struct PictureEffectDesign {
    int number; // package number
    QString name; // display name
    int frames; // frame count F
    int style; // which drawing
    quint32 seed; // particle layout
    bool smooth; // large soft gradients (PNG row filters pay off)
};

struct TextEffectDesign {
    int category; // 1 … 20
    int number; // 1 …
    QString name; // display name
    QString words; // the text drawn
    int frames;
    int style; // animation: fade, pop, glow, sparkle, typewriter, slide, unfold
    int palette; // colour scheme
    bool centred; // position "z", else "n" at a fixed place
    bool low = false; // the fixed place is low in the picture (banners), else near the top
    QString marks; // wxcs03
};

inline constexpr int kStyleUnfold = 6;

const std::vector<PictureEffectDesign> &pictureEffectDesigns();
const std::vector<TextEffectDesign> &textEffectDesigns();

// Frame k (1 … F) of a picture effect at `size` (the full picture).
QImage renderPictureEffect(const PictureEffectDesign &d, int k, QSize size);

// The text effect's box in preview pixels for a mode's preview size.
QSize textEffectBox(const TextEffectDesign &d, QSize preview);
// Frame k (1 … F) drawn at `scale` times the preview box.
QImage renderTextEffect(const TextEffectDesign &d, int k, QSize preview, double scale);

// Bumped whenever a drawing changes, so the studio regenerates the packages.
inline constexpr int kEffectDesignVersion = 1;

} // namespace lumora::studio
