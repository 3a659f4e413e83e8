#include "ui/effects/BackgroundWindow.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include "album/BackgroundTable.h"
#include "app/Error.h"
#include "app/Language.h"
#include "image/ImageIO.h"
#include "playback/MoviePlayer.h"
#include "resources/FolderOps.h"
#include "resources/PackedFile.h"
#include "session/AlbumSession.h"
#include "ui/album/ThumbnailCache.h"
#include "ui/app/DialogService.h"
#include "ui/app/FileFolders.h"

namespace lumora::ui {

namespace {
constexpr QSize kDisplaySize{300, 200};
constexpr int kDisplayMargin = 6;
constexpr int kBorder = 3;
const QString kNumStop = QStringLiteral("num_stop");
} // namespace

BackgroundWindow::BackgroundWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_session(session), m_dialogs(dialogs), m_movie(std::make_unique<MoviePlayer>())
{
    setObjectName(QStringLiteral("TForm21"));
    setWindowTitle(tr("背景图片"));
    auto *root = new QVBoxLayout(this);
    m_table = new QTreeWidget(this);
    m_table->setObjectName(QStringLiteral("ListView_moban_beijing"));
    m_table->setRootIsDecorated(false);
    m_table->setHeaderLabels(shownColumns(backgroundColumns()));
    m_table->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    root->addWidget(m_table, 1);

    auto *middle = new QHBoxLayout;
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("Image_xianshizhaopian"));
    m_picture->setFixedSize(kDisplaySize);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setStyleSheet(QStringLiteral("background: white;"));
    middle->addWidget(m_picture);
    auto *fields = new QFormLayout;
    const char *names[6] = {"Edit_xuhao", "Edit_mingcheng", "Edit_geshi", "Edit_kuandu", "Edit_gaodu", "Edit_weizhi"};
    const char *labels[6] = {QT_TRANSLATE_NOOP("lumora::ui::BackgroundWindow", "图片编号"),
                             QT_TRANSLATE_NOOP("lumora::ui::BackgroundWindow", "图片名称"),
                             QT_TRANSLATE_NOOP("lumora::ui::BackgroundWindow", "图片格式"),
                             QT_TRANSLATE_NOOP("lumora::ui::BackgroundWindow", "图片宽度"),
                             QT_TRANSLATE_NOOP("lumora::ui::BackgroundWindow", "图片高度"),
                             QT_TRANSLATE_NOOP("lumora::ui::BackgroundWindow", "图片位置")};
    for (int i = 0; i < 6; ++i) {
        m_fields[i] = new QLineEdit(this);
        m_fields[i]->setObjectName(QString::fromLatin1(names[i]));
        m_fields[i]->setReadOnly(true);
        fields->addRow(tr(labels[i]), m_fields[i]);
    }
    middle->addLayout(fields, 1);
    auto *playerBox = new QWidget(this);
    playerBox->setObjectName(QStringLiteral("ScrollBox_beijingtupian_kuang"));
    playerBox->setFixedSize(kPlayerSize + QSize(4, 4));
    m_player = new QLabel(playerBox);
    m_player->setObjectName(QStringLiteral("ShockwaveFlash_2_beijingtupian_Alpha"));
    m_player->setGeometry(2, 2, kPlayerSize.width(), kPlayerSize.height());
    m_player->hide();
    middle->addWidget(playerBox);
    root->addLayout(middle);

