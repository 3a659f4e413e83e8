#pragma once
// The production run: plans the album's frames and songs, stages the album at
// the render size, composes every frame and encodes the video.
//
//   planProduction()  the production template list (complete used templates,
//                     in order; in music sync repeated until the music is
//                     covered), the total (template sync: their frames + 150
//                     for the mode movie; music sync: the songs' frames), the
//                     production music list (template sync: the songs in
//                     order, repeated until they cover the total) and the frame
//                     geometry. Songs are measured here; one shorter than a
//                     second is refused, so the covering loop always ends.
//                     Beat sync: as music sync, each template's length fitted
//                     to change on a beat (playback/BeatFit.h); songs without a
//                     clear beat fall back to music sync with a notice.
//   runProduction()   stages, writes the black first frame, loads the first
//                     template and runs the encoder, which asks for every
//                     frame in turn.
//
// Stop: the flag is watched between songs while planning, between templates
// while staging (a stop then starts no encoder) and on every frame while
// encoding. A stop while encoding finishes the file up to the frame reached:
// it plays, and is shorter than the album. Failures are lumora::Error (before
// encoding) or a Failed result with the encoder's message; a failed encode
// leaves no file.
//
// Call from the thread that owns the Album.
#include <QImage>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <vector>

#include "app/Album.h"
#include "playback/BeatFit.h"
#include "production/Encoder.h"
#include "production/FrameComposer.h"
#include "production/OutputOptions.h"
#include "templates/Catalogue.h"

namespace lumora {

struct ProductionPlan {
    OutputChoice choice;
    FrameGeometry geometry;
    long long totalFrames = 0;
    // ListView_xuyao_shiyongmoban_shuliang: one row per template played, in
    // order; columns 序号 (catalogue index), 模板名称 … 模板分类, 照片匹配, 编号, 行号.
    RowTable templateList;
    // ListView_xuyao_yinyue_shuliang: 序号, 音乐名称, 格式, 音乐时长, 位置, 行号, 需要帧数.
    RowTable musicList;
    std::vector<int> templateRows() const; // the 行号 column
    std::vector<ProductionSong> songs() const; // 行号 and 需要帧数
    long long templateFrames = 0; // frames of the templates listed (once each)
    // Beat sync: the album's beats, and per template list row how it plays
    // (its start frame, frames shown and fitted rate). Empty otherwise.
    AlbumBeats beats;
    std::vector<FittedTemplate> fits;
    // Per template list row: the frames a fitted template is played over
    // (0: its own speed).
    std::vector<long long> playedFrames() const;
    // What the user is told about the plan (a song without a clear beat).
    QStringList notices;
};

QStringList productionTemplateColumns();
QStringList productionMusicColumns();

// Throws lumora::Error with the refusal of a production start (no photos, no
// music in music sync, no used template, no complete used template, a song
// that cannot be measured). Returns an empty plan with totalFrames 0 when
// stopped.
ProductionPlan planProduction(Album &album, const OutputChoice &choice, const std::atomic<bool> *stop = nullptr);

enum class ProductionOutcome {
    Completed, // the whole album is in the file
    Stopped, // stopped while encoding: the file holds the frames made so far and plays
    StoppedEarly, // stopped before encoding started: no file
    Failed, // the encoder failed: no file
};

struct ProductionResult {
    ProductionOutcome outcome = ProductionOutcome::Failed;
    QString outputPath;
    long long framesComposed = 0;
    QString error; // the encoder's message when Failed
    QStringList log; // the production log (capped at 32000 lines)
    QStringList stagingFailures; // photos drawn as placeholders, one line each
    // Wall seconds of staging and encoding; CPU seconds of composing (all of
    // it, and the movie alone) and of the RGB to YUV conversion.
    double stagingSeconds = 0, encodingSeconds = 0, renderSeconds = 0, movieSeconds = 0, colourSeconds = 0;
    long long unchangedFrames = 0; // frames encoded again from the previous conversion
    long long effectFramesDecoded = 0, effectCacheHits = 0; // effect frames decoded, and taken from the cache
    double effectWaitSeconds = 0; // wall time composing waited for effect frames still being decoded
};

struct ProductionCallbacks {
    // Staging: done / maximum templates. Encoding: frames composed / total.
    std::function<void(int done, int maximum)> staging;
    std::function<void(long long done, long long total)> frames;
    std::function<void(const QString &line)> log;
    // Every video frame as the encoder receives it (benchmarks).
    Encoder::YuvFunc encodedFrame;
    // A small copy of the frame just composed, for a live view: the whole
    // encoded picture scaled to fit kProductionPictureSide × kProductionPictureSide
    // (never enlarged), at most once per kProductionPicturePeriodMs of wall
    // time, the first with the first frame. Called on the production thread;
    // the picture is the receiver's own. Unset: no copy is made.
    std::function<void(const QImage &picture)> picture;
    // Device pixels per pixel of the live view (a high-density screen shows
    // the box at kProductionPictureSide × this device pixels, sharp).
    double pictureScale = 1.0;
};

constexpr int kProductionPictureSide = 320; // pixels
constexpr int kProductionPicturePeriodMs = 250;

// The production log keeps at most this many lines (the oldest go first).
constexpr int kProductionLogLines = 32000;

// Where the playable part of a stopped production is kept: the output's
// name with "（未完成）" before its extension ("相册.wmv" → "相册（未完成）.wmv").
QString unfinishedOutputPath(const QString &outputPath);
// Keeps the partial file of a stopped production under unfinishedOutputPath
// (replacing an earlier partial file of that name). Returns the new path, ""
// when the file could not be renamed.
QString keepUnfinishedOutput(const QString &outputPath);

ProductionResult runProduction(Album &album, const ProductionPlan &plan, const ProductionCallbacks &callbacks = {},
                               std::atomic<bool> *stop = nullptr);

} // namespace lumora
