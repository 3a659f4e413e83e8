#include "playback/PreviewPlayback.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QPainter>
#include <QThread>
#include <QTimer>
#include <ctime>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "album/AlbumTables.h"
#include "album/BackgroundTable.h"
#include "album/Staging.h"
#include "app/ClockText.h"
#include "app/Columns.h"
#include "app/Error.h"
#include "app/FlagWords.h"
#include "image/ImageIO.h"
#include "media/AudioPlayer.h"
#include "media/Loudness.h"
#include "media/LyricSettings.h"
#include "media/MusicList.h"
#include "resources/FolderOps.h"
#include "resources/PackedFile.h"

namespace lumora {

namespace {
constexpr qint64 kLateMs = 10;
// The hand-over picture file's JPEG quality (as TemplateDriver writes it):
// pictures kept for it are kept encoded, byte for byte what the file holds,
// a few tens of kilobytes each instead of a megabyte and more.
constexpr int kHandOverQuality = 90;
const char *const kNoCompleteTemplate
    = QT_TRANSLATE_NOOP("lumora::PreviewPlayback", "没有完成照片匹配的模板,无法播放相册！");

QElapsedTimer &steadyClock()
{
    static QElapsedTimer t = [] {
        QElapsedTimer e;
        e.start();
        return e;
    }();
    return t;
}
} // namespace

// What the staging worker hands back.
struct PreviewPlayback::Staged {
    std::shared_ptr<std::atomic<bool>> stop;
    StagingReport report;
    QString error;
    std::vector<qint64> songLengths; // per music row, 0 when it cannot be played
    QStringList songProblems;
    std::vector<LyricTimeline> lyrics; // per lyric file
    QStringList lyricProblems;
    std::vector<int> rows; // completed used-template rows, in order
    PreviewTimeline timeline;
    // The first segment loaded and warmed up (null when loading it failed:
    // the user-interface thread then loads it and reports why), and its last
    // picture, the hand-over for the segment after it.
    std::unique_ptr<TemplateDriver> first;
    QByteArray firstLast; // JPEG, as the hand-over picture file holds it
};

// What a worker needs to load a segment ahead; every field is a copy, so the
// worker touches nothing the user-interface thread uses.
struct PreviewPlayback::AheadJob {
    Paths paths;
    QString extension;
    QSize size;
    PreviewSegment target;
    QString targetNumStop;
    // The hand-over picture the target starts from: the last picture of the
    // segment before when known, otherwise that segment is loaded to draw it.
    QByteArray handOver; // JPEG
    // Segment 0 starts from its own background picture instead.
    QString background;
    // A seek: the frame of the segment to draw (-1: playing from its start).
    long long seekOffset = -1;
    PreviewSegment before;
    QString beforeNumStop;
    std::shared_ptr<std::atomic<bool>> stop;
    std::shared_ptr<std::mutex> handOverLock;
};

// A segment loaded ahead: its player with frame 0 rendered, and its last
// picture (the hand-over for the segment after it). No driver when stopped or
// when loading failed (the user-interface thread then loads it itself and
// reports the failure).
struct PreviewPlayback::Ahead {
    std::unique_ptr<TemplateDriver> driver;
    QByteArray lastFrame; // JPEG, as the hand-over picture file holds it
    QByteArray beforeLastFrame; // the hand-over, when the worker drew it
    qint64 cpuMs = 0; // processor time the worker spent on it
};

namespace {

// Processor time of the calling thread, in milliseconds.
qint64 threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

void loadSegmentInto(TemplateDriver &driver, const PreviewSegment &s, const QString &numStop)
{
    if (s.ending()) {
        driver.loadModeMovie();
    } else {
        driver.loadTemplate(s.usedRow, numStop);
        if (s.fitted) // beat sync: played over its fitted frames
            driver.player()->setPlayedFrames(int(s.frames));
    }
}

// The effect clock after `count` frames: whole seconds, or in beat sync the
// seconds that begin on beats (as production counts them).
QString effectClockAt(const PreviewTimeline &t, long long count)
{
    return t.effectSecondStarts.empty() ? effectClockText(count) : clockTextHMS(t.effectSeconds(count));
}

// The background transparency a used template plays with ("0" when unset).
QString numStopOf(const Album &album, int usedRow)
{
    const RowTable &bg = album.ListView_moban_beijing;
    const QString numStop = usedRow >= 0 && bg.size() > usedRow ? bg.cell(usedRow, bgcol::kTransparency) : QString();
    return numStop.isEmpty() ? QStringLiteral("0") : numStop;
}

// Renders the segment's last frame, keeps it, then frame 0, where playing
// begins. Every layer is prepared and drawn in its final pose by then, so
// none is made for the first time while the segment plays.
QImage warmUp(TemplateDriver &driver, const PreviewSegment &s)
{
    driver.setCounter(int(s.frames - 2));
    driver.stepFrame();
    QImage last = driver.frame().copy();
    driver.setCounter(-1);
    driver.stepFrame();
    return last;
}

} // namespace

PreviewPlayback::PreviewPlayback(Album &album, AudioPlayer &audio)
    : m_album(album), m_audio(audio), m_size(album.modeInfo().preview), m_context(std::make_unique<QObject>())
{
    m_clock = [] { return steadyClock().elapsed(); };
    m_timer = new QTimer(m_context.get());
    m_timer->setSingleShot(true);
    m_timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(m_timer, &QTimer::timeout, m_context.get(), [this] { tick(); });
}

PreviewPlayback::~PreviewPlayback()
{
    if (m_stopFlag)
        *m_stopFlag = true;
    if (m_worker) {
        m_worker->wait();
        delete m_worker;
        m_worker = nullptr;
    }
    release();
    for (auto &f : m_abandoned)
        f.wait();
    if (m_audio.hasFile())
        m_audio.stop();
}

void PreviewPlayback::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

PreviewStartCheck PreviewPlayback::check(const Album &album, SyncMode sync)
{
    PreviewStartCheck c;
    if (album.ListView_daoru_zhaopian.empty())
        c.notice = QCoreApplication::translate("lumora::PreviewPlayback", "没有添加照片文件！");
    else if (sync != SyncMode::Template && album.ListView_daoru_yinyue.empty())
        c.notice = QCoreApplication::translate("lumora::PreviewPlayback",
                                               "没有找到音乐文件！使用随音乐文件同步,至少添加一个音乐文件！");
    else if (album.ListView_moban_shiyong.empty())
        c.notice = QCoreApplication::translate("lumora::PreviewPlayback", "没有添加模板文件！");
    if (!c.notice.isEmpty())
        return c;
    for (int i = 0; i < album.ListView_daoru_zhaopian.size(); ++i)
        if (album.ListView_daoru_zhaopian.cell(i, photocol::kMatched).isEmpty())
            ++c.unmatchedPhotos;
    return c;
}

bool PreviewPlayback::busy() const
{
    return m_worker != nullptr;
}

void PreviewPlayback::waitForWorker()
{
    while (m_worker) {
        m_worker->wait(20);
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

void PreviewPlayback::setState(PreviewState s)
{
    if (m_state == s)
        return;
    m_state = s;
    if (m_cb.state)
        m_cb.state(s);
}

void PreviewPlayback::setTimes(long long framesShown)
{
    m_currentText = clockTextHMS(frameSeconds(framesShown));
    m_album.cells.setInt(cell::kZongLeijiaZhen, framesShown);
    if (m_cb.times)
        m_cb.times(m_totalText, m_currentText);
}

// ---- start and staging ----

void PreviewPlayback::start(SyncMode sync)
{
    stop();
    waitForWorker(); // a stopped staging still finishing
    {
        // Workers given up by the stop check their stop flag under this lock
        // before they write the hand-over picture: once it has been taken,
        // none of them writes into the staging that starts now.
        std::lock_guard lock(*m_handOverLock);
    }
    m_sync = sync;
    m_stats = {};
    m_lastTickAt = -1;
    m_startedAt = m_clock();
    m_failedSongs.clear();
    StateCells &cells = m_album.cells;
    cells.setText(cell::kHangshu, flag::kNone);
    cells.setText(cell::kTuichu, flag::kPlaying);
    cells.setText(cell::kSuiYinyueShijian, QStringLiteral("0"));
    m_totalText = m_currentText = QStringLiteral("00:00:00");
    setTimes(0);
    setState(PreviewState::Staging);
    // The sound device starts on silence while the album stages, so the
    // music starts with the first picture.
    if (!m_album.ListView_daoru_yinyue.empty())
        m_audio.prepareDevice();

    auto staged = std::make_shared<Staged>();
    m_stopFlag = std::make_shared<std::atomic<bool>>(false);
    staged->stop = m_stopFlag;
    // The worker stages its own copy of the album: the album stays the
    // user-interface thread's while it runs.
    auto draft = std::make_shared<Album>(m_album);
    const QSize size = m_size;
    const QString extension = cells.text(cell::kKuozhanming1);
    QObject *ctx = m_context.get();
    auto progress = [this, ctx](int done, int maximum) {
        QMetaObject::invokeMethod(
            ctx,
            [this, done, maximum] {
                if (m_cb.staging)
                    m_cb.staging(done, maximum);
            },
            Qt::QueuedConnection);
    };
    m_worker = QThread::create([draft, size, sync, extension, staged, progress] {
        Album &album = *draft;
        try {
            StagingRequest request;
            request.target = size;
            staged->report = stageAlbum(album, request, progress, staged->stop.get());
        } catch (const Error &e) {
            staged->error = e.message();
            return;
        }
        // Songs are measured exactly (their boundaries in the album), lyric
        // files parsed once for the whole run.
        const RowTable &songs = album.ListView_daoru_yinyue;
        for (int k = 0; k < songs.size() && !*staged->stop; ++k) {
            try {
                staged->songLengths.push_back(
                    measureSong(songs.row(k).cell(musiccol::kPath), SongParts::LengthOnly).lengthMs);
            } catch (const Error &e) {
                staged->songLengths.push_back(0);
                staged->songProblems << e.message();
            }
        }
        const RowTable &lyrics = album.ListView_daoru_LRC;
        for (int k = 0; k < lyrics.size() && !*staged->stop; ++k) {
            try {
                staged->lyrics.push_back(readLrcFile(lyrics.row(k).cell(lyriccol::kPath), staged->stop.get()));
            } catch (const Error &e) {
                staged->lyrics.emplace_back();
                staged->lyricProblems << e.message();
            }
        }
        if (*staged->stop)
            return;
        for (const QString &r : staged->report.completedRows)
            staged->rows.push_back(r.toInt());
        staged->timeline = PreviewTimeline::build(album, sync, staged->rows, staged->songLengths);
        if (staged->timeline.segments.empty())
            return;
        // The first template starts from its own background.
        const PreviewSegment &s = staged->timeline.segments.front();
        const Paths &paths = album.paths;
        try {
            QFile::remove(paths.handOverPicture());
            QFile::copy(paths.templateStaging(s.usedRow + 1) + QStringLiteral("wj_y_l_b_j.jpg"),
                        paths.handOverPicture());
            auto driver = std::make_unique<TemplateDriver>(paths, DriverContext::Preview, size);
            driver->setStagedExtension(extension);
            loadSegmentInto(*driver, s, numStopOf(album, s.usedRow));
            staged->firstLast = encodeJpeg(warmUp(*driver, s), kHandOverQuality);
            staged->first = std::move(driver);
        } catch (...) {
            // Left to the user-interface thread, which loads it again and
            // reports what fails.
        }
    });
    QThread *worker = m_worker;
    QObject::connect(worker, &QThread::finished, ctx, [this, worker, staged] {
        worker->deleteLater();
        if (m_worker == worker)
            m_worker = nullptr;
        onStaged(staged);
    });
    worker->start();
}

void PreviewPlayback::onStaged(std::shared_ptr<Staged> staged)
{
    if (*staged->stop || m_state != PreviewState::Staging) {
        // Stopped while staging: the half-made staging folder goes now that
        // nothing writes into it any more.
        try {
            wipeFolder(m_album.paths.stagingRoot());
        } catch (const Error &) {
        }
        return;
    }
    auto tell = [this](const QString &text) {
        if (m_cb.notice && !text.isEmpty())
            m_cb.notice(text);
    };
    if (!staged->error.isEmpty()) {
        tell(staged->error);
        stop();
        return;
    }
    m_album.cells.completedRows = staged->report.completedRows;
    const std::vector<int> &rows = staged->rows;
    m_timeline = std::move(staged->timeline);
    if (rows.empty() || m_timeline.totalFrames <= 0) {
        tell(rows.empty() ? QCoreApplication::translate("lumora::PreviewPlayback", kNoCompleteTemplate)
                          : staged->songProblems.join(QLatin1Char('\n')));
        stop();
        return;
    }
    QStringList problems = staged->songProblems + staged->lyricProblems;
    for (int row : m_timeline.beats.songsWithoutBeat)
        problems << noBeatNotice(m_album, row);
    for (const StagingFailure &f : staged->report.failures)
        problems << QCoreApplication::translate("lumora::PreviewPlayback", "照片无法读取,以灰色代替：%1").arg(f.path);
    m_failedSongs = staged->songProblems;
    m_lyrics = std::move(staged->lyrics);
    beginPlaying(std::move(staged->first), staged->firstLast);
    if (!problems.isEmpty())
        tell(problems.join(QLatin1Char('\n')));
}

void PreviewPlayback::beginPlaying(std::unique_ptr<TemplateDriver> first, const QByteArray &firstLast)
{
    StateCells &cells = m_album.cells;
    m_driver = std::make_unique<TemplateDriver>(m_album.paths, DriverContext::Preview, m_size);
    m_driver->setStagedExtension(cells.text(cell::kKuozhanming1));
    cells.setText(cell::kShockwaveFlashBofang, flag::kPlayerExists);
    cells.setText(cell::kMobanHanghaoLeijia, QStringLiteral("0"));
    cells.setText(cell::kMobanZhenLeijia, QStringLiteral("-1"));
    cells.setText(cell::kYinyueLeijia, QStringLiteral("0"));
    cells.setText(cell::kGeciLeijia, QStringLiteral("0"));
    m_loaded = -1;
    m_lastFrames.clear();
    m_seekTarget = -1;
    if (first) {
        m_driver = std::move(first);
        m_loaded = 0;
        m_lastFrames[0] = firstLast;
        loadAhead(1, firstLast);
    }
    m_shown = -1;
    m_ahead = -1;
    m_lyricText.clear();
    m_lyricCache = {};
    if (m_sync == SyncMode::Template)
        m_totalText = m_timeline.templateFrames > 0 ? clockTextHMS(frameSeconds(m_timeline.totalFrames))
                                                    : QStringLiteral("00:00:00");
    else
        m_totalText = clockTextHMS(frameSeconds(m_timeline.totalFrames));
    resetEffects();
    m_captions = albumCaptionTrack(m_album, m_size, picturesEndFrame(m_timeline.sync, m_timeline.totalFrames));
    setState(PreviewState::Playing);

    m_song = -1;
    m_songPlaying = false;
    m_baseMs = 0;
    m_baseAt = m_clock();
    try {
        // The first picture is made before the music starts: its template
        // load would otherwise hold the picture back while the song runs.
        Composed picture = compose(0);
        warmLyricFonts();
        playSongAt(0);
        show(0, picture, false);
        m_stats.firstFrameMs = m_clock() - m_startedAt;
        prepareAhead();
        startHandOverChain(firstLast);
    } catch (const Error &e) {
        if (m_cb.notice)
            m_cb.notice(e.message());
        stop();
        return;
    }
    m_audioNotice.clear();
    reportAudioNotice();
    scheduleNext();
}

// ---- pacing ----

qint64 PreviewPlayback::albumMs() const
{
    if (m_paused)
        return m_pausedMs;
    if (m_songPlaying && m_song >= 0)
        return m_timeline.songs[size_t(m_song)].startMs + m_audio.positionMs();
    return m_baseMs + (m_clock() - m_baseAt);
}

void PreviewPlayback::tick()
{
    if (m_state != PreviewState::Playing && m_state != PreviewState::Ending)
        return;
    if (m_seekTarget >= 0) {
        pollSeek();
        return;
    }
    if (m_paused)
        return;
    const qint64 tickAt = m_clock();
    try {
        followMusic();
        reportAudioNotice(); // a device that refused to start shows up here
        const qint64 nowMs = albumMs();
        const long long due = nowMs / PreviewTimeline::kFrameMs;
        if (due >= m_timeline.totalFrames) {
            finish();
            return;
        }
        if (due > m_shown) {
            const bool wasComposed = m_ahead == due;
            Composed c = wasComposed ? std::move(m_aheadComposed) : compose(due);
            m_ahead = -1;
            const long long framesLateBefore = m_stats.framesLate;
            show(due, c, false);
            if (m_stats.framesLate > framesLateBefore && m_stats.lateFrames.size() < PreviewStats::kMaxLateFrames) {
                PreviewLateFrame late;
                late.frame = due;
                late.lateMs = nowMs - PreviewTimeline::frameMs(due);
                late.tickGapMs = m_lastTickAt < 0 ? 0 : tickAt - m_lastTickAt;
                late.clockStepMs = m_lastTickAt < 0 ? 0 : (nowMs - m_lastTickAlbumMs) - late.tickGapMs;
                late.workMs = wasComposed ? m_lastWorkMs : m_clock() - tickAt;
                const int seg = m_timeline.segmentAt(due);
                late.segmentChange = seg >= 0 && m_timeline.segments[size_t(seg)].start == due;
                m_stats.lateFrames.push_back(late);
            }
            const qint64 workFrom = m_clock();
            prepareAhead();
            m_lastWorkMs = m_clock() - workFrom;
        }
        m_lastTickAt = tickAt;
        m_lastTickAlbumMs = nowMs;
    } catch (const Error &e) {
        if (m_cb.notice)
            m_cb.notice(e.message());
        stop();
        return;
    }
    scheduleNext();
}

void PreviewPlayback::prepareAhead()
{
    const long long next = m_shown + 1;
    if (next < m_timeline.totalFrames) {
        m_aheadComposed = compose(next);
        m_ahead = next;
    }
}

void PreviewPlayback::scheduleNext()
{
    if (!m_automatic || m_paused || (m_state != PreviewState::Playing && m_state != PreviewState::Ending))
        return;
    const qint64 wait = PreviewTimeline::frameMs(m_shown + 1) - albumMs();
    m_timer->start(int(std::clamp<qint64>(wait, 1, PreviewTimeline::kFrameMs)));
}

void PreviewPlayback::show(long long n, const Composed &c, bool afterSeek)
{
    const qint64 now = albumMs();
    if (!afterSeek && n > 0) {
        const qint64 late = now - PreviewTimeline::frameMs(n);
        m_stats.maxLateMs = std::max(m_stats.maxLateMs, late);
        if (late > kLateMs)
            ++m_stats.framesLate;
    }
    if (m_songPlaying && m_song >= 0 && !afterSeek) {
        // Measured against the device's own report, not the smoothed clock
        // the frames follow.
        const qint64 music = m_timeline.songs[size_t(m_song)].startMs + m_audio.devicePositionMs();
        const qint64 distance = std::abs(music - PreviewTimeline::frameMs(n));
        if (distance > m_stats.maxAudioDriftMs) {
            m_stats.maxAudioDriftMs = distance;
            m_stats.maxAudioDriftFrame = n;
        }
    }
    ++m_stats.framesShown;
    m_shown = n;
    m_picture = c.picture;
    m_lyricText = c.lyric;
    if (c.pictureStates)
        m_album.huamian_ListView_Image = *c.pictureStates;
    if (c.textStates)
        m_album.wenzi_ListView_Image = *c.textStates;
    const int seg = m_timeline.segmentAt(n);
    StateCells &cells = m_album.cells;
    cells.setInt(cell::kMobanHanghaoLeijia, seg);
    cells.setInt(cell::kMobanZhenLeijia, n - m_timeline.segments[size_t(seg)].start);
    cells.setText(cell::kHuamiantexiaoShijian, effectClockAt(m_timeline, n + 1));
    cells.setText(cell::kWenzitexiaoShijian, effectClockAt(m_timeline, n + 1));
    setState(m_timeline.segments[size_t(seg)].ending() ? PreviewState::Ending : PreviewState::Playing);
    if (m_cb.frame)
        m_cb.frame(m_picture);
    setTimes(n + 1);
}

// ---- seek, stop, finish ----

void PreviewPlayback::seek(long long frame)
{
    if (m_state != PreviewState::Playing && m_state != PreviewState::Ending)
        return;
    const qint64 began = m_clock();
    m_seekBegan = began;
    frame = std::clamp<long long>(frame, 0, m_timeline.totalFrames - 1);
    const int seg = m_timeline.segmentAt(frame);
    m_ahead = -1;
    const bool loadedAhead = m_next.valid() && m_nextSegment == seg
        && m_next.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    if (m_loaded == seg || loadedAhead) {
        // The template of that moment is at hand: the frame is shown now.
        m_seekTarget = -1;
        completeSeek(frame);
        m_stats.maxSeekBlockMs = std::max(m_stats.maxSeekBlockMs, m_clock() - began);
        return;
    }
    // The template loads on a worker; the music stops meanwhile, and the
    // picture stays until the frame of the new moment is ready. One load at
    // a time: while one for another moment runs, the latest target waits for
    // it (dragging the position bar starts no pile of loads).
    const bool wasPending = m_seekTarget >= 0;
    m_seekTarget = frame;
    stopMusic();
    m_timer->stop();
    const bool inFlight = m_next.valid() && m_next.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
    if (m_nextSegment != seg && !(inFlight && wasPending))
        loadAhead(seg, handOverPictureFor(seg), frame - m_timeline.segments[size_t(seg)].start);
    m_stats.maxSeekBlockMs = std::max(m_stats.maxSeekBlockMs, m_clock() - began);
    if (!m_automatic)
        waitForSeek();
    else
        m_timer->start(kSeekPollMs);
}

void PreviewPlayback::pause()
{
    if (m_paused || (m_state != PreviewState::Playing && m_state != PreviewState::Ending))
        return;
    // The moment held is the frame on screen (or the one a seek is loading):
    // resuming plays on from the next frame, with the sound of that moment.
    const long long at = m_seekTarget >= 0 ? m_seekTarget : std::max<long long>(m_shown, 0);
    m_pausedMs = std::max(PreviewTimeline::frameMs(at), std::min(albumMs(), PreviewTimeline::frameMs(at + 1) - 1));
    m_paused = true;
    stopMusic();
    if (m_seekTarget < 0)
        m_timer->stop(); // a seek's template still loading is still polled for
}

void PreviewPlayback::resume()
{
    if (!m_paused)
        return;
    m_paused = false;
    m_lastTickAt = -1; // the pause is no late frame
    if (m_seekTarget >= 0)
        return; // the seek plays on from its frame once its template is loaded
    playSongAt(m_pausedMs);
    scheduleNext();
}

bool PreviewPlayback::seeking() const
{
    return m_seekTarget >= 0;
}

void PreviewPlayback::waitForSeek()
{
    while (m_seekTarget >= 0 && (m_state == PreviewState::Playing || m_state == PreviewState::Ending)) {
        if (m_next.valid())
            m_next.wait();
        pollSeek();
    }
}

// A seek waiting for its template: shown once the load has ended.
void PreviewPlayback::pollSeek()
{
    if (m_next.valid() && m_next.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        if (m_automatic)
            m_timer->start(kSeekPollMs);
        return;
    }
    const qint64 began = m_clock();
    const int seg = m_timeline.segmentAt(m_seekTarget);
    if (m_nextSegment != seg) {
        // The load that ran was for an earlier target.
        loadAhead(seg, handOverPictureFor(seg), m_seekTarget - m_timeline.segments[size_t(seg)].start);
        if (m_automatic)
            m_timer->start(kSeekPollMs);
        return;
    }
    const long long frame = m_seekTarget;
    m_seekTarget = -1;
    m_takenCpuMs = -1;
    completeSeek(frame);
    if (m_takenCpuMs >= 0) {
        ++m_stats.seekLoads;
        m_stats.seekLoadCpuMs += m_takenCpuMs;
        m_stats.maxSeekLoadCpuMs = std::max(m_stats.maxSeekLoadCpuMs, m_takenCpuMs);
    }
    m_stats.maxSeekBlockMs = std::max(m_stats.maxSeekBlockMs, m_clock() - began);
}

// The last picture of the segment before `seg` when known (the hand-over
// `seg` starts from); null when the worker is to draw it.
QByteArray PreviewPlayback::handOverPictureFor(int seg) const
{
    const auto it = m_lastFrames.find(seg - 1);
    if (it != m_lastFrames.end())
        return it->second;
    if (m_chain) {
        std::lock_guard lock(m_chain->mutex);
        const auto drawn = m_chain->lastFrames.find(seg - 1);
        if (drawn != m_chain->lastFrames.end())
            return drawn->second;
    }
    return QByteArray();
}

void PreviewPlayback::completeSeek(long long frame)
{
    try {
        // Picture first, then the music from that moment, so both start
        // together however long the template took to load.
        Composed c = compose(frame);
        if (m_paused)
            m_pausedMs = PreviewTimeline::frameMs(frame);
        else
            playSongAt(PreviewTimeline::frameMs(frame));
        show(frame, c, true);
        m_lastTickAt = -1;
        ++m_stats.seeks;
        m_stats.maxSeekMs = std::max(m_stats.maxSeekMs, m_clock() - m_seekBegan);
        // Loading ahead carries on from the segment on screen.
        if (m_nextSegment != m_loaded + 1)
            loadAhead(m_loaded + 1, handOverPictureFor(m_loaded + 1));
        prepareAhead();
    } catch (const Error &e) {
        if (m_cb.notice)
            m_cb.notice(e.message());
        stop();
        return;
    }
    scheduleNext();
}

void PreviewPlayback::release()
{
    m_timer->stop();
    dropAhead();
    stopHandOverChain();
    StateCells &cells = m_album.cells;
    if (m_driver) {
        m_driver->release();
        m_driver.reset();
        cells.setText(cell::kShockwaveFlashBofang, flag::kPlayerFreed);
    }
    auto freeRun = [&](std::unique_ptr<EffectRun> &run, RowTable &table, const QString &cellName) {
        if (!run)
            return;
        run->stop();
        run->writeStates(table);
        run.reset();
        if (cells.is(cellName, flag::kCreated))
            cells.setText(cellName, flag::kFreed);
    };
    freeRun(m_pictureRun, m_album.huamian_ListView_Image, cell::kHuamiantexiaoXiezai);
    freeRun(m_textRun, m_album.wenzi_ListView_Image, cell::kWenzitexiaoXiezai);
    m_effectFrame = -1;
    m_loaded = -1;
    m_ahead = -1;
    m_aheadComposed = {};
    m_seekTarget = -1;
    m_lastFrames.clear();
}

void PreviewPlayback::stop()
{
    m_paused = false;
    if (m_stopFlag)
        *m_stopFlag = true;
    stopMusic();
    m_song = -1;
    release();
    StateCells &cells = m_album.cells;
    cells.setText(cell::kTuichu, flag::kStopped);
    cells.setText(cell::kHangshu, flag::kNone);
    // The staging folder goes now, unless a stopped worker still writes into
    // it: then it goes when the worker ends.
    if (!m_worker) {
        try {
            wipeFolder(m_album.paths.stagingRoot());
        } catch (const Error &e) {
            if (m_cb.notice && m_state != PreviewState::Idle)
                m_cb.notice(e.message());
        }
    }
    m_lyricText.clear();
    m_shown = -1;
    setTimes(0);
    setState(PreviewState::Idle);
}

void PreviewPlayback::finish()
{
    m_paused = false;
    stopMusic();
    m_song = -1;
    release();
    StateCells &cells = m_album.cells;
    cells.setText(cell::kTuichu, flag::kStopped);
    cells.setText(cell::kHangshu, flag::kNone);
    m_lyricText.clear();
    m_shown = -1;
    setTimes(0);
    setState(PreviewState::Idle);
}

// ---- composing a frame ----

PreviewPlayback::Composed PreviewPlayback::compose(long long n)
{
    const int seg = m_timeline.segmentAt(n);
    if (seg < 0)
        throw Error(QCoreApplication::translate("lumora::PreviewPlayback", "预览帧超出相册：%1").arg(n));
    positionMovie(seg, n - m_timeline.segments[size_t(seg)].start);
    m_driver->stepFrame();
    Composed c;
    c.picture = m_driver->frame().convertToFormat(QImage::Format_RGB32);
    if (c.picture.constBits() == m_driver->frame().constBits())
        c.picture.detach();
    std::vector<EffectOverlay> overlays;
    stepEffects(n, overlays, c);
    const Row *settings = nullptr;
    double sung = -1;
    c.lyric = lyricAt(n, &settings, &sung);
    const bool captions = m_captions.showsAt(n);
    if (!overlays.empty() || captions || (settings && !c.lyric.isEmpty())) {
        QPainter painter(&c.picture);
        for (const EffectOverlay &o : overlays)
            painter.drawImage(o.position, o.image);
        if (captions)
            m_captions.draw(painter, n);
        if (settings && !c.lyric.isEmpty())
            drawLyric(painter, applyLyricSettings(*settings, c.lyric, m_size, true, &c.picture), sung);
    }
    return c;
}

void PreviewPlayback::positionMovie(int seg, long long offset)
{
    if (m_loaded != seg)
        loadSegment(seg);
    if (m_driver->counter() != offset - 1)
        m_driver->setCounter(int(offset - 1));
}

void PreviewPlayback::loadSegment(int seg)
{
    const qint64 began = m_clock();
    if (takeAhead(seg)) {
        ++m_stats.aheadLoads;
        m_stats.maxAheadWaitMs = std::max(m_stats.maxAheadWaitMs, m_clock() - began);
        return;
    }
    // A seek (or a failed load ahead): this segment loads here, after the
    // worker has let go of the hand-over picture.
    dropAhead();
    {
        std::lock_guard lock(*m_handOverLock);
        handOverFor(seg);
        const PreviewSegment &s = m_timeline.segments[size_t(seg)];
        loadSegmentInto(*m_driver, s, numStopFor(s.usedRow));
    }
    m_loaded = seg;
    ++m_stats.templateLoads;
    m_stats.maxLoadMs = std::max(m_stats.maxLoadMs, m_clock() - began);
    loadAhead(seg + 1, QByteArray());
}

QString PreviewPlayback::numStopFor(int usedRow) const
{
    return numStopOf(m_album, usedRow);
}

// A font is loaded and its glyphs made the first time text is drawn with it
// (tens of milliseconds for a CJK font). Every character of each lyric file
// is drawn once with its settings before the music starts, so the first line
// of a song appears on time.
void PreviewPlayback::warmLyricFonts()
{
    const RowTable &settings = m_album.ListView_geci_shezhi_canshu;
    QImage scratch(m_size, QImage::Format_RGB32);
    for (size_t li = 0; li < m_lyrics.size() && int(li) < settings.size(); ++li) {
        QString characters;
        for (const LyricEntry &entry : m_lyrics[li].entries)
            for (const QChar c : entry.text)
                if (!c.isSpace() && !characters.contains(c) && characters.size() < 512)
                    characters += c;
        if (characters.isEmpty())
            continue;
        QPainter painter(&scratch);
        drawLyric(painter, applyLyricSettings(settings.row(int(li)), characters, m_size, true, &scratch));
    }
}

// Starts loading `seg` on a worker. `handOver` is the last picture of the
// segment before it, or null when the worker is to draw it. `seekOffset`: the
// frame of the segment a seek shows (-1 when it plays from its start).
void PreviewPlayback::loadAhead(int seg, const QByteArray &handOver, long long seekOffset)
{
    dropAhead();
    if (seg < 0 || seg >= int(m_timeline.segments.size()))
        return;
    AheadJob job;
    job.paths = m_album.paths;
    job.extension = m_driver ? m_driver->stagedExtension() : m_album.cells.text(cell::kKuozhanming1);
    job.size = m_size;
    job.target = m_timeline.segments[size_t(seg)];
    job.targetNumStop = numStopFor(job.target.usedRow);
    job.handOver = handOver;
    job.seekOffset = seekOffset;
    if (seg == 0) {
        job.background = m_album.paths.templateStaging(job.target.usedRow + 1) + QStringLiteral("wj_y_l_b_j.jpg");
    } else {
        job.before = m_timeline.segments[size_t(seg - 1)];
        job.beforeNumStop = numStopFor(job.before.usedRow);
    }
    job.stop = std::make_shared<std::atomic<bool>>(false);
    job.handOverLock = m_handOverLock;
    m_nextStop = job.stop;
    m_nextSegment = seg;
    m_next = std::async(std::launch::async, [job = std::move(job)] {
        auto out = std::make_shared<Ahead>();
        const qint64 cpuFrom = threadCpuMs();
        // Whatever way the load ends, its processor time is kept.
        struct CpuTally {
            Ahead &out;
            qint64 from;
            ~CpuTally() { out.cpuMs = threadCpuMs() - from; }
        } tally{*out, cpuFrom};
        try {
            QByteArray handOver = job.handOver;
            if (job.background.isEmpty() && handOver.isEmpty()) {
                TemplateDriver before(job.paths, DriverContext::Preview, job.size);
                before.setStagedExtension(job.extension);
                loadSegmentInto(before, job.before, job.beforeNumStop);
                before.setCounter(int(job.before.frames - 2));
                before.stepFrame();
                handOver = encodeJpeg(before.frame(), kHandOverQuality);
                out->beforeLastFrame = handOver;
            }
            auto driver = std::make_unique<TemplateDriver>(job.paths, DriverContext::Preview, job.size);
            driver->setStagedExtension(job.extension);
            {
                // The hand-over picture is written and read by the load
                // under the lock (others write it for segments of their own);
                // a stopped load writes nothing.
                std::lock_guard lock(*job.handOverLock);
                if (*job.stop)
                    return out;
                if (job.background.isEmpty()) {
                    writeFileBytes(job.paths.handOverPicture(), handOver);
                } else {
                    QFile::remove(job.paths.handOverPicture());
                    QFile::copy(job.background, job.paths.handOverPicture());
                }
                loadSegmentInto(*driver, job.target, job.targetNumStop);
            }
            if (*job.stop)
                return out;
            if (job.seekOffset >= 0) {
                // For a seek only the frame of that moment is drawn (its
                // layers made); the last frame comes with the next load.
                driver->setCounter(int(job.seekOffset - 1));
                driver->stepFrame();
            } else {
                // The last frame first (every layer in its final pose is
                // made), then frame 0, where playing the segment begins.
                out->lastFrame = encodeJpeg(warmUp(*driver, job.target), kHandOverQuality);
            }
            out->driver = std::move(driver);
        } catch (...) {
            // Left to the user-interface thread, which loads the segment
            // itself and reports what fails.
            out->driver.reset();
        }
        return out;
    });
}

// Draws the last picture of every segment in order, each from the one
// before, on a worker of low priority, so that a seek anywhere finds the
// hand-over picture of its segment made and loads one template only.
void PreviewPlayback::startHandOverChain(const QByteArray &firstLast)
{
    stopHandOverChain();
    if (firstLast.isEmpty() || m_timeline.segments.size() < 3)
        return;
    auto results = std::make_shared<HandOverChain>();
    auto stop = std::make_shared<std::atomic<bool>>(false);
    m_chain = results;
    m_chainStop = stop;
    std::vector<QString> numStops;
    for (const PreviewSegment &seg : m_timeline.segments)
        numStops.push_back(numStopFor(seg.usedRow));
    m_chainRun
        = std::async(std::launch::async,
                     [paths = m_album.paths, extension = m_driver->stagedExtension(), size = m_size,
                      segments = m_timeline.segments, numStops, results, stop, lock = m_handOverLock, firstLast] {
                         setpriority(PRIO_PROCESS, pid_t(syscall(SYS_gettid)), 10);
                         QByteArray last = firstLast;
                         // The last segment's picture hands over to nothing.
                         for (size_t k = 1; k + 1 < segments.size() && !*stop; ++k) {
                             try {
                                 TemplateDriver driver(paths, DriverContext::Preview, size);
                                 driver.setStagedExtension(extension);
                                 {
                                     std::lock_guard guard(*lock);
                                     if (*stop)
                                         break;
                                     writeFileBytes(paths.handOverPicture(), last);
                                     loadSegmentInto(driver, segments[k], numStops[k]);
                                 }
                                 driver.setCounter(int(segments[k].frames - 2));
                                 driver.stepFrame();
                                 last = encodeJpeg(driver.frame(), kHandOverQuality);
                             } catch (...) {
                                 break; // the loads of the segments report what fails
                             }
                             std::lock_guard guard(results->mutex);
                             results->lastFrames[int(k)] = last;
                         }
                         return std::make_shared<Ahead>();
                     });
}

void PreviewPlayback::stopHandOverChain()
{
    if (m_chainStop)
        *m_chainStop = true;
    if (m_chainRun.valid())
        m_abandoned.push_back(std::move(m_chainRun));
    m_chainRun = {};
    m_chainStop.reset();
    m_chain.reset();
}

// Takes over the player loaded ahead for `seg` (waiting for it if it is not
// ready yet) and starts loading the segment after it.
bool PreviewPlayback::takeAhead(int seg)
{
    if (!m_next.valid() || m_nextSegment != seg)
        return false;
    std::shared_ptr<Ahead> ahead = m_next.get();
    m_nextSegment = -1;
    m_nextStop.reset();
    if (!ahead->driver)
        return false;
    m_driver = std::move(ahead->driver);
    m_loaded = seg;
    m_takenCpuMs = ahead->cpuMs;
    if (!ahead->lastFrame.isEmpty())
        m_lastFrames[seg] = ahead->lastFrame;
    if (!ahead->beforeLastFrame.isEmpty())
        m_lastFrames[seg - 1] = ahead->beforeLastFrame;
    loadAhead(seg + 1, handOverPictureFor(seg + 1));
    return true;
}

// Gives up the load ahead without waiting for it: once its stop flag is set,
// it writes nothing more (it checks under the hand-over lock); it ends on
// its own.
void PreviewPlayback::dropAhead()
{
    std::erase_if(m_abandoned,
                  [](const auto &f) { return f.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
    if (!m_next.valid())
        return;
    if (m_nextStop)
        *m_nextStop = true;
    m_abandoned.push_back(std::move(m_next));
    m_next = {};
    m_nextSegment = -1;
    m_nextStop.reset();
}

// The hand-over picture a segment starts from: the first template's own
// background, otherwise the last picture of the segment before (without
// effects or lyrics). Played in order the driver already shows it; after a
// seek the segment before is loaded and its last frame drawn first.
void PreviewPlayback::handOverFor(int seg)
{
    const Paths &paths = m_album.paths;
    if (seg == 0) {
        const int row = m_timeline.segments.front().usedRow;
        const QString background = paths.templateStaging(row + 1) + QStringLiteral("wj_y_l_b_j.jpg");
        QFile::remove(paths.handOverPicture());
        QFile::copy(background, paths.handOverPicture());
        return;
    }
    const PreviewSegment &prev = m_timeline.segments[size_t(seg - 1)];
    const bool atItsEnd = m_loaded == seg - 1 && m_driver->counter() >= prev.frames - 1;
    if (!atItsEnd) {
        if (m_loaded != seg - 1) {
            loadSegmentInto(*m_driver, prev, numStopFor(prev.usedRow));
            m_loaded = seg - 1;
        }
        m_driver->setCounter(int(prev.frames - 2));
        m_driver->stepFrame();
    }
    m_driver->captureToHandOver();
}

void PreviewPlayback::resetEffects()
{
    m_pictureRun.reset();
    m_textRun.reset();
    StateCells &cells = m_album.cells;
    if (!m_album.huamian_ListView_Image.empty()) {
        m_pictureRun = std::make_unique<EffectRun>(
            EffectRun::forAlbum(m_album, EffectKind::Picture, RunVariant::Playback, m_size));
        cells.setText(cell::kHuamiantexiaoShijian, QStringLiteral("00:00:00"));
        cells.setText(cell::kHuamiantexiaoXiezai, flag::kCreated);
    }
    if (!m_album.wenzi_ListView_Image.empty()) {
        m_textRun
            = std::make_unique<EffectRun>(EffectRun::forAlbum(m_album, EffectKind::Text, RunVariant::Playback, m_size));
        cells.setText(cell::kWenzitexiaoShijian, QStringLiteral("00:00:00"));
        cells.setText(cell::kWenzitexiaoXiezai, flag::kCreated);
    }
    m_effectFrame = -1;
}

// Effects are stepped once per album frame on the clock text of the frame
// count shown. Frames skipped (a late tick, a seek forward) advance the
// states without decoding; going back starts the runs again.
void PreviewPlayback::stepEffects(long long n, std::vector<EffectOverlay> &out, Composed &c)
{
    if (!m_pictureRun && !m_textRun)
        return;
    if (m_effectFrame >= n)
        resetEffects();
    for (long long i = m_effectFrame + 1; i < n; ++i) {
        const QString clock = effectClockAt(m_timeline, i + 1);
        if (m_pictureRun)
            m_pictureRun->skipStep(clock);
        if (m_textRun)
            m_textRun->skipStep(clock);
    }
    const QString clock = effectClockAt(m_timeline, n + 1);
    if (m_pictureRun) {
        const auto &o = m_pictureRun->step(clock);
        out.insert(out.end(), o.begin(), o.end());
        c.pictureStates = m_album.huamian_ListView_Image;
        m_pictureRun->writeStates(*c.pictureStates);
    }
    if (m_textRun) {
        const auto &o = m_textRun->step(clock);
        out.insert(out.end(), o.begin(), o.end());
        c.textStates = m_album.wenzi_ListView_Image;
        m_textRun->writeStates(*c.textStates);
    }
    m_effectFrame = n;
}

// The lyric line at frame n: the lyric file paired with the song of that
// moment, its entry whose stamp is at or before the frame's time in the song
// (the same rule as production), and for a karaoke line the characters sung.
QString PreviewPlayback::lyricAt(long long n, const Row **settings, double *sung)
{
    *settings = nullptr;
    *sung = -1;
    const qint64 ms = PreviewTimeline::frameMs(n);
    const int k = m_timeline.songAt(ms);
    if (k < 0)
        return {};
    const PreviewSong &song = m_timeline.songs[size_t(k)];
    const int li = music::lyricIndexForSong(m_album, song.musicRow);
    if (li < 0 || li >= int(m_lyrics.size()) || li >= m_album.ListView_geci_shezhi_canshu.size())
        return {};
    const Row &row = m_album.ListView_geci_shezhi_canshu.row(li);
    *settings = &row;
    const LyricTimeline &lyrics = m_lyrics[size_t(li)];
    const qint64 songMs = ms - song.startMs;
    const int entry = lyrics.indexAt(songMs);
    *sung = karaokeSungCharacters(lyrics, entry, songMs);
    if (entry < 0)
        return {};
    // The simplified/traditional conversion once per line, not per frame.
    if (m_lyricCache.lyricFile != li || m_lyricCache.entry != entry)
        m_lyricCache = LyricCache{li, entry, lyricTextForRow(row, lyrics.entries[size_t(entry)].text)};
    return m_lyricCache.text;
}

// ---- music ----

// The audio player's note about the silent sink, once per run.
void PreviewPlayback::reportAudioNotice()
{
    const QString notice = m_audio.notice();
    if (notice.isEmpty() || notice == m_audioNotice)
        return;
    m_audioNotice = notice;
    if (m_cb.status)
        m_cb.status(notice);
}

void PreviewPlayback::stopMusic()
{
    if (m_songPlaying || m_audio.isPlaying())
        m_audio.stop();
    m_songPlaying = false;
}

void PreviewPlayback::playSongAt(qint64 ms)
{
    stopMusic();
    const int k = m_timeline.songAt(ms);
    if (k >= 0) {
        startSong(k, ms - m_timeline.songs[size_t(k)].startMs);
        return;
    }
    m_song = -1;
    m_baseMs = ms;
    m_baseAt = m_clock();
}

void PreviewPlayback::startSong(int k, qint64 offsetMs)
{
    m_song = k;
    m_songPlaying = false;
    const PreviewSong &song = m_timeline.songs[size_t(k)];
    const QString path = m_album.ListView_daoru_yinyue.row(song.musicRow).cell(musiccol::kPath);
    m_album.cells.setInt(cell::kYinyueLeijia, song.musicRow);
    m_album.cells.setInt(cell::kGeciLeijia, song.musicRow);
    try {
        if (!m_audio.hasFile() || m_audio.fileName() != path)
            m_audio.open(path, songGainDb(m_album, song.musicRow));
        m_audio.seek(offsetMs);
        m_audio.play();
        m_songPlaying = true;
    } catch (const Error &e) {
        // A song moved away since it was added: the album goes on without it.
        if (!m_failedSongs.contains(e.message())) {
            m_failedSongs << e.message();
            if (m_cb.notice)
                m_cb.notice(e.message());
        }
    }
    if (!m_songPlaying) {
        m_baseMs = song.startMs + offsetMs;
        m_baseAt = m_clock();
    }
}

// At a song's end the next one starts (template sync repeats the songs);
// after a song that could not be played, the next starts when its time comes.
void PreviewPlayback::followMusic()
{
    if (m_songPlaying && m_song >= 0) {
        if (!m_audio.atEnd())
            return;
        const PreviewSong &song = m_timeline.songs[size_t(m_song)];
        m_baseMs = song.startMs + song.lengthMs;
        m_baseAt = m_clock();
        m_songPlaying = false;
        if (m_song + 1 < int(m_timeline.songs.size()))
            startSong(m_song + 1, 0);
        else
            m_song = -1;
        return;
    }
    const qint64 ms = albumMs();
    const int k = m_timeline.songAt(ms);
    if (k >= 0 && k != m_song)
        startSong(k, ms - m_timeline.songs[size_t(k)].startMs);
}

} // namespace lumora
