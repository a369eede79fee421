// app/verdrahtung_ansicht.cpp - the composition root's binding of the live
// match views (window only): the match day names its watched records while it
// walks its games, and the views draw them once the walk is done.
#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/verdrahtung.h"
#include "app/verdrahtung_intern.h"
#include "club/manager.h"
#include "club/team.h"
#include "core/prioritaeten.h"
#include "core/res.h"
#include "core/stoppuhr.h"
#include "gfx/bild.h"
#include "gfx/font.h"
#include "gfx/grafik_laden.h"
#include "gfx/rastport.h"
#include "gui/menue.h"
#include "match/day/spieltag_hooks.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_anzeige.h"
#include "match/record/spielfeld_hooks.h"
#include "match/record/spielfeld_satz.h"
#include "matchview/ansicht_zufall.h"
#include "matchview/kommentar.h"
#include "matchview/matchsound.h"
#include "matchview/radar.h"
#include "matchview/spielansicht.h"
#include "matchview/spielansicht_ersatz.h"
#include "screens/einwechseln.h"
#include "screens/menue_optionen.h"
#include "screens/menue_panel.h"
#include "screens/regler.h"
#include "season/kalender.h"

namespace velmora::verdrahtung {

namespace {
// The player list and the sliders over the live view.
void Panels_Schliessen() {
    if (Screen_Spielerliste_Offen()) Screen_Spielerliste_Schliessen();
    if (Screen_Regler_Offen()) Screen_Regler_Schliessen();
}
}  // namespace

void Binden_Ansicht() {
    // The match day's walk ends with the view step; the views draw the watched
    // games, the shown one from the display ring's copy, and name the main one.
    Besetzen(Spieltag_Hooks().ansicht_frame, Spielfeld_Anzeige_Frame, "Spieltag.ansicht_frame");
    SpielfeldAnsichtHooks& a = Spielfeld_Ansicht_Hooks();
    // After the views the option bar under them and the menu frame: the bar's
    // icons and the panels they open lie over the drawn views and take the clicks.
    Besetzen(a.frame,
             [](const int32_t* spiele, int32_t anzahl, Spielfeld_Ansicht_Einstellung* anzeige) {
                 if (!anzeige || !MatchView_Spiele_Zeichnen(spiele, anzahl, *anzeige)) return false;
                 Menue_Optionen_Screen();
                 Menue_Frame();
                 return true;
             },
             "Spielfeld.ansicht_frame");
    Besetzen(a.current, MatchView_Aktuelles_Spiel, "Spielfeld.ansicht_current");
    // A watched diced match takes a minute every 600 ms while its view shows
    // the stand-in play; FAST skips the wait.
    Besetzen(Spieltag_Hooks().wuerfel_warten,
             [](Spielfeld_Satz* satz) { return !Spielfeld_Get_Fast() && Spielansicht_Ersatz_Warten(satz, Zeit_Ms()); },
             "Spieltag.wuerfel_warten");
    SpieltagHooks& h = Spieltag_Hooks();
    // The ticker hears every event of a watched match as it happens.
    Besetzen(Spielfeld_Hooks().kommentar,
             [](const Spielfeld_Satz* satz) {
                 const std::string satz_text = Kommentar_Satz(*satz);
                 if (!satz_text.empty()) Ticker_Add_Line(satz->spiel, satz_text.c_str());
             },
             "Spielfeld.kommentar");
    // The panels over the live view: option icons 721 and 722, the shown
    // record, the views' own generator for a substitute's touchline point,
    // and the views' click choosing the club the panels show.
    MenuePanelHooks& p = Menue_Panel_Hooks();
    Besetzen(p.spielerliste_oeffnen, Screen_Spielerliste_Oeffnen, "MenuePanel.spielerliste_oeffnen");
    Besetzen(p.spielerliste_schliessen, Screen_Spielerliste_Schliessen, "MenuePanel.spielerliste_schliessen");
    Besetzen(p.regler_oeffnen, Screen_Regler_Oeffnen, "MenuePanel.regler_oeffnen");
    Besetzen(p.regler_schliessen, Screen_Regler_Schliessen, "MenuePanel.regler_schliessen");
    // The option bar's pause and fast icons (717, 718) set the live view's
    // flags, which the match's frame and the display's clock read.
    Besetzen(p.set_pause, Spielfeld_Set_Pause, "MenuePanel.set_pause");
    Besetzen(p.set_fast, Spielfeld_Set_Fast, "MenuePanel.set_fast");
    EinwechselnHooks& l = Einwechseln_Hooks();
    Besetzen(l.satz, MatchView_Current, "Einwechseln.satz");
    Besetzen(l.zufall, [](int32_t a, int32_t b) { return Ansicht_Zufall(a, b); }, "Einwechseln.zufall");
    Besetzen(MatchView_Hooks().team_wechseln, Screen_Team_Wechseln, "MatchView.team_wechseln");
    // A switch of the panel's club recolours the names on the score plates.
    Besetzen(l.namen_neu, MatchView_Name_Plates, "Einwechseln.namen_neu");
    // A press on the option bar or on a panel over the view belongs to the
    // icon: the view under it does not take the click as well.
    Besetzen(MatchView_Hooks().maus_ueber_icon, Menue_Maus_Ueber_Icon, "MatchView.maus_ueber_icon");
    Beim_Abbinden(Panels_Schliessen);
    // A waiting client's match gives the screen back: its panels close with it.
    Abonnieren(Kalender_Hooks().client_spiel_zeigt, "Kalender.client_spiel_zeigt", prio::CLIENT_SPIEL_PANELS,
               [](int32_t an) {
                   if (!an) Panels_Schliessen();
               });
    Besetzen(h.radar_freigeben, Radar_Freigeben, "Spieltag.radar_freigeben");
    // A client's re-fetched record replaces the one the views were handed.
    Besetzen(h.satz_ersetzt, MatchView_Check_Update, "Spieltag.satz_ersetzt");
    SpielfeldHooks& f = Spielfeld_Hooks();
    Besetzen(f.matchsound_play, [](int32_t cue, int32_t loop, int32_t spare, int32_t stufe, int32_t variante) {
        MatchSound_Play(cue, loop != 0, spare, stufe, variante);
    }, "Spielfeld.matchsound_play");
    Besetzen(f.matchsound_update, MatchSound_Update, "Spielfeld.matchsound_update");
    Beim_Abbinden(MatchView_Exit);
}

}  // namespace velmora::verdrahtung

