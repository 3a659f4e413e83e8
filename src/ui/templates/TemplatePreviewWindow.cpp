#include "templates/TemplatePreviewWindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include "album/AlbumTables.h"
#include "album/Staging.h"
#include "app/ClockText.h"
#include "app/DialogService.h"
#include "app/Error.h"
#include "app/FlagWords.h"
#include "app/Language.h"
#include "app/PictureView.h"
#include "effects/EffectRun.h"
#include "image/ImageIO.h"
#include "playback/TemplateDriver.h"
#include "production/ProductionRun.h"
#include "resources/FolderOps.h"
#include "resources/PackedFile.h"
#include "session/AlbumSession.h"
#include "templates/Catalogue.h"
#include "templates/TemplateParams.h"

namespace lumora::ui {

namespace {
const QString kCatalogueEntry = QStringLiteral("yulan_yuanmoban");
constexpr int kFrameMs = 40; // 25 frames per second, as the album plays

// A teal placeholder with "picture" in white bold type, JPEG quality 90.
void writePlaceholder(const QString &path, QSize size)
{
    QImage img(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    img.fill(QColor(0, 128, 128));
    QPainter p(&img);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(21);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(img.rect(), Qt::AlignCenter, QStringLiteral("picture"));
    p.end();
    writeJpeg(img, path, 90);
}

void writeBlack(const QString &path, QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::black);
    writeJpeg(img, path, 90);
}
} // namespace

TemplatePreviewWindow::TemplatePreviewWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_session(session), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TForm19"));
    setWindowTitle(tr("预览模板"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);
    auto *info = new QFormLayout;
    auto *infoRow = new QHBoxLayout;
    const std::pair<const char *, const char *> fields[]
        = {{"Edit_mingcheng", QT_TRANSLATE_NOOP("lumora::ui::TemplatePreviewWindow", "模板名称")},
           {"Edit_leixing", QT_TRANSLATE_NOOP("lumora::ui::TemplatePreviewWindow", "模板类型")},
           {"Edit_hengzhaopian", QT_TRANSLATE_NOOP("lumora::ui::TemplatePreviewWindow", "横照片")},
           {"Edit_shuzhaopian", QT_TRANSLATE_NOOP("lumora::ui::TemplatePreviewWindow", "竖照片")},
           {"Edit_shichang", QT_TRANSLATE_NOOP("lumora::ui::TemplatePreviewWindow", "模板时长")},
           {"Edit_fenlei", QT_TRANSLATE_NOOP("lumora::ui::TemplatePreviewWindow", "模板分类")}};
    for (const auto &[name, caption] : fields) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setReadOnly(true);
        edit->setMaximumWidth(130);
        infoRow->addWidget(new QLabel(tr(caption), this));
        infoRow->addWidget(edit);
    }
    infoRow->addStretch(1);
    layout->addLayout(infoRow);
    (void)info;

    // The preview box, framed 4 pixels outside on every side.
    auto *frame = new QWidget(this);
    frame->setObjectName(QStringLiteral("Button_beijing"));
    frame->setStyleSheet(QStringLiteral("#Button_beijing { background: #505050; }"));
    m_box = new QWidget(frame);
    m_box->setObjectName(QStringLiteral("ScrollBox_mobanyuelan"));
    m_picture = new PictureView(m_box);
    m_picture->setObjectName(QStringLiteral("Image_moban_yuanlan"));
    m_picture->setFillColour(Qt::black);
    layout->addWidget(frame, 0, Qt::AlignHCenter);

    auto *controls = new QHBoxLayout;
    m_time = new QLineEdit(QStringLiteral("00:00:00"), this);
    m_time->setObjectName(QStringLiteral("Edit_danqian_shijian"));
    m_time->setReadOnly(true);
    m_time->setMaximumWidth(80);
    controls->addWidget(m_time);
    m_fill = new QRadioButton(tr("照片全屏显示效果"), this);
    m_fill->setObjectName(QStringLiteral("RadioButton_quanping"));
    m_fit = new QRadioButton(tr("照片适中显示效果"), this);
    m_fit->setObjectName(QStringLiteral("RadioButton_shizhong"));
    controls->addWidget(m_fill);
    controls->addWidget(m_fit);
    controls->addStretch(1);
    m_play = new QPushButton(tr("播放"), this);
    m_play->setObjectName(QStringLiteral("Button_bofang"));
    m_stop = new QPushButton(tr("停止"), this);
    m_stop->setObjectName(QStringLiteral("Button_tingzhi"));
    m_back = new QPushButton(tr("返回"), this);
    m_back->setObjectName(QStringLiteral("Button_fanhui"));
    for (QPushButton *b : {m_play, m_stop, m_back}) {
        b->setAutoDefault(false);
        controls->addWidget(b);
    }
    layout->addLayout(controls);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer_ShockwaveFlash_moban"));
    m_timer->setInterval(kFrameMs);
    m_timer->setTimerType(Qt::PreciseTimer);
    connect(m_timer, &QTimer::timeout, this, [this] { step(); });
    connect(m_play, &QPushButton::clicked, this, &TemplatePreviewWindow::play);
    connect(m_stop, &QPushButton::clicked, this, &TemplatePreviewWindow::stop);
    connect(m_back, &QPushButton::clicked, this, &TemplatePreviewWindow::reject);
    for (QRadioButton *r : {m_fill, m_fit})
        connect(r, &QRadioButton::clicked, this, [this] {
            if (!m_fitReacts)
                return;
            stop();
            prepare();
        });
}

