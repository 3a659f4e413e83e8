#include "PictureEffectWindow.h"

#include <QComboBox>

#include "PicturePlacementWindow.h"
#include "effects/EffectEdits.h"
#include "effects/EffectPlacement.h"
#include "session/AlbumSession.h"

namespace lumora::ui {

PictureEffectWindow::PictureEffectWindow(AlbumSession &session, DialogService &dialogs, QWidget *parent)
    : EffectTimelineWindow(EffectKind::Picture, session, dialogs, parent)
{
    setObjectName(QStringLiteral("TForm32"));
    setWindowTitle(tr("画面特效"));
}

void PictureEffectWindow::prepare()
{
    prepareCommon();
    const QStringList names = listPictureEffects(m_session.paths(), m_modeFolder);
    std::vector<EffectLocation> locations;
    for (int i = 0; i < names.size(); ++i)
        locations.push_back({EffectKind::Picture, 0, i + 1});
    showListing(locations, names);
}

bool PictureEffectWindow::openWindow()
{
    prepare();
    return EffectTimelineWindow::openWindow();
}

EffectLocation PictureEffectWindow::locationOf(int nameIndex) const
{
    return {EffectKind::Picture, 0, nameIndex + 1};
}

void PictureEffectWindow::addRow()
{
    QStringList listed;
    for (int i = 0; i < m_names->count(); ++i)
        listed << m_names->itemText(i);
    const int selected = m_names->currentIndex();
    // A package that cannot play is refused by name before the row is made.
    if (!listed.isEmpty() && selected >= 0 && timeChoice().minute >= 0 && timeChoice().second >= 0) {
        const QString problem
            = effectPackageProblem(m_session.paths(), m_modeFolder, locationOf(selected), listed[selected]);
        if (!problem.isEmpty()) {
            notice(problem);
            return;
        }
    }
    afterEdit(addPictureEffect(album(), listed, selected, timeChoice()));
}

void PictureEffectWindow::autoPlace()
{
    const EffectResult r = openPicturePlacement(album(), confirmFn());
    refreshTables();
    if (!r.changed) {
        if (!r.notice.isEmpty())
            notice(r.notice);
        return;
    }
    auto *placement = new PicturePlacementWindow(m_session, m_dialogs, this);
    placement->setAttribute(Qt::WA_DeleteOnClose);
    connect(placement, &QDialog::finished, this, [this] { refreshTables(); });
    placement->open();
}

} // namespace lumora::ui
