#include "ui/templates/TemplateOptionsWindow.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "album/AlbumTables.h"
#include "app/Error.h"
#include "session/AlbumSession.h"
#include "ui/app/DialogService.h"

namespace lumora::ui {

TemplateOptionsWindow::TemplateOptionsWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_session(session), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TForm41"));
    setWindowTitle(tr("模板选项：自动为添加的照片分配模板方式"));
    auto *root = new QVBoxLayout(this);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("ListView_zuhemoban"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({tr("模板组合"), tr("横照片(张)"), tr("竖照片(张)"), tr("照片总数(张)")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    root->addWidget(m_list, 1);

    auto *form = new QFormLayout;
    const auto field = [this, form](const char *name, const char *label) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setReadOnly(true);
        if (label)
            form->addRow(tr(label), e);
        return e;
    };
    m_name = field("Edit_zuhemoban_mingcheng", QT_TRANSLATE_NOOP("lumora::ui::TemplateOptionsWindow", "组合模板名称"));
    m_heng = field("Edit_zuhemoban_hengzhao", QT_TRANSLATE_NOOP("lumora::ui::TemplateOptionsWindow", "需要横照片"));
    m_shu = field("Edit_zuhemoban_shuzhao", QT_TRANSLATE_NOOP("lumora::ui::TemplateOptionsWindow", "需要竖照片"));
    m_row = field("Edit_zuhemoban_xuanhao", nullptr);
    m_method = field("Edit_mobanfashi", nullptr);
    m_row->hide();
    m_method->hide();
    m_row->setText(QStringLiteral("0"));
    root->addLayout(form);
    m_text = new QLabel(tr("说明："), this);
    m_text->setObjectName(QStringLiteral("Label3"));
    root->addWidget(m_text);

    auto *buttons = new QHBoxLayout;
    auto *combo = new QPushButton(tr("使用模板组合添加照片   ← 推荐使用"), this);
    combo->setObjectName(QStringLiteral("Button1"));
    combo->setDefault(true);
    auto *random = new QPushButton(tr("使用随机模板添加照片"), this);
    random->setObjectName(QStringLiteral("Button2"));
    buttons->addWidget(combo);
    buttons->addWidget(random);
    root->addLayout(buttons);
    resize(560, 420);

    connect(combo, &QPushButton::clicked, this, &TemplateOptionsWindow::useCombination);
    connect(random, &QPushButton::clicked, this, &TemplateOptionsWindow::useRandom);
    connect(m_list, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { choosePack(m_list->indexOfTopLevelItem(item)); });
    // A click beside the rows chooses nothing: say so.
    m_list->viewport()->installEventFilter(this);
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item)
            choosePack(m_list->indexOfTopLevelItem(item));
    });
}

QString TemplateOptionsWindow::start()
{
    m_list->clear();
    m_packs.clear();
    m_method->setText(m_session.album().Edit_mobanfashi);
    // Each pack on its own: a damaged pack is named, the others stay offered.
    QStringList problems;
    const int count = templatePackCount(m_session.paths());
    for (int k = 1; k <= count; ++k) {
        try {
            m_packs.push_back(readTemplatePack(m_session.paths(), k));
        } catch (const Error &e) {
            problems << e.message();
        }
    }
    const QString problem = problems.join(QLatin1Char('\n'));
    for (const TemplatePack &p : m_packs)
        m_list->addTopLevelItem(new QTreeWidgetItem(p.chooserRow()));
    if (!m_packs.empty())
        choosePack(0);
    return problem;
}

bool TemplateOptionsWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() == Qt::LeftButton && !m_list->itemAt(me->position().toPoint()))
            choosePack(-1);
    }
    return QDialog::eventFilter(watched, event);
}

void TemplateOptionsWindow::choosePack(int row)
{
    if (m_packs.empty()) {
        m_dialogs.notice(this, tr("没有找到组合模板！"));
        return;
    }
    if (row < 0 || row >= int(m_packs.size())) {
        m_dialogs.notice(this, tr("没有选中组合模板！"));
        return;
    }
    const TemplatePack &p = m_packs[size_t(row)];
    m_row->setText(QString::number(row));
    m_name->setText(p.chooserRow().value(0));
    m_heng->setText(tr("%1 张").arg(p.landscapeNeed));
    m_shu->setText(tr("%1 张").arg(p.portraitNeed));
    const QString text = packRequirementText(p.landscapeNeed, p.portraitNeed);
    if (!text.isEmpty())
        m_text->setText(text);
    if (m_list->currentItem() != m_list->topLevelItem(row))
        m_list->setCurrentItem(m_list->topLevelItem(row));
}

void TemplateOptionsWindow::useCombination()
{
    // Without a pack the combination cannot be used: the add falls back to random templates.
    if (m_packs.empty()) {
        m_dialogs.notice(this, tr("没有找到组合模板！"));
        useRandom();
        return;
    }
    m_method->setText(kMethodCombined);
    m_session.album().Edit_mobanfashi = kMethodCombined;
    accept();
}

void TemplateOptionsWindow::useRandom()
{
    m_method->setText(kMethodRandom);
    m_session.album().Edit_mobanfashi = kMethodRandom;
    accept();
}

void TemplateOptionsWindow::reject()
{
    // The window is left only through its two choices.
}

void TemplateOptionsWindow::closeEvent(QCloseEvent *e)
{
    e->ignore();
}

int TemplateOptionsWindow::chosenPack() const
{
    if (m_method->text() != kMethodCombined || m_packs.empty())
        return 0;
    return m_packs[size_t(std::clamp(m_row->text().toInt(), 0, int(m_packs.size()) - 1))].k;
}

} // namespace lumora::ui
