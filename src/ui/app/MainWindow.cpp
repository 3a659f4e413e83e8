#include "MainWindow.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>

#include "DialogService.h"
#include "Dialogs.h"
#include "DraftWork.h"
#include "EditCommands.h"
#include "IdlePicture.h"
#include "ModeChooser.h"
#include "PictureView.h"
#include "ProjectCommands.h"
#include "SettingsWindow.h"
#include "StartupMoviePanel.h"
#include "album/AlbumTables.h"
#include "album/PhotoFilesWindow.h"
#include "album/PhotoGeometry.h"
#include "album/PhotoWindow.h"
#include "album/ThumbnailCache.h"
#include "album/ThumbnailCell.h"
#include "album/ThumbnailListModel.h"
#include "app/ClockText.h"
#include "app/DroppedFiles.h"
#include "app/Error.h"
#include "app/Language.h"
#include "effects/EffectWiring.h"
#include "media/MusicWindow.h"
#include "playback/MediaWiring.h"
#include "playback/PreviewTimeline.h"
#include "production/ProductionWiring.h"
#include "resources/Workspace.h"
#include "session/AlbumSession.h"
#include "templates/Catalogue.h"

namespace lumora::ui {

namespace {

const char *const kNoPhotos = QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "没有添加照片文件！");
const char *const kNoPhotoSelected = QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "没有选中照片文件！");
const char *const kFirstPageAlready = QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "已经是第一页了！");
const char *const kLastPageAlready = QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "已经是最后一页了！");
const char *const kCannotShrink
    = QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "不能再缩小了,点[确定]按钮，照片大小恢复到默认大小！");
const char *const kNotReady = QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "该功能的窗口正在制作中，暂不可用。");

// Layout of the default arrangement (logical pixels).
constexpr int kMargin = 4;
constexpr int kToolbarTop = 4;
constexpr int kRowHeight = 30;
constexpr QRect kStageRect{4, 72, 812, 462};
constexpr int kSideLeft = 823;
constexpr int kCellGap = 3;
constexpr int kNameHeight = 16;
constexpr int kStartupDelayMs = 1;

// A thumbnail caption: a name too long for its label keeps its beginning and
// its end ("ge_bird…6028x33.jpg" style), and the whole name is the tooltip.
void setCaption(QLabel *label, const QString &name)
{
    label->setText(label->fontMetrics().elidedText(name, Qt::ElideMiddle, std::max(1, label->width() - 4)));
    label->setToolTip(name);
}

// Every column but the last (which stretches) as wide as its widest text.
void fitColumns(QTreeWidget *list)
{
    for (int c = 0; c + 1 < list->columnCount(); ++c)
        list->resizeColumnToContents(c);
}

QTreeWidget *makeList(const QString &name, const QStringList &columns, QWidget *parent)
{
    auto *list = new QTreeWidget(parent);
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setHeaderLabels(columns);
    list->setAlternatingRowColors(true);
    list->header()->setStretchLastSection(true);
    return list;
}

} // namespace

MainWindow::MainWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent)
    : QWidget(parent), m_session(session), m_dialogs(dialogs), m_thumbs(std::make_unique<ThumbnailCache>())
{
    setObjectName(QStringLiteral("TForm2"));
    setProperty("lumoraWindow", true);
    setWindowTitle(QStringLiteral("Lumora"));
    setAutoFillBackground(true);
    setAcceptDrops(true);
    resize(kWidth, kHeight);
    setMinimumSize(kWidth, kHeight);

    buildCommands();
    buildStage();
    buildThumbnails();
    buildLists();
    connect(m_thumbs.get(), &ThumbnailCache::ready, this, &MainWindow::onThumbnailReady);
    connect(m_thumbs.get(), &ThumbnailCache::failed, this,
            [this](const QString &path, QSize size, const QString &) { onThumbnailReady(path, size); });
    layoutWindow();
    placePreviewFrame();
    showIdlePicture();
    refreshPhotoCount();
    refreshMusicList();
    refreshLyricList();
    // Preview, music, lyric and sync windows (they enable their commands).
    attachMediaWindows(*this, session, dialogs);
    // Picture and text effect windows.
    attachEffectWindows(*this, session, dialogs);
    // Template management, cropping, backgrounds, saving and opening an album.
    installEditCommands(*this);
    // Production: the start commands per type and the quality window.
    attachProductionWindows(*this, session, dialogs);

    // Style and layout are worked out now, while no window shows, so the
    // first show at start-up only paints. The first mode chooser is made and
    // drawn once now for the same reason.
    ensurePolished();
    m_firstChooser = makeModeChooser();
    m_firstChooser->ensurePolished();
    m_firstChooser->grab(); // lays it out and draws it once: fonts and pictures are ready
    m_firstChooser->winId(); // and its platform window exists
}

MainWindow::~MainWindow() = default;

// ---------------------------------------------------------------- building

QPushButton *MainWindow::addCommand(const QString &objectName, const QString &text, const QString &hint,
                                    QWidget *parent)
{
    auto *b = new QPushButton(text, parent ? parent : this);
    b->setObjectName(objectName);
    if (!hint.isEmpty())
        b->setToolTip(hint);
    m_buttons.insert(objectName, b);
    return b;
}

void MainWindow::pendingCommand(const QString &objectName)
{
    QPushButton *b = m_buttons.value(objectName);
    b->setEnabled(false);
    b->setToolTip(tr(kNotReady));
}

void MainWindow::connectCommand(const QString &objectName, const std::function<void()> &action)
{
    QPushButton *b = m_buttons.value(objectName);
    connect(b, &QPushButton::clicked, this, action);
}

void MainWindow::enableCommand(const QString &objectName, const std::function<void()> &action)
{
    QPushButton *b = m_buttons.value(objectName);
    if (!b)
        return;
    b->setEnabled(true);
    if (b->toolTip() == tr(kNotReady))
        b->setToolTip({});
    connectCommand(objectName, action);
}

QPushButton *MainWindow::button(const QString &objectName) const
{
    return m_buttons.value(objectName);
}

