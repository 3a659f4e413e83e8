#include "media/MusicPreviewWindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/ClockText.h"
#include "app/DialogService.h"
#include "app/Error.h"
#include "media/AudioPlayer.h"
#include "media/Loudness.h"
#include "media/LyricPanel.h"
#include "media/LyricSettings.h"
#include "media/MusicList.h"
#include "session/AlbumSession.h"

namespace lumora::ui {

namespace {
const QString kZero = QStringLiteral("00:00");
// How often the time and the lyric line are brought up to date.
constexpr int kTickMs = 40;
} // namespace

MusicPreviewWindow::MusicPreviewWindow(AlbumSession &session, DialogService &dialogs, AudioPlayer &audio,
                                       QWidget *parent)
    : QDialog(parent), m_session(session), m_dialogs(dialogs), m_audio(audio)
{
    setObjectName(QStringLiteral("TForm15"));
    setWindowTitle(tr("音乐歌词预览"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    m_panel = new LyricPanel(this);
    layout->addWidget(m_panel, 0, Qt::AlignHCenter);
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("音乐："), this), 0, 0);
    m_songs = new QComboBox(this);
    m_songs->setObjectName(QStringLiteral("ComboBox_yinyue"));
    grid->addWidget(m_songs, 0, 1);
    grid->addWidget(new QLabel(tr("歌词："), this), 1, 0);
    m_lyricFiles = new QComboBox(this);
    m_lyricFiles->setObjectName(QStringLiteral("ComboBox_geci"));
    grid->addWidget(m_lyricFiles, 1, 1);
    m_current = new QLabel(kZero, this);
    m_current->setObjectName(QStringLiteral("Label_dangqianshijian"));
    m_total = new QLabel(kZero, this);
    m_total->setObjectName(QStringLiteral("Label_xianshi_zongshijian"));
    auto *times = new QHBoxLayout;
    times->addWidget(m_current);
    times->addWidget(new QLabel(QStringLiteral("/"), this));
    times->addWidget(m_total);
    times->addStretch(1);
    grid->addLayout(times, 2, 1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    auto *buttons = new QHBoxLayout;
    auto addButton = [&](const QString &name, const QString &text, auto slot) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, this, slot);
    };
    buttons->addStretch(1);
    addButton(QStringLiteral("Button_bofang_yinyue"), tr("播放音乐"), [this] { play(); });
    addButton(QStringLiteral("Button_tingzhi_bofang"), tr("停止播放"), [this] { stop(); });
    addButton(QStringLiteral("Button_fanhui"), tr("返回"), [this] { reject(); });
    layout->addLayout(buttons);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer_xianshi_yinyue_dangqian_shijian"));
    m_timer->setInterval(kTickMs);
    connect(m_timer, &QTimer::timeout, this, &MusicPreviewWindow::tick);
    connect(m_songs, &QComboBox::activated, this, &MusicPreviewWindow::chooseSong);
    connect(m_lyricFiles, &QComboBox::activated, this, &MusicPreviewWindow::chooseLyrics);
}

bool MusicPreviewWindow::prepare(const QString &mode, int row)
{
    m_mode = mode;
    const Album &album = m_session.album();
    if (album.ListView_daoru_yinyue.empty()) {
        m_dialogs.notice(parentWidget(), tr("没有添加音乐文件！"));
        return false;
    }
    m_songs->clear();
    for (const Row &r : album.ListView_daoru_yinyue)
        m_songs->addItem(r.subItem(0));
    m_lyricFiles->clear();
    for (const Row &r : album.ListView_daoru_LRC)
        m_lyricFiles->addItem(r.subItem(0));
    m_songs->setCurrentIndex(-1);
    m_lyricFiles->setCurrentIndex(-1);
    m_lyricIndex = 0;
    m_lyrics = {};
    m_lyricEntry = -1;
    m_current->setText(kZero);
    m_total->setText(kZero);
    m_panel->clearLine();

    // The song and the lyric file of the row the user had selected.
    const int songs = album.ListView_daoru_yinyue.size();
    const int lyricFiles = album.ListView_daoru_LRC.size();
    const bool lyricMode = mode == QStringLiteral("bofanggeci");
    row = std::max(0, row);
    const int song = std::min(row, songs - 1);
    const int lyric = lyricMode ? (row < lyricFiles ? row : -1) : music::lyricIndexForSong(album, song);
    m_songs->setCurrentIndex(song);
    if (lyric >= 0) {
        m_lyricFiles->setCurrentIndex(lyric);
        chooseLyrics(lyric);
    }
    return true;
}

