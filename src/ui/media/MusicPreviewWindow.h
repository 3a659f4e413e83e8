#pragma once
// The music-and-lyrics preview window TForm15 ("音乐歌词预览"): plays one song
// of the album through the program's audio player and shows the lyric line
// of the chosen lyric file on the reference screen, with both times. Opened
// to preview music ("bofangyingyue") or lyrics ("bofanggeci").
#include <QDialog>

#include "media/LrcParser.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace lumora {
class AlbumSession;
class AudioPlayer;
} // namespace lumora

namespace lumora::ui {

class DialogService;
class LyricPanel;

class MusicPreviewWindow : public QDialog {
    Q_OBJECT
public:
    MusicPreviewWindow(AlbumSession &session, DialogService &dialogs, AudioPlayer &audio, QWidget *parent = nullptr);

    // Sets the mode and fills the window; false (with the notice) when the
    // album has no songs. openFor() also shows it modally. `row` is the row
    // selected where the window was opened from (a song in music mode, a
    // lyric file in lyric mode; -1 for none, taken as the first): that song
    // and the lyric file that goes with it are chosen.
    bool prepare(const QString &mode, int row = -1);
    void openFor(const QString &mode, int row = -1);

    void play();
    void stop();
    void tick();
    bool playing() const;

protected:
    void reject() override; // "返回" and the title-bar close stop first

private:
    void chooseSong(int index);
    void chooseLyrics(int index);

    AlbumSession &m_session;
    DialogService &m_dialogs;
    AudioPlayer &m_audio;
    QString m_mode; // Edit_yinyue_geci_kaiguan
    int m_lyricIndex = 0; // Edit_shijian_lrc_num
    LyricTimeline m_lyrics;
    int m_lyricEntry = -1; // entry of m_lyrics shown
    QComboBox *m_songs = nullptr;
    QComboBox *m_lyricFiles = nullptr;
    QLabel *m_current = nullptr;
    QLabel *m_total = nullptr;
    LyricPanel *m_panel = nullptr;
    QTimer *m_timer = nullptr;
};

} // namespace lumora::ui
