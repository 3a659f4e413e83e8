#include "ui/album/TemplateManagerWindow.h"
#include <algorithm>

#include <QCheckBox>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "album/AlbumTables.h"
#include "album/Matching.h"
#include "album/PhotoTable.h"
#include "app/Error.h"
#include "app/Language.h"
#include "effects/EffectPlacement.h"
#include "session/AlbumSession.h"
#include "ui/album/ThumbnailCache.h"
#include "ui/app/DialogService.h"

namespace lumora::ui {

namespace {

// Work done per event-loop turn while the window fills: well under what a
// person notices, so painting and input go on between the steps.
constexpr qint64 kStepBudgetNs = 8'000'000;
constexpr int kRowsPerBatch = 16;
// Column widths are measured on this many rows, not on every row.
constexpr int kSizingRows = 100;
constexpr int kGapX = 15;
constexpr int kGapY = 20;
constexpr int kNameHeight = 20;
constexpr int kFrameLabelHeight = 25;
constexpr QSize kLandscapeFrame{89, 54};
constexpr QSize kPortraitFrame{54, 89};
const QString kHeng = QStringLiteral("heng");
const QString kShu = QStringLiteral("shu");
const char *const kPreviewNotReady = QT_TRANSLATE_NOOP("lumora::ui::TemplateManagerWindow", "模板预览窗口尚未接入");

QTreeWidgetItem *makeItem(const Row &r, int columns)
{
    QStringList cells;
    cells.reserve(columns);
    for (int c = 0; c < columns; ++c)
        cells << shownCell(r.cell(c));
    return new QTreeWidgetItem(cells);
}

// Appends up to `count` rows of `table` after those the tree shows. True
// when the tree shows every row.
bool appendRows(QTreeWidget *tree, const RowTable &table, int columns, int count)
{
    const int from = tree->topLevelItemCount();
    const int to = std::min(table.size(), from + count);
    if (from >= to)
        return from >= table.size();
    QList<QTreeWidgetItem *> items;
    items.reserve(to - from);
    for (int i = from; i < to; ++i)
        items << makeItem(table[i], columns);
    tree->addTopLevelItems(items);
    return to >= table.size();
}

// Brings `tree` to show `table`: rows beyond the table removed, missing rows
// appended, and only the cells whose text differs rewritten.
void syncTree(QTreeWidget *tree, const RowTable &table, int columns)
{
    while (tree->topLevelItemCount() > table.size())
        delete tree->takeTopLevelItem(tree->topLevelItemCount() - 1);
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = tree->topLevelItem(i);
        const Row &r = table[i];
        for (int c = 0; c < columns; ++c)
            if (const QString text = shownCell(r.cell(c)); item->text(c) != text)
                item->setText(c, text);
    }
    appendRows(tree, table, columns, table.size());
}

QTreeWidget *makeTree(const QString &name, const QStringList &headers, QWidget *parent)
{
    auto *t = new QTreeWidget(parent);
    t->setObjectName(name);
    t->setRootIsDecorated(false);
    t->setHeaderLabels(headers);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setUniformRowHeights(true);
    t->header()->setResizeContentsPrecision(kSizingRows);
    return t;
}

QLineEdit *field(const QString &name, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setReadOnly(true);
    return e;
}

// The thumbnail with its number in a yellow badge.
QPixmap badged(const QImage &thumb, int number, qreal dpr)
{
    QPixmap pm = QPixmap::fromImage(thumb);
    pm.setDevicePixelRatio(dpr);
    QPainter p(&pm);
    const QString text = QStringLiteral("〔%1〕").arg(number);
    QFont f = p.font();
    f.setPointSize(8);
    p.setFont(f);
    const QRect box
        = p.fontMetrics().boundingRect(text).adjusted(-2, 0, 2, 0).translated(4, 4 + p.fontMetrics().ascent());
    p.fillRect(box, QColor(255, 255, 0));
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignCenter, text);
    return pm;
}

} // namespace

TemplateManagerWindow::TemplateManagerWindow(AlbumSession &session, DialogService &dialogs, ThumbnailCache &thumbs,
                                             QWidget *parent)
    : QDialog(parent), m_session(session), m_dialogs(dialogs), m_thumbs(thumbs)
{
    setObjectName(QStringLiteral("TForm8"));
    setWindowTitle(tr("模板管理"));
    buildLayout();
    connect(&m_thumbs, &ThumbnailCache::ready, this, &TemplateManagerWindow::onThumbnailReady);
    // Every way out ("返回", the close box, Esc) ends here.
    connect(this, &QDialog::finished, this, [this] {
        removeSlotFrames();
        m_floating->hide();
        m_glideMove->stop();
        m_glide->hide();
        m_dragging = -1;
        Q_EMIT closedWithChanges();
    });
}

