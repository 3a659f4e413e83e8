// Production benchmark: produces a real-looking album (20 photos of 24
// megapixels, automatic text and picture effects, one song with a lyric line
// every few seconds, music sync) through the same path as lumora-make, and in
// the same run encodes exactly the frames the encoder received (recorded as
// YUV in a file that stays in the page cache) with the same settings and the
// same song. The ratio of the two is what composing costs on top of encoding.
//
// The same recorded frames are then encoded by the ffmpeg tool as a user
// would run it (raw YUV through a pipe, the same codec, quality, GOP and
// audio settings, the tool's default threading). The limit production is
// measured against is the faster of the two encodes of the same frames.
//
// For every case it prints wall and CPU time of production (without staging,
// and with it), of encoding alone and of the tool, the ratios production /
// encoder and production / tool, frames per second, the CPU cost per frame of
// composing and of the RGB to YUV conversion, the frames encoded again from
// the previous conversion, peak memory, and a hash of the frames encoded
// (the same seed gives the same album, so the same hash unless a picture
// path changed). With --checkpoints it also prints peak memory and the cost
// per frame after 2, 8 and 15 minutes of album (long albums).
//
//   bench_production [--seconds N] [--photos N] [--songs N] [--seed N]
//                    [--program-folder DIR] [--no-tool] [--production-only]
//                    [--checkpoints]
//                    [--all-types] [--case TYPE:QUALITY[:WxH]] ...
//
// --production-only skips the recording and both references (long albums).
// A 15-minute album: --seconds 900 --photos 300 --songs 4 --checkpoints
//                    --production-only --case MP4:biaoqing
//
// Default cases: MP4 1920 × 1080 at biaoqing and at chaoqing, and DVD at its
// default size. --all-types adds every type at its default size (biaoqing).
// Needs the authored resource tree (the build's bin folder) and the ffmpeg
// tool (for the song).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <malloc.h>
#include <string_view>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "album/AddStep.h"
#include "app/Album.h"
#include "app/ClockText.h"
#include "app/Heap.h"
#include "bench_album.h"
#include "effects/EffectPlacement.h"
#include "effects/EffectTables.h"
#include "image/ImageIO.h"
#include "media/MusicList.h"
#include "production/CpuClock.h"
#include "production/Encoder.h"
#include "production/ProductionRun.h"
#include "resources/PackedFile.h"
#include "resources/Workspace.h"
#include "session/AlbumSession.h"
#include "templates/Catalogue.h"
#include "templates/TextCodec.h"

using namespace lumora;

namespace {

// A memory figure of /proc/self/status ("VmHWM:" peak since the last reset,
// "VmRSS:" now), in MB.
long statusMemoryMb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (f.open(QIODevice::ReadOnly))
        for (const QByteArray &line : f.readAll().split('\n'))
            if (line.startsWith(key))
                return line.mid(int(std::strlen(key))).trimmed().split(' ').front().toLong() / 1024;
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}
long peakMemoryMb()
{
    return statusMemoryMb("VmHWM:");
}
void resetPeakMemory()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