void MusicPreviewWindow::openFor(const QString &mode, int row)
{
    if (prepare(mode, row))
        exec();
}

void MusicPreviewWindow::chooseSong(int index)
{
    if (m_audio.hasFile())
        m_audio.close();
    const RowTable &songs = m_session.album().ListView_daoru_yinyue;
    if (index < 0 || index >= songs.size())
        return;
    try {
        m_audio.open(songs[index].subItem(3), songGainDb(m_session.album(), index));
        m_audio.waitDecoded(3000);
        m_total->setText(clockTextMS(m_audio.lengthMs() / 1000));
    } catch (const Error &e) {
        m_dialogs.notice(this, e.message());
    }
}

void MusicPreviewWindow::chooseLyrics(int index)
{
    m_lyricIndex = std::max(0, index);
    m_lyrics = {};
    const RowTable &lyrics = m_session.album().ListView_daoru_LRC;
    if (index < 0 || index >= lyrics.size())
        return;
    try {
        m_lyrics = readLrcFile(lyrics[index].subItem(2));
    } catch (const Error &e) {
        m_dialogs.notice(this, e.message());
    }
}

void MusicPreviewWindow::play()
{
    if (m_mode == QStringLiteral("bofanggeci") && m_lyricFiles->currentText().isEmpty()) {
        m_dialogs.notice(this, tr("没有选择歌词文件！"));
        return;
    }
    if (m_songs->currentText().isEmpty()) {
        m_dialogs.notice(this, tr("没有选择音乐文件！"));
        return;
    }
    const RowTable &songs = m_session.album().ListView_daoru_yinyue;
    const int k = m_songs->currentIndex();
    try {
        m_audio.close();
        m_audio.open(songs[k].subItem(3), songGainDb(m_session.album(), k));
        m_audio.play();
    } catch (const Error &e) {
        m_dialogs.notice(this, e.message());
        return;
    }
    m_total->setText(clockTextMS(m_audio.lengthMs() / 1000));
    m_songs->setEnabled(false);
    m_lyricFiles->setEnabled(false);
    m_timer->start();
}

void MusicPreviewWindow::tick()
{
    const Album &album = m_session.album();
    if (!album.ListView_daoru_yinyue.empty())
        m_current->setText(clockTextMS(m_audio.positionMs() / 1000));
    if (!album.ListView_daoru_LRC.empty() && m_lyricIndex < album.ListView_geci_shezhi_canshu.size()) {
        // The line whose stamp is at or before the song's position.
        const int entry = m_lyrics.indexAt(m_audio.positionMs());
        if (entry != m_lyricEntry) {
            m_lyricEntry = entry;
            const Row &settings = album.ListView_geci_shezhi_canshu[m_lyricIndex];
            if (entry < 0 || m_lyrics.entries[size_t(entry)].text.isEmpty())
                m_panel->clearLine();
            else
                m_panel->showLine(settings, lyricTextForRow(settings, m_lyrics.entries[size_t(entry)].text));
        }
    }
    if (m_audio.atEnd())
        stop();
}

bool MusicPreviewWindow::playing() const
{
    return m_timer->isActive();
}

void MusicPreviewWindow::stop()
{
    m_timer->stop();
    m_lyricEntry = -1;
    m_songs->setEnabled(true);
    m_lyricFiles->setEnabled(true);
    m_panel->clearLine();
    m_current->setText(kZero);
    if (m_audio.hasFile())
        m_audio.close();
}

void MusicPreviewWindow::reject()
{
    stop();
    QDialog::reject();
}

} // namespace lumora::ui
