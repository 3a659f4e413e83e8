#pragma once
// The text effect window (TForm33, "文字特效"): the album's text effect rows,
// chosen through the twenty categories, each package previewed moving at its
// default position over the sample picture; the selected row's still frame
// is moved with two sliders and its position saved or reset; rows are placed
// automatically on the used templates' text marks (TForm34). Under
// "自定义文字" the person types their own words (two lines at most), picks
// a style and adds them as a row of their own, or changes the selected one;
// the words animate in their style in the preview area while they are typed.
#include "EffectTimelineWindow.h"

class QLabel;
class QPlainTextEdit;
class QTimer;
class QListWidget;
class QSlider;

namespace lumora::ui {

class TextEffectWindow : public EffectTimelineWindow {
    Q_OBJECT
public:
    TextEffectWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent = nullptr);

    // Refuses while the album plays; otherwise the opening steps and show.
    bool openWindow() override;
    // The opening steps without showing.
    void prepare();

protected:
    EffectLocation locationOf(int nameIndex) const override;
    QPoint animationPosition(const EffectLocation &loc) const override;
    void addRow() override;
    void autoPlace() override;
    void rowSelected(int row) override;
    void setPreviewLocked(bool locked) override;
    void nameChosen(int index) override;

private:
    void categoryChosen(int row);
    void listCategory(int row, ListingCause cause);
    void clearStill();
    void showStill(const EffectLocation &loc, QPoint at);
    void sliderMoved();
    void savePosition();
    void resetPosition();
    void setSliders(QPoint at);
    void addCaption();
    void editCaption();
    void captionInputChanged();
    void stepCaptionPreview();
    void showCaptionStill(const Row &row, QPoint at);

    QComboBox *m_category = nullptr; // ComboBox_texiao_fenlei
    QListWidget *m_categoryOf = nullptr; // ListBox_fenlei_hang
    QListWidget *m_numberOf = nullptr; // ListBox_fenlei_hang_xifen
    QLabel *m_still = nullptr; // Image1_wezi_texiao_xianshi_zhen
    QSlider *m_x = nullptr, *m_y = nullptr;
    QPushButton *m_save = nullptr, *m_reset = nullptr;
    QPlainTextEdit *m_captionText = nullptr; // Memo_zidingyi_wenzi
    QComboBox *m_captionStyle = nullptr; // ComboBox_wenzi_yangshi
    QPushButton *m_captionAdd = nullptr, *m_captionEdit = nullptr;
    QTimer *m_captionTimer = nullptr;
    int m_captionFrame = 0;
    TextEffectListing m_listing;
    int m_categoryRow = 0;
};

} // namespace lumora::ui
