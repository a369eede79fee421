// app/verdrahtung_ansicht.cpp - the composition root's binding of the live
// match views (window only): the match day names its watched records while it
// walks its games, and the views draw them once the walk is done.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/verdrahtung.h"
#include "app/verdrahtung_intern.h"
#include "club/manager.h"
#include "club/team.h"
#include "core/res.h"
#include "gfx/bild.h"
#include "gfx/font.h"
#include "gfx/grafik_laden.h"
#include "gfx/rastport.h"
#include "match/spielfeld.h"
#include "match/spielfeld_satz.h"
#include "match/spieltag_hooks.h"
#include "match/spielfeld_hooks.h"
#include "matchview/matchsound.h"
#include "matchview/radar.h"
#include "matchview/spielansicht.h"

namespace velmora::verdrahtung {

void Binden_Ansicht() {
    SpieltagHooks& h = Spieltag_Hooks();
    Besetzen(h.ansicht_beobachtet, MatchView_Beobachtet, "Spieltag.ansicht_beobachtet");
    Besetzen(h.ansicht_frame, [] { MatchView_Beobachtete_Zeichnen(Spielfeld_Ansicht()); }, "Spieltag.ansicht_frame");
    Besetzen(h.radar_freigeben, Radar_Freigeben, "Spieltag.radar_freigeben");
    SpielfeldHooks& f = Spielfeld_Hooks();
    Besetzen(f.matchsound_play, [](int32_t cue, int32_t loop, int32_t spare, int32_t stufe, int32_t variante) {
        MatchSound_Play(cue, loop != 0, spare, stufe, variante);
    }, "Spielfeld.matchsound_play");
    Besetzen(f.matchsound_update, MatchSound_Update, "Spielfeld.matchsound_update");
    Beim_Abbinden(MatchView_Exit);
}

}  // namespace velmora::verdrahtung

// ---------------------------------------------------------------------------
// The simulator's pictures of a watched match (velmora-sim --view).

namespace velmora {
namespace {

struct SimAnsicht {
    std::vector<uint16_t> schirm = std::vector<uint16_t>(800 * 600, 0);
    int32_t slots[4] = {-1, -1, -1, -1};   // stadion_gfx, rasen_hg, stadion_menue, stadion_sprites
                                           // (the radar: menue_res, wappen)
    bool radar = false;
    int32_t font_slot = -1;
    void (*bild)(const uint16_t*, int32_t, int32_t, uint32_t) = nullptr;
    uint32_t spiel = 0;
    int32_t minute = -1;
    int32_t (*res_slot_vorher)(int32_t) = nullptr;
};
SimAnsicht* g_sim = nullptr;

// The first live record of a human club.
Spielfeld_Satz* Sim_Spiel() {
    for (Spielfeld_Satz* s = Spielfeld_Naechster(nullptr); s; s = Spielfeld_Naechster(s)) {
        if (s->live != 1) continue;
        for (uint32_t t : s->team)
            if (int32_t(t) >= 0 && int32_t(t) < Team_Anzahl() && Team_Hat_Manager(int32_t(t))) return s;
    }
    return nullptr;
}

void Sim_Frame() {
    Spielfeld_Satz* s = Sim_Spiel();
    if (!s || !g_sim) return;
    if (g_sim->radar) {
        if (!Radar_Zeichnen(*s, Rastport_Screen(), -100, -100)) return;
    } else if (!MatchView_Frame(&s, 1, Spielfeld_Ansicht(), false)) {
        return;
    }
    if (s->spiel == g_sim->spiel && s->minute == g_sim->minute) return;
    g_sim->spiel = s->spiel;
    g_sim->minute = s->minute;
    g_sim->bild(g_sim->schirm.data(), 800, 600, s->spiel * 1000u + uint32_t(std::max<int16_t>(s->minute, 0)));
}

bool Sim_Einrichten(const std::string& resfile, void (*bild)(const uint16_t*, int32_t, int32_t, uint32_t),
                    std::string* fehler, bool radar) {
    auto f = std::make_unique<SimAnsicht>();
    f->bild = bild;
    f->radar = radar;
    const char* ansicht[4] = {"stadion_gfx.res", "rasen_hg.res", "stadion_menue.res", "stadion_sprites.res"};
    const char* radar_namen[2] = {"menue_res.res", "wappen.res"};
    const char* const* namen = radar ? radar_namen : ansicht;
    for (int32_t i = 0; i < (radar ? 2 : 4); ++i) {
        f->slots[i] = Res_Open((resfile + "/" + namen[i]).c_str(), 0);
        if (f->slots[i] < 0) {
            *fehler = resfile + "/" + namen[i] + ": not a resource file";
            return false;
        }
    }
    f->font_slot = Res_Open((resfile + "/fontres.res").c_str(), 0);
    Res_Loader_Hooks().bitmap = Grafik_Bitmap_Laden;
    Res_Loader_Hooks().font = [](const uint8_t* d, size_t n, int32_t tiefe) -> void* { return Font_Res_Laden(d, n, tiefe); };
    Rastport_Screen_Setup(800, 600, f->schirm.data());
    if (f->font_slot < 0 || Font_Load_Set(f->font_slot, 0, FONT_SET_ANZAHL) != 1) {
        *fehler = resfile + "/fontres.res: the fonts cannot be loaded";
        return false;
    }
    g_sim = f.release();
    g_sim->res_slot_vorher = Bild_Hooks().res_slot;
    if (radar) {
        Bild_Hooks().res_slot = [](int32_t i) {
            return i == RADAR_RES_DATEI ? g_sim->slots[0] : i == BILD_RES_WAPPEN ? g_sim->slots[1] : -1;
        };
        Spieltag_Hooks().ansicht_frame = Sim_Frame;
        return true;
    }
    Bild_Hooks().res_slot = [](int32_t i) {
        return i == 12   ? g_sim->slots[0]
               : i == 13 ? g_sim->slots[1]
               : i == 19 ? g_sim->slots[2]
               : i == 17 ? g_sim->slots[3]
                         : -1;
    };
    Spieltag_Hooks().ansicht_frame = Sim_Frame;
    if (!MatchView_Init()) {
        *fehler = resfile + "/stadion_gfx.res: the figure frames are damaged";
        return false;
    }
    return true;
}

}  // namespace

bool Ansicht_Sim_Einrichten(const std::string& resfile, void (*bild)(const uint16_t*, int32_t, int32_t, uint32_t),
                            std::string* fehler) {
    return Sim_Einrichten(resfile, bild, fehler, false);
}

bool Radar_Sim_Einrichten(const std::string& resfile, void (*bild)(const uint16_t*, int32_t, int32_t, uint32_t),
                          std::string* fehler) {
    return Sim_Einrichten(resfile, bild, fehler, true);
}

void Ansicht_Sim_Beenden() {
    if (!g_sim) return;
    if (g_sim->radar) Radar_Freigeben();
    else MatchView_Exit();
    Spieltag_Hooks().ansicht_frame = nullptr;
    Bild_Hooks().res_slot = g_sim->res_slot_vorher;
    Font_Free_Set();
    for (int32_t& s : g_sim->slots) s = s >= 0 ? Res_Close(s) : -1;
    if (g_sim->font_slot >= 0) Res_Close(g_sim->font_slot);
    Rastport_Screen_Setup(0, 0, nullptr);
    delete g_sim;
    g_sim = nullptr;
}

}  // namespace velmora
