#include "ModeChooser.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "DialogService.h"
#include "IdlePicture.h"
#include "app/Album.h"
#include "app/Language.h"
#include "session/ProjectFile.h"

namespace lumora::ui {

namespace {

struct ModeText {
    ModeKind mode;
    const char *button;
    const char *description;
    const char *question;
};

const ModeText kModes[] = {
    {ModeKind::Portrait, "Button_shuping",
     QT_TRANSLATE_NOOP("lumora::ui::ModeChooser", "竖屏模式（手机屏幕）：在手机上面竖屏欣赏效果。"),
     QT_TRANSLATE_NOOP("lumora::ui::ModeChooser", "更换相册模式会清空当前的所有数据，是否确定要选择【竖屏模式】吗？")},
    {ModeKind::Wide16x9, "Button_kuanping_16_9",
     QT_TRANSLATE_NOOP("lumora::ui::ModeChooser", "宽屏模式（16:9）：在电脑，电视，手机上面宽屏欣赏效果。"),
     QT_TRANSLATE_NOOP("lumora::ui::ModeChooser",
                       "更换相册模式会清空当前的所有数据，是否确定要选择【宽屏模式（16:9）】吗？")},
    {ModeKind::Wide4x3, "Button_kuanping_4_3",
     QT_TRANSLATE_NOOP("lumora::ui::ModeChooser", "宽屏模式（4:3）：在LED大屏幕或老电视上面欣赏效果。"),
     QT_TRANSLATE_NOOP("lumora::ui::ModeChooser",
                       "更换相册模式会清空当前的所有数据，是否确定要选择【宽屏模式（4:3）】吗？")},
};

const ModeText &textOf(ModeKind mode)
{
    for (const ModeText &t : kModes)
        if (t.mode == mode)
            return t;
    return kModes[1];
}

} // namespace

QString ModeChooser::buttonName(ModeKind mode)
{
    return QString::fromLatin1(textOf(mode).button);
}

ModeChooser::ModeChooser(const Album &album, DialogService &dialogs, Choose choose, QWidget *parent)
    : QDialog(parent), m_album(album), m_dialogs(dialogs), m_choose(std::move(choose))
{
    setObjectName(QStringLiteral("TForm43"));
    setProperty("lumoraWindow", true);
    setWindowTitle(tr("选择相册模式"));
    setFixedSize(876, 639);
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    auto *title = new QLabel(tr("选择相册模式"), this);
    QFont big = title->font();
    big.setPointSize(16);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    int column = 0;
    for (const ModeText &t : kModes) {
        const AlbumMode &mode = AlbumMode::get(t.mode);
        // A small picture of the mode's proportions above its button.
        auto *picture = new QLabel(this);
        const QSize preview = mode.preview.scaled(250, 250, Qt::KeepAspectRatio);
        picture->setPixmap(QPixmap::fromImage(idlePicture(t.mode, devicePixelRatioF(), preview)));
        picture->setFixedSize(260, 260);
        picture->setAlignment(Qt::AlignCenter);
        grid->addWidget(picture, 0, column, Qt::AlignCenter);

        auto *b = new QPushButton(shownText("lumora::AlbumMode", mode.caption), this);
        b->setObjectName(QString::fromLatin1(t.button));
        b->setMinimumHeight(40);
        connect(b, &QPushButton::clicked, this, [this, m = t.mode] { modeClicked(m); });
        grid->addWidget(b, 1, column);

        auto *description = new QLabel(tr(t.description), this);
        description->setWordWrap(true);
        description->setObjectName(QStringLiteral("Label_shuoming_%1").arg(column + 1));
        grid->addWidget(description, 2, column, Qt::AlignTop);
        ++column;
    }
    layout->addLayout(grid);
    auto *all = new QLabel(tr("三种相册模式都支持横照片、竖照片。"), this);
    all->setObjectName(QStringLiteral("Label_shuoming_4"));
    all->setAlignment(Qt::AlignCenter);
    layout->addWidget(all);
    layout->addStretch();
    auto *open = new QPushButton(tr("打开相册"), this);
    open->setObjectName(QStringLiteral("Button_dakai_xiangce"));
    open->setToolTip(tr("打开已经保存的相册文件"));
    open->setMinimumHeight(36);
    connect(open, &QPushButton::clicked, this, [this] {
        if (m_busy || !openAlbum)
            return;
        if (openAlbum() && m_album.modeChosen)
            QDialog::done(QDialog::Accepted);
    });
    auto *bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(open);
    bottom->addStretch();
    layout->addLayout(bottom);
}

void ModeChooser::modeClicked(ModeKind mode)
{
    if (m_busy)
        return;
    // Only an album holding work has something to lose.
    if (albumHoldsWork(m_album) && !m_dialogs.confirm(this, tr("选择相册模式"), tr(textOf(mode).question)))
        return;
    m_busy = true;
    setEnabled(false);
    m_choose(mode, [this] {
        m_busy = false;
        setEnabled(true);
        reject();
    });
}

bool ModeChooser::mayClose()
{
    if (m_busy)
        return false;
    if (!m_album.modeChosen) {
        m_dialogs.notice(this, tr("没有选择相册模式！"));
        return false;
    }
    return true;
}

void ModeChooser::reject()
{
    if (mayClose())
        QDialog::done(QDialog::Accepted);
}

} // namespace lumora::ui
