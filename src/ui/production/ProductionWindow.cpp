#include "ProductionWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <cerrno>
#include <mutex>
#include <optional>
#include <sys/resource.h>
#include <unistd.h>

#include "DesktopNotice.h"
#include "app/ClockText.h"
#include "app/DialogService.h"
#include "app/Error.h"
#include "app/FlagWords.h"
#include "app/Language.h"
#include "production/ProductionRun.h"
#include "session/AlbumSession.h"

namespace lumora::ui {

namespace {

constexpr int kProgressTickMs = 100;
// Closing delay after a completed production.
constexpr int kCloseDelayMs = 2000;
// The speed is measured over this window of the latest frames.
constexpr qint64 kSpeedWindowMs = 5000;
// A production this long is worth a desktop notification when it ends
// while the person looks at another window.
constexpr qint64 kLongProductionMs = 10000;
// The live picture's area: the encoded frame's proportions within the box of
// the pictures the production sends (their own size, so they are shown 1:1).
QSize livePictureArea(const QSize &encoded)
{
    const QSize box(kProductionPictureSide, kProductionPictureSide);
    if (encoded.isEmpty())
        return QSize(box.width(), box.width() * 9 / 16);
    if (encoded.width() <= box.width() && encoded.height() <= box.height())
        return encoded;
    return encoded.scaled(box, Qt::KeepAspectRatio);
}

QTreeWidget *rowTableView(QWidget *parent, const QString &name, const QStringList &columns)
{
    auto *view = new QTreeWidget(parent);
    view->setObjectName(name);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setHeaderLabels(columns);
    view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return view;
}

void fillRowTableView(QTreeWidget *view, const RowTable &table)
{
    view->clear();
    QList<QTreeWidgetItem *> items;
    for (const Row &row : table) {
        QStringList cells{row.caption()};
        cells << row.subItems();
        items << new QTreeWidgetItem(cells);
    }
    view->addTopLevelItems(items);
}

// The production yields the processor to the user-interface thread and to
// the rest of the desktop: on Linux the nice value is per thread and the
// threads the production starts (the encoder's) inherit it. On an otherwise
// idle machine this costs the production nothing.
void lowerThisThreadsPriority()
{
#ifdef __linux__
    constexpr int kProductionNice = 5;
    const auto tid = static_cast<id_t>(::gettid());
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, tid);
    if (errno == 0 && nice < kProductionNice)
        ::setpriority(PRIO_PROCESS, tid, kProductionNice);
#endif
}

QString secondsText(qint64 ms)
{
    return clockTextHMS(ms / 1000);
}

} // namespace

// What the worker reports; guarded by `mutex` except `stop`.
struct ProductionWindow::Shared {
    std::mutex mutex;
    Phase phase = Phase::Planning;
    int stagingDone = 0, stagingMax = 0;
    long long framesDone = 0, framesTotal = 0;
    QStringList log; // lines not yet shown
    QImage picture; // latest small picture, null once taken
    std::optional<ProductionPlan> plan; // set once planned, taken by the window
    QString planError;
    ProductionResult result;
    bool finished = false;
    std::atomic<bool> stop{false};
};

ProductionWindow::ProductionWindow(AlbumSession &session, DialogService &dialogs, const OutputChoice &choice,
                                   QWidget *parent)
    : QDialog(parent), m_session(session), m_dialogs(dialogs), m_choice(choice), m_shared(std::make_shared<Shared>())
{
    setObjectName(QStringLiteral("TForm25"));
    setWindowTitle(tr("制作") + outputTypeName(choice.type) + tr("相册"));
    m_openFolder = [](const QString &folder) { QDesktopServices::openUrl(QUrl::fromLocalFile(folder)); };
    buildWindow();

    m_progressTimer = new QTimer(this);
    m_progressTimer->setObjectName(QStringLiteral("Timer_jindu"));
    m_progressTimer->setInterval(kProgressTickMs);
    connect(m_progressTimer, &QTimer::timeout, this, &ProductionWindow::tick);
    m_closeTimer = new QTimer(this);
    m_closeTimer->setObjectName(QStringLiteral("Timer_guanbi_chuangkou"));
    m_closeTimer->setInterval(kCloseDelayMs);
    m_closeTimer->setSingleShot(true);
    connect(m_closeTimer, &QTimer::timeout, this, &ProductionWindow::completionTimeout);
}

