#include "ui/album/CropWindow.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include "album/AlbumTables.h"
#include "app/Error.h"
#include "app/Language.h"
#include "session/AlbumSession.h"
#include "ui/album/ThumbnailCache.h"
#include "ui/app/DialogService.h"

namespace lumora::ui {

namespace {
// The photo is decoded once per selection at most this large (in either
// direction) and scaled from there while the person enlarges and shrinks.
constexpr int kDecodeLimit = 2000;
} // namespace

// The slot frame: a hatched area that clips the photo.
class CropFrameWidget : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.fillRect(rect(), QBrush(QColor(160, 160, 160), Qt::BDiagPattern));
    }
};

// The photo at its display size; pressing and moving drags it.
class CropPhotoWidget : public QWidget {
public:
    CropPhotoWidget(CropWindow *window, QWidget *parent) : QWidget(parent), m_window(window) { }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_window->m_image.isNull())
            return;
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(rect(), m_window->m_image);
    }
    void mousePressEvent(QMouseEvent *e) override
    {
        if (e->button() == Qt::LeftButton && m_window->m_editable && m_window->photoReady()) {
            m_pressed = true;
            m_press = e->position().toPoint();
        }
    }
    void mouseMoveEvent(QMouseEvent *e) override
    {
        if (m_pressed)
            move(mapToParent(e->position().toPoint()) - m_press);
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        if (m_pressed && e->button() == Qt::LeftButton) {
            m_pressed = false;
            m_window->dragPhotoTo(pos());
        }
    }

private:
    CropWindow *m_window;
    bool m_pressed = false;
    QPoint m_press;
};

