#include "StartupMoviePanel.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <QtConcurrent/QtConcurrentRun>

#include "PictureView.h"
#include "app/Error.h"
#include "app/WhenFinished.h"
#include "playback/MoviePlayer.h"

namespace lumora::ui {

namespace {
// The identity pair every start-up movie answers.
const QString kIdentityVariable = QStringLiteral("l_x_z_f_c_q_d_x_c");
const QString kIdentityValue = QStringLiteral("l_x_z_f_c_s_y_q_d_x_c_w_j");
constexpr int kFrameIntervalMs = 1000 / MoviePlayer::kFramesPerSecond;
} // namespace

StartupMoviePanel::StartupMoviePanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ScrollBox_qi_dong_dong_hua"));
    m_view = new PictureView(this);
    m_view->setObjectName(QStringLiteral("ShockwaveFlash_2"));
    m_view->setFillColour(Qt::black);
    m_view->setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_timer = new QTimer(this);
    m_timer->setInterval(kFrameIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &StartupMoviePanel::tick);
}

StartupMoviePanel::~StartupMoviePanel() = default;

namespace {
// Loads the movie and checks that it is the start-up movie; "" or the reason.
QString loadStartupMovie(MoviePlayer &player, const QString &moviePath)
{
    try {
        player.load(moviePath);
    } catch (const Error &e) {
        return e.message();
    }
    if (player.getVariable(kIdentityVariable) != kIdentityValue)
        return QCoreApplication::translate("lumora::ui::StartupMoviePanel", "启动动画未通过校验：%1").arg(moviePath);
    player.setFrameNum(player.totalFrames());
    player.setFrameNum(0);
    return {};
}
} // namespace

void StartupMoviePanel::startInBackground(std::function<void()> prepare, const QString &moviePath)
{
    stop();
    m_loading = true;
    const int generation = m_generation;
    QPointer<StartupMoviePanel> self(this);
    auto future = QtConcurrent::run([prepare = std::move(prepare), moviePath] {
        auto player = std::make_shared<MoviePlayer>();
        QString refusal;
        try {
            if (prepare)
                prepare();
            refusal = loadStartupMovie(*player, moviePath);
        } catch (const Error &e) {
            refusal = e.message();
        }
        return std::make_pair(refusal.isEmpty() ? player : nullptr, refusal);
    });
    whenFinished(future, this, [self, generation](const std::pair<std::shared_ptr<MoviePlayer>, QString> &loaded) {
        if (!self || self->m_generation != generation)
            return; // stopped meanwhile
        self->m_loading = false;
        if (!loaded.first) {
            Q_EMIT self->refused(loaded.second);
            return;
        }
        self->play(loaded.first);
    });
}

void StartupMoviePanel::play(std::shared_ptr<MoviePlayer> player)
{
    player->play();
    m_player = std::move(player);
    m_shown = 0;
    show();
    raise();
    m_timer->start();
    tick();
}

void StartupMoviePanel::stop()
{
    ++m_generation;
    m_loading = false;
    m_timer->stop();
    // A frame being rendered keeps its own reference and is dropped when done.
    m_player.reset();
    m_view->clear();
    hide();
}

void StartupMoviePanel::resizeEvent(QResizeEvent *)
{
    m_view->setGeometry(rect());
}

void StartupMoviePanel::tick()
{
    if (!m_player || m_busy || !isVisible())
        return;
    m_busy = true;
    const qreal dpr = devicePixelRatioF();
    const QSize size = this->size() * dpr;
    std::shared_ptr<MoviePlayer> player = m_player;
    QPointer<StartupMoviePanel> self(this);
    auto future = QtConcurrent::run([player, size, dpr] {
        QImage frame(size, QImage::Format_RGB32);
        frame.fill(Qt::black);
        player->renderInto(frame);
        frame.setDevicePixelRatio(dpr);
        return frame;
    });
    whenFinished(future, this, [self, player](const QImage &frame) {
        if (!self)
            return;
        self->m_busy = false;
        if (self->m_player != player)
            return; // stopped (or restarted) meanwhile
        self->m_view->setImage(frame);
        ++self->m_shown;
    });
}

} // namespace lumora::ui