ProductionWindow::~ProductionWindow()
{
    if (m_worker) {
        m_shared->stop = true;
        m_worker->wait();
        delete m_worker;
    }
}

void ProductionWindow::buildWindow()
{
    auto hidden = [this](const QString &name, const QString &text = {}) {
        auto *e = new QLineEdit(text, this);
        e->setObjectName(name);
        e->hide();
        return e;
    };
    m_state = hidden(QStringLiteral("Edit_tuichu"), flag::kStopped);
    hidden(QStringLiteral("edVideoOut"), m_choice.outputPath());
    hidden(QStringLiteral("edAudioOut"), m_choice.outputPath());
    hidden(QStringLiteral("Edit_mcl_caozuo_leixing"), flag::kMakeAlbum);

    // Progress: the live picture on the left, bars and figures on the right.
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Image_zhizuo_huamian"));
    m_picture->setFixedSize(livePictureArea(lumora::frameGeometry(m_choice.size, m_session.album().mode).encoded));
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setStyleSheet(QStringLiteral("background: black; color: rgb(200,200,200);"));
    m_picture->setText(tr("正在准备…"));

    m_status = new QLabel(tr("正在计算模板和音乐…"), this);
    m_status->setObjectName(QStringLiteral("Label_zhuangtai"));
    m_mainBar = new QProgressBar(this);
    m_mainBar->setObjectName(QStringLiteral("ProgressBar_kaishi_zhizuo_xiangce"));
    m_mainBar->setRange(0, 1);
    m_mainBar->setValue(0);
    m_mainBar->setFormat(tr("%v / %m 帧 (%p%)"));
    m_smallBar = new QProgressBar(this);
    m_smallBar->setObjectName(QStringLiteral("ProgressBar_tongyong_jindutiao"));
    m_smallBar->setRange(0, 1);
    m_smallBar->setValue(0);
    m_smallBar->setTextVisible(false);
    m_smallBar->setMaximumHeight(8);

    m_elapsed = new QLabel(this);
    m_elapsed->setObjectName(QStringLiteral("Label_yiyong_shijian"));
    m_speed = new QLabel(this);
    m_speed->setObjectName(QStringLiteral("Label_zhizuo_sudu"));
    m_remaining = new QLabel(this);
    m_remaining->setObjectName(QStringLiteral("Label_shengyu_shijian"));
    m_total = new QLineEdit(this);
    m_total->setObjectName(QStringLiteral("Edit_zhizuo_zongzhen_sum"));
    m_total->setReadOnly(true);
    m_total->setFocusPolicy(Qt::NoFocus);
    m_total->setMaximumWidth(90);
    auto *figures = new QGridLayout;
    figures->addWidget(new QLabel(tr("已用时间:"), this), 0, 0);
    figures->addWidget(m_elapsed, 0, 1);
    figures->addWidget(new QLabel(tr("剩余时间:"), this), 0, 2);
    figures->addWidget(m_remaining, 0, 3);
    figures->addWidget(new QLabel(tr("制作速度:"), this), 1, 0);
    figures->addWidget(m_speed, 1, 1);
    figures->addWidget(new QLabel(tr("制作总帧数:"), this), 1, 2);
    figures->addWidget(m_total, 1, 3);
    figures->setColumnStretch(1, 1);
    figures->setColumnStretch(3, 1);

    m_name = new QLineEdit(m_choice.albumName, this);
    m_name->setObjectName(QStringLiteral("Edit_baocun_wenjianming"));
    m_name->setReadOnly(true);
    m_name->setToolTip(m_choice.outputPath());
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(tr("文件名:"), this));
    nameRow->addWidget(m_name, 1);

    auto *right = new QVBoxLayout;
    right->addWidget(m_status);
    right->addWidget(m_mainBar);
    right->addWidget(m_smallBar);
    right->addLayout(figures);
    right->addLayout(nameRow);
    right->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addWidget(m_picture, 0, Qt::AlignTop);
    top->addLayout(right, 1);

    // The lists and the log, one tab each.
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("TabWidget_xiangxi"));
    auto *templateGroup = new QGroupBox(tr("计算需要匹配多少个照片文件"), tabs);
    m_templateList = rowTableView(templateGroup, QStringLiteral("ListView_xuyao_shiyongmoban_shuliang"),
                                  shownColumns(productionTemplateColumns()));
    (new QVBoxLayout(templateGroup))->addWidget(m_templateList);
    auto *musicGroup = new QGroupBox(tr("计算需要匹配多少个音乐文件"), tabs);
    m_musicList = rowTableView(musicGroup, QStringLiteral("ListView_xuyao_yinyue_shuliang"),
                               shownColumns(productionMusicColumns()));
    (new QVBoxLayout(musicGroup))->addWidget(m_musicList);
    m_log = new QListWidget(tabs);
    m_log->setObjectName(QStringLiteral("lstProgress"));
    m_log->setUniformItemSizes(true);
    tabs->addTab(m_log, tr("制作日志"));
    tabs->addTab(templateGroup, tr("模板"));
    tabs->addTab(musicGroup, tr("音乐"));

    m_openWhenDone = new QCheckBox(tr("完成后打开保存文件夹"), this);
    m_openWhenDone->setObjectName(QStringLiteral("CheckBox_wancheng_dakai_wenjianjia"));
    m_openWhenDone->setChecked(false);
    m_openButton = new QPushButton(tr("打开保存位置"), this);
    m_openButton->setObjectName(QStringLiteral("Button_dakai_baocun_weizhi"));
    m_openButton->setAutoDefault(false);
    m_stopButton = new QPushButton(tr("停止制作"), this);
    m_stopButton->setObjectName(QStringLiteral("Button_tingzhi_zhizuo"));
    m_stopButton->setAutoDefault(false);
    m_closeButton = new QPushButton(tr("关闭"), this);
    m_closeButton->setObjectName(QStringLiteral("Button_guanbi"));
    m_closeButton->setAutoDefault(false);
    m_closeButton->hide();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_openWhenDone);
    buttons->addStretch(1);
    buttons->addWidget(m_openButton);
    buttons->addWidget(m_stopButton);
    buttons->addWidget(m_closeButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(tabs, 1);
    layout->addLayout(buttons);
    resize(720, 520);

    connect(m_stopButton, &QPushButton::clicked, this, &ProductionWindow::stop);
    connect(m_openButton, &QPushButton::clicked, this, &ProductionWindow::openOutputFolder);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);
    showTimes(0, 0);
}

void ProductionWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Timer_zhizuo_xiangce: the run starts once the window is on screen.
    if (m_phase == Phase::Waiting)
        QTimer::singleShot(0, this, &ProductionWindow::begin);
}

void ProductionWindow::begin()
{
    if (m_phase != Phase::Waiting)
        return;
    m_phase = Phase::Planning;
    m_openWhenDone->setChecked(false);
    m_clock.start();
    m_tickClock.start();
    appendLog({tr("开始制作：%1").arg(m_choice.outputPath())});

    std::shared_ptr<Shared> shared = m_shared;
    // Planned and produced from a draft of the session: the album stays the
    // user-interface thread's, and nothing of the run is handed back.
    auto session = std::make_shared<AlbumSession>(m_session.draft());
    const OutputChoice choice = m_choice;
    const double pictureScale = m_picture->devicePixelRatioF();
    m_worker = QThread::create([shared, session, choice, pictureScale] {
        lowerThisThreadsPriority();
        ProductionPlan plan;
        try {
            plan = session->plan(choice, &shared->stop);
        } catch (const Error &e) {
            std::lock_guard lock(shared->mutex);
            shared->planError = e.message();
            shared->result.outcome = ProductionOutcome::StoppedEarly;
            shared->finished = true;
            return;
        }
        {
            std::lock_guard lock(shared->mutex);
            shared->plan = plan;
            shared->phase = Phase::Staging;
            shared->framesTotal = plan.totalFrames;
        }
        ProductionCallbacks callbacks;
        callbacks.staging = [&shared](int done, int maximum) {
            std::lock_guard lock(shared->mutex);
            shared->stagingDone = done;
            shared->stagingMax = maximum;
        };
        callbacks.frames = [&shared](long long done, long long total) {
            std::lock_guard lock(shared->mutex);
            shared->phase = Phase::Encoding;
            shared->framesDone = done;
            shared->framesTotal = total;
        };
        callbacks.log = [&shared](const QString &line) {
            std::lock_guard lock(shared->mutex);
            shared->log << line;
        };
        // A few small pictures a second; the progress timer shows the latest.
        callbacks.pictureScale = pictureScale;
        callbacks.picture = [&shared](const QImage &picture) {
            std::lock_guard lock(shared->mutex);
            shared->picture = picture;
        };
        ProductionResult result;
        try {
            result = session->produce(plan, callbacks, &shared->stop);
        } catch (const Error &e) {
            result.outcome = ProductionOutcome::Failed;
            result.error = e.message();
            result.outputPath = choice.outputPath();
        } catch (const std::exception &e) {
            result.outcome = ProductionOutcome::Failed;
            result.error = QString::fromLocal8Bit(e.what());
            result.outputPath = choice.outputPath();
        }
        std::lock_guard lock(shared->mutex);
        shared->result = std::move(result);
        shared->finished = true;
    });
    m_worker->setObjectName(QStringLiteral("lumora-production"));
    connect(m_worker, &QThread::finished, this, &ProductionWindow::tick);
    m_progressTimer->start();
    m_worker->start();
    m_stopButton->setFocus();
}

