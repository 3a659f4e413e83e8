#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <sys/resource.h>

#include "app/Heap.h"

using namespace lumora;

// glibc's own allocator only: a sanitizer build brings its own.
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
namespace {
long minorFaults()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_minflt;
}

// One frame's worth of pictures, as production allocates them: two full
// 1080p pictures and a smaller one, written through and freed.
void onePictureRound(int value)
{
    constexpr size_t kFull = size_t(1920) * 1088 * 4;
    char *blocks[] = {static_cast<char *>(std::malloc(kFull)), static_cast<char *>(std::malloc(kFull)),
                      static_cast<char *>(std::malloc(kFull / 2))};
    const size_t sizes[] = {kFull, kFull, kFull / 2};
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(blocks[i], nullptr);
        std::memset(blocks[i], value + i, sizes[i]);
        // Read back so that the writes cannot be dropped with the block.
        volatile char last = blocks[i][sizes[i] - 1];
        EXPECT_EQ(last, char(value + i));
    }
    for (char *b : blocks)
        std::free(b);
}
} // namespace

// Freed pictures are reused in place: once the heap holds a frame's worth,
// later frames fault (almost) no page in. Without the setting glibc gives
// the memory back after every frame and each page faults again.
TEST(Heap, LargePicturesAreReusedWithoutFaultingTheirPagesAgain)
{
    keepLargeBlocksInHeap();
    onePictureRound(1);
    const long before = minorFaults();
    for (int round = 0; round < 10; ++round)
        onePictureRound(round);
    const long pagesPerRound = long(size_t(1920) * 1088 * 4 * 5 / 2 / 4096);
    EXPECT_LT(minorFaults() - before, pagesPerRound) << "ten rounds of " << pagesPerRound << " pages";
}
#endif
