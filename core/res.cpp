// core/res.cpp - resource files.
#include "core/res.h"

#include <algorithm>
#include <cstring>

#include "core/debug.h"
#include "core/dirs.h"
#include "core/file.h"
#include "core/le.h"
#include "core/mem.h"
#include "platform/files.h"

namespace velmora {
namespace {

constexpr uint32_t RESF_KOPF = 12;
constexpr uint32_t RESF_EINTRAG = 8;
constexpr uint32_t HRF_KOPF = 12;
constexpr uint32_t HRF_EINTRAG = 8;
constexpr uint8_t HRF_VERSION = 1;

struct ResEintrag {
    int16_t typ;
    uint32_t offset;
    uint32_t ende;   // first byte behind the entry
};

struct ResSlot {
    int32_t handle = -1;
    int32_t basis = 0;
    std::vector<ResEintrag> eintraege;
};

struct ResModul {
    ResSlot slot[RES_SLOTS];
    ResLoaderHooks hooks;
};
ResModul g;

bool ganz_lesen(int32_t handle, uint32_t offset, void* ziel, uint32_t bytes) {
    if (File_Seek(handle, int32_t(offset), 0) != int32_t(offset)) return false;
    return bytes == 0 || File_Read(ziel, 1, int32_t(bytes), handle) == int32_t(bytes);
}

// The open slot of a handle, or null with a log line naming the caller.
ResSlot* offener_slot(int32_t slot, const char* wer) {
    if (slot < 0 || slot >= RES_SLOTS || g.slot[slot].handle < 0) {
        Debug_Printf("%s: Slot %d nicht offen\n", wer, slot);
        return nullptr;
    }
    return &g.slot[slot];
}

const ResEintrag* eintrag_von(int32_t slot, int32_t nummer, const char* wer) {
    ResSlot* s = offener_slot(slot, wer);
    if (!s) return nullptr;
    int64_t index = int64_t(nummer) + s->basis;
    if (index < 0 || index >= int64_t(s->eintraege.size())) {
        Debug_Printf("%s: Eintrag %d (Basis %d) nicht in der Tabelle (%zu)\n", wer, nummer, s->basis,
                     s->eintraege.size());
        return nullptr;
    }
    return &s->eintraege[size_t(index)];
}

// The entry's bytes in a tracked block (one extra zero byte behind them, so an
// empty entry still has a block).
uint8_t* roh_lesen(int32_t slot, const ResEintrag& e, const char* wer) {
    uint32_t n = e.ende - e.offset;
    uint8_t* block = static_cast<uint8_t*>(Mem_Alloc(size_t(n) + 1, "Res_Load"));
    if (!block) {
        Debug_Printf("%s: kein Speicher fuer %u Bytes\n", wer, n);
        return nullptr;
    }
    block[n] = 0;
    if (!ganz_lesen(g.slot[slot].handle, e.offset, block, n)) {
        Debug_Printf("%s: Eintrag bei %u nicht lesbar\n", wer, e.offset);
        Mem_Free(block);
        return nullptr;
    }
    return block;
}

uint8_t hcf_maske(uint32_t& zustand) {
    zustand = zustand * 1103515245u + 12345u;
    return uint8_t(zustand >> 16);
}

void hcf_maskieren(uint8_t* daten, uint32_t bytes, uint32_t schluessel, int32_t nummer) {
    uint32_t zustand = schluessel ^ (uint32_t(nummer) * 0x9E3779B9u);
    for (uint32_t i = 0; i < bytes; ++i) daten[i] ^= hcf_maske(zustand);
}

}  // namespace

ResLoaderHooks& Res_Loader_Hooks() { return g.hooks; }

int32_t Res_Open(const char* pfad, int32_t basis) {
    if (!pfad) {
        Debug_Printf("Res_Open: kein Pfad\n");
        return -1;
    }
    int32_t slot = -1;
    for (int32_t i = 0; i < RES_SLOTS && slot < 0; ++i)
        if (g.slot[i].handle < 0) slot = i;
    if (slot < 0) {
        Debug_Printf("Res_Open: alle %d Slots belegt (%s)\n", RES_SLOTS, pfad);
        return -1;
    }
    int32_t handle = File_Open_Read(pfad);
    if (handle < 0) {
        Debug_Printf("Res_Open: %s nicht zu oeffnen\n", pfad);
        return -1;
    }
    int32_t groesse = File_Size(handle);
    uint8_t kopf[RESF_KOPF];
    if (groesse < int32_t(RESF_KOPF) || !ganz_lesen(handle, 0, kopf, RESF_KOPF) || std::memcmp(kopf, "RESF", 4)) {
        Debug_Printf("Res_Open: %s ist keine RESF-Datei\n", pfad);
        File_Close(handle);
        return -1;
    }
    uint32_t anzahl = Bytes_Get32(kopf + 4);
    uint32_t tabelle = Bytes_Get32(kopf + 8);
    uint64_t tabelle_ende = uint64_t(tabelle) + uint64_t(anzahl) * RESF_EINTRAG;
    if (tabelle < RESF_KOPF || tabelle_ende > uint64_t(groesse)) {
        Debug_Printf("Res_Open: %s Tabelle (%u Eintraege bei %u) ausserhalb der Datei (%d)\n", pfad, anzahl,
                     tabelle, groesse);
        File_Close(handle);
        return -1;
    }
    std::vector<uint8_t> roh(size_t(anzahl) * RESF_EINTRAG);
    if (!ganz_lesen(handle, tabelle, roh.data(), uint32_t(roh.size()))) {
        Debug_Printf("Res_Open: %s Tabelle nicht lesbar\n", pfad);
        File_Close(handle);
        return -1;
    }
    ResSlot& s = g.slot[slot];
    s.eintraege.resize(anzahl);
    // Every offset that starts something: an entry, the table, the end of the file.
    std::vector<uint32_t> grenzen;
    grenzen.reserve(anzahl + 2);
    for (uint32_t i = 0; i < anzahl; ++i) {
        const uint8_t* e = roh.data() + size_t(i) * RESF_EINTRAG;
        s.eintraege[i].typ = int16_t(Bytes_Get16(e));
        s.eintraege[i].offset = std::min(Bytes_Get32(e + 4), uint32_t(groesse));
        grenzen.push_back(s.eintraege[i].offset);
    }
    grenzen.push_back(tabelle);
    grenzen.push_back(uint32_t(groesse));
    std::sort(grenzen.begin(), grenzen.end());
    for (ResEintrag& e : s.eintraege) {
        auto naechste = std::upper_bound(grenzen.begin(), grenzen.end(), e.offset);
        e.ende = naechste == grenzen.end() ? e.offset : *naechste;
    }
    s.handle = handle;
    s.basis = basis;
    return slot;
}

int32_t Res_Close(int32_t slot) {
    if (slot < 0 || slot >= RES_SLOTS) return -1;
    ResSlot& s = g.slot[slot];
    if (s.handle >= 0) File_Close(s.handle);
    s.handle = -1;
    s.basis = 0;
    s.eintraege.clear();
    s.eintraege.shrink_to_fit();
    return -1;
}

bool Res_Eintrag_Info(int32_t slot, int32_t nummer, int16_t* typ, uint32_t* bytes) {
    const ResEintrag* e = eintrag_von(slot, nummer, "Res_Eintrag_Info");
    if (!e) return false;
    if (typ) *typ = e->typ;
    if (bytes) *bytes = e->ende - e->offset;
    return true;
}

void* Res_Load_Bild(int32_t slot, int32_t nummer, int32_t tiefe) {
    int16_t typ = 0;
    if (!Res_Eintrag_Info(slot, nummer, &typ, nullptr)) return nullptr;
    if (typ != RES_TYP_BITMAP) {
        Debug_Printf("Res_Load_Bild: Eintrag %d ist kein Bild (Typ %d)\n", nummer, typ);
        return nullptr;
    }
    return Res_Load(slot, nummer, tiefe, nullptr);
}

void* Res_Eintrag_Roh(int32_t slot, int32_t nummer, uint32_t* bytes) {
    if (bytes) *bytes = 0;
    const ResEintrag* e = eintrag_von(slot, nummer, "Res_Eintrag_Roh");
    if (!e) return nullptr;
    uint8_t* block = roh_lesen(slot, *e, "Res_Eintrag_Roh");
    if (block && bytes) *bytes = e->ende - e->offset;
    return block;
}

void* Res_Load(int32_t slot, int32_t nummer, int32_t tiefe, uint32_t* laenge, uint32_t extra) {
    const ResEintrag* e = eintrag_von(slot, nummer, "Res_Load");
    if (!e) return nullptr;
    uint32_t verfuegbar = e->ende - e->offset;
    if (e->typ == RES_TYP_DATEN) {
        uint8_t kopf[4];
        if (verfuegbar < 4 || !ganz_lesen(g.slot[slot].handle, e->offset, kopf, 4)) {
            Debug_Printf("Res_Load: Datenblock %d ohne Laenge\n", nummer);
            return nullptr;
        }
        uint32_t n = Bytes_Get32(kopf);
        if (n > verfuegbar - 4) {
            Debug_Printf("Res_Load: Datenblock %d laenger (%u) als sein Eintrag (%u)\n", nummer, n, verfuegbar - 4);
            return nullptr;
        }
        void* block = Mem_Alloc(n ? n : 1, "Res_Load");
        if (!block) return nullptr;
        if (!ganz_lesen(g.slot[slot].handle, e->offset + 4, block, n)) {
            Debug_Printf("Res_Load: Datenblock %d nicht lesbar\n", nummer);
            Mem_Free(block);
            return nullptr;
        }
        if (laenge) *laenge = n;
        return block;
    }
    if (e->typ != RES_TYP_BITMAP && e->typ != RES_TYP_FONT && e->typ != RES_TYP_SHAPE) {
        Debug_Printf("Res_Load: Eintrag %d hat Typ %d\n", nummer, e->typ);
        return nullptr;
    }
    const ResLoaderHooks& h = g.hooks;
    if ((e->typ == RES_TYP_BITMAP && !h.bitmap) || (e->typ == RES_TYP_FONT && !h.font) ||
        (e->typ == RES_TYP_SHAPE && !h.shape)) {
        Debug_Printf("Res_Load: kein Lader fuer Typ %d\n", e->typ);
        return nullptr;
    }
    uint8_t* roh = roh_lesen(slot, *e, "Res_Load");
    if (!roh) return nullptr;
    void* objekt = nullptr;
    if (e->typ == RES_TYP_BITMAP) objekt = h.bitmap(roh, verfuegbar, tiefe);
    if (e->typ == RES_TYP_FONT) objekt = h.font(roh, verfuegbar, tiefe);
    if (e->typ == RES_TYP_SHAPE) objekt = h.shape(roh, verfuegbar, tiefe, extra);
    Mem_Free(roh);
    if (!objekt) Debug_Printf("Res_Load: Eintrag %d (Typ %d) nicht ladbar\n", nummer, e->typ);
    return objekt;
}

int32_t Res_OpenFile(const char* name) {
    if (!name || !*name) {
        Debug_Printf("Res_OpenFile: kein Name\n");
        return -1;
    }
    std::string pfad = std::string(Dirs_Get(DIR_RESFILE)) + "\\" + name;
    int32_t handle = File_Open_Read(pfad.c_str());
    if (handle < 0) Debug_Printf("Res_OpenFile: %s nicht zu oeffnen\n", pfad.c_str());
    return handle;
}

bool Res_GetResource(ResResource* out, int32_t handle, int32_t nummer, int32_t modus) {
    if (!out) return false;
    *out = ResResource{};
    int32_t groesse = File_Size(handle);
    uint8_t kopf[HRF_KOPF];
    if (groesse < int32_t(HRF_KOPF) || !ganz_lesen(handle, 0, kopf, HRF_KOPF) ||
        (std::memcmp(kopf, "HRF", 3) && std::memcmp(kopf, "HCF", 3)) || kopf[3] != HRF_VERSION) {
        Debug_Printf("Res_GetResource: keine HRF/HCF-Datei (Handle %d)\n", handle);
        return false;
    }
    bool maskiert = kopf[1] == 'C';
    uint32_t anzahl = Bytes_Get32(kopf + 4);
    uint32_t schluessel = Bytes_Get32(kopf + 8);
    if (uint64_t(HRF_KOPF) + uint64_t(anzahl) * HRF_EINTRAG > uint64_t(groesse)) {
        Debug_Printf("Res_GetResource: Tabelle (%u Eintraege) laenger als die Datei\n", anzahl);
        return false;
    }
    if (nummer < 0 || uint32_t(nummer) >= anzahl) {
        Debug_Printf("Res_GetResource: Eintrag %d nicht in der Tabelle (%u)\n", nummer, anzahl);
        return false;
    }
    uint8_t e[HRF_EINTRAG];
    if (!ganz_lesen(handle, HRF_KOPF + uint32_t(nummer) * HRF_EINTRAG, e, HRF_EINTRAG)) return false;
    uint32_t offset = Bytes_Get32(e);
    uint32_t laenge = Bytes_Get32(e + 4);
    if (uint64_t(offset) + laenge > uint64_t(groesse)) {
        Debug_Printf("Res_GetResource: Eintrag %d (%u+%u) ausserhalb der Datei\n", nummer, offset, laenge);
        return false;
    }
    if (modus == RES_MODUS_HANDLE) {
        if (maskiert) {
            Debug_Printf("Res_GetResource: HCF-Eintrag %d nicht direkt lesbar\n", nummer);
            return false;
        }
        if (File_Seek(handle, int32_t(offset), 0) != int32_t(offset)) return false;
        *out = ResResource{offset, laenge, handle, 0, nullptr};
        return true;
    }
    if (modus != RES_MODUS_SPEICHER) {
        Debug_Printf("Res_GetResource: Modus %d unbekannt\n", modus);
        return false;
    }
    uint8_t* block = static_cast<uint8_t*>(Mem_Alloc(size_t(laenge) + 1, "Res_GetResource"));
    if (!block) return false;
    block[laenge] = 0;
    if (!ganz_lesen(handle, offset, block, laenge)) {
        Mem_Free(block);
        return false;
    }
    if (maskiert) hcf_maskieren(block, laenge, schluessel, nummer);
    *out = ResResource{offset, laenge, -1, maskiert ? 1u : 0u, block};
    return true;
}

ResDateiEintrag Res_Datenblock(const void* daten, uint32_t laenge) {
    ResDateiEintrag e;
    e.typ = RES_TYP_DATEN;
    Le_Put_U32(e.bytes, laenge);
    Le_Put_Bytes(e.bytes, daten, laenge);
    return e;
}

bool Res_Schreiben(const char* pfad, const std::vector<ResDateiEintrag>& eintraege) {
    if (!pfad) return false;
    std::vector<uint8_t> datei = {'R', 'E', 'S', 'F'};
    Le_Put_U32(datei, uint32_t(eintraege.size()));
    Le_Put_U32(datei, 0);   // the table's offset, known at the end
    std::vector<uint32_t> offsets;
    for (const ResDateiEintrag& e : eintraege) {
        offsets.push_back(uint32_t(datei.size()));
        Le_Put_Bytes(datei, e.bytes.data(), e.bytes.size());
    }
    Bytes_Put32(datei.data() + 8, uint32_t(datei.size()));
    for (size_t i = 0; i < eintraege.size(); ++i) {
        Le_Put_U16(datei, uint16_t(eintraege[i].typ));
        Le_Put_U16(datei, 0);
        Le_Put_U32(datei, offsets[i]);
    }
    return Plat_Write_Atomic(Plat_Path(pfad).c_str(), datei.data(), datei.size());
}

bool Res_Hrf_Schreiben(const char* pfad, const std::vector<std::vector<uint8_t>>& eintraege, bool maskiert,
                       uint32_t schluessel) {
    if (!pfad) return false;
    std::vector<uint8_t> datei = {'H', uint8_t(maskiert ? 'C' : 'R'), 'F', HRF_VERSION};
    Le_Put_U32(datei, uint32_t(eintraege.size()));
    Le_Put_U32(datei, maskiert ? schluessel : 0);
    uint32_t offset = HRF_KOPF + uint32_t(eintraege.size()) * HRF_EINTRAG;
    for (const auto& e : eintraege) {
        Le_Put_U32(datei, offset);
        Le_Put_U32(datei, uint32_t(e.size()));
        offset += uint32_t(e.size());
    }
    for (size_t i = 0; i < eintraege.size(); ++i) {
        size_t start = datei.size();
        Le_Put_Bytes(datei, eintraege[i].data(), eintraege[i].size());
        if (maskiert) hcf_maskieren(datei.data() + start, uint32_t(eintraege[i].size()), schluessel, int32_t(i));
    }
    return Plat_Write_Atomic(Plat_Path(pfad).c_str(), datei.data(), datei.size());
}

}  // namespace velmora