bool ProductionWindow::stopRequested() const
{
    return m_shared->stop.load();
}

void ProductionWindow::stop()
{
    if (!running()) {
        if (m_phase == Phase::Waiting)
            reject();
        return;
    }
    // A stop asked while it is not yet asked: confirmed first (the
    // production goes on meanwhile; it may even end before the answer).
    if (!m_shared->stop.load()
        && (!m_dialogs.confirm(this, tr("停止制作"), tr("是否确定要停止制作?已经制作的部分可以保留为未完成的文件。"))
            || !running()))
        return;
    if (!m_shared->stop.exchange(true)) {
        m_state->setText(flag::kProductionStopped);
        m_stopButton->setEnabled(false);
        m_status->setText(tr("正在停止…"));
        appendLog({tr("正在停止制作…")});
    }
    m_closeWhenEnded = true;
}

void ProductionWindow::openOutputFolder()
{
    const QString folder = QFileInfo(m_choice.outputPath()).absolutePath();
    if (!QFileInfo(folder).isDir()) {
        m_dialogs.notice(this, tr("保存文件夹不存在：%1").arg(QDir::toNativeSeparators(folder)));
        return;
    }
    if (m_openFolder)
        m_openFolder(folder);
}

void ProductionWindow::tick()
{
    const qint64 gap = m_tickClock.restart();
    if (running())
        m_longestTickGapMs = std::max(m_longestTickGapMs, gap);
    takeProgress();
}