    auto *controls = new QHBoxLayout;
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("suiTrackBar1"));
    m_slider->setRange(0, 100);
    m_slider->setToolTip(tr("左右移动设置背景图片的透明度"));
    controls->addWidget(new QLabel(tr("透明度"), this));
    controls->addWidget(m_slider, 1);
    m_all = new QCheckBox(tr("背景图片全部设置为一样透明度"), this);
    m_all->setObjectName(QStringLiteral("CheckBox_tongyishezhi"));
    controls->addWidget(m_all);
    root->addLayout(controls);

    auto *buttons = new QHBoxLayout;
    const auto button = [this, buttons](const char *name, const char *text) {
        auto *b = new QPushButton(tr(text), this);
        b->setObjectName(QString::fromLatin1(name));
        buttons->addWidget(b);
        return b;
    };
    QPushButton *change = button("Button_genghuan", QT_TRANSLATE_NOOP("lumora::ui::BackgroundWindow", "更换背景图片"));
    QPushButton *save = button("Button_baocun", QT_TRANSLATE_NOOP("lumora::ui::BackgroundWindow", "保存设置"));
    QPushButton *reset = button("Button_moren", QT_TRANSLATE_NOOP("lumora::ui::BackgroundWindow", "默认设置"));
    buttons->addStretch();
    QPushButton *back = button("Button_fanhui", QT_TRANSLATE_NOOP("lumora::ui::BackgroundWindow", "返  回"));
    root->addLayout(buttons);
    resize(900, 560);

    connect(m_table, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { selectRow(m_table->indexOfTopLevelItem(item)); });
    connect(m_table, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { selectRow(m_table->indexOfTopLevelItem(item)); });
    connect(change, &QPushButton::clicked, this, &BackgroundWindow::changePicture);
    connect(save, &QPushButton::clicked, this, &BackgroundWindow::saveSettings);
    connect(reset, &QPushButton::clicked, this, &BackgroundWindow::defaultSettings);
    connect(back, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_slider, &QSlider::sliderReleased, this, &BackgroundWindow::sliderReleased);
    connect(&m_tick, &QTimer::timeout, this, [this] {
        if (m_movie->isLoaded())
            m_player->setPixmap(QPixmap::fromImage(m_movie->paint(kPlayerSize)));
    });
    m_tick.setInterval(40);
    connect(&m_prepare, &QFutureWatcher<Prepared>::finished, this, [this] {
        const Prepared p = m_prepare.result();
        const int row = m_pendingRow;
        if (row != selectedRow())
            return; // another row was chosen meanwhile
        if (!p.error.isEmpty()) {
            m_dialogs.notice(this, p.error);
            return;
        }
        m_picture->setPixmap(QPixmap::fromImage(p.display));
        playPreview(m_session.album().ListView_moban_beijing.cell(row, bgcol::kTransparency).toInt());
        m_ready = true;
        Q_EMIT previewShown();
    });
    connect(this, &QDialog::finished, this, [this] {
        m_tick.stop();
        m_movie->unload();
        m_player->hide();
    });
}

BackgroundWindow::~BackgroundWindow()
{
    m_prepare.waitForFinished();
}

void BackgroundWindow::start()
{
    clearPicture();
    const Paths &paths = m_session.paths();
    try {
        ensureFolder(paths.backgroundWorkFolder());
        if (!QFileInfo::exists(paths.backgroundMovieCopy(1)))
            packed::unpackTo(paths.backgroundMoviePacked(), packed::kBackgroundMovieDepth,
                             paths.backgroundMovieCopy(1));
        if (!QFileInfo::exists(paths.backgroundMovieCopy(2)))
            QFile::copy(paths.backgroundMovieCopy(1), paths.backgroundMovieCopy(2));
    } catch (const Error &e) {
        m_dialogs.notice(this, e.message());
    }
    refreshTable();
    m_table->clearSelection();
    m_table->setCurrentItem(nullptr);
    m_slider->setValue(0);
    m_all->setChecked(false);
    m_player->hide();
    m_copy = 0;
}

void BackgroundWindow::refreshTable()
{
    const int keep = selectedRow();
    m_table->clear();
    QList<QTreeWidgetItem *> items;
    for (const Row &r : m_session.album().ListView_moban_beijing) {
        QStringList shown;
        for (int c = 0; c <= r.subItemCount(); ++c)
            shown << shownCell(r.cell(c));
        items << new QTreeWidgetItem(shown);
    }
    m_table->addTopLevelItems(items);
    if (keep >= 0 && keep < items.size())
        m_table->setCurrentItem(items[keep]);
}

void BackgroundWindow::clearPicture()
{
    m_picture->clear();
    m_picture->setToolTip(QString());
    for (QLineEdit *f : m_fields)
        f->clear();
    m_ready = false;
}

int BackgroundWindow::selectedRow() const
{
    QTreeWidgetItem *item = m_table->currentItem();
    return item && item->isSelected() ? m_table->indexOfTopLevelItem(item) : -1;
}

