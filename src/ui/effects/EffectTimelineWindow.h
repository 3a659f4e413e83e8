#pragma once
// What the picture effect window (TForm32) and the text effect window
// (TForm33) share: the effect name list with its gallery and the package
// animation in the preview area, the start-time lists, the two tables
// (ListView_Image hidden, ListView_Image_2 shown), changing a row's start,
// deleting one, all or by origin, and the preview of the rows over time with
// the window's own clock. Every table change is an engine call; the window
// turns its result into the notice.
//
// The window is modal while it is open (openWindow() shows it without
// blocking the caller); closing it by any means stops the preview first.
// User-interface thread only.
#include <QDialog>
#include <QPointer>

#include "effects/EffectPackage.h"
#include "effects/EffectTables.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableView;
class QVBoxLayout;
class QGridLayout;
class QHBoxLayout;
class QWidget;

namespace lumora {
class AlbumSession;
struct Album;
} // namespace lumora

namespace lumora::ui {

class DialogService;
class EffectAnimation;
class EffectGallery;
class EffectRowPreview;
class EffectStage;
class EffectTableModel;

class EffectTimelineWindow : public QDialog {
    Q_OBJECT
public:
    EffectTimelineWindow(EffectKind kind, AlbumSession &session, DialogService &dialogs, QWidget *parent);
    ~EffectTimelineWindow() override;

    // The opening steps, then shows the window (modal, returns at once).
    // Returns false when the window refuses to open (with its notice).
    virtual bool openWindow();

    EffectAnimation *animation() const { return m_animation; }
    EffectGallery *gallery() const { return m_gallery; }
    EffectRowPreview *rowPreview() const { return m_rowPreview; }
    EffectStage *stage() const { return m_stage; }
    // Shows the tables again after a change made outside the window.
    void refreshTables();

protected:
    void reject() override;
    void closeEvent(QCloseEvent *event) override;

    // The opening steps common to both windows (time lists, progress bar, tables).
    void prepareCommon();
    // Lists the names (and their gallery) of the current listing.
    void showListing(const std::vector<EffectLocation> &locations, const QStringList &names);
    // Package of name-list entry i.
    virtual EffectLocation locationOf(int nameIndex) const = 0;
    // Where the package animation is drawn in the preview area.
    virtual QPoint animationPosition(const EffectLocation &loc) const;
    virtual void addRow() = 0;
    virtual void autoPlace() = 0;
    virtual void rowSelected(int row);
    // Further controls disabled while the rows are previewed.
    virtual void setPreviewLocked(bool locked);
    virtual void nameChosen(int index);

    Album &album() const;
    StartTimeChoice timeChoice() const;
    int selectedRow() const;
    void notice(const QString &text);
    ConfirmFn confirmFn();
    void afterEdit(const EffectResult &r);
    QPushButton *makeButton(const QString &objectName, const QString &caption);
    void playPackage(const EffectLocation &loc, const QString &name);

    EffectKind m_kind;
    AlbumSession &m_session;
    DialogService &m_dialogs;
    QString m_modeFolder;

    QComboBox *m_names = nullptr; // ComboBox_texiao_name
    EffectGallery *m_gallery = nullptr;
    QWidget *m_stageFrame = nullptr; // 800 × 450 frame around the preview area
    EffectStage *m_stage = nullptr; // ScrollBox_texiao_xianshi
    QLabel *m_packageInfo = nullptr;
    QLineEdit *m_clock = nullptr; // Edit_shijian
    QProgressBar *m_progress = nullptr;
    QComboBox *m_hour = nullptr, *m_minute = nullptr, *m_second = nullptr;
    QLineEdit *m_startEdit = nullptr; // Edit_kaishi_shijian
    QTableView *m_working = nullptr; // ListView_Image (hidden)
    QTableView *m_visible = nullptr; // ListView_Image_2
    EffectTableModel *m_workingModel = nullptr;
    EffectTableModel *m_visibleModel = nullptr;
    QPushButton *m_add = nullptr, *m_delete = nullptr, *m_deleteAll = nullptr, *m_deleteByOrigin = nullptr;
    QPushButton *m_previewOne = nullptr, *m_previewAll = nullptr, *m_previewStop = nullptr;
    QPushButton *m_auto = nullptr, *m_editStart = nullptr, *m_back = nullptr;
    QGridLayout *m_selectionBox = nullptr; // the subclass's choosing controls go here
    QVBoxLayout *m_stageColumn = nullptr;
    QHBoxLayout *m_buttonRow = nullptr;

    EffectAnimation *m_animation = nullptr;
    EffectRowPreview *m_rowPreview = nullptr;
    bool m_filling = false; // lists being filled: no reaction to their signals

private:
    void deleteSelected();
    void deleteAll();
    void deleteByOrigin();
    void editStart();
    void startPreview(bool single);
    void stopPreview();
    void previewFinished();
};

} // namespace lumora::ui
