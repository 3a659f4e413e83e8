#pragma once
// The encoder driver: turns a stream of composed album frames and a list of
// songs into one video file through FFmpeg.
//
// Frames: the album runs at 25 frames per second. The caller owns one
// hand-over picture (QImage::Format_RGB32 of the encoded size) holding album
// frame 0 before convert() starts. For every album frame i the encoder takes
// the picture, then calls the video function with i; the caller composes
// frame i + 1 into the same picture before returning. So the video function
// runs exactly once per album frame, in frame order, and the frame composed
// in call i is the one encoded after it. NTSC output (30000/1001 per second)
// repeats album frames so that the album keeps its duration.
//
// Audio: the songs are decoded, joined in order (each for its given play
// length) and end with the video; a song cut short by the end of the album
// fades out. Without songs the file has no audio stream.
//
// Thread: convert() runs on the calling thread and calls every callback on
// it; abort() may be called from any thread (or from a callback).
#include <QImage>
#include <QSize>
#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "production/OutputOptions.h"

namespace lumora {

struct AudioEntry {
    QString path;
    long long playMs = -1; // how long the song plays in the joined track; -1: to its end
    double gain = 1.0; // linear factor applied to the song (its loudness gain)
};

struct EncoderJob {
    OutputType type = OutputType::MP4;
    TvSystem tv = TvSystem::PAL;
    QualityLevel quality = QualityLevel::Biaoqing;
    QSize size; // encoded frame size (even sides)
    QString outputPath;
    long long totalFrames = 0; // album frames at 25 per second
    std::vector<AudioEntry> audio;
};

// Every number a quality level sets, in one table: the encoder, the log and
// the README's quality table all read it.
struct QualitySettings {
    QualityLevel level;
    int crf; // x264 (MP4, MOV)
    const char *x264Preset;
    long long x264MaxRate; // bit/s; 0: no cap
    int qscale; // constant quantiser of MPEG-1/2, MPEG-4 Part 2, WMV2
    long long aacMp3Rate; // audio bit rates, bit/s
    long long wmaRate;
    long long mp2Rate;
    long long ac3Rate;
};
const QualitySettings &qualitySettings(QualityLevel level);
// The README's quality table (Markdown), made from the same table.
QString qualityTableMarkdown();

// The settings a job maps to, for the log and the documentation.
struct EncoderSettings {
    QString muxer, videoCodec, audioCodec;
    int audioRate = 0;
    long long audioBitRate = 0;
    QString videoRate; // "crf 23, preset veryfast" or "qscale 5"
};
EncoderSettings encoderSettings(OutputType type, QualityLevel quality);

enum class ConvertResult { Completed, Aborted, Failed, NothingToConvert };

// One picture as the video encoder takes it: planar YUV 4:2:0 (BT.601,
// limited range), planes Y, U, V with their line sizes in bytes.
struct YuvPicture {
    uint8_t *data[3] = {};
    int stride[3] = {};
    int width = 0, height = 0;
};

class Encoder {
public:
    // Progress statuses: 0 processing time (at the end), 1 preparing,
    // 2 reducing colours (not used by these formats), 3 frame/sample/time
    // left (about once a second of album time), 4 multiplexing done (C %).
    using ProgressFunc = std::function<void(int status, long long a, long long b, long long c)>;
    // Error text; the answer 2 stops the conversion, anything else carries on
    // where carrying on is possible (a damaged song then goes silent).
    using ErrorFunc = std::function<int(const QString &text)>;
    using VideoFunc = std::function<void(long long frameNumber)>;
    using LogFunc = std::function<void(const QString &line)>;
    // Output video frame j (0-based, output numbering) in the encoder's own
    // pixel format, just before it is encoded.
    using YuvFunc = std::function<void(long long j, const YuvPicture &picture)>;
    using YuvSourceFunc = std::function<void(long long j, YuvPicture &picture)>;

    VideoFunc videoFunc;
    ProgressFunc progress;
    ErrorFunc error;
    LogFunc log;
    // Optional: sees every video frame as it is encoded (benchmarks record
    // what the encoder received). Runs on the calling thread.
    YuvFunc yuvTap;
    // Optional: fills each output frame directly instead of converting the
    // hand-over picture (encoding frames recorded earlier); `handOver` may
    // then be null.
    YuvSourceFunc yuvSource;

    // Runs the whole conversion. `handOver` is read once per album frame (see
    // above). After Completed or Aborted the file is finished and plays
    // (Aborted: up to the frame reached); after Failed no output file is left.
    ConvertResult convert(const EncoderJob &job, const QImage *handOver);
    void abort() { m_abort = true; }
    // Called by the video function when the picture it leaves is the same as
    // the one taken before: that frame is encoded again from the previous
    // conversion instead of converting the picture anew.
    void handOverUnchanged() { m_unchanged = true; }

    double elapsedSeconds() const;
    double remainingSeconds() const;
    // "HH:MM:SS" of a time in seconds.
    static QString timeText(double seconds);
    // The line logged for a progress status.
    QString progressLine(int status, long long a, long long b, long long c) const;

    // Time spent converting hand-over pictures to the encoder's pixel format
    // (CPU time of the calling thread), and the frames taken unchanged, for
    // the benchmark.
    double colourConversionSeconds() const { return m_convertSeconds; }
    long long unchangedFrames() const { return m_unchangedFrames; }

private:
    std::atomic<bool> m_abort{false};
    long long m_startMs = 0;
    long long m_endMs = 0;
    long long m_framesDone = 0;
    long long m_framesTotal = 0;
    double m_convertSeconds = 0;
    bool m_unchanged = false;
    long long m_unchangedFrames = 0;
};

} // namespace lumora
