// business/ereignis_anbindung.cpp - connects the random events to the modules below.
#include "business/ereignis_anbindung.h"

#include "business/ereignis.h"
#include "business/ereignis_trigger.h"
#include "club/club_hooks.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/debug.h"
#include "core/optionen.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "match/spieltag_hooks.h"
#include "net/richter.h"
#include "season/kalender.h"
#include "season/spiele.h"

namespace velmora {
namespace {

struct AnbindungModul {
    bool angebunden = false;
    KalenderHooks vorher;
};
AnbindungModul g;

void module_init() {
    if (g.vorher.module_init) g.vorher.module_init();
    Ereignis_Init();
    Ereignis_Zustand_Zuruecksetzen();
}

void module_free() {
    Ereignis_Exit();
    if (g.vorher.module_free) g.vorher.module_free();
}

// The day's events, and on 1 January and 30 June the job offers to the local manager.
void tag_ereignisse() {
    if (g.vorher.tag_ereignisse) g.vorher.tag_ereignisse();
    Ereignis_Tag();
    int32_t team = Team_Lokal();
    TagDatensatz d = Kalender_Datum_Kopie();
    if (team >= 0 && Optionen(13, 0, 0) &&
        ((d.tag == 1 && d.monat == 1) || (d.tag == 30 && d.monat == 6 && Rnd(0, 1) == 1)))
        Ereignis_Manager(team, Rnd(0, 1) == 0 ? EK_NATIONALTRAINER : EK_MANAGER_WECHSEL);
}

// At a month change (the calendar runs it only when no request is open).
void monat_ereignisse() {
    if (g.vorher.monat_ereignisse) g.vorher.monat_ereignisse();
    int32_t team = Team_Lokal();
    if (team < 0) return;
    int32_t r = Rnd(0, 20);
    Ereignis_Manager(team, r <= 9 ? EK_ALLGEMEIN : r <= 18 ? EK_ALLGEMEIN_TEAM : EK_ALLGEMEIN_SPIELER);
}

// After a match: the match itself, then every squad player outside the starting eleven.
void ereignis_spiel(int32_t team, int32_t slot, int32_t tore_heim, int32_t tore_gast) {
    Ereignis_Spiel_Nachher(team, slot, tore_heim, tore_gast);
    int32_t s[20];
    for (int32_t i = 0, n = Teamspieler_Ins_Array(team, s, 20, 0); i < n; ++i)
        if (!(uint32_t(Spieler_Wert(75, s[i], 0, OP_LESEN)) & SP_STATUS_START)) Ereignis_Nicht_Eingesetzt(team, s[i]);
}

void ereignis_serie(int32_t team) {
    int32_t siege = 0, unentschieden = 0, niederlagen = 0;
    if (Spiele_Serie(-1, team, &siege, &unentschieden, &niederlagen, nullptr, nullptr, nullptr, nullptr, 2))
        Ereignis_Spiel_Serie(team, siege, niederlagen);
}

void antwort(const int32_t kopf[RICHTER_KOPF_WORTE], Richter_Fall fall) {
    if (fall == Richter_Fall::ANTWORT) Ereignis_Antwort(kopf);
}

}  // namespace

void Ereignis_Anbinden() {
    if (g.angebunden) Ereignis_Abbinden();
    ClubHooks& c = Club_Hooks();
    if (c.speicher_registrieren) c.speicher_registrieren("Ereignis", Ereignis_Save, Ereignis_Load);
    else Debug_Printf("Ereignis_Anbinden: kein Spielstand angebunden\n");
    for (int32_t art : {11, 14, 15}) Richter_Art_Anmelden(art, antwort);
    SpieltagHooks& s = Spieltag_Hooks();
    s.ereignis_spiel = ereignis_spiel;
    s.ereignis_serie = ereignis_serie;
    KalenderHooks& k = Kalender_Hooks();
    g.vorher = k;
    k.module_init = module_init;
    k.module_free = module_free;
    k.tag_ereignisse = tag_ereignisse;
    k.monat_ereignisse = monat_ereignisse;
    g.angebunden = true;
}

void Ereignis_Abbinden() {
    if (!g.angebunden) return;
    Spielstand_Modul_Abmelden("Ereignis");
    for (int32_t art : {11, 14, 15}) Richter_Art_Anmelden(art, nullptr);
    Spieltag_Hooks().ereignis_spiel = nullptr;
    Spieltag_Hooks().ereignis_serie = nullptr;
    KalenderHooks& k = Kalender_Hooks();
    k.module_init = g.vorher.module_init;
    k.module_free = g.vorher.module_free;
    k.tag_ereignisse = g.vorher.tag_ereignisse;
    k.monat_ereignisse = g.vorher.monat_ereignisse;
    g = AnbindungModul{};
}

}  // namespace velmora
