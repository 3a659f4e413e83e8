#pragma once
// The start-up movie panel ScrollBox_qi_dong_dong_hua with its player
// ShockwaveFlash_2: plays the unpacked start-up movie in the preview area
// until the first photos are added. Frames are rendered on a worker thread,
// one at a time, and shown as they come; the user-interface thread never
// renders. The player takes no input.
#include <QImage>
#include <QString>
#include <QWidget>
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

    // Loads the movie, shows its last frame then frame 0 and plays. Returns
    // "" or the reason it cannot be used: it does not load, or it does not
    // answer the identity check of the start-up movie.
    QString start(const QString &moviePath);
    // Stops and frees the player (the panel hides).
    void stop();
    bool isRunning() const { return m_player != nullptr; }
    // Frames shown so far (tests, benchmark).
    int framesShown() const { return m_shown; }

protected:
    void resizeEvent(QResizeEvent *e) override;

private:
    void tick();

    std::shared_ptr<MoviePlayer> m_player;
    PictureView *m_view = nullptr;
    QTimer *m_timer = nullptr;
    bool m_busy = false; // a frame is being rendered
    int m_shown = 0;
};

} // namespace lumora::ui
