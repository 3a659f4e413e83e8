#include "PhotoWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include "album/AlbumTables.h"
#include "album/Matching.h"
#include "album/PhotoGeometry.h"
#include "album/PhotoTable.h"
#include "album/ThumbnailCache.h"
#include "app/DialogService.h"
#include "app/Dialogs.h"
#include "app/DraftWork.h"
#include "app/DroppedFiles.h"
#include "app/Error.h"
#include "app/FileFolders.h"
#include "app/Language.h"
#include "app/PictureView.h"
#include "app/StateCells.h"
#include "app/WhenFinished.h"
#include "effects/EffectPlacement.h"
#include "session/AlbumSession.h"

namespace lumora::ui {

namespace {

const char *const kNoPhotos = QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "没有添加照片文件！");
const char *const kNoPhotoSelected = QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "没有选中照片文件！");
const char *const kPhotoFilter
    = QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "添加照片文件(JPG) (*.jpg *.JPG *.jpeg *.JPEG)");
constexpr QSize kPictureBox{260, 200};

} // namespace

PhotoWindow::PhotoWindow(AlbumSession &session, DialogService &dialogs, ThumbnailCache &thumbnails, QWidget *parent)
    : QDialog(parent), m_session(session), m_dialogs(dialogs), m_thumbs(thumbnails)
{
    setObjectName(QStringLiteral("TForm3"));
    setProperty("lumoraWindow", true);
    setWindowTitle(tr("添加照片"));
    setAcceptDrops(true);
    resize(980, 600);

    auto *layout = new QHBoxLayout(this);
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("ListView_daoru_zhaopian"));
    m_table->setColumnCount(7);
    m_table->setHorizontalHeaderLabels(
        {tr("序号"), tr("照片"), tr("格式"), tr("宽度"), tr("高度"), tr("位置"), tr("套版")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(0, 50);
    m_table->setColumnWidth(1, 150);
    m_table->setColumnWidth(2, 50);
    m_table->setColumnWidth(3, 60);
    m_table->setColumnWidth(4, 60);
    m_table->setColumnWidth(5, 260);
    layout->addWidget(m_table, 1);
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row) { showDetails(row); });

    auto *side = new QVBoxLayout;
    auto *form = new QFormLayout;
    const std::pair<const char *, const char *> fields[]
        = {{"Edit_zhaopian_xuhao", QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "照片序号")},
           {"Edit_zhaopian_mingcheng", QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "照片名称")},
           {"Edit_zhaopian_geshi", QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "照片格式")},
           {"Edit_zhaopian_kuandu", QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "照片宽度")},
           {"Edit_zhaopian_gaodu", QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "照片高度")},
           {"Edit_zhaopian_weizhi", QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "照片位置")}};
    for (const auto &[name, caption] : fields) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setReadOnly(true);
        form->addRow(tr(caption), edit);
        m_details << edit;
    }
    side->addLayout(form);
    m_pictureFrame = new QLabel(this);
    m_pictureFrame->setFixedSize(kPictureBox);
    m_pictureFrame->setAutoFillBackground(true);
    QPalette pal = m_pictureFrame->palette();
    pal.setColor(QPalette::Window, QColor(60, 60, 64));
    m_pictureFrame->setPalette(pal);
    m_picture = new PictureView(m_pictureFrame);
    m_picture->setObjectName(QStringLiteral("Image1"));
    side->addWidget(m_pictureFrame, 0, Qt::AlignHCenter);

    struct Command {
        const char *name;
        const char *text;
        const char *hint;
    };
    const Command commands[] = {
        {"Button5", QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "添加照片"),
         QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "添加照片文件或文件夹 (Ctrl+O)，也可以把照片拖到这里")},
        {"Button6", QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "删除照片"),
         QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "删除选中的照片 (Delete)")},
        {"Button7", QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "全部删除"),
         QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "删除全部照片 (Shift+Delete)")},
        {"Button9", QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "自动套版"),
         QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "为没有套版的照片自动匹配模板")},
        {"Button11", QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "缩略图方式显示照片"),
         QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "用缩略图查看全部照片")},
        {"Button_fanhui", QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "返回"),
         QT_TRANSLATE_NOOP("lumora::ui::PhotoWindow", "返回主界面")},
    };
    auto *grid = new QGridLayout;
    int k = 0;
    for (const Command &c : commands) {
        auto *b = new QPushButton(tr(c.text), this);
        b->setObjectName(QString::fromLatin1(c.name));
        b->setToolTip(tr(c.hint));
        grid->addWidget(b, k / 2, k % 2);
        ++k;
    }
    side->addLayout(grid);
    side->addStretch();
    layout->addLayout(side);

    auto on = [this](const char *name, auto slot) {
        connect(findChild<QPushButton *>(QString::fromLatin1(name)), &QPushButton::clicked, this, slot);
    };
    on("Button5", [this] { addPhotosCommand(); });
    on("Button6", [this] { deletePhotoCommand(selectedRow()); });
    on("Button7", [this] { deleteAllCommand(); });
    on("Button9", [this] { autoMatchCommand(); });
    on("Button11", [this] { Q_EMIT photoFilesRequested(); });
    on("Button_fanhui", [this] { accept(); });

    connect(&m_thumbs, &ThumbnailCache::ready, this, [this](const QString &path, QSize size) {
        const int row = selectedRow();
        if (size == m_pictureRequest && row >= 0 && row < m_session.album().ListView_daoru_zhaopian.size()
            && m_session.album().ListView_daoru_zhaopian.cell(row, photocol::kPath) == path)
            m_picture->setImage(m_thumbs.cached(path, size));
    });
    reload();
}