QString TemplateManagerWindow::openRefusal(const AlbumSession &session)
{
    if (session.album().ListView_daoru_zhaopian.empty())
        return tr("没有添加照片文件！使用模板管理功能,至少添加一张照片文件！");
    return {};
}

void TemplateManagerWindow::buildLayout()
{
    resize(1000, 700);
    auto *root = new QVBoxLayout(this);

    auto *lists = new QHBoxLayout;
    auto *all = new QGroupBox(tr("全部模板"), this);
    auto *allLayout = new QVBoxLayout(all);
    m_templates
        = makeTree(QStringLiteral("ListView_moban"),
                   {tr("序号"), tr("模板"), tr("类型"), tr("横照片"), tr("竖照片"), tr("时长"), tr("分类")}, all);
    allLayout->addWidget(m_templates);
    auto *allButtons = new QHBoxLayout;
    auto *use = new QPushButton(tr("使用选中模板  ↓"), all);
    use->setObjectName(QStringLiteral("Button2"));
    m_previewCatalogue = new QPushButton(tr("预览模板"), all);
    m_previewCatalogue->setObjectName(QStringLiteral("Button22"));
    allButtons->addWidget(use);
    allButtons->addWidget(m_previewCatalogue);
    allLayout->addLayout(allButtons);
    lists->addWidget(all);

    auto *usedBox = new QGroupBox(tr("已经使用的模板"), this);
    auto *usedLayout = new QVBoxLayout(usedBox);
    m_used = makeTree(QStringLiteral("ListView_moban_shiyong"),
                      {tr("序号"), tr("模板"), tr("类型"), tr("横照片"), tr("竖照片"), tr("时长"), tr("分类"),
                       tr("照片匹配"), tr("编号")},
                      usedBox);
    usedLayout->addWidget(m_used);
    auto *usedButtons = new QHBoxLayout;
    auto *del = new QPushButton(tr("删除"), usedBox);
    del->setObjectName(QStringLiteral("Button28"));
    auto *delAll = new QPushButton(tr("全删"), usedBox);
    delAll->setObjectName(QStringLiteral("Button29"));
    m_previewUsed = new QPushButton(tr("预览"), usedBox);
    m_previewUsed->setObjectName(QStringLiteral("Button27"));
    usedButtons->addWidget(del);
    usedButtons->addWidget(delAll);
    usedButtons->addWidget(m_previewUsed);
    usedLayout->addLayout(usedButtons);
    lists->addWidget(usedBox);
    root->addLayout(lists, 3);

    // Details of the selected used template and its slot frames.
    auto *middle = new QHBoxLayout;
    auto *details = new QFormLayout;
    m_xuhao = field(QStringLiteral("Edit_xuhao"), this);
    m_name = field(QStringLiteral("Edit_mobanmingcheng"), this);
    m_type = field(QStringLiteral("Edit_liexing"), this);
    m_duration = field(QStringLiteral("Edit_mobanshichang"), this);
    m_heng = field(QStringLiteral("Edit_hengzhaopian"), this);
    m_shu = field(QStringLiteral("Edit_shuzhaopian"), this);
    m_row = field(QStringLiteral("Edit_mobanhangshu"), this);
    m_addedHeng = field(QStringLiteral("Edit_tianjia_hengzhaopian"), this);
    m_addedShu = field(QStringLiteral("Edit_tianjia_shuzhaopian"), this);
    details->addRow(tr("序号"), m_xuhao);
    details->addRow(tr("模板名称"), m_name);
    details->addRow(tr("模板类型"), m_type);
    details->addRow(tr("模板时长"), m_duration);
    details->addRow(tr("横照片"), m_heng);
    details->addRow(tr("竖照片"), m_shu);
    details->addRow(tr("模板行数"), m_row);
    details->addRow(tr("已添加横照片"), m_addedHeng);
    details->addRow(tr("已添加竖照片"), m_addedShu);
    middle->addLayout(details, 1);
    // The drag state, kept as the window's cells (not shown).
    m_dragPhoto = field(QStringLiteral("Edit_zhaopian_id"), this);
    m_dragFrame = field(QStringLiteral("Edit_mobankuang_id"), this);
    m_press = field(QStringLiteral("Edit_tuodong_kaiguan"), this);
    m_framesState = field(QStringLiteral("Edit_zhaopian_kuang"), this);
    for (QLineEdit *e : {m_dragPhoto, m_dragFrame, m_press, m_framesState})
        e->hide();
    m_press->setText(QStringLiteral("songkai"));
    m_framesState->setText(QStringLiteral("wu"));

    m_framePanel = new QScrollArea(this);
    m_framePanel->setObjectName(QStringLiteral("ScrollBox_mobankuang"));
    m_frameInner = new QWidget;
    m_framePanel->setWidget(m_frameInner);
    m_framePanel->setWidgetResizable(false);
    middle->addWidget(m_framePanel, 3);
    root->addLayout(middle, 3);

    auto *hint = new QLabel(tr("单击下面的照片即可拖到上面区域"), this);
    root->addWidget(hint);
    m_photoPanel = new QScrollArea(this);
    m_photoPanel->setObjectName(QStringLiteral("ScrollBox_zhapian"));
    m_photoInner = new QWidget;
    m_photoPanel->setWidget(m_photoInner);
    m_photoPanel->setWidgetResizable(false);
    // The pictures wrap to the panel's width: only a vertical scroll bar.
    m_photoPanel->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_photoPanel->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    root->addWidget(m_photoPanel, 3);

    auto *bottom = new QHBoxLayout;
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Label_zhuangtai"));
    bottom->addWidget(m_status, 1);
    m_glideOption = new QCheckBox(tr("提示演示效果"), this);
    m_glideOption->setObjectName(QStringLiteral("CheckBox_tishiyanshi"));
    m_glideOption->setToolTip(tr("选中模板或使用模板时，模板滑到它的去处"));
    bottom->addWidget(m_glideOption);
    auto *back = new QPushButton(tr("返     回"), this);
    back->setObjectName(QStringLiteral("Button1"));
    bottom->addWidget(back);
    root->addLayout(bottom);

    m_floating = new QLabel(this);
    m_floating->setObjectName(QStringLiteral("Image_yidong"));
    m_floating->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_floating->hide();
    m_glide = new QLabel(this);
    m_glide->setObjectName(QStringLiteral("Image_yanshi"));
    m_glide->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_glide->setFrameShape(QFrame::Box);
    m_glide->hide();
    m_glideMove = new QPropertyAnimation(m_glide, "pos", this);
    connect(m_glideMove, &QPropertyAnimation::finished, m_glide, &QLabel::hide);

    connect(use, &QPushButton::clicked, this, &TemplateManagerWindow::useSelectedTemplate);
    connect(m_templates, &QTreeWidget::itemDoubleClicked, this, &TemplateManagerWindow::useSelectedTemplate);
    connect(del, &QPushButton::clicked, this, &TemplateManagerWindow::deleteSelectedTemplate);
    connect(delAll, &QPushButton::clicked, this, &TemplateManagerWindow::deleteAllTemplates);
    connect(back, &QPushButton::clicked, this, &QDialog::close);
    connect(m_used, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { selectUsedTemplate(m_used->indexOfTopLevelItem(item)); });
    connect(m_used, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { selectUsedTemplate(m_used->indexOfTopLevelItem(item)); });
    connect(m_previewUsed, &QPushButton::clicked, this, &TemplateManagerWindow::previewUsed);
    connect(m_previewCatalogue, &QPushButton::clicked, this, &TemplateManagerWindow::previewCatalogue);
    auto *delKey = new QShortcut(QKeySequence::Delete, m_used);
    delKey->setContext(Qt::WidgetShortcut);
    connect(delKey, &QShortcut::activated, this, &TemplateManagerWindow::deleteSelectedTemplate);
    m_listControls = {m_templates, m_used, use, del, delAll};
    setPreviewHandler({});
}

