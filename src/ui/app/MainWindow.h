#pragma once
// The main window TForm2: the command buttons of every window, the preview
// stage (backdrop, framed preview area, start-up movie panel), the nine
// thumbnail cells with paging, the large view of one photo with zoom and
// drag, the count and time labels, the lists of used templates, songs and
// lyric files, and the three window-size modes (the thumbnail list ListView1
// in the two large ones).
//
// It holds no album rule: it shows the session's tables and cells and calls
// the session and the engine. Use from the user-interface thread.
#include <QHash>
#include <QImage>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "app/AlbumMode.h"

class QLabel;
class QListView;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;
class QTreeWidget;

namespace lumora {
class AlbumSession;
class MoviePlayer;
struct CatalogueReport;
} // namespace lumora

namespace lumora::ui {

class DialogService;
class PictureView;
class ThumbnailCache;
class ThumbnailCell;
class ThumbnailListModel;
class StartupMoviePanel;
class ModeChooser;
class PhotoWindow;
class PhotoFilesWindow;
class SettingsWindow;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 1189;
    static constexpr int kHeight = 695;

    MainWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent = nullptr);
    ~MainWindow() override;

    AlbumSession &session() { return m_session; }
    DialogService &dialogs() { return m_dialogs; }
    ThumbnailCache &thumbnails() { return *m_thumbs; }

    // ---- the start-up sequence ----
    // Shows the window in its default arrangement, unpacks and plays the
    // start-up movie in the preview area (loaded on a worker) and, a moment
    // later, opens the mode chooser. Returns "" or the reason start-up cannot
    // go on; a start-up movie that turns out damaged or missing (a broken
    // installation) gives a notice and fatalError().
    QString startUp();
    // Opens the mode chooser (first start: the mode is cleared first, and
    // closing without a choice is refused).
    void openModeChooser(bool firstStart);
    // Asked once at start-up, before the mode chooser: true when it restored
    // an album (which brings its own mode), and the chooser is not opened.
    std::function<bool()> restoreAtStart;

    // ---- for the other windows ----
    // A command button by its object name (nullptr when there is none).
    QPushButton *button(const QString &objectName) const;
    // Makes a button that waited for its window a working command.
    void enableCommand(const QString &objectName, const std::function<void()> &action);
    // The playing guard: true (and the notice shown) while the album plays.
    bool refuseWhilePlaying();
    // The preview area ScrollBox_zhujiemian (the mode's preview size) and
    // its picture Image_zhujiemian, into which preview draws its frames.
    QWidget *previewArea() const { return m_area; }
    PictureView *previewPicture() const { return m_picture; }
    QWidget *stageBackdrop() const { return m_backdrop; }
    // The mode's idle picture at (0, 0) of the preview area.
    void showIdlePicture();
    // Stops and frees the start-up movie (first photos added).
    void stopStartupMovie();
    bool startupMovieRunning() const;

    // Rebuild the lists and labels from the album (after a window closed).
    void refreshTemplateList();
    void refreshMusicList();
    void refreshLyricList();
    void refreshPhotoCount();
    // Total time label from the used templates (template-sync mode).
    void refreshTotalTime();
    // Thumbnail page p (page cell Edit_fangye_hao := p) and, in the large
    // window modes, the thumbnail list.
    void showPage(int page);
    void refreshThumbnailList();
    // Everything that shows photos, after photos were added or deleted.
    void refreshPhotoViews();
    // After the mode chooser: stage, labels, tables shown empty.
    void applyAlbumReset();
    // Builds the mode's catalogue and resets the album on a worker, then
    // shows the reset album and calls `done`.
    void changeMode(ModeKind mode, const std::function<void()> &done);

    // ---- commands (also reached by keyboard) ----
    void addPhotosCommand();
    void settingsCommand();
    void exitCommand();
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPageCommand();
    void zoomIn();
    void zoomOut();
    void zoomDefault();
    // Large view of photo `row` (thumbnail cell or list item).
    void showLargePhoto(int row);
    // Window-size modes: "moren_chuangkou", "fangda_chuangkou", "quanping_chuangkou".
    void setWindowMode(const QString &mode);

    // Files dropped from the file manager: songs (.mp3) and lyric files (.lrc)
    // are added to the music and lyric lists, photos and folders as
    // "添加照片" would.
    void addDroppedPaths(const QStringList &paths);
    // The photo window TForm3 and the photo-files window TForm42 (made once).
    PhotoWindow *photoWindow();
    // The thumbnail list's menu for its current photo (the caller shows and
    // deletes it; tests trigger its actions without showing it).
    QMenu *listMenu();
    PhotoFilesWindow *photoFilesWindow();
    SettingsWindow *settingsWindow();

