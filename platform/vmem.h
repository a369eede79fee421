// platform/vmem.h - page-granular memory with access protection.
#pragma once
#include <cstddef>

namespace velmora {

enum PlatSchutz { PLAT_RW = 0, PLAT_RO = 1, PLAT_NONE = 2 };

size_t Plat_Page_Size();
void* Plat_Vmem_Alloc(size_t bytes);                       // read-write pages, null on failure
bool Plat_Vmem_Protect(void* p, size_t bytes, PlatSchutz schutz);
bool Plat_Vmem_Free(void* p, size_t bytes);

}  // namespace velmora