void MainWindow::buildCommands()
{
    m_toolbar = new QWidget(this);
    m_toolbar->setObjectName(QStringLiteral("Panel_gongneng"));
    struct Command {
        const char *name;
        const char *text;
        const char *hint;
    };
    // The first row: album and editing commands.
    const Command first[] = {
        {"suiButton_xiangce_moshi", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "相册模式"),
         QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "选择相册模式：竖屏、宽屏16:9或宽屏4:3")},
        {"Button_gongneng_01", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "添加照片"),
         QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "添加照片文件 (Ctrl+O)")},
        {"Button_gongneng_02", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "添加音乐"),
         QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "添加音乐文件")},
        {"Button_gongneng_03", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "添加歌词"),
         QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "添加歌词文件")},
        {"Button_gongneng_07", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "模板管理"),
         QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "管理相册使用的模板")},
        {"Button_gongneng_08", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "照片剪裁"),
         QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "剪裁模板中的照片")},
        {"Button48", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "背景图片"),
         QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "设置模板的背景图片")},
        {"Button56", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "画面特效"),
         QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "添加画面特效")},
        {"Button55", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "文字特效"),
         QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "添加文字特效")},
        {"Button_gongneng_09", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "同步效果"),
         QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "随模板或随音乐同步")},
        {"Button_xitong_shezhi", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "系统设置"),
         QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "系统设置")},
        {"Button3", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "退出软件"),
         QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "退出软件")},
    };
    int x = kMargin;
    for (const Command &c : first) {
        QPushButton *b = addCommand(QString::fromUtf8(c.name), tr(c.text), tr(c.hint), m_toolbar);
        b->setGeometry(x, 0, 88, kRowHeight - 2);
        x += 92;
    }
    m_toolbar->setGeometry(0, kToolbarTop, kWidth, kRowHeight);

    // The second row: production by type, picture quality, window modes.
    m_typeBar = new QWidget(this);
    m_typeBar->setObjectName(QStringLiteral("Panel_zhizuo"));
    const Command types[] = {
        {"Button_zhizuo_VCD", "VCD", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "支持VCD格式相册")},
        {"Button_zhizuo_SVCD", "SVCD", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "支持SVCD格式相册")},
        {"Button_zhizuo_DVD", "DVD", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "支持DVD格式相册 － 推荐使用")},
        {"Button_zhizuo_AVI", "AVI", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "支持AVI格式相册")},
        {"Button_zhizuo_WMV", "WMV", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "支持WMV格式相册")},
        {"Button_zhizuo_MP4", "MP4", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "支持MP4格式相册")},
        {"Button_zhizuo_MOV", "MOV", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "支持MOV格式相册")},
        {"Button_huamian_zhiliang", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "画面质量"),
         QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "电视制式和画质")},
    };
    x = kMargin;
    for (const Command &c : types) {
        QPushButton *b = addCommand(QString::fromUtf8(c.name), tr(c.text), tr(c.hint), m_typeBar);
        b->setGeometry(x, 0, 70, kRowHeight - 4);
        x += 74;
    }
    const Command modes[] = {
        {"Button_moren_chuangkou", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "默认窗口"),
         QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "默认窗口大小")},
        {"Button_fangda_chuangkou", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "放大窗口"),
         QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "放大窗口，显示照片列表")},
        {"Button_quanping_chuangkou", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "全屏窗口"),
         QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "全屏显示 (F11，Esc 退出全屏)")},
    };
    x = kWidth - kMargin - 3 * 84;
    for (const Command &c : modes) {
        QPushButton *b = addCommand(QString::fromUtf8(c.name), tr(c.text), tr(c.hint), m_typeBar);
        b->setGeometry(x, 0, 80, kRowHeight - 4);
        x += 84;
    }
    m_typeBar->setGeometry(0, kToolbarTop + kRowHeight + 4, kWidth, kRowHeight);

    // Commands of this window.
    connectCommand(QStringLiteral("suiButton_xiangce_moshi"), [this] { openModeChooser(false); });
    connectCommand(QStringLiteral("Button_gongneng_01"), [this] { addPhotosCommand(); });
    connectCommand(QStringLiteral("Button_xitong_shezhi"), [this] { settingsCommand(); });
    connectCommand(QStringLiteral("Button3"), [this] { exitCommand(); });
    connectCommand(QStringLiteral("Button_moren_chuangkou"),
                   [this] { setWindowMode(QStringLiteral("moren_chuangkou")); });
    connectCommand(QStringLiteral("Button_fangda_chuangkou"),
                   [this] { setWindowMode(QStringLiteral("fangda_chuangkou")); });
    connectCommand(QStringLiteral("Button_quanping_chuangkou"),
                   [this] { setWindowMode(QStringLiteral("quanping_chuangkou")); });

    // Commands whose windows come with the other window areas: disabled
    // with a hint until their window is connected (enableCommand).
    for (const char *name : {"Button_gongneng_02", "Button_gongneng_03", "Button_gongneng_07", "Button_gongneng_08",
                             "Button48", "Button56", "Button55", "Button_gongneng_09", "Button_zhizuo_VCD",
                             "Button_zhizuo_SVCD", "Button_zhizuo_DVD", "Button_zhizuo_AVI", "Button_zhizuo_WMV",
                             "Button_zhizuo_MP4", "Button_zhizuo_MOV", "Button_huamian_zhiliang"})
        pendingCommand(QString::fromLatin1(name));

    // Keyboard paths of the commands.
    auto shortcut = [this](const QKeySequence &keys, const std::function<void()> &action) {
        auto *s = new QShortcut(keys, this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, action);
    };
    shortcut(QKeySequence::Open, [this] { addPhotosCommand(); });
    shortcut(QKeySequence(Qt::Key_F11), [this] {
        setWindowMode(windowState() & Qt::WindowFullScreen ? QStringLiteral("moren_chuangkou")
                                                           : QStringLiteral("quanping_chuangkou"));
    });
    shortcut(QKeySequence(Qt::Key_Home), [this] { firstPage(); });
    shortcut(QKeySequence(Qt::Key_PageUp), [this] { previousPage(); });
    shortcut(QKeySequence(Qt::Key_PageDown), [this] { nextPage(); });
    shortcut(QKeySequence(Qt::Key_End), [this] { lastPageCommand(); });
    shortcut(QKeySequence::ZoomIn, [this] { zoomIn(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { zoomIn(); });
    shortcut(QKeySequence::ZoomOut, [this] { zoomOut(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { zoomDefault(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_M), [this] { openModeChooser(false); });
    shortcut(QKeySequence::Preferences, [this] { settingsCommand(); });
    shortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { exitCommand(); });
}

void MainWindow::buildStage()
{
    m_backdrop = new QWidget(this);
    m_backdrop->setObjectName(QStringLiteral("ScrollBox_bofangbeijing"));
    m_backdrop->setAutoFillBackground(true);
    QPalette pal = m_backdrop->palette();
    pal.setColor(QPalette::Window, QColor(40, 40, 46));
    m_backdrop->setPalette(pal);
    m_backdrop->setGeometry(kStageRect);

    m_border = new QWidget(this);
    m_border->setObjectName(QStringLiteral("suiButton7"));
    m_border->setAutoFillBackground(true);
    pal.setColor(QPalette::Window, QColor(160, 160, 168));
    m_border->setPalette(pal);

    m_frame = new QWidget(this);
    m_frame->setObjectName(QStringLiteral("ScrollBox_zhujiemian_kuang_00001"));
    m_frame->setAutoFillBackground(true);
    pal.setColor(QPalette::Window, Qt::black);
    m_frame->setPalette(pal);

    m_area = new QWidget(m_frame);
    m_area->setObjectName(QStringLiteral("ScrollBox_zhujiemian"));
    m_area->setAutoFillBackground(true);
    m_area->setPalette(pal);

    m_picture = new PictureView(m_area);
    m_picture->setObjectName(QStringLiteral("Image_zhujiemian"));
    m_picture->setDragReporting(true);
    // Dragging the large view: the press point and state go to their cells.
    connect(m_picture, &PictureView::pressed, this, [this](QPoint p) {
        if (m_session.album().cells.is(cell::kHangshu, QStringLiteral("wu")))
            return;
        StateCells &c = m_session.album().cells;
        c.setText(cell::kTuodongKaiguan, QStringLiteral("anxia"));
        c.setInt(cell::kTuodongDownX, p.x() - m_picture->x());
        c.setInt(cell::kTuodongDownY, p.y() - m_picture->y());
    });
    connect(m_picture, &PictureView::dragged, this, [this](QPoint p) {
        StateCells &c = m_session.album().cells;
        if (!c.is(cell::kTuodongKaiguan, QStringLiteral("anxia")))
            return;
        m_picture->move(p.x() - c.toInt(cell::kTuodongDownX), p.y() - c.toInt(cell::kTuodongDownY));
    });
    connect(m_picture, &PictureView::released, this,
            [this](QPoint) { m_session.album().cells.setText(cell::kTuodongKaiguan, QStringLiteral("songkai")); });

    m_startup = new StartupMoviePanel(m_area);
    m_startup->hide();
    connect(m_startup, &StartupMoviePanel::refused, this, [this](const QString &reason) {
        // A damaged or missing start-up movie: the installation is broken.
        m_dialogs.notice(this, tr("程序资源已损坏，请重新安装。\n%1").arg(reason));
        Q_EMIT fatalError(reason);
    });
}

void MainWindow::buildThumbnails()
{
    m_side = new QWidget(this);
    m_side->setObjectName(QStringLiteral("Panel_suolvetu"));
    for (int k = 0; k < kCellsPerPage; ++k) {
        auto *cellWidget = new ThumbnailCell(m_side);
        cellWidget->setObjectName(QStringLiteral("Image%1").arg(k + 1));
        cellWidget->setContextMenuPolicy(Qt::CustomContextMenu);
        const int x = (k % 3) * (kThumbnailCell.width() + kCellGap);
        const int y = (k / 3) * (kThumbnailCell.height() + kNameHeight + 6);
        cellWidget->move(x, y);
        connect(cellWidget, &ThumbnailCell::clicked, this, [this, k] { cellClicked(k); });
        connect(cellWidget, &ThumbnailCell::doubleClicked, this, [this, k] { cellDoubleClicked(k); });
        connect(cellWidget, &ThumbnailCell::entered, this, [this, k] { cellEntered(k); });
        connect(cellWidget, &QWidget::customContextMenuRequested, this,
                [this, k, cellWidget](const QPoint &p) { showCellMenu(k, cellWidget->mapToGlobal(p)); });
        m_cells[k] = cellWidget;
        auto *name = new QLabel(m_side);
        name->setObjectName(QStringLiteral("Label_mingcheng_%1").arg(k + 1, 3, 10, QLatin1Char('0')));
        name->setAlignment(Qt::AlignCenter);
        name->setGeometry(x, y + kThumbnailCell.height() + 1, kThumbnailCell.width(), kNameHeight);
        m_names[k] = name;
    }
    const int pagingTop = 3 * (kThumbnailCell.height() + kNameHeight + 6) + 2;
    struct Paging {
        const char *name;
        const char *text;
        int width;
    };
    const Paging paging[] = {{"Button37", "◀", 30},
                             {"Button49", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "第一页"), 70},
                             {"Button20", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "上一页"), 70},
                             {"Button21", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "下一页"), 70},
                             {"Button50", QT_TRANSLATE_NOOP("lumora::ui::MainWindow", "末一页"), 70},
                             {"Button38", "▶", 30}};
    int x = 0;
    for (const Paging &p : paging) {
        QPushButton *b = addCommand(QString::fromUtf8(p.name), tr(p.text), {}, m_side);
        b->setGeometry(x, pagingTop, p.width, 26);
        x += p.width + 3;
    }
    m_buttons.value(QStringLiteral("Button37"))->setToolTip(tr("上一页 (PageUp)"));
    m_buttons.value(QStringLiteral("Button38"))->setToolTip(tr("下一页 (PageDown)"));
    connectCommand(QStringLiteral("Button49"), [this] { firstPage(); });
    connectCommand(QStringLiteral("Button20"), [this] { previousPage(); });
    connectCommand(QStringLiteral("Button37"), [this] { previousPage(); });
    connectCommand(QStringLiteral("Button21"), [this] { nextPage(); });
    connectCommand(QStringLiteral("Button38"), [this] { nextPage(); });
    connectCommand(QStringLiteral("Button50"), [this] { lastPageCommand(); });

    auto label = [this](const QString &name, const QString &text, const QRect &geometry) {
        auto *l = new QLabel(text, m_side);
        l->setObjectName(name);
        l->setGeometry(geometry);
        return l;
    };
    const int countsTop = pagingTop + 34;
    // A caption and its count: the caption 40 wide, or as wide as its words
    // need (the count follows it, keeping its right edge).
    auto counted = [&](const char *captionName, const QString &caption, const char *countName, const QString &count,
                       int left, int right) {
        QLabel *c = label(QString::fromLatin1(captionName), caption, QRect(left, countsTop, 40, 20));
        const int needed = c->fontMetrics().horizontalAdvance(caption);
        const int width = needed > 40 ? needed + 4 : 40;
        c->resize(width, 20);
        return label(QString::fromLatin1(countName), count, QRect(left + width, countsTop, right - left - width, 20));
    };
    m_photoCount = counted("Label_zhaopian", tr("照片："), "Label_shuliang_zhaopian", tr("0 张"), 0, 110);
    m_musicCount = counted("Label_yinyue", tr("音乐："), "Label_shuliang_yinyue", tr("0 个"), 120, 220);
    m_lyricCount = counted("Label_geci", tr("歌词："), "Label_shuliang_geci", tr("0 个"), 240, 340);
    m_modeLabel = label(QStringLiteral("Label_dangqian_moshi"), {}, QRect(0, countsTop + 26, 360, 22));
    QFont bold = m_modeLabel->font();
    bold.setBold(true);
    m_modeLabel->setFont(bold);
    m_side->setGeometry(kSideLeft, kStageRect.top(), 3 * kThumbnailCell.width() + 2 * kCellGap, countsTop + 52);
}

