#include "TextCheck.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTreeWidget>
#include <QWidget>
#include <algorithm>

namespace lumora::screenshots {

namespace {

const QRegularExpression kHan(QStringLiteral("[\\x{3400}-\\x{9fff}\\x{f900}-\\x{faff}]"));

// Combo boxes whose items are the machine's or the resource tree's (the
// installed fonts, the effects' own names), not the interface's.
bool holdsContentItems(const QComboBox *c)
{
    return c->objectName() == QLatin1String("ComboBox_geci_ziti")
        || c->objectName() == QLatin1String("ComboBox_texiao_name");
}

} // namespace

QStringList chineseInterfaceTexts(QWidget *window, const QStringList &content)
{
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    widgets.prepend(window);
    // What the window holds as content: the items of content lists and what
    // was typed into its fields (shown again in tool tips and labels).
    QStringList longestFirst = content;
    for (QWidget *w : widgets) {
        if (auto *c = qobject_cast<QComboBox *>(w); c && holdsContentItems(c))
            for (int i = 0; i < c->count(); ++i)
                longestFirst << c->itemText(i);
        if (auto *e = qobject_cast<QLineEdit *>(w))
            longestFirst << e->text() << e->text().split(QLatin1Char('/'));
    }
    longestFirst.removeAll(QString());
    std::sort(longestFirst.begin(), longestFirst.end(),
              [](const QString &a, const QString &b) { return a.size() > b.size(); });
    QStringList hits;
    auto check = [&](const QWidget *w, const QString &text) {
        if (!text.contains(kHan))
            return;
        QString rest = text;
        for (const QString &c : longestFirst)
            if (rest.contains(c))
                rest.remove(c);
        if (rest.contains(kHan))
            hits << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName())
                    + QStringLiteral(": ") + text;
    };
    for (QWidget *w : widgets) {
        if (w != window && !w->isVisibleTo(window))
            continue;
        if (w->isWindow())
            check(w, w->windowTitle());
        check(w, w->toolTip());
        for (const QAction *a : w->actions()) {
            check(w, a->text());
            check(w, a->toolTip());
        }
        if (auto *l = qobject_cast<QLabel *>(w))
            check(w, l->text());
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            check(w, b->text());
        if (auto *g = qobject_cast<QGroupBox *>(w))
            check(w, g->title());
        if (auto *e = qobject_cast<QLineEdit *>(w))
            check(w, e->placeholderText());
        if (auto *p = qobject_cast<QProgressBar *>(w))
            check(w, p->text());
        if (auto *t = qobject_cast<QTabWidget *>(w))
            for (int i = 0; i < t->count(); ++i)
                check(w, t->tabText(i));
        if (auto *c = qobject_cast<QComboBox *>(w); c && !holdsContentItems(c)) {
            check(w, c->placeholderText());
            for (int i = 0; i < c->count(); ++i)
                check(w, c->itemText(i));
        }
        if (auto *v = qobject_cast<QAbstractItemView *>(w); v && v->model()) {
            const QAbstractItemModel *m = v->model();
            for (int i = 0; i < m->columnCount(); ++i)
                check(w, m->headerData(i, Qt::Horizontal).toString());
        }
    }
    hits.removeDuplicates();
    return hits;
}

} // namespace lumora::screenshots
