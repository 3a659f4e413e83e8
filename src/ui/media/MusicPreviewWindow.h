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
    // album has no songs. openFor() also shows it modally.
    bool prepare(const QString &mode);
    void openFor(const QString &mode);

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
    LyricTable m_lyrics;
    QComboBox *m_songs = nullptr;
    QComboBox *m_lyricFiles = nullptr;
    QLabel *m_current = nullptr;
    QLabel *m_total = nullptr;
    LyricPanel *m_panel = nullptr;
    QTimer *m_timer = nullptr;
};

} // namespace lumora::ui