CropWindow::CropWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_session(session), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TForm9"));
    setWindowTitle(tr("照片剪裁"));
    auto *root = new QHBoxLayout(this);

    auto *left = new QVBoxLayout;
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("ListView_zhaopian_wenjian"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({tr("序号"), tr("照片名称"), tr("使用次数"), tr("照片位置"), tr("标注"), tr("行号")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setMinimumWidth(300);
    left->addWidget(m_list);
    auto *fields = new QFormLayout;
    const auto field = [this, fields](const char *name, const char *label) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setReadOnly(true);
        fields->addRow(tr(label), e);
        return e;
    };
    m_xuhao = field("Edit_xuhao", QT_TRANSLATE_NOOP("lumora::ui::CropWindow", "序号："));
    m_mingcheng = field("Edit_mingcheng", QT_TRANSLATE_NOOP("lumora::ui::CropWindow", "文件名："));
    m_weizhi = field("Edit_weizhi", QT_TRANSLATE_NOOP("lumora::ui::CropWindow", "照片位置："));
    m_cishu = field("Edit_cishu", QT_TRANSLATE_NOOP("lumora::ui::CropWindow", "使用次数："));
    left->addLayout(fields);
    root->addLayout(left);

    auto *right = new QVBoxLayout;
    m_box = new QWidget(this);
    m_box->setObjectName(QStringLiteral("ScrollBox_jiancai_0"));
    m_box->setFixedSize(kCropBoxWidth, kCropBoxHeight);
    m_box->setAutoFillBackground(true);
    QPalette pal = m_box->palette();
    pal.setColor(QPalette::Window, QColor(64, 64, 64));
    m_box->setPalette(pal);
    m_frame = new CropFrameWidget(m_box);
    m_frame->setObjectName(QStringLiteral("ScrollBox_jiequtupian"));
    m_photo = new CropPhotoWidget(this, m_frame);
    m_photo->setObjectName(QStringLiteral("Image_load"));
    m_photo->setCursor(Qt::SizeAllCursor);
    right->addWidget(m_box);

    auto *radios = new QHBoxLayout;
    m_fill = new QRadioButton(tr("照片全屏显示"), this);
    m_fill->setObjectName(QStringLiteral("RadioButton_quanping_or_jubuquanping"));
    m_fit = new QRadioButton(tr("照片适中显示"), this);
    m_fit->setObjectName(QStringLiteral("RadioButton_shizhong"));
    radios->addWidget(m_fill);
    radios->addWidget(m_fit);
    radios->addStretch();
    right->addLayout(radios);

    auto *buttons = new QHBoxLayout;
    const auto button = [this, buttons](const char *name, const char *text) {
        auto *b = new QPushButton(tr(text), this);
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
        return b;
    };
    m_enlarge = button("Button_fangda", QT_TRANSLATE_NOOP("lumora::ui::CropWindow", "放大相片"));
    m_shrink = button("Button_suoxiao", QT_TRANSLATE_NOOP("lumora::ui::CropWindow", "缩小相片"));
    m_default = button("Button_moren", QT_TRANSLATE_NOOP("lumora::ui::CropWindow", "默认大小"));
    m_save = button("Button_baocun", QT_TRANSLATE_NOOP("lumora::ui::CropWindow", "保存剪裁"));
    QPushButton *cancel = button("Button_quxiao", QT_TRANSLATE_NOOP("lumora::ui::CropWindow", "取消"));
    right->addLayout(buttons);
    root->addLayout(right);

    m_selected = new QLineEdit(QStringLiteral("wu"), this);
    m_selected->setObjectName(QStringLiteral("Edit_xuanzhonghang"));
    m_selected->hide();

    connect(m_list, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { selectRow(m_list->indexOfTopLevelItem(item)); });
    connect(m_list, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { selectRow(m_list->indexOfTopLevelItem(item)); });
    connect(m_enlarge, &QPushButton::clicked, this, &CropWindow::enlarge);
    connect(m_shrink, &QPushButton::clicked, this, &CropWindow::shrink);
    connect(m_default, &QPushButton::clicked, this, &CropWindow::restoreDefault);
    connect(m_save, &QPushButton::clicked, this, &CropWindow::save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // Radio clicks are the person's (setChecked from code sends no clicked).
    connect(m_fill, &QRadioButton::clicked, this, [this] { chooseDisplay(CropDisplay::Fill); });
    connect(m_fit, &QRadioButton::clicked, this, [this] { chooseDisplay(CropDisplay::Fit); });
    connect(&m_loader, &QFutureWatcher<QImage>::finished, this, [this] {
        if (m_loader.property("loadId").toULongLong() != m_loadId)
            return;
        m_image = m_loader.result();
        m_photo->update();
        Q_EMIT photoLoaded();
    });
}

CropWindow::~CropWindow()
{
    m_loader.waitForFinished();
}

void CropWindow::start()
{
    const Album &a = m_session.album();
    m_list->clear();
    m_slot.reset();
    m_image = QImage();
    m_frame->setGeometry(0, 0, kCropBoxWidth, kCropBoxHeight);
    m_photo->hide();
    for (QLineEdit *e : {m_xuhao, m_mingcheng, m_weizhi, m_cishu})
        e->clear();
    m_selected->setText(QStringLiteral("wu"));
    const RowTable &slots = a.ListView_moban_shiyong_canshu;
    QList<QTreeWidgetItem *> items;
    for (int s = 0; s < slots.size(); ++s) {
        const Row &r = slots[s];
        if (r.cell(slotcol::kPhotoPath).isEmpty())
            continue;
        const QString photoRow = r.cell(slotcol::kPhotoRow);
        int uses = 0;
        for (const Row &other : slots)
            uses += other.cell(slotcol::kPhotoRow) == photoRow;
        const int p = photoRow.toInt();
        const QString name = p >= 0 && p < a.ListView_daoru_zhaopian.size()
            ? a.ListView_daoru_zhaopian[p].cell(photocol::kName)
            : QString();
        items << new QTreeWidgetItem({QString::number(items.size() + 1), name, QString::number(uses),
                                      r.cell(slotcol::kPhotoPath), QString::number(s), photoRow});
    }
    m_list->addTopLevelItems(items);
    m_fill->setChecked(true);
    m_fill->hide();
    m_fit->hide();
    setEditable(false);
}

bool CropWindow::checksPass()
{
    if (m_session.album().ListView_daoru_zhaopian.empty()) {
        m_dialogs.notice(this, tr("没有添加照片文件！"));
        return false;
    }
    if (m_list->topLevelItemCount() == 0) {
        m_dialogs.notice(this, tr("添加的照片文件没有与模板文件匹配！"));
        return false;
    }
    if (!m_slot) {
        m_dialogs.notice(this, tr("没有选中照片文件！"));
        return false;
    }
    return true;
}

int CropWindow::slotOfSelection() const
{
    const int row = m_selected->text().toInt();
    QTreeWidgetItem *item = m_list->topLevelItem(row);
    return item ? item->text(4).toInt() : -1;
}

void CropWindow::selectRow(int listRow)
{
    QTreeWidgetItem *item = m_list->topLevelItem(listRow);
    if (!item) {
        m_slot.reset();
        m_photo->hide();
        for (QLineEdit *e : {m_xuhao, m_mingcheng, m_weizhi, m_cishu})
            e->clear();
        m_dialogs.notice(this, tr("没有选中照片文件！"));
        return;
    }
    m_list->setCurrentItem(item);
    m_selected->setText(QString::number(listRow));
    m_xuhao->setText(item->text(0));
    m_mingcheng->setText(item->text(1));
    m_weizhi->setText(item->text(3));
    m_cishu->setText(item->text(2));
    try {
        m_slot = cropSlot(m_session.album(), item->text(4).toInt());
    } catch (const Error &e) {
        m_slot.reset();
        m_dialogs.notice(this, e.message());
        return;
    }
    m_display = initialCropDisplay(*m_slot);
    (m_display == CropDisplay::Fill ? m_fill : m_fit)->setChecked(true);
    m_fill->setVisible(cropRadiosShown(*m_slot));
    m_fit->setVisible(cropRadiosShown(*m_slot));
    setEditable(cropEditable(*m_slot, m_display));
    m_view = storedCropView(*m_slot, m_display);
    showView();
    loadPhoto(item->text(3));
}

void CropWindow::loadPhoto(const QString &path)
{
    m_image = QImage();
    QSize size(std::max(1, m_slot->photoW), std::max(1, m_slot->photoH));
    if (size.width() > kDecodeLimit || size.height() > kDecodeLimit)
        size.scale(kDecodeLimit, kDecodeLimit, Qt::KeepAspectRatio);
    m_loader.setProperty("loadId", ++m_loadId);
    m_loader.setFuture(QtConcurrent::run([path, size] {
        try {
            return ThumbnailCache::make(path, size);
        } catch (const Error &) {
            // Drawn as the file icon would be: a grey picture the size of the photo.
            QImage grey(size, QImage::Format_RGB32);
            grey.fill(QColor(128, 128, 128));
            return grey;
        }
    }));
}

void CropWindow::showView()
{
    m_frame->setGeometry(m_view.frame);
    m_photo->setGeometry(m_view.photo);
    m_photo->show();
    m_photo->update();
}

void CropWindow::setEditable(bool on)
{
    m_editable = on;
    for (QPushButton *b : {m_enlarge, m_shrink, m_default})
        b->setEnabled(on);
}

void CropWindow::enlarge()
{
    if (!checksPass())
        return;
    if (const auto v = enlargeCrop(*m_slot, m_view)) {
        m_view = *v;
    } else {
        m_dialogs.notice(this, shownText("lumora::notice", kCropEnlargeRefused));
        m_view = storedCropView(*m_slot, m_display);
    }
    showView();
}

void CropWindow::shrink()
{
    if (!checksPass())
        return;
    if (const auto v = shrinkCrop(*m_slot, m_view)) {
        m_view = *v;
    } else {
        m_dialogs.notice(this, shownText("lumora::notice", kCropShrinkRefused));
        m_view = storedCropView(*m_slot, m_display);
    }
    showView();
}

void CropWindow::restoreDefault()
{
    if (!checksPass())
        return;
    selectRow(m_selected->text().toInt());
}

void CropWindow::dragPhotoTo(QPoint topLeft)
{
    if (!m_slot || !m_editable)
        return;
    m_view = dragCrop(m_view, topLeft);
    showView();
}

void CropWindow::chooseDisplay(CropDisplay display)
{
    if (!m_slot)
        return;
    m_display = display;
    setEditable(cropEditable(*m_slot, display));
    m_view = storedCropView(*m_slot, display);
    showView();
}

void CropWindow::save()
{
    if (!checksPass())
        return;
    const int slot = slotOfSelection();
    saveCrop(m_session.album(), slot, m_view, m_display);
    m_slot = cropSlot(m_session.album(), slot);
    setEditable(cropEditable(*m_slot, m_display));
    // Show what was stored, so the editor and the album never disagree.
    m_view = storedCropView(*m_slot, m_display);
    showView();
    m_dialogs.notice(this, tr("保存剪裁完成！"));
}

QImage CropWindow::frameImage() const
{
    return m_frame->grab().toImage();
}

} // namespace lumora::ui
