// business/stadion_anbindung.cpp
#include "business/stadion_anbindung.h"

#include "business/news.h"
#include "business/stadion.h"
#include "business/stadion_hooks.h"
#include "business/werbung.h"
#include "club/club_anbindung.h"
#include "club/club_hooks.h"
#include "club/team.h"
#include "match/spielfeld_hooks.h"
#include "match/spieltag_hooks.h"
#include "net/internet.h"
#include "season/kalender.h"

namespace velmora {
namespace {

// The after-match work that was connected before ours; it runs after ours.
void (*g_nach_spiel_vorher)(int32_t team, Spiel_Lock spiel) = nullptr;
bool g_angebunden = false;

void nach_spiel(int32_t team, Spiel_Lock spiel) {
    Stadion_Unterhalt_Buchen(team);
    Werbung_Team_Woche(team);
    if (g_nach_spiel_vorher) g_nach_spiel_vorher(team, spiel);
}

int32_t kapazitaet(int32_t team) {
    const Stadion_Satz* s = Stadion_Ist_Initialisiert() ? Stadion_Get(team, 1) : nullptr;
    return s ? s->kapazitaet : -1;
}

int32_t einnahmen(int32_t stadion, int32_t spiel, int32_t, int32_t anteil_heim, int32_t anteil_gast, int32_t, int32_t) {
    return Stadion_Spiel_Einnahmen(stadion, spiel, anteil_heim, anteil_gast, 0);
}

bool spielfeld_stadion(int32_t team, SpielfeldStadion* out) {
    const Stadion_Satz* s = Stadion_Ist_Initialisiert() ? Stadion_Get(team, 1) : nullptr;
    if (!s || !out) return false;
    out->kapazitaet = s->kapazitaet;
    out->modell = s->modell;
    return true;
}

void banden(int32_t stadion, uint8_t out[14]) {
    int32_t b[6] = {};
    for (int32_t i = 0; i < 14; ++i) out[i] = 0;
    if (!Werbung_Ist_Initialisiert() || !Werbung_Sponsoren_Banden(stadion, b, 6)) return;
    for (int32_t i = 0; i < 6; ++i) out[i] = uint8_t(b[i]);
}

bool stadion_anfrage(int32_t anfrage, int32_t client_team, const uint8_t* daten, size_t bytes,
                     std::vector<uint8_t>& antwort) {
    return Stadion_Server_Anfrage(anfrage, client_team, daten, bytes, antwort);
}

bool werbung_anfrage(int32_t anfrage, int32_t client_team, const uint8_t* daten, size_t bytes,
                     std::vector<uint8_t>& antwort) {
    return Werbung_Server_Anfrage(anfrage, client_team, daten, bytes, antwort);
}

}  // namespace

void Stadion_Anbinden() {
    // Messages of the stadium and the advertising reach the managers as news.
    Stadion_Hooks().news = [](int32_t team, int32_t absender, uint32_t flags, const char* text) {
        News_Add(absender, team, -1, int32_t(flags), nullptr, "%s", text);
    };
    SpieltagHooks& s = Spieltag_Hooks();
    s.stadion_kapazitaet = kapazitaet;
    s.stadion_einnahmen = einnahmen;
    s.stadion_eintragen = Stadion_Spiel_Eintragen;
    SpielfeldHooks& f = Spielfeld_Hooks();
    f.stadion = spielfeld_stadion;
    f.werbung = banden;
    KalenderHooks& k = Kalender_Hooks();
    if (!g_angebunden) {
        g_nach_spiel_vorher = k.nach_spiel_team == nach_spiel ? nullptr : k.nach_spiel_team;
        k.nach_spiel_team = nach_spiel;
    }
    g_angebunden = true;
    if (Club_Hooks().speicher_registrieren) {
        Club_Hooks().speicher_registrieren("Stadion", Stadion_Save, Stadion_Load);
        Club_Hooks().speicher_registrieren("Werbung", Werbung_Save, Werbung_Load);
    }
    for (int32_t id : {ANFRAGE_STADION_HOLEN, ANFRAGE_STADION_AENDERN, ANFRAGE_STADION_PRUEFEN})
        Club_Anfrage_Anmelden(id, stadion_anfrage);
    Club_Anfrage_Anmelden(ANFRAGE_WERBUNG, werbung_anfrage);
}

void Stadion_Abbinden() {
    SpieltagHooks& s = Spieltag_Hooks();
    s.stadion_kapazitaet = nullptr;
    s.stadion_einnahmen = nullptr;
    s.stadion_eintragen = nullptr;
    Spielfeld_Hooks().stadion = nullptr;
    Spielfeld_Hooks().werbung = nullptr;
    if (g_angebunden && Kalender_Hooks().nach_spiel_team == nach_spiel) Kalender_Hooks().nach_spiel_team = g_nach_spiel_vorher;
    g_nach_spiel_vorher = nullptr;
    g_angebunden = false;
    for (int32_t id : {ANFRAGE_STADION_HOLEN, ANFRAGE_STADION_AENDERN, ANFRAGE_STADION_PRUEFEN, ANFRAGE_WERBUNG})
        Internet_Server_Abmelden(id);
}

bool Stadion_Spielstart() {
    if (!Stadion_Init() || !Werbung_Init()) return false;
    if (Club_Ist_Client()) return true;
    Stadion_Alle_Anlegen();
    for (int32_t t = 0; t < Team_Anzahl(); ++t)
        if (Team_Hat_Manager(t)) Werbung_Team_Reset(t, 1);
    return true;
}

}  // namespace velmora