void BackgroundWindow::selectRow(int row)
{
    const RowTable &t = m_session.album().ListView_moban_beijing;
    if (row < 0 || row >= t.size()) {
        m_dialogs.notice(this, tr("没有选中背景图片文件！"));
        return;
    }
    m_table->setCurrentItem(m_table->topLevelItem(row));
    const Row &r = t[row];
    if (r.cell(bgcol::kPath).isEmpty()) {
        m_dialogs.notice(this, tr("没有添加背景图片文件！"));
        return;
    }
    if (r.cell(bgcol::kPicture).isEmpty()) {
        m_dialogs.notice(this, tr("当前选中项没有添加背景图片文件！"));
        return;
    }
    clearPicture();
    m_picture->setToolTip(tr("第%1张, 背景图片名称: %2").arg(row + 1).arg(r.cell(bgcol::kPicture)));
    const int cells[6] = {bgcol::kNumber, bgcol::kPicture, bgcol::kFormat, bgcol::kWidth, bgcol::kHeight, bgcol::kPath};
    for (int i = 0; i < 6; ++i)
        m_fields[i]->setText(r.cell(cells[i]));
    m_slider->setValue(r.cell(bgcol::kTransparency).toInt());

    // Decoding and the preview picture happen on a worker.
    const QString path = r.cell(bgcol::kPath);
    const QSize stored(std::max(1, r.cell(bgcol::kWidth).toInt()), std::max(1, r.cell(bgcol::kHeight).toInt()));
    const QString previewJpg = m_session.paths().backgroundWorkJpg();
    m_pendingRow = row;
    m_prepare.setFuture(QtConcurrent::run([path, stored, previewJpg]() -> Prepared {
        Prepared out;
        try {
            QSize shown = stored;
            shown.scale(kDisplaySize - QSize(2 * kDisplayMargin, 2 * kDisplayMargin), Qt::KeepAspectRatio);
            const QImage picture = ThumbnailCache::make(path, shown.expandedTo({1, 1}));
            out.display = QImage(picture.size() + QSize(2 * kBorder, 2 * kBorder), QImage::Format_RGB32);
            out.display.fill(Qt::black);
            QPainter(&out.display).drawImage(kBorder, kBorder, picture);
            QSize small = stored;
            small.scale(kPlayerSize, Qt::KeepAspectRatio);
            writeJpeg(ThumbnailCache::make(path, small.expandedTo({1, 1})), previewJpg);
        } catch (const Error &e) {
            out.error = tr("背景图片无法读取：%1\n%2").arg(QFileInfo(path).fileName(), e.message());
        }
        return out;
    }));
}

void BackgroundWindow::playPreview(int transparency)
{
    // Each selection loads the other copy, so the movie reads the new picture.
    m_copy = m_copy == 1 ? 2 : 1;
    try {
        m_movie->load(m_session.paths().backgroundMovieCopy(m_copy));
    } catch (const Error &e) {
        m_dialogs.notice(this, e.message());
        return;
    }
    m_movie->stop();
    m_player->show();
    m_movie->setVariable(kNumStop, QString::number(transparency));
    m_movie->setFrameNum(m_movie->totalFrames());
    m_movie->setFrameNum(0);
    m_movie->play();
    m_player->setPixmap(QPixmap::fromImage(m_movie->paint(kPlayerSize)));
    m_tick.start();
}

QImage BackgroundWindow::playerFrame() const
{
    return m_player->pixmap().toImage();
}

bool BackgroundWindow::rowChecks()
{
    if (m_session.album().ListView_moban_beijing.empty()) {
        m_dialogs.notice(this, tr("没有找到背景图片文件！"));
        return false;
    }
    if (selectedRow() < 0) {
        m_dialogs.notice(this, tr("没有选中背景图片文件！"));
        return false;
    }
    return true;
}

void BackgroundWindow::sliderReleased()
{
    if (!rowChecks() || !m_movie->isLoaded())
        return;
    m_movie->setVariable(kNumStop, QString::number(m_slider->value()));
    m_movie->setFrameNum(m_movie->totalFrames());
    m_movie->setFrameNum(0);
    m_movie->play();
}

void BackgroundWindow::saveSettings()
{
    if (!rowChecks())
        return;
    setBackgroundTransparency(m_session.album(), selectedRow(), m_slider->value(), m_all->isChecked());
    refreshTable();
    m_dialogs.notice(this, tr("保存设置完成！"));
}

void BackgroundWindow::defaultSettings()
{
    if (!rowChecks())
        return;
    setBackgroundTransparency(m_session.album(), selectedRow(), 0, m_all->isChecked());
    refreshTable();
    m_slider->setValue(0);
    m_tick.stop();
    m_player->hide();
    m_all->setChecked(false);
    m_dialogs.notice(this, tr("默认设置完成！"));
}

void BackgroundWindow::changePicture()
{
    if (!rowChecks())
        return;
    const QString path = m_dialogs.openFile(this, tr("更换背景图片"), startFolder(FileKind::Background),
                                            tr("添加照片文件(JPG) (*.jpg *.JPG)"));
    if (path.isEmpty())
        return;
    rememberFolder(FileKind::Background, path);
    const int row = selectedRow();
    try {
        changeBackgroundPicture(m_session.album(), row, path);
    } catch (const Error &e) {
        const QString m = e.message();
        // The orientation refusals are complete notices; a decoding error names the file.
        m_dialogs.notice(
            this, m.startsWith(tr("此张照片")) ? m : tr("背景图片无法读取：%1\n%2").arg(QFileInfo(path).fileName(), m));
        return;
    }
    refreshTable();
    clearPicture();
}

} // namespace lumora::ui
