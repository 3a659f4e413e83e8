#pragma once
// The album type window (TForm24): the output size for the chosen type, the
// album name and the outcome of the window ("zhizuo_kaishi" to start,
// "zhizuo_quxiao" when cancelled). The size lists of every type are kept for
// the album mode, refilled at every start.
//
// The window only collects the choice; ProductionStart reads it after the
// window has closed. User-interface thread only.
#include <QDialog>
#include <QSize>
#include <vector>

#include "production/OutputOptions.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace lumora {
class AlbumSession;
}

namespace lumora::ui {

class DialogService;

class AlbumTypeWindow : public QDialog {
    Q_OBJECT
public:
    // Outcome words of Edit_quxiao.
    static inline const QString kStart = QStringLiteral("zhizuo_kaishi");
    static inline const QString kCancel = QStringLiteral("zhizuo_quxiao");

    AlbumTypeWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent = nullptr);

    // Readies the window for a start of `type`: outcome emptied, the size
    // lists refilled for the album mode, the type's default entry selected,
    // the name emptied.
    void prepare(OutputType type);

    OutputType type() const { return m_type; }
    QString outcome() const;
    QString albumName() const;
    QSize chosenSize() const; // Edit_chicun_width × Edit_chicun_height
    // The sizes offered for the current type, in entry order.
    const std::vector<QSize> &sizes() const { return m_sizes; }

    // "默认": the type's default entry.
    void selectDefault();
    // "取消", Esc and the title-bar close: the outcome "zhizuo_quxiao".
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void chooseEntry(int index);
    void startClicked();
    void cancelClicked();
    void fillTypeLists();

    AlbumSession &m_session;
    DialogService &m_dialogs;
    OutputType m_type = OutputType::MP4;
    std::vector<QSize> m_sizes;
    QComboBox *m_sizeList;
    QLineEdit *m_sizeText;
    QLineEdit *m_typeText;
    QLineEdit *m_name;
    QCheckBox *m_titles = nullptr; // CheckBox_piantou_pianwei
    QLineEdit *m_width;
    QLineEdit *m_height;
    QLineEdit *m_outcome;
    // ComboBox_vcd_1/_2 … ComboBox_mov_1/_2: widths and heights per type.
    std::vector<std::pair<QComboBox *, QComboBox *>> m_typeLists;
};

} // namespace lumora::ui