// CPU seconds of the whole process (every thread: composing, effect
// decoding, conversion, the encoder's threads, audio).
double processCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The frames an encoder received, kept in a file as packed YUV 4:2:0
// planes. A frame equal to the one before is stored once.
class FrameRecording {
public:
    explicit FrameRecording(const QString &path) : m_path(path)
    {
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_TRUNC, 0600);
    }
    ~FrameRecording()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        QFile::remove(m_path);
    }

    void record(long long j, const YuvPicture &p)
    {
        QElapsedTimer t;
        t.start();
        const long long cpu0 = threadCpuNs();
        if (m_frame.empty()) {
            m_width = p.width;
            m_height = p.height;
            m_frame.resize(static_cast<size_t>(frameBytes()));
            m_packed.resize(m_frame.size());
        }
        std::vector<uint8_t> &packed = m_packed;
        uint8_t *out = packed.data();
        for (int plane = 0; plane < 3; ++plane) {
            const int w = plane ? m_width / 2 : m_width, h = plane ? m_height / 2 : m_height;
            for (int y = 0; y < h; ++y, out += w)
                std::memcpy(out, p.data[plane] + qsizetype(y) * p.stride[plane], size_t(w));
        }
        if (m_offsets.empty() || packed != m_frame) {
            const off_t at = off_t(m_stored) * frameBytes();
            if (::pwrite(m_fd, packed.data(), packed.size(), at) != ssize_t(packed.size()))
                m_failed = true;
            m_hash = combine(m_hash,
                             std::hash<std::string_view>{}(
                                 std::string_view(reinterpret_cast<const char *>(packed.data()), packed.size())));
            ++m_stored;
            m_frame.swap(packed);
        }
        if (j != (long long)m_offsets.size())
            m_failed = true;
        m_offsets.push_back(m_stored - 1);
        m_hash = combine(m_hash, size_t(m_stored));
        m_ns += t.nsecsElapsed();
        m_cpuNs += threadCpuNs() - cpu0;
    }

    // Fills output frame j from the recording.
    void play(long long j, YuvPicture &p)
    {
        const off_t at = off_t(m_offsets.at(size_t(j))) * frameBytes();
        if (::pread(m_fd, m_frame.data(), m_frame.size(), at) != ssize_t(m_frame.size()))
            m_failed = true;
        const uint8_t *in = m_frame.data();
        for (int plane = 0; plane < 3; ++plane) {
            const int w = plane ? m_width / 2 : m_width, h = plane ? m_height / 2 : m_height;
            for (int y = 0; y < h; ++y, in += w)
                std::memcpy(p.data[plane] + qsizetype(y) * p.stride[plane], in, size_t(w));
        }
    }

    // Writes frames [0, frames()) as packed YUV 4:2:0 to a stream (the tool's
    // pipe); false when the stream refused them.
    bool playTo(FILE *out)
    {
        for (size_t j = 0; j < m_offsets.size(); ++j) {
            const off_t at = off_t(m_offsets[j]) * frameBytes();
            if (::pread(m_fd, m_frame.data(), m_frame.size(), at) != ssize_t(m_frame.size()))
                return false;
            if (std::fwrite(m_frame.data(), 1, m_frame.size(), out) != m_frame.size())
                return false;
        }
        return true;
    }

    long long frames() const { return (long long)m_offsets.size(); }
    // A hash of every frame in order (the same frames give the same hash).
    size_t hash() const { return m_hash; }
    long long stored() const { return m_stored; }
    bool failed() const { return m_failed || m_fd < 0; }
    // Wall and CPU seconds spent recording, taken off the production's figures.
    double recordSeconds() const { return double(m_ns) / 1e9; }
    double recordCpuSeconds() const { return double(m_cpuNs) / 1e9; }

private:
    // Order-dependent and the same in every process (Qt's own hashes are
    // seeded per process).
    static size_t combine(size_t h, size_t v) { return h ^ (v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2)); }
    qint64 frameBytes() const { return qint64(m_width) * m_height * 3 / 2; }

    QString m_path;
    int m_fd = -1;
    int m_width = 0, m_height = 0;
    std::vector<uint8_t> m_frame; // the last frame stored (recording) or read (playing)
    std::vector<uint8_t> m_packed;
    std::vector<long long> m_offsets;
    long long m_stored = 0;
    size_t m_hash = 0;
    long long m_ns = 0;
    long long m_cpuNs = 0;
    bool m_failed = false;
};

struct Case {
    OutputType type = OutputType::MP4;
    QualityLevel quality = QualityLevel::Biaoqing;
    QSize size; // empty: the type's default size
};

double perFrameMs(double seconds, long long frames)
{
    return frames > 0 ? seconds * 1000.0 / double(frames) : 0;
}

QString shellQuoted(const QString &s)
{
    QString q = s;
    q.replace(QLatin1String("'"), QLatin1String("'\\''"));
    return QLatin1Char('\'') + q + QLatin1Char('\'');
}

struct ToolResult {
    bool ok = false;
    double wall = 0, cpu = 0;
};

