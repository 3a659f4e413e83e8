// Workers against the owner's snapshots: long actions run on drafts of the
// session on other threads while the owning thread takes recovery snapshots
// as fast as it can. Under the sanitizers any table shared between a draft
// and the owner shows up as a race or a heap fault; the snapshots themselves
// must only ever see the album before or after a whole action.
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

#include "SessionFixture.h"
#include "album/Matching.h"
#include "session/ProjectFile.h"

using namespace lumora;

namespace {

struct SnapshotCounts {
    int taken = 0;
    std::vector<int> photoCounts; // distinct photo counts seen, in order
};

// Snapshots (captured and serialized, as the recovery timer does) until
// `done`, noting each distinct photo count.
SnapshotCounts snapshotUntil(const AlbumSession &owner, const std::atomic<bool> &done)
{
    SnapshotCounts counts;
    while (!done.load()) {
        const ProjectSnapshot snap = captureProject(owner);
        (void)serializeProject(snap, {});
        for (const auto &[name, table] : snap.tables)
            if (name == QStringLiteral("ListView_daoru_zhaopian")
                && (counts.photoCounts.empty() || counts.photoCounts.back() != table.size()))
                counts.photoCounts.push_back(table.size());
        ++counts.taken;
    }
    return counts;
}

// Runs `work` on a worker against a draft of `owner` while the owner
// snapshots, then adopts the draft. Returns what the snapshots saw.
template <class Work> SnapshotCounts runOnDraft(AlbumSession &owner, Work work)
{
    auto draft = std::make_shared<AlbumSession>(owner.draft());
    std::atomic<bool> done{false};
    std::thread worker([&] {
        work(*draft);
        done = true;
    });
    SnapshotCounts counts = snapshotUntil(owner, done);
    worker.join();
    owner.adopt(std::move(*draft));
    return counts;
}

} // namespace

TEST(SessionStress, AddMatchAndModeChangeOnDraftsWhileSnapshotsRun)
{
    QTemporaryDir work, pictures;
    AlbumSession owner(test::kProgramDir, work.path(), 11);
    owner.chooseMode(ModeKind::Wide16x9);
    const QStringList files = test::writePhotos(pictures.path(), 1500, 700);
    const int n = int(files.size());

    // Thousands of photos added on a worker: the owner's snapshots see none
    // of them until the draft is adopted, then all of them.
    SnapshotCounts seen = runOnDraft(owner, [&](AlbumSession &d) {
        const AddPhotosReport r = d.addPhotos(files);
        EXPECT_TRUE(r.refused.empty());
    });
    EXPECT_GT(seen.taken, 0);
    EXPECT_EQ(seen.photoCounts, std::vector<int>{0});
    ASSERT_EQ(owner.album().ListView_daoru_zhaopian.size(), n);

    // 自动套版 on a worker, then a mode change: the photo table the owner
    // shows stays whole throughout each.
    seen = runOnDraft(owner, [](AlbumSession &d) { (void)automaticMatching(d.album()); });
    EXPECT_TRUE(seen.photoCounts.empty() || seen.photoCounts == std::vector<int>{n});
    EXPECT_EQ(owner.album().ListView_daoru_zhaopian.size(), n);
    EXPECT_GT(owner.album().ListView_moban_shiyong.size(), 0);

    seen = runOnDraft(owner, [](AlbumSession &d) { d.chooseMode(ModeKind::Portrait); });
    EXPECT_TRUE(seen.photoCounts.empty() || seen.photoCounts == std::vector<int>{n});
    EXPECT_EQ(owner.album().mode, ModeKind::Portrait);
    EXPECT_TRUE(owner.album().ListView_daoru_zhaopian.empty());
}

TEST(SessionStress, ADraftSharesNothingTheOwnerChanges)
{
    // The owner edits its album while a worker reads and writes a draft: the
    // two never see each other's changes (and the sanitizers see no race on
    // the shared strings underneath).
    QTemporaryDir work, pictures;
    AlbumSession owner(test::kProgramDir, work.path(), 5);
    owner.chooseMode(ModeKind::Wide16x9);
    owner.addPhotos(test::writePhotos(pictures.path(), 60, 30));
    const int n = owner.album().ListView_daoru_zhaopian.size();

    AlbumSession draft = owner.draft();
    std::thread worker([&] {
        for (int round = 0; round < 20; ++round)
            (void)automaticMatching(draft.album());
        draft.album().ListView_daoru_zhaopian.clear();
    });
    for (int round = 0; round < 200; ++round) {
        RowTable &photos = owner.album().ListView_daoru_zhaopian;
        photos.row(round % n).setCaption(QString::number(round));
        (void)serializeProject(captureProject(owner), {});
    }
    worker.join();
    EXPECT_EQ(owner.album().ListView_daoru_zhaopian.size(), n);
    EXPECT_TRUE(draft.album().ListView_daoru_zhaopian.empty());
}
