// match/day/spieltag_hooks.cpp
#include "match/day/spieltag_hooks.h"

#include "core/debug.h"
#include "core/str.h"

namespace velmora {
namespace {
struct HookModul {
    SpieltagHooks hooks;
    // One note per unfilled hook, so a question asked every frame does not flood the log.
    bool gemeldet[16] = {};
};
HookModul g;

void Fehlt(int32_t nr, const char* name) {
    if (nr < 0 || nr >= 16 || g.gemeldet[nr]) return;
    g.gemeldet[nr] = true;
    Debug_Printf("Spieltag: %s nicht angebunden, neutraler Wert\n", name);
}
}  // namespace

SpieltagHooks& Spieltag_Hooks() { return g.hooks; }

int32_t Spieltag_Hook_Tag() {
    if (g.hooks.tag_index) return g.hooks.tag_index();
    Fehlt(0, "Tag_Index");
    return 0;
}

int32_t Spieltag_Hook_Monat() {
    if (g.hooks.monat) {
        int32_t m = g.hooks.monat();
        if (m >= 1 && m <= 12) return m;
        Debug_Printf("Spieltag_Hook_Monat: Monat %d ungueltig\n", m);
        return 7;
    }
    Fehlt(1, "Kalender_Datum_Kopie");
    return 7;
}

int32_t Spieltag_Hook_Wettbewerbe(int32_t* out, int32_t max) {
    if (!out || max <= 0) return 0;
    if (!g.hooks.heute_spielende_wettbewerbe) {
        Fehlt(2, "Kalender_Freier_Tag");
        return 0;
    }
    int32_t n = g.hooks.heute_spielende_wettbewerbe(out, max);
    return n < 0 ? 0 : (n > max ? max : n);
}

int32_t Spieltag_Hook_Spiele(int32_t wettbewerb, int32_t* out, int32_t max) {
    if (!out || max <= 0) return 0;
    if (!g.hooks.heutige_spiele) {
        Fehlt(3, "Heutige_Spiele");
        return 0;
    }
    int32_t n = g.hooks.heutige_spiele(wettbewerb, out, max);
    return n < 0 ? 0 : (n > max ? max : n);
}

int32_t Spieltag_Hook_Kapazitaet(int32_t team) {
    if (g.hooks.stadion_kapazitaet) return g.hooks.stadion_kapazitaet(team);
    Fehlt(4, "Stadion_Get_Kapazitaet");
    return -1;
}

int32_t Spieltag_Hook_Einnahmen(int32_t stadion, int32_t spiel, int32_t anteil_heim, int32_t anteil_gast) {
    if (g.hooks.stadion_einnahmen) return g.hooks.stadion_einnahmen(stadion, spiel, anteil_heim, anteil_gast, 0);
    Fehlt(5, "Stadion_Spiel_Einnahmen");
    return 0;
}

void Spieltag_Hook_Ueberweisung(int32_t von, int32_t an, float betrag, int32_t kategorie) {
    if (g.hooks.bank_ueberweisung) {
        g.hooks.bank_ueberweisung(von, an, betrag, kategorie);
        return;
    }
    Debug_Printf("Spieltag: keine Bank, %.0f von Team %d nicht gebucht\n", double(betrag), von);
}

const char* Spieltag_Hook_Geld_Text(float betrag, int32_t team) {
    if (g.hooks.geld_text) return g.hooks.geld_text(betrag, team);
    return Str_Format("%.0f", double(betrag));
}

void Spieltag_Hook_News(int32_t team, int32_t art, const char* text) {
    if (g.hooks.news) {
        g.hooks.news(team, art, text);
        return;
    }
    Debug_Printf("Spieltag: News an Team %d (Art %d) nicht zugestellt: %s\n", team, art, text ? text : "");
}

void Spieltag_Hook_Nicht_Eingesetzt(int32_t team, int32_t spieler) {
    if (g.hooks.nicht_eingesetzt) {
        g.hooks.nicht_eingesetzt(team, spieler);
        return;
    }
    Debug_Printf("Spieltag: kein Ereignis fuer Spieler %d von Team %d, der nicht spielte\n", spieler, team);
}

}  // namespace velmora
