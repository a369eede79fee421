// core/liste.cpp - the generic keyed list.
#include "core/liste.h"

#include <cstring>
#include <unordered_map>

#include "core/bytes.h"
#include "core/debug.h"
#include "core/mem.h"

namespace velmora {
namespace {

// A key's elements in one list: how many, and the element when there is one
// and it is known (null: walk the list).
struct Treffer {
    int32_t anzahl = 0;
    Listen_Element* element = nullptr;
};

struct ListenModul {
    Listen_Element* koepfe[LISTEN_MAX] = {};
    int32_t anzahl = 0;
    // Per registered list, its keys: a search from the head for a key held
    // once needs no walk. Kept by Insert and the deletes (each given the
    // element's own list).
    std::unordered_map<int32_t, Treffer> schluessel[LISTEN_MAX];
};
ListenModul g;

// A registered head keeps its slot number in its key and points its payload at
// the slot, so the check is one comparison.
bool ist_kopf(const Listen_Element* k) {
    if (!k || k->groesse != 0) return false;
    int32_t slot = k->schluessel;
    return slot >= 0 && slot < LISTEN_MAX && g.koepfe[slot] == k;
}

constexpr uint32_t KOPF_BYTES = sizeof(Listen_Element);


}  // namespace

uint32_t Liste_Daten_Groesse(const Listen_Element* e) { return e && e->groesse >= KOPF_BYTES ? e->groesse - KOPF_BYTES : 0; }

bool Liste_Anlegen(Listen_Element* kopf) {
    if (!kopf) {
        Debug_Printf("Liste_Anlegen: kein Kopf\n");
        return false;
    }
    if (ist_kopf(kopf)) {
        Liste_Delete_All(kopf);
        return true;
    }
    for (int32_t i = 0; i < LISTEN_MAX; ++i) {
        if (!g.koepfe[i]) {
            g.koepfe[i] = kopf;
            ++g.anzahl;
            kopf->vorher = kopf->naechster = kopf;
            kopf->daten = nullptr;
            kopf->schluessel = i;
            kopf->groesse = 0;
            g.schluessel[i].clear();
            return true;
        }
    }
    Debug_Printf("Liste_Anlegen: schon %d Listen angelegt\n", LISTEN_MAX);
    return false;
}

void Liste_Freigeben(Listen_Element* kopf) {
    if (!ist_kopf(kopf)) return;
    Liste_Delete_All(kopf);
    g.koepfe[kopf->schluessel] = nullptr;
    --g.anzahl;
    kopf->schluessel = -1;
}

Listen_Element* Liste_Insert(Listen_Element* liste, Listen_Element* nach, const void* daten, uint32_t groesse,
                             int32_t schluessel) {
    if (!ist_kopf(liste)) {
        Debug_Printf("Liste_Insert: Liste nicht angelegt\n");
        return nullptr;
    }
    if (groesse > 0x7FFFFFFFu - KOPF_BYTES) {
        Debug_Printf("Liste_Insert: Groesse %u zu gross\n", groesse);
        return nullptr;
    }
    auto* e = static_cast<Listen_Element*>(Mem_Alloc(KOPF_BYTES + groesse, "Liste"));
    if (!e) return nullptr;
    e->daten = reinterpret_cast<uint8_t*>(e) + KOPF_BYTES;
    if (daten) std::memcpy(e->daten, daten, groesse);
    else std::memset(e->daten, 0, groesse);
    e->schluessel = schluessel;
    e->groesse = KOPF_BYTES + groesse;
    Listen_Element* vor = nach ? nach : liste->vorher;   // null: after the last one
    e->vorher = vor;
    e->naechster = vor->naechster;
    vor->naechster->vorher = e;
    vor->naechster = e;
    Treffer& t = g.schluessel[liste->schluessel][schluessel];
    ++t.anzahl;
    t.element = t.anzahl == 1 ? e : nullptr;
    return e;
}

Listen_Element* Liste_Find_Key(Listen_Element* von, int32_t schluessel) {
    if (!von) return nullptr;
    Treffer* t = nullptr;
    if (ist_kopf(von)) {
        auto& schluessel_von = g.schluessel[von->schluessel];
        auto it = schluessel_von.find(schluessel);
        if (it == schluessel_von.end()) return nullptr;
        t = &it->second;
        if (t->element) return t->element;
    }
    for (Listen_Element* e = von->naechster; e && e->groesse != 0; e = e->naechster)
        if (e->schluessel == schluessel) {
            if (t && t->anzahl == 1) t->element = e;
            return e;
        }
    return nullptr;
}

int32_t Liste_Count(const Listen_Element* liste) {
    if (!ist_kopf(liste)) return 0;
    int32_t n = 0;
    for (const Listen_Element* e = liste->naechster; e != liste; e = e->naechster) ++n;
    return n;
}

Listen_Element* Liste_First(Listen_Element* liste) {
    if (!ist_kopf(liste) || liste->naechster == liste) return nullptr;
    return liste->naechster;
}

Listen_Element* Liste_Next_Element(Listen_Element* element) {
    if (!element || !element->naechster || element->naechster->groesse == 0) return nullptr;
    return element->naechster;
}

Listen_Element* Liste_Delete_Element(Listen_Element* liste, Listen_Element* element) {
    if (!ist_kopf(liste) || !element || element->groesse == 0) {
        Debug_Printf("Liste_Delete_Element: ungueltiges Element\n");
        return nullptr;
    }
    auto& schluessel_von = g.schluessel[liste->schluessel];
    auto it = schluessel_von.find(element->schluessel);
    if (it != schluessel_von.end()) {
        // Of two or more none is kept: which one is left is found by the next search.
        if (--it->second.anzahl <= 0) schluessel_von.erase(it);
    }
    Listen_Element* vor = element->vorher;
    vor->naechster = element->naechster;
    element->naechster->vorher = vor;
    Mem_Free(element);
    return vor;
}

void Liste_Delete_All(Listen_Element* liste) {
    if (!ist_kopf(liste)) return;
    Listen_Element* e = liste->naechster;
    while (e != liste) {
        Listen_Element* weiter = e->naechster;
        Mem_Free(e);
        e = weiter;
    }
    liste->naechster = liste->vorher = liste;
    g.schluessel[liste->schluessel].clear();
}

size_t Liste_Memory_Groesse(const Listen_Element* liste, int32_t schluessel) {
    if (!ist_kopf(liste)) return 0;
    size_t n = 4;
    for (const Listen_Element* e = liste->naechster; e != liste; e = e->naechster)
        if (schluessel == LISTE_ALLE || e->schluessel == schluessel) n += 8 + Liste_Daten_Groesse(e);
    return n;
}

size_t Liste_To_Memory(void* out, size_t kapazitaet, const Listen_Element* liste, int32_t schluessel) {
    size_t noetig = Liste_Memory_Groesse(liste, schluessel);
    if (noetig == 0 || !out || kapazitaet < noetig) {
        Debug_Printf("Liste_To_Memory: Puffer zu klein (%zu < %zu)\n", kapazitaet, noetig);
        return 0;
    }
    auto* p = static_cast<uint8_t*>(out);
    uint32_t anzahl = 0;
    size_t pos = 4;
    for (const Listen_Element* e = liste->naechster; e != liste; e = e->naechster) {
        if (schluessel != LISTE_ALLE && e->schluessel != schluessel) continue;
        uint32_t n = Liste_Daten_Groesse(e);
        Bytes_Put32(p + pos, uint32_t(e->schluessel));
        Bytes_Put32(p + pos + 4, n);
        std::memcpy(p + pos + 8, e->daten, n);
        pos += 8 + n;
        ++anzahl;
    }
    Bytes_Put32(p, anzahl);
    return pos;
}

bool Liste_From_Memory(const void* block, size_t laenge, Listen_Element* liste) {
    if (!ist_kopf(liste) || !block || laenge < 4) {
        Debug_Printf("Liste_From_Memory: ungueltiger Block\n");
        return false;
    }
    auto* p = static_cast<const uint8_t*>(block);
    uint32_t anzahl = Bytes_Get32(p);
    // Check the whole block before the list is touched.
    size_t pos = 4;
    for (uint32_t i = 0; i < anzahl; ++i) {
        if (laenge - pos < 8) {
            Debug_Printf("Liste_From_Memory: Block zu kurz bei Element %u\n", i);
            return false;
        }
        uint32_t n = Bytes_Get32(p + pos + 4);
        if (n > 0x7FFFFFFFu - KOPF_BYTES || laenge - pos - 8 < n) {
            Debug_Printf("Liste_From_Memory: Element %u zu gross (%u)\n", i, n);
            return false;
        }
        pos += 8 + size_t(n);
    }
    if (pos != laenge) {
        Debug_Printf("Liste_From_Memory: %zu Bytes uebrig\n", laenge - pos);
        return false;
    }
    Liste_Delete_All(liste);
    pos = 4;
    for (uint32_t i = 0; i < anzahl; ++i) {
        int32_t key = int32_t(Bytes_Get32(p + pos));
        uint32_t n = Bytes_Get32(p + pos + 4);
        if (!Liste_Insert(liste, nullptr, p + pos + 8, n, key)) {
            Debug_Printf("Liste_From_Memory: kein Speicher\n");
            Liste_Delete_All(liste);
            return false;
        }
        pos += 8 + size_t(n);
    }
    return true;
}

}  // namespace velmora
