#include "Heap.h"

#include <cstdlib> // defines __GLIBC__ on the GNU C library
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace lumora {

void keepLargeBlocksInHeap()
{
#ifdef __GLIBC__
    // Above any picture of the largest output (1920 × 1088 × 4 bytes, or a
    // staged template picture); a 24-megapixel photo still gets a mapping of
    // its own and leaves as soon as it is freed.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    // Free memory at the top of the heap stays up to this much before glibc
    // gives it back on its own: a frame's worth of 1080p pictures (two whole
    // pictures and a half), so the pictures freed and allocated again every
    // frame never fault, while the tens of megabytes a template or a staging
    // step frees go back at once instead of staying resident beside the
    // encoder through a production.
    mallopt(M_TRIM_THRESHOLD, 24 << 20);
    // Two arenas instead of eight per core: the encoder's and the decoders'
    // threads allocate rarely once running, and fewer arenas leave less
    // memory stranded in free lists no other thread can use.
    mallopt(M_ARENA_MAX, 2);
#endif
}

} // namespace lumora