void TemplateManagerWindow::setPreviewHandler(std::function<void(int, bool)> handler)
{
    m_preview = std::move(handler);
    for (QPushButton *b : {m_previewUsed, m_previewCatalogue}) {
        b->setEnabled(bool(m_preview) && m_tablesLoaded);
        b->setToolTip(m_preview ? QString() : tr(kPreviewNotReady));
    }
}

void TemplateManagerWindow::start()
{
    clearDetails();
    removeSlotFrames();
    m_templates->clear();
    m_used->clear();
    qDeleteAll(m_photoItems);
    m_photoItems.clear();
    m_photoPictures.clear();
    m_rowsByPath.clear();
    m_nextPhoto = 0;
    m_tablesLoaded = false;
    m_loaded = false;
    setListsEnabled(false);
    m_status->setText(tr("正在加载照片文件…"));
    if (!m_stepQueued) {
        m_stepQueued = true;
        QTimer::singleShot(0, this, &TemplateManagerWindow::fillStep);
    }
}

void TemplateManagerWindow::setListsEnabled(bool on)
{
    for (QWidget *w : m_listControls)
        w->setEnabled(on);
    for (QPushButton *b : {m_previewUsed, m_previewCatalogue})
        b->setEnabled(on && bool(m_preview));
}

// One step of filling: catalogue rows, then used-template rows, then photo
// pictures, for at most a few milliseconds; the next step is queued behind
// whatever else the event loop has to do.
void TemplateManagerWindow::fillStep()
{
    m_stepQueued = false;
    if (m_loaded)
        return;
    QElapsedTimer budget;
    budget.start();
    const Album &a = m_session.album();
    const RowTable &photos = a.ListView_daoru_zhaopian;
    const size_t firstNew = m_photoItems.size();
    const qreal dpr = devicePixelRatioF();
    QPalette boxPalette = palette();
    boxPalette.setColor(QPalette::Window, QColor(29, 24, 18));
    while (budget.nsecsElapsed() < kStepBudgetNs) {
        if (!appendRows(m_templates, a.ListView_moban, 7, kRowsPerBatch))
            continue;
        if (!appendRows(m_used, a.ListView_moban_shiyong, usedcol::kNumber + 1, kRowsPerBatch))
            continue;
        if (!m_tablesLoaded) {
            // Sized once, when complete: sizing on every insert grows with the square of the rows.
            m_templates->header()->resizeSections(QHeaderView::ResizeToContents);
            m_used->header()->resizeSections(QHeaderView::ResizeToContents);
            m_tablesLoaded = true;
            setListsEnabled(true);
            continue;
        }
        if (m_nextPhoto >= photos.size())
            break;
        makePhotoPicture(m_nextPhoto++, boxPalette, dpr);
    }
    if (m_photoItems.size() > firstNew)
        layoutPanel(m_photoInner, m_photoItems, firstNew, m_photoItems.front()->size(),
                    m_photoPanel->viewport()->width());
    if (!m_tablesLoaded || m_nextPhoto < photos.size()) {
        m_stepQueued = true;
        QTimer::singleShot(0, this, &TemplateManagerWindow::fillStep);
        return;
    }
    m_loaded = true;
    m_status->setText(tr("加载照片文件完成！"));
}