void ProductionWindow::takeProgress()
{
    Phase phase;
    int stagingDone, stagingMax;
    long long done, total;
    QStringList lines;
    QImage picture;
    bool finished;
    {
        std::lock_guard lock(m_shared->mutex);
        phase = m_shared->phase;
        stagingDone = m_shared->stagingDone;
        stagingMax = m_shared->stagingMax;
        done = m_shared->framesDone;
        total = m_shared->framesTotal;
        lines.swap(m_shared->log);
        picture.swap(m_shared->picture);
        finished = m_shared->finished;
    }
    if (!m_planShown)
        showPlan();
    appendLog(lines);
    if (!picture.isNull()) {
        QPixmap shown = QPixmap::fromImage(picture);
        shown.setDevicePixelRatio(m_picture->devicePixelRatioF());
        m_picture->setPixmap(shown);
    }

    if (m_phase == Phase::Ended)
        return;
    if (phase == Phase::Staging && !m_shared->stop) {
        m_phase = Phase::Staging;
        m_status->setText(stagingMax > 0 ? tr("正在准备照片… %1 / %2").arg(stagingDone).arg(stagingMax)
                                         : tr("正在准备照片…"));
        m_smallBar->setRange(0, std::max(1, stagingMax));
        m_smallBar->setValue(stagingDone);
    } else if (phase == Phase::Encoding) {
        if (m_phase != Phase::Encoding) {
            m_phase = Phase::Encoding;
            m_state->setText(flag::kProducing);
            m_encodeClock.start();
            m_speedSamples.clear();
            m_smallBar->setRange(0, kFramesPerSecond);
        }
        if (!m_shared->stop)
            m_status->setText(tr("正在制作相册…"));
        m_smallBar->setValue(int(done % kFramesPerSecond));
    }
    if (total > 0) {
        // QProgressBar takes int: frames fit (a day of album is 2.16 million).
        m_mainBar->setRange(0, int(std::min<long long>(total, INT_MAX)));
        m_mainBar->setValue(int(std::min(done, total)));
    }
    showTimes(done, total);
    if (finished && m_worker && m_worker->isFinished())
        finish();
}

void ProductionWindow::showPlan()
{
    std::optional<ProductionPlan> plan;
    {
        std::lock_guard lock(m_shared->mutex);
        plan.swap(m_shared->plan);
    }
    if (!plan)
        return;
    m_planShown = true;
    fillRowTableView(m_templateList, plan->templateList);
    fillRowTableView(m_musicList, plan->musicList);
    m_total->setText(QString::number(plan->totalFrames));
    m_mainBar->setRange(0, int(std::min<long long>(std::max(1LL, plan->totalFrames), INT_MAX)));
    appendLog({tr("模板 %1 个，歌曲 %2 首，共 %3 帧（%4）")
                   .arg(plan->templateList.size())
                   .arg(plan->musicList.size())
                   .arg(plan->totalFrames)
                   .arg(clockTextHMS(frameSeconds(plan->totalFrames)))});
    if (!plan->notices.isEmpty()) // a song without a clear beat, in beat sync
        appendLog(plan->notices);
}

void ProductionWindow::showTimes(long long done, long long total)
{
    m_elapsed->setText(m_clock.isValid() ? secondsText(m_clock.elapsed()) : clockTextHMS(0));
    if (m_phase != Phase::Encoding || !m_encodeClock.isValid()) {
        m_speed->setText(QStringLiteral("—"));
        m_remaining->setText(m_phase == Phase::Ended ? clockTextHMS(0) : tr("正在估算…"));
        return;
    }
    // Speed over the last seconds of frames, so that a slow start (the
    // encoder's first frames) or a slow template does not skew the estimate
    // for long.
    const qint64 now = m_encodeClock.elapsed();
    m_speedSamples.emplace_back(now, done);
    while (m_speedSamples.size() > 2 && now - m_speedSamples.front().first > kSpeedWindowMs)
        m_speedSamples.pop_front();
    const auto &[t0, f0] = m_speedSamples.front();
    if (now - t0 < 500 || done <= f0) {
        m_speed->setText(QStringLiteral("—"));
        m_remaining->setText(tr("正在估算…"));
        return;
    }
    const double fps = double(done - f0) * 1000.0 / double(now - t0);
    m_speed->setText(tr("%1 帧/秒").arg(fps, 0, 'f', 1));
    const double left = double(std::max(0LL, total - done)) / fps;
    m_remaining->setText(tr("约 ") + clockTextHMS((long long)(left + 0.999)));
}

void ProductionWindow::appendLog(const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    m_log->addItems(lines);
    // The log keeps the newest kProductionLogLines lines.
    while (m_log->count() > kProductionLogLines)
        delete m_log->takeItem(0);
    m_log->scrollToBottom();
}

