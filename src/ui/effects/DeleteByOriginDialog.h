#pragma once
// Deleting every manually or every automatically added effect row at once:
// TForm37 for picture effects, TForm36 for text effects. "确定" deletes the
// chosen rows through the engine; when none of that origin exists the notice
// says so and the dialog stays open, otherwise the notice confirms and the
// dialog closes (accepted). Deleting the automatic text rows also clears the
// templates' slot marks (the engine does it).
// User-interface thread only.
#include <QDialog>

#include "effects/EffectPackage.h"

class QPushButton;
class QRadioButton;

namespace lumora {
struct Album;
}

namespace lumora::ui {

class DialogService;

class DeleteByOriginDialog : public QDialog {
    Q_OBJECT
public:
    DeleteByOriginDialog(EffectKind kind, Album &album, DialogService &dialogs, QWidget *parent);

private:
    void confirmDelete();

    EffectKind m_kind;
    Album &m_album;
    DialogService &m_dialogs;
    QRadioButton *m_manual = nullptr;
    QRadioButton *m_automatic = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};

} // namespace lumora::ui
