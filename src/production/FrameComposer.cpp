#include "production/FrameComposer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPainter>

#include "app/ClockText.h"
#include "app/Error.h"
#include "effects/BackgroundTable.h"
#include "media/MusicList.h"

namespace lumora {

namespace {
// A production effect run: as every album run (rows reset to "tingzhi"), with
// a smaller frame cache. Production walks forward through the album and
// seldom shows a frame again after its row has ended, so a large cache would
// only hold memory.
constexpr qint64 kProductionEffectCacheBytes = qint64(64) << 20;

std::unique_ptr<EffectRun> makeEffectRun(Album &album, EffectKind kind, QSize render)
{
    EffectRun::forAlbum(album, kind, RunVariant::Production, render); // resets the rows' run state
    const AlbumMode &mode = album.modeInfo();
    EffectRun::Setup s;
    s.kind = kind;
    s.variant = RunVariant::Production;
    s.modeFolder = mode.effectFolder;
    s.previewSize = mode.preview;
    s.targetSize = render;
    s.cacheBytes = kProductionEffectCacheBytes;
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
    m_modeOutput = album.modeInfo().output;
    const QSize render = m_setup.albumRect.size();
    if (m_setup.pictureEffects && !album.huamian_ListView_Image.empty())
        m_pictureRun = makeEffectRun(album, EffectKind::Picture, render);
    if (m_setup.textEffects && !album.wenzi_ListView_Image.empty())
        m_textRun = makeEffectRun(album, EffectKind::Text, render);
    ensureLyricFonts();
}

FrameComposer::~FrameComposer()
{
    m_driver.release();
}

void FrameComposer::loadTemplateAt(int p)
{
    const int row = m_setup.templateRows.at(size_t(p));
    const QString numStop = m_album.ListView_moban_beijing.size() > row
                                ? m_album.ListView_moban_beijing.cell(row, bgcol::kTransparency)
                                : QStringLiteral("0");
    m_driver.loadTemplate(row, numStop.isEmpty() ? QStringLiteral("0") : numStop);
}

void FrameComposer::start()
{
    m_canvas = QImage(m_setup.canvas, QImage::Format_RGB32);
    m_canvas.fill(Qt::black); // the first frame is black
    m_albumPicture = QImage(m_setup.albumRect.size(), QImage::Format_RGB32);
    m_albumPicture.fill(Qt::black);
    m_composed = 0;
    m_capture = true;
    m_p = 0;
    if (m_setup.templateRows.empty())
        throw Error(QStringLiteral("没有添加模板文件！"));
    // The first template starts from its own background picture.
    const Paths &paths = m_album.paths;
    const QString background = paths.templateStaging(m_setup.templateRows.front() + 1) + QStringLiteral("wj_y_l_b_j.jpg");
    QFile::remove(paths.handOverPicture());
    if (!QFile::copy(background, paths.handOverPicture()) && m_log)
        m_log(QStringLiteral("背景图片无法交接：%1").arg(background));
    loadTemplateAt(0);

    m_lyricsOn = false;
    m_s = 0;
    m_m = 0;
    m_lyricText.clear();
    m_lyricPlacement.reset();
    if (!m_setup.songs.empty())
        startSongLyrics();
}

// Parses the lyric file of song m (its music row's lyric file) and switches
// lyrics on; a song without a lyric file leaves them off.
void FrameComposer::startSongLyrics()
{
    m_lyrics.clear();
    m_lyricIndex = music::lyricIndexForSong(m_album, m_setup.songs[size_t(m_m)].musicRow);
    if (m_lyricIndex < 0)
        return;
    const QString path = m_album.ListView_daoru_LRC.row(m_lyricIndex).subItem(2);
    try {
        m_lyrics = parseLrcFile(path, m_stop);
    } catch (const Error &e) {
        if (m_log)
            m_log(e.message()); // an unreadable lyric file shows no lyrics
    }
    m_lyricsOn = true;
}

void FrameComposer::drawAlbum(bool withLyric, QImage &target, QPoint at)
{
    QPainter painter(&target);
    painter.drawImage(at, m_driver.frame().isNull() ? m_albumPicture : m_driver.frame());
    // Effect frames are authored at the mode's output size; at other render
    // sizes they are drawn scaled to it, so they cover the same part of the album.
    const QSize render = m_setup.albumRect.size();
    const bool scale = render != m_modeOutput;
    if (scale)
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const EffectOverlay &o : m_overlays) {
        if (o.image.isNull())
            continue;
        const QPoint pos = at + o.position;
        if (!scale) {
            painter.drawImage(pos, o.image);
        } else {
            const QSize s(int((long long)o.image.width() * render.width() / m_modeOutput.width()),
                          int((long long)o.image.height() * render.height() / m_modeOutput.height()));
            painter.drawImage(QRect(pos, s), o.image);
        }
    }
    if (withLyric && m_lyricPlacement && !m_lyricText.isEmpty()) {
        LyricPlacement p = *m_lyricPlacement;
        p.topLeft += at;
        drawLyric(painter, p);
    }
}

// The composition surface without the lyric line becomes the picture the next
// movie starts from.
void FrameComposer::handOverPicture()
{
    QImage surface(m_setup.albumRect.size(), QImage::Format_RGB32);
    drawAlbum(false, surface, QPoint(0, 0));
    TemplateDriver::writeHandOverPicture(m_album.paths, surface);
}

void FrameComposer::composeNext()
{
    ++m_composed;
    const int count = int(m_setup.templateRows.size());

    // Player check: a lost player is replaced by reloading what should play.
    if (!m_driver.hasPlayer() && m_capture) {
        if (m_log)
            m_log(QStringLiteral("1- 0 : 错误"));
        if (m_p < count)
            loadTemplateAt(m_p);
        else
            m_driver.loadModeMovie();
    }

    if (m_capture) {
        QElapsedTimer t;
        t.start();
        const bool ended = m_driver.stepFrame();
        m_stepNs += t.nsecsElapsed();
        drawAlbum(true, m_canvas, m_setup.albumRect.topLeft());
        m_renderNs += t.nsecsElapsed();

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
    }

    if (m_composed >= m_setup.totalFrames) {
        m_capture = false;
        m_lyricsOn = false;
    }

    if (m_lyricsOn) {
        ++m_s;
        QString clock = clockTextMS(frameSeconds(m_s));
        const ProductionSong &song = m_setup.songs[size_t(m_m)];
        if (m_s == song.frames) {
            m_lyricText.clear();
            m_lyricPlacement.reset();
            m_lyricsOn = false;
            m_s = 0;
            clock = QStringLiteral("00:00");
            if (m_m + 1 < int(m_setup.songs.size())) {
                ++m_m;
                startSongLyrics();
            }
        }
        if (m_lyricsOn && !m_album.ListView_daoru_LRC.empty() && m_lyricIndex >= 0) {
            if (const std::optional<QString> line = lyricLineAt(m_lyrics, clock)) {
                const Row &settings = m_album.ListView_geci_shezhi_canshu.row(m_lyricIndex);
                m_lyricText = lyricTextForRow(settings, *line);
                m_lyricPlacement = applyLyricSettings(settings, m_lyricText, m_setup.albumRect.size(), true, &m_canvas);
            }
            // No stamp for this second: the label keeps its text and place.
        }
    }

    if (m_pictureRun || m_textRun) {
        const QString clock = clockTextHMS(frameSeconds(m_composed));
        m_overlays.clear();
        if (m_pictureRun)
            for (const EffectOverlay &o : m_pictureRun->step(clock))
                m_overlays.push_back(o);
        if (m_textRun)
            for (const EffectOverlay &o : m_textRun->step(clock))
                m_overlays.push_back(o);
    }
}

} // namespace lumora