void ProductionWindow::finish()
{
    m_progressTimer->stop();
    m_worker->wait();
    {
        std::lock_guard lock(m_shared->mutex);
        m_result = m_shared->result;
        m_planError = m_shared->planError;
    }
    m_phase = Phase::Ended;
    m_state->setText(flag::kProductionStopped);
    m_stopButton->setEnabled(false);
    const qint64 tookMs = m_clock.elapsed();
    const QString path
        = QDir::toNativeSeparators(m_result.outputPath.isEmpty() ? m_choice.outputPath() : m_result.outputPath);
    for (const QString &f : m_result.stagingFailures)
        appendLog({tr("照片无法读取，已用占位图代替：%1").arg(f)});

    QString line;
    bool close = m_closeWhenEnded;
    switch (m_result.outcome) {
    case ProductionOutcome::Completed:
        line = tr("制作完成：%1").arg(path);
        m_mainBar->setValue(m_mainBar->maximum());
        m_smallBar->setValue(m_smallBar->maximum());
        m_picture->setToolTip(path);
        m_closeTimer->start();
        break;
    case ProductionOutcome::Stopped: {
        // Say how much the file holds; keep it under a name that says it is
        // unfinished, or remove it, as the person chooses.
        const int seconds = frameSeconds(m_result.framesComposed);
        const QString held = tr("已停止：文件只包含前 %1:%2")
                                 .arg(seconds / 60, 2, 10, QLatin1Char('0'))
                                 .arg(seconds % 60, 2, 10, QLatin1Char('0'));
        const QString file = m_result.outputPath.isEmpty() ? m_choice.outputPath() : m_result.outputPath;
        const int answer = m_dialogs.choose(this, tr("停止制作"), held + tr("。\n是否保留这个未完成的文件?"),
                                            {tr("保留"), tr("删除")});
        if (answer == 0) {
            const QString kept = keepUnfinishedOutput(file);
            m_result.outputPath = kept.isEmpty() ? file : kept;
            line = held + tr("，保存为（可以播放）：%1").arg(QDir::toNativeSeparators(m_result.outputPath));
        } else {
            QFile::remove(file);
            line = held + tr("，文件已删除。");
        }
        close = false;
        break;
    }
    case ProductionOutcome::StoppedEarly:
        line = m_planError.isEmpty() ? tr("已停止制作，没有生成文件。") : tr("没有开始制作：%1").arg(m_planError);
        close = true;
        break;
    case ProductionOutcome::Failed:
        line = tr("制作失败：%1").arg(m_result.error.isEmpty() ? tr("编码器出错") : m_result.error);
        close = false;
        break;
    }
    appendLog({line});
    m_status->setText(line);
    showTimes(m_result.framesComposed, m_result.framesComposed);
    if (tookMs >= kLongProductionMs && !isActiveWindow())
        notifyDesktop(line);
    Q_EMIT ended(m_result.outcome);

    if (m_result.outcome == ProductionOutcome::Failed || m_result.outcome == ProductionOutcome::Stopped) {
        m_stopButton->hide();
        m_closeButton->show();
        m_closeButton->setFocus();
        if (m_result.outcome == ProductionOutcome::Failed)
            m_dialogs.notice(this, line);
        return;
    }
    if (!m_planError.isEmpty())
        m_dialogs.notice(this, m_planError);
    if (close) {
        if (m_result.outcome == ProductionOutcome::Stopped && m_openWhenDone->isChecked())
            openOutputFolder();
        accept();
    }
}

void ProductionWindow::completionTimeout()
{
    if (m_openWhenDone->isChecked())
        openOutputFolder();
    accept();
}

void ProductionWindow::notifyDesktop(const QString &message)
{
    QApplication::alert(this);
    DesktopNotice::send(windowTitle(), message);
}

void ProductionWindow::closeEvent(QCloseEvent *event)
{
    if (running()) {
        // Closing while the worker runs is a stop; the window closes when it has returned.
        stop();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void ProductionWindow::reject()
{
    if (running()) {
        stop();
        return;
    }
    QDialog::reject();
}

} // namespace lumora::ui
