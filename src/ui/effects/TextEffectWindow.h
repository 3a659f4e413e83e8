#pragma once
// The text effect window (TForm33, "文字特效"): the album's text effect rows,
// chosen through the twenty categories, each package previewed moving at its
// default position over the sample picture; the selected row's still frame
// is moved with two sliders and its position saved or reset; rows are placed
// automatically on the used templates' text marks (TForm34).
#include "EffectTimelineWindow.h"

class QLabel;
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

private:
    void categoryChosen(int row);
    void listCategory(int row, ListingCause cause);
    void clearStill();
    void showStill(const EffectLocation &loc, QPoint at);
    void sliderMoved();
    void savePosition();
    void resetPosition();
    void setSliders(QPoint at);

    QComboBox *m_category = nullptr; // ComboBox_texiao_fenlei
    QListWidget *m_categoryOf = nullptr; // ListBox_fenlei_hang
    QListWidget *m_numberOf = nullptr; // ListBox_fenlei_hang_xifen
    QLabel *m_still = nullptr; // Image1_wezi_texiao_xianshi_zhen
    QSlider *m_x = nullptr, *m_y = nullptr;
    QPushButton *m_save = nullptr, *m_reset = nullptr;
    TextEffectListing m_listing;
    int m_categoryRow = 0;
};

} // namespace lumora::ui