void TemplateManagerWindow::refreshUsedTable()
{
    const int keep = selectedUsedRow();
    syncTree(m_used, m_session.album().ListView_moban_shiyong, usedcol::kNumber + 1);
    if (keep >= 0 && keep < m_used->topLevelItemCount())
        m_used->setCurrentItem(m_used->topLevelItem(keep));
}

void TemplateManagerWindow::clearDetails()
{
    for (QLineEdit *e : {m_xuhao, m_name, m_type, m_duration, m_heng, m_shu, m_row, m_addedHeng, m_addedShu})
        e->clear();
}

QSize TemplateManagerWindow::thumbSize(int photoRow, QSize box) const
{
    const Row &r = m_session.album().ListView_daoru_zhaopian[photoRow];
    const int w = std::max(1, r.cell(photocol::kWidth).toInt());
    const int h = std::max(1, r.cell(photocol::kHeight).toInt());
    QSize s(w, h);
    s.scale(box, Qt::KeepAspectRatio);
    return s.expandedTo({1, 1});
}

void TemplateManagerWindow::makePhotoPicture(int i, const QPalette &boxPalette, qreal dpr)
{
    const Row &r = m_session.album().ListView_daoru_zhaopian[i];
    auto *item = new QWidget(m_photoInner);
    item->resize(kPhotoPicture.width(), kPhotoPicture.height() + kNameHeight);
    auto *pic = new QLabel(item);
    pic->setObjectName(QStringLiteral("Imagem_%1").arg(i));
    pic->setGeometry(0, 0, kPhotoPicture.width(), kPhotoPicture.height());
    pic->setAlignment(Qt::AlignCenter);
    // A palette, not a style sheet: a style sheet per picture costs
    // milliseconds each when hundreds are made.
    pic->setAutoFillBackground(true);
    pic->setPalette(boxPalette);
    pic->setToolTip(tr("第%1张, 照片名称: %2").arg(i + 1).arg(r.cell(photocol::kName)));
    pic->setProperty("photoRow", i);
    pic->setCursor(Qt::OpenHandCursor);
    pic->installEventFilter(this);
    auto *name = new QLabel(r.cell(photocol::kName), item);
    name->setObjectName(QStringLiteral("Label_%1").arg(i));
    name->setAlignment(Qt::AlignCenter);
    name->setGeometry(0, kPhotoPicture.height(), kPhotoPicture.width(), kNameHeight);
    const QString path = r.cell(photocol::kPath);
    m_rowsByPath[path].push_back(i);
    // Cached: shown now; otherwise made on a worker and shown when ready.
    const QImage thumb
        = m_thumbs.request(path, thumbSize(i, kPhotoPicture - QSize(10, 10)) * dpr, ThumbnailCache::List);
    if (!thumb.isNull())
        pic->setPixmap(badged(thumb, i + 1, dpr));
    item->show();
    m_photoItems.push_back(item);
    m_photoPictures.push_back(pic);
}

