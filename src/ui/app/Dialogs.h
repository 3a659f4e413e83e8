#pragma once
// The small windows of the program: the notice TForm14, the confirmation
// TForm17, the worker progress TForm13, the album-mode change TForm44 and
// the exit dialog TForm16. All have native title bars and the program's grey.
#include <QDialog>
#include <atomic>
#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace lumora::ui {

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
// worker) and reports through setProgress from any thread; stop() raises
// the stop flag the job reads.
class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget *parent = nullptr);
    void begin(const QString &caption, int maximum);
    // Thread-safe: queued to the window's thread.
    void setProgress(int done, int maximum);
    void setCaption(const QString &caption);
    const std::atomic<bool> *stopFlag() const { return &m_stop; }
    bool stopRequested() const { return m_stop.load(); }

protected:
    void reject() override; // Esc and the close button ask the job to stop
    void closeEvent(QCloseEvent *e) override;

private:
    void requestStop();
    QProgressBar *m_bar;
    QPushButton *m_stopButton;
    std::atomic<bool> m_stop{false};
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
    void setProgress(int done, int maximum); // thread-safe
    void finish();

protected:
    void reject() override { } // the build cannot be left half done

private:
    QProgressBar *m_bar;
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
    bool m_cleaning = false;
};

} // namespace lumora::ui
