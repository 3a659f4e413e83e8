#pragma once

namespace lumora {

// Keeps large blocks (decoded effect frames, composed frames, encoder
// buffers: megabytes each, allocated and freed many times a second) in the
// heap instead of fresh memory mappings. glibc maps blocks above its mmap
// threshold (128 KB at first, raised as blocks are freed) anew each time,
// and every page of a new mapping faults on its first touch; in a virtual
// machine a fault costs microseconds, so an 8 MB picture cost milliseconds
// before a pixel was written. A freed block kept in the heap is reused
// without faulting. Memory still goes back to the system where production
// trims the heap (after staging and at the end). Call once, first thing in
// main(); it changes nothing on other C libraries.
void keepLargeBlocksInHeap();

} // namespace lumora
