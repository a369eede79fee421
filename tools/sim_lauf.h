// tools/sim_lauf.h - a game without a screen: the calendar driven frame by
// frame from a new game (or a loaded one) of a generated world, every club
// computer-managed or given human managers that always end their turn at
// once, with results from the stand-in match day (tools/ersatz_spieltag.h).
// Used by velmora-sim, the headless program, the calendar tests and the
// benchmark.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/weltgen.h"
#include "core/optionen.h"
#include "core/programm.h"
#include "core/rnd.h"
#include "season/kalender.h"
#include "season/rangliste.h"
#include "season/saison.h"
#include "season/season_anbindung.h"
#include "season/spielstart.h"
#include "season/statistik.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "tools/ersatz_spieltag.h"

namespace velmora::sim {

struct SimOptionen {
    uint32_t seed = 1;          // the game's random index (fixtures, results)
    int32_t menschen = 0;       // human managers on the first clubs that play in a league
    int32_t laden = -1;         // a save slot to start from instead of a new game
    bool autosave = true;
    // The match day that plays the games: the game's own (wired to the
    // calendar's hooks before Sim_Anbinden) or the stand-in of the calendar tests.
    bool echter_spieltag = false;
    // Runs once the world of a new game is built (the stadiums and advertising of the clubs).
    void (*nach_welt_aufbau)() = nullptr;
};

struct SimZustand {
    SimOptionen optionen;
    bool laden_angefordert = false;
    bool fehler = false;
    int64_t frames = 0;
};
inline SimZustand& Sim() {
    static SimZustand s;
    return s;
}

// Writes a generated world (the club files, wettbewerb.cfg and zeitplan.cfg) into `install`/config.
inline bool Sim_Welt_Erzeugen(const std::string& install, bool klein, uint32_t seed) {
    Rnd_Init();
    Weltgen_Wettbewerbe_Setzen(Season_Weltgen_Wettbewerbe);
    WeltgenOptionen o;
    o.klein = klein;
    o.seed = seed;
    WeltgenWelt welt;
    bool ok = Weltgen_Erzeugen(o, welt) && Weltgen_Schreiben(welt, install);
    Team_Free(0);
    Spieler_Free();
    return ok;
}

// The start screens' part: builds the new game (or asks for the load) on the first frame.
inline bool Sim_Spielstart() {
    SimZustand& s = Sim();
    if (Spielstart_Spiel_Laeuft()) return true;
    if (s.optionen.laden >= 0) {
        if (!s.laden_angefordert) K_NEUER_TAG(K_LADEN, s.optionen.laden);
        else s.fehler = true;   // the load of the frame before failed
        s.laden_angefordert = true;
        return false;
    }
    Rnd_Init();
    Rnd_Set_Index(int32_t(s.optionen.seed % RND_TABELLE), 0);
    if (!Spielstart_Welt_Aufbauen()) {
        s.fehler = true;
        return false;
    }
    int32_t menschen = 0;
    for (int32_t t = 0; t < Team_Anzahl() && menschen < s.optionen.menschen; ++t) {
        if (Team_Get_Liga(t, 1) < 0) continue;
        std::string name = "Mensch " + std::to_string(menschen + 1);
        if (Manager_Neuer_Mitspieler(t, name.c_str(), -1)) ++menschen;
    }
    if (s.optionen.nach_welt_aufbau) s.optionen.nach_welt_aufbau();
    Team_Spielstand_Setzen(1, 2);
    return true;
}

// The calendar's hooks for a game without a screen.
inline void Sim_Anbinden(const SimOptionen& optionen) {
    Sim() = SimZustand{};
    Sim().optionen = optionen;
    Optionen_Standard();
    Optionen(OPTION_AUTOSAVE, 1, optionen.autosave ? 1 : 0);
    KalenderHooks& h = Kalender_Hooks();
    auto start = h.spieltag_start;
    auto frame = h.spieltag_frame;
    auto saisonwechsel = h.vor_saisonwechsel;
    h = KalenderHooks{};
    if (optionen.echter_spieltag) {
        h.spieltag_start = start;
        h.spieltag_frame = frame;
        h.vor_saisonwechsel = saisonwechsel;
    } else {
        ersatz::Anbinden(h);
    }
    h.spielstart_frame = Sim_Spielstart;
    h.menue_frame = [] { K_NEUER_TAG(K_FERTIG, 0); };   // every human manager ends his turn at once
}

// Runs frames until the game has reached day `bis` (false on an error or
// when the game does not get there within a generous frame budget).
inline bool Sim_Bis_Tag(int32_t bis) {
    SimZustand& s = Sim();
    int64_t budget = int64_t(std::max(bis, 1)) * 64 + 256;
    while (!s.fehler && budget-- > 0) {
        if (Kalender_Get_Runmodus() == KALENDER_TAG_START && Tag_Index() >= bis) return true;
        Kalender_Main();
        ++s.frames;
        if (Kalender_Get_Runmodus() == KALENDER_AUS) return false;
    }
    return false;
}

// Ends the program the orderly way: the quit request and the calendar's shutdown.
inline void Sim_Beenden() {
    Programm_Beenden_Anfordern();
    Kalender_Main();
    Quit_State_Setzen(0);
    Kalender_Zuruecksetzen();
}

// The state of the game as text: date, tables, cup progress, the ranking's top ten and the top scorers.
inline std::string Sim_Bericht() {
    std::string out;
    char zeile[256];
    auto add = [&](const char* text) { out += text; };
    std::snprintf(zeile, sizeof zeile, "Tag %d: %s\n", Tag_Index(), Kalender_Tag_Text(-1, 0));
    add(zeile);
    for (int32_t id : Wettbewerb_Alle()) {
        const WettbewerbSatz* w = Wettbewerb_Satz(id);
        if (w->art == ART_FREUNDSCHAFT) continue;
        std::snprintf(zeile, sizeof zeile, "\n%s (%d)\n", Wettbewerb_Get_Landespokal(id, 0, 0), id);
        add(zeile);
        if (Wettbewerb_Ist_Liga(id)) {
            TabellenPuffer t;
            int32_t n = Wettbewerb_Tabelle_Vorbereiten(id, &t);
            for (int32_t p = 0; p < n; ++p) {
                const TabellenZeile& z = t.zeile[t.reihenfolge[p]];
                std::snprintf(zeile, sizeof zeile, "%3d. %-28s %3d %3d %3d %3d %4d:%-4d %4d\n", p + 1,
                              Team_String(0, z.team, 0, 0), z.spiele[0], z.siege[0], z.unentschieden[0],
                              z.niederlagen[0], z.tore[0], z.gegentore[0], z.punkte[0]);
                add(zeile);
            }
        } else {
            std::snprintf(zeile, sizeof zeile, "  Runde %d von %d, Sieger: %s\n", w->aktuelle_runde, w->spieltage,
                          w->sieger >= 0 ? Team_String(0, w->sieger, 0, 0) : "-");
            add(zeile);
        }
    }
    add("\nRangliste\n");
    RanglisteSatz top[10];
    for (int32_t i = 0, n = Rangliste_Top10(top); i < n; ++i) {
        std::snprintf(zeile, sizeof zeile, "%3d. %-28s %6d %6d %6d %3d\n", i + 1, Team_String(0, top[i].team, 0, 0),
                      top[i].gesamt, top[i].wert[0], top[i].wert[1], top[i].titel_anzahl);
        add(zeile);
    }
    add("\nTorschuetzen\n");
    std::vector<int32_t> spieler(size_t(std::max(Spieler_Anzahl(), 0)));
    for (size_t i = 0; i < spieler.size(); ++i) spieler[i] = int32_t(i);
    std::stable_sort(spieler.begin(), spieler.end(), [](int32_t a, int32_t b) {
        return Spieler_Get_Spieler_Statistik(STATISTIK_TORE, a, 0) > Spieler_Get_Spieler_Statistik(STATISTIK_TORE, b, 0);
    });
    for (size_t i = 0; i < std::min<size_t>(5, spieler.size()); ++i) {
        int32_t p = spieler[i];
        std::snprintf(zeile, sizeof zeile, "%3zu. %-28s %3d Tore %3d Spiele\n", i + 1, Spieler_String(505, p, 0, 0),
                      Spieler_Get_Spieler_Statistik(STATISTIK_TORE, p, 0),
                      Spieler_Get_Spieler_Statistik(STATISTIK_SPIELE, p, 0));
        add(zeile);
    }
    std::snprintf(zeile, sizeof zeile, "\nTitel: %d\n", Saison_Titel_Anzahl());
    add(zeile);
    return out;
}

// A short summary: the date, each league's leader and the ranking's first club.
inline std::string Sim_Kurzbericht() {
    std::string out;
    char zeile[256];
    std::snprintf(zeile, sizeof zeile, "Tag %d: %s\n", Tag_Index(), Kalender_Tag_Text(-1, 0));
    out += zeile;
    for (int32_t id : Wettbewerb_Alle()) {
        const WettbewerbSatz* w = Wettbewerb_Satz(id);
        TabellenPuffer t;
        if (w->art != ART_LIGA || w->liga_oben >= 0 || Wettbewerb_Tabelle_Vorbereiten(id, &t) <= 0) continue;
        const TabellenZeile& z = t.zeile[t.reihenfolge[0]];
        std::snprintf(zeile, sizeof zeile, "  %-28s %-28s %3d Pkt. nach %d Spielen\n", Wettbewerb_Get_Landespokal(id, 0, 0),
                      Team_String(0, z.team, 0, 0), z.punkte[0], z.spiele[0]);
        out += zeile;
    }
    RanglisteSatz top[10];
    if (Rangliste_Top10(top) > 0) {
        std::snprintf(zeile, sizeof zeile, "  Rangliste: %s (%d)\n", Team_String(0, top[0].team, 0, 0), top[0].gesamt);
        out += zeile;
    }
    return out;
}

}  // namespace velmora::sim