TemplatePreviewWindow::~TemplatePreviewWindow()
{
    release();
    if (m_worker) {
        m_worker->disconnect(this);
        m_worker->wait();
        delete m_worker;
    }
}

bool TemplatePreviewWindow::prepareCatalogue(int catalogueIndex, const QString &category)
{
    const Album &album = m_session.album();
    m_category = category;
    if (m_category.isEmpty())
        for (const Row &r : album.ListView_moban)
            if (r.cell(listcol::kIndex).toInt() == catalogueIndex) {
                m_category = r.cell(listcol::kCategory);
                break;
            }
    m_entry = kCatalogueEntry;
    m_row = catalogueIndex;
    m_catalogueIndex = catalogueIndex;
    m_fill->setChecked(true);
    return prepare();
}

bool TemplatePreviewWindow::prepareUsed(int usedRow, const QString &entryWord, int slotRow)
{
    const Album &album = m_session.album();
    if (usedRow < 0 || usedRow >= album.ListView_moban_shiyong.size())
        return false;
    m_entry = entryWord;
    m_row = usedRow;
    m_catalogueIndex = album.ListView_moban_shiyong[usedRow].caption().toInt();
    m_category = album.ListView_moban_shiyong[usedRow].cell(usedcol::kCategory);
    // The fit button named by the crop mark of the chosen slot.
    bool fit = false;
    if (slotRow >= 0 && slotRow < album.ListView_moban_shiyong_canshu.size()
        && album.ListView_moban_shiyong_canshu.cell(slotRow, slotcol::kUsedRow).toInt() == usedRow)
        fit = album.ListView_moban_shiyong_canshu.cell(slotRow, slotcol::kCropMark) == QStringLiteral("shizhong");
    (fit ? m_fit : m_fill)->setChecked(true);
    return prepare();
}

void TemplatePreviewWindow::openCatalogue(int catalogueIndex, const QString &category)
{
    if (prepareCatalogue(catalogueIndex, category))
        exec();
}

void TemplatePreviewWindow::openUsed(int usedRow, const QString &entryWord, int slotRow)
{
    if (prepareUsed(usedRow, entryWord, slotRow))
        exec();
}

// What the worker needs and what it hands back. The album is a copy, so the
// worker reads nothing the user-interface thread may change meanwhile.
struct TemplatePreviewWindow::Job {
    Album album;
    QString entry;
    int row = -1;
    int catalogueIndex = -1;
    QString category;
    bool fit = false;
    QSize size;
    std::atomic<bool> cancelled{false};
    std::unique_ptr<TemplateDriver> driver;
    QString error;
};

namespace {

// The pictures the single template shows: placeholders for a catalogue
// template, the album's photos for a used one, a black hand-over picture.
void stagePreviewPictures(const Album &album, const QString &entry, int row, int catalogueIndex,
                          const QString &category, bool fit, QSize size)
{
    const Paths &paths = album.paths;
    const QString folder = paths.previewStaging();
    writeBlack(paths.handOverPicture(), QSize(81, 57));
    if (entry == kCatalogueEntry) {
        const Row &param = album.ListView_mobancanshu[catalogueIndex];
        writeBlack(folder + QStringLiteral("wj_y_l_b_j.jpg"), QSize(800, 450));
        const QStringList pictures = splitBarList(param.cell(paramcol::kPictureNames));
        const QStringList widths = splitBarList(param.cell(paramcol::kWidths));
        const QStringList heights = splitBarList(param.cell(paramcol::kHeights));
        for (int j = 0; j < pictures.size(); ++j) {
            int w = widths.value(j).toInt(), h = heights.value(j).toInt();
            if (category == kCategoryLandscape)
                w = fit ? 1620 : 1920, h = 1080;
            else if (category == kCategoryPortrait)
                w = 1080, h = 1920;
            if (w <= 0 || h <= 0)
                w = 1920, h = 1080;
            writePlaceholder(folder + pictures[j] + QStringLiteral(".jpg"),
                             QSize(w * size.width() / 1920, h * size.height() / 1080));
        }
        return;
    }
    StagingRequest request;
    request.target = size;
    request.landscapeFit = fit;
    std::vector<StagingFailure> failures;
    stageTemplatePictures(album, row, folder, request, failures);
    if (!QFile::exists(folder + QStringLiteral("wj_y_l_b_j.jpg")) && !album.ListView_moban_beijing.empty())
        writeBlack(folder + QStringLiteral("wj_y_l_b_j.jpg"), QSize(800, 450));
}

} // namespace

