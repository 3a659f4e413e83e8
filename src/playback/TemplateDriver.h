#pragma once
// The template driver: how preview, production and the template preview show
// a staged movie. It loads a template's staged movie (or the mode movie) into
// a fresh player, checks the movie's identity, passes the background
// transparency (num_stop) and then steps the movie one frame at a time,
// rendering each frame at the panel size and detecting the last frame.
//
// Contract, per load:
//   loadTemplate(n, t)   n = 0-based used-template row; the staged movie is
//                        Paths::stagedTemplateMovie(n + 1, extension). Frees
//                        the current player and creates a new one (so loading
//                        the same template twice gives a fresh movie), loads
//                        the movie, checks GetVariable(l_x_z_y_l_f_c_x_c) ==
//                        l_x_z_m_v_f_c_s_y_y_lx_c_w_j (else IntegrityError: the
//                        application must end), sets num_stop := t, primes the
//                        frame number (0, TotalFrames, 0), sets num_stop := t
//                        again. Production also resets the counter to -1 before
//                        loading. A missing staged movie throws lumora::Error
//                        with a clear message and leaves no player: the caller
//                        stops the run instead of stepping another movie.
//   loadModeMovie()      the staged mode movie (Paths::stagedModeMovie):
//                        preview loads it into the current context without
//                        touching the counter; production resets the counter
//                        to -1. num_stop is not set. Same identity check.
//   loadSingleTemplate(first, second)  template preview: loads `first`, checks
//                        identity, primes, sets the counter to -1 and deletes
//                        both copies from disk.
//   stepFrame()          counter += 1; FrameNum := counter; renders the frame at
//                        the panel size into frame(); returns true when the movie
//                        has ended: TotalFrames == FrameNum + 1. A movie of T
//                        frames therefore shows 0..T-1, one per step, and ends on
//                        the step that shows T-1.
//   captureToHandOver()  writes the frame now shown, at the panel size, to the
//                        hand-over picture pic/picture_0.jpg (JPEG quality 90).
//
// The renderer draws any frame directly, so there is no priming wait and no
// autonomous play: after a load the movie rests on frame 0 until stepped.
// Production log lines ("B-卸载创建的FLASH完成！", "B-创建FLASH控件完成！") go to
// the log sink without their running number; the production window numbers
// them. Creating a player cannot fail here, so the error lines never occur.
//
// The preview context's state cell Edit_ShockwaveFlash_bofang ("0" while a
// playback player exists) is the caller's: set it before loadTemplate().
// One thread; no event loop needed.
#include <QImage>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>

#include "app/Paths.h"
#include "playback/MoviePlayer.h"

namespace lumora {

enum class DriverContext { Preview, Production, TemplatePreview };

class TemplateDriver {
public:
    using LogSink = std::function<void(const QString &line)>;

    // panelSize: the player's size (preview size, production render size, template preview box).
    TemplateDriver(Paths paths, DriverContext context, QSize panelSize);

    void setPanelSize(QSize size) { m_panel = size.expandedTo(QSize(1, 1)); }
    QSize panelSize() const { return m_panel; }
    // The staged-movie extension (state cell Edit_kuozhanming_1, ".rar" by default).
    void setStagedExtension(const QString &extension) { m_extension = extension; }
    const QString &stagedExtension() const { return m_extension; }
    void setLogSink(LogSink sink) { m_log = std::move(sink); }

    void loadTemplate(int n, const QString &numStop);
    void loadModeMovie();
    void loadSingleTemplate(const QString &firstCopy, const QString &secondCopy);

    bool stepFrame();
    // The frame rendered by the last step (null before the first step).
    const QImage &frame() const { return m_frame; }
    // True when the frame now shown is the movie's last one.
    bool ended() const;

    // The frame counter: last frame shown, -1 before the first.
    int counter() const { return m_counter; }
    void setCounter(int counter) { m_counter = counter; }

    void captureToHandOver();
    // Writes any picture as the hand-over picture (JPEG quality 90); production
    // hands over its composed frame this way.
    static void writeHandOverPicture(const Paths &paths, const QImage &picture);

    // Frees the player (preview stop and end, production end, preview window closed).
    void release();
    bool hasPlayer() const { return m_player != nullptr; }
    MoviePlayer *player() { return m_player.get(); }

private:
    void createPlayer();
    void loadChecked(const QString &path, const QString &missingMessage);
    void prime();
    void log(const QString &line);

    Paths m_paths;
    DriverContext m_context;
    QSize m_panel;
    QString m_extension = QStringLiteral(".rar");
    LogSink m_log;
    std::unique_ptr<MoviePlayer> m_player;
    QImage m_frame;
    int m_counter = -1;
};

} // namespace lumora