// Places items[from..] on the grid (earlier ones are already in place) and
// sizes the inner widget to hold them all.
void TemplateManagerWindow::layoutPanel(QWidget *inner, const std::vector<QWidget *> &items, size_t from, QSize item,
                                        int panelWidth)
{
    const int perRow = std::max(1, (panelWidth - kGapX) / (item.width() + kGapX));
    for (size_t k = from; k < items.size(); ++k) {
        const int x = kGapX + int(k % perRow) * (item.width() + kGapX);
        const int y = kGapY / 2 + int(k / perRow) * (item.height() + kGapY);
        items[k]->move(x, y);
    }
    const int rows = items.empty() ? 0 : int((items.size() - 1) / perRow) + 1;
    const int bottom = rows == 0 ? 0 : kGapY / 2 + (rows - 1) * (item.height() + kGapY) + item.height();
    inner->resize(std::max(panelWidth, 1), bottom + kGapY / 2);
}

void TemplateManagerWindow::onThumbnailReady(const QString &path, QSize size)
{
    const RowTable &photos = m_session.album().ListView_daoru_zhaopian;
    const qreal dpr = devicePixelRatioF();
    if (auto it = m_rowsByPath.constFind(path); it != m_rowsByPath.constEnd())
        for (int i : *it) {
            if (i >= int(m_photoPictures.size()) || i >= photos.size())
                continue;
            QLabel *pic = m_photoPictures[size_t(i)];
            if (!pic->pixmap().isNull() || thumbSize(i, kPhotoPicture - QSize(10, 10)) * dpr != size)
                continue;
            if (const QImage t = m_thumbs.cached(path, size); !t.isNull())
                pic->setPixmap(badged(t, i + 1, dpr));
        }
    for (QLabel *frame : m_frames) {
        const QVariant photo = frame->property("photoRow");
        if (photo.isValid() && photo.toInt() < photos.size() && photos[photo.toInt()].cell(photocol::kPath) == path)
            showFramePhoto(frame->property("ordinal").toInt(), photo.toInt());
    }
}

int TemplateManagerWindow::selectedUsedRow() const
{
    QTreeWidgetItem *item = m_used->currentItem();
    return item && item->isSelected() ? m_used->indexOfTopLevelItem(item) : -1;
}

void TemplateManagerWindow::selectUsedTemplate(int row)
{
    const RowTable &used = m_session.album().ListView_moban_shiyong;
    if (used.empty()) {
        m_dialogs.notice(this, tr("没有添加模板文件！"));
        return;
    }
    if (row < 0 || row >= used.size()) {
        m_dialogs.notice(this, tr("没有选中模板文件！"));
        return;
    }
    m_used->setCurrentItem(m_used->topLevelItem(row));
    removeSlotFrames();
    const Row &r = used[row];
    m_xuhao->setText(r.caption());
    m_name->setText(r.cell(usedcol::kName));
    m_type->setText(shownCell(r.cell(usedcol::kType)));
    m_duration->setText(r.cell(usedcol::kDuration));
    m_heng->setText(r.cell(usedcol::kLandscape));
    m_shu->setText(r.cell(usedcol::kPortrait));
    m_row->setText(QString::number(row + 1));
    makeSlotFrames(row);
    countPlacedPhotos(row);
    glide(m_used, m_used->topLevelItem(row), m_framePanel->mapTo(this, QPoint(0, 0)));
}