void MainWindow::buildLists()
{
    m_bottom = new QWidget(this);
    m_bottom->setObjectName(QStringLiteral("Panel_liebiao"));
    m_listTabs = new QTabWidget(m_bottom);
    m_templateList
        = makeList(QStringLiteral("ListView_daoru_moban"), {tr("序号"), tr("模板"), tr("模板时长")}, m_listTabs);
    m_musicList
        = makeList(QStringLiteral("ListView_daoru_yinyue"), {tr("序号"), tr("音乐"), tr("时间长度")}, m_listTabs);
    m_lyricList = makeList(QStringLiteral("ListView_daoru_geci"), {tr("序号"), tr("歌词"), tr("歌词格式")}, m_listTabs);
    m_listTabs->addTab(m_templateList, tr("模板"));
    m_listTabs->addTab(m_musicList, tr("音乐"));
    m_listTabs->addTab(m_lyricList, tr("歌词"));
    m_listTabs->setGeometry(0, 0, 520, 150);

    // Playing and the large view.
    QPushButton *play = addCommand(QStringLiteral("Button33"), tr("播放"), tr("播放相册"), m_bottom);
    play->setGeometry(532, 4, 80, 30);
    QPushButton *stop = addCommand(QStringLiteral("Button26"), tr("停止"), tr("停止播放"), m_bottom);
    stop->setGeometry(618, 4, 80, 30);
    pendingCommand(QStringLiteral("Button33"));
    pendingCommand(QStringLiteral("Button26"));
    m_currentTime = new QLabel(QStringLiteral("00:00:00"), m_bottom);
    m_currentTime->setObjectName(QStringLiteral("Label_danqianshijian"));
    m_currentTime->setGeometry(704, 4, 50, 30);
    auto *slash = new QLabel(QStringLiteral("/"), m_bottom);
    slash->setGeometry(755, 4, 6, 30);
    m_totalTime = new QLabel(QStringLiteral("00:00:00"), m_bottom);
    m_totalTime->setObjectName(QStringLiteral("Label_zongshijian"));
    m_totalTime->setGeometry(762, 4, 50, 30);

    auto *zoomTitle = new QLabel(tr("照片大小："), m_bottom);
    zoomTitle->setGeometry(532, 48, 70, 28);
    QPushButton *in = addCommand(QStringLiteral("Button22"), tr("放大"), tr("放大照片 (Ctrl++)"), m_bottom);
    in->setGeometry(602, 46, 70, 30);
    QPushButton *out = addCommand(QStringLiteral("Button23"), tr("缩小"), tr("缩小照片 (Ctrl+-)"), m_bottom);
    out->setGeometry(676, 46, 70, 30);
    QPushButton *def = addCommand(QStringLiteral("Button24"), tr("默认"), tr("默认大小 (Ctrl+0)"), m_bottom);
    def->setGeometry(750, 46, 62, 30);
    connectCommand(QStringLiteral("Button22"), [this] { zoomIn(); });
    connectCommand(QStringLiteral("Button23"), [this] { zoomOut(); });
    connectCommand(QStringLiteral("Button24"), [this] { zoomDefault(); });
    m_bottom->setGeometry(kStageRect.left(), kStageRect.bottom() + 8, kStageRect.width(), 150);

    // The thumbnail list of the large window modes.
    m_thumbModel = new ThumbnailListModel(m_session.album(), *m_thumbs, this);
    m_thumbList = new QListView(this);
    m_thumbList->setObjectName(QStringLiteral("ListView1"));
    m_thumbList->setViewMode(QListView::IconMode);
    m_thumbList->setResizeMode(QListView::Adjust);
    m_thumbList->setMovement(QListView::Static);
    m_thumbList->setUniformItemSizes(true);
    m_thumbList->setTextElideMode(Qt::ElideMiddle);
    m_thumbList->setIconSize(kListBoxSmall);
    m_thumbList->setSpacing(4);
    m_thumbList->setModel(m_thumbModel);
    m_thumbList->hide();
    connect(m_thumbList, &QListView::clicked, this, [this](const QModelIndex &ix) { showLargePhoto(ix.row()); });
    connect(m_thumbList, &QListView::activated, this, [this](const QModelIndex &ix) { showLargePhoto(ix.row()); });
    m_thumbList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_thumbList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { showListMenu(m_thumbList->viewport()->mapToGlobal(p)); });
    connect(m_thumbList, &QListView::doubleClicked, this, [this](const QModelIndex &ix) {
        if (!refuseWhilePlaying())
            Q_EMIT photoTemplatesRequested(ix.row());
    });
}

