#include "EffectTimelineWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "DeleteByOriginDialog.h"
#include "EffectAnimation.h"
#include "EffectGallery.h"
#include "EffectRowPreview.h"
#include "EffectStage.h"
#include "EffectTableModel.h"
#include "app/Album.h"
#include "app/DialogService.h"
#include "app/Error.h"
#include "effects/EffectColumns.h"
#include "effects/EffectEdits.h"
#include "session/AlbumSession.h"

namespace lumora::ui {

namespace {
// The preview area's frame: 800 × 450 in every album mode.
constexpr QSize kStageFrame{800, 450};
} // namespace

EffectTimelineWindow::EffectTimelineWindow(EffectKind kind, AlbumSession &session, DialogService &dialogs,
                                           QWidget *parent)
    : QDialog(parent), m_kind(kind), m_session(session), m_dialogs(dialogs)
{
    const bool picture = kind == EffectKind::Picture;
    setModal(true);
    initEffectTables(album());

    m_animation = new EffectAnimation(this);
    m_rowPreview = new EffectRowPreview(this);

    // Choosing: the subclass fills m_selectionBox; the name list and gallery are common.
    m_names = new QComboBox(this);
    m_names->setObjectName(QStringLiteral("ComboBox_texiao_name"));
    m_names->setMinimumWidth(220);
    m_gallery = new EffectGallery(session.paths(), this);
    m_gallery->setObjectName(QStringLiteral("ListView_texiao_tuku"));
    m_gallery->setMinimumWidth(300);

    m_stageFrame = new QWidget(this);
    m_stageFrame->setFixedSize(kStageFrame);
    m_stageFrame->setAutoFillBackground(true);
    QPalette framePalette = m_stageFrame->palette();
    framePalette.setColor(QPalette::Window, QColor(24, 24, 28));
    m_stageFrame->setPalette(framePalette);
    m_packageInfo = new QLabel(this);
    m_packageInfo->setObjectName(QStringLiteral("Label_texiao_xinxi"));
    m_clock = new QLineEdit(QStringLiteral("00:00:00"), this);
    m_clock->setObjectName(QStringLiteral("Edit_shijian"));
    m_clock->setReadOnly(true);
    m_clock->setFixedWidth(80);
    m_clock->setToolTip(tr("预览时钟"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 1); // an empty bar (a 0 … 0 range would show Qt's busy bar)
    m_progress->setTextVisible(false);
    m_progress->setFixedHeight(14);

    m_hour = new QComboBox(this);
    m_hour->setObjectName(QStringLiteral("ComboBox_shi"));
    m_minute = new QComboBox(this);
    m_minute->setObjectName(QStringLiteral("ComboBox_fen"));
    m_second = new QComboBox(this);
    m_second->setObjectName(QStringLiteral("ComboBox_miao"));
    m_startEdit = new QLineEdit(this);
    m_startEdit->setObjectName(QStringLiteral("Edit_kaishi_shijian"));
    m_startEdit->setPlaceholderText(tr("时:分:秒"));
    m_startEdit->setFixedWidth(90);
    m_startEdit->setToolTip(tr("选中的特效的开始时间,格式 时:分:秒,例如 00:00:02"));

    RowTable &working = picture ? album().huamian_ListView_Image : album().wenzi_ListView_Image;
    RowTable &visible = picture ? album().huamian_ListView_Image_2 : album().wenzi_ListView_Image_2;
    m_workingModel = new EffectTableModel(working, this);
    m_visibleModel = new EffectTableModel(visible, this);
    m_working = new QTableView(this);
    m_working->setObjectName(QStringLiteral("ListView_Image"));
    m_working->setModel(m_workingModel);
    m_working->hide();
    m_visible = new QTableView(this);
    m_visible->setObjectName(QStringLiteral("ListView_Image_2"));
    m_visible->setModel(m_visibleModel);
    m_visible->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_visible->setSelectionMode(QAbstractItemView::SingleSelection);
    m_visible->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_visible->verticalHeader()->hide();
    m_visible->horizontalHeader()->setStretchLastSection(true);
    m_visible->setMinimumHeight(160);
    // A selected last row is scrolled fully into view, not cut at the bottom.
    m_visible->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

    m_add = makeButton(QStringLiteral("Button_tianjia"), tr("添加特效"));
    m_editStart = makeButton(QStringLiteral("Button_xiugai_shijian"), tr("修改时间"));
    m_delete = makeButton(QStringLiteral("Button_shanchu"), tr("删除特效"));
    m_deleteAll = makeButton(QStringLiteral("Button_quanbu_shanchu"), tr("全部删除"));
    m_deleteByOrigin = makeButton(QStringLiteral("Button_xuanze_shanchu"), tr("选择删除特效"));
    m_previewOne = makeButton(QStringLiteral("Button_dange_yulan"), tr("单个预览"));
    m_previewAll = makeButton(QStringLiteral("Button_quanbu_yulan"), tr("全部预览"));
    m_previewStop = makeButton(QStringLiteral("Button_tingzhi_yulan"), tr("停止预览"));
    m_auto = makeButton(QStringLiteral("Button_zidong_tianjia"), picture ? tr("自动添加组合特效") : tr("自动加到模板"));
    m_back = makeButton(QStringLiteral("Button_fanhui"), picture ? tr("返    回") : tr("返回"));

    // Layout: choosing on the left, the preview area in the middle, the
    // start time and the rows below.
    auto *left = new QVBoxLayout;
    m_selectionBox = new QGridLayout;
    m_selectionBox->addWidget(new QLabel(picture ? tr("画面特效:") : tr("文字特效:"), this), 1, 0);
    m_selectionBox->addWidget(m_names, 1, 1);
    left->addLayout(m_selectionBox);
    left->addWidget(m_gallery, 1);

    m_stageColumn = new QVBoxLayout;
    m_stageColumn->addWidget(m_stageFrame);
    auto *clockRow = new QHBoxLayout;
    clockRow->addWidget(new QLabel(tr("预览时间:"), this));
    clockRow->addWidget(m_clock);
    clockRow->addWidget(m_progress, 1);
    m_stageColumn->addLayout(clockRow);
    m_stageColumn->addWidget(m_packageInfo);

    auto *top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(m_stageColumn);

    auto *timeRow = new QHBoxLayout;
    timeRow->addWidget(new QLabel(tr("特效出现时间:"), this));
    timeRow->addWidget(m_hour);
    timeRow->addWidget(m_minute);
    timeRow->addWidget(m_second);
    timeRow->addWidget(m_add);
    timeRow->addSpacing(24);
    timeRow->addWidget(new QLabel(tr("选中特效的开始时间:"), this));
    timeRow->addWidget(m_startEdit);
    timeRow->addWidget(m_editStart);
    timeRow->addStretch();

    m_buttonRow = new QHBoxLayout;
    for (QPushButton *b : {m_delete, m_deleteAll, m_deleteByOrigin, m_previewOne, m_previewAll, m_previewStop, m_auto})
        m_buttonRow->addWidget(b);
    m_buttonRow->addStretch();
    m_buttonRow->addWidget(m_back);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(timeRow);
    layout->addWidget(m_visible);
    layout->addWidget(m_working);
    layout->addLayout(m_buttonRow);

    // The sample picture behind the effects, decoded on a worker.
    m_stage = new EffectStage(kStageFrame, m_stageFrame);
    m_stage->setObjectName(QStringLiteral("ScrollBox_texiao_xianshi"));
    auto *backdrop = new QFutureWatcher<QImage>(this);
    connect(backdrop, &QFutureWatcher<QImage>::finished, this, [this, backdrop] {
        const QImage img = backdrop->result();
        m_stage->setBackdrop(img);
        m_gallery->setBackdrop(img);
        backdrop->deleteLater();
    });
    backdrop->setFuture(EffectStage::loadSampleBackdrop(session.paths(), kStageFrame));

    connect(m_names, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (m_filling)
            return;
        if (m_gallery->currentRow() != i) {
            const QSignalBlocker block(m_gallery);
            m_gallery->setCurrentRow(i);
        }
        nameChosen(i);
    });
    connect(m_gallery, &QListWidget::currentRowChanged, this, [this](int i) {
        if (m_filling || i < 0)
            return;
        m_names->setCurrentIndex(i);
    });
    connect(m_visible->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const int row = selectedRow();
        if (row >= 0)
            rowSelected(row);
    });
    connect(m_add, &QPushButton::clicked, this, [this] { addRow(); });
    connect(m_editStart, &QPushButton::clicked, this, &EffectTimelineWindow::editStart);
    connect(m_startEdit, &QLineEdit::returnPressed, this, &EffectTimelineWindow::editStart);
    connect(m_delete, &QPushButton::clicked, this, &EffectTimelineWindow::deleteSelected);
    connect(m_deleteAll, &QPushButton::clicked, this, &EffectTimelineWindow::deleteAll);
    connect(m_deleteByOrigin, &QPushButton::clicked, this, &EffectTimelineWindow::deleteByOrigin);
    connect(m_previewOne, &QPushButton::clicked, this, [this] { startPreview(true); });
    connect(m_previewAll, &QPushButton::clicked, this, [this] { startPreview(false); });
    connect(m_previewStop, &QPushButton::clicked, this, &EffectTimelineWindow::stopPreview);
    connect(m_auto, &QPushButton::clicked, this, [this] { autoPlace(); });
    connect(m_back, &QPushButton::clicked, this, &QDialog::reject);