int PhotoWindow::selectedRow() const
{
    const QList<QTableWidgetItem *> items = m_table->selectedItems();
    return items.isEmpty() ? -1 : items.first()->row();
}

void PhotoWindow::reload()
{
    const RowTable &photos = m_session.album().ListView_daoru_zhaopian;
    m_table->setUpdatesEnabled(false);
    m_table->clearContents();
    m_table->setRowCount(photos.size());
    for (int i = 0; i < photos.size(); ++i)
        for (int c = 0; c < 7; ++c)
            m_table->setItem(i, c, new QTableWidgetItem(shownCell(photos.cell(i, c))));
    m_table->setUpdatesEnabled(true);
}

void PhotoWindow::clearDetails()
{
    for (QLineEdit *e : m_details)
        e->clear();
    m_picture->clear();
    m_picture->setToolTip({});
    m_table->clearSelection();
}

void PhotoWindow::showDetails(int row)
{
    const RowTable &photos = m_session.album().ListView_daoru_zhaopian;
    if (row < 0 || row >= photos.size())
        return;
    for (int c = 0; c < 6; ++c)
        m_details[c]->setText(photos.cell(row, c));
    const QSize stored(photos.cell(row, photocol::kWidth).toInt(), photos.cell(row, photocol::kHeight).toInt());
    const QSize shown = fitPhoto(stored, kPictureBox);
    m_picture->setGeometry(
        QRect(QPoint((kPictureBox.width() - shown.width()) / 2, (kPictureBox.height() - shown.height()) / 2), shown));
    m_picture->setToolTip(tr("第%1张, 照片名称: %2").arg(row + 1).arg(photos.cell(row, photocol::kName)));
    m_pictureRequest = shown * devicePixelRatioF();
    m_picture->setImage(m_thumbs.request(photos.cell(row, photocol::kPath), m_pictureRequest));
}

// -------------------------------------------------------------------- add

void PhotoWindow::addPhotosCommand()
{
    addChosenPhotos({}, {});
}

void PhotoWindow::addChosenPhotos(const QStringList &given, const std::function<void()> &done)
{
    if (m_adding)
        return;
    QWidget *owner = isVisible() ? static_cast<QWidget *>(this) : parentWidget();
    int pack = 0;
    if (m_session.album().settings.mobanZuheShiyong && choosePack) {
        pack = choosePack();
        if (pack < 0)
            return;
    }
    m_session.album().Edit_mobanfashi
        = pack > 0 ? QStringLiteral("shiyong_zuhemoban") : QStringLiteral("shiyong_suijimoban");
    QStringList files = given;
    if (files.isEmpty())
        files = m_dialogs.openFiles(owner, tr("添加照片"), startFolder(FileKind::Photo), tr(kPhotoFilter));
    if (files.isEmpty())
        return;
    if (given.isEmpty())
        rememberFolder(FileKind::Photo, files.first());
    // The pack's photo check: while the photos lack an orientation the pack
    // needs, say so and open the file dialog again; the photos chosen so far
    // are kept. Cancelling the dialog ends the add with nothing added.
    while (pack > 0) {
        QStringList notices;
        try {
            notices = m_session.packPhotoCheck(files, pack);
        } catch (const Error &e) {
            m_dialogs.notice(owner, e.message());
            return;
        }
        if (notices.isEmpty())
            break;
        for (const QString &n : notices)
            m_dialogs.notice(owner, n);
        const QStringList more
            = m_dialogs.openFiles(owner, tr("添加照片"), startFolder(FileKind::Photo), tr(kPhotoFilter));
        if (more.isEmpty())
            return;
        rememberFolder(FileKind::Photo, more.first());
        for (const QString &f : more)
            if (!files.contains(f))
                files << f;
    }
    m_pendingPack = pack;
    addPaths(files, done);
}