Q_SIGNALS:
    // A photo was double-clicked (preview of its templates).
    void photoTemplatesRequested(int row);
    // Exit asks preview to stop first.
    void stopPreviewRequested();
    // The album was reset by a mode choice.
    void albumReset();
    // The exit dialog was confirmed and the workspace cleaned: the program ends.
    void exitAccepted();
    // A shipped resource failed its integrity check: the program must end.
    void fatalError(const QString &message);

protected:
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    void buildCommands();
    void buildStage();
    void buildThumbnails();
    void buildLists();
    void layoutWindow();
    void placePreviewFrame();
    QPushButton *addCommand(const QString &objectName, const QString &text, const QString &hint,
                            QWidget *parent = nullptr);
    void pendingCommand(const QString &objectName);
    void connectCommand(const QString &objectName, const std::function<void()> &action);
    void onThumbnailReady(const QString &path, QSize size);
    void cellClicked(int k);
    void cellDoubleClicked(int k);
    void cellEntered(int k);
    void showCellMenu(int k, const QPoint &global);
    void drawLargeView();
    // Edit_hangshu after the photo table changed: follows the photo shown
    // large to its new row, or back to "wu" (and the idle picture) when that
    // photo is gone. True when a photo is still shown large.
    bool followLargePhoto();
    bool pagingAllowed();
    bool zoomAllowed();
    void turnPage(int page);
    QSize previewSize() const;
    void startAddPhotos(const QStringList &paths);
    ModeChooser *makeModeChooser();
    QString leftOutNotice(const CatalogueReport &report) const;
    void afterModeChooser();
    void afterPhotoWindow();
    void showListMenu(const QPoint &global);

    AlbumSession &m_session;
    DialogService &m_dialogs;
    std::unique_ptr<ThumbnailCache> m_thumbs;

    QHash<QString, QPushButton *> m_buttons;
    QWidget *m_backdrop = nullptr; // ScrollBox_bofangbeijing
    QWidget *m_border = nullptr; // suiButton7
    QWidget *m_frame = nullptr; // ScrollBox_zhujiemian_kuang_00001
    QWidget *m_area = nullptr; // ScrollBox_zhujiemian
    PictureView *m_picture = nullptr; // Image_zhujiemian
    StartupMoviePanel *m_startup = nullptr; // ScrollBox_qi_dong_dong_hua
    std::array<ThumbnailCell *, 9> m_cells{};
    std::array<QLabel *, 9> m_names{};
    QLabel *m_modeLabel = nullptr;
    QLabel *m_photoCount = nullptr;
    QLabel *m_musicCount = nullptr;
    QLabel *m_lyricCount = nullptr;
    QLabel *m_totalTime = nullptr;
    QLabel *m_currentTime = nullptr;
    QTabWidget *m_listTabs = nullptr;
    QTreeWidget *m_templateList = nullptr; // ListView_daoru_moban
    QTreeWidget *m_musicList = nullptr; // ListView_daoru_yinyue
    QTreeWidget *m_lyricList = nullptr; // ListView_daoru_geci
    QListView *m_thumbList = nullptr; // ListView1
    ThumbnailListModel *m_thumbModel = nullptr;
    QWidget *m_toolbar = nullptr;
    QWidget *m_typeBar = nullptr;
    QWidget *m_side = nullptr;
    QWidget *m_bottom = nullptr;
    QSize m_largeRequest; // thumbnail size asked for the large view
    bool m_exiting = false; // the exit dialog has ended its clean-up
    QString m_largePath; // the photo shown large (Edit_hangshu follows it when rows move)
    PhotoWindow *m_photoWindow = nullptr;
    PhotoFilesWindow *m_photoFiles = nullptr;
    SettingsWindow *m_settings = nullptr;
    bool m_modeChooserOpen = false;
    QPointer<ModeChooser> m_firstChooser; // made with the window, used by the first opening
    QSet<int> m_leftOutNamed; // modes whose damaged templates were named in this run
};

} // namespace lumora::ui
