#include "templates/PhotoTemplatesWindow.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "album/AlbumTables.h"
#include "app/DialogService.h"
#include "session/AlbumSession.h"
#include "templates/TemplatePreviewWindow.h"

namespace lumora::ui {

namespace {
const QString kFromMainWindow = QStringLiteral("yulan_zhujiemian_duiying_shiyongmoban");
} // namespace

PhotoTemplatesWindow::PhotoTemplatesWindow(AlbumSession &session, DialogService &dialogs,
                                           TemplatePreviewWindow &preview, std::function<void()> openManagement,
                                           QWidget *parent)
    : QDialog(parent), m_session(session), m_dialogs(dialogs), m_preview(preview),
      m_openManagement(std::move(openManagement))
{
    setObjectName(QStringLiteral("TForm20"));
    setWindowTitle(tr("预览此张照片所使用的模板效果"));
    setModal(true);
    resize(620, 320);
    auto *layout = new QVBoxLayout(this);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label_zhaopian_shiyong_shuliang"));
    m_label->setWordWrap(true);
    layout->addWidget(m_label);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("ListView_zhaopian_yu_pipei_moban"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({tr("序号"), tr("照片名称"), tr("使用模板"), tr("照片位置"), tr("标注")});
    layout->addWidget(m_list, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto *ok = new QPushButton(tr("确定"), this);
    ok->setObjectName(QStringLiteral("Button_queding"));
    auto *cancel = new QPushButton(tr("取消"), this);
    cancel->setObjectName(QStringLiteral("Button_quxiao"));
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] { confirmChoice(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { confirmChoice(); });
}

int PhotoTemplatesWindow::fill(int photoRow)
{
    m_list->clear();
    const Album &album = m_session.album();
    const RowTable &slots = album.ListView_moban_shiyong_canshu;
    int n = 0;
    for (int i = 0; i < slots.size(); ++i) {
        if (slots[i].cell(slotcol::kPhotoRow).isEmpty() || slots[i].cell(slotcol::kPhotoRow).toInt() != photoRow)
            continue;
        const QString path = slots[i].cell(slotcol::kPhotoPath);
        m_list->addTopLevelItem(new QTreeWidgetItem({QString::number(++n), QFileInfo(path).completeBaseName(),
                                                     slots[i].cell(slotcol::kName), path, QString::number(i)}));
    }
    m_label->setText(tr("此张照片用在 %1 个模板文件中,选择下面一项后,点确定按钮,开始预览效果").arg(n));
    return n;
}

bool PhotoTemplatesWindow::templateComplete(int usedRow) const
{
    for (const Row &slot : m_session.album().ListView_moban_shiyong_canshu)
        if (slot.cell(slotcol::kUsedRow).toInt() == usedRow && slot.cell(slotcol::kMatchState).isEmpty())
            return false;
    return true;
}

void PhotoTemplatesWindow::previewPhoto(int photoRow)
{
    const int n = fill(photoRow);
    if (n == 0)
        return;
    if (n == 1) {
        const int slot = m_list->topLevelItem(0)->text(4).toInt();
        const int used = m_session.album().ListView_moban_shiyong_canshu[slot].cell(slotcol::kUsedRow).toInt();
        if (templateComplete(used)) {
            m_list->setCurrentItem(m_list->topLevelItem(0));
            confirmChoice();
            return;
        }
    }
    if (m_showPreview)
        exec();
}

int PhotoTemplatesWindow::confirmChoice()
{
    QTreeWidgetItem *item = m_list->currentItem();
    if (!item) {
        m_dialogs.notice(this, tr("没有选中模板文件！"));
        return -1;
    }
    const int slot = item->text(4).toInt();
    const int used = m_session.album().ListView_moban_shiyong_canshu[slot].cell(slotcol::kUsedRow).toInt();
    if (!templateComplete(used)) {
        if (m_dialogs.confirm(this, tr("补全照片文件"), tr("此模板中的照片文件没有补全,是否确定现在去补全照片文件?"))) {
            accept();
            if (m_openManagement)
                m_openManagement();
        }
        return -1;
    }
    accept();
    if (m_showPreview)
        m_preview.openUsed(used, kFromMainWindow, slot);
    else
        m_preview.prepareUsed(used, kFromMainWindow, slot);
    return used;
}

} // namespace lumora::ui
