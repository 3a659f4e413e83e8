#pragma once
// The lyric window TForm5 ("添加歌词"): the album's lyric files in order (file
// k goes with song k), each with its display settings row; add (a file that
// is not a readable LRC is refused by name), delete (with its settings row),
// delete all, the detail fields, the lyric preview and the settings editor.
#include <functional>

#include "media/MediaListWindow.h"

namespace lumora::ui {

class LyricWindow : public MediaListWindow {
    Q_OBJECT
public:
    // `openPreview` opens the music-and-lyrics preview ("bofanggeci");
    // `openSettings` the lyric settings editor for a lyric row.
    LyricWindow(AlbumSession &session, DialogService &dialogs, std::function<void(const QString &, int)> openPreview,
                std::function<void(int)> openSettings, QWidget *parent = nullptr);

    void addLyrics();
    // Dropped LRC files are added as "添加歌词" adds chosen ones.
    void addDroppedFiles(const QStringList &paths) override;
    void addLyricFiles(const QStringList &files);
    void deleteSelected();
    void deleteAll();
    void preview();
    void settings();

private:
    std::function<void(const QString &, int)> m_openPreview;
    std::function<void(int)> m_openSettings;
};

} // namespace lumora::ui
