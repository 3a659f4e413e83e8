#pragma once
// Template options TForm41 ("模板选项：自动为添加的照片分配模板方式"): before photos
// are added with template combinations switched on in the settings, the
// person sees the template packs with the photos each needs and chooses one
// pack, or random templates. The window only chooses: the add itself (with
// the pack's photo check) is the album session's.
//
// Use from the user-interface thread.
#include <QDialog>
#include <vector>

#include "templates/TemplatePacks.h"

class QLabel;
class QLineEdit;
class QTreeWidget;

namespace lumora {
class AlbumSession;
}

namespace lumora::ui {

class DialogService;

class TemplateOptionsWindow : public QDialog {
    Q_OBJECT
public:
    TemplateOptionsWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent = nullptr);

    // Reads the packs and chooses the first. Returns "" or the notice when a
    // pack cannot be read.
    QString start();

    // ---- commands ----
    void choosePack(int row);
    void useCombination(); // "使用模板组合添加照片": method shiyong_zuhemoban, closes
    void useRandom(); // "使用随机模板添加照片": method shiyong_suijimoban, closes

    // The choice after the window closed: 0 for random templates, else the
    // pack number k (1-based) to pass as PhotoAddOptions::pack.
    int chosenPack() const;
    int packCount() const { return int(m_packs.size()); }

protected:
    void reject() override;
    void closeEvent(QCloseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AlbumSession &m_session;
    DialogService &m_dialogs;
    QTreeWidget *m_list = nullptr; // ListView_zuhemoban
    QLineEdit *m_row = nullptr; // Edit_zuhemoban_xuanhao
    QLineEdit *m_name = nullptr, *m_heng = nullptr, *m_shu = nullptr, *m_method = nullptr;
    QLabel *m_text = nullptr; // Label3
    std::vector<TemplatePack> m_packs;
};

} // namespace lumora::ui
