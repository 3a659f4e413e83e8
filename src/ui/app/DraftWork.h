#pragma once
// Long album actions of the windows on a worker thread, under the album's
// ownership rule (session/AlbumSession.h): the worker gets a draft of the
// session and works on nothing else; the user-interface thread, the owner,
// receives the finished draft and adopts it in one step (or drops it).
//
// The hand-over uses only what every thread tool sees: the worker thread is
// started after the draft is made, it raises an atomic flag when it ends, the
// owner polls that flag and joins the thread before it reads the draft. So
// the worker's writes are ordered before the owner's reads without any lock
// inside Qt, and ThreadSanitizer can check the rule.
#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <exception>
#include <memory>
#include <thread>
#include <utility>

#include "app/Error.h"
#include "session/AlbumSession.h"

namespace lumora::ui {

namespace detail {

template <class Result> struct DraftJob {
    explicit DraftJob(AlbumSession d) : draft(std::move(d)) { }
    ~DraftJob()
    {
        // The last holder joins the worker; the worker itself, when its
        // window went away first, lets its own thread go.
        if (thread.joinable()) {
            if (thread.get_id() == std::this_thread::get_id())
                thread.detach();
            else
                thread.join();
        }
    }
    AlbumSession draft;
    Result result{};
    QString failure;
    std::atomic<bool> finished{false};
    std::thread thread;
};

// How often the owner looks whether the worker has ended.
constexpr int kDraftPollMs = 10;

} // namespace detail

// Runs `work(AlbumSession &draft) -> Result` on a thread of its own against a
// draft of `session`, then `done(AlbumSession &draft, Result &result, const
// QString &failure)` on `context`'s thread. `failure` is the message of an
// exception that ended the work ("" when it ran through); `done` decides
// whether to adopt the draft. Nothing is called when `context` is destroyed
// first (the draft is then dropped when the worker ends).
template <class Result, class Work, class Done>
void runOnDraft(AlbumSession &session, QObject *context, Work work, Done done)
{
    auto job = std::make_shared<detail::DraftJob<Result>>(session.draft());
    job->thread = std::thread([job, work = std::move(work)]() mutable {
        try {
            job->result = work(job->draft);
        } catch (const Error &e) {
            job->failure = e.message();
        } catch (const std::exception &e) {
            job->failure = QString::fromLocal8Bit(e.what());
        } catch (...) {
            job->failure = QCoreApplication::translate("lumora::ui::DraftWork", "未知错误");
        }
        job->finished.store(true, std::memory_order_release);
    });
    auto *timer = new QTimer(context);
    timer->setInterval(detail::kDraftPollMs);
    QObject::connect(timer, &QTimer::timeout, context, [timer, job, done = std::move(done)]() mutable {
        if (!job->finished.load(std::memory_order_acquire))
            return;
        timer->stop();
        timer->deleteLater();
        job->thread.join();
        done(job->draft, job->result, job->failure);
    });
    timer->start();
}

} // namespace lumora::ui
