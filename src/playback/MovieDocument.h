#pragma once
// Our movie format: a JSON document (the innermost content of a packed movie
// file) that declares the variables a movie answers, its frame count, its
// stage size in the album mode's output pixels and its layers in drawing
// order. docs/movie-format.md is the reference of every field.
//
// parseMovieDocument() validates everything the renderer relies on, so a
// document it returns can be rendered without further checks. Rendering is
// MovieRenderer's job; playing is MoviePlayer's.
#include <QByteArray>
#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <utility>
#include <vector>

namespace lumora {

// Smooth: a sine in-out, the gentlest start and stop (slow pans and zooms).
enum class Ease { Linear, In, Out, InOut, Back, Hold, Smooth };

// One animated number: keys sorted by frame; the ease of a key shapes the
// segment from that key to the next. Before the first key the first value
// holds, after the last key the last value.
struct Track {
    struct Key {
        double frame = 0;
        double value = 0;
        Ease ease = Ease::InOut;
    };
    std::vector<Key> keys;

    bool animated() const { return !keys.empty(); }
    double at(double frame, double fallback) const;
    double minValue(double fallback) const;
    double maxValue(double fallback) const;
};

// Easing curve value for t in [0, 1].
double applyEase(Ease ease, double t);

enum class LayerType { Picture, Rect, Ellipse, Text };
enum class Fit { Cover, Contain, Stretch };

// Animated clip shapes for reveals (wipes, irises, blinds...). Progress 0
// shows nothing of the layer, 1 shows all of it; `invert` swaps the two so a
// covering layer can be taken away with the same shapes.
enum class ClipShape { None, Wipe, Iris, Box, Diamond, Blinds, Split, Clock, Checker, Diagonal, Stripes };

struct ClipSpec {
    ClipShape shape = ClipShape::None;
    QString direction; // wipe: left|right|up|down; blinds/split/stripes: horizontal|vertical
    int count = 8; // blinds, checker columns, stripes
    bool invert = false;
    QPointF centre{0.5, 0.5}; // iris, box, diamond, clock: relative to the stage
    Track progress; // 0..1
};

struct GradientSpec {
    bool present = false;
    bool radial = false;
    QPointF from{0, 0}, to{0, 1}; // relative to the layer rect (radial: centre and a point on the radius)
    std::vector<std::pair<double, QColor>> stops;
};

struct Layer {
    LayerType type = LayerType::Rect;
    int from = 0; // first frame shown
    int to = -1; // last frame shown; -1: to the end
    QRectF rect; // stage pixels
    QPointF anchor{0.5, 0.5}; // scale and rotation centre, relative to rect
    // Picture
    QString picture; // file name relative to the movie's folder
    Fit fit = Fit::Cover;
    QRectF crop{0, 0, 1, 1}; // part of the picture used, relative (0..1) to its size
    double blur = 0; // stage pixels, applied once when prepared
    // Rect, ellipse
    QColor fill;
    GradientSpec gradient;
    double radius = 0; // corner radius (rect, picture frame)
    // Text
    QString text;
    QString fontFamily;
    double fontSize = 48; // stage pixels
    bool bold = false;
    bool italic = false;
    QColor color{Qt::white};
    int align = 0x84; // Qt::AlignCenter
    double letterSpacing = 0; // percent of the normal spacing added (0: none)
    // Frame around any layer
    double borderWidth = 0;
    QColor borderColor{Qt::white};
    double shadowDx = 0, shadowDy = 0, shadowBlur = 0;
    QColor shadowColor; // invalid: no shadow
    // Name of a variable (0..100) that makes the layer transparent: opacity
    // is multiplied by (100 - value) / 100. Used for num_stop.
    QString transparencyVariable;
    // Animation
    Track x, y, scale, scaleX, scaleY, rotation, opacity, zoom, panX, panY;
    ClipSpec clip;

    bool hasShadow() const { return shadowColor.isValid() && shadowColor.alpha() > 0; }
};

struct MovieDocument {
    int version = 1;
    QSize stage;
    int frames = 0;
    bool loop = false; // Play wraps around instead of halting on the last frame
    // false: the stage is stretched to the render size; true: it keeps its
    // aspect, centred, with the backdrop around it (a movie shown in panels
    // of other shapes, such as the start-up movie).
    bool keepAspect = false;
    QColor backdrop{Qt::black};
    std::vector<std::pair<QString, QString>> variables; // initial values, in document order
    std::vector<Layer> layers;

    // Every picture file name the layers use, once each.
    std::vector<QString> pictureNames() const;
};

// Parses and validates a movie document. `what` names the file in messages.
// Throws lumora::Error with a Chinese message naming the line (syntax) or the
// field path (layers[3].rect) and what is wrong.
MovieDocument parseMovieDocument(const QByteArray &bytes, const QString &what);

// Upper bounds a document may declare; beyond them a file is damage, not a movie.
constexpr int kMaxMovieFrames = 100000;
constexpr int kMaxStageSide = 8192;
constexpr int kMaxMovieLayers = 1000;

} // namespace lumora
