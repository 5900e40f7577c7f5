#pragma once

// Makes the first large batch of a process as quick as later ones.
//
// Besides the large arrays it maps itself (see HugePageAllocator), a batch
// of a million passwords leaves about 10 MB of ordinary heap memory in use,
// mostly the list view's layout of its rows. The first time, the C library
// takes that memory fresh from the kernel, one 4 KiB page fault at a time
// (thousands of them, on a virtual machine about half the time of the
// batch); later batches reuse what it kept.
namespace BatchMemory {

// Has the C library keep blocks of up to 32 MiB on its heap, and grows the
// heap now by 24 MiB of transparent huge pages, which a dozen page faults
// fill. Takes a few milliseconds; the program calls it once its window
// shows. Does nothing where the C library is not glibc.
void warmUp();

} // namespace BatchMemory
