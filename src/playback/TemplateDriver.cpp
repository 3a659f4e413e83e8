#include "TemplateDriver.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include "app/Error.h"
#include "image/ImageIO.h"
#include "templates/TemplateParams.h"

namespace lumora {

TemplateDriver::TemplateDriver(Paths paths, DriverContext context, QSize panelSize)
    : m_paths(std::move(paths)), m_context(context), m_panel(panelSize.expandedTo(QSize(1, 1)))
{
}

void TemplateDriver::log(const QString &line)
{
    if (m_context == DriverContext::Production && m_log)
        m_log(line);
}

void TemplateDriver::createPlayer()
{
    release();
    log(QCoreApplication::translate("lumora::TemplateDriver", "B-卸载创建的FLASH完成！"));
    m_player = std::make_unique<MoviePlayer>();
    // Production renders every movie at one size: the prepared layers are all
    // it needs, so the decoded pictures go once they are prepared.
    m_player->setKeepPictures(m_context != DriverContext::Production);
    log(QCoreApplication::translate("lumora::TemplateDriver", "B-创建FLASH控件完成！"));
}

void TemplateDriver::release()
{
    m_player.reset();
    m_frame = QImage();
}

void TemplateDriver::loadChecked(const QString &path, const QString &missingMessage)
{
    if (!QFileInfo(path).isFile()) {
        release();
        throw Error(missingMessage.arg(path));
    }
    try {
        m_player->load(path);
    } catch (...) {
        release();
        throw;
    }
    if (m_player->getVariable(kMovieIdentityVariable) != kMovieIdentityValue) {
        release();
        throw IntegrityError(
            QCoreApplication::translate("lumora::TemplateDriver", "影片 %1 没有通过身份检查").arg(path));
    }
}

void TemplateDriver::prime()
{
    const int total = m_player->totalFrames();
    m_player->setFrameNum(0);
    m_player->setFrameNum(total);
    m_player->setFrameNum(0);
    m_player->stop();
}

void TemplateDriver::loadTemplate(int n, const QString &numStop)
{
    createPlayer();
    if (m_context == DriverContext::Production)
        m_counter = -1;
    loadChecked(m_paths.stagedTemplateMovie(n + 1, m_extension),
                QCoreApplication::translate("lumora::TemplateDriver", "找不到第 %1 个模板的影片文件：%2")
                    .arg(n + 1)
                    .arg(QStringLiteral("%1")));
    m_player->setVariable(kNumStopVariable, numStop);
    prime();
    m_player->setVariable(kNumStopVariable, numStop);
}

void TemplateDriver::loadModeMovie()
{
    // Preview puts the mode movie into the current player; a fresh one is the
    // same thing for a renderer that loads every movie afresh.
    createPlayer();
    if (m_context != DriverContext::Preview)
        m_counter = -1;
    loadChecked(m_paths.stagedModeMovie(m_extension),
                QCoreApplication::translate("lumora::TemplateDriver", "找不到结尾影片文件：%1"));
    prime();
}

void TemplateDriver::loadSingleTemplate(const QString &firstCopy, const QString &secondCopy)
{
    createPlayer();
    loadChecked(firstCopy, QCoreApplication::translate("lumora::TemplateDriver", "找不到模板影片文件：%1"));
    prime();
    m_counter = -1;
    // The movie and its pictures are in memory now; the copies are not needed.
    QFile::remove(firstCopy);
    QFile::remove(secondCopy);
}

bool TemplateDriver::stepFrame()
{
    if (!m_player)
        throw Error(QCoreApplication::translate("lumora::TemplateDriver", "没有载入影片，无法播放下一帧"));
    ++m_counter;
    m_player->setFrameNum(m_counter);
    if (m_frame.size() != m_panel || m_frame.format() != QImage::Format_RGB32)
        m_frame = QImage(m_panel, QImage::Format_RGB32);
    m_player->renderInto(m_frame);
    return ended();
}

bool TemplateDriver::ended() const
{
    return m_player && m_player->totalFrames() == m_player->frameNum() + 1;
}

void TemplateDriver::captureToHandOver()
{
    if (!m_player)
        throw Error(QCoreApplication::translate("lumora::TemplateDriver", "没有载入影片，无法截取画面"));
    if (m_frame.size() != m_panel) {
        m_frame = QImage(m_panel, QImage::Format_RGB32);
        m_player->renderInto(m_frame);
    }
    writeHandOverPicture(m_paths, m_frame);
}

void TemplateDriver::writeHandOverPicture(const Paths &paths, const QImage &picture)
{
    writeJpeg(picture, paths.handOverPicture(), 90);
}

} // namespace lumora
