#include "TextPlacementWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include "app/DialogService.h"
#include "effects/CaptionSpacing.h"
#include "session/AlbumSession.h"

namespace lumora::ui {

TextPlacementWindow::TextPlacementWindow(AlbumSession &session, DialogService &dialogs, const QString &provisionalStart,
                                         QWidget *parent)
    : QDialog(parent), m_session(session), m_dialogs(dialogs), m_provisionalStart(provisionalStart)
{
    setObjectName(QStringLiteral("TForm34"));
    setWindowTitle(tr("文字特效自动加入模板中"));
    setModal(true);

    m_category = new QComboBox(this);
    m_category->setObjectName(QStringLiteral("ComboBox_wenzitexiao_fenlei"));
    m_category->addItems(shownTextCategoryRows());
    m_category->setCurrentIndex(-1); // the user chooses a category first
    m_category->setPlaceholderText(tr("请选择文字特效分类"));
    m_every = new QRadioButton(tr("每个模板文件都添加文字特效"), this);
    m_every->setObjectName(QStringLiteral("RadioButton_quanbu"));
    m_interval = new QRadioButton(tr("间隔模板文件添加文字特效"), this);
    m_interval->setObjectName(QStringLiteral("RadioButton_jiange"));
    m_random = new QRadioButton(tr("随机选择模板文件然后添加文字特效"), this);
    m_random->setObjectName(QStringLiteral("RadioButton_suiji"));
    m_every->setChecked(true);
    m_intervalCount = new QComboBox(this);
    m_intervalCount->setObjectName(QStringLiteral("ComboBox_wenzitexiao_jiangeshu"));
    for (int i = 1; i <= 9; ++i)
        m_intervalCount->addItem(QString::number(i));
    m_intervalCount->setCurrentIndex(0);
    m_intervalCount->setToolTip(tr("间隔的模板个数:1 表示第 1、3、5……个模板"));
    m_removeOverlaps = new QCheckBox(tr("删除重叠的文字特效"), this);
    m_removeOverlaps->setObjectName(QStringLiteral("CheckBox_shanchu_chongdie"));
    m_removeOverlaps->setToolTip(tr("加入后，删除与同时显示的其他文字特效位置重叠的文字特效"));
    m_removeOverlaps->setChecked(true);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 2 * session.album().ListView_moban_shiyong.size());
    m_progress->setValue(0);
    m_run = new QPushButton(tr("自动加入"), this);
    m_run->setObjectName(QStringLiteral("Button_zidong_jiaru"));
    m_run->setDefault(true);
    m_back = new QPushButton(tr("返回"), this);
    m_back->setObjectName(QStringLiteral("Button_fanhui"));
    m_back->setAutoDefault(false);

    auto *form = new QFormLayout;
    form->addRow(tr("文字特效分类:"), m_category);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_every);
    auto *intervalRow = new QHBoxLayout;
    intervalRow->addWidget(m_interval);
    intervalRow->addWidget(m_intervalCount);
    intervalRow->addWidget(new QLabel(tr("个模板"), this));
    intervalRow->addStretch();
    layout->addLayout(intervalRow);
    layout->addWidget(m_random);
    layout->addWidget(m_removeOverlaps);
    layout->addWidget(m_progress);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_run);
    buttons->addWidget(m_back);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    connect(m_category, &QComboBox::currentIndexChanged, this, &TextPlacementWindow::categoryChosen);
    connect(m_run, &QPushButton::clicked, this, &TextPlacementWindow::run);
    connect(m_back, &QPushButton::clicked, this, &QDialog::reject);
    connect(
        this, &TextPlacementWindow::progressed, this,
        [this](int value, int maximum) {
            m_progress->setRange(0, maximum);
            m_progress->setValue(value);
        },
        Qt::QueuedConnection);
    connect(&m_watcher, &QFutureWatcher<PlacementReport>::finished, this, &TextPlacementWindow::done);
}

TextPlacementWindow::~TextPlacementWindow()
{
    m_watcher.waitForFinished();
}

void TextPlacementWindow::categoryChosen(int row)
{
    if (row < 0)
        return;
    const CategoryChoice choice = chooseTextCategory(row);
    if (!choice.notice.isEmpty()) {
        m_dialogs.notice(this, choice.notice);
        m_category->setCurrentIndex(choice.row);
    }
}

void TextPlacementWindow::setControlsEnabled(bool enabled)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_category, m_every, m_interval, m_random, m_intervalCount,
                                                       m_removeOverlaps, m_run, m_back})
        w->setEnabled(enabled);
}

void TextPlacementWindow::run()
{
    const int categoryRow = m_category->currentIndex();
    const PlacementStart start = textPlacementStartCheck(m_session.album(), categoryRow);
    if (!start.notice.isEmpty())
        m_dialogs.notice(this, start.notice);
    if (!start.start)
        return;
    setControlsEnabled(false);
    TextPlacementOptions options;
    options.categoryRow = categoryRow;
    options.listing = ListingCause::CategoryChange;
    options.choice = m_every->isChecked() ? TemplateChoice::Every
        : m_interval->isChecked()         ? TemplateChoice::Interval
                                          : TemplateChoice::Random;
    options.interval = m_intervalCount->currentText().toInt();
    options.provisionalStart = m_provisionalStart;
    // Progress comes from the worker: queued into the bar.
    options.progress = [this](int done, int total) { Q_EMIT progressed(done, total); };
    // Placed on a draft of the session, adopted in one step when it ends.
    m_draft = std::make_shared<AlbumSession>(m_session.draft());
    m_watcher.setFuture(
        QtConcurrent::run([draft = m_draft, options] { return runTextPlacement(draft->album(), options); }));
}

void TextPlacementWindow::done()
{
    const PlacementReport report = m_watcher.result();
    if (m_draft)
        m_session.adopt(std::move(*m_draft));
    m_draft.reset();
    QString text = report.notice;
    if (!report.failed && m_removeOverlaps->isChecked()) {
        // Captions that would still cover another one on screen at the same
        // time (one placed by hand among them) go.
        if (const int removed = removeOverlappingTextEffects(m_session.album()); removed > 0)
            text += tr("\n删除了 %1 个重叠的文字特效。").arg(removed);
    }
    if (!report.unserved.isEmpty())
        text += tr("\n没有放上文字特效的标注:\n") + report.unserved.join(QStringLiteral("\n"));
    if (!text.isEmpty())
        m_dialogs.notice(this, text);
    setControlsEnabled(true);
    if (!report.failed)
        accept();
}

void TextPlacementWindow::reject()
{
    // The run cannot be left half done: the window stays until it ends.
    if (m_watcher.isRunning())
        return;
    QDialog::reject();
}

} // namespace lumora::ui