// Decoration only: the row's picture glides at about 500 pixels a second
// from where it was chosen to where it goes, then disappears; the work is
// already done underneath it.
void TemplateManagerWindow::glide(QTreeWidget *from, QTreeWidgetItem *item, QPoint end)
{
    if (!m_glideOption->isChecked() || !item || !isVisible())
        return;
    const QRect rect = from->visualItemRect(item);
    if (rect.isEmpty())
        return;
    m_glideMove->stop();
    m_glide->setPixmap(from->viewport()->grab(rect));
    m_glide->resize(rect.size());
    const QPoint start = from->viewport()->mapTo(this, rect.topLeft());
    const int distance = (end - start).manhattanLength();
    m_glideMove->setDuration(std::clamp(distance * 2, 150, 800));
    m_glideMove->setStartValue(start);
    m_glideMove->setEndValue(end);
    m_glide->move(start);
    m_glide->show();
    m_glide->raise();
    m_glideMove->start();
}

void TemplateManagerWindow::removeSlotFrames()
{
    qDeleteAll(m_frameItems);
    m_frameItems.clear();
    m_frames.clear();
    m_framesState->setText(QStringLiteral("wu"));
}

void TemplateManagerWindow::makeSlotFrames(int usedRow)
{
    const Album &a = m_session.album();
    const Row &r = a.ListView_moban_shiyong[usedRow];
    const int heng = std::max(0, r.cell(usedcol::kLandscape).toInt());
    const int shu = std::max(0, r.cell(usedcol::kPortrait).toInt());
    const QSize item(kPortraitFrame.height(), kPortraitFrame.height() + kFrameLabelHeight);
    QPalette framePalette = palette();
    framePalette.setColor(QPalette::Window, Qt::white);
    framePalette.setColor(QPalette::WindowText, Qt::gray);
    for (int j = 0; j < heng + shu; ++j) {
        const bool landscape = j < heng;
        const QSize size = landscape ? kLandscapeFrame : kPortraitFrame;
        auto *box = new QWidget(m_frameInner);
        box->resize(item);
        auto *frame = new QLabel(landscape ? tr("横照片") : tr("竖照片"), box);
        frame->setObjectName(QStringLiteral("Imagem_k%1").arg(j));
        frame->setGeometry((item.width() - size.width()) / 2, (kPortraitFrame.height() - size.height()) / 2,
                           size.width(), size.height());
        frame->setAlignment(Qt::AlignCenter);
        frame->setFrameShape(QFrame::Box);
        frame->setFrameShadow(QFrame::Plain);
        frame->setAutoFillBackground(true);
        frame->setPalette(framePalette);
        frame->setProperty("orientation", landscape ? kHeng : kShu);
        frame->setProperty("ordinal", j);
        auto *label = new QLabel(tr("显示照片名称"), box);
        label->setObjectName(QStringLiteral("Label_k%1").arg(j));
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(0, kPortraitFrame.height(), item.width(), kFrameLabelHeight);
        box->show();
        m_frames.push_back(frame);
        m_frameItems.push_back(box);
    }
    layoutPanel(m_frameInner, m_frameItems, 0, item, m_framePanel->viewport()->width());
    m_framesState->setText(m_frames.empty() ? QStringLiteral("wu") : QStringLiteral("xiezai_zhaopian_kuang"));
    for (const Row &slot : a.ListView_moban_shiyong_canshu)
        if (slot.cell(slotcol::kUsedRow).toInt() == usedRow && !slot.cell(slotcol::kMatchState).isEmpty()
            && !slot.cell(slotcol::kPhotoRow).isEmpty())
            showFramePhoto(slot.cell(slotcol::kOrdinal).toInt(), slot.cell(slotcol::kPhotoRow).toInt());
}

// "已添加横照片" / "已添加竖照片": the slots of the used template that hold a
// photo, landscape slots first by ordinal. Counted from the slot table, so a
// replaced photo is not counted twice.
void TemplateManagerWindow::countPlacedPhotos(int usedRow)
{
    const Album &a = m_session.album();
    const int heng = std::max(0, a.ListView_moban_shiyong.cell(usedRow, usedcol::kLandscape).toInt());
    int placedHeng = 0, placedShu = 0;
    for (const Row &slot : a.ListView_moban_shiyong_canshu)
        if (slot.cell(slotcol::kUsedRow).toInt() == usedRow && !slot.cell(slotcol::kMatchState).isEmpty())
            ++(slot.cell(slotcol::kOrdinal).toInt() < heng ? placedHeng : placedShu);
    m_addedHeng->setText(QString::number(placedHeng));
    m_addedShu->setText(QString::number(placedShu));
}

