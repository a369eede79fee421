// gfx/cache.cpp
#include "gfx/cache.h"

#include <cstring>

#include "core/debug.h"
#include "core/mem.h"

namespace velmora {
namespace {

struct Eintrag {
    uint32_t kind = 0;
    Rastport* bitmap = nullptr;
    int32_t* parameters = nullptr;
    int32_t count = 0;
    int32_t used = 0;
};

struct CacheModul {
    Eintrag eintraege[RASTPORT_CACHE_ANZAHL];
};
CacheModul g;

void Leeren(Eintrag& e) {
    e.bitmap = Rastport_Free(e.bitmap);
    if (e.parameters) Mem_Free(e.parameters);
    e = Eintrag();
}

}  // namespace

Rastport* Rastport_Cache_Find(const int32_t* parameters, int32_t count, uint32_t kind) {
    if (count < 0 || (count > 0 && !parameters)) return nullptr;
    for (Eintrag& e : g.eintraege) {
        if (!e.bitmap || e.kind != kind || e.count != count) continue;
        if (count > 0 && (!e.parameters || std::memcmp(e.parameters, parameters, size_t(count) * 4) != 0)) continue;
        e.used = 1;
        return e.bitmap;
    }
    return nullptr;
}

int32_t Rastport_Cache_Add(Rastport* rp, const int32_t* parameters, int32_t count, uint32_t kind) {
    if (!rp || count < 0 || (count > 0 && !parameters)) return 0;
    for (Eintrag& e : g.eintraege) {
        if (e.bitmap) continue;
        e.kind = kind;
        e.bitmap = rp;
        e.count = count;
        e.parameters = count > 0 ? static_cast<int32_t*>(Mem_Alloc(size_t(count) * 4, "Rastport_Cache")) : nullptr;
        if (e.parameters) std::memcpy(e.parameters, parameters, size_t(count) * 4);
        e.used = 1;
        return 1;
    }
    Debug_Printf("Rastport_Cache_Add: Cache voll\n");
    return 0;
}

void Rastport_Cache_Purge() {
    for (Eintrag& e : g.eintraege) {
        if (e.bitmap && !e.used) Leeren(e);
        e.used = 0;
    }
}

void Rastport_Cache_Clear() {
    for (Eintrag& e : g.eintraege)
        if (e.bitmap) Leeren(e);
}

int32_t Rastport_Cache_Belegt() {
    int32_t n = 0;
    for (const Eintrag& e : g.eintraege) n += e.bitmap != nullptr;
    return n;
}

}  // namespace velmora
