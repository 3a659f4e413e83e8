#pragma once
// The small windows of the program: the notice TForm14, the confirmation
// TForm17, the worker progress TForm13, the album-mode change TForm44 and
// the exit dialog TForm16. All have native title bars and the program's grey.
#include <QDialog>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace lumora::ui {

// What a worker tells the window that shows its progress (count, maximum,
// caption) and what the window tells it back (stop). Both hold it through a
// shared pointer, so the worker may outlive the window: it never touches the
// window itself, only this. The window reads it on its own timer.
class ProgressFeed {
public:
    void set(int done, int maximum)
    {
        m_maximum.store(maximum, std::memory_order_relaxed);
        m_done.store(done, std::memory_order_relaxed);
        m_reported.store(true, std::memory_order_relaxed);
    }
    bool reported() const { return m_reported.load(std::memory_order_relaxed); }
    int done() const { return m_done.load(std::memory_order_relaxed); }
    int maximum() const { return m_maximum.load(std::memory_order_relaxed); }
    void setCaption(const QString &caption)
    {
        std::lock_guard lock(m_mutex);
        m_caption = caption;
        ++m_captionSerial;
    }
    // The caption, when it changed since `serial` (which is then updated).
    bool captionSince(unsigned &serial, QString &caption) const
    {
        std::lock_guard lock(m_mutex);
        if (serial == m_captionSerial)
            return false;
        serial = m_captionSerial;
        caption = m_caption;
        return true;
    }
    std::atomic<bool> stop{false};

private:
    std::atomic<int> m_done{0};
    std::atomic<int> m_maximum{1};
    std::atomic<bool> m_reported{false};
    mutable std::mutex m_mutex;
    QString m_caption;
    unsigned m_captionSerial = 0;
};

// TForm14 ("提示"): one message in Label_xianshi_xiaoxi and OK.
class NoticeDialog : public QDialog {
    Q_OBJECT
public:
    NoticeDialog(const QString &message, QWidget *parent = nullptr);
    QString message() const;

private:
    QLabel *m_message;
};

// TForm17: its caption is the title; one message, OK and Cancel. OK writes
// "yes" into its cell Edit_caozuo and closes; Cancel only closes.
class ConfirmDialog : public QDialog {
    Q_OBJECT
public:
    ConfirmDialog(const QString &title, const QString &message, QWidget *parent = nullptr);
    bool answeredYes() const;

private:
    QLineEdit *m_cell;
};

// TForm13: a caption, ProgressBar1 and "停止". The job runs elsewhere (a
// worker) and reports through the window's feed; "停止" raises the feed's
// stop flag the job reads.
class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget *parent = nullptr);
    void begin(const QString &caption, int maximum);
    // The worker's end of the window: it keeps the feed, not the window.
    std::shared_ptr<ProgressFeed> feed() const { return m_feed; }
    // The same as feed()->set / setCaption, for the window's own thread.
    void setProgress(int done, int maximum) { m_feed->set(done, maximum); }
    void setCaption(const QString &caption) { m_feed->setCaption(caption); }
    const std::atomic<bool> *stopFlag() const { return &m_feed->stop; }
    bool stopRequested() const { return m_feed->stop.load(); }

protected:
    void reject() override; // Esc and the close button ask the job to stop
    void closeEvent(QCloseEvent *e) override;

private:
    void requestStop();
    void showFeed();
    QProgressBar *m_bar;
    QPushButton *m_stopButton;
    QTimer *m_poll;
    std::shared_ptr<ProgressFeed> m_feed = std::make_shared<ProgressFeed>();
    unsigned m_captionSerial = 0;
    bool m_finishing = false;
    friend void finishProgress(ProgressWindow *);
};
// Closes the progress window when its job has ended.
void finishProgress(ProgressWindow *window);

// TForm44 ("更改相册模式", 714 × 137): shown while the catalogue is built.
class ModeChangeWindow : public QDialog {
    Q_OBJECT
public:
    explicit ModeChangeWindow(QWidget *parent = nullptr);
    // The worker's end of the window (see ProgressFeed).
    std::shared_ptr<ProgressFeed> feed() const { return m_feed; }
    void setProgress(int done, int maximum) { m_feed->set(done, maximum); }
    void finish();

protected:
    void reject() override { } // the build cannot be left half done

private:
    QProgressBar *m_bar;
    std::shared_ptr<ProgressFeed> m_feed = std::make_shared<ProgressFeed>();
    bool m_finishing = false;
};

// TForm16 ("退出软件"): "是否退出软件?" with OK and Cancel. OK disables the
// buttons and runs `clean(progress)` on a worker with the dialog's bar, then
// accepts; Cancel rejects.
class ExitDialog : public QDialog {
    Q_OBJECT
public:
    using Clean = std::function<void(const std::function<void(int, int)> &progress)>;
    ExitDialog(Clean clean, QWidget *parent = nullptr);
    bool cleaning() const { return m_cleaning; }

protected:
    void reject() override;

private:
    void start();
    Clean m_clean;
    QProgressBar *m_bar;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    std::shared_ptr<ProgressFeed> m_feed = std::make_shared<ProgressFeed>();
    bool m_cleaning = false;
};

} // namespace lumora::ui
