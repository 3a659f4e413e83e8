#pragma once
// The movie player: the operations every caller of a movie relies on (the
// start-up movie, template movies, the mode movie, the background movie),
// over our own movie format and renderer.
//
//   load(path)          loads the movie document at `path` (the staged movie
//                       file: its content is the document itself) and decodes
//                       the pictures staged beside it; variables are readable
//                       as soon as it returns. Throws lumora::Error for a
//                       missing or malformed file; the player then holds no
//                       movie.
//   totalFrames()       frame count of the loaded movie (0 when none).
//   frameNum()          the frame now shown; advances on its own at 25 frames
//                       per second while playing (looping movies wrap, the
//                       others halt on their last frame).
//   setFrameNum(n)      shows frame n at once (clamped to 0..totalFrames-1).
//   play(), stop()      start and halt the player's own clock.
//   setVariable, getVariable   movie variables as text; getVariable of a
//                       variable the movie does not have is empty text.
//   paint(size), renderInto(image)   the frame now shown at any size: a
//                       bitmap of the panel's size.
//
// Frame numbers are 0-based; the rate is 25 frames per second. One thread at
// a time; the player never opens a window and needs no event loop (its clock
// is read, not ticked). The clock is a monotonic millisecond counter,
// replaceable (setClock) so that tests and a preview slaved to the music can
// drive it. Movies with text layers need a QGuiApplication
// (offscreen is enough) for their fonts.
#include <QElapsedTimer>
#include <QHash>
#include <QImage>
#include <QString>
#include <functional>
#include <memory>

#include "playback/MovieRenderer.h"

namespace lumora {

class MoviePlayer {
public:
    static constexpr int kFramesPerSecond = 25;

    // Monotonic time in milliseconds.
    using Clock = std::function<qint64()>;

    MoviePlayer();
    // Replaces the clock (empty: the steady system clock). A playing movie
    // keeps its frame and goes on from the new clock's present.
    void setClock(Clock clock);

    // Whether the renderer of every movie loaded from now on keeps its
    // decoded pictures after preparing them (see MovieRenderer::setKeepPictures).
    void setKeepPictures(bool keep) { m_keepPictures = keep; }
    void load(const QString &path);
    // Loads a document held in memory; pictures are taken from `folder`.
    void loadDocument(const QByteArray &document, const QString &folder, const QString &what);
    void unload();
    bool isLoaded() const { return m_renderer != nullptr; }
    const QString &moviePath() const { return m_path; }

    // Frames the movie plays over: its own count, or the count set by
    // setPlayedFrames.
    int totalFrames() const;
    // The movie's own frame count.
    int movieFrames() const;
    // Plays the movie over `frames` frames instead of its own count (0: its
    // own count): frame n then shows the movie at time n × (own − 1) /
    // (frames − 1), drawn at that time, so the first and last frames are the
    // movie's own and the motion in between is neither repeated nor skipped.
    // A load clears it.
    void setPlayedFrames(int frames);
    // The movie time frame n shows.
    double movieTime(int n) const;
    int frameNum() const;
    void setFrameNum(int n);
    void play();
    void stop();
    bool isPlaying() const { return m_playing; }

    void setVariable(const QString &name, const QString &value);
    QString getVariable(const QString &name) const;

    QImage paint(QSize size);
    // Renders the frame now shown into `target` (RGB32 or premultiplied ARGB32), at its size.
    void renderInto(QImage &target);
    // Renders any frame without changing the frame shown.
    void renderFrame(int n, QImage &target);

    // Pictures the movie names that could not be read (drawn as nothing).
    QStringList missingPictures() const;
    const MovieRenderer *renderer() const { return m_renderer.get(); }

private:
    int clampFrame(int n) const;

    std::unique_ptr<MovieRenderer> m_renderer;
    QHash<QString, QString> m_variables;
    QString m_path;
    qint64 now() const;

    int m_frame = 0; // frame shown when the clock started or stopped
    int m_played = 0; // frames the movie is played over; 0: its own count
    bool m_playing = false;
    bool m_keepPictures = true;
    Clock m_clock; // empty: m_steady
    QElapsedTimer m_steady;
    qint64 m_startMs = 0; // clock reading when play() or setFrameNum() last started counting
};

} // namespace lumora
