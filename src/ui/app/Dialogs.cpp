#include "Dialogs.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <cstdio>
#include <exception>

#include "app/Error.h"
#include "app/WhenFinished.h"

namespace lumora::ui {

namespace {

// How often a window shows its worker's progress.
constexpr int kFeedPollMs = 50;

// Shows `feed` in `bar` on a timer of `window`'s (started here); returns it.
QTimer *followFeed(QDialog *window, QProgressBar *bar, const std::shared_ptr<ProgressFeed> &feed)
{
    auto *timer = new QTimer(window);
    timer->setInterval(kFeedPollMs);
    QObject::connect(timer, &QTimer::timeout, window, [bar, feed] {
        if (!feed->reported())
            return;
        const int maximum = std::max(1, feed->maximum());
        bar->setRange(0, maximum);
        bar->setValue(std::clamp(feed->done(), 0, maximum));
    });
    timer->start();
    return timer;
}

void markWindow(QDialog *d, const char *name, const QString &caption)
{
    d->setObjectName(QString::fromLatin1(name));
    d->setProperty("lumoraWindow", true);
    d->setWindowTitle(caption);
    d->setAutoFillBackground(true);
}

QLabel *messageLabel(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QStringLiteral("Label_xianshi_xiaoxi"));
    l->setWordWrap(true);
    l->setMinimumWidth(320);
    l->setMaximumWidth(560);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

// The short dialogs: room around the message and between it and the
// buttons, so a one-line message does not sit against the window's edge.
QVBoxLayout *dialogLayout(QDialog *d)
{
    auto *layout = new QVBoxLayout(d);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(18);
    return layout;
}

} // namespace

NoticeDialog::NoticeDialog(const QString &message, QWidget *parent) : QDialog(parent)
{
    markWindow(this, "TForm14", tr("提示"));
    auto *layout = dialogLayout(this);
    m_message = messageLabel(message, this);
    layout->addWidget(m_message);
    auto *ok = new QPushButton(tr("确定"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addStretch();
    layout->addLayout(row);
}

QString NoticeDialog::message() const
{
    return m_message->text();
}

ConfirmDialog::ConfirmDialog(const QString &title, const QString &message, QWidget *parent) : QDialog(parent)
{
    markWindow(this, "TForm17", title);
    auto *layout = dialogLayout(this);
    layout->addWidget(messageLabel(message, this));
    m_cell = new QLineEdit(this);
    m_cell->setObjectName(QStringLiteral("Edit_caozuo"));
    m_cell->hide();
    auto *ok = new QPushButton(tr("确定"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(tr("取消"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    connect(ok, &QPushButton::clicked, this, [this] {
        m_cell->setText(QStringLiteral("yes"));
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    row->addStretch();
    layout->addLayout(row);
}

bool ConfirmDialog::answeredYes() const
{
    return m_cell->text() == QLatin1String("yes");
}

// ----------------------------------------------------------------- TForm13

ProgressWindow::ProgressWindow(QWidget *parent) : QDialog(parent)
{
    markWindow(this, "TForm13", {});
    setModal(true);
    setFixedSize(420, 100);
    auto *layout = new QVBoxLayout(this);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    layout->addWidget(m_bar);
    m_stopButton = new QPushButton(tr("停止"), this);
    m_stopButton->setObjectName(QStringLiteral("Button_tingzhi"));
    connect(m_stopButton, &QPushButton::clicked, this, &ProgressWindow::requestStop);
    m_poll = new QTimer(this);
    m_poll->setInterval(kFeedPollMs);
    connect(m_poll, &QTimer::timeout, this, &ProgressWindow::showFeed);
    m_poll->start();
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_stopButton);
    layout->addLayout(row);
}

void ProgressWindow::begin(const QString &caption, int maximum)
{
    setWindowTitle(caption);
    m_bar->setRange(0, std::max(1, maximum));
    m_bar->setValue(0);
    m_feed->set(0, std::max(1, maximum));
    m_feed->stop = false;
    m_finishing = false;
    m_stopButton->setEnabled(true);
}

void ProgressWindow::showFeed()
{
    const int maximum = std::max(1, m_feed->maximum());
    m_bar->setRange(0, maximum);
    m_bar->setValue(std::clamp(m_feed->done(), 0, maximum));
    QString caption;
    if (m_feed->captionSince(m_captionSerial, caption))
        setWindowTitle(caption);
}

void ProgressWindow::requestStop()
{
    m_feed->stop = true;
    m_stopButton->setEnabled(false);
}

void ProgressWindow::reject()
{
    if (m_finishing)
        return QDialog::reject();
    requestStop();
}

void ProgressWindow::closeEvent(QCloseEvent *e)
{
    if (m_finishing)
        return QDialog::closeEvent(e);
    e->ignore();
    requestStop();
}

void finishProgress(ProgressWindow *window)
{
    window->m_poll->stop();
    window->m_finishing = true;
    window->m_bar->setValue(window->m_bar->maximum());
    window->accept();
}

// ----------------------------------------------------------------- TForm44

ModeChangeWindow::ModeChangeWindow(QWidget *parent) : QDialog(parent)
{
    markWindow(this, "TForm44", tr("更改相册模式"));
    setModal(true);
    setFixedSize(714, 137);
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(tr("正在加载相册模式的模板，请稍候……"), this);
    text->setObjectName(QStringLiteral("Label1"));
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setRange(0, 0); // busy until the worker's first count
    layout->addWidget(m_bar);
    followFeed(this, m_bar, m_feed);
}

void ModeChangeWindow::finish()
{
    m_finishing = true;
    accept();
}

// ----------------------------------------------------------------- TForm16

ExitDialog::ExitDialog(Clean clean, QWidget *parent) : QDialog(parent), m_clean(std::move(clean))
{
    markWindow(this, "TForm16", tr("退出软件"));
    setModal(true);
    auto *layout = dialogLayout(this);
    layout->addWidget(messageLabel(tr("是否退出软件?"), this));
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setRange(0, 1);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    layout->addWidget(m_bar);
    m_ok = new QPushButton(tr("确定"), this);
    m_ok->setObjectName(QStringLiteral("Button1"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(tr("取消"), this);
    m_cancel->setObjectName(QStringLiteral("Button2"));
    connect(m_ok, &QPushButton::clicked, this, &ExitDialog::start);
    connect(m_cancel, &QPushButton::clicked, this, &ExitDialog::reject);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(m_ok);
    row->addWidget(m_cancel);
    row->addStretch();
    layout->addLayout(row);
}

void ExitDialog::reject()
{
    // While the workspace is being cleaned the dialog cannot be left.
    if (!m_cleaning)
        QDialog::reject();
}

void ExitDialog::start()
{
    m_cleaning = true;
    m_ok->setEnabled(false);
    m_cancel->setEnabled(false);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    show();
    followFeed(this, m_bar, m_feed);
    std::shared_ptr<ProgressFeed> feed = m_feed;
    auto progress = [feed](int done, int maximum) { feed->set(done, maximum); };
    Clean clean = m_clean;
    // A clean-up that fails still ends in the exit: the dialog never stays
    // with its buttons disabled. What failed goes to the error stream (the
    // windows are closing) and the next start removes what was left.
    auto future = QtConcurrent::run([clean, progress] {
        QString failure;
        try {
            if (clean)
                clean(progress);
        } catch (const Error &e) {
            failure = e.message();
        } catch (const std::exception &e) {
            failure = QString::fromLocal8Bit(e.what());
        } catch (...) {
            failure = tr("未知错误");
        }
        return failure;
    });
    whenFinished(future, this, [this](const QString &failure) {
        if (!failure.isEmpty())
            std::fprintf(stderr, "lumora: %s\n", qPrintable(tr("清理工作文件夹失败：%1").arg(failure)));
        m_bar->setValue(m_bar->maximum());
        QDialog::accept();
    });
}

} // namespace lumora::ui
