#pragma once
// The production window (TForm25, caption "制作" + type + "相册"): plans the
// album (the production template list and song list), stages it and encodes
// it, all on a worker thread, while the window shows honest progress: the
// staging steps, then frames done of the total, elapsed time, frames per
// second, the time left, the production log and a small picture of the frame
// just composed.
//
// Threads: the window lives on the user-interface thread. The worker is the
// only one to touch the session from begin() until the production has ended
// (the window is modal, so no other window reaches the session meanwhile).
// The worker writes its progress into a shared, locked record; a 100 ms timer
// on the user-interface thread takes it from there, so a fast encoder never
// floods the event queue and the window never waits on the worker. The
// worker (and the encoder threads it starts) runs at a lower priority, so the
// windows stay responsive while the production takes every core.
//
// Stop ("停止制作", the title-bar close or Esc) raises the stop flag; the
// window closes once the worker has returned. A stop while encoding leaves a
// file that plays up to the frame reached; a stop before leaves no file.
// A completed production closes the window after two seconds; a failed one
// keeps it open with the log and says so in a notice.
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QString>
#include <deque>
#include <functional>
#include <memory>

#include "production/OutputOptions.h"
#include "production/ProductionRun.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QThread;
class QTimer;
class QTreeWidget;

namespace lumora {
class AlbumSession;
}

namespace lumora::ui {

class DialogService;

class ProductionWindow : public QDialog {
    Q_OBJECT
public:
    enum class Phase { Waiting, Planning, Staging, Encoding, Ended };

    // `choice`: type, size, quality, television system, sync mode, name and
    // folder of this production (the start command has checked them).
    ProductionWindow(AlbumSession &session, DialogService &dialogs, const OutputChoice &choice,
                     QWidget *parent = nullptr);
    // Raises the stop flag and waits for the worker (it returns within a frame).
    ~ProductionWindow() override;

    // Starts the worker (once; showing the window does it).
    void begin();
    // The stop command: raises the stop flag; the window closes when the worker has returned.
    void stop();
    // "打开保存位置": the output folder in the desktop's file manager.
    void openOutputFolder();

    Phase phase() const { return m_phase; }
    bool running() const { return m_phase != Phase::Waiting && m_phase != Phase::Ended; }
    bool stopRequested() const;
    QString outputPath() const { return m_choice.outputPath(); }
    // The result once the production has ended.
    const ProductionResult &result() const { return m_result; }
    // The refusal when the production could not be planned ("" otherwise).
    const QString &planError() const { return m_planError; }

    // How the output folder is opened; the default asks the desktop
    // (QDesktopServices). Tests put a recorder here.
    using FolderOpener = std::function<void(const QString &folder)>;
    void setFolderOpener(FolderOpener opener) { m_openFolder = std::move(opener); }

    // Figures of the run so far, for the benchmark: the longest gap between
    // two ticks of the progress timer (how long the user-interface thread was
    // kept from its events, plus the tick interval).
    qint64 longestTickGapMs() const { return m_longestTickGapMs; }

Q_SIGNALS:
    // After the worker has returned and the log holds the outcome.
    void ended(lumora::ProductionOutcome outcome);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    struct Shared;
    void buildWindow();
    void tick();
    void takeProgress();
    void showPlan();
    void finish();
    void showTimes(long long done, long long total);
    void appendLog(const QStringList &lines);
    void completionTimeout();
    void notifyDesktop(const QString &message);

    AlbumSession &m_session;
    DialogService &m_dialogs;
    OutputChoice m_choice;
    std::shared_ptr<Shared> m_shared;
    QThread *m_worker = nullptr;
    Phase m_phase = Phase::Waiting;
    ProductionResult m_result;
    QString m_planError;
    bool m_planShown = false;
    bool m_closeWhenEnded = false;
    FolderOpener m_openFolder;

    QElapsedTimer m_clock; // since begin()
    QElapsedTimer m_encodeClock; // since the first frame
    QElapsedTimer m_tickClock;
    qint64 m_longestTickGapMs = 0;
    // (ms since the first frame, frames done) of the last seconds: the speed.
    std::deque<std::pair<qint64, long long>> m_speedSamples;

    QTimer *m_progressTimer; // Timer_jindu: takes the worker's progress
    QTimer *m_closeTimer; // Timer_guanbi_chuangkou: closes after completion
    QProgressBar *m_mainBar; // ProgressBar_kaishi_zhizuo_xiangce
    QProgressBar *m_smallBar; // ProgressBar_tongyong_jindutiao
    QLabel *m_status;
    QLabel *m_elapsed;
    QLabel *m_speed;
    QLabel *m_remaining;
    QLabel *m_picture;
    QLineEdit *m_name; // Edit_baocun_wenjianming
    QLineEdit *m_state; // Edit_tuichu
    QLineEdit *m_total; // Edit_zhizuo_zongzhen_sum
    QCheckBox *m_openWhenDone; // CheckBox_wancheng_dakai_wenjianjia
    QPushButton *m_stopButton; // Button_tingzhi_zhizuo
    QPushButton *m_openButton;
    QPushButton *m_closeButton;
    QTreeWidget *m_templateList; // ListView_xuyao_shiyongmoban_shuliang
    QTreeWidget *m_musicList; // ListView_xuyao_yinyue_shuliang
    QListWidget *m_log; // lstProgress
};

} // namespace lumora::ui
