#include "production/FrameComposer.h"

#include <QCoreApplication>
#include <QFile>
#include <QPainter>
#include <algorithm>

#include "album/BackgroundTable.h"
#include "app/ClockText.h"
#include "app/Columns.h"
#include "app/Error.h"
#include "effects/CaptionTrack.h"
#include "media/MusicList.h"
#include "playback/BeatFit.h"
#include "production/CpuClock.h"

namespace lumora {

namespace {
// A production effect run: as every album run (rows reset to "tingzhi"), with
// a bounded frame cache. Production knows when each frame shows again and
// keeps the frames needed soonest (see EffectRun). Up to 1280 × 720 the
// bound holds every frame a typical album shows more than once (about
// 0.5 MB of pieces per full-frame picture at that size), so each frame is
// decoded once: there the encoder is cheap and decoding is a large part of
// the work. Above it the encoder holds most of the memory and a frame decodes
// in a few milliseconds: the bound is small, smaller still when the encoder
// is at its slowest settings (its memory is the largest then, and decoding
// again hides behind its work), and fewer frames are decoded ahead.
constexpr qint64 kSmallFrameArea = 1280 * 720;
bool largeFrames(QSize render)
{
    return qint64(render.width()) * render.height() > kSmallFrameArea;
}
qint64 productionEffectCacheBytes(QSize render, bool slowEncoder)
{
    if (!largeFrames(render))
        return qint64(160) << 20;
    return slowEncoder ? qint64(8) << 20 : qint64(24) << 20;
}

std::unique_ptr<EffectRun> makeEffectRun(Album &album, EffectKind kind, QSize render, bool slowEncoder,
                                         std::shared_ptr<long long> creation)
{
    EffectRun::forAlbum(album, kind, RunVariant::Production, render); // resets the rows' run state
    const AlbumMode &mode = album.modeInfo();
    EffectRun::Setup s;
    s.kind = kind;
    s.variant = RunVariant::Production;
    s.modeFolder = mode.effectFolder;
    s.previewSize = mode.preview;
    s.targetSize = render;
    s.outputSize = mode.output; // frames are authored at the mode's output size
    s.cacheBytes = productionEffectCacheBytes(render, slowEncoder);
    s.prefetchFrames = largeFrames(render) ? 2 : 3;
    // A frame decodes in a few milliseconds: one thread per run keeps ahead
    // of the composer, and each decoding thread holds frame-sized buffers.
    s.decodeThreads = 1;
    s.creationCounter = std::move(creation);
    const RowTable &table = kind == EffectKind::Picture ? album.huamian_ListView_Image : album.wenzi_ListView_Image;
    return std::make_unique<EffectRun>(album.paths, table, s);
}
} // namespace

FrameComposer::FrameComposer(Album &album, Setup setup, const std::atomic<bool> *stop, LogFunc log)
    : m_album(album), m_setup(std::move(setup)), m_stop(stop), m_log(std::move(log)),
      m_driver(album.paths, DriverContext::Production, m_setup.albumRect.size())
{
    m_driver.setStagedExtension(album.cells.text(cell::kKuozhanming1));
    m_driver.setLogSink([this](const QString &line) {
        if (m_log)
            m_log(line);
    });
    const QSize render = m_setup.albumRect.size();
    auto creation = std::make_shared<long long>(0);
    if (m_setup.pictureEffects && !album.huamian_ListView_Image.empty())
        m_pictureRun = makeEffectRun(album, EffectKind::Picture, render, m_setup.slowEncoder, creation);
    if (m_setup.textEffects && !album.wenzi_ListView_Image.empty())
        m_textRun = makeEffectRun(album, EffectKind::Text, render, m_setup.slowEncoder, creation);
    ensureLyricFonts();
}

FrameComposer::~FrameComposer()
{
    m_driver.release();
}

long long FrameComposer::effectFramesDecoded() const
{
    return (m_pictureRun ? m_pictureRun->decodedFrames() : 0) + (m_textRun ? m_textRun->decodedFrames() : 0);
}

long long FrameComposer::effectCacheHits() const
{
    return (m_pictureRun ? m_pictureRun->cacheHits() : 0) + (m_textRun ? m_textRun->cacheHits() : 0);
}

double FrameComposer::effectWaitSeconds() const
{
    return (m_pictureRun ? m_pictureRun->waitSeconds() : 0) + (m_textRun ? m_textRun->waitSeconds() : 0);
}

void FrameComposer::loadTemplateAt(int p)
{
    const int row = m_setup.templateRows.at(size_t(p));
    const QString numStop = m_album.ListView_moban_beijing.size() > row
        ? m_album.ListView_moban_beijing.cell(row, bgcol::kTransparency)
        : QStringLiteral("0");
    m_driver.loadTemplate(row, numStop.isEmpty() ? QStringLiteral("0") : numStop);
    if (size_t(p) < m_setup.playedFrames.size() && m_setup.playedFrames[size_t(p)] > 0)
        m_driver.player()->setPlayedFrames(int(m_setup.playedFrames[size_t(p)]));
}

void FrameComposer::start()
{
    m_canvas = QImage(m_setup.canvas, QImage::Format_RGB32);
    m_canvas.fill(Qt::black); // the first frame is black
    const QRect a = m_setup.albumRect.intersected(m_canvas.rect());
    if (a != m_setup.albumRect || a.isEmpty())
        throw Error(QCoreApplication::translate("lumora::FrameComposer", "相册画面超出输出画面：%1 × %2")
                        .arg(m_setup.albumRect.width())
                        .arg(m_setup.albumRect.height()));
    uchar *origin = m_canvas.bits() + qsizetype(a.top()) * m_canvas.bytesPerLine() + qsizetype(a.left()) * 4;
    m_albumView = QImage(origin, a.width(), a.height(), m_canvas.bytesPerLine(), QImage::Format_RGB32);
    m_composed = 0;
    m_capture = true;
    m_unchanged = false;
    m_p = 0;
    if (m_setup.templateRows.empty())
        throw Error(QCoreApplication::translate("lumora::FrameComposer", "没有添加模板文件！"));
    // The first template starts from its own background picture.
    const Paths &paths = m_album.paths;
    const QString background
        = paths.templateStaging(m_setup.templateRows.front() + 1) + QStringLiteral("wj_y_l_b_j.jpg");
    QFile::remove(paths.handOverPicture());
    if (!QFile::copy(background, paths.handOverPicture()) && m_log)
        m_log(QCoreApplication::translate("lumora::FrameComposer", "背景图片无法交接：%1").arg(background));
    loadTemplateAt(0);
    if (m_setup.sync == SyncMode::Beat && m_setup.totalFrames > 1) {
        // A beat-synced album shows its first template from the first frame
        // on: album frame n is then the picture of time n × 40 ms, as in the
        // preview and under the music, so each template change shows on the
        // beat it was fitted to rather than one frame after it. (The other
        // modes keep their black first frame.)
        if (renderMovieFrame()) {
            // A template of one frame: the next one follows on the next frame.
            if (m_setup.templateRows.size() > 1) {
                handOverPicture();
                ++m_p;
                loadTemplateAt(m_p);
            } else {
                m_capture = false;
            }
        }
    }

    m_captions
        = albumCaptionTrack(m_album, m_setup.albumRect.size(), picturesEndFrame(m_setup.sync, m_setup.totalFrames));

    m_lyricsOn = false;
    m_s = 0;
    m_m = 0;
    m_lyricText.clear();
    m_lyricPlacement.reset();
    if (!m_setup.songs.empty()) {
        startSongLyrics();
        updateLyricLine(); // the first frame shows a line stamped at 0
    }
}

// Reads the lyric file of song m (its music row's lyric file). The song
// clock runs on whether or not the song has lyrics, so the songs after it
// keep theirs.
void FrameComposer::startSongLyrics()
{
    m_lyricsOn = true;
    m_lyrics = {};
    m_lyricEntry = -1;
    m_lyricText.clear();
    m_lyricPlacement.reset();
    m_lyricSung = -1;
    m_lyricIndex = music::lyricIndexForSong(m_album, m_setup.songs[size_t(m_m)].musicRow);
    if (m_lyricIndex < 0)
        return;
    const QString path = m_album.ListView_daoru_LRC.row(m_lyricIndex).cell(lyriccol::kPath);
    try {
        m_lyrics = readLrcFile(path, m_stop);
    } catch (const Error &e) {
        if (m_log)
            m_log(e.message()); // an unreadable lyric file shows no lyrics
    }
}

// Steps the movie and renders its frame straight into the album's part of the
// hand-over picture (the driver's own step would render into a picture of its
// own that would then be copied). True when the frame is the movie's last.
bool FrameComposer::renderMovieFrame()
{
    MoviePlayer *player = m_driver.player();
    m_driver.setCounter(m_driver.counter() + 1);
    player->setFrameNum(m_driver.counter());
    player->renderInto(m_albumView);
    return m_driver.ended();
}

void FrameComposer::drawOverlays(QImage &target)
{
    if (m_overlays.empty())
        return;
    QPainter painter(&target);
    for (const EffectOverlay &o : m_overlays)
        if (!o.image.isNull())
            painter.drawImage(o.position, o.image);
}

// The composition surface without the lyric line becomes the picture the next
// movie starts from: the movie frame and the overlays, as they are now in the
// album's part of the hand-over picture (the lyric is drawn after this).
void FrameComposer::handOverPicture()
{
    TemplateDriver::writeHandOverPicture(m_album.paths, m_albumView);
}

void FrameComposer::composeNext()
{
    ++m_composed;
    const long long cpu0 = threadCpuNs();
    const int count = int(m_setup.templateRows.size());
    // Once the album holds its last picture nothing is drawn again.
    m_unchanged = !m_capture;

    // The song clock moves to this frame's time first: frame k of a song
    // shows the line of the song's k × 40 ms, with the music under it.
    if (m_lyricsOn)
        stepLyrics();

    // Player check: a lost player is replaced by reloading what should play.
    if (!m_driver.hasPlayer() && m_capture) {
        if (m_log)
            m_log(QCoreApplication::translate("lumora::FrameComposer", "1- 0 : 错误"));
        if (m_p < count)
            loadTemplateAt(m_p);
        else
            m_driver.loadModeMovie();
    }

    if (m_capture) {
        const bool ended = renderMovieFrame();
        m_stepNs += threadCpuNs() - cpu0;
        drawOverlays(m_albumView);

        if (ended) {
            const bool templateSync = m_setup.sync == SyncMode::Template;
            if (m_p >= count || (!templateSync && m_p == count - 1)) {
                // The mode movie (or, in music sync, the last template) has
                // played out: the picture now holds until the end.
                m_capture = false;
            } else {
                handOverPicture();
                if (m_stop && m_stop->load())
                    return;
                ++m_p;
                if (m_p == count)
                    m_driver.loadModeMovie();
                else
                    loadTemplateAt(m_p);
            }
        }
        // Typed captions and titles, like the lyric line, are laid on after
        // the hand-over: the next movie starts from the picture without them.
        // They follow the album frame the effects stood at (one behind).
        if (m_captions.showsAt(m_composed - 1)) {
            QPainter painter(&m_albumView);
            m_captions.draw(painter, m_composed - 1);
        }
        if (m_lyricPlacement && !m_lyricText.isEmpty()) {
            QPainter painter(&m_albumView);
            drawLyric(painter, *m_lyricPlacement, m_lyricSung);
        }
    }

    if (m_composed >= m_setup.totalFrames) {
        m_capture = false;
        m_lyricsOn = false;
    }
    if (m_pictureRun || m_textRun)
        stepEffects();
    m_renderNs += threadCpuNs() - cpu0;
}

void FrameComposer::stepLyrics()
{
    ++m_s;
    const ProductionSong &song = m_setup.songs[size_t(m_m)];
    if (m_s == song.frames) {
        m_lyricText.clear();
        m_lyricPlacement.reset();
        m_lyricsOn = false;
        m_s = 0;
        if (m_m + 1 < int(m_setup.songs.size())) {
            ++m_m;
            startSongLyrics();
        }
    }
    updateLyricLine();
}

// The line of song frame m_s, drawn on the next frame composed: the entry
// whose stamp is at or before the frame's time, so a line appears on the
// first frame at or after its stamp.
void FrameComposer::updateLyricLine()
{
    if (!m_lyricsOn || m_lyricIndex < 0 || m_lyricIndex >= m_album.ListView_geci_shezhi_canshu.size())
        return;
    const qint64 ms = m_s * 1000 / kFramesPerSecond;
    const int entry = m_lyrics.indexAt(ms);
    if (entry != m_lyricEntry) {
        m_lyricEntry = entry;
        const Row &settings = m_album.ListView_geci_shezhi_canshu.row(m_lyricIndex);
        m_lyricText = entry < 0 ? QString() : lyricTextForRow(settings, m_lyrics.entries[size_t(entry)].text);
        if (m_lyricText.isEmpty())
            m_lyricPlacement.reset();
        else
            m_lyricPlacement = applyLyricSettings(settings, m_lyricText, m_setup.albumRect.size(), true, &m_canvas);
    }
    m_lyricSung = karaokeSungCharacters(m_lyrics, entry, ms);
}

// Steps both effect runs on the album clock, merges their overlays by
// creation (the overlay created last on top, whatever its kind) and writes
// the rows' run states back into the album's tables.
void FrameComposer::stepEffects()
{
    const QString clock
        = clockTextHMS(m_setup.effectSecondStarts.empty() ? frameSeconds(m_composed)
                                                          : beatEffectSecond(m_composed, m_setup.effectSecondStarts));
    m_overlays.clear();
    if (m_pictureRun) {
        const auto &o = m_pictureRun->step(clock);
        m_overlays.insert(m_overlays.end(), o.begin(), o.end());
        m_pictureRun->writeStates(m_album.huamian_ListView_Image);
    }
    if (m_textRun) {
        const auto &o = m_textRun->step(clock);
        m_overlays.insert(m_overlays.end(), o.begin(), o.end());
        m_textRun->writeStates(m_album.wenzi_ListView_Image);
    }
    std::stable_sort(m_overlays.begin(), m_overlays.end(),
                     [](const EffectOverlay &a, const EffectOverlay &b) { return a.order < b.order; });
}

} // namespace lumora
