#pragma once
// Template management TForm8 ("模板管理"): the catalogue's template list, the
// album's used templates, the slot frames of the selected used template and
// the album's photos. A person appends a catalogue template, drags photos
// from the photo panel onto slot frames, deletes one or all used templates
// and previews a template. Every change goes to the album tables at once
// through the engine (there is no cancel); the window holds no rule.
//
// Thumbnails come from the main window's thumbnail cache (made on workers);
// nothing is decoded on the user-interface thread. Opening fills the two
// tables and the photo panel in steps of a few milliseconds each, one step
// per event-loop turn, so the window paints and answers meanwhile; the lists
// and their commands are enabled once the tables are complete. After an
// edit, only the rows that changed are rewritten.
// Use from the user-interface thread.
#include <QDialog>
#include <QHash>
#include <QSize>
#include <functional>
#include <vector>

class QCheckBox;
class QLabel;
class QPropertyAnimation;
class QTreeWidgetItem;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTreeWidget;

namespace lumora {
class AlbumSession;
}

namespace lumora::ui {

class DialogService;
class ThumbnailCache;

class TemplateManagerWindow : public QDialog {
    Q_OBJECT
public:
    // Photo pictures of the panel: a thumbnail cell plus 10 pixels.
    static constexpr QSize kPhotoPicture{110, 85};

    TemplateManagerWindow(AlbumSession &session, DialogService &dialogs, ThumbnailCache &thumbs,
                          QWidget *parent = nullptr);

    // The main window's opening checks (playing guard done by the caller):
    // "" when the window may open, else the notice.
    static QString openRefusal(const AlbumSession &session);
    // Clears the fields and starts filling the tables and the photo panel.
    void start();
    // The tables are complete (their commands enabled).
    bool tablesLoaded() const { return m_tablesLoaded; }
    // The tables and every photo picture are made.
    bool photosLoaded() const { return m_loaded; }

    // ---- the commands (buttons, keyboard, tests) ----
    void selectUsedTemplate(int row);
    void useSelectedTemplate();
    void deleteSelectedTemplate();
    void deleteAllTemplates();
    // Starts dragging photo `photoRow`: false (and the notice) when no used template is selected.
    bool beginPhotoDrag(int photoRow);
    // Drops photo `photoRow` on slot frame `ordinal` of the selected used template.
    void dropPhotoOnFrame(int photoRow, int ordinal);
    // The preview buttons, given when the template preview window exists:
    // (used or catalogue row, true for a used template).
    void setPreviewHandler(std::function<void(int row, bool used)> handler);

Q_SIGNALS:
    // The window closed: the main window rebuilds its template list and total time.
    void closedWithChanges();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void fillStep();
    void refreshUsedTable();
    void setListsEnabled(bool on);
    void clearDetails();
    void makePhotoPicture(int i, const QPalette &boxPalette, qreal dpr);
    void layoutPanel(QWidget *inner, const std::vector<QWidget *> &items, size_t from, QSize item, int panelWidth);
    void makeSlotFrames(int usedRow);
    void removeSlotFrames();
    void showFramePhoto(int ordinal, int photoRow);
    void countPlacedPhotos(int usedRow);
    QSize thumbSize(int photoRow, QSize box) const;
    void onThumbnailReady(const QString &path, QSize size);
    int selectedUsedRow() const;
    int frameAt(const QPoint &global) const;
    void previewUsed();
    void previewCatalogue();

    AlbumSession &m_session;
    DialogService &m_dialogs;
    ThumbnailCache &m_thumbs;
    std::function<void(int, bool)> m_preview;

    QTreeWidget *m_templates = nullptr; // ListView_moban
    QTreeWidget *m_used = nullptr; // ListView_moban_shiyong
    QLineEdit *m_xuhao = nullptr, *m_name = nullptr, *m_type = nullptr, *m_duration = nullptr;
    QLineEdit *m_heng = nullptr, *m_shu = nullptr, *m_row = nullptr, *m_addedHeng = nullptr, *m_addedShu = nullptr;
    QLineEdit *m_dragPhoto = nullptr, *m_dragFrame = nullptr, *m_press = nullptr, *m_framesState = nullptr;
    QScrollArea *m_photoPanel = nullptr; // ScrollBox_zhapian
    QWidget *m_photoInner = nullptr;
    QScrollArea *m_framePanel = nullptr; // ScrollBox_mobankuang
    QWidget *m_frameInner = nullptr;
    QLabel *m_floating = nullptr; // Image_yidong
    // "提示演示效果": a picture of the template row glides to where it goes.
    QCheckBox *m_glideOption = nullptr; // CheckBox_tishiyanshi
    QLabel *m_glide = nullptr; // Image_yanshi
    QPropertyAnimation *m_glideMove = nullptr;
    // Glides a picture of `item` from its place in `from` to `end` (window coordinates).
    void glide(QTreeWidget *from, QTreeWidgetItem *item, QPoint end);
    QLabel *m_status = nullptr;
    QPushButton *m_previewUsed = nullptr, *m_previewCatalogue = nullptr;
    std::vector<QWidget *> m_listControls; // disabled while the tables fill

    std::vector<QLabel *> m_photoPictures; // Imagem_<i>
    std::vector<QWidget *> m_photoItems;
    std::vector<QLabel *> m_frames; // Imagem_k<j>
    std::vector<QWidget *> m_frameItems;
    // Photo rows by path: a thumbnail that arrives finds its pictures at once.
    QHash<QString, std::vector<int>> m_rowsByPath;
    int m_nextPhoto = 0;
    bool m_tablesLoaded = false;
    bool m_loaded = false;
    bool m_stepQueued = false;
    int m_dragging = -1;
    QPoint m_pressOffset;
};

} // namespace lumora::ui
