// app/verdrahtung_verein.cpp - the bindings of the club management: news,
// stadium and advertising, bank, scouts, negotiations, training and events.
#include <cstring>
#include <string>

#include "app/verdrahtung_intern.h"
#include "business/angebot.h"
#include "business/bank.h"
#include "business/bank_kredit.h"
#include "business/bank_netz.h"
#include "business/compi.h"
#include "business/ereignis.h"
#include "business/ereignis_trigger.h"
#include "business/news.h"
#include "business/news_anfrage.h"
#include "business/news_netz.h"
#include "business/news_satz.h"
#include "business/scout.h"
#include "business/stadion.h"
#include "business/stadion_hooks.h"
#include "business/training.h"
#include "business/trainingslager_lauf.h"
#include "business/verhandlung.h"
#include "business/werbung.h"
#include "club/club_hooks.h"
#include "club/kader_hooks.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/transfer.h"
#include "core/debug.h"
#include "core/optionen.h"
#include "core/prioritaeten.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "match/day/spieltag_hooks.h"
#include "match/record/spielfeld_hooks.h"
#include "net/net.h"
#include "net/richter.h"
#include "platform/clock.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"

namespace velmora::verdrahtung {
namespace {

uint32_t jetzt() { return Kalender_Hooks().uhr ? Kalender_Hooks().uhr() : Plat_Ms(); }

int32_t news_tag = -1;   // the game day of the last news round without a screen

void news_an_manager(int32_t team, int32_t absender, uint32_t flags, const char* text) {
    News_Add(absender, team, -1, int32_t(flags), nullptr, "%s", text);
}

// News.
constexpr int32_t NEWS_ANFRAGEN[] = {ANFRAGE_NEWS_HOLEN, ANFRAGE_NEWS_HINZUFUEGEN, ANFRAGE_NEWS_SETZEN};

int32_t richter_suchen(int32_t ab, uint32_t maske, int32_t kopf[RICHTER_KOPF_WORTE], uint32_t* flags) {
    NewsSatz s;
    for (int32_t i = ab < 0 ? 0 : ab; i < News_Anzahl(); ++i) {
        if (!News_Satz_Holen(i, s) || s.id == 0) continue;
        for (const NewsPaar& p : s.paare) {
            if (p.team == NEWS_TEAM_ENTFERNT || !(p.flags & maske)) continue;
            std::memcpy(kopf, s.kopf, sizeof s.kopf);
            *flags = p.flags;
            return i;
        }
    }
    return -1;
}

void richter_loeschen(int32_t index) {
    News_Set(index, -1, -1, NEWS_SET_LOESCHEN);
}

void spieltag_news(int32_t team, int32_t art, const char* text) { News_Add(-1, team, -1, art, nullptr, "%s", text); }

bool news_anfrage(int32_t anfrage, int32_t client_team, const uint8_t* daten, size_t bytes,
                    std::vector<uint8_t>& antwort) {
    return News_Server_Anfrage(anfrage, client_team, daten, bytes, antwort);
}

// Stadium and advertising.
int32_t kapazitaet(int32_t team) {
    const Stadion_Satz* s = Stadion_Ist_Initialisiert() ? Stadion_Get(team, 1) : nullptr;
    return s ? s->kapazitaet : -1;
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

// Bank.
constexpr int32_t BANK_ANFRAGEN[] = {ANFRAGE_BANK_STATUS, ANFRAGE_BANK_KONTO, ANFRAGE_BANK_AUSZAHLUNG,
                                     ANFRAGE_BANK_BUCHUNGEN, ANFRAGE_BANK_KREDIT};

// A transfer's amounts: the buyer's payment may be refused, everything else
// the transfer books is forced.
bool kader_ueberweisung(int32_t von, int32_t an, float betrag, int32_t kategorie, bool zwingend) {
    return Bank_Ueberweisung(von, an, betrag, uint8_t(kategorie), zwingend ? 1 : 0, -1);
}

float kader_kontostand(int32_t team) { return float(Bank_Kontostand(team, false, -1)); }

void spieltag_ueberweisung(int32_t von, int32_t an, float betrag, int32_t kategorie) {
    if (!Bank_Ueberweisung(von, an, betrag, uint8_t(kategorie), 1, -1))
        Debug_Printf("Spieltag: %.0f von Team %d an %d nicht gebucht\n", double(betrag), von, an);
}

const char* spieltag_geld_text(float betrag, int32_t team) { return Geld_Text(betrag, team, -1); }

// Competition bonuses and payouts are other income of the club.
void wettbewerb_buchen(int32_t team, float betrag, int32_t kategorie, const char* text) {
    if (kategorie == BUCHUNG_PRAEMIE) kategorie = BUCHUNG_SONSTIGE_EINNAHMEN;
    bool ok = betrag >= 0 ? Bank_Ueberweisung(-1, team, betrag, uint8_t(kategorie), 1, -1)
                          : Bank_Ueberweisung(team, -1, -betrag, uint8_t(kategorie), 1, -1);
    if (!ok) Debug_Printf("Wettbewerb: %s (%.0f) fuer Team %d nicht gebucht\n", text ? text : "?", double(betrag), team);
}

void bank_nach_spiel(int32_t team, Spiel_Lock spiel) { Bank_Periode_Buchen(team, Spiele_Get_Spiel(spiel, 1)); }

int32_t spielstand_kontostand(int32_t team) { return Bank_Kontostand(team, false, -1); }

bool bank_anfrage(int32_t anfrage, int32_t client_team, const uint8_t* daten, size_t bytes,
                  std::vector<uint8_t>& antwort) {
    return Bank_Server_Anfrage(anfrage, client_team, daten, bytes, antwort);
}

}  // namespace

void Binden_News() {
    Block(News_Spielstand_Anmelden, "News");
    for (int32_t id : NEWS_ANFRAGEN) Anfrage(id, news_anfrage);
    Abonnieren(Net_Hooks().client_alles_holen, "Net.client_alles_holen", prio::HOLEN_NEWS, News_Client_Start);
    RichterHooks& r = Richter_Hooks();
    Besetzen(r.news_suchen, richter_suchen, "Richter.news_suchen");
    Besetzen(r.news_loeschen, richter_loeschen, "Richter.news_loeschen");
    Besetzen(r.heute, Tag_Index, "Richter.heute");
    Besetzen(Spieltag_Hooks().news, spieltag_news, "Spieltag.news");
    Besetzen(Kader_Hooks().transfer_news, News_Transfer, "Kader.transfer_news");
    // A client's news check every 5 s: before it the start teams, the bank and
    // the own club again; after a shown item its players and the bank's loans.
    // The check's reads go out together first (the news check ends them).
    NewsHooks& n = News_Hooks();
    Besetzen(
        n.client_vorbereiten,
        [](int32_t team) {
            Team_Internet_Client_Startteams_Vorab();
            Bank_Client_Alles_Holen_Vorab(team);
            Team_Internet_Client_Refresh_Vorab();
            News_Client_Holen_Vorab(team);
            Team_Internet_Client_Startteams();
            Bank_Client_Alles_Holen(team);
            Team_Internet_Client_Refresh();
        },
        "News.client_vorbereiten");
    Besetzen(
        n.client_nachladen,
        [](int32_t) {
            Spieler_Internet_Client_Refresh();
            Bank_Client_Konto_Holen();
        },
        "News.client_nachladen");
    KalenderHooks& k = Kalender_Hooks();
    Abonnieren(k.module_init, "Kalender.module_init", prio::INIT_NEWS, [] {
        News_Datei_Oeffnen();
        News_Anzeige_Zuruecksetzen();
        news_tag = -1;
    });
    Abonnieren(k.module_free, "Kalender.module_free", prio::FREI_NEWS, [] { News_Datei_Schliessen(); });
    if (Einstellungen().betrieb == Betrieb::FENSTER) {
        Abonnieren(k.menue_frame, "Kalender.menue_frame", prio::MENUE_NEWS, [] { News_Runde(jetzt()); });
        // A client's turn begins on the server's new day: the day's items
        // come from the server with the turn's first frame, not with the
        // next round up to 5 s later.
        Abonnieren(k.zug_beginnt, "Kalender.zug_beginnt", prio::ZUG_BEGINN_NEWS, [](int32_t) {
            if (Club_Netzwerk_Modus() == 1) News_Runde_Vorziehen();
        });
    } else {
        // Without a screen nobody spends seconds in the menu phase: the round
        // runs once a game day, from the day's first menu frame, so a game
        // plays the same on any machine and continues from its autosave as
        // it would have played on.
        Abonnieren(k.menue_frame, "Kalender.menue_frame", prio::MENUE_NEWS, [] {
            if (Tag_Index() != news_tag) {
                news_tag = Tag_Index();
                News_Anzeige_Zuruecksetzen();
            }
            News_Runde(uint32_t(news_tag) * NEWS_RUNDE_MS);
        });
    }
    Abonnieren(k.zug_endet, "Kalender.zug_endet", prio::ZUG_ENDE_NEWS, [](int32_t) { News_Manager_Nachricht(); });
    Besetzen(k.anfrage_offen, News_Anfrage_Offen, "Kalender.anfrage_offen");
    Beim_Abbinden([] { News_Datei_Schliessen(); });
}

void Binden_Stadion() {
    // Messages of the stadium and the advertising reach the managers as news.
    Besetzen(Stadion_Hooks().news, news_an_manager, "Stadion.news");
    SpieltagHooks& s = Spieltag_Hooks();
    Besetzen(s.stadion_kapazitaet, kapazitaet, "Spieltag.stadion_kapazitaet");
    Besetzen(s.stadion_einnahmen, Stadion_Spiel_Einnahmen, "Spieltag.stadion_einnahmen");
    Besetzen(s.stadion_eintragen, Stadion_Spiel_Eintragen, "Spieltag.stadion_eintragen");
    SpielfeldHooks& f = Spielfeld_Hooks();
    Besetzen(f.stadion, spielfeld_stadion, "Spielfeld.stadion");
    Besetzen(f.werbung, banden, "Spielfeld.werbung");
    KalenderHooks& k = Kalender_Hooks();
    Abonnieren(k.nach_spiel_team, "Kalender.nach_spiel_team", prio::NACH_SPIEL_UNTERHALT,
               [](int32_t team, Spiel_Lock) { Stadion_Unterhalt_Buchen(team); });
    Abonnieren(k.nach_spiel_team, "Kalender.nach_spiel_team", prio::NACH_SPIEL_WERBUNG,
               [](int32_t team, Spiel_Lock) { Werbung_Team_Woche(team); });
    Block(Stadion_Spielstand_Anmelden, "Stadion");
    Block(Werbung_Spielstand_Anmelden, "Werbung");
    for (int32_t id : {ANFRAGE_STADION_HOLEN, ANFRAGE_STADION_AENDERN, ANFRAGE_STADION_PRUEFEN})
        Anfrage(id, stadion_anfrage);
    Anfrage(ANFRAGE_WERBUNG, werbung_anfrage);
}

void Binden_Bank() {
    Bank_Init();
    Beim_Abbinden(Bank_Exit);
    // The bank's messages reach the managers as news; the transfers, the
    // match day and the competitions move their money through the bank (the
    // stadium and the advertising call it directly).
    Besetzen(Bank_Hooks().news, news_an_manager, "Bank.news");
    KaderHooks& kd = Kader_Hooks();
    Besetzen(kd.bank_kontostand, kader_kontostand, "Kader.bank_kontostand");
    Besetzen(kd.bank_ueberweisung, kader_ueberweisung, "Kader.bank_ueberweisung");
    SpieltagHooks& s = Spieltag_Hooks();
    Besetzen(s.bank_ueberweisung, spieltag_ueberweisung, "Spieltag.bank_ueberweisung");
    Besetzen(s.geld_text, spieltag_geld_text, "Spieltag.geld_text");
    Besetzen(Wettbewerb_Hooks().bank_buchen, wettbewerb_buchen, "Wettbewerb.bank_buchen");
    Abonnieren(Kalender_Hooks().nach_spiel_team, "Kalender.nach_spiel_team", prio::NACH_SPIEL_BANK, bank_nach_spiel);
    Besetzen(Spielstand_Hooks().kontostand, spielstand_kontostand, "Spielstand.kontostand");
    Abonnieren(Net_Hooks().client_alles_holen, "Net.client_alles_holen", prio::HOLEN_VORAB_BANK,
               [] { Bank_Client_Alles_Holen_Vorab(Club_Client_Team()); });
    Abonnieren(Net_Hooks().client_alles_holen, "Net.client_alles_holen", prio::HOLEN_BANK,
               [] { Bank_Client_Alles_Holen(Club_Client_Team()); });
    for (int32_t id : BANK_ANFRAGEN) Anfrage(id, bank_anfrage);
    Richter_Art_Anmelden(ANFRAGE_ART_KREDIT, Bank_Kredit_Anfrage_Antwort);
    Beim_Abbinden([] { Richter_Art_Anmelden(ANFRAGE_ART_KREDIT, nullptr); });
    Block(Bank_Spielstand_Anmelden, "Bank");
}

void Binden_Scout() {
    Block(Scout_Spielstand_Anmelden, "Scout");
}

void Binden_Verhandlung() {
    Besetzen(Kader_Hooks().verkaufserloes, [](int32_t spieler) { return float(Verhandlung_Verkauf_Erloes(spieler)); },
             "Kader.verkaufserloes");
    Block(Verhandlung_Spielstand_Anmelden, "Verhandlung");
    Binden_Markt_Elf();
    // The computer clubs' economy: their weekly round and the salaries at the season update.
    Compi_Zaehler_Zuruecksetzen();
    KalenderHooks& k = Kalender_Hooks();
    Abonnieren(k.tag_ereignisse, "Kalender.tag_ereignisse", prio::TAG_COMPI, Compi_Tag);
    Abonnieren(k.jahr_ereignisse, "Kalender.jahr_ereignisse", prio::JAHR_COMPI, Compi_Saison);
    // Offers about a player and contract extensions: their answers, the
    // season's requests, and the open ones dropped when the player leaves.
    Abonnieren(k.jahr_ereignisse, "Kalender.jahr_ereignisse", prio::JAHR_VERLAENGERUNG, Angebot_Verlaengerungen);
    Abonnieren(Transfer_Hooks().spieler_gegangen, "Transfer.spieler_gegangen", prio::SPIELER_GEGANGEN_ANGEBOT,
               Angebot_Spieler_Gegangen);
    Richter_Art_Anmelden(ANFRAGE_ART_SPIELER, Angebot_Antwort);
    Beim_Abbinden([] { Richter_Art_Anmelden(ANFRAGE_ART_SPIELER, nullptr); });
}

void Binden_Training() {
    Block(Training_Spielstand_Anmelden, "Training");
    Block(Lager_Spielstand_Anmelden, "Trainingslager");
    Binden_Training_Einheiten();
    KalenderHooks& k = Kalender_Hooks();
    auto zuruecksetzen = [] {
        Training_Reset();
        Lager_Reset();
    };
    Abonnieren(k.module_init, "Kalender.module_init", prio::INIT_TRAINING, zuruecksetzen);
    Abonnieren(k.module_free, "Kalender.module_free", prio::FREI_TRAINING, zuruecksetzen);
    Abonnieren(k.menue_frame, "Kalender.menue_frame", prio::MENUE_TRAINING, [] {
        const uint32_t t = jetzt();
        Training2_Frame(t);
        Lager_Frame(t);
    });
}

void Binden_Ereignis() {
    Block(Ereignis_Spielstand_Anmelden, "Ereignis");
    for (int32_t art : {11, 14, 15}) Richter_Art_Anmelden(art, Ereignis_Richter_Antwort);
    for (int32_t art : {EREIGNIS_ANFRAGE_WECHSEL, EREIGNIS_ANFRAGE_NATIONAL})
        Richter_Art_Anmelden(art, Ereignis_Team_Antwort);
    Beim_Abbinden([] {
        for (int32_t art : {11, 13, 14, 15, 16}) Richter_Art_Anmelden(art, nullptr);
    });
    SpieltagHooks& s = Spieltag_Hooks();
    Abonnieren(s.ereignis_spiel, "Spieltag.ereignis_spiel", prio::SPIELTAG_EREIGNIS, Ereignis_Nach_Spiel);
    Abonnieren(s.ereignis_serie, "Spieltag.ereignis_serie", prio::SPIELTAG_EREIGNIS, Ereignis_Nach_Serie);
    Besetzen(s.nicht_eingesetzt, Ereignis_Nicht_Eingesetzt, "Spieltag.nicht_eingesetzt");
    KalenderHooks& k = Kalender_Hooks();
    Abonnieren(k.module_init, "Kalender.module_init", prio::INIT_EREIGNIS, [] {
        Ereignis_Init();
        Ereignis_Zustand_Zuruecksetzen();
    });
    Abonnieren(k.module_free, "Kalender.module_free", prio::FREI_EREIGNIS, [] { Ereignis_Exit(); });
    Abonnieren(k.tag_ereignisse, "Kalender.tag_ereignisse", prio::TAG_EREIGNIS, Ereignis_Kalender_Tag);
    Abonnieren(k.monat_ereignisse, "Kalender.monat_ereignisse", prio::MONAT_EREIGNIS, Ereignis_Kalender_Monat);
}

}  // namespace velmora::verdrahtung