    connect(m_rowPreview, &EffectRowPreview::clockChanged, m_clock, &QLineEdit::setText);
    connect(m_rowPreview, &EffectRowPreview::progressChanged, this, [this](int value, int maximum) {
        m_progress->setRange(0, std::max(1, maximum));
        m_progress->setValue(value);
    });
    connect(m_rowPreview, &EffectRowPreview::stepped, this, [this](const std::vector<EffectOverlay> &overlays) {
        m_stage->setOverlays(overlays);
        m_workingModel->refresh();
    });
    connect(m_rowPreview, &EffectRowPreview::finished, this, &EffectTimelineWindow::previewFinished);
}

EffectTimelineWindow::~EffectTimelineWindow() = default;

Album &EffectTimelineWindow::album() const
{
    return m_session.album();
}

QPushButton *EffectTimelineWindow::makeButton(const QString &objectName, const QString &caption)
{
    auto *b = new QPushButton(caption, this);
    b->setObjectName(objectName);
    b->setAutoDefault(false);
    return b;
}

void EffectTimelineWindow::notice(const QString &text)
{
    m_dialogs.notice(this, text);
}

ConfirmFn EffectTimelineWindow::confirmFn()
{
    return [this](const QString &title, const QString &question) { return m_dialogs.confirm(this, title, question); };
}

