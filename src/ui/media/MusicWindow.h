#pragma once
// The music window TForm4 ("添加音乐"): the album's songs in order, with add
// (songs measured off the user-interface thread; a song that cannot be
// decoded or is shorter than a second is refused by name with the reason),
// delete, delete all, the detail fields and the music preview.
#include <functional>

#include "media/MediaListWindow.h"

namespace lumora::ui {

class MusicWindow : public MediaListWindow {
    Q_OBJECT
public:
    // `openPreview` opens the music-and-lyrics preview in the given mode
    // ("bofangyingyue").
    MusicWindow(AlbumSession &session, DialogService &dialogs, std::function<void(const QString &, int)> openPreview,
                QWidget *parent = nullptr);

    void addSongs();
    // Dropped MP3 files are added as "添加音乐" adds chosen ones.
    void addDroppedFiles(const QStringList &paths) override;
    void deleteSelected();
    void deleteAll();
    void preview();

private:
    std::function<void(const QString &, int)> m_openPreview;
};

// Runs the session's song add on a worker with the progress window TForm13
// ("添加音乐") and reports refused files by name. Shared by the main window's
// drop of songs and the music window.
void addSongsWithProgress(AlbumSession &session, DialogService &dialogs, const QStringList &paths, QWidget *parent);

} // namespace lumora::ui
