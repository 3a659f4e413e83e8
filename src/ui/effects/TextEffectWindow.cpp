#include "TextEffectWindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QVBoxLayout>

#include "EffectAnimation.h"
#include "EffectGallery.h"
#include "EffectStage.h"
#include "TextPlacementWindow.h"
#include "app/Album.h"
#include "app/Error.h"
#include "effects/EffectColumns.h"
#include "effects/EffectEdits.h"
#include "effects/EffectPlacement.h"
#include "image/ImageIO.h"
#include "session/AlbumSession.h"

namespace lumora::ui {

TextEffectWindow::TextEffectWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent)
    : EffectTimelineWindow(EffectKind::Text, session, dialogs, parent)
{
    setObjectName(QStringLiteral("TForm33"));
    setWindowTitle(QStringLiteral("文字特效"));

    m_category = new QComboBox(this);
    m_category->setObjectName(QStringLiteral("ComboBox_texiao_fenlei"));
    m_category->addItems(textCategoryRows());
    m_selectionBox->addWidget(new QLabel(QStringLiteral("文字分类:"), this), 0, 0);
    m_selectionBox->addWidget(m_category, 0, 1);
    m_categoryOf = new QListWidget(this);
    m_categoryOf->setObjectName(QStringLiteral("ListBox_fenlei_hang"));
    m_categoryOf->hide();
    m_numberOf = new QListWidget(this);
    m_numberOf->setObjectName(QStringLiteral("ListBox_fenlei_hang_xifen"));
    m_numberOf->hide();

    m_still = new QLabel(m_stage);
    m_still->setObjectName(QStringLiteral("Image1_wezi_texiao_xianshi_zhen"));
    m_still->setAttribute(Qt::WA_TranslucentBackground);
    m_still->hide();

    m_x = new QSlider(Qt::Horizontal, this);
    m_x->setObjectName(QStringLiteral("TrackBar_wenzi_X"));
    m_y = new QSlider(Qt::Vertical, this);
    m_y->setObjectName(QStringLiteral("TrackBar_wenzi_Y"));
    m_y->setInvertedAppearance(true); // down the slider is down the picture
    m_x->setToolTip(QStringLiteral("左右移动选中的文字特效"));
    m_y->setToolTip(QStringLiteral("上下移动选中的文字特效"));
    m_save = makeButton(QStringLiteral("Button_baocun"), QStringLiteral("保存"));
    m_reset = makeButton(QStringLiteral("Button_chongzhi"), QStringLiteral("重置"));

    auto *positionRow = new QHBoxLayout;
    positionRow->addWidget(new QLabel(QStringLiteral("位置:"), this));
    positionRow->addWidget(m_x, 1);
    positionRow->addWidget(m_save);
    positionRow->addWidget(m_reset);
    m_stageColumn->insertLayout(1, positionRow);
    // The Y slider stands beside the preview area.
    auto *stageRow = new QHBoxLayout;
    m_stageColumn->removeWidget(m_stageFrame);
    stageRow->addWidget(m_stageFrame);
    stageRow->addWidget(m_y);
    m_stageColumn->insertLayout(0, stageRow);

    connect(m_category, &QComboBox::currentIndexChanged, this, [this](int row) {
        if (!m_filling)
            categoryChosen(row);
    });
    connect(m_x, &QSlider::valueChanged, this, &TextEffectWindow::sliderMoved);
    connect(m_y, &QSlider::valueChanged, this, &TextEffectWindow::sliderMoved);
    connect(m_save, &QPushButton::clicked, this, &TextEffectWindow::savePosition);
    connect(m_reset, &QPushButton::clicked, this, &TextEffectWindow::resetPosition);
}

void TextEffectWindow::prepare()
{
    prepareCommon();
    // The preview area has the mode's preview size, centred in its frame.
    const QSize preview = album().modeInfo().preview;
    m_stage->setFixedSize(preview);
    m_stage->move(m_stageFrame->width() / 2 - preview.width() / 2, m_stageFrame->height() / 2 - preview.height() / 2);
    m_filling = true;
    m_x->setRange(-preview.width(), preview.width());
    m_y->setRange(-preview.height(), preview.height());
    m_x->setValue(0);
    m_y->setValue(0);
    m_category->setCurrentIndex(0);
    m_filling = false;
    listCategory(0, ListingCause::WindowOpening);
    clearStill();
    m_visible->clearSelection();
}

bool TextEffectWindow::openWindow()
{
    if (const QString guard = album().cells.playingGuard(); !guard.isEmpty()) {
        notice(guard);
        return false;
    }
    prepare();
    return EffectTimelineWindow::openWindow();
}

void TextEffectWindow::categoryChosen(int row)
{
    const CategoryChoice choice = chooseTextCategory(row);
    if (!choice.notice.isEmpty()) {
        notice(choice.notice);
        m_filling = true;
        m_category->setCurrentIndex(choice.row);
        m_filling = false;
    }
    listCategory(choice.row, ListingCause::CategoryChange);
    m_filling = true;
    m_minute->setCurrentIndex(0);
    m_second->setCurrentIndex(0);
    m_filling = false;
    clearStill();
    setSliders({0, 0});
}