void TemplateManagerWindow::showFramePhoto(int ordinal, int photoRow)
{
    if (ordinal < 0 || ordinal >= int(m_frames.size()))
        return;
    const RowTable &photos = m_session.album().ListView_daoru_zhaopian;
    if (photoRow < 0 || photoRow >= photos.size())
        return;
    QLabel *frame = m_frames[size_t(ordinal)];
    frame->setProperty("photoRow", photoRow);
    const qreal dpr = devicePixelRatioF();
    const QSize want = frame->size() * dpr;
    // The frame shows the photo filling it, as the slot will.
    const QImage t = m_thumbs.request(photos[photoRow].cell(photocol::kPath), want, ThumbnailCache::Page);
    if (!t.isNull()) {
        QPixmap pm = QPixmap::fromImage(t);
        pm.setDevicePixelRatio(dpr);
        frame->setPixmap(pm);
    }
    if (auto *label = m_frameInner->findChild<QLabel *>(QStringLiteral("Label_k%1").arg(ordinal)))
        label->setText(photos[photoRow].cell(photocol::kName));
}

void TemplateManagerWindow::useSelectedTemplate()
{
    Album &a = m_session.album();
    if (a.ListView_moban.empty())
        return;
    QTreeWidgetItem *item = m_templates->currentItem();
    if (!item || !item->isSelected()) {
        m_dialogs.notice(this, tr("没有选中模板文件！"));
        return;
    }
    useTemplateByHand(a, m_templates->indexOfTopLevelItem(item));
    refreshUsedTable();
    if (m_used->topLevelItemCount() > 0) {
        QTreeWidgetItem *added = m_used->topLevelItem(m_used->topLevelItemCount() - 1);
        m_used->scrollToItem(added);
        glide(m_templates, item, m_used->viewport()->mapTo(this, m_used->visualItemRect(added).topLeft()));
    }
}

void TemplateManagerWindow::deleteSelectedTemplate()
{
    Album &a = m_session.album();
    if (a.ListView_moban_shiyong.empty()) {
        m_dialogs.notice(this, tr("没有添加模板文件！"));
        return;
    }
    const int row = selectedUsedRow();
    if (row < 0) {
        m_dialogs.notice(this, tr("没有选中模板文件！"));
        return;
    }
    if (!m_dialogs.confirm(this, tr("删除模板文件"), tr("是否确定要删除当前选中已经使用的模板文件?")))
        return;
    removeSlotFrames();
    try {
        // Its automatic captions go with it; the later ones move up in time.
        forgetUsedTemplateTextEffects(a, row);
        const QString notice = deleteUsedTemplate(a, row);
        rederiveTextStartTimes(a);
        m_used->clearSelection();
        m_used->setCurrentItem(nullptr);
        // The row goes from the view too; the later rows only renumber.
        delete m_used->takeTopLevelItem(row);
        refreshUsedTable();
        clearDetails();
        m_dialogs.notice(this, notice);
    } catch (const Error &e) {
        m_dialogs.notice(this, e.message());
    }
}

void TemplateManagerWindow::deleteAllTemplates()
{
    Album &a = m_session.album();
    if (a.ListView_moban_shiyong.empty()) {
        m_dialogs.notice(this, tr("没有添加模板文件！"));
        return;
    }
    if (!m_dialogs.confirm(this, tr("删除模板文件"), tr("是否确定要删除全部已经使用的模板文件?")))
        return;
    removeSlotFrames();
    try {
        for (int r = a.ListView_moban_shiyong.size() - 1; r >= 0; --r)
            removeTemplateTextEffects(a, r);
        const QString notice = deleteAllUsedTemplates(a);
        refreshUsedTable();
        clearDetails();
        m_dialogs.notice(this, notice);
    } catch (const Error &e) {
        m_dialogs.notice(this, e.message());
    }
}

bool TemplateManagerWindow::beginPhotoDrag(int photoRow)
{
    if (m_row->text().isEmpty()) {
        m_dialogs.notice(this, tr("没有选中已经添加模板文件！选中模板后,模板所需照片框会出现"));
        return false;
    }
    m_dragPhoto->setText(QString::number(photoRow));
    m_press->setText(QStringLiteral("anxia"));
    return true;
}

