#include "DeleteByOriginDialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/Album.h"
#include "app/DialogService.h"
#include "effects/EffectTables.h"

namespace lumora::ui {

DeleteByOriginDialog::DeleteByOriginDialog(EffectKind kind, Album &album, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_kind(kind), m_album(album), m_dialogs(dialogs)
{
    const bool picture = kind == EffectKind::Picture;
    setObjectName(picture ? QStringLiteral("TForm37") : QStringLiteral("TForm36"));
    setWindowTitle(tr("选择删除特效"));
    setModal(true);
    m_manual = new QRadioButton(picture ? tr("全部删除手动添加的画面特效") : tr("全部删除手动添加的文字特效"), this);
    m_manual->setObjectName(QStringLiteral("RadioButton_shoudong"));
    m_automatic = new QRadioButton(picture ? tr("全部删除自动添加的画面特效") : tr("全部删除自动添加的文字特效"), this);
    m_automatic->setObjectName(QStringLiteral("RadioButton_zidong"));
    m_manual->setChecked(true);
    m_ok = new QPushButton(tr("确定"), this);
    m_ok->setObjectName(QStringLiteral("Button_queding"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(tr("取消"), this);
    m_cancel->setObjectName(QStringLiteral("Button_quxiao"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_manual);
    layout->addWidget(m_automatic);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    setMinimumWidth(360);

    connect(m_ok, &QPushButton::clicked, this, &DeleteByOriginDialog::confirmDelete);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void DeleteByOriginDialog::confirmDelete()
{
    for (QWidget *w : {static_cast<QWidget *>(m_manual), static_cast<QWidget *>(m_automatic),
                       static_cast<QWidget *>(m_ok), static_cast<QWidget *>(m_cancel)})
        w->setEnabled(false);
    const bool automatic = m_automatic->isChecked();
    const EffectResult r = m_kind == EffectKind::Picture ? deletePictureEffectsByOrigin(m_album, automatic)
                                                         : deleteTextEffectsByOrigin(m_album, automatic);
    for (QWidget *w : {static_cast<QWidget *>(m_manual), static_cast<QWidget *>(m_automatic),
                       static_cast<QWidget *>(m_ok), static_cast<QWidget *>(m_cancel)})
        w->setEnabled(true);
    if (!r.notice.isEmpty())
        m_dialogs.notice(this, r.notice);
    if (r.closeDialog)
        accept();
}

} // namespace lumora::ui
