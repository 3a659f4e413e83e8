#pragma once
// The photo-templates window TForm20 ("预览此张照片所使用的模板效果"): the
// template slots that hold one photo, from which the user picks the template
// to preview. A photo in exactly one template whose slots are all filled
// opens the preview directly. An incomplete template offers to go to
// template management instead.
#include <QDialog>
#include <functional>

class QLabel;
class QTreeWidget;

namespace lumora {
class AlbumSession;
}

namespace lumora::ui {

class DialogService;
class TemplatePreviewWindow;

class PhotoTemplatesWindow : public QDialog {
    Q_OBJECT
public:
    // `openManagement` opens template management (the answer "yes" to
    // completing the photos of an incomplete template).
    PhotoTemplatesWindow(AlbumSession &session, DialogService &dialogs, TemplatePreviewWindow &preview,
                         std::function<void()> openManagement, QWidget *parent = nullptr);

    // Preview a photo's templates: nothing when the photo is in no slot,
    // the preview at once for one complete template, else this window.
    void previewPhoto(int photoRow);
    // Fills the list for `photoRow`; returns the number of slots.
    int fill(int photoRow);
    // "确定": previews the template of the selected slot (or asks to complete
    // it); returns the used-template row previewed, -1 when none.
    int confirmChoice();
    QTreeWidget *list() const { return m_list; }

private:
    bool templateComplete(int usedRow) const;

    AlbumSession &m_session;
    DialogService &m_dialogs;
    TemplatePreviewWindow &m_preview;
    std::function<void()> m_openManagement;
    QLabel *m_label = nullptr;
    QTreeWidget *m_list = nullptr;
    bool m_showPreview = true; // tests prepare the preview without showing it
public:
    void setShowPreview(bool on) { m_showPreview = on; }
};

} // namespace lumora::ui