void TemplateManagerWindow::dropPhotoOnFrame(int photoRow, int ordinal)
{
    Album &a = m_session.album();
    const int usedRow = m_row->text().toInt() - 1;
    if (usedRow < 0 || ordinal < 0 || ordinal >= int(m_frames.size()) || photoRow < 0
        || photoRow >= a.ListView_daoru_zhaopian.size())
        return;
    const bool frameLandscape = m_frames[size_t(ordinal)]->property("orientation").toString() == kHeng;
    if (isLandscapeRow(a.ListView_daoru_zhaopian[photoRow]) != frameLandscape) {
        m_dialogs.notice(this, frameLandscape ? tr("此处需要一张横照片！") : tr("此处需要一张竖照片！"));
        return;
    }
    int slotRow = -1;
    for (int s = 0; s < a.ListView_moban_shiyong_canshu.size() && slotRow < 0; ++s) {
        const Row &slot = a.ListView_moban_shiyong_canshu[s];
        if (slot.cell(slotcol::kUsedRow).toInt() == usedRow && slot.cell(slotcol::kOrdinal).toInt() == ordinal)
            slotRow = s;
    }
    if (slotRow < 0 || !putPhotoInSlot(a, slotRow, photoRow)) {
        m_dialogs.notice(this, tr("此照片框没有尺寸,不能放照片！"));
        return;
    }
    updateTemplateCompletion(a, usedRow);
    showFramePhoto(ordinal, photoRow);
    countPlacedPhotos(usedRow);
    refreshUsedTable();
}

int TemplateManagerWindow::frameAt(const QPoint &global) const
{
    for (QLabel *f : m_frames)
        if (f->isVisible() && QRect(f->mapToGlobal(QPoint(0, 0)), f->size()).contains(global))
            return f->property("ordinal").toInt();
    return -1;
}

bool TemplateManagerWindow::eventFilter(QObject *watched, QEvent *event)
{
    auto *pic = qobject_cast<QLabel *>(watched);
    if (!pic || !pic->property("photoRow").isValid())
        return QDialog::eventFilter(watched, event);
    auto *me = static_cast<QMouseEvent *>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (me->button() == Qt::LeftButton && beginPhotoDrag(pic->property("photoRow").toInt())) {
            m_dragging = pic->property("photoRow").toInt();
            m_pressOffset = me->position().toPoint();
            if (!pic->pixmap().isNull())
                m_floating->setPixmap(pic->pixmap());
            m_floating->resize(pic->size());
            m_floating->move(mapFromGlobal(me->globalPosition().toPoint()) - m_pressOffset);
            m_floating->raise();
            m_floating->show();
        }
        return true;
    case QEvent::MouseMove:
        if (m_dragging >= 0) {
            QPoint p = mapFromGlobal(me->globalPosition().toPoint()) - m_pressOffset;
            p.setX(std::clamp(p.x(), 0, width() - m_floating->width()));
            p.setY(std::clamp(p.y(), 0, height() - m_floating->height()));
            m_floating->move(p);
            const int f = frameAt(me->globalPosition().toPoint());
            if (f >= 0)
                m_dragFrame->setText(QString::number(f));
        }
        return true;
    case QEvent::MouseButtonRelease:
        if (m_dragging >= 0 && me->button() == Qt::LeftButton) {
            const int photo = m_dragging;
            m_dragging = -1;
            m_floating->hide();
            m_press->setText(QStringLiteral("songkai"));
            int f = frameAt(me->globalPosition().toPoint());
            if (f < 0 && !m_dragFrame->text().isEmpty())
                f = m_dragFrame->text().toInt();
            m_dragFrame->clear();
            if (f >= 0)
                dropPhotoOnFrame(photo, f);
        }
        return true;
    default: return QDialog::eventFilter(watched, event);
    }
}

void TemplateManagerWindow::previewUsed()
{
    const Album &a = m_session.album();
    if (a.ListView_moban_shiyong.empty()) {
        m_dialogs.notice(this, tr("没有添加模板文件！"));
        return;
    }
    const int row = selectedUsedRow();
    if (row < 0) {
        m_dialogs.notice(this, tr("没有选中模板文件！"));
        return;
    }
    int open = 0;
    for (const Row &slot : a.ListView_moban_shiyong_canshu)
        open += slot.cell(slotcol::kUsedRow).toInt() == row && slot.cell(slotcol::kMatchState).isEmpty();
    if (open > 0) {
        m_dialogs.notice(this, tr("选中的模板文件,照片与此模板还有 %1 处没有完成匹配！").arg(open));
        return;
    }
    if (m_preview)
        m_preview(row, true);
}

void TemplateManagerWindow::previewCatalogue()
{
    if (m_session.album().ListView_moban.empty()) {
        m_dialogs.notice(this, tr("没有找到模板文件！"));
        return;
    }
    QTreeWidgetItem *item = m_templates->currentItem();
    if (!item || !item->isSelected()) {
        m_dialogs.notice(this, tr("没有选中模板文件！"));
        return;
    }
    if (m_preview)
        m_preview(m_templates->indexOfTopLevelItem(item), false);
}

} // namespace lumora::ui
