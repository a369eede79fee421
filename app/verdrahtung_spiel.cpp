// app/verdrahtung_spiel.cpp - the bindings of the match record and the match
// day to the fixtures store, the competitions, the club data and the calendar.
//
// For the match record, two points where the match and the fixtures store
// count differently are settled here, once:
// - goals: the match writes bit 0x4 for a goal that counts, for the side of
//   bit 0x1; the store counts a goal only with 0x2 and 0x4. A goal written
//   without 0x2 gets it here. A shoot-out kick (bit 0x4 alone while its slot
//   is in the shoot-out) is counted into the game's shoot-out goals instead
//   and stored as written, so it never raises the match score.
// - the temperature byte holds signed degrees (-43..50), as the match day
//   writes it.
#include <algorithm>

#include "app/sim_lauf.h"
#include "app/sim_live_statistik.h"
#include "app/verdrahtung_intern.h"
#include "business/bank.h"
#include "club/aufstellung.h"
#include "club/club_config.h"
#include "club/formation.h"
#include "club/kader_hooks.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "core/meldung.h"
#include "core/stoppuhr.h"
#include "core/text.h"
#include "core/text_format.h"
#include "core/prioritaeten.h"
#include "match/day/nachbearbeitung.h"
#include "match/record/spielfeld.h"
#include "match/record/spielfeld_hooks.h"
#include "match/live/spielfeld_linie.h"
#include "match/live/spielfeld_ki_taktik.h"
#include "match/live/spielfeld_standard.h"
#include "match/live/spielfeld_tick.h"
#include "match/day/spieltag.h"
#include "match/day/spieltag_hooks.h"
#include "match/day/spieltag_netz.h"
#include "business/news_anfrage.h"
#include "match/record/spielfeld_sync.h"
#include "net/internet.h"
#include "net/net.h"
#include "screens/menue_panel.h"
#include "season/kalender.h"
#include "season/rangliste.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_regeln.h"

namespace velmora::verdrahtung {
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
    Sim_Live_Ereignis(h, art);
    Spiel_Ereignis(h, art, minute, spieler, spieler2);
}

bool info(int32_t w, int8_t* erstes, uint32_t* modus) {
    const WettbewerbInfo* i = Wettbewerb_Get_Info(w);
    if (!i) return false;
    *erstes = i->zuschauer;
    *modus = uint32_t(i->modus);
    return true;
}

bool vorgabe_stadion(int32_t team, SpielfeldStadion* out) {
    const StadionVorgabe* v = Team_Stadion_Vorgabe(team);
    if (!v || !out) return false;
    out->kapazitaet = std::max(v->sitze, 0) + std::max(v->stehplaetze, 0);
    out->modell = 0;
    return true;
}

int32_t vorgabe_kapazitaet(int32_t team) {
    const StadionVorgabe* v = Team_Stadion_Vorgabe(team);
    return v ? std::max(v->sitze, 0) + std::max(v->stehplaetze, 0) : -1;
}

int32_t monat() { return Kalender_Datum_Kopie().monat; }

int32_t heute_spielende(int32_t* out, int32_t max) {
    int32_t alle[256];
    int32_t n = std::min(Kalender_Freier_Tag(-1, 1, alle), max);
    std::copy(alle, alle + n, out);
    return n;
}

// The position penalty of a player in a record: his side plays mirrored
// (towards x = 0) by the record's side and the halves it has changed.
int32_t positionsstaerke(const Spielfeld_Satz* satz, int32_t team, int32_t spieler, int32_t linie_x) {
    return Spieler_Positionsstaerke(spieler, linie_x, Spielfeld_Spielt_Nach_Links(satz, team));
}

// The match day's frame of a live record: the tick with the program clock.
float tick(Spielfeld_Satz* satz, int8_t* elfer, int32_t nachholen) {
    return Spielfeld_Tick(satz, 1, elfer, nachholen, Zeit_Ms());
}
void anstoss(Spielfeld_Satz* satz) { Spielfeld_Anstoss_Ausfuehren(satz); }
// The simulator's --live: every competition computes its matches live (switch 5).
int32_t schalter(int32_t w, int32_t nummer) {
    if (nummer == 5 && Sim().optionen.alle_live) return 1;
    return Wettbewerb_Get_Schalter(w, nummer);
}

}  // namespace