// ------------------------------------------------------------------ layout

void MainWindow::layoutWindow()
{
    const bool large = m_session.album().cells.windowMode != QLatin1String("moren_chuangkou");
    m_thumbList->setVisible(large);
    if (!large)
        return;
    // The list takes the room the large modes add: below the default
    // arrangement, or beside it when the window is wider than tall.
    const int bottom = kHeight;
    if (height() - bottom >= 120)
        m_thumbList->setGeometry(kMargin, bottom, width() - 2 * kMargin, height() - bottom - kMargin);
    else
        m_thumbList->setGeometry(kWidth, kStageRect.top(), std::max(0, width() - kWidth - kMargin),
                                 height() - kStageRect.top() - kMargin);
}

void MainWindow::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    layoutWindow();
}

QSize MainWindow::previewSize() const
{
    return m_session.album().modeInfo().preview;
}

void MainWindow::placePreviewFrame()
{
    // The frame is centred in the backdrop (integer halves), its border 4
    // pixels outside it on every side; the preview area fills the frame.
    const QSize preview = previewSize();
    const QRect stage = kStageRect;
    const QPoint topLeft(stage.left() + (stage.width() - preview.width()) / 2,
                         stage.top() + (stage.height() - preview.height()) / 2);
    m_frame->setGeometry(QRect(topLeft, preview));
    m_border->setGeometry(QRect(topLeft - QPoint(4, 4), preview + QSize(8, 8)));
    m_area->setGeometry(QRect(QPoint(0, 0), preview));
    m_border->raise();
    m_frame->raise();
    if (m_startup->isRunning())
        m_startup->setGeometry(QRect(QPoint(0, 0), preview));
    m_backdrop->setVisible(m_session.album().modeChosen ? m_session.album().mode != ModeKind::Wide16x9 : false);
}