// Fills the fields and starts the worker that stages the movie copies and
// pictures and loads the single template; playing starts when it is done.
bool TemplatePreviewWindow::prepare()
{
    release();
    Album &album = m_session.album();
    const QSize size = album.modeInfo().preview;
    auto *frame = m_box->parentWidget();
    frame->setFixedSize(size + QSize(8, 8));
    m_box->setGeometry(4, 4, size.width(), size.height());
    m_picture->setGeometry(0, 0, size.width(), size.height());
    m_picture->clear();

    const RowTable &params = album.ListView_mobancanshu;
    if (m_catalogueIndex < 0 || m_catalogueIndex >= params.size())
        return false;
    const Row &param = params[m_catalogueIndex];
    const bool used = m_entry != kCatalogueEntry;
    const Row &source = used ? album.ListView_moban_shiyong[m_row] : [&]() -> const Row & {
        for (const Row &r : album.ListView_moban)
            if (r.cell(listcol::kIndex).toInt() == m_catalogueIndex && r.cell(listcol::kCategory) == m_category)
                return r;
        return param;
    }();
    const char *names[]
        = {"Edit_mingcheng", "Edit_leixing", "Edit_hengzhaopian", "Edit_shuzhaopian", "Edit_shichang", "Edit_fenlei"};
    for (int c = 0; c < 6; ++c)
        if (auto *e = findChild<QLineEdit *>(QString::fromLatin1(names[c])))
            e->setText(shownCell(source.cell(c + 1)));
    // Only a catalogue landscape template offers the fit buttons: a used
    // template shows its photos as they were cropped.
    const bool offerFit = !used && m_category == kCategoryLandscape;
    m_fill->setVisible(offerFit);
    m_fit->setVisible(offerFit);
    m_fitReacts = false;
    m_offset = 0;
    if (used)
        for (int i = 0; i < m_row; ++i)
            if (album.ListView_moban_shiyong[i].cell(usedcol::kStatus) == flag::kCompleted)
                m_offset += catalogueFrames(album, album.ListView_moban_shiyong[i].caption().toInt());
    m_frames = catalogueFrames(album, m_catalogueIndex);
    // Nothing to play until the worker is done; closing stays possible.
    setControls(false);
    m_play->setEnabled(false);

    m_job = std::make_shared<Job>();
    m_job->album = album;
    m_job->entry = m_entry;
    m_job->row = m_row;
    m_job->catalogueIndex = m_catalogueIndex;
    m_job->category = m_category;
    m_job->fit = m_fit->isChecked();
    m_job->size = size;
    m_wipeWhenDone = false;
    if (m_worker)
        m_restart = true; // the worker of an earlier preparation still writes into the folder
    else
        startWorker();
    return true;
}

void TemplatePreviewWindow::startWorker()
{
    m_restart = false;
    std::shared_ptr<Job> job = m_job;
    m_worker = QThread::create([job] {
        const Album &album = job->album;
        const Paths &paths = album.paths;
        const QString ext = album.cells.text(cell::kKuozhanming1);
        const QString folder = paths.previewStaging();
        const QString first = folder + QStringLiteral("wj_y_l_d_g_2") + ext;
        const QString second = folder + QStringLiteral("wj_y_l_d_g_2_2") + ext;
        try {
            wipeFolder(folder);
            ensureFolder(folder);
            ensureFolder(paths.pictureFolder());
            const Row &param = album.ListView_mobancanshu[job->catalogueIndex];
            const QByteArray movie = packed::unpackFile(param.cell(paramcol::kMovie), packed::kTemplateMovieDepth);
            writeFileBytes(first, movie);
            writeFileBytes(second, movie);
            if (job->cancelled)
                return;
            stagePreviewPictures(album, job->entry, job->row, job->catalogueIndex, job->category, job->fit, job->size);
            if (job->cancelled)
                return;
            auto driver = std::make_unique<TemplateDriver>(paths, DriverContext::TemplatePreview, job->size);
            driver->loadSingleTemplate(first, second);
            job->driver = std::move(driver);
        } catch (const Error &e) {
            job->error = e.message();
        }
    });
    QThread *worker = m_worker;
    connect(worker, &QThread::finished, this, [this, worker, job] {
        worker->deleteLater();
        m_worker = nullptr;
        onPrepared(job);
    });
    worker->start();
}

