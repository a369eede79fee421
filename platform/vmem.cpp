// platform/vmem.cpp - page memory through mmap and mprotect.
#include "platform/vmem.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace velmora {

size_t Plat_Page_Size() {
    static const size_t page = size_t(::sysconf(_SC_PAGESIZE));
    return page;
}

void* Plat_Vmem_Alloc(size_t bytes) {
    if (bytes == 0) return nullptr;
    void* p = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return p == MAP_FAILED ? nullptr : p;
}

bool Plat_Vmem_Protect(void* p, size_t bytes, PlatSchutz schutz) {
    int prot = schutz == PLAT_RW ? PROT_READ | PROT_WRITE : schutz == PLAT_RO ? PROT_READ : PROT_NONE;
    return p && ::mprotect(p, bytes, prot) == 0;
}

bool Plat_Vmem_Free(void* p, size_t bytes) { return p && ::munmap(p, bytes) == 0; }

void Plat_Heap_Behalten() {
#if defined(__GLIBC__)
    // Large blocks from the heap rather than mappings of their own (a mapping
    // is returned at its free), and the heap's top kept when it empties.
    constexpr int GRENZE = 256 << 20;
    mallopt(M_MMAP_THRESHOLD, GRENZE);
    mallopt(M_TRIM_THRESHOLD, GRENZE);
#if defined(MADV_HUGEPAGE)
    // The heap grows once by a reserve that is marked for huge pages where
    // the system gives them on request: a run touching tens of megabytes
    // then takes a few dozen faults instead of thousands, and far fewer
    // misses of the address cache. Untouched reserve costs no memory.
    constexpr size_t RESERVE = size_t(128) << 20;
    constexpr uintptr_t HUGE = uintptr_t(2) << 20;
    void* block = std::malloc(RESERVE);
    if (!block) return;
    const uintptr_t anfang = reinterpret_cast<uintptr_t>(block), ende = anfang + RESERVE;
    // Only a block from the heap's break stays the heap's when freed; one
    // the library mapped on its own (or a sanitizer's allocator) does not.
    const bool vom_heap = ende <= reinterpret_cast<uintptr_t>(::sbrk(0));
    std::free(block);
    const uintptr_t von = (anfang + HUGE - 1) & ~(HUGE - 1), bis = ende & ~(HUGE - 1);
    if (vom_heap && bis > von) ::madvise(reinterpret_cast<void*>(von), bis - von, MADV_HUGEPAGE);
#endif
#endif
}

}  // namespace velmora
