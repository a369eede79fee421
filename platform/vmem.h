// platform/vmem.h - page-granular memory with access protection.
#pragma once
#include <cstddef>

namespace velmora {

enum PlatSchutz { PLAT_RW = 0, PLAT_RO = 1, PLAT_NONE = 2 };

size_t Plat_Page_Size();
void* Plat_Vmem_Alloc(size_t bytes);                       // read-write pages, null on failure
bool Plat_Vmem_Protect(void* p, size_t bytes, PlatSchutz schutz);
bool Plat_Vmem_Free(void* p, size_t bytes);

// Keeps freed heap memory in the process for its next use instead of
// handing it back to the system (and faulting it in again, zeroed, page by
// page), and asks for huge pages for the heap where the system gives them on
// request: for a run that builds and frees megabytes over and over.
void Plat_Heap_Behalten();

}  // namespace velmora