void TemplatePreviewWindow::onPrepared(const std::shared_ptr<Job> &job)
{
    if (m_restart) {
        startWorker(); // prepared again meanwhile: m_job is the newer request
        return;
    }
    if (m_wipeWhenDone) {
        m_wipeWhenDone = false;
        try {
            wipeFolder(m_session.paths().stagingRoot());
        } catch (const Error &) {
        }
    }
    if (job != m_job || job->cancelled)
        return;
    m_job.reset();
    if (!job->driver) {
        setControls(false);
        if (!job->error.isEmpty())
            m_dialogs.notice(this, job->error);
        return;
    }
    m_driver = std::move(job->driver);
    m_fitReacts = true;
    play();
}

bool TemplatePreviewWindow::waitPrepared(int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (m_worker && t.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return m_driver != nullptr;
}

void TemplatePreviewWindow::resetEffects()
{
    Album &album = m_session.album();
    const QSize size = album.modeInfo().preview;
    m_pictureRun.reset();
    m_textRun.reset();
    if (!album.huamian_ListView_Image.empty())
        m_pictureRun
            = std::make_unique<EffectRun>(EffectRun::forAlbum(album, EffectKind::Picture, RunVariant::Playback, size));
    if (!album.wenzi_ListView_Image.empty())
        m_textRun
            = std::make_unique<EffectRun>(EffectRun::forAlbum(album, EffectKind::Text, RunVariant::Playback, size));
}

void TemplatePreviewWindow::setControls(bool playingNow)
{
    m_play->setEnabled(!playingNow);
    // "返回" stays enabled while playing: it stops and closes (reject()).
    m_back->setEnabled(true);
    m_fill->setEnabled(!playingNow);
    m_fit->setEnabled(!playingNow);
}

void TemplatePreviewWindow::play()
{
    if (!m_driver)
        return;
    m_driver->setCounter(-1);
    resetEffects();
    setControls(true);
    m_timer->start();
}

void TemplatePreviewWindow::stop()
{
    m_timer->stop();
    setControls(false);
    m_picture->clear();
}

bool TemplatePreviewWindow::step()
{
    if (!m_driver)
        return false;
    const bool ended = m_driver->stepFrame();
    const long long shown = m_offset + m_driver->counter() + 1;
    m_time->setText(clockTextHMS(frameSeconds(shown)));
    QImage picture = m_driver->frame().convertToFormat(QImage::Format_RGB32);
    // Effects whose start time is this moment of the album start; running ones advance.
    const QString clock = effectClockText(shown);
    QPainter p(&picture);
    for (EffectRun *run : {m_pictureRun.get(), m_textRun.get()})
        if (run)
            for (const EffectOverlay &o : run->step(clock))
                p.drawImage(o.position, o.image);
    p.end();
    m_picture->setImage(picture);
    if (ended) {
        m_timer->stop();
        setControls(false);
    }
    return !ended;
}

bool TemplatePreviewWindow::playing() const
{
    return m_timer->isActive();
}

QString TemplatePreviewWindow::currentTime() const
{
    return m_time->text();
}

void TemplatePreviewWindow::release()
{
    m_timer->stop();
    if (m_job) {
        m_job->cancelled = true;
        m_job.reset();
    }
    if (m_driver)
        m_driver->release();
    m_driver.reset();
    for (auto *run : {&m_pictureRun, &m_textRun})
        if (*run) {
            (*run)->stop();
            run->reset();
        }
}

void TemplatePreviewWindow::reject()
{
    release();
    m_restart = false;
    if (m_worker) {
        // The worker still writes into the staging folder: it goes when the
        // worker ends.
        m_wipeWhenDone = true;
    } else {
        try {
            wipeFolder(m_session.paths().stagingRoot());
        } catch (const Error &) {
        }
    }
    QDialog::reject();
}

} // namespace lumora::ui