void MainWindow::showIdlePicture()
{
    const QImage idle = idlePicture(m_session.album().mode, devicePixelRatioF());
    m_picture->setImage(idle);
    m_picture->setGeometry(QRect(QPoint(0, 0), previewSize()));
    m_picture->setCursor(Qt::ArrowCursor);
}

// ---------------------------------------------------------------- start-up

QString MainWindow::startUp()
{
    Album &album = m_session.album();
    album.mode = ModeKind::Wide16x9;
    album.cells.windowMode = QStringLiteral("moren_chuangkou");
    for (QLabel *name : m_names)
        name->clear();
    resize(kWidth, kHeight);
    layoutWindow();
    placePreviewFrame();
    showIdlePicture();
    show();

    // The movie is unpacked and loaded on a worker: the window paints and
    // the chooser opens meanwhile.
    m_startup->setGeometry(QRect(QPoint(0, 0), previewSize()));
    const Paths paths = m_session.paths();
    m_startup->startInBackground([paths] { workspace::unpackStartupMovie(paths); }, paths.startupMovieUnpacked());
    album.cells.setText(cell::kShockwaveFlashQidong, QStringLiteral("0"));
    QTimer::singleShot(kStartupDelayMs, this, [this] {
        if (restoreAtStart && restoreAtStart()) {
            afterModeChooser();
            return;
        }
        openModeChooser(true);
    });
    return {};
}

void MainWindow::stopStartupMovie()
{
    if (!m_startup->isRunning())
        return;
    m_startup->stop();
    m_session.album().cells.setText(cell::kShockwaveFlashQidong, QStringLiteral("1"));
}

bool MainWindow::startupMovieRunning() const
{
    return m_startup->isRunning();
}

void MainWindow::openModeChooser(bool firstStart)
{
    if (m_modeChooserOpen || (!firstStart && refuseWhilePlaying()))
        return;
    // A new mode empties the album: unsaved work is offered for saving first.
    if (ProjectCommands *p = projectCommands(*this); !firstStart && p && !p->settleUnsavedChanges(tr("相册模式")))
        return;
    if (firstStart)
        m_session.album().modeChosen = false; // the mode key is "" until a choice
    m_modeChooserOpen = true;
    ModeChooser *chooser = m_firstChooser ? m_firstChooser.data() : makeModeChooser();
    m_firstChooser = nullptr;
    connect(chooser, &QDialog::finished, this, [this] {
        m_modeChooserOpen = false;
        afterModeChooser();
    });
    chooser->open();
}

ModeChooser *MainWindow::makeModeChooser()
{
    auto *chooser = new ModeChooser(
        m_session.album(), m_dialogs, [this](ModeKind mode, std::function<void()> done) { changeMode(mode, done); },
        this);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    // A person who only wants to continue a saved album opens it from here.
    chooser->openAlbum = [this] {
        ProjectCommands *p = projectCommands(*this);
        return p && p->open();
    };
    return chooser;
}

void MainWindow::changeMode(ModeKind mode, const std::function<void()> &done)
{
    // The catalogue is built and the album reset on a worker's draft of the
    // session while TForm44 shows its progress (both windows are modal); the
    // draft is adopted here in one step, so thumbnails and the recovery
    // snapshot see the old album until then.
    auto *window = new ModeChangeWindow(this);
    window->open();
    std::shared_ptr<ProgressFeed> feed = window->feed();
    runOnDraft<CatalogueReport>(
        m_session, this,
        [mode, feed](AlbumSession &draft) { return draft.chooseMode(mode, [feed](int d, int m) { feed->set(d, m); }); },
        [this, mode, window, done](AlbumSession &draft, const CatalogueReport &report, const QString &error) {
            window->finish();
            window->deleteLater();
            if (!error.isEmpty()) {
                m_dialogs.notice(this, error);
                Q_EMIT fatalError(error);
                return;
            }
            m_session.adopt(std::move(draft));
            applyAlbumReset();
            // Templates whose package is damaged are left out of the
            // catalogue: named once per mode and run, not at every change.
            if (!report.leftOut.empty() && !m_leftOutNamed.contains(int(mode))) {
                m_leftOutNamed.insert(int(mode));
                m_dialogs.notice(this, leftOutNotice(report));
            }
            done();
        });
}

QString MainWindow::leftOutNotice(const CatalogueReport &report) const
{
    constexpr size_t kNamed = 20;
    QStringList lines;
    lines << tr("以下 %1 个模板的文件已损坏，没有列入模板列表：").arg(report.leftOut.size());
    for (size_t i = 0; i < report.leftOut.size() && i < kNamed; ++i)
        lines << tr("%1：%2").arg(QFileInfo(report.leftOut[i].parameterFile).fileName(), report.leftOut[i].reason);
    if (report.leftOut.size() > kNamed)
        lines << tr("……另有 %1 个模板").arg(report.leftOut.size() - kNamed);
    return lines.join(QLatin1Char('\n'));
}

void MainWindow::afterModeChooser()
{
    // Preview frame, border and area take the mode's preview size; the
    // start-up movie, while it plays, follows it.
    placePreviewFrame();
    if (!m_startup->isRunning())
        showIdlePicture();
    m_modeLabel->setText(shownText("lumora::AlbumMode", m_session.album().modeInfo().labelText));
}

void MainWindow::applyAlbumReset()
{
    m_thumbs->clear();
    for (int k = 0; k < kCellsPerPage; ++k) {
        m_cells[k]->clearPhoto();
        m_names[k]->clear();
    }
    m_thumbModel->reload();
    placePreviewFrame();
    showIdlePicture();
    m_modeLabel->setText(shownText("lumora::AlbumMode", m_session.album().modeInfo().labelText));
    m_totalTime->setText(QStringLiteral("00:00:00"));
    m_currentTime->setText(QStringLiteral("00:00:00"));
    refreshTemplateList();
    refreshMusicList();
    refreshLyricList();
    refreshPhotoCount();
    Q_EMIT albumReset();
}

// ------------------------------------------------------------------ guards

bool MainWindow::refuseWhilePlaying()
{
    const QString notice = m_session.album().cells.playingGuard();
    if (notice.isEmpty())
        return false;
    m_dialogs.notice(this, shownText("lumora::notice", notice));
    return true;
}

// ------------------------------------------------------------------- lists

void MainWindow::refreshTemplateList()
{
    const Album &album = m_session.album();
    m_templateList->clear();
    const RowTable &used = album.ListView_moban_shiyong;
    for (int i = 0; i < used.size(); ++i)
        new QTreeWidgetItem(m_templateList,
                            {QString::number(i + 1), used.cell(i, usedcol::kName), used.cell(i, usedcol::kDuration)});
    fitColumns(m_templateList);
}