bool EffectTimelineWindow::openWindow()
{
    open();
    return true;
}

void EffectTimelineWindow::prepareCommon()
{
    m_modeFolder = album().modeInfo().effectFolder;
    m_filling = true;
    for (auto [box, field] : {std::pair{m_hour, 0}, std::pair{m_minute, 1}, std::pair{m_second, 2}}) {
        box->clear();
        box->addItems(startTimeEntries(field));
        box->setCurrentIndex(0);
    }
    m_filling = false;
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_clock->setText(QStringLiteral("00:00:00"));
    refreshTables();
}

void EffectTimelineWindow::showListing(const std::vector<EffectLocation> &locations, const QStringList &names)
{
    m_filling = true;
    m_names->clear();
    m_names->addItems(names);
    std::vector<EffectGallery::Entry> entries;
    for (int i = 0; i < names.size() && i < int(locations.size()); ++i)
        entries.push_back({names[i], locations[size_t(i)]});
    m_gallery->setEntries(m_modeFolder, entries);
    m_filling = false;
    if (!names.isEmpty()) {
        m_names->setCurrentIndex(0);
        m_gallery->setCurrentRow(0);
        nameChosen(0);
    } else {
        m_animation->stop();
        m_packageInfo->clear();
    }
}

QPoint EffectTimelineWindow::animationPosition(const EffectLocation &) const
{
    return {0, 0};
}

void EffectTimelineWindow::nameChosen(int index)
{
    if (index < 0 || index >= m_names->count())
        return;
    playPackage(locationOf(index), m_names->itemText(index));
}

void EffectTimelineWindow::playPackage(const EffectLocation &loc, const QString &name)
{
    if (m_rowPreview->running())
        return;
    // Only the INI is read here; the frames are decoded on the animation's
    // worker (a damaged frame shows as nothing). Adding checks the frames too.
    std::optional<EffectPackageIni> ini;
    try {
        ini = EffectPackageIni::read(effectIniPath(m_session.paths(), m_modeFolder, loc));
    } catch (const Error &) {
    }
    if (!ini || ini->frames() == 0) {
        m_animation->stop();
        m_stage->hideAnimation();
        m_packageInfo->setText(effectPackageProblem(m_session.paths(), m_modeFolder, loc, name));
        return;
    }
    QStringList frames;
    for (int k = 1; k <= ini->frames(); ++k)
        frames << effectFramePath(m_session.paths(), m_modeFolder, loc, k, FrameSet::Preview);
    m_animation->play(frames);
    m_stage->showAnimation(m_animation, animationPosition(loc));
    m_packageInfo->setText(
        tr("正在预览:%1(%2 帧,%3 秒)").arg(name).arg(ini->frames()).arg(QString::number(ini->frames() / 25.0, 'f', 1)));
}

void EffectTimelineWindow::refreshTables()
{
    const int row = selectedRow();
    m_workingModel->refresh();
    m_visibleModel->refresh();
    m_visible->resizeColumnsToContents();
    // The effect name takes the spare width.
    m_visible->horizontalHeader()->setStretchLastSection(false);
    m_visible->horizontalHeader()->setSectionResizeMode(effcol::kVisName + 1, QHeaderView::Stretch);
    if (row >= 0 && row < m_visibleModel->rowCount())
        m_visible->selectRow(row);
}

