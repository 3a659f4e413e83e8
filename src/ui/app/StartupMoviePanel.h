#pragma once
// The start-up movie panel ScrollBox_qi_dong_dong_hua with its player
// ShockwaveFlash_2: plays the unpacked start-up movie in the preview area
// until the first photos are added. Frames are rendered on a worker thread,
// one at a time, and shown as they come; the user-interface thread never
// renders. The player takes no input.
#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class QTimer;

namespace lumora {
class MoviePlayer;
}

namespace lumora::ui {

class PictureView;

class StartupMoviePanel : public QWidget {
    Q_OBJECT
public:
    explicit StartupMoviePanel(QWidget *parent = nullptr);
    ~StartupMoviePanel() override;

    // Unpacks (`prepare`) and loads the movie on a worker, so the
    // user-interface thread never waits on the file, then shows its last
    // frame, frame 0, and plays. The panel counts as running from this call;
    // a movie that does not load or does not answer the identity check of
    // the start-up movie is reported through refused().
    void startInBackground(std::function<void()> prepare, const QString &moviePath);
    // Stops and frees the player (the panel hides). A load still running is
    // dropped when it ends.
    void stop();
    bool isRunning() const { return m_loading || m_player != nullptr; }

    // Frames shown so far (tests, benchmark).
    int framesShown() const { return m_shown; }

Q_SIGNALS:
    void refused(const QString &reason);

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    void tick();
    void play(std::shared_ptr<MoviePlayer> player);

    std::shared_ptr<MoviePlayer> m_player;
    PictureView *m_view = nullptr;
    QTimer *m_timer = nullptr;
    bool m_busy = false; // a frame is being rendered
    bool m_loading = false; // startInBackground's worker has not answered yet
    int m_generation = 0; // bumped by stop(): a late load is dropped
    int m_shown = 0;
};

} // namespace lumora::ui
