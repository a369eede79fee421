// core/mem.cpp - tracked memory blocks over malloc and page memory.
#include "core/mem.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "core/debug.h"
#include "core/pruefen.h"
#include "core/meldung.h"
#include "platform/vmem.h"

namespace velmora {
namespace {

struct MemModul {
    std::mutex lock;                   // connection-check threads may allocate too
    MemBlockHeader* erster = nullptr;  // list of all live blocks
    size_t bloecke = 0;
    size_t bytes = 0;
};
MemModul& g() {
    static MemModul m;
    return m;
}

constexpr size_t KOPF = sizeof(MemBlockHeader);
constexpr size_t HINTEN = sizeof(uint32_t);

void verketten(MemBlockHeader* h) {
    std::lock_guard<std::mutex> l(g().lock);
    h->vorher = nullptr;
    h->naechster = g().erster;
    if (g().erster) g().erster->vorher = h;
    g().erster = h;
    ++g().bloecke;
    g().bytes += h->groesse;
}

void loesen(MemBlockHeader* h) {
    std::lock_guard<std::mutex> l(g().lock);
    if (h->vorher) h->vorher->naechster = h->naechster;
    else g().erster = h->naechster;
    if (h->naechster) h->naechster->vorher = h->vorher;
    --g().bloecke;
    g().bytes -= h->groesse;
}

void kopf_fuellen(MemBlockHeader* h, uint32_t art, size_t real, size_t size, const char* owner) {
    h->guard_vorn = MEM_GUARD_VORN;
    h->art = art;
    h->groesse_real = real;
    h->groesse = size;
    h->besitzer = owner ? owner : "?";
    h->schutz = 0;
    h->guard_kopf = MEM_GUARD_KOPF;
    uint32_t hinten = MEM_GUARD_HINTEN;
    std::memcpy(reinterpret_cast<uint8_t*>(h) + KOPF + size, &hinten, HINTEN);
}

// Checks the guards of a block; logs and returns false when one is damaged
// (something wrote past its own memory, or freed what it did not own).
bool pruefen(const MemBlockHeader* h, uint32_t art, const char* wer) {
    uint32_t hinten = 0;
    if (!PRUEFEN(h->guard_vorn == MEM_GUARD_VORN && h->guard_kopf == MEM_GUARD_KOPF && h->art == art,
                 "%s: Speicherblock %p beschaedigt (Kopf)\n", wer, static_cast<const void*>(h + 1)))
        return false;
    std::memcpy(&hinten, reinterpret_cast<const uint8_t*>(h) + KOPF + h->groesse, HINTEN);
    return PRUEFEN(hinten == MEM_GUARD_HINTEN, "%s: Speicherblock %p von \"%s\" beschaedigt (Ende)\n", wer,
                   static_cast<const void*>(h + 1), h->besitzer);
}

// Page-protected blocks are remembered here as well, so a free can tell an
// inaccessible block (whose header cannot be read) from a foreign pointer.
struct VirtEintrag {
    void* daten;
    size_t real;
    uint32_t schutz;
};
constexpr int VIRT_MAX = 4096;
VirtEintrag g_virt[VIRT_MAX];

}  // namespace

void* Mem_Alloc(size_t size, const char* owner) {
    if (size == 0) return nullptr;
    if (size > SIZE_MAX - KOPF - HINTEN) return nullptr;
    size_t real = KOPF + size + HINTEN;
    auto* h = static_cast<MemBlockHeader*>(std::malloc(real));
    if (!h) {
        Debug_Printf("Mem_Alloc: kein Speicher fuer %zu Bytes (%s)\n", size, owner ? owner : "?");
        return nullptr;
    }
    kopf_fuellen(h, MEM_ART_HEAP, real, size, owner);
    verketten(h);
    return h + 1;
}

void* Mem_Alloc_Fill(size_t size, const char* owner, uint8_t fill) {
    void* p = Mem_Alloc(size, owner);
    if (p) std::memset(p, fill, size);
    return p;
}

void* Mem_Free(void* block) {
    if (!block) return nullptr;
    auto* h = static_cast<MemBlockHeader*>(block) - 1;
    if (!pruefen(h, MEM_ART_HEAP, "Mem_Free")) return block;
    loesen(h);
    h->guard_vorn = 0;   // a second free of the same block is caught by the guard
    h->guard_kopf = 0;
    std::free(h);
    return nullptr;
}

size_t Mem_Groesse(const void* block) {
    if (!block) return 0;
    const auto* h = static_cast<const MemBlockHeader*>(block) - 1;
    return pruefen(h, MEM_ART_HEAP, "Mem_Groesse") ? h->groesse : 0;
}

void* Mem_Virtual_Alloc(size_t size, uint32_t flags, const char* owner) {
    if (size == 0 || size > SIZE_MAX / 2) return nullptr;
    size_t seite = Plat_Page_Size();
    size_t real = (KOPF + size + HINTEN + seite - 1) / seite * seite;
    void* p = Plat_Vmem_Alloc(real);
    if (!p) return nullptr;
    auto* h = static_cast<MemBlockHeader*>(p);
    kopf_fuellen(h, MEM_ART_VIRTUELL, real, size, owner);
    uint32_t schutz = (flags & 2) ? 2u : (flags & 4) ? 4u : 0u;
    h->schutz = schutz;
    int frei = -1;
    {
        std::lock_guard<std::mutex> l(g().lock);
        for (int i = 0; i < VIRT_MAX; ++i)
            if (!g_virt[i].daten) {
                frei = i;
                g_virt[i] = {h + 1, real, schutz};
                break;
            }
    }
    if (frei < 0) {
        Debug_Printf("Mem_Virtual_Alloc: Tabelle voll (%s)\n", owner ? owner : "?");
        Plat_Vmem_Free(p, real);
        return nullptr;
    }
    // Page blocks stay out of the linked list: linking a later block would write
    // into this header, which may be read-only or inaccessible by then.
    h->vorher = h->naechster = nullptr;
    {
        std::lock_guard<std::mutex> l(g().lock);
        ++g().bloecke;
        g().bytes += size;
    }
    if (schutz) Plat_Vmem_Protect(p, real, schutz == 2 ? PLAT_NONE : PLAT_RO);
    return h + 1;
}

void* Mem_Virtual_Free(void* block) {
    if (!block) return nullptr;
    VirtEintrag e{};
    int idx = -1;
    {
        std::lock_guard<std::mutex> l(g().lock);
        for (int i = 0; i < VIRT_MAX; ++i)
            if (g_virt[i].daten == block) {
                idx = i;
                e = g_virt[i];
                break;
            }
    }
    if (idx < 0) {
        Debug_Printf("Mem_Virtual_Free: %p ist kein virtueller Block\n", block);
        return block;
    }
    if (e.schutz == 2) {
        Debug_Printf("Mem_Virtual_Free: Block %p ist unzugaenglich\n", block);
        return block;
    }
    auto* h = static_cast<MemBlockHeader*>(block) - 1;
    if (!pruefen(h, MEM_ART_VIRTUELL, "Mem_Virtual_Free")) return block;
    {
        std::lock_guard<std::mutex> l(g().lock);
        g_virt[idx] = {};
        --g().bloecke;
        g().bytes -= h->groesse;
    }
    Plat_Vmem_Free(h, e.real);
    return nullptr;
}

void Mem_Copy_Fast(void* dest, const void* src, size_t bytes) {
    auto* d = static_cast<uint8_t*>(dest);
    auto* s = static_cast<const uint8_t*>(src);
    size_t worte = bytes / 8;
    for (size_t i = worte; i-- > 0;) std::memcpy(d + i * 8, s + i * 8, 8);
    for (size_t i = worte * 8; i < bytes; ++i) d[i] = s[i];
}

size_t Mem_Anzahl_Bloecke() {
    std::lock_guard<std::mutex> l(g().lock);
    return g().bloecke;
}

size_t Mem_Anzahl_Bytes() {
    std::lock_guard<std::mutex> l(g().lock);
    return g().bytes;
}

}  // namespace velmora
