// media/video.cpp - the video slots.
#include "media/video.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/debug.h"
#include "core/file.h"
#include "core/mem.h"
#include "core/reg.h"
#include "core/res.h"
#include "core/str.h"

namespace velmora {
namespace {

struct VideoModul {
    BINK_VIDEO slot[BINK_SLOTS];
    BinkEinstellungen einstellungen{};
    VideoModul() {
        for (BINK_VIDEO& v : slot) std::memset(&v, 0xFF, sizeof v);
    }
};
VideoModul g;

// A slot of the table that holds a film; null, foreign and free slots are not.
bool belegt(const BINK_VIDEO* v) {
    return v && v >= g.slot && v < g.slot + BINK_SLOTS && v->slot == int32_t(v - g.slot);
}

bool im_table(const BINK_VIDEO* v) { return v && v >= g.slot && v < g.slot + BINK_SLOTS; }

void freigeben(BINK_VIDEO& v) { std::memset(&v, 0xFF, sizeof v); }

}  // namespace

bool Bink_InitBink(void* fenster, void* ddraw, void* primaer, void* sound, int32_t tiefe) {
    // A switch between window and full screen keeps the open films: screens
    // hold their slots and go on playing them.
    g.einstellungen = BinkEinstellungen{fenster, ddraw, primaer, sound, 0, tiefe};
    const uint32_t art = tiefe == 15   ? FILM_ZIEL_555
                         : tiefe == 16 ? FILM_ZIEL_565
                         : tiefe == 24 ? FILM_ZIEL_24
                         : tiefe == 32 ? FILM_ZIEL_32
                                       : 0;
    if (!art) {
        Debug_Printf("Bink_InitBink: Farbtiefe %d nicht moeglich\n", tiefe);
        return false;
    }
    g.einstellungen.kopie = BINK_KOPIE_ALLES | art;
    return true;
}

const BinkEinstellungen& Bink_Einstellungen() { return g.einstellungen; }

int32_t Bink_OpenResource(const char* datei, int32_t nummer, uint32_t* laenge) {
    if (laenge) *laenge = 0;
    const char* wert = Str_Format("res_%d", BINK_RES_NUMMER);
    char name[99] = {};
    Reg_Read_Key_String(REG_PRODUKT_SCHLUESSEL, wert, name, int32_t(sizeof name));
    name[sizeof name - 1] = 0;
    std::string datei_name = name;
    if (datei_name.empty()) {
        Reg_Write_Key_String(REG_PRODUKT_SCHLUESSEL, wert, BINK_RES_DATEI);
        datei_name = datei ? datei : "";
    }
    const int32_t handle = Res_OpenFile(datei_name.c_str());
    if (handle < 0) return -1;
    ResResource r;
    if (!Res_GetResource(&r, handle, nummer, RES_MODUS_HANDLE)) {
        Debug_Printf("Bink_OpenResource: Film %d in %s nicht vorhanden\n", nummer, datei_name.c_str());
        File_Close(handle);
        return -1;
    }
    if (laenge) *laenge = r.laenge;
    return handle;
}

BINK_VIDEO* Bnk_InitV(uintptr_t nummer, const char* datei, int32_t loop_anzahl, int32_t loop_start, int32_t x,
                      int32_t y, uint32_t flags, const char* label, uint8_t eigene_bitmap) {
    BINK_VIDEO* v = nullptr;
    for (BINK_VIDEO& s : g.slot)
        if (s.slot == -1) {
            v = &s;
            break;
        }
    if (!v) {
        Debug_Printf("Bnk_InitV: alle %d Slots belegt\n", BINK_SLOTS);
        return nullptr;
    }
    if (flags != BINK_DATEI && flags != BINK_SPEICHER) {
        Debug_Printf("Bnk_InitV: Flags 0x%x unbekannt\n", flags);
        return nullptr;
    }
    BINK_VIDEO s{};
    s.slot = int32_t(v - g.slot);
    s.x = x;
    s.y = y;
    s.label = label;
    s.loop_anzahl = loop_anzahl;
    s.loops_gespielt = 1;
    s.eigene_bitmap = eigene_bitmap;
    s.stop_am_ende = 1;
    s.pausiert = 1;
    s.flags = flags;
    if (flags == BINK_DATEI) {
        uint32_t laenge = 0;
        const int32_t handle = Bink_OpenResource(datei, int32_t(nummer), &laenge);
        if (handle >= 0) s.video = Film_Oeffnen_Datei(handle, laenge);
        if (!s.video) {
            if (handle >= 0) File_Close(handle);
            Debug_Printf("Bnk_InitV: Film %d nicht zu oeffnen\n", int32_t(nummer));
            return nullptr;
        }
        s.quelle = uintptr_t(handle);
    } else {
        auto* block = reinterpret_cast<const uint8_t*>(nummer);
        s.video = block ? Film_Oeffnen_Speicher(block, Mem_Groesse(block)) : nullptr;
        if (!s.video) {
            Debug_Printf("Bnk_InitV: Film im Speicher nicht zu oeffnen\n");
            return nullptr;
        }
        s.quelle = nummer;
    }
    s.breite = Film_Breite(s.video);
    s.hoehe = Film_Hoehe(s.video);
    // A loop start beyond the film begins each further pass on its last frame.
    s.loop_start = int32_t(std::clamp<int64_t>(int64_t(loop_start) + 1, 1, Film_Bilder(s.video)));
    if (eigene_bitmap)
        s.rastport = Rastport_Create(s.breite, s.hoehe, g.einstellungen.tiefe == 15 ? 15 : 16, 0, 0);
    Film_Pause(s.video, true);
    *v = s;
    return v;
}

bool Bnk_RelV(BINK_VIDEO* v) {
    if (!v || !im_table(v)) {
        Debug_Printf("Bink_ReleaseVideo(...) == NULL\n");
        return false;
    }
    if (!belegt(v)) return true;
    Film_Schliessen(v->video);
    if (v->flags == BINK_DATEI) File_Close(int32_t(v->quelle));
    else Mem_Free(reinterpret_cast<void*>(v->quelle));
    Rastport_Free(v->rastport);
    freigeben(*v);
    return true;
}

bool Bnk_RelAll() {
    for (BINK_VIDEO& v : g.slot) Bnk_RelV(&v);
    return true;
}

bool Bnk_PauseV(BINK_VIDEO* v, bool pause) {
    if (!v || !im_table(v)) return false;
    if (!belegt(v)) return true;
    // The film itself pauses too, so its sound stops and its clock stands;
    // resuming goes on from the same frame.
    Film_Pause(v->video, pause);
    v->pausiert = pause ? 1 : 0;
    v->pause_angefordert = 1;
    return true;
}

bool Bnk_PauseAll(bool pause) {
    for (BINK_VIDEO& v : g.slot)
        if (belegt(&v)) Bnk_PauseV(&v, pause);
    return true;
}

bool Bnk_StopV(BINK_VIDEO* v) {
    if (!v || !im_table(v)) return false;
    if (!belegt(v)) return true;
    Film_Gehe_Zu(v->video, 1);
    Film_Pause(v->video, true);
    v->pause_angefordert = 0;
    v->pausiert = 1;
    return true;
}

void Bnk_DoFrameAll(uint16_t* pixel, int32_t pitch, int32_t hoehe) {
    for (BINK_VIDEO& v : g.slot) {
        if (!belegt(&v)) continue;
        if (!v.pausiert && Film_Faellig(v.video)) {
            Film_Zeigen(v.video);
            if (Film_Bild(v.video) == Film_Bilder(v.video)) {
                if (v.loops_gespielt == v.loop_anzahl && v.stop_am_ende) {
                    v.pausiert = 1;   // it stays on its last frame
                } else if (v.loop_anzahl == 0 || v.loops_gespielt < v.loop_anzahl) {
                    ++v.loops_gespielt;
                    Film_Gehe_Zu(v.video, v.loop_start);
                }
            } else {
                Film_Naechstes(v.video);
            }
        }
        if (!v.pausiert) Bnk_Bild_Kopieren(&v, pixel, pitch, hoehe);
    }
}

void Bnk_Bild_Kopieren(const BINK_VIDEO* v, uint16_t* pixel, int32_t pitch, int32_t hoehe) {
    if (!v || !belegt(v) || !g.einstellungen.kopie) return;
    while (Film_Kopieren(v->video, pixel, pitch, hoehe, v->x, v->y, g.einstellungen.kopie & ~BINK_KOPIE_ALLES)) {
    }
}

int32_t Bnk_GotoV(BINK_VIDEO* v, int32_t bild) {
    if (!belegt(v)) return -1;
    Film_Gehe_Zu(v->video, bild);
    return Film_Bild(v->video);
}

int32_t Bnk_FrameV(const BINK_VIDEO* v) { return belegt(v) ? Film_Bild(v->video) : -1; }

uint8_t Bnk_PauseFlagV(const BINK_VIDEO* v) { return belegt(v) ? v->pause_angefordert : 0; }

const BINK_VIDEO* Bink_Slot(int32_t i) { return i >= 0 && i < BINK_SLOTS ? &g.slot[i] : nullptr; }

BINK_VIDEO* Bink_Slot_Video(int32_t i) { return i >= 0 && i < BINK_SLOTS && g.slot[i].slot >= 0 ? &g.slot[i] : nullptr; }

}  // namespace velmora