// CPU seconds of the children waited for so far.
double childrenCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The recorded frames encoded by the ffmpeg tool with the encoder's settings
// for the job: codec, quality, GOP, B-frames, muxer, the songs cut to their
// playing times and joined, the audio codec, rate and bit rate. Threading is
// the tool's own default.
ToolResult toolEncode(FrameRecording &recording, const EncoderJob &job, const QSize &size, const QString &out)
{
    const EncoderSettings es = encoderSettings(job.type, job.quality);
    const QualitySettings &q = qualitySettings(job.quality);
    const bool ntsc = job.tv == TvSystem::NTSC;
    QStringList a{QStringLiteral("ffmpeg"), QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-y")};
    a << QStringLiteral("-f rawvideo -pix_fmt yuv420p")
      << QStringLiteral("-s %1x%2").arg(size.width()).arg(size.height())
      << (ntsc ? QStringLiteral("-r 30000/1001") : QStringLiteral("-r 25")) << QStringLiteral("-i -");
    QString filter;
    for (size_t k = 0; k < job.audio.size(); ++k) {
        a << QStringLiteral("-i") << shellQuoted(job.audio[k].path);
        filter += QStringLiteral("[%1:a]atrim=0:%2[a%1];").arg(k + 1).arg(double(job.audio[k].playMs) / 1000.0);
    }
    if (!job.audio.empty()) {
        for (size_t k = 0; k < job.audio.size(); ++k)
            filter += QStringLiteral("[a%1]").arg(k + 1);
        filter += QStringLiteral("concat=n=%1:v=0:a=1[a]").arg(job.audio.size());
        a << QStringLiteral("-filter_complex") << shellQuoted(filter) << QStringLiteral("-map 0:v -map '[a]'");
    }
    a << QStringLiteral("-c:v") << es.videoCodec;
    switch (job.type) {
    case OutputType::VCD:
    case OutputType::SVCD:
    case OutputType::DVD: a << QStringLiteral("-g %1 -bf 2").arg(ntsc ? 15 : 12); break;
    case OutputType::AVI: a << QStringLiteral("-g 250 -bf 0"); break;
    case OutputType::WMV:
    case OutputType::MP4:
    case OutputType::MOV: a << QStringLiteral("-g 250"); break;
    }
    if (es.videoCodec == QLatin1String("libx264")) {
        a << QStringLiteral("-preset %1 -crf %2").arg(QLatin1String(q.x264Preset)).arg(q.crf);
        if (q.x264MaxRate > 0)
            a << QStringLiteral("-maxrate %1 -bufsize %2").arg(q.x264MaxRate).arg(2 * q.x264MaxRate);
    } else {
        a << QStringLiteral("-q:v %1").arg(q.qscale);
    }
    if (!job.audio.empty())
        a << QStringLiteral("-c:a") << es.audioCodec << QStringLiteral("-b:a %1").arg(es.audioBitRate)
          << QStringLiteral("-ar %1 -ac 2").arg(es.audioRate);
    if (job.type == OutputType::MP4)
        a << QStringLiteral("-movflags +faststart");
    a << QStringLiteral("-f") << es.muxer << shellQuoted(out);
    const QByteArray command = a.join(u' ').toLocal8Bit();

    ToolResult r;
    const double cpu0 = childrenCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    FILE *pipe = ::popen(command.constData(), "w");
    if (!pipe) {
        std::printf("tool: cannot start ffmpeg\n");
        return r;
    }
    const bool fed = recording.playTo(pipe);
    const int status = ::pclose(pipe);
    r.wall = clock.elapsed() / 1000.0;
    r.cpu = childrenCpuSeconds() - cpu0;
    r.ok = fed && status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!r.ok)
        std::printf("tool failed: %s\n", command.constData());
    return r;
}

