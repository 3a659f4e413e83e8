#pragma once
// The cropping editor TForm9 ("照片剪裁"): the slots that hold a photo, the
// selected slot drawn as a frame with its photo at the stored placement, and
// enlarge, shrink, drag, default and save. The placement rules are the
// engine's (album/CropPlacement.h); this window shows them and passes the
// person's gestures on. Photos are decoded on a worker thread.
//
// Use from the user-interface thread.
#include <QDialog>
#include <QFutureWatcher>
#include <QImage>
#include <optional>

#include "album/CropPlacement.h"

class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidget;

namespace lumora {
class AlbumSession;
}

namespace lumora::ui {

class DialogService;
class CropFrameWidget;
class CropPhotoWidget;

class CropWindow : public QDialog {
    Q_OBJECT
public:
    CropWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent = nullptr);
    ~CropWindow() override;

    // Lists every slot holding a photo; clears the frame and the fields.
    void start();

    // ---- commands (buttons, keyboard, tests) ----
    void selectRow(int listRow);
    void enlarge();
    void shrink();
    void restoreDefault();
    void save();
    void chooseDisplay(CropDisplay display);
    // The photo dragged to `topLeft` (frame coordinates) and released.
    void dragPhotoTo(QPoint topLeft);

    const CropView &view() const { return m_view; }
    // The decoded photo of the selected row has arrived.
    bool photoReady() const { return !m_image.isNull(); }
    // The frame as the person sees it (the photo clipped to the frame).
    QImage frameImage() const;

Q_SIGNALS:
    void photoLoaded();

private:
    friend class CropPhotoWidget;
    bool checksPass();
    void showView();
    void setEditable(bool on);
    void loadPhoto(const QString &path);
    int slotOfSelection() const;

    AlbumSession &m_session;
    DialogService &m_dialogs;
    QTreeWidget *m_list = nullptr; // ListView_zhaopian_wenjian
    QWidget *m_box = nullptr; // ScrollBox_jiancai_0
    CropFrameWidget *m_frame = nullptr; // ScrollBox_jiequtupian
    CropPhotoWidget *m_photo = nullptr; // Image_load
    QLineEdit *m_xuhao = nullptr, *m_mingcheng = nullptr, *m_weizhi = nullptr, *m_cishu = nullptr;
    QLineEdit *m_selected = nullptr; // Edit_xuanzhonghang
    QRadioButton *m_fill = nullptr, *m_fit = nullptr;
    QPushButton *m_enlarge = nullptr, *m_shrink = nullptr, *m_default = nullptr, *m_save = nullptr;

    std::optional<CropSlot> m_slot;
    CropDisplay m_display = CropDisplay::Fill;
    CropView m_view;
    bool m_editable = false;
    QImage m_image;
    QFutureWatcher<QImage> m_loader;
    quint64 m_loadId = 0;
};

} // namespace lumora::ui