StartTimeChoice EffectTimelineWindow::timeChoice() const
{
    return {m_hour->currentIndex(), m_minute->currentIndex(), m_second->currentIndex()};
}

int EffectTimelineWindow::selectedRow() const
{
    const QModelIndexList rows = m_visible->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void EffectTimelineWindow::afterEdit(const EffectResult &r)
{
    if (r.changed)
        refreshTables();
    if (!r.notice.isEmpty())
        notice(r.notice);
}

void EffectTimelineWindow::rowSelected(int row)
{
    const RowTable &working
        = m_kind == EffectKind::Picture ? album().huamian_ListView_Image : album().wenzi_ListView_Image;
    if (row < 0 || row >= working.size())
        return;
    m_startEdit->setText(working[row].subItem(effcol::kStart));
}

void EffectTimelineWindow::editStart()
{
    const EffectResult r = m_kind == EffectKind::Picture
        ? setPictureEffectStart(album(), selectedRow(), m_startEdit->text())
        : setTextEffectStart(album(), selectedRow(), m_startEdit->text());
    afterEdit(r);
}

void EffectTimelineWindow::deleteSelected()
{
    const EffectResult r = m_kind == EffectKind::Picture ? deletePictureEffect(album(), selectedRow(), confirmFn())
                                                         : deleteTextEffect(album(), selectedRow(), confirmFn());
    if (r.changed)
        m_visible->clearSelection();
    afterEdit(r);
}

void EffectTimelineWindow::deleteAll()
{
    const EffectResult r = m_kind == EffectKind::Picture ? deleteAllPictureEffects(album(), confirmFn())
                                                         : deleteAllTextEffects(album(), confirmFn());
    afterEdit(r);
}

void EffectTimelineWindow::deleteByOrigin()
{
    const QString refusal
        = m_kind == EffectKind::Picture ? pictureDeleteByOriginCheck(album()) : textDeleteByOriginCheck(album());
    if (!refusal.isEmpty()) {
        notice(refusal);
        return;
    }
    auto *dialog = new DeleteByOriginDialog(m_kind, album(), m_dialogs, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, this, [this] {
        m_visible->clearSelection();
        refreshTables();
    });
    dialog->open();
}

void EffectTimelineWindow::setPreviewLocked(bool locked)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_previewOne, m_previewAll, m_minute, m_second, m_names,
                                                       m_gallery, m_add, m_delete, m_deleteAll, m_auto,
                                                       m_deleteByOrigin, m_visible, m_editStart, m_startEdit})
        w->setEnabled(!locked);
}

void EffectTimelineWindow::startPreview(bool single)
{
    const RowTable &working
        = m_kind == EffectKind::Picture ? album().huamian_ListView_Image : album().wenzi_ListView_Image;
    const QString none = m_kind == EffectKind::Picture ? tr("没有添加画面特效!") : tr("没有添加文字特效!");
    if (working.empty()) {
        notice(none);
        return;
    }
    const int row = selectedRow();
    if (single && row < 0) {
        notice(tr("没有选中已添加的特效！"));
        return;
    }
    stopPreview();
    m_animation->stop();
    m_stage->hideAnimation();
    setPreviewLocked(true);
    const QSize target = m_kind == EffectKind::Picture ? m_stage->size() : album().modeInfo().preview;
    m_rowPreview->start(album(), m_kind, single ? row : -1, target);
    m_packageInfo->setText(single ? tr("单个预览:第 %1 行").arg(row + 1) : tr("全部预览"));
}

void EffectTimelineWindow::stopPreview()
{
    const bool wasRunning = m_rowPreview->running();
    m_rowPreview->stop();
    m_stage->clearOverlays();
    setPreviewLocked(false);
    m_workingModel->refresh();
    if (wasRunning)
        nameChosen(m_names->currentIndex());
}

void EffectTimelineWindow::previewFinished()
{
    // The rows have played: the preview stops itself and the selection is cleared.
    m_stage->clearOverlays();
    setPreviewLocked(false);
    m_visible->clearSelection();
    m_workingModel->refresh();
    nameChosen(m_names->currentIndex());
}

void EffectTimelineWindow::reject()
{
    stopPreview();
    m_animation->stop();
    m_stage->hideAnimation();
    QDialog::reject();
}

void EffectTimelineWindow::closeEvent(QCloseEvent *event)
{
    stopPreview();
    m_animation->stop();
    QDialog::closeEvent(event);
}

} // namespace lumora::ui