bool runCase(Album &album, const Case &c, const QString &folder, bool withTool, bool checkpoints, bool references)
{
    OutputChoice choice = defaultOutputChoice(album.mode, c.type);
    if (c.size.isValid())
        choice.size = c.size;
    choice.quality = c.quality;
    choice.sync = SyncMode::Music;
    choice.albumName = QStringLiteral("bench_%1_%2").arg(outputTypeName(c.type), qualityKey(c.quality));
    choice.folder = folder + QLatin1Char('/');
    const ProductionPlan plan = planProduction(album, choice);
    const long long frames = plan.totalFrames;
    std::printf("\n== %s %s %s, %lld frames ==\n", outputTypeName(c.type).toUtf8().constData(),
                qualityKey(c.quality).toUtf8().constData(), sizeText(plan.geometry.encoded).toUtf8().constData(),
                frames);
    std::fflush(stdout);

    FrameRecording recording(folder + QStringLiteral("/frames.yuv"));
    ProductionCallbacks callbacks;
    if (references)
        callbacks.encodedFrame = [&](long long j, const YuvPicture &p) { recording.record(j, p); };
    // Long albums: peak memory and the cost per frame so far after 2, 8 and
    // 15 minutes of album (memory flat in length, the same cost per frame).
    const long long marks[] = {2LL * 60 * kFramesPerSecond, 8LL * 60 * kFramesPerSecond, 15LL * 60 * kFramesPerSecond};
    size_t nextMark = 0;
    QElapsedTimer markClock;
    double markCpu0 = 0;
    long long markFrames0 = 0;
    double markWall0 = 0;
    long stagingPeak = 0; // peak memory until the first frame: staging and the encoder's start
    callbacks.frames = [&](long long done, long long) {
        if (done == 1)
            stagingPeak = peakMemoryMb();
        if (!checkpoints || nextMark >= std::size(marks) || done < marks[nextMark])
            return;
        const double cpuNow = processCpuSeconds() - recording.recordCpuSeconds();
        const double wallNow = markClock.elapsed() / 1000.0 - recording.recordSeconds();
        std::printf("after %2lld min: peak memory %ld MB (now %ld MB); since the last mark %.2f ms CPU, "
                    "%.2f ms wall per frame\n",
                    marks[nextMark] / (60 * kFramesPerSecond), peakMemoryMb(), statusMemoryMb("VmRSS:"),
                    perFrameMs(cpuNow - markCpu0, done - markFrames0),
                    perFrameMs(wallNow - markWall0, done - markFrames0));
        std::fflush(stdout);
        markCpu0 = cpuNow;
        markWall0 = wallNow;
        markFrames0 = done;
        ++nextMark;
    };
    // Each case starts as a fresh production would: what the previous case
    // and its reference encode freed goes back to the system first (the
    // production run does the same when it ends).
    malloc_trim(0);
    resetPeakMemory();
    const long startMemory = statusMemoryMb("VmRSS:");
    const double cpu0 = processCpuSeconds();
    QElapsedTimer clock;
    clock.start();
    markClock.start();
    markCpu0 = cpu0;
    const ProductionResult r = runProduction(album, plan, callbacks);
    const double wall = clock.elapsed() / 1000.0 - recording.recordSeconds();
    const double cpu = processCpuSeconds() - cpu0 - recording.recordCpuSeconds();
    const long peak = peakMemoryMb();
    if (r.outcome != ProductionOutcome::Completed || recording.failed()) {
        std::printf("production failed: %s\n", r.error.toUtf8().constData());
        return false;
    }
    QFile::remove(r.outputPath);
    if (!references) {
        // Long albums: production alone (a recording would take gigabytes).
        std::printf("production:   %6.2f s wall, %6.2f s CPU (staging %.2f s wall); %.2f ms CPU per frame\n", wall, cpu,
                    r.stagingSeconds, perFrameMs(cpu, frames));
        std::printf("peak memory:  %ld MB (%ld MB held when production started, %ld MB until the first frame)\n", peak,
                    startMemory, stagingPeak);
        std::fflush(stdout);
        return true;
    }

    // Encoding alone: the recorded frames, the same job.
    Encoder enc;
    EncoderJob job;
    job.type = c.type;
    job.tv = choice.tv;
    job.quality = c.quality;
    job.size = plan.geometry.encoded;
    job.outputPath = folder + QStringLiteral("/encode-only") + outputExtension(c.type);
    job.totalFrames = frames;
    for (const ProductionSong &s : plan.songs())
        job.audio.push_back(
            {album.ListView_daoru_yinyue.row(s.musicRow).subItem(3), s.frames * 1000 / kFramesPerSecond});
    enc.yuvSource = [&](long long j, YuvPicture &p) { recording.play(j, p); };
    enc.error = [](const QString &text) {
        std::printf("encoder: %s\n", text.toUtf8().constData());
        return 2;
    };
    resetPeakMemory();
    const long encodeStartMemory = statusMemoryMb("VmRSS:");
    const double ecpu0 = processCpuSeconds();
    clock.restart();
    const ConvertResult er = enc.convert(job, nullptr);
    const double ewall = clock.elapsed() / 1000.0;
    const double ecpu = processCpuSeconds() - ecpu0;
    const long encodePeak = peakMemoryMb();
    QFile::remove(job.outputPath);
    if (er != ConvertResult::Completed || recording.failed()) {
        std::printf("encode-only failed%s\n", recording.failed() ? " (recording unreadable)" : "");
        return false;
    }
    ToolResult tool;
    if (withTool) {
        const QString toolOut = folder + QStringLiteral("/tool") + outputExtension(c.type);
        tool = toolEncode(recording, job, plan.geometry.encoded, toolOut);
        QFile::remove(toolOut);
        if (!tool.ok)
            return false;
    }

    const double encoding = r.encodingSeconds - recording.recordSeconds();
    std::printf("production:   %6.2f s wall, %6.2f s CPU (staging %.2f s wall), %.1f frames/s while encoding\n", wall,
                cpu, r.stagingSeconds, frames / encoding);
    std::printf("encode only:  %6.2f s wall, %6.2f s CPU, %.1f frames/s (same %lld frames, %lld distinct)\n", ewall,
                ecpu, frames / ewall, recording.frames(), recording.stored());
    std::printf("ratio:        %.2f wall (encoding part), %.2f with staging; %.2f CPU\n", encoding / ewall,
                wall / ewall, cpu / ecpu);
    if (tool.ok) {
        const double limit = std::min(ewall, tool.wall);
        std::printf("ffmpeg tool:  %6.2f s wall, %6.2f s CPU, %.1f frames/s; our encoder / tool %.2f wall\n", tool.wall,
                    tool.cpu, frames / tool.wall, ewall / tool.wall);
        std::printf("vs limit:     production / tool %.2f, production / our encoder %.2f; limit (%s) -> %.2f\n",
                    encoding / tool.wall, encoding / ewall, tool.wall < ewall ? "tool" : "our encoder",
                    encoding / limit);
    }
    std::printf("per frame:    composing %.2f ms CPU (movie %.2f ms), RGB to YUV %.2f ms CPU; %lld frames reused "
                "their conversion\n",
                perFrameMs(r.renderSeconds, frames), perFrameMs(r.movieSeconds, frames),
                perFrameMs(r.colourSeconds, frames), r.unchangedFrames);
    std::printf("effects:      %lld frames decoded (%.2f per frame), %lld taken from the cache; composing waited "
                "%.2f ms per frame for frames being decoded\n",
                r.effectFramesDecoded, frames > 0 ? double(r.effectFramesDecoded) / double(frames) : 0.0,
                r.effectCacheHits, perFrameMs(r.effectWaitSeconds, frames));
    std::printf("              whole process %.2f ms CPU more than encoding alone (effects, audio, hand-over)\n",
                perFrameMs(cpu - ecpu, frames));
    std::printf("peak memory:  %ld MB (%ld MB held when production started, %ld MB until the first frame); encode "
                "only %ld MB (from %ld MB)\n",
                peak, startMemory, stagingPeak, encodePeak, encodeStartMemory);
    std::printf("frames hash:  %016llx\n", (unsigned long long)recording.hash());
    std::fflush(stdout);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    lumora::keepLargeBlocksInHeap();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int seconds = 100;
    QString programFolder = QCoreApplication::applicationDirPath() + QStringLiteral("/../bin/");
    std::vector<Case> cases;
    bool allTypes = false;
    int photoCount = 20;
    int songCount = 1;
    std::uint64_t seed = 1;
    bool withTool = true;
    bool checkpoints = false;
    bool references = true;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--seconds") && i + 1 < args.size()) {
            seconds = args[++i].toInt();
        } else if (args[i] == QLatin1String("--program-folder") && i + 1 < args.size()) {
            programFolder = args[++i];
        } else if (args[i] == QLatin1String("--photos") && i + 1 < args.size()) {
            photoCount = std::max(1, args[++i].toInt());
        } else if (args[i] == QLatin1String("--songs") && i + 1 < args.size()) {
            songCount = std::max(1, args[++i].toInt());
        } else if (args[i] == QLatin1String("--seed") && i + 1 < args.size()) {
            seed = args[++i].toULongLong();
        } else if (args[i] == QLatin1String("--no-tool")) {
            withTool = false;
        } else if (args[i] == QLatin1String("--production-only")) {
            references = false;
        } else if (args[i] == QLatin1String("--checkpoints")) {
            checkpoints = true;
        } else if (args[i] == QLatin1String("--all-types")) {
            allTypes = true;
        } else if (args[i] == QLatin1String("--case") && i + 1 < args.size()) {
            const QStringList parts = args[++i].split(u':');
            const auto type = outputTypeFromName(parts.value(0));
            const auto quality = qualityFromKey(parts.value(1, QStringLiteral("biaoqing")));
            if (!type || !quality) {
                std::fprintf(stderr, "bench_production: unknown case %s\n", args[i].toUtf8().constData());
                return 2;
            }
            Case c{*type, *quality, {}};
            if (parts.size() > 2) {
                const QStringList wh = parts[2].split(u'x');
                c.size = QSize(wh.value(0).toInt(), wh.value(1).toInt());
            }
            cases.push_back(c);
        } else {
            std::fprintf(stderr,
                         "usage: bench_production [--seconds N] [--photos N] [--songs N] [--seed N] "
                         "[--program-folder DIR] [--no-tool] [--production-only] [--checkpoints] [--all-types] "
                         "[--case TYPE:QUALITY[:WxH]] ...\n");
            return 2;
        }
    }
    if (cases.empty() && !allTypes)
        cases = {{OutputType::MP4, QualityLevel::Biaoqing, {1920, 1080}},
                 {OutputType::MP4, QualityLevel::Chaoqing, {1920, 1080}},
                 {OutputType::DVD, QualityLevel::Biaoqing, {}}};
    if (allTypes)
        for (OutputType t : {OutputType::VCD, OutputType::SVCD, OutputType::DVD, OutputType::AVI, OutputType::WMV,
                             OutputType::MP4, OutputType::MOV})
            cases.push_back({t, QualityLevel::Biaoqing, {}});

    QTemporaryDir dir;
    std::printf("Preparing %d photos of 24 megapixels and %d s of music in %d song(s) with lyrics (seed %llu)...\n",
                photoCount, seconds, songCount, (unsigned long long)seed);
    std::fflush(stdout);
    // Up to 20 distinct photos; a longer album repeats them under other
    // names (each is still read and staged as its own photo).
    QStringList photos;
    for (int i = 0; i < photoCount; ++i) {
        if (i < 20) {
            photos << bench::writePhoto(dir.path(), i, i % 4 == 3);
        } else {
            const QString copy = dir.path() + QStringLiteral("/photo_%1.jpg").arg(i, 3, 10, QLatin1Char('0'));
            QFile::copy(photos[i % 20], copy);
            photos << copy;
        }
    }
    QStringList songs, lyricFiles;
    for (int k = 0; k < songCount; ++k) {
        const int length = seconds / songCount + (k < seconds % songCount ? 1 : 0);
        songs << dir.path() + QStringLiteral("/song%1.mp3").arg(k);
        lyricFiles << dir.path() + QStringLiteral("/song%1.lrc").arg(k);
        bench::writeSong(songs.back(), length);
        bench::writeLyrics(lyricFiles.back(), length);
    }

    // The album, as lumora-make builds it: 16:9, the photos with automatic
    // text and picture effects, the songs and their lyrics, music sync so the
    // album lasts exactly the music. The seed makes the album's random
    // choices, and so its frames, the same from run to run. The resource
    // tree is only read; the work goes into the temporary folder.
    AlbumSession session(programFolder, dir.path() + QStringLiteral("/work"), seed);
    Album &album = session.album();
    session.chooseMode(ModeKind::Wide16x9);
    album.settings.wenzitexiaoTianjia = true;
    album.settings.huamiantexiaoTianjia = true;
    session.addPhotos(photos);
    session.addSongs(songs);
    session.addLyricFiles(lyricFiles);
    std::printf("Album: %d used templates, %d text effects, %d picture effects, %d s of music\n",
                album.ListView_moban_shiyong.size(), album.wenzi_ListView_Image.size(),
                album.huamian_ListView_Image.size(), seconds);

    bool ok = true;
    for (const Case &c : cases)
        ok = runCase(album, c, dir.path(), withTool, checkpoints, references) && ok;
    return ok ? 0 : 1;
}
