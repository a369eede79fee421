// match/record/spielfeld_hooks.cpp
#include "match/record/spielfeld_hooks.h"

#include <random>

#include "core/debug.h"

namespace velmora {
namespace {
struct HookModul {
    SpielfeldHooks hooks;
    // One note per unfilled hook, so a frequent question does not flood the log.
    bool gemeldet[16] = {};
    std::mt19937 zufall{};
};
HookModul g;

void Fehlt(int32_t nr, const char* name) {
    if (nr < 0 || nr >= 16 || g.gemeldet[nr]) return;
    g.gemeldet[nr] = true;
    Debug_Printf("Spielfeld: %s nicht angebunden, neutraler Wert\n", name);
}
}  // namespace

SpielfeldHooks& Spielfeld_Hooks() { return g.hooks; }

bool Spielfeld_Hook_Spiel(int32_t spiel, SpielfeldSpiel* out) {
    if (!g.hooks.spiel) {
        Fehlt(0, "Spiele_Get_Spiel");
        return false;
    }
    return out && g.hooks.spiel(spiel, out);
}

int32_t Spielfeld_Hook_Schalter(int32_t wettbewerb, int32_t schalter) {
    if (!g.hooks.wettbewerb_schalter) {
        Fehlt(1, "Wettbewerb_Get_Schalter");
        return 0;
    }
    return g.hooks.wettbewerb_schalter(wettbewerb, schalter);
}

int32_t Spielfeld_Hook_Wichtigkeit(int32_t wettbewerb) {
    if (!g.hooks.wettbewerb_wichtigkeit) {
        Fehlt(2, "Wettbewerb_Spiel_Wichtigkeit");
        return 0;
    }
    return g.hooks.wettbewerb_wichtigkeit(wettbewerb);
}

bool Spielfeld_Hook_International(int32_t wettbewerb) {
    if (!g.hooks.wettbewerb_international) {
        Fehlt(3, "Wettbewerb_Ist_International");
        return false;
    }
    return g.hooks.wettbewerb_international(wettbewerb);
}

bool Spielfeld_Hook_Heimrecht(int32_t wettbewerb) {
    if (!g.hooks.wettbewerb_heimrecht) {
        Fehlt(4, "Wettbewerb_Hat_Heimrecht");
        return true;
    }
    return g.hooks.wettbewerb_heimrecht(wettbewerb);
}

bool Spielfeld_Hook_Info(int32_t wettbewerb, int8_t* erstes_byte, uint32_t* modus) {
    int8_t b = 0;
    uint32_t m = 0;
    bool da = false;
    if (!g.hooks.wettbewerb_info) Fehlt(5, "Wettbewerb_Get_Info");
    else da = g.hooks.wettbewerb_info(wettbewerb, &b, &m);
    if (erstes_byte) *erstes_byte = da ? b : -1;
    if (modus) *modus = da ? m : 0;
    return da;
}

bool Spielfeld_Hook_Taktik(int32_t team, int8_t out[7]) {
    if (!g.hooks.team_taktik) {
        Fehlt(6, "Team_Get_Aktuelle_Taktik");
        return false;
    }
    return g.hooks.team_taktik(team, out);
}

int32_t Spielfeld_Hook_Schwierigkeit() {
    if (!g.hooks.schwierigkeit) {
        Fehlt(7, "Spiel_Schwierigkeit");
        return 1;
    }
    return g.hooks.schwierigkeit();
}

int32_t Spielfeld_Hook_Positionsstaerke(const Spielfeld_Satz* satz, int32_t team, int32_t spieler, int32_t linie_x) {
    if (!g.hooks.positionsstaerke) {
        Fehlt(8, "Spieler_Positionsstaerke");
        return 0;
    }
    return g.hooks.positionsstaerke(satz, team, spieler, linie_x);
}

bool Spielfeld_Hook_Attribut(int32_t spieler, int32_t attribut) {
    if (!g.hooks.attribut_aktiv) {
        Fehlt(9, "Attribute_Attribut_Aktief");
        return false;
    }
    return g.hooks.attribut_aktiv(spieler, attribut);
}

bool Spielfeld_Hook_Attribute_Maske(int32_t spieler, uint64_t* maske) {
    return g.hooks.attribute_maske && maske && g.hooks.attribute_maske(spieler, maske);
}

int32_t Spielfeld_Hook_Netz_Modus() { return g.hooks.netz_modus ? g.hooks.netz_modus() : 0; }

int32_t Spielfeld_Hook_Zufall(int32_t a, int32_t b) {
    if (g.hooks.zufall_bereich) return g.hooks.zufall_bereich(a, b);
    if (b <= a) return a;
    const uint64_t spanne = uint64_t(int64_t(b) - int64_t(a)) + 1;
    return int32_t(int64_t(a) + int64_t(uint64_t(g.zufall()) % spanne));
}

void Spielfeld_Zufall_Starten() { g.zufall.seed(1); }

void Spielfeld_Hook_Ankuendigung() {
    if (g.hooks.ankuendigung_flags) g.hooks.ankuendigung_flags();
}

void Spielfeld_Hook_Sound_Play(int32_t zeile, int32_t flag, int32_t lautstaerke, int32_t stufe, int32_t variante) {
    if (g.hooks.matchsound_play) g.hooks.matchsound_play(zeile, flag, lautstaerke, stufe, variante);
}

void Spielfeld_Hook_Sound_Update(int32_t art, int32_t stufe) {
    if (g.hooks.matchsound_update) g.hooks.matchsound_update(art, stufe);
}

void Spielfeld_Hook_Optionen_Standard() {
    if (!g.hooks.menue_optionen_standard) {
        Fehlt(10, "Menue_Optionen_Standard");
        return;
    }
    g.hooks.menue_optionen_standard();
}

void Spielfeld_Hook_Ansicht_Tor(Spielfeld_Satz* satz) {
    if (g.hooks.ansicht_tor) g.hooks.ansicht_tor(satz);
}

void Spielfeld_Hook_Kommentar(const Spielfeld_Satz* satz) {
    if (g.hooks.kommentar) g.hooks.kommentar(satz);
}

}  // namespace velmora