void MainWindow::refreshMusicList()
{
    const RowTable &music = m_session.album().ListView_daoru_yinyue;
    m_musicList->clear();
    for (int i = 0; i < music.size(); ++i)
        new QTreeWidgetItem(m_musicList, {QString::number(i + 1), music[i].subItem(0), music[i].subItem(2)});
    fitColumns(m_musicList);
    m_musicCount->setText(tr("%1 个").arg(music.size()));
    refreshTotalTime(); // in music sync the songs make the album's length
}

void MainWindow::refreshLyricList()
{
    const RowTable &lyrics = m_session.album().ListView_daoru_LRC;
    m_lyricList->clear();
    for (int i = 0; i < lyrics.size(); ++i)
        new QTreeWidgetItem(m_lyricList, {QString::number(i + 1), lyrics[i].subItem(0), lyrics[i].subItem(1)});
    fitColumns(m_lyricList);
    m_lyricCount->setText(tr("%1 个").arg(lyrics.size()));
}

void MainWindow::refreshPhotoCount()
{
    m_photoCount->setText(tr("%1 张").arg(m_session.album().ListView_daoru_zhaopian.size()));
}

void MainWindow::refreshTotalTime()
{
    // The album's length whenever its tables tell it (the templates complete
    // so far, or the songs in music sync); 00:00:00 while it is not known.
    // While the album plays the preview keeps both labels itself.
    if (!m_session.album().cells.playingGuard().isEmpty())
        return;
    const long long frames = PreviewTimeline::knownTotalFrames(m_session.album(), m_session.output().sync);
    m_currentTime->setText(QStringLiteral("00:00:00"));
    m_totalTime->setText(clockTextHMS(frameSeconds(frames)));
}

// -------------------------------------------------------------- thumbnails

void MainWindow::showPage(int page)
{
    Album &album = m_session.album();
    const RowTable &photos = album.ListView_daoru_zhaopian;
    album.cells.setInt(cell::kFangyeHao, page);
    // A page turned away no longer needs its thumbnails.
    m_thumbs->dropPending();
    for (int k = 0; k < kCellsPerPage; ++k) {
        ThumbnailCell *c = m_cells[k];
        const int row = page * kCellsPerPage + k;
        if (row >= photos.size()) {
            c->clearPhoto();
            m_names[k]->clear();
            m_names[k]->setToolTip({});
            continue;
        }
        const Row &r = photos[row];
        const QSize picture = cellPicture(QSize(r.cell(photocol::kWidth).toInt(), r.cell(photocol::kHeight).toInt()));
        c->setPhoto(row, picture);
        const QString name = r.cell(photocol::kName);
        c->setToolTip(tr("鼠标双击预览模板效果。    第%1张, 照片名称: %2").arg(row + 1).arg(name));
        setCaption(m_names[k], name);
        const QImage thumb = m_thumbs->request(r.cell(photocol::kPath), picture * devicePixelRatioF());
        if (!thumb.isNull())
            c->setImage(thumb);
    }
}

void MainWindow::onThumbnailReady(const QString &path, QSize size)
{
    const RowTable &photos = m_session.album().ListView_daoru_zhaopian;
    for (ThumbnailCell *c : m_cells) {
        if (!c->holdsPhoto() || c->row() >= photos.size())
            continue;
        if (photos.cell(c->row(), photocol::kPath) == path && c->pictureSize() * devicePixelRatioF() == size) {
            const QImage img = m_thumbs->cached(path, size);
            c->setImage(img.isNull() ? QImage() : img);
        }
    }
    const QString hangshu = m_session.album().cells.text(cell::kHangshu);
    if (hangshu != QLatin1String("wu") && size == m_largeRequest) {
        const int row = hangshu.toInt();
        if (row < photos.size() && photos.cell(row, photocol::kPath) == path)
            m_picture->setImage(m_thumbs->cached(path, size));
    }
}

void MainWindow::refreshThumbnailList()
{
    m_thumbModel->reload();
    if (m_thumbList->isVisible())
        m_thumbModel->prefetch();
}

void MainWindow::refreshPhotoViews()
{
    Album &album = m_session.album();
    refreshPhotoCount();
    refreshTemplateList();
    refreshTotalTime();
    if (album.ListView_daoru_zhaopian.empty()) {
        for (int k = 0; k < kCellsPerPage; ++k) {
            m_cells[k]->clearPhoto();
            m_names[k]->clear();
        }
        m_thumbModel->reload();
        album.cells.setText(cell::kHangshu, QStringLiteral("wu"));
        showIdlePicture();
        return;
    }
    const int page = std::min(album.cells.toInt(cell::kFangyeHao), lastPage(album.ListView_daoru_zhaopian.size()));
    showPage(std::max(0, page));
    refreshThumbnailList();
    followLargePhoto();
}

bool MainWindow::followLargePhoto()
{
    StateCells &cells = m_session.album().cells;
    if (cells.is(cell::kHangshu, QStringLiteral("wu")))
        return false;
    const RowTable &photos = m_session.album().ListView_daoru_zhaopian;
    const int was = cells.toInt(cell::kHangshu);
    int row = -1;
    if (was >= 0 && was < photos.size() && photos.cell(was, photocol::kPath) == m_largePath)
        row = was;
    for (int i = 0; row < 0 && i < photos.size(); ++i)
        if (photos.cell(i, photocol::kPath) == m_largePath)
            row = i;
    if (row < 0) {
        cells.setText(cell::kHangshu, QStringLiteral("wu"));
        m_largePath.clear();
        showIdlePicture();
        return false;
    }
    if (row != was)
        cells.setInt(cell::kHangshu, row);
    return true;
}

bool MainWindow::pagingAllowed()
{
    if (refuseWhilePlaying())
        return false;
    if (m_session.album().ListView_daoru_zhaopian.empty()) {
        m_dialogs.notice(this, tr(kNoPhotos));
        return false;
    }
    return true;
}

void MainWindow::firstPage()
{
    if (!pagingAllowed())
        return;
    if (m_session.album().cells.toInt(cell::kFangyeHao) == 0)
        return m_dialogs.notice(this, tr(kFirstPageAlready));
    turnPage(0);
}

void MainWindow::previousPage()
{
    if (!pagingAllowed())
        return;
    const int page = m_session.album().cells.toInt(cell::kFangyeHao);
    if (page == 0)
        return m_dialogs.notice(this, tr(kFirstPageAlready));
    turnPage(page - 1);
}

void MainWindow::nextPage()
{
    if (!pagingAllowed())
        return;
    const int page = m_session.album().cells.toInt(cell::kFangyeHao);
    if (page >= lastPage(m_session.album().ListView_daoru_zhaopian.size()))
        return m_dialogs.notice(this, tr(kLastPageAlready));
    turnPage(page + 1);
}

