#pragma once
// Work of a window on a thread pool, with its result delivered back on the
// window's thread. QFuture::then(context, …) cannot be used for this where the
// window may close before the work ends: the continuation then finds its
// context gone (Qt asserts in its debug builds). Here the result goes through
// a watcher owned by the window, which goes with it.
#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <utility>

namespace lumora::ui {

// Calls `done(result)` on `context`'s thread when `future` has finished;
// nothing when `context` is destroyed first.
template <class T, class Done> void whenFinished(QFuture<T> future, QObject *context, Done done)
{
    auto *watcher = new QFutureWatcher<T>(context);
    QObject::connect(watcher, &QFutureWatcherBase::finished, context, [watcher, done = std::move(done)]() mutable {
        watcher->deleteLater();
        done(watcher->future().result());
    });
    watcher->setFuture(std::move(future));
}

} // namespace lumora::ui
