#include "TextEffectWindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "EffectAnimation.h"
#include "EffectGallery.h"
#include "EffectStage.h"
#include "TextPlacementWindow.h"
#include "app/Album.h"
#include "app/Error.h"
#include "app/Language.h"
#include "effects/CaptionTrack.h"
#include "effects/CustomCaptions.h"
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
    setWindowTitle(tr("文字特效"));

    m_category = new QComboBox(this);
    m_category->setObjectName(QStringLiteral("ComboBox_texiao_fenlei"));
    m_category->addItems(shownTextCategoryRows());
    m_selectionBox->addWidget(new QLabel(tr("文字分类:"), this), 0, 0);
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
    m_x->setToolTip(tr("左右移动选中的文字特效"));
    m_y->setToolTip(tr("上下移动选中的文字特效"));
    m_save = makeButton(QStringLiteral("Button_baocun"), tr("保存"));
    m_reset = makeButton(QStringLiteral("Button_chongzhi"), tr("重置"));

    auto *positionRow = new QHBoxLayout;
    positionRow->addWidget(new QLabel(tr("位置:"), this));
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

    // 自定义文字: the person's own words, a style, add or change.
    m_captionText = new QPlainTextEdit(this);
    m_captionText->setObjectName(QStringLiteral("Memo_zidingyi_wenzi"));
    m_captionText->setPlaceholderText(tr("在此输入文字（最多两行）"));
    m_captionText->setFixedHeight(m_captionText->fontMetrics().lineSpacing() * 3);
    m_captionText->setTabChangesFocus(true);
    m_captionStyle = new QComboBox(this);
    m_captionStyle->setObjectName(QStringLiteral("ComboBox_wenzi_yangshi"));
    for (const CaptionStyleInfo &st : captionStyles())
        m_captionStyle->addItem(shownText("lumora::CaptionStyle", st.name), st.key);
    m_captionAdd = makeButton(QStringLiteral("Button_zidingyi_tianjia"), tr("添加自定义文字"));
    m_captionEdit = makeButton(QStringLiteral("Button_zidingyi_xiugai"), tr("修改自定义文字"));
    auto *captionButtons = new QHBoxLayout;
    captionButtons->addWidget(m_captionStyle, 1);
    captionButtons->addWidget(m_captionAdd);
    captionButtons->addWidget(m_captionEdit);
    const int captionRow = m_selectionBox->rowCount();
    m_selectionBox->addWidget(new QLabel(tr("自定义文字:"), this), captionRow, 0, Qt::AlignTop);
    m_selectionBox->addWidget(m_captionText, captionRow, 1);
    m_selectionBox->addWidget(new QLabel(tr("文字样式:"), this), captionRow + 1, 0);
    m_selectionBox->addLayout(captionButtons, captionRow + 1, 1);
    m_captionTimer = new QTimer(this);
    m_captionTimer->setInterval(40); // 25 frames per second, as the album
    connect(m_captionTimer, &QTimer::timeout, this, &TextEffectWindow::stepCaptionPreview);
    connect(m_captionText, &QPlainTextEdit::textChanged, this, &TextEffectWindow::captionInputChanged);
    connect(m_captionStyle, &QComboBox::currentIndexChanged, this, &TextEffectWindow::captionInputChanged);
    connect(m_captionAdd, &QPushButton::clicked, this, &TextEffectWindow::addCaption);
    connect(m_captionEdit, &QPushButton::clicked, this, &TextEffectWindow::editCaption);

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
        notice(shownText("lumora::notice", guard));
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

