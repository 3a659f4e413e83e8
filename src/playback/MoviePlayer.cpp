#include "MoviePlayer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>

#include "app/Error.h"
#include "resources/PackedFile.h"

namespace lumora {

void MoviePlayer::load(const QString &path)
{
    unload();
    if (!QFileInfo(path).isFile())
        throw Error(QCoreApplication::translate("lumora::MoviePlayer", "找不到影片文件：%1").arg(path));
    const QByteArray bytes = readFileBytes(path);
    loadDocument(bytes, QFileInfo(path).absolutePath(), path);
    m_path = path;
}

void MoviePlayer::loadDocument(const QByteArray &document, const QString &folder, const QString &what)
{
    unload();
    MovieDocument doc = parseMovieDocument(document, what);
    for (const auto &[name, value] : doc.variables)
        m_variables.insert(name, value);
    m_renderer = std::make_unique<MovieRenderer>(std::move(doc), folder);
    m_renderer->setKeepPictures(m_keepPictures);
    m_path = what;
}

MoviePlayer::MoviePlayer()
{
    m_steady.start();
}

qint64 MoviePlayer::now() const
{
    return m_clock ? m_clock() : m_steady.elapsed();
}

void MoviePlayer::setClock(Clock clock)
{
    const int frame = frameNum();
    m_clock = std::move(clock);
    m_frame = frame;
    m_startMs = now();
}

void MoviePlayer::unload()
{
    m_renderer.reset();
    m_variables.clear();
    m_path.clear();
    m_frame = 0;
    m_played = 0;
    m_playing = false;
}

int MoviePlayer::totalFrames() const
{
    if (!m_renderer)
        return 0;
    return m_played > 0 ? m_played : m_renderer->document().frames;
}

int MoviePlayer::movieFrames() const
{
    return m_renderer ? m_renderer->document().frames : 0;
}

void MoviePlayer::setPlayedFrames(int frames)
{
    const int frame = frameNum();
    m_played = std::max(0, frames);
    m_frame = clampFrame(frame);
}

double MoviePlayer::movieTime(int n) const
{
    const int own = movieFrames();
    if (m_played <= 1 || own <= 1)
        return double(n);
    return double(n) * double(own - 1) / double(m_played - 1);
}

int MoviePlayer::clampFrame(int n) const
{
    return std::clamp(n, 0, std::max(0, totalFrames() - 1));
}

int MoviePlayer::frameNum() const
{
    if (!m_renderer)
        return 0;
    if (!m_playing)
        return m_frame;
    const qint64 advanced = std::max<qint64>(0, now() - m_startMs) * kFramesPerSecond / 1000;
    const qint64 total = totalFrames();
    const qint64 n = m_frame + advanced;
    if (m_renderer->document().loop)
        return int(n % total);
    return int(std::min(n, total - 1));
}

void MoviePlayer::setFrameNum(int n)
{
    m_frame = clampFrame(n);
    m_startMs = now();
}

void MoviePlayer::play()
{
    if (!m_renderer)
        return;
    m_frame = frameNum();
    m_playing = true;
    m_startMs = now();
}

void MoviePlayer::stop()
{
    m_frame = frameNum();
    m_playing = false;
}

void MoviePlayer::setVariable(const QString &name, const QString &value)
{
    m_variables.insert(name, value);
}

QString MoviePlayer::getVariable(const QString &name) const
{
    return m_variables.value(name);
}

QImage MoviePlayer::paint(QSize size)
{
    QImage img(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    renderInto(img);
    return img;
}

void MoviePlayer::renderInto(QImage &target)
{
    renderFrame(frameNum(), target);
}

void MoviePlayer::renderFrame(int n, QImage &target)
{
    if (!m_renderer) {
        target.fill(Qt::black);
        return;
    }
    if (m_played > 0)
        m_renderer->render(movieTime(clampFrame(n)), m_variables, target);
    else
        m_renderer->render(clampFrame(n), m_variables, target);
}

QStringList MoviePlayer::missingPictures() const
{
    return m_renderer ? m_renderer->missingPictures() : QStringList();
}

} // namespace lumora