QString PhotoWindow::refusedNotice(const std::vector<std::pair<QString, QString>> &refused) const
{
    QStringList lines;
    lines << tr("以下 %1 个文件没有添加：").arg(refused.size());
    constexpr int kShown = 20;
    for (size_t i = 0; i < refused.size() && i < size_t(kShown); ++i)
        lines << QStringLiteral("%1：%2").arg(QFileInfo(refused[i].first).fileName(), refused[i].second);
    if (refused.size() > size_t(kShown))
        lines << tr("……另有 %1 个文件").arg(refused.size() - kShown);
    return lines.join(QLatin1Char('\n'));
}

void PhotoWindow::addPaths(const QStringList &paths, const std::function<void()> &done)
{
    if (m_adding || paths.isEmpty())
        return;
    m_adding = true;
    QWidget *owner = isVisible() ? static_cast<QWidget *>(this) : parentWidget();
    auto *progress = new ProgressWindow(owner);
    progress->begin(tr("添加照片"), int(paths.size()));
    progress->open();

    PhotoAddOptions options;
    options.pack = m_pendingPack;
    m_pendingPack = 0;
    // The worker reports through the progress window's feed, which it keeps
    // alive itself: it never touches a window.
    std::shared_ptr<ProgressFeed> feed = progress->feed();
    options.stop = &feed->stop;
    auto lastPhase = std::make_shared<QString>(tr("添加照片"));
    options.progress = [feed, lastPhase](const QString &phase, int doneCount, int maximum) {
        if (phase != *lastPhase) {
            *lastPhase = phase;
            feed->setCaption(phase);
        }
        feed->set(doneCount, maximum);
    };
    // Questions of the add come from the worker and are asked on this thread,
    // through the application object (it outlives every window); the guards
    // are read on this thread only.
    QPointer<PhotoWindow> self(this);
    QPointer<ProgressWindow> over(progress);
    options.confirm = [self, over](const QString &title, const QString &question) {
        bool answer = false;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [&] { answer = self && self->m_dialogs.confirm(over.data(), title, question); },
            Qt::BlockingQueuedConnection);
        return answer;
    };
    // The worker adds to its own draft of the session; it is adopted here in
    // one step when the add ends (a failed add leaves the album as it was).
    runOnDraft<AddPhotosReport>(
        m_session, this, [paths, options, feed](AlbumSession &draft) { return draft.addPhotos(paths, options); },
        [this, progress, done](AlbumSession &draft, const AddPhotosReport &report, const QString &failure) {
            endLongAction(draft, failure, progress);
            QWidget *owner = isVisible() ? static_cast<QWidget *>(this) : parentWidget();
            if (!failure.isEmpty())
                m_dialogs.notice(owner, failure);
            std::vector<std::pair<QString, QString>> refused;
            for (const RefusedPhoto &r : report.refused)
                refused.emplace_back(r.path, r.reason);
            if (!refused.empty())
                m_dialogs.notice(owner, refusedNotice(refused));
            for (const QString &n : report.notices)
                m_dialogs.notice(owner, n);
            searchFaces();
            if (done)
                done();
        });
}

void PhotoWindow::endLongAction(AlbumSession &draft, const QString &failure, ProgressWindow *progress)
{
    // The draft is the album now, unless the action failed (then the album
    // stays as it was).
    if (failure.isEmpty())
        m_session.adopt(std::move(draft));
    finishProgress(progress);
    progress->deleteLater();
    m_adding = false;
    reload();
    Q_EMIT photosChanged();
}

void PhotoWindow::searchFaces()
{
    Album &album = m_session.album();
    if (m_faceSearch || !m_facesFound.empty() || !album.settings.faceCrop)
        return;
    // Small batches: the first placements arrive within a second or two,
    // and photos added meanwhile join the next batch.
    constexpr int kBatch = 8;
    const QStringList todo = photosWithoutFaces(album).mid(0, kBatch);
    if (todo.isEmpty())
        return;
    m_faceSearch = std::make_shared<std::atomic<bool>>(false);
    const std::shared_ptr<std::atomic<bool>> stop = m_faceSearch;
    const QString cache = m_session.faceCacheFolder();
    auto future = QtConcurrent::run([todo, cache, stop] { return scanFaces(todo, cache, 1, true, stop.get()); });
    whenFinished(future, this, [this, stop](const std::vector<FaceScanResult> &found) {
        if (m_faceSearch != stop)
            return;
        m_faceSearch.reset();
        if (stop->load())
            return;
        m_facesFound.insert(m_facesFound.end(), found.begin(), found.end());
        applyFoundFaces();
    });
}

