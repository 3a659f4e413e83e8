#include "playback/AlbumPreview.h"

#include <QEvent>
#include <QLabel>
#include <QProxyStyle>
#include <QPushButton>
#include <QShortcut>
#include <QSlider>
#include <QTimer>

#include "album/Matching.h"
#include "app/DialogService.h"
#include "app/Error.h"
#include "app/MainWindow.h"
#include "app/PictureView.h"
#include "media/AudioPlayer.h"
#include "playback/PreviewPlayback.h"
#include "playback/StagingWindow.h"
#include "session/AlbumSession.h"

namespace lumora::ui {

namespace {
const char *const kPlayButtons[] = {"Button33", "suiButton17"};
const char *const kStopButtons[] = {"Button26", "suiButton18"};
const char *const kPlayText = "lumoraPlayText";
const char *const kPlayHint = "lumoraPlayHint";

// A click on the position bar jumps to the moment under the pointer, as in
// every video player; the usual slider steps a page towards it instead.
class JumpToClickStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == QStyle::SH_Slider_AbsoluteSetButtons)
            return Qt::LeftButton;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};
} // namespace

AlbumPreview::AlbumPreview(MainWindow &main, AlbumSession &session, DialogService &dialogs)
    : QObject(&main), m_main(main), m_session(session), m_dialogs(dialogs), m_audio(std::make_unique<AudioPlayer>()),
      m_playback(std::make_unique<PreviewPlayback>(session.album(), *m_audio))
{
    for (const char *name : kPlayButtons)
        main.enableCommand(QString::fromLatin1(name), [this] { playOrPause(); });
    for (const char *name : kStopButtons)
        main.enableCommand(QString::fromLatin1(name), [this] { stop(); });
    auto *space = new QShortcut(QKeySequence(Qt::Key_Space), &main);
    space->setContext(Qt::WindowShortcut);
    connect(space, &QShortcut::activated, this, &AlbumPreview::togglePlay);
    connect(&main, &MainWindow::stopPreviewRequested, this, &AlbumPreview::stop);

    QWidget *area = main.previewArea();
    m_bar = new QSlider(Qt::Horizontal, area);
    m_bar->setObjectName(QStringLiteral("TrackBar_bofang_weizhi"));
    m_bar->setToolTip(tr("播放位置：点击或拖动跳到相册的任一时刻"));
    m_bar->setFocusPolicy(Qt::NoFocus);
    auto *jumpStyle = new JumpToClickStyle;
    jumpStyle->setParent(m_bar);
    m_bar->setStyle(jumpStyle);
    m_bar->hide();
    connect(m_bar, &QSlider::valueChanged, this, [this](int v) {
        if (!m_updatingBar)
            m_playback->seek(v);
    });
    m_status = new QLabel(area);
    m_status->setObjectName(QStringLiteral("Label_bofang_zhuangtai"));
    m_status->setStyleSheet(QStringLiteral("background: rgba(0,0,0,150); color: white; padding: 2px 6px;"));
    m_status->hide();
    m_statusTimer = new QTimer(this);
    m_statusTimer->setSingleShot(true);
    connect(m_statusTimer, &QTimer::timeout, m_status, &QLabel::hide);
    area->installEventFilter(this);
    placeBar();

    m_staging = new StagingWindow(&main);
    connect(m_staging, &StagingWindow::stopRequested, this, &AlbumPreview::stop);

    PreviewPlayback::Callbacks cb;
    cb.frame = [this](const QImage &picture) {
        m_main.previewPicture()->setImage(picture);
        onFrame(m_playback->shownFrame());
    };
    cb.times = [this](const QString &total, const QString &current) {
        if (auto *l = m_main.findChild<QLabel *>(QStringLiteral("Label_zongshijian")))
            l->setText(total);
        if (auto *l = m_main.findChild<QLabel *>(QStringLiteral("Label_danqianshijian")))
            l->setText(current);
    };
    cb.state = [this](PreviewState s) { onState(s); };
    cb.staging = [this](int done, int maximum) { m_staging->setProgress(done, maximum); };
    cb.notice = [this](const QString &text) { m_dialogs.notice(&m_main, text); };
    cb.status = [this](const QString &text) { showStatus(text); };
    m_playback->setCallbacks(std::move(cb));
}

AlbumPreview::~AlbumPreview()
{
    m_playback.reset(); // before the audio player it plays through
}

