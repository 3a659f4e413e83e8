#pragma once
// Draws frame n of a movie document at any size, from the pictures staged in
// the movie's folder. Rendering is a pure function of the document, the
// pictures, the variables, n and the size, so equal inputs give equal pixels.
//
// Pictures are decoded once, when the renderer is made. For every render size
// each layer is prepared once (pictures pre-scaled to the size they are shown
// at, blurs and shadows computed, text and gradients rasterised), so a frame
// is mostly integer blits plus at most a few smooth scaled draws. The
// backdrop and the bottom layers that have stopped changing are kept as one
// base picture, so a frame starts from a copy of it.
//
// A missing or unreadable picture draws as nothing and is listed in
// missingPictures(); it never stops rendering.
//
// Not thread-safe: one renderer is used by one thread at a time.
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

#include "playback/MovieDocument.h"

namespace lumora {

class MovieRenderer {
public:
    // folder: the folder the movie lies in (picture names are relative to it).
    MovieRenderer(MovieDocument document, const QString &folder);

    const MovieDocument &document() const { return m_doc; }
    // True (the default): the decoded pictures stay for the renderer's life.
    // False: they are dropped once the layers are prepared for a size (the
    // prepared layers hold what a frame needs) and decoded again from the
    // folder if another size is asked for. Production renders one size and
    // so keeps only the prepared layers.
    void setKeepPictures(bool keep) { m_keepPictures = keep; }
    // Picture names (as written in the document) that could not be read.
    const QStringList &missingPictures() const { return m_missing; }

    // Renders frame `frame` (clamped to 0..frames-1) into `target`, which
    // gives the render size; the stage is stretched to fill it. `target`
    // must be Format_RGB32 or Format_ARGB32_Premultiplied and not null.
    void render(int frame, const QHash<QString, QString> &variables, QImage &target);
    // Any time between frames (a movie played at a fitted rate): every track
    // is drawn at that time, so motion stays smooth at any rate.
    void render(double frame, const QHash<QString, QString> &variables, QImage &target);
    QImage render(int frame, const QHash<QString, QString> &variables, QSize size);

private:
    struct Prepared {
        QImage sprite; // content at render scale (pictures: covered area at the largest zoom)
        QImage frame; // border and shadow drawn behind the content, or null
        QPointF frameOffset; // frame image position relative to the layer's rect, render pixels
        QImage framed; // unzoomed pictures with a frame: the sprite laid on `frame`, or null
        QRectF rect; // the layer's rect in render pixels (after a contain fit)
        double maxZoom = 1;
        bool hasPicture = false;
        // The layer drawn once in its final pose, for the frames after its motion.
        mutable QImage settled;
        mutable QPoint settledPos;
    };
    using PreparedSet = std::vector<Prepared>;

    PreparedSet &prepared(QSize size);
    void loadPictures();
    Prepared prepareLayer(const Layer &layer, double kx, double ky) const;
    void drawContent(QPainter &p, const Layer &layer, const Prepared &prep, double f, QPointF anchor,
                     QPointF anchorLocal, double sx, double sy, double rot) const;
    static double settledFrame(const Layer &layer);
    void drawLayer(QPainter &p, const Layer &layer, const Prepared &prep, double f, double kx, double ky,
                   const QHash<QString, QString> &variables, QSize size) const;

    // What the base picture holds: the target's size and format, the resting
    // layers drawn into it and the values of their transparency variables.
    struct BaseKey {
        QSize size;
        QImage::Format format = QImage::Format_Invalid;
        std::vector<int> layers;
        QStringList variables;
        bool operator==(const BaseKey &) const = default;
    };

    MovieDocument m_doc;
    QString m_folder; // ends with '/'
    QHash<QString, QImage> m_pictures; // decoded once, by name
    bool m_picturesLoaded = false;
    bool m_keepPictures = true;
    QStringList m_missing;
    std::map<std::pair<int, int>, PreparedSet> m_cache; // by render size, at most two sizes kept
    QImage m_base; // backdrop and resting bottom layers, see render()
    BaseKey m_baseKey;
};

// Blurs an image in place (three box passes approximate a Gaussian of about
// `radius` pixels). Works on RGB32 and premultiplied ARGB32.
void blurImage(QImage &image, int radius);

} // namespace lumora