void TextEffectWindow::nameChosen(int index)
{
    // A package chosen: its animation takes the preview area from the typed words.
    m_captionTimer->stop();
    EffectTimelineWindow::nameChosen(index);
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
    const QPoint at(r.subItem(effcol::kTextX).toInt(), r.subItem(effcol::kTextY).toInt());
    if (isCustomCaption(r)) {
        // The typed words back in the editor, the caption at its middle frame as the still.
        m_captionTimer->stop();
        {
            const QSignalBlocker bt(m_captionText), bs(m_captionStyle);
            m_captionText->setPlainText(r.subItem(effcol::kTextCustomWords));
            const int style = m_captionStyle->findData(r.subItem(effcol::kTextCustomStyle));
            m_captionStyle->setCurrentIndex(std::max(0, style));
        }
        showCaptionStill(r, at);
    } else {
        const EffectLocation loc{EffectKind::Text, r.subItem(effcol::kTextCategory).toInt(),
                                 r.subItem(effcol::kSequence).toInt() + 1};
        showStill(loc, at);
    }
    setSliders(at);
}

void TextEffectWindow::showCaptionStill(const Row &r, QPoint at)
{
    const QSize preview = album().modeInfo().preview;
    const QRect safe = captionArea(preview);
    const auto style = captionStyleFromKey(r.subItem(effcol::kTextCustomStyle));
    const CaptionLayout l = layoutCaption(r.subItem(effcol::kTextCustomWords), style.value_or(CaptionStyle::FadeRise),
                                          preview, QSize(safe.width(), safe.height() * 2 / 5));
    if (l.isEmpty()) {
        clearStill();
        return;
    }
    // The frame where the words are fully shown, before the ease out.
    const QImage img = renderCaptionFrame(l, {0, 0}, l.box, l.frames * 2 / 3);
    m_still->setPixmap(QPixmap::fromImage(img));
    m_still->resize(img.size());
    m_still->move(at);
    m_still->show();
    m_still->raise();
}

void TextEffectWindow::addCaption()
{
    m_captionTimer->stop();
    clearStill();
    afterEdit(addCustomCaption(album(), m_captionText->toPlainText(), m_captionStyle->currentData().toString(),
                               timeChoice()));
}

void TextEffectWindow::editCaption()
{
    const int row = selectedRow();
    const EffectResult r = editCustomCaption(album(), row, m_captionText->toPlainText(),
                                             m_captionStyle->currentData().toString(), timeChoice());
    afterEdit(r);
    if (r.changed && row >= 0 && row < album().wenzi_ListView_Image.size()) {
        const Row &changed = album().wenzi_ListView_Image[row];
        showCaptionStill(changed,
                         QPoint(changed.subItem(effcol::kTextX).toInt(), changed.subItem(effcol::kTextY).toInt()));
    }
}

// The words being typed play in their style at their default place, again
// and again, until they are added or the window is used for something else.
void TextEffectWindow::captionInputChanged()
{
    if (captionLines(m_captionText->toPlainText()).isEmpty()) {
        m_captionTimer->stop();
        clearStill();
        return;
    }
    m_animation->stop();
    m_stage->hideAnimation();
    m_captionFrame = 0;
    if (!m_captionTimer->isActive())
        m_captionTimer->start();
    stepCaptionPreview();
}

void TextEffectWindow::stepCaptionPreview()
{
    const QSize preview = album().modeInfo().preview;
    const QRect safe = captionArea(preview);
    const auto style = captionStyleFromKey(m_captionStyle->currentData().toString()).value_or(CaptionStyle::FadeRise);
    const QString text = m_captionText->toPlainText();
    const CaptionLayout l = layoutCaption(text, style, preview, QSize(safe.width(), safe.height() * 2 / 5));
    if (l.isEmpty()) {
        m_captionTimer->stop();
        clearStill();
        return;
    }
    // A short rest after each pass, then again.
    const int frame = m_captionFrame % (l.frames + 15);
    ++m_captionFrame;
    const QImage img = renderCaptionFrame(l, {0, 0}, l.box, frame);
    m_still->setPixmap(QPixmap::fromImage(img));
    m_still->resize(img.size());
    m_still->move(defaultCaptionPlace(text, style, preview));
    m_still->show();
    m_still->raise();
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
    for (QWidget *w : std::initializer_list<QWidget *>{m_hour, m_category, m_save, m_reset, m_x, m_y, m_captionText,
                                                       m_captionStyle, m_captionAdd, m_captionEdit})
        w->setEnabled(!locked);
    if (locked) {
        m_captionTimer->stop();
        clearStill();
    }
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