void Binden_Spielfeld() {
    SpielfeldHooks& h = Spielfeld_Hooks();
    Besetzen(h.spiel, spiel, "Spielfeld.spiel");
    Besetzen(h.spiel_ereignis, ereignis, "Spielfeld.spiel_ereignis");
    Besetzen(h.wettbewerb_schalter, schalter, "Spielfeld.wettbewerb_schalter");
    Besetzen(h.wettbewerb_wichtigkeit, [](int32_t w) { return Wettbewerb_Spiel_Wichtigkeit(w, -1); },
             "Spielfeld.wettbewerb_wichtigkeit");
    Besetzen(h.wettbewerb_international, Wettbewerb_Ist_International, "Spielfeld.wettbewerb_international");
    Besetzen(h.wettbewerb_heimrecht, Wettbewerb_Hat_Heimrecht, "Spielfeld.wettbewerb_heimrecht");
    Besetzen(h.wettbewerb_info, info, "Spielfeld.wettbewerb_info");
    Besetzen(h.team_taktik, [](int32_t team, int8_t out[7]) { return Team_Get_Aktuelle_Taktik(team, out); },
             "Spielfeld.team_taktik");
    Besetzen(h.team_positionen_setzen, [](int32_t team) { Team_Spieler_Positionen_Setzen(team, -1); },
             "Spielfeld.team_positionen_setzen");
    // Without the club management's stadiums the grounds are the clubs' presets.
    if (!Dabei("Stadion")) Besetzen(h.stadion, vorgabe_stadion, "Spielfeld.stadion");
    Besetzen(h.attribut_aktiv, Attribute_Attribut_Aktief, "Spielfeld.attribut_aktiv");
    Besetzen(h.attribute_maske, Attribute_Aktive_Maske, "Spielfeld.attribute_maske");
    Besetzen(h.schwierigkeit, Team_Spiel_Level, "Spielfeld.schwierigkeit");
    Besetzen(h.positionsstaerke, positionsstaerke, "Spielfeld.positionsstaerke");
    Besetzen(h.netz_modus, Netzwerk_Modus, "Spielfeld.netz_modus");
    // The crowd and the sound variants draw from the presentation's generator,
    // never from the game's random table.
    Besetzen(h.zufall_bereich, Zufall_Bereich, "Spielfeld.zufall_bereich");
    Besetzen(h.anstoss_ausfuehren, anstoss, "Spielfeld.anstoss_ausfuehren");
    Besetzen(h.elfmeter_schuss_live, Spielfeld_Elfmeterschiessen_Schuss, "Spielfeld.elfmeter_schuss_live");
    Besetzen(Wettbewerb_Hooks().ki_taktik,
             [](void* satz, int32_t minute, int32_t spielzeit) {
                 Spielfeld_KI_Taktik(static_cast<Spielfeld_Satz*>(satz), minute, spielzeit);
             },
             "Wettbewerb.ki_taktik");
    Besetzen(Kader_Hooks().spielfeld_taktik_linie, Spielfeld_Taktik_Linie_Fuer, "Kader.spielfeld_taktik_linie");
    Block(Spielfeld_Spielstand_Anmelden, "Spielfeld");
}

