#include "PhotoFilesWindow.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <memory>

#include "album/PhotoGeometry.h"
#include "album/PhotoWindow.h"
#include "album/ThumbnailListModel.h"

namespace lumora::ui {

PhotoFilesWindow::PhotoFilesWindow(const Album &album, ThumbnailCache &thumbnails, PhotoWindow &photos, QWidget *parent)
    : QDialog(parent), m_photos(photos)
{
    setObjectName(QStringLiteral("TForm42"));
    setProperty("lumoraWindow", true);
    setWindowTitle(tr("照片文件"));
    resize(1033, 652);

    auto *layout = new QVBoxLayout(this);
    m_model = new ThumbnailListModel(album, thumbnails, this);
    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("ListView1"));
    m_list->setViewMode(QListView::IconMode);
    m_list->setResizeMode(QListView::Adjust);
    m_list->setMovement(QListView::Static);
    m_list->setUniformItemSizes(true);
    m_list->setTextElideMode(Qt::ElideMiddle);
    m_list->setSpacing(6);
    m_list->setModel(m_model);
    m_list->setIconSize(kListBoxSmall);
    layout->addWidget(m_list, 1);
    connect(m_list, &QListView::clicked, this, [this](const QModelIndex &ix) { Q_EMIT photoChosen(ix.row()); });
    connect(m_list, &QListView::doubleClicked, this,
            [this](const QModelIndex &ix) { Q_EMIT photoTemplatesRequested(ix.row()); });
    // The list's menu: the photo in the large view, or its templates played.
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint &p) {
        const QModelIndex ix = m_list->indexAt(p);
        if (!ix.isValid())
            return;
        m_list->setCurrentIndex(ix);
        const std::unique_ptr<QMenu> menu(listMenu(ix.row()));
        menu->exec(m_list->viewport()->mapToGlobal(p));
    });

    auto *row = new QHBoxLayout;
    auto button = [this, row](const char *name, const char *text, const char *hint) {
        auto *b = new QPushButton(tr(text), this);
        b->setObjectName(QString::fromLatin1(name));
        if (hint)
            b->setToolTip(tr(hint));
        row->addWidget(b);
        return b;
    };
    QPushButton *larger
        = button("Button_fangda_zhaopian", QT_TRANSLATE_NOOP("lumora::ui::PhotoFilesWindow", "放大照片"), nullptr);
    QPushButton *smaller
        = button("Button_suoxiao_zhaopian", QT_TRANSLATE_NOOP("lumora::ui::PhotoFilesWindow", "缩小照片"), nullptr);
    QPushButton *del = button("Button_shanchu_zhaopian", QT_TRANSLATE_NOOP("lumora::ui::PhotoFilesWindow", "删除照片"),
                              QT_TRANSLATE_NOOP("lumora::ui::PhotoFilesWindow", "删除选中的照片 (Delete)"));
    QPushButton *all
        = button("Button_quanbu_shanchu", QT_TRANSLATE_NOOP("lumora::ui::PhotoFilesWindow", "全部删除"), nullptr);
    row->addStretch();
    QPushButton *window1
        = button("Button_fangda_chuangkou1", QT_TRANSLATE_NOOP("lumora::ui::PhotoFilesWindow", "放大窗口1"), nullptr);
    QPushButton *window2
        = button("Button_fangda_chuangkou2", QT_TRANSLATE_NOOP("lumora::ui::PhotoFilesWindow", "放大窗口2"), nullptr);
    QPushButton *normal
        = button("Button_moren_chuangkou", QT_TRANSLATE_NOOP("lumora::ui::PhotoFilesWindow", "默认窗口"), nullptr);
    QPushButton *back = button("Button_fanhui", QT_TRANSLATE_NOOP("lumora::ui::PhotoFilesWindow", "返回"), nullptr);
    layout->addLayout(row);

    connect(larger, &QPushButton::clicked, this, [this] { setBox(kListBoxLarge); });
    connect(smaller, &QPushButton::clicked, this, [this] { setBox(kListBoxSmall); });
    connect(del, &QPushButton::clicked, this, [this] {
        m_photos.deletePhotoCommand(currentRow());
        reload();
    });
    connect(all, &QPushButton::clicked, this, [this] {
        m_photos.deleteAllCommand();
        reload();
    });
    auto resizeTo = [this](qreal share) {
        const QRect screen = this->screen() ? this->screen()->availableGeometry() : QRect(0, 0, 1280, 800);
        const QSize size
            = share >= 1.0 ? screen.size() : QSize(int(screen.width() * share), int(screen.height() * share));
        resize(size.expandedTo(QSize(1033, 652)).boundedTo(screen.size()));
        move(screen.center() - rect().center());
    };
    connect(window1, &QPushButton::clicked, this, [resizeTo] { resizeTo(0.85); });
    connect(window2, &QPushButton::clicked, this, [resizeTo] { resizeTo(1.0); });
    connect(normal, &QPushButton::clicked, this, [this] { resize(1033, 652); });
    connect(back, &QPushButton::clicked, this, [this] {
        setBox(kListBoxSmall);
        accept();
    });
}

QMenu *PhotoFilesWindow::listMenu(int row)
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PopupMenu_liebiao"));
    menu->addAction(tr("查看照片"), this, [this, row] { Q_EMIT photoChosen(row); });
    menu->addAction(tr("预览效果"), this, [this, row] { Q_EMIT photoTemplatesRequested(row); })
        ->setObjectName(QStringLiteral("MenuItem_yulan"));
    return menu;
}

void PhotoFilesWindow::reload()
{
    m_model->reload();
    m_model->prefetch();
}

void PhotoFilesWindow::setBox(QSize box)
{
    m_model->setBox(box);
    m_list->setIconSize(box);
    reload();
}

int PhotoFilesWindow::currentRow() const
{
    const QModelIndex ix = m_list->currentIndex();
    return ix.isValid() && m_list->selectionModel()->isSelected(ix) ? ix.row() : -1;
}

void PhotoFilesWindow::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Delete) {
        m_photos.deletePhotoCommand(currentRow());
        reload();
        return;
    }
    QDialog::keyPressEvent(e);
}

} // namespace lumora::ui
