// match/spielfeld_anbindung.cpp
//
// Two points where the match and the fixtures store count differently are
// settled here, once:
// - goals: the match writes bit 0x4 for a goal that counts, for the side of
//   bit 0x1; the store counts a goal only with 0x2 and 0x4. A goal written
//   without 0x2 gets it here. A shoot-out kick (bit 0x4 alone while its slot
//   is in the shoot-out) is counted into the game's shoot-out goals instead
//   and stored as written, so it never raises the match score.
// - the temperature byte holds signed degrees (-43..50), as the match day
//   writes it.
#include "match/spielfeld_anbindung.h"

#include <algorithm>

#include "club/aufstellung.h"
#include "club/club_config.h"
#include "club/formation.h"
#include "club/kader_hooks.h"
#include "club/talente.h"
#include "match/spielfeld_hooks.h"
#include "match/spielfeld_linie.h"
#include "match/spieltag.h"
#include "net/net.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_regeln.h"

namespace velmora {
namespace {

bool spiel(int32_t h, SpielfeldSpiel* out) {
    const SpielDatensatz* sp = Spiele_Get_Spiel(h, 1);
    if (!sp || !out) return false;
    out->heim = sp->heim;
    out->gast = sp->gast;
    out->wettbewerb = sp->wettbewerb;
    out->runde = sp->runde;
    out->paarung = sp->paarung;
    out->spieltag = sp->spieltag;
    out->zuschauer = sp->zuschauer;
    out->temperatur = int8_t(sp->temperatur);
    out->niederschlag = sp->niederschlag;
    // The shoot-out reads its goals as the game's goals on top of those it began with.
    out->heim_tore = std::max<int32_t>(sp->tore_heim, 0) + sp->elfmeter_heim;
    out->gast_tore = std::max<int32_t>(sp->tore_gast, 0) + sp->elfmeter_gast;
    out->minute = sp->minute;
    return true;
}

void ereignis(int32_t h, uint32_t art, int32_t minute, int32_t spieler, int32_t spieler2) {
    if ((art & EREIGNIS_TOR) && !(art & EREIGNIS_SCHUSS)) {
        SpielDatensatz* sp = Spiele_Get_Spiel(h, 1);
        if (sp && Spieltag_Ist_Initialisiert() && Spieltag_Slot_Status(h) == SLOT_ELFMETER) {
            uint8_t& tore = (art & EREIGNIS_HEIM) ? sp->elfmeter_heim : sp->elfmeter_gast;
            if (tore < 255) ++tore;
        } else {
            art |= EREIGNIS_SCHUSS;
        }
    }
    Spiel_Ereignis(h, art, minute, spieler, spieler2);
}

bool info(int32_t w, int8_t* erstes, uint32_t* modus) {
    const WettbewerbInfo* i = Wettbewerb_Get_Info(w);
    if (!i) return false;
    *erstes = i->zuschauer;
    *modus = uint32_t(i->modus);
    return true;
}

bool stadion(int32_t team, SpielfeldStadion* out) {
    const StadionVorgabe* v = Team_Stadion_Vorgabe(team);
    if (!v || !out) return false;
    out->kapazitaet = std::max(v->sitze, 0) + std::max(v->stehplaetze, 0);
    out->modell = 0;
    return true;
}

}  // namespace

void Spielfeld_Anbinden() {
    SpielfeldHooks& h = Spielfeld_Hooks();
    h.spiel = spiel;
    h.spiel_ereignis = ereignis;
    h.wettbewerb_schalter = Wettbewerb_Get_Schalter;
    h.wettbewerb_wichtigkeit = [](int32_t w) { return Wettbewerb_Spiel_Wichtigkeit(w, -1); };
    h.wettbewerb_international = Wettbewerb_Ist_International;
    h.wettbewerb_heimrecht = Wettbewerb_Hat_Heimrecht;
    h.wettbewerb_info = info;
    h.team_taktik = [](int32_t team, int8_t out[7]) { return Team_Get_Aktuelle_Taktik(team, out); };
    h.team_positionen_setzen = [](int32_t team) { Team_Spieler_Positionen_Setzen(team, -1); };
    h.stadion = stadion;
    h.attribut_aktiv = Attribute_Attribut_Aktief;
    h.netz_modus = Netzwerk_Modus;
    Kader_Hooks().spielfeld_taktik_linie = Spielfeld_Taktik_Linie;
}

void Spielfeld_Abbinden() {
    Spielfeld_Hooks() = SpielfeldHooks{};
    Kader_Hooks().spielfeld_taktik_linie = nullptr;
}

}  // namespace velmora
