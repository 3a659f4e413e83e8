#include "PicturePlacementWindow.h"

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
#include "app/Language.h"
#include "session/AlbumSession.h"

namespace lumora::ui {

PicturePlacementWindow::PicturePlacementWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent)
    : QDialog(parent), m_session(session), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TForm35"));
    setWindowTitle(tr("自动添加画面特效"));
    setModal(true);

    m_family = new QComboBox(this);
    m_family->setObjectName(QStringLiteral("ComboBox_zuhe_texiao"));
    for (const PictureFamily &f : pictureFamilies())
        m_family->addItem(shownText("lumora::PictureFamily", f.name));
    m_family->setCurrentIndex(0);
    m_continuous = new QRadioButton(tr("连续添加画面特效"), this);
    m_continuous->setObjectName(QStringLiteral("RadioButton_lianxu"));
    m_random = new QRadioButton(tr("随机添加画面特效"), this);
    m_random->setObjectName(QStringLiteral("RadioButton_suiji"));
    m_interval = new QRadioButton(tr("间隔秒数添加画面特效"), this);
    m_interval->setObjectName(QStringLiteral("RadioButton_jiange"));
    m_continuous->setChecked(true);
    m_seconds = new QComboBox(this);
    m_seconds->setObjectName(QStringLiteral("ComboBox_jiange_miaoshu"));
    for (int i = 1; i <= 30; ++i)
        m_seconds->addItem(QString::number(i));
    m_seconds->setCurrentIndex(0);
    m_seconds->setEnabled(false);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_ok = new QPushButton(tr("确定"), this);
    m_ok->setObjectName(QStringLiteral("Button_queding"));
    m_ok->setDefault(true);
    m_back = new QPushButton(tr("返回"), this);
    m_back->setObjectName(QStringLiteral("Button_fanhui"));
    m_back->setAutoDefault(false);

    auto *form = new QFormLayout;
    form->addRow(tr("特效组合:"), m_family);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_continuous);
    layout->addWidget(m_random);
    auto *intervalRow = new QHBoxLayout;
    intervalRow->addWidget(m_interval);
    intervalRow->addWidget(m_seconds);
    intervalRow->addWidget(new QLabel(tr("秒"), this));
    intervalRow->addStretch();
    layout->addLayout(intervalRow);
    layout->addWidget(m_progress);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_back);
    layout->addLayout(buttons);
    setMinimumWidth(380);

    // Only the interval choice takes a number of seconds.
    auto choiceChanged = [this] {
        const bool interval = m_interval->isChecked();
        if (!interval)
            m_seconds->setCurrentIndex(0);
        m_seconds->setEnabled(interval);
    };
    for (QRadioButton *b : {m_continuous, m_random, m_interval})
        connect(b, &QRadioButton::toggled, this, choiceChanged);
    connect(m_ok, &QPushButton::clicked, this, &PicturePlacementWindow::run);
    connect(m_back, &QPushButton::clicked, this, &QDialog::reject);
    connect(
        this, &PicturePlacementWindow::progressed, this,
        [this](int value, int maximum) {
            m_progress->setRange(0, maximum);
            m_progress->setValue(value);
        },
        Qt::QueuedConnection);
    connect(&m_watcher, &QFutureWatcher<PlacementReport>::finished, this, &PicturePlacementWindow::done);
}

PicturePlacementWindow::~PicturePlacementWindow()
{
    m_watcher.waitForFinished();
}

void PicturePlacementWindow::setControlsEnabled(bool enabled)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_family, m_continuous, m_random, m_interval, m_ok, m_back})
        w->setEnabled(enabled);
    m_seconds->setEnabled(enabled && m_interval->isChecked());
}

void PicturePlacementWindow::run()
{
    setControlsEnabled(false);
    m_progress->setValue(0);
    PicturePlacementOptions options;
    options.family = m_family->currentIndex();
    // Progress comes from the worker: queued into the bar.
    options.progress = [this](int done, int total) { Q_EMIT progressed(done, total); };
    // Placed on a draft of the session, adopted in one step when it ends.
    m_draft = std::make_shared<AlbumSession>(m_session.draft());
    m_watcher.setFuture(
        QtConcurrent::run([draft = m_draft, options] { return runPicturePlacement(draft->album(), options); }));
}

void PicturePlacementWindow::done()
{
    const PlacementReport report = m_watcher.result();
    if (m_draft)
        m_session.adopt(std::move(*m_draft));
    m_draft.reset();
    m_progress->setValue(m_progress->maximum());
    QString text = report.notice;
    if (!report.unserved.isEmpty())
        text += QStringLiteral("\n") + report.unserved.join(QStringLiteral("\n"));
    if (!text.isEmpty())
        m_dialogs.notice(this, text);
    setControlsEnabled(true);
    if (!report.failed)
        accept();
}

void PicturePlacementWindow::reject()
{
    // The run cannot be left half done: the window stays until it ends.
    if (m_watcher.isRunning())
        return;
    QDialog::reject();
}

} // namespace lumora::ui