void TextEffectWindow::listCategory(int row, ListingCause cause)
{
    m_categoryRow = row;
    m_listing = listTextEffects(m_session.paths(), m_modeFolder, row, cause);
    m_categoryOf->clear();
    m_categoryOf->addItems(m_listing.categories);
    m_numberOf->clear();
    m_numberOf->addItems(m_listing.numbers);
    std::vector<EffectLocation> locations;
    for (int i = 0; i < m_listing.size(); ++i)
        locations.push_back(m_listing.at(i));
    showListing(locations, m_listing.names);
    if (!m_listing.notice.isEmpty())
        notice(m_listing.notice);
}

EffectLocation TextEffectWindow::locationOf(int nameIndex) const
{
    return m_listing.at(nameIndex);
}

QPoint TextEffectWindow::animationPosition(const EffectLocation &loc) const
{
    const auto ini = EffectPackageIni::read(effectIniPath(m_session.paths(), m_modeFolder, loc));
    if (!ini)
        return {};
    return defaultTextPosition(*ini, stillFrameSize(m_session.paths(), m_modeFolder, loc, *ini),
                               album().modeInfo().preview);
}

void TextEffectWindow::addRow()
{
    m_still->hide();
    const int selected = m_names->currentIndex();
    if (m_listing.size() > 0 && selected >= 0 && timeChoice().minute >= 0 && timeChoice().second >= 0) {
        const QString problem
            = effectPackageProblem(m_session.paths(), m_modeFolder, locationOf(selected), m_names->itemText(selected));
        if (!problem.isEmpty()) {
            notice(problem);
            return;
        }
    }
    afterEdit(addTextEffect(album(), m_listing, m_categoryRow, selected, timeChoice()));
    clearStill();
}

void TextEffectWindow::clearStill()
{
    m_still->clear();
    m_still->hide();
}

void TextEffectWindow::showStill(const EffectLocation &loc, QPoint at)
{
    QImage img;
    try {
        const auto ini = EffectPackageIni::read(effectIniPath(m_session.paths(), m_modeFolder, loc));
        if (ini)
            img = decodePng(effectFolder(m_session.paths(), m_modeFolder, loc) + ini->still + QStringLiteral(".png"));
    } catch (const Error &) {
        // No still frame: the position is still shown by the sliders.
    }
    m_still->setPixmap(QPixmap::fromImage(img));
    m_still->resize(img.size());
    m_still->move(at);
    m_still->setVisible(!img.isNull());
    m_still->raise();
}

void TextEffectWindow::setSliders(QPoint at)
{
    const QSignalBlocker bx(m_x), by(m_y);
    m_x->setValue(at.x());
    m_y->setValue(at.y());
}

void TextEffectWindow::rowSelected(int row)
{
    EffectTimelineWindow::rowSelected(row);
    if (const QString n = textSelectionCheck(album(), row); !n.isEmpty()) {
        notice(n);
        return;
    }
    // Positioning: the package animation gives way to the row's still frame.
    m_animation->stop();
    m_stage->hideAnimation();
    const Row &r = album().wenzi_ListView_Image[row];
    const EffectLocation loc{EffectKind::Text, r.subItem(effcol::kTextCategory).toInt(),
                             r.subItem(effcol::kSequence).toInt() + 1};
    const QPoint at(r.subItem(effcol::kTextX).toInt(), r.subItem(effcol::kTextY).toInt());
    showStill(loc, at);
    setSliders(at);
}

void TextEffectWindow::sliderMoved()
{
    if (m_filling)
        return;
    if (const QString n = textSelectionCheck(album(), selectedRow()); !n.isEmpty()) {
        setSliders({0, 0});
        notice(n);
        return;
    }
    // Moving changes nothing in the row until "保存".
    m_still->move(m_x->value(), m_y->value());
}

void TextEffectWindow::savePosition()
{
    afterEdit(saveTextPosition(album(), selectedRow(), m_still->pos()));
}

void TextEffectWindow::resetPosition()
{
    QPoint at;
    const EffectResult r = resetTextPosition(album(), selectedRow(), &at);
    if (r.changed) {
        m_still->move(at);
        setSliders(at);
    }
    afterEdit(r);
}

void TextEffectWindow::setPreviewLocked(bool locked)
{
    EffectTimelineWindow::setPreviewLocked(locked);
    for (QWidget *w : std::initializer_list<QWidget *>{m_hour, m_category, m_save, m_reset, m_x, m_y})
        w->setEnabled(!locked);
    if (locked)
        clearStill();
}

void TextEffectWindow::autoPlace()
{
    if (const QString refusal = textPlacementOpenCheck(album()); !refusal.isEmpty()) {
        notice(refusal);
        return;
    }
    auto *placement = new TextPlacementWindow(m_session, m_dialogs, timeChoice().text(), this);
    placement->setAttribute(Qt::WA_DeleteOnClose);
    connect(placement, &QDialog::finished, this, [this] { refreshTables(); });
    placement->open();
}

} // namespace lumora::ui
