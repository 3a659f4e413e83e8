#include "media/MediaListWindow.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "app/DroppedFiles.h"
#include "app/RowTable.h"

namespace lumora::ui {

MediaListWindow::MediaListWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_session(session), m_dialogs(dialogs)
{
    setModal(true);
    setAcceptDrops(true);
    resize(760, 420);
}

void MediaListWindow::build(const QStringList &columns, std::function<const RowTable &()> table,
                            const std::vector<std::pair<QString, QString>> &details,
                            const std::vector<int> &detailCells)
{
    m_table = std::move(table);
    m_detailCells = detailCells;
    auto *outer = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels(columns);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->header()->setStretchLastSection(true);
    left->addWidget(m_list, 1);
    auto *form = new QFormLayout;
    for (const auto &[name, caption] : details) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setReadOnly(true);
        form->addRow(caption, edit);
        m_details.push_back(edit);
    }
    left->addLayout(form);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Label_zhuangtai"));
    left->addWidget(m_status);
    outer->addLayout(left, 1);
    m_buttons = new QVBoxLayout;
    m_buttons->addStretch(1);
    outer->addLayout(m_buttons);
    connect(m_list, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { showDetails(m_list->indexOfTopLevelItem(item)); });
    connect(m_list, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item)
            showDetails(m_list->indexOfTopLevelItem(item));
    });
}

QPushButton *MediaListWindow::addButton(const QString &objectName, const QString &text,
                                        const std::function<void()> &action)
{
    auto *b = new QPushButton(text, this);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    m_buttons->insertWidget(m_buttons->count() - 1, b);
    connect(b, &QPushButton::clicked, this, action);
    return b;
}

void MediaListWindow::refresh()
{
    m_list->clear();
    const RowTable &t = m_table();
    for (int i = 0; i < t.size(); ++i) {
        QStringList cells{t[i].caption()};
        for (int c = 0; c + 1 < m_list->columnCount(); ++c)
            cells << t[i].subItem(c);
        m_list->addTopLevelItem(new QTreeWidgetItem(cells));
    }
    for (int c = 0; c < m_list->columnCount(); ++c)
        m_list->resizeColumnToContents(c);
    clearDetails();
}

void MediaListWindow::showDone(const QString &text)
{
    m_status->setText(text);
}

void MediaListWindow::selectRow(int row)
{
    const int n = m_list->topLevelItemCount();
    if (n == 0)
        return;
    QTreeWidgetItem *item = m_list->topLevelItem(std::clamp(row, 0, n - 1));
    m_list->setCurrentItem(item);
    item->setSelected(true);
}

int MediaListWindow::selectedRow() const
{
    const QList<QTreeWidgetItem *> items = m_list->selectedItems();
    return items.isEmpty() ? -1 : m_list->indexOfTopLevelItem(items.front());
}

void MediaListWindow::clearDetails()
{
    for (QLineEdit *e : m_details)
        e->clear();
}

void MediaListWindow::showDetails(int row)
{
    const RowTable &t = m_table();
    if (row < 0 || row >= t.size())
        return;
    for (size_t i = 0; i < m_details.size() && i < m_detailCells.size(); ++i)
        m_details[i]->setText(m_detailCells[i] < 0 ? t[row].caption() : t[row].subItem(m_detailCells[i]));
}

QStringList MediaListWindow::filesOfKind(const QStringList &paths, const QString &suffix)
{
    QStringList out;
    for (const QString &p : paths)
        if (p.endsWith(suffix, Qt::CaseInsensitive))
            out << p;
    return out;
}

void MediaListWindow::dragEnterEvent(QDragEnterEvent *e)
{
    if (e->mimeData()->hasUrls())
        e->acceptProposedAction();
}

void MediaListWindow::dropEvent(QDropEvent *e)
{
    const QStringList paths = droppedLocalFiles(e->mimeData());
    if (paths.isEmpty())
        return;
    e->acceptProposedAction();
    addDroppedFiles(paths);
}

} // namespace lumora::ui
