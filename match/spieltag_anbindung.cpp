// match/spieltag_anbindung.cpp
#include "match/spieltag_anbindung.h"

#include <algorithm>

#include "club/club_config.h"
#include "club/club_hooks.h"
#include "club/kader_hooks.h"
#include "core/debug.h"
#include "match/spielfeld.h"
#include "match/spielfeld_anbindung.h"
#include "match/spieltag.h"
#include "match/spieltag_hooks.h"

namespace velmora {
namespace {

int32_t kapazitaet(int32_t team) {
    const StadionVorgabe* v = Team_Stadion_Vorgabe(team);
    return v ? std::max(v->sitze, 0) + std::max(v->stehplaetze, 0) : -1;
}

// The fine goes to the bank the club data's transfers use, once it exists.
void ueberweisung(int32_t von, int32_t an, float betrag, int32_t kategorie) {
    if (Kader_Hooks().bank_ueberweisung) {
        Kader_Hooks().bank_ueberweisung(von, an, betrag, kategorie);
        return;
    }
    Debug_Printf("Spieltag: keine Bank, %.0f von Team %d nicht gebucht\n", double(betrag), von);
}

}  // namespace

void Spieltag_Anbinden() {
    SpieltagHooks& h = Spieltag_Hooks();
    h.stadion_kapazitaet = kapazitaet;
    h.bank_ueberweisung = ueberweisung;
}

void Match_Anbinden() {
    Spielfeld_Anbinden();
    Spieltag_Anbinden();
    ClubHooks& c = Club_Hooks();
    if (c.speicher_registrieren) {
        c.speicher_registrieren("Spieltag", Spieltag_Save, Spieltag_Load);
        c.speicher_registrieren("Spielfeld", Spielfeld_Save, Spielfeld_Load);
    }
}

void Match_Abbinden() {
    Spielfeld_Abbinden();
    Spieltag_Hooks() = SpieltagHooks{};
}

}  // namespace velmora
