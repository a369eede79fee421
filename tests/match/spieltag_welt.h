// tests/match/spieltag_welt.h - a generated demo world with its competitions
// and fixtures for the match-day tests and benchmark, and a stand-in for the
// calendar's answer to "who plays today": every competition plays its
// current round, the first leg that still has unplayed games.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/verdrahtung.h"
#include "club/club_config.h"
#include "club/global_config.h"
#include "club/kader_hooks.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/weltgen.h"
#include "core/config.h"
#include "core/dirs.h"
#include "core/reg.h"
#include "core/rnd.h"
#include "match/day/spieltag.h"
#include "match/day/spieltag_hooks.h"
#include "season/saison.h"
#include "season/spiele.h"
#include "season/spielplan.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"

namespace velmora::test {

inline bool Runde_Offen(const WettbewerbSatz& s) {
    return s.art != ART_FREUNDSCHAFT && s.aktuelle_runde >= 1 && s.aktuelle_runde <= s.spieltage;
}

// The leg of the current round that is due: the first with an unplayed game, -1 none.
inline int32_t Faelliges_Leg(const WettbewerbSatz& s) {
    for (int32_t leg = 0; leg < 2; ++leg)
        for (int32_t p = 0;; ++p) {
            Spiel_Lock h = Spiele_Lock(s.id, s.aktuelle_runde, p, leg);
            if (!h) break;
            bool offen = !(Spiele_Get_Spiel(h, 1)->flags & SPIEL_FLAG_GESPIELT);
            Spiele_Unlock(h);
            if (offen) return leg;
        }
    return -1;
}

inline int32_t Heute_Wettbewerbe(int32_t* out, int32_t max) {
    int32_t n = 0;
    for (int32_t id : Wettbewerb_Alle()) {
        const WettbewerbSatz* s = Wettbewerb_Satz(id);
        if (n < max && Runde_Offen(*s) && Faelliges_Leg(*s) >= 0) out[n++] = id;
    }
    return n;
}

inline int32_t Heute_Spiele(int32_t w, int32_t* out, int32_t max) {
    const WettbewerbSatz* s = Wettbewerb_Satz(w);
    if (!s || !Runde_Offen(*s)) return 0;
    int32_t leg = Faelliges_Leg(*s), n = 0;
    for (int32_t p = 0; leg >= 0 && n < max; ++p) {
        Spiel_Lock h = Spiele_Lock(w, s->aktuelle_runde, p, leg);
        if (!h) break;
        if (Spiele_Get_Spiel(h, 1)->flags & SPIEL_FLAG_GESPIELT) Spiele_Unlock(h);
        else out[n++] = h;
    }
    return n;
}

// A fresh directory `name` under the temporary directory with an empty
// installation, the settings and the user directory in it; the game's
// directories point there. Gives the installation's path.
inline std::string Leere_Installation(const char* name) {
    const std::string basis = (std::filesystem::temp_directory_path() / name).string();
    std::filesystem::remove_all(basis);
    std::filesystem::create_directories(basis + "/install/config");
    std::filesystem::create_directories(basis + "/install/resfile");
    setenv("XDG_CONFIG_HOME", (basis + "/settings").c_str(), 1);
    Reg_Write_String("Work_dir", (basis + "/install").c_str());
    Reg_Write_String("USER_DIR", (basis + "/user").c_str());
    Dirs_Init();
    return basis + "/install";
}

// Generates a world (`klein`: 2 countries of 2 leagues of 10 clubs), reads it
// back through the game's readers, makes the first fixtures and binds the
// match simulation, answering "who plays today" with the stand-in above. False when a step failed.
inline bool Spieltag_Welt_Bauen(const std::string& install, bool klein, uint32_t seed) {
    Kader_Hooks() = KaderHooks{};
    Rnd_Init();
    Config_Satz_Setzen(0);
    Verdrahtung_Weltgen();
    WeltgenOptionen o;
    o.seed = seed;
    o.klein = klein;
    WeltgenWelt welt;
    if (!Weltgen_Erzeugen(o, welt) || !Weltgen_Schreiben(welt, install)) return false;
    Spieler_Free();
    Team_Free(0);
    uint8_t vollstaendig = 0;
    if (!Global_Config_Lesen() || !Team(0) || !Spieler(0, &vollstaendig)) return false;
    Rnd_Init();
    Spiele_Init();
    if (!Wettbewerb_Config_Laden() || !Wettbewerb_Saison_Start()) return false;
    VerdrahtungOptionen v;
    v.nur = {"Spielfeld", "Spieltag"};
    if (!Spiel_Verdrahten(v)) return false;
    SpieltagHooks& h = Spieltag_Hooks();
    h.heute_spielende_wettbewerbe = Heute_Wettbewerbe;
    h.heutige_spiele = Heute_Spiele;
    return Spieltag_Init();
}

inline void Spieltag_Welt_Ende() {
    Spieltag_Slots_Loeschen();
    Spiel_Entdrahten();
    Spieltag_Hooks() = SpieltagHooks{};
    Saison_Free();
    Tabelle_Free();
    Wettbewerb_Free();
    Spiele_Free();
    Team_Free(0);
    Spieler_Free();
}

// Plays match days until no competition has a round left; the days played.
inline int32_t Saison_Spielen(int32_t max_tage = 400) {
    int32_t tage = 0;
    while (tage < max_tage && Spieltag_Alle_Spielen()) ++tage;
    return tage;
}

}  // namespace velmora::test
