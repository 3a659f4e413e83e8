#pragma once
// The template preview TForm19 ("预览模板"): plays one template on its own in
// a box of the mode's preview size, with placeholders (a catalogue template)
// or the album's photos (a used template), its background picture and the
// picture and text effects of its time span in the album, with the fit
// buttons for single landscape templates. Opened with one of three entry
// words (Edit_caozuo_xuanze): "yulan_yuanmoban", "yulan_shiyongmoban",
// "yulan_zhujiemian_duiying_shiyongmoban".
#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QThread;
class QTimer;

namespace lumora {
class AlbumSession;
class EffectRun;
class TemplateDriver;
} // namespace lumora

namespace lumora::ui {

class DialogService;
class PictureView;

class TemplatePreviewWindow : public QDialog {
    Q_OBJECT
public:
    TemplatePreviewWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent = nullptr);
    ~TemplatePreviewWindow() override;

    // Prepares the preview and starts playing once it is ready: the fields
    // are filled at once, the staging and the movie's load run on a worker
    // thread (the box stays black meanwhile) and playing starts when they
    // end. False when the template does not exist; a failure of the staging
    // comes later as a notice. open*() also shows the window modally and
    // wipes the staging folder when it closes.
    //
    // A catalogue template that takes either orientation is listed twice
    // (as 横照模板 and as 竖照模板): `category` names the entry previewed;
    // empty takes the first entry of the index. A used template's fit
    // button follows the crop mark of `slotRow` (the slot chosen in the
    // photo-templates window); without one the photo fills the screen.
    bool prepareCatalogue(int catalogueIndex, const QString &category = {});
    bool prepareUsed(int usedRow, const QString &entryWord, int slotRow = -1);
    void openCatalogue(int catalogueIndex, const QString &category = {});
    void openUsed(int usedRow, const QString &entryWord, int slotRow = -1);
    // The worker is staging or loading (tests and screenshots wait on it).
    bool preparing() const { return m_worker != nullptr; }
    // Processes events until preparing has ended (at most `timeoutMs`);
    // returns whether the movie is ready to play.
    bool waitPrepared(int timeoutMs = 30000);

    void play();
    void stop();
    // One frame (the timer's tick); returns false at the movie's end.
    bool step();
    bool playing() const;
    QString entryWord() const { return m_entry; }
    QString currentTime() const;
    PictureView *picture() const { return m_picture; }

protected:
    void reject() override; // "返回" and the title-bar close

private:
    struct Job;
    bool prepare();
    void startWorker();
    void onPrepared(const std::shared_ptr<Job> &job);
    void resetEffects();
    void setControls(bool playing);
    void release();

    AlbumSession &m_session;
    DialogService &m_dialogs;
    QString m_entry; // Edit_caozuo_xuanze
    int m_row = -1; // Edit_xuanzhong_hang: catalogue index or used row
    int m_catalogueIndex = -1;
    QString m_category; // the catalogue entry's category (模板分类)
    long long m_offset = 0; // Edit_moban_shiyong_zongzhen_leijia
    long long m_frames = 0;
    std::unique_ptr<TemplateDriver> m_driver;
    std::unique_ptr<EffectRun> m_pictureRun, m_textRun;
    PictureView *m_picture = nullptr;
    QWidget *m_box = nullptr;
    QLineEdit *m_time = nullptr;
    QPushButton *m_play = nullptr, *m_stop = nullptr, *m_back = nullptr;
    QRadioButton *m_fill = nullptr, *m_fit = nullptr;
    QTimer *m_timer = nullptr;
    bool m_fitReacts = false; // Edit_danxuananziu_kaiguan "shiyong"
    QThread *m_worker = nullptr; // staging and loading the movie
    std::shared_ptr<Job> m_job; // what the worker prepares now
    bool m_restart = false; // prepared again while the worker ran: start anew when it ends
    bool m_wipeWhenDone = false; // closed while the worker ran: wipe the staging folder when it ends
};

} // namespace lumora::ui