void MainWindow::lastPageCommand()
{
    if (!pagingAllowed())
        return;
    const int last = lastPage(m_session.album().ListView_daoru_zhaopian.size());
    if (m_session.album().cells.toInt(cell::kFangyeHao) >= last)
        return m_dialogs.notice(this, tr(kLastPageAlready));
    turnPage(last);
}

void MainWindow::turnPage(int page)
{
    m_session.album().cells.firstPageTurn = QStringLiteral("jieshu");
    showPage(page);
}

// -------------------------------------------------------------- large view

void MainWindow::cellEntered(int k)
{
    m_session.album().cells.setText(cell::kImageKongjian, QStringLiteral("Image%1").arg(k + 1));
}

void MainWindow::cellClicked(int k)
{
    if (refuseWhilePlaying())
        return;
    if (m_session.album().ListView_daoru_zhaopian.empty())
        return m_dialogs.notice(this, tr(kNoPhotos));
    if (!m_cells[k]->holdsPhoto())
        return;
    showLargePhoto(m_cells[k]->row());
}

void MainWindow::cellDoubleClicked(int k)
{
    if (refuseWhilePlaying() || !m_cells[k]->holdsPhoto())
        return;
    Q_EMIT photoTemplatesRequested(m_cells[k]->row());
}

void MainWindow::showCellMenu(int k, const QPoint &global)
{
    cellEntered(k);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("PopupMenu_suolvetu"));
    menu.addAction(tr("查看照片"), this, [this, k] { cellClicked(k); });
    menu.addAction(tr("预览效果"), this, [this] { m_dialogs.notice(this, tr("双击照片预览效果！")); });
    menu.addSeparator();
    menu.addAction(tr("第一页"), this, [this] { firstPage(); });
    menu.addAction(tr("上一页"), this, [this] { previousPage(); });
    menu.addAction(tr("下一页"), this, [this] { nextPage(); });
    menu.addAction(tr("末一页"), this, [this] { lastPageCommand(); });
    menu.exec(global);
}

void MainWindow::showLargePhoto(int row)
{
    if (refuseWhilePlaying())
        return;
    Album &album = m_session.album();
    if (album.ListView_daoru_zhaopian.empty())
        return m_dialogs.notice(this, tr(kNoPhotos));
    if (row < 0 || row >= album.ListView_daoru_zhaopian.size())
        return;
    stopStartupMovie();
    album.cells.setInt(cell::kHangshu, row);
    const QSize box = defaultViewBox(previewSize());
    album.cells.setInt(cell::kWidth01, box.width());
    album.cells.setInt(cell::kHeight01, box.height());
    drawLargeView();
}

void MainWindow::drawLargeView()
{
    Album &album = m_session.album();
    const int row = album.cells.toInt(cell::kHangshu);
    if (row < 0 || row >= album.ListView_daoru_zhaopian.size()) {
        // No photo to show large any more: back to the idle picture.
        album.cells.setText(cell::kHangshu, QStringLiteral("wu"));
        m_largePath.clear();
        showIdlePicture();
        return;
    }
    const Row &r = album.ListView_daoru_zhaopian[row];
    m_largePath = r.cell(photocol::kPath);
    const QSize stored(r.cell(photocol::kWidth).toInt(), r.cell(photocol::kHeight).toInt());
    const QSize box(album.cells.toInt(cell::kWidth01), album.cells.toInt(cell::kHeight01));
    const QSize shown
        = largeViewSize(stored, box, album.settings.zhujiemianHengQuanpin, album.settings.zhujiemianShuShizhong);
    const QSize area = previewSize();
    m_picture->setGeometry(
        QRect(QPoint((area.width() - shown.width()) / 2, (area.height() - shown.height()) / 2), shown));
    m_picture->setCursor(Qt::OpenHandCursor);
    // The picture is made off this thread at the size shown (device pixels,
    // at most the preview area's, zooming beyond draws it scaled up).
    const QSize fitted = fitPhoto(stored, area);
    const QSize request = (shown.width() > fitted.width() ? fitted : shown) * devicePixelRatioF();
    m_largeRequest = request;
    const QString path = r.cell(photocol::kPath);
    QImage img = m_thumbs->request(path, request);
    if (img.isNull()) {
        // Meanwhile a thumbnail of the photo already made stands in for it.
        for (ThumbnailCell *c : m_cells)
            if (c->row() == row && c->hasImage())
                img = m_thumbs->cached(path, c->pictureSize() * devicePixelRatioF());
    }
    m_picture->setImage(img);
}

bool MainWindow::zoomAllowed()
{
    if (refuseWhilePlaying())
        return false;
    if (!followLargePhoto()) {
        m_dialogs.notice(this, tr(kNoPhotoSelected));
        return false;
    }
    return true;
}

void MainWindow::zoomIn()
{
    if (!zoomAllowed())
        return;
    StateCells &c = m_session.album().cells;
    const QSize box = zoomInBox(QSize(c.toInt(cell::kWidth01), c.toInt(cell::kHeight01)), previewSize());
    c.setInt(cell::kWidth01, box.width());
    c.setInt(cell::kHeight01, box.height());
    drawLargeView();
}

void MainWindow::zoomOut()
{
    if (!zoomAllowed())
        return;
    StateCells &c = m_session.album().cells;
    const QSize box = zoomOutBox(QSize(c.toInt(cell::kWidth01), c.toInt(cell::kHeight01)), previewSize());
    if (!box.isValid()) {
        m_dialogs.notice(this, tr(kCannotShrink));
        return zoomDefault();
    }
    c.setInt(cell::kWidth01, box.width());
    c.setInt(cell::kHeight01, box.height());
    drawLargeView();
}

void MainWindow::zoomDefault()
{
    if (!zoomAllowed())
        return;
    StateCells &c = m_session.album().cells;
    const QSize box = defaultViewBox(previewSize());
    c.setInt(cell::kWidth01, box.width());
    c.setInt(cell::kHeight01, box.height());
    drawLargeView();
}

// ---------------------------------------------------------- window modes

void MainWindow::setWindowMode(const QString &mode)
{
    if (refuseWhilePlaying())
        return;
    Album &album = m_session.album();
    album.cells.windowMode = mode;
    if (mode == QLatin1String("quanping_chuangkou"))
        showFullScreen();
    else if (mode == QLatin1String("fangda_chuangkou"))
        showMaximized();
    else {
        showNormal();
        resize(kWidth, kHeight);
    }
    layoutWindow();
    if (mode != QLatin1String("moren_chuangkou"))
        refreshThumbnailList();
}

void MainWindow::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape && (windowState() & Qt::WindowFullScreen)) {
        setWindowMode(QStringLiteral("moren_chuangkou"));
        return;
    }
    QWidget::keyPressEvent(e);
}

