#pragma once
// The start command of a production, one per output type, as the main window
// runs it: the checks (preview playing, no photos, music sync without songs,
// no used templates) each with its notice, the album type window for size and
// name, the folder browser, then the production window.
//
// The two windows are opened window-modal without a nested event loop, so a
// start runs as a chain of steps: start() makes the checks and opens the type
// window; its closing leads to the folder choice and the production window.
// A refused or cancelled start changes nothing in the album.
// User-interface thread only.
#include <QObject>
#include <QPointer>

#include "production/OutputOptions.h"
#include "production/ProductionRun.h"

class QWidget;

namespace lumora {
class AlbumSession;
}

namespace lumora::ui {

class AlbumTypeWindow;
class DialogService;
class ProductionWindow;

class ProductionStart : public QObject {
    Q_OBJECT
public:
    // The folder browser's title.
    static inline const QString kFolderTitle = QStringLiteral("选择相册保存路径,然后点[确定]按钮");

    // `window`: the main window; it owns the type window and parents the production window.
    ProductionStart(AlbumSession &session, DialogService &dialogs, QWidget *window);

    // Start production(type). False when a check refused (its notice shown)
    // or a start is already under way; true when the type window is open.
    bool start(OutputType type);

    AlbumTypeWindow *typeWindow() const { return m_typeWindow; }
    // The production window of the running start, or null.
    ProductionWindow *productionWindow() const;
    bool busy() const { return m_busy; }

Q_SIGNALS:
    void productionWindowOpened(lumora::ui::ProductionWindow *window);
    // The start has ended: cancelled, refused after the type window, or the
    // production window has closed.
    void finished();

private:
    void typeWindowClosed();
    void openProduction(const OutputChoice &choice);
    void end();

    AlbumSession &m_session;
    DialogService &m_dialogs;
    QWidget *m_window;
    AlbumTypeWindow *m_typeWindow;
    QPointer<ProductionWindow> m_production;
    bool m_busy = false;
};

} // namespace lumora::ui
