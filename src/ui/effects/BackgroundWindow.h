#pragma once
// The background window TForm21 ("背景图片"): the background picture and the
// transparency of every used template, a picture of the selected row, and a
// small player that plays the background movie with that picture and
// transparency. Pictures are decoded on a worker thread; the table is changed
// only through the engine (album/BackgroundTable.h).
//
// Use from the user-interface thread.
#include <QDialog>
#include <QFutureWatcher>
#include <QImage>
#include <QTimer>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSlider;
class QTreeWidget;

namespace lumora {
class AlbumSession;
class MoviePlayer;
} // namespace lumora

namespace lumora::ui {

class DialogService;

class BackgroundWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr QSize kPlayerSize{207, 116};

    BackgroundWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent = nullptr);
    ~BackgroundWindow() override;

    // Prepares the two copies of the background movie, clears the selection,
    // the picture and the fields, slider at 0.
    void start();

    // ---- commands (buttons, keyboard, tests) ----
    void selectRow(int row);
    void changePicture();
    void sliderReleased();
    void saveSettings();
    void defaultSettings();

    // The movie copy the player loaded last (1 or 2; 0 before the first selection).
    int loadedCopy() const { return m_copy; }
    // The selected row's picture and preview are ready (after selectRow).
    bool previewReady() const { return m_ready; }
    // The player's current picture.
    QImage playerFrame() const;

Q_SIGNALS:
    void previewShown();

private:
    struct Prepared {
        QImage display; // fitted into the display image
        QString error; // the picture could not be read
    };
    void refreshTable();
    bool rowChecks();
    int selectedRow() const;
    void playPreview(int transparency);
    void clearPicture();

    AlbumSession &m_session;
    DialogService &m_dialogs;
    QTreeWidget *m_table = nullptr; // ListView_moban_beijing
    QSlider *m_slider = nullptr; // suiTrackBar1
    QCheckBox *m_all = nullptr; // CheckBox_tongyishezhi
    QLabel *m_picture = nullptr; // Image_xianshizhaopian
    QLabel *m_player = nullptr; // ShockwaveFlash_2_beijingtupian_Alpha
    QLineEdit *m_fields[6] = {};
    std::unique_ptr<MoviePlayer> m_movie;
    QTimer m_tick;
    QFutureWatcher<Prepared> m_prepare;
    int m_copy = 0;
    int m_pendingRow = -1;
    bool m_ready = false;
};

} // namespace lumora::ui
