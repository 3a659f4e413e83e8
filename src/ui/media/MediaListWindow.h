#pragma once
// The shared frame of the music window TForm4 and the lyric window TForm5:
// the list of files (a view of the album's row table), the detail fields of
// the row last clicked, and a column of commands. The subclasses give the
// table, the detail fields and the commands; the rules are the engine's.
#include <QDialog>
#include <QStringList>
#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QVBoxLayout;

namespace lumora {
class AlbumSession;
class RowTable;
} // namespace lumora

namespace lumora::ui {

class DialogService;

class MediaListWindow : public QDialog {
    Q_OBJECT
public:
    // Rebuilds the list from the table and empties the detail fields.
    void refresh();
    QTreeWidget *list() const { return m_list; }
    // 0-based selected row, -1 when none.
    int selectedRow() const;
    // Files dropped from the file manager: those of the window's kind
    // (filesOfKind) are added as its add command adds chosen files.
    virtual void addDroppedFiles(const QStringList &paths) = 0;
    // The paths among `paths` that end in `suffix` (".mp3", ".lrc"), letter case ignored.
    static QStringList filesOfKind(const QStringList &paths, const QString &suffix);

protected:
    MediaListWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent);
    // columns: the list's captions; `table` gives the rows; details: object
    // name and caption of each detail field, filled from the row's caption
    // and sub-items in order (`detailCells` picks them: -1 = caption).
    void build(const QStringList &columns, std::function<const RowTable &()> table,
               const std::vector<std::pair<QString, QString>> &details, const std::vector<int> &detailCells);
    QPushButton *addButton(const QString &objectName, const QString &text, const std::function<void()> &action);
    // A finished action says so in the window's status line (no box to close).
    void showDone(const QString &text);
    // Selects row `row` of the list, or the last row when it is past the end.
    void selectRow(int row);
    void clearDetails();
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;

    AlbumSession &m_session;
    DialogService &m_dialogs;

private:
    void showDetails(int row);

    std::function<const RowTable &()> m_table;
    QTreeWidget *m_list = nullptr;
    QLabel *m_status = nullptr; // Label_zhuangtai
    QVBoxLayout *m_buttons = nullptr;
    std::vector<QLineEdit *> m_details;
    std::vector<int> m_detailCells;
};

} // namespace lumora::ui
