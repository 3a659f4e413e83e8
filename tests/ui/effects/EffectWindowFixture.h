#pragma once
// A session over a tiny effect tree (tests/effects/EffectFixture.h) in the
// 16:9 mode, its own working root, and a scripted dialog service.
#include <QComboBox>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "app/DialogService.h"
#include "effects/EffectFixture.h"
#include "effects/EffectTables.h"
#include "session/AlbumSession.h"

namespace lumora::test {

struct EffectWindowFixture {
    EffectWindowFixture() : session(tree.dir.path(), work.path(), 7)
    {
        session.album().reset(ModeKind::Wide16x9);
        initEffectTables(session.album());
    }
    Album &album() { return session.album(); }

    EffectTree tree;
    QTemporaryDir work;
    AlbumSession session;
    ui::ScriptedDialogService dialogs;
};

template <class T = QWidget> T *child(QObject *parent, const char *name)
{
    T *w = parent->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

inline void click(QObject *parent, const char *name)
{
    if (auto *b = child<QPushButton>(parent, name))
        b->click();
}

// The texts of one row of a table view.
inline QStringList rowTexts(QObject *parent, const char *table, int row)
{
    QStringList out;
    auto *view = child<QTableView>(parent, table);
    if (!view)
        return out;
    for (int c = 0; c < view->model()->columnCount(); ++c)
        out << view->model()->index(row, c).data().toString();
    return out;
}

inline void selectRow(QObject *parent, int row)
{
    child<QTableView>(parent, "ListView_Image_2")->selectRow(row);
}

} // namespace lumora::test