// ---------------------------------------------------------------------------
// The simulator's pictures of a watched match (velmora-sim --view, --radar):
// module "SimAnsicht", bound on request after the game's binding, so its
// hooks carry the root's owner record and its undo steps close what it opened.

namespace velmora {
namespace {

// What Ansicht_Sim_Einrichten asks for, read by the binding.
struct SimAnfrage {
    std::string resfile;
    void (*bild)(const uint16_t*, int32_t, int32_t, uint32_t) = nullptr;
    bool radar = false;
};
SimAnfrage g_anfrage;

struct SimAnsicht {
    std::vector<uint16_t> schirm = std::vector<uint16_t>(800 * 600, 0);
    int32_t slots[4] = {-1, -1, -1, -1};   // stadion_gfx, rasen_hg, stadion_menue, stadion_sprites
                                           // (the radar: menue_res, wappen)
    bool radar = false;
    void (*bild)(const uint16_t*, int32_t, int32_t, uint32_t) = nullptr;
    uint32_t spiel = 0;
    int32_t minute = -1;
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

// Opens a resource file; each one opened is closed when the module is unbound.
int32_t Oeffnen(const std::string& pfad) {
    const int32_t slot = Res_Open(pfad.c_str(), 0);
    if (slot >= 0) verdrahtung::Beim_Abbinden([slot] { Res_Close(slot); });
    return slot;
}

bool Sim_Einrichten(const std::string& resfile, void (*bild)(const uint16_t*, int32_t, int32_t, uint32_t),
                    std::string* fehler, bool radar) {
    g_anfrage = SimAnfrage{resfile, bild, radar};
    const bool ok = Verdrahtung_Modul_Binden("SimAnsicht", fehler);
    g_anfrage = SimAnfrage{};
    return ok;
}

}  // namespace

namespace verdrahtung {

void Binden_Sim_Ansicht() {
    if (!g_anfrage.bild) return;   // bound with nothing asked for: no pictures
    const std::string& resfile = g_anfrage.resfile;
    const bool radar = g_anfrage.radar;
    const char* ansicht[4] = {"stadion_gfx.res", "rasen_hg.res", "stadion_menue.res", "stadion_sprites.res"};
    const char* radar_namen[2] = {"menue_res.res", "wappen.res"};
    const char* const* namen = radar ? radar_namen : ansicht;
    int32_t slots[4] = {-1, -1, -1, -1};
    for (int32_t i = 0; i < (radar ? 2 : 4); ++i) {
        slots[i] = Oeffnen(resfile + "/" + namen[i]);
        if (slots[i] < 0) return Fehler(resfile + "/" + namen[i] + ": not a resource file");
    }
    const int32_t font_slot = Oeffnen(resfile + "/fontres.res");
    Besetzen(Res_Loader_Hooks().bitmap, Grafik_Bitmap_Laden, "ResLoader.bitmap");
    Besetzen(Res_Loader_Hooks().font,
             [](const uint8_t* d, size_t n, int32_t tiefe) -> void* { return Font_Res_Laden(d, n, tiefe); },
             "ResLoader.font");
    auto* f = new SimAnsicht;
    Beim_Abbinden([f] {
        if (g_sim == f) g_sim = nullptr;
        delete f;
    });
    f->bild = g_anfrage.bild;
    f->radar = radar;
    std::copy(std::begin(slots), std::end(slots), f->slots);
    Rastport_Screen_Setup(800, 600, f->schirm.data());
    Beim_Abbinden([] { Rastport_Screen_Setup(0, 0, nullptr); });
    if (font_slot < 0 || Font_Load_Set(font_slot, 0, FONT_SET_ANZAHL) != 1)
        return Fehler(resfile + "/fontres.res: the fonts cannot be loaded");
    Beim_Abbinden(Font_Free_Set);
    g_sim = f;
    if (radar) {
        Besetzen(Bild_Hooks().res_slot,
                 [](int32_t i) { return i == RADAR_RES_DATEI ? g_sim->slots[0] : i == BILD_RES_WAPPEN ? g_sim->slots[1] : -1; },
                 "Bild.res_slot");
        Besetzen(Spieltag_Hooks().ansicht_frame, Sim_Frame, "Spieltag.ansicht_frame");
        Beim_Abbinden(Radar_Freigeben);
        return;
    }
    Besetzen(Bild_Hooks().res_slot,
             [](int32_t i) {
                 return i == 12   ? g_sim->slots[0]
                        : i == 13 ? g_sim->slots[1]
                        : i == 19 ? g_sim->slots[2]
                        : i == 17 ? g_sim->slots[3]
                                  : -1;
             },
             "Bild.res_slot");
    Besetzen(Spieltag_Hooks().ansicht_frame, Sim_Frame, "Spieltag.ansicht_frame");
    // The views' art is let go whether or not it loaded whole.
    Beim_Abbinden(MatchView_Exit);
    if (!MatchView_Init()) Fehler(resfile + "/stadion_gfx.res: the figure frames are damaged");
}

}  // namespace verdrahtung

bool Ansicht_Sim_Einrichten(const std::string& resfile, void (*bild)(const uint16_t*, int32_t, int32_t, uint32_t),
                            std::string* fehler) {
    return Sim_Einrichten(resfile, bild, fehler, false);
}

bool Radar_Sim_Einrichten(const std::string& resfile, void (*bild)(const uint16_t*, int32_t, int32_t, uint32_t),
                          std::string* fehler) {
    return Sim_Einrichten(resfile, bild, fehler, true);
}

void Ansicht_Sim_Beenden() { Verdrahtung_Modul_Abbinden("SimAnsicht"); }

}  // namespace velmora