void AlbumPreview::play()
{
    stop();
    const SyncMode sync = m_session.output().sync;
    const PreviewStartCheck check = PreviewPlayback::check(m_session.album(), sync);
    if (!check.notice.isEmpty()) {
        m_dialogs.notice(&m_main, check.notice);
        return;
    }
    m_main.showIdlePicture();
    if (check.unmatchedPhotos > 0) {
        const QString question
            = tr("有 %1 张照片没有与模板匹配,是否自动完成照片与模板的匹配?").arg(check.unmatchedPhotos);
        if (m_dialogs.confirm(&m_main, tr("自动完成"), question)) {
            try {
                automaticMatching(m_session.album());
            } catch (const Error &e) {
                m_dialogs.notice(&m_main, e.message());
            }
            m_main.refreshTemplateList();
            m_main.refreshPhotoViews();
            m_main.refreshTotalTime();
        }
        // One press of play ends in playing: matched or not, what is
        // complete now plays (the check again, for an album left with none).
        const PreviewStartCheck again = PreviewPlayback::check(m_session.album(), sync);
        if (!again.notice.isEmpty()) {
            m_dialogs.notice(&m_main, again.notice);
            return;
        }
    }
    m_main.stopStartupMovie();
    m_playback->start(sync);
}

void AlbumPreview::stop()
{
    m_playback->stop();
}

void AlbumPreview::playOrPause()
{
    switch (m_playback->state()) {
    case PreviewState::Idle: play(); break;
    case PreviewState::Staging: break;
    case PreviewState::Playing:
    case PreviewState::Ending:
        if (m_playback->paused())
            m_playback->resume();
        else
            m_playback->pause();
        updatePlayButtons();
        break;
    }
}

void AlbumPreview::togglePlay()
{
    if (m_playback->state() == PreviewState::Staging)
        stop();
    else
        playOrPause();
}

// 播放 starts the album, or goes on after a pause; while the album plays the
// same button reads 暂停 and holds it where it is.
void AlbumPreview::updatePlayButtons()
{
    const PreviewState s = m_playback->state();
    const bool running = s == PreviewState::Playing || s == PreviewState::Ending;
    const bool pausable = running && !m_playback->paused();
    for (const char *name : kPlayButtons) {
        QPushButton *b = m_main.button(QString::fromLatin1(name));
        if (!b)
            continue;
        if (!b->property(kPlayText).isValid()) {
            b->setProperty(kPlayText, b->text());
            b->setProperty(kPlayHint, b->toolTip());
        }
        const QString playText = b->property(kPlayText).toString();
        // The pause word takes the play text's place, its spacing kept.
        b->setText(pausable ? QString(playText).replace(tr("播放"), tr("暂停")) : playText);
        b->setToolTip(pausable ? tr("暂停播放 (空格键)") : b->property(kPlayHint).toString());
        b->setEnabled(s != PreviewState::Staging);
    }
}

void AlbumPreview::onState(PreviewState s)
{
    const bool idle = s == PreviewState::Idle;
    const bool staging = s == PreviewState::Staging;
    updatePlayButtons();
    for (const char *name : kStopButtons)
        if (QPushButton *b = m_main.button(QString::fromLatin1(name)))
            b->setEnabled(true);
    if (staging) {
        m_staging->setProgress(0, 0);
        m_staging->show();
    } else {
        m_staging->hide();
    }
    if (idle) {
        m_bar->hide();
        m_main.showIdlePicture();
    } else if (!staging) {
        m_updatingBar = true;
        m_bar->setRange(0, int(std::max<long long>(0, m_playback->timeline().totalFrames - 1)));
        m_bar->setPageStep(25 * 5);
        m_updatingBar = false;
        placeBar();
        m_bar->show();
        m_bar->raise();
    }
}

void AlbumPreview::onFrame(long long frame)
{
    if (m_bar->isSliderDown())
        return;
    m_updatingBar = true;
    m_bar->setValue(int(frame));
    m_updatingBar = false;
}

void AlbumPreview::showStatus(const QString &text)
{
    m_status->setText(text);
    m_status->adjustSize();
    m_status->move(6, 6);
    m_status->show();
    m_status->raise();
    m_statusTimer->start(6000);
}

void AlbumPreview::placeBar()
{
    QWidget *area = m_main.previewArea();
    const int h = 18;
    m_bar->setGeometry(4, area->height() - h - 2, area->width() - 8, h);
}

bool AlbumPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_main.previewArea() && event->type() == QEvent::Resize)
        placeBar();
    return QObject::eventFilter(watched, event);
}

} // namespace lumora::ui