// -------------------------------------------------------- other commands

PhotoWindow *MainWindow::photoWindow()
{
    if (!m_photoWindow) {
        m_photoWindow = new PhotoWindow(m_session, m_dialogs, *m_thumbs, this);
        connect(m_photoWindow, &PhotoWindow::photosChanged, this, [this] { refreshPhotoViews(); });
        connect(m_photoWindow, &PhotoWindow::photoFilesRequested, this, [this] {
            PhotoFilesWindow *w = photoFilesWindow();
            w->reload();
            w->open();
        });
        connect(m_photoWindow, &QDialog::finished, this, [this] { afterPhotoWindow(); });
    }
    return m_photoWindow;
}

PhotoFilesWindow *MainWindow::photoFilesWindow()
{
    if (!m_photoFiles) {
        m_photoFiles = new PhotoFilesWindow(m_session.album(), *m_thumbs, *photoWindow(), photoWindow());
        connect(m_photoFiles, &PhotoFilesWindow::photoChosen, this, [this](int row) { showLargePhoto(row); });
        connect(m_photoFiles, &PhotoFilesWindow::photoTemplatesRequested, this,
                [this](int row) { Q_EMIT photoTemplatesRequested(row); });
        connect(m_photoFiles, &QDialog::finished, this, [this] { refreshThumbnailList(); });
    }
    return m_photoFiles;
}

SettingsWindow *MainWindow::settingsWindow()
{
    if (!m_settings) {
        m_settings = new SettingsWindow(m_session.album(), this);
        connect(m_settings, &QDialog::finished, this, [this] {
            // The display settings change how the photo shown large is drawn.
            if (followLargePhoto())
                drawLargeView();
        });
    }
    return m_settings;
}

void MainWindow::addPhotosCommand()
{
    if (refuseWhilePlaying())
        return;
    stopStartupMovie();
    if (m_session.album().cells.is(cell::kHangshu, QStringLiteral("wu")))
        showIdlePicture();
    PhotoWindow *w = photoWindow();
    w->reload();
    w->clearDetails();
    w->open();
}

void MainWindow::afterPhotoWindow()
{
    // The photo window closed: the used templates, the list of the large
    // modes, the time labels, page 0 and the count.
    Album &album = m_session.album();
    refreshTemplateList();
    refreshThumbnailList();
    refreshTotalTime();
    if (!album.ListView_daoru_zhaopian.empty()) {
        showPage(0);
        album.cells.setText(cell::kHangshu, QStringLiteral("wu"));
        showIdlePicture();
    }
    refreshPhotoCount();
}

void MainWindow::settingsCommand()
{
    if (refuseWhilePlaying())
        return;
    SettingsWindow *w = settingsWindow();
    w->load();
    w->open();
}

void MainWindow::exitCommand()
{
    Q_EMIT stopPreviewRequested();
    if (findChild<ExitDialog *>())
        return;
    if (ProjectCommands *p = projectCommands(*this); p && !p->settleUnsavedChanges(tr("退出软件")))
        return;
    const Paths paths = m_session.paths();
    auto *dialog = new ExitDialog(
        [paths](const std::function<void(int, int)> &progress) { workspace::exitClean(paths, progress); }, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this] {
        m_exiting = true;
        Q_EMIT exitAccepted();
    });
    dialog->open();
}

void MainWindow::showListMenu(const QPoint &global)
{
    const std::unique_ptr<QMenu> menu(listMenu());
    menu->exec(global);
}

QMenu *MainWindow::listMenu()
{
    const QModelIndex ix = m_thumbList->currentIndex();
    auto *menuPtr = new QMenu(this);
    QMenu &menu = *menuPtr;
    menu.setObjectName(QStringLiteral("PopupMenu_liebiao"));
    QAction *view = menu.addAction(tr("查看照片"), this, [this, ix] { showLargePhoto(ix.row()); });
    view->setEnabled(ix.isValid());
    QAction *preview = menu.addAction(tr("预览效果"), this, [this, ix] {
        if (!refuseWhilePlaying())
            Q_EMIT photoTemplatesRequested(ix.row());
    });
    preview->setObjectName(QStringLiteral("MenuItem_yulan"));
    preview->setEnabled(ix.isValid());
    QAction *del = menu.addAction(tr("删除照片"), this, [this, ix] {
        if (!refuseWhilePlaying())
            photoWindow()->deletePhotoCommand(ix.isValid() ? ix.row() : -1);
    });
    del->setObjectName(QStringLiteral("MenuItem3"));
    QAction *all = menu.addAction(tr("全部删除"), this, [this] {
        if (!refuseWhilePlaying())
            photoWindow()->deleteAllCommand();
    });
    all->setObjectName(QStringLiteral("MenuItem4"));
    return menuPtr;
}

void MainWindow::closeEvent(QCloseEvent *e)
{
    // Closing the window is the exit request; the exit dialog ends the
    // program. Once it has, the window closes like any other.
    if (m_exiting)
        return e->accept();
    e->ignore();
    exitCommand();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *e)
{
    if (e->mimeData()->hasUrls())
        e->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *e)
{
    const QStringList paths = droppedLocalFiles(e->mimeData());
    if (!paths.isEmpty()) {
        e->acceptProposedAction();
        addDroppedPaths(paths);
    }
}

void MainWindow::addDroppedPaths(const QStringList &paths)
{
    if (refuseWhilePlaying())
        return;
    // Songs and lyric files go to the music and lyric lists, the rest (photos,
    // folders) to the photo add.
    QStringList songs, lyrics, photos;
    for (const QString &p : paths) {
        if (p.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive))
            songs << p;
        else if (p.endsWith(QLatin1String(".lrc"), Qt::CaseInsensitive))
            lyrics << p;
        else
            photos << p;
    }
    if (!songs.isEmpty()) {
        addSongsWithProgress(m_session, m_dialogs, songs, this);
        refreshMusicList();
    }
    if (!lyrics.isEmpty()) {
        const MediaAddReport report = m_session.addLyricFiles(lyrics);
        refreshLyricList();
        QStringList lines = report.notices;
        for (const RefusedFile &f : report.refused)
            lines << f.reason;
        if (!lines.isEmpty())
            m_dialogs.notice(this, lines.join(QLatin1Char('\n')));
    }
    if (!photos.isEmpty())
        startAddPhotos(photos);
}

void MainWindow::startAddPhotos(const QStringList &paths)
{
    if (photoWindow()->adding())
        return;
    stopStartupMovie();
    photoWindow()->addChosenPhotos(paths, [this] { afterPhotoWindow(); });
}

} // namespace lumora::ui
