#pragma once
// Album preview in the main window: the play, pause and stop commands
// (Button33 plays, reads 暂停 while the album plays and pauses it, plays on
// after a pause; Button26 goes back to the start; Space toggles), the checks and questions of a start, the staging
// window while the album is prepared, the frames drawn into the preview
// picture, both time labels, and the position bar TrackBar_bofang_weizhi
// laid along the bottom of the preview area (click or drag to seek).
//
// It owns the program's one audio player (the music windows borrow it) and
// the engine's PreviewPlayback; it holds no rule of its own.
#include <QObject>
#include <memory>

class QLabel;
class QSlider;
class QTimer;

namespace lumora {
class AlbumSession;
class AudioPlayer;
class PreviewPlayback;
enum class PreviewState;
} // namespace lumora

namespace lumora::ui {

class DialogService;
class MainWindow;
class StagingWindow;

class AlbumPreview : public QObject {
    Q_OBJECT
public:
    AlbumPreview(MainWindow &main, AlbumSession &session, DialogService &dialogs);
    ~AlbumPreview() override;

    AudioPlayer &audio() { return *m_audio; }
    PreviewPlayback &playback() { return *m_playback; }
    QSlider *positionBar() const { return m_bar; }

    // "播放": stop, then the checks, then staging and play.
    void play();
    // "停止": from any state back to idle.
    void stop();
    // 播放/暂停 button: plays when idle, pauses while playing, resumes a pause.
    void playOrPause();
    // Space: as the button, and stops a staging.
    void togglePlay();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onState(PreviewState state);
    void onFrame(long long frame);
    void updatePlayButtons();
    void showStatus(const QString &text);
    void placeBar();

    MainWindow &m_main;
    AlbumSession &m_session;
    DialogService &m_dialogs;
    std::unique_ptr<AudioPlayer> m_audio;
    std::unique_ptr<PreviewPlayback> m_playback;
    StagingWindow *m_staging = nullptr;
    QSlider *m_bar = nullptr;
    QLabel *m_status = nullptr;
    QTimer *m_statusTimer = nullptr;
    bool m_updatingBar = false;
};

} // namespace lumora::ui
