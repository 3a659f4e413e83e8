#pragma once
// The program's one audio player: opens a song, plays it from a position,
// stops, and reports length and position in milliseconds and whether a
// playing song has reached its end (the "stopped" mode callers poll).
//
// Sound path: a decoding thread decodes the whole song with FFmpeg
// (AudioDecoder), resampled to the device's rate as 16-bit stereo, into an
// in-memory buffer that grows while the song plays; Qt Multimedia's QAudioSink
// pulls from that buffer. Because the whole song ends up in memory, seeking is
// exact and instant once the decoder has passed the target, and the exact
// length (decoded samples, not the container's estimate) is known as soon as
// decoding ends — a few hundred milliseconds for a four-minute song.
//
// Position comes from what the device reports as played
// (QAudioSink::processedUSecs since the last start) plus the position it
// started from, so a picture slaved to it cannot drift from the sound. The
// device's report moves in small jumps (the sound server corrects its
// estimate every few seconds); positionMs() is a steady clock that follows
// it within a quarter of a second, snaps to it when they are more than 40 ms
// apart and never goes back; devicePositionMs() gives the report itself.
//
// The device (QAudioSink) lives on an output thread of the player's own:
// play, stop and seek only post a request there and return at once, since
// starting and stopping a sink waits on the sound server. One sink stream
// serves every song, seek and stop (silence in between); until the device
// plays the sound from a new position, the position stays there. What the
// device had queued (about 120 ms) still plays after a seek or stop: Qt has
// no way to drop it.
//
// Silent sink: when there is no audio device, or the device refuses to start
// (QAudioSink fails at once without a server and its clock never moves), the
// player falls back to a clock of its own: position = start position + time
// since play, capped at the decoded length. The fallback is announced once
// through `notice()`, never as an error. Tests force the silent sink with an
// injectable clock.
//
// Threads: create and call from one thread (the user-interface thread); the
// decoding and output threads are internal.
#include <QString>
#include <functional>
#include <memory>

namespace lumora {

class AudioPlayer {
public:
    // Monotonic milliseconds, for the silent sink's clock.
    using Clock = std::function<qint64()>;

    AudioPlayer();
    ~AudioPlayer();
    AudioPlayer(const AudioPlayer &) = delete;
    AudioPlayer &operator=(const AudioPlayer &) = delete;

    // Plays through the silent sink from now on, with `clock` (empty: a steady
    // clock of the process).
    void useSilentSink(Clock clock = {});
    // True while the player runs on its own clock (no device, or forced).
    bool silent() const;
    // The one-time note about the silent sink ("" until it happens).
    QString notice() const;

    // Opens `path` (closing the file held): decoding starts at once in the
    // background, every sample scaled by `gainDb` (the song's loudness gain;
    // samples beyond full scale are clipped). Throws lumora::Error naming the
    // file when it holds no decodable sound; the player then holds no file.
    void open(const QString &path, double gainDb = 0.0);
    void close();
    bool hasFile() const;
    QString fileName() const;

    // Starts the device on silence (returns at once), for a caller that will
    // play soon: a sound server may take a second and more to play a stream
    // that has just joined an idle device. Closed again after a few seconds
    // when nothing plays.
    void prepareDevice();
    // Plays from the current position (the start after open); returns at once.
    void play();
    // Halts; the file stays open and the position is kept.
    void stop();
    // Moves to `ms` (clamped to the song); keeps playing if it was.
    void seek(qint64 ms);

    // Length in milliseconds: the container's estimate until decoding has
    // ended, then exact.
    qint64 lengthMs() const;
    bool lengthExact() const;
    // Blocks until the whole song is decoded (at most `timeoutMs`); returns
    // whether it is. For callers that need the exact length at once.
    bool waitDecoded(int timeoutMs = 10000) const;
    qint64 positionMs() const;
    // The position as the device reports it, unsmoothed (the silent sink:
    // same as positionMs()). For measuring how far the picture is from it.
    qint64 devicePositionMs() const;
    bool isPlaying() const;
    // The "stopped" mode: a song that was playing has reached its end.
    bool atEnd() const;
    // Decoding failed midway (a damaged file): the text names the file; the
    // song plays up to the damage.
    QString decodeError() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace lumora