void Binden_Spieltag() {
    SpieltagHooks& h = Spieltag_Hooks();
    if (!Dabei("Stadion")) Besetzen(h.stadion_kapazitaet, vorgabe_kapazitaet, "Spieltag.stadion_kapazitaet");
    Besetzen(h.tag_index, Tag_Index, "Spieltag.tag_index");
    Besetzen(h.monat, monat, "Spieltag.monat");
    Besetzen(h.heute_spielende_wettbewerbe, heute_spielende, "Spieltag.heute_spielende_wettbewerbe");
    Besetzen(h.heutige_spiele, Kalender_Heutige_Spiele, "Spieltag.heutige_spiele");
    Besetzen(h.tick, tick, "Spieltag.tick");
    Abonnieren(h.nach_spiel_team, "Spieltag.nach_spiel_team", prio::SPIELTAG_STATISTIK, Spielfeld_Ereignisse_Eintragen);
    Abonnieren(h.nach_spiel_team, "Spieltag.nach_spiel_team", prio::SPIELTAG_NACH_SPIEL, Nach_Spiel_Team);
    Abonnieren(h.nachbearbeitung, "Spieltag.nachbearbeitung", prio::NACHBEARBEITUNG_EINSAETZE,
               Spielfeld_Nachbearbeitung);
    KalenderHooks& k = Kalender_Hooks();
    Besetzen(k.spieltag_start, Spieltag_Start, "Kalender.spieltag_start");
    Besetzen(k.spieltag_frame, Spieltag_Frame, "Kalender.spieltag_frame");
    Abonnieren(k.vor_saisonwechsel, "Kalender.vor_saisonwechsel", prio::SAISONWECHSEL_SPIELTAG,
               Spieltag_Geschlossene_Freigeben);
    Block(Spieltag_Spielstand_Anmelden, "Spieltag");
    // The match-day table belongs to the game: its slots and game locks go with it.
    Beim_Abbinden([] {
        if (Spieltag_Ist_Initialisiert()) Spieltag_Slots_Loeschen();
    });
    // The day hand-over of network play: a client's report of its day, a
    // client gone, the server's day fetched by a waiting client.
    if (!Internet_Server_Anmelden(ANFRAGE_SPIELTAG_MELDEN, "vi", Spieltag_Melden_Anfrage))
        Fehler("Anfrage 1029 nicht anzumelden");
    else
        Beim_Abbinden([] { Internet_Server_Abmelden(ANFRAGE_SPIELTAG_MELDEN); });
    // A client's connection closed: its club is the computer's, and the
    // server's managers are told whom they lost.
    Besetzen(
        Net_Hooks().client_getrennt,
        [](int32_t team) {
            const bool verein = team >= 0 && team < Team_Anzahl();
            const std::string manager = verein ? Manager_Name(team) : "";
            Spieltag_Client_Freigeben(team);
            const char* format = Text_Get("ULVO_ZUSATZ", 149);
            if (!format || !verein) return;
            // A note in the panel's line now (the server may be waiting), and
            // the message for the manager's next turn.
            const std::string text = Text_Format(format, {manager.c_str(), Team_String(TS_NAME, team, 0, 0)});
            Menue_Panel_Notiz(text.c_str());
            Meldung("%s", text.c_str());
        },
        "Net.client_getrennt");
    // The lock-step of a client's live match: its slot, its record, its minute packets.
    if (!Internet_Server_Anmelden(ANFRAGE_SPIELTAG_SLOT, "vC<24I<4I<4I<4I<4i", Spieltag_Netz_Nachricht))
        Fehler("Anfrage 1031 nicht anzumelden");
    else
        Beim_Abbinden([] { Internet_Server_Abmelden(ANFRAGE_SPIELTAG_SLOT); });
    if (!Internet_Server_Anmelden(ANFRAGE_SPIELFELD_HOLEN, "iI<42340I<4F<4I<4I<4", Spielfeld_Sync_Status))
        Fehler("Anfrage 1032 nicht anzumelden");
    else
        Beim_Abbinden([] { Internet_Server_Abmelden(ANFRAGE_SPIELFELD_HOLEN); });
    Besetzen(Net_Hooks().sync_vom_client, Spielfeld_Sync_Vom_Client, "Net.sync_vom_client");
    Besetzen(Net_Hooks().sync_vom_server, Spielfeld_Sync_Vom_Server, "Net.sync_vom_server");
    if (Dabei("News")) Besetzen(News_Hooks().spieltag_zustand, Spieltag_Team_Zustand, "News.spieltag_zustand");
    // The server's day moved on: the client's match of the day that ended
    // ends here too, before the game's data of the new day comes.
    Besetzen(k.client_alles_holen, +[] {
        Spieltag_Client_Tag_Vorbei();
        Client_Alles_Holen();
    }, "Kalender.client_alles_holen");
    Besetzen(k.client_spieltag, Spieltag_Client_Frame, "Kalender.client_spieltag");
}

}  // namespace velmora::verdrahtung