void PhotoWindow::applyFoundFaces()
{
    // The production window (TForm25) runs its production on a worker.
    const QWidget *modal = QApplication::activeModalWidget();
    const bool producing = modal && modal->objectName() == QLatin1String("TForm25");
    if (m_adding || producing || !m_session.album().cells.playingGuard().isEmpty()) {
        // A worker reads or writes the album now (add, preview staging,
        // production): the faces wait until the album is this thread's again.
        QTimer::singleShot(1000, this, [this] { applyFoundFaces(); });
        return;
    }
    applyPhotoFaces(m_session.album(), m_facesFound);
    m_facesFound.clear();
    searchFaces();
}

// ----------------------------------------------------------------- delete

void PhotoWindow::deletePhotoCommand(int row)
{
    Album &album = m_session.album();
    if (album.ListView_daoru_zhaopian.empty())
        return m_dialogs.notice(this, tr(kNoPhotos));
    if (!m_dialogs.confirm(this, tr("删除照片"), deletePhotoQuestion(album, std::max(row, -1))))
        return;
    if (row < 0 || row >= album.ListView_daoru_zhaopian.size())
        return m_dialogs.notice(this, tr(kNoPhotoSelected));
    QStringList notices;
    try {
        PhotoDeletionHooks hooks;
        hooks.rederiveTextStartTimes = [](Album &a) { rederiveTextStartTimes(a); };
        notices = deletePhoto(album, row, hooks);
    } catch (const Error &e) {
        notices << e.message();
    }
    reload();
    clearDetails();
    Q_EMIT photosChanged();
    for (const QString &n : notices)
        m_dialogs.notice(this, n);
}

void PhotoWindow::deleteAllCommand()
{
    Album &album = m_session.album();
    if (album.ListView_daoru_zhaopian.empty())
        return m_dialogs.notice(this, tr(kNoPhotos));
    if (!m_dialogs.confirm(this, tr("删除照片"), deleteAllPhotosQuestion(album)))
        return;
    QString notice;
    try {
        notice = deleteAllPhotos(album);
    } catch (const Error &e) {
        notice = e.message();
    }
    reload();
    clearDetails();
    Q_EMIT photosChanged();
    m_dialogs.notice(this, notice);
}

void PhotoWindow::autoMatchCommand()
{
    if (m_adding)
        return;
    Album &album = m_session.album();
    if (album.ListView_daoru_zhaopian.empty())
        return m_dialogs.notice(this, tr(kNoPhotos));
    m_adding = true;
    auto *progress = new ProgressWindow(this);
    progress->begin(tr("自动匹配模板"), album.ListView_daoru_zhaopian.size());
    progress->open();
    // Matched on a draft of the session, adopted in one step when it ends;
    // the worker keeps the progress feed, not the window.
    std::shared_ptr<ProgressFeed> feed = progress->feed();
    runOnDraft<bool>(
        m_session, this,
        [feed](AlbumSession &draft) {
            automaticMatching(
                draft.album(), [feed](int d, int m) { feed->set(d, m); }, &feed->stop);
            return true;
        },
        [this, progress](AlbumSession &draft, bool, const QString &error) {
            endLongAction(draft, error, progress);
            if (!error.isEmpty())
                m_dialogs.notice(this, error);
            else if (!progress->stopRequested())
                m_dialogs.notice(this, tr("照片与模板自动匹配已完成！"));
        });
}

// ------------------------------------------------------------ keys, drops

void PhotoWindow::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Delete) {
        if (e->modifiers() & Qt::ShiftModifier)
            deleteAllCommand();
        else
            deletePhotoCommand(selectedRow());
        return;
    }
    if (e->matches(QKeySequence::Open)) {
        addPhotosCommand();
        return;
    }
    QDialog::keyPressEvent(e);
}

void PhotoWindow::dragEnterEvent(QDragEnterEvent *e)
{
    if (e->mimeData()->hasUrls() && !m_adding)
        e->acceptProposedAction();
}

void PhotoWindow::dropEvent(QDropEvent *e)
{
    const QStringList paths = droppedLocalFiles(e->mimeData());
    if (paths.isEmpty())
        return;
    e->acceptProposedAction();
    // Dropped photos are assigned templates as chosen photos are (template
    // options first when template combinations are on).
    addChosenPhotos(paths, {});
}

} // namespace lumora::ui
