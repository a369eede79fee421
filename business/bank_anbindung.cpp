// business/bank_anbindung.cpp - the bank wired into the lower modules' hooks.
#include "business/bank_anbindung.h"

#include "business/news.h"
#include "business/stadion_hooks.h"

#include "business/bank.h"
#include "business/bank_netz.h"
#include "club/club_anbindung.h"
#include "club/club_hooks.h"
#include "club/kader_hooks.h"
#include "core/debug.h"
#include "core/spielstand.h"
#include "match/spieltag_hooks.h"
#include "net/net.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"

namespace velmora {
namespace {

constexpr int32_t BANK_ANFRAGEN[] = {ANFRAGE_BANK_STATUS, ANFRAGE_BANK_KONTO, ANFRAGE_BANK_AUSZAHLUNG,
                                     ANFRAGE_BANK_BUCHUNGEN, ANFRAGE_BANK_KREDIT};

// Debits the club may be refused (stadium building, training, transfer costs);
// every other payment is forced.
int8_t Zwingend(int32_t kategorie) {
    return kategorie == BUCHUNG_STADIONBAU || kategorie == BUCHUNG_TRAINING || kategorie == BUCHUNG_TRANSFER_AUS ? 0
                                                                                                                   : 1;
}

bool kader_ueberweisung(int32_t von, int32_t an, float betrag, int32_t kategorie) {
    return Bank_Ueberweisung(von, an, betrag, uint8_t(kategorie), Zwingend(kategorie), -1);
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

void nach_spiel_team(int32_t team, Spiel_Lock spiel) { Bank_Periode_Buchen(team, Spiele_Get_Spiel(spiel, 1)); }

int32_t spielstand_kontostand(int32_t team) { return Bank_Kontostand(team, false, -1); }

bool bank_anfrage(int32_t anfrage, int32_t client_team, const uint8_t* daten, size_t bytes,
                  std::vector<uint8_t>& antwort) {
    return Bank_Server_Anfrage(anfrage, client_team, daten, bytes, antwort);
}

// The calendar's client synchronisation also fetches the bank again.
void (*g_kalender_holen)() = nullptr;
void kalender_holen() {
    if (g_kalender_holen) g_kalender_holen();
    Bank_Client_Alles_Holen(Club_Client_Team());
}

}  // namespace

void Bank_Anbinden() {
    Bank_Init();
    // The bank's messages reach the managers as news; the stadium and the
    // advertising move their money through the bank.
    Bank_Hooks().news = [](int32_t team, int32_t absender, uint32_t flags, const char* text) {
        News_Add(absender, team, -1, int32_t(flags), nullptr, "%s", text);
    };
    StadionHooks& st = Stadion_Hooks();
    st.geld_ueberweisen = [](int32_t von, int32_t an, float betrag, int32_t kategorie, bool erzwingen) {
        return Bank_Ueberweisung(von, an, betrag, uint8_t(kategorie), erzwingen ? 1 : 0, -1);
    };
    st.kontostand = [](int32_t team) { return Bank_Kontostand(team, false, -1); };
    KaderHooks& k = Kader_Hooks();
    k.bank_kontostand = kader_kontostand;
    k.bank_ueberweisung = kader_ueberweisung;
    SpieltagHooks& s = Spieltag_Hooks();
    s.bank_ueberweisung = spieltag_ueberweisung;
    s.geld_text = spieltag_geld_text;
    Wettbewerb_Hooks().bank_buchen = wettbewerb_buchen;
    Kalender_Hooks().nach_spiel_team = nach_spiel_team;
    Spielstand_Hooks().kontostand = spielstand_kontostand;
    NetHooks& n = Net_Hooks();
    if (n.kalender_holen != kalender_holen) g_kalender_holen = n.kalender_holen;
    n.kalender_holen = kalender_holen;
    for (int32_t id : BANK_ANFRAGEN) Club_Anfrage_Anmelden(id, bank_anfrage);
    const ClubHooks& c = Club_Hooks();
    if (c.speicher_registrieren) c.speicher_registrieren("Bank", Bank_Save, Bank_Load);
}

void Bank_Abbinden() {
    KaderHooks& k = Kader_Hooks();
    if (k.bank_kontostand == kader_kontostand) k.bank_kontostand = nullptr;
    if (k.bank_ueberweisung == kader_ueberweisung) k.bank_ueberweisung = nullptr;
    SpieltagHooks& s = Spieltag_Hooks();
    if (s.bank_ueberweisung == spieltag_ueberweisung) s.bank_ueberweisung = nullptr;
    if (s.geld_text == spieltag_geld_text) s.geld_text = nullptr;
    if (Wettbewerb_Hooks().bank_buchen == wettbewerb_buchen) Wettbewerb_Hooks().bank_buchen = nullptr;
    if (Kalender_Hooks().nach_spiel_team == nach_spiel_team) Kalender_Hooks().nach_spiel_team = nullptr;
    if (Spielstand_Hooks().kontostand == spielstand_kontostand) Spielstand_Hooks().kontostand = nullptr;
    NetHooks& n = Net_Hooks();
    if (n.kalender_holen == kalender_holen) n.kalender_holen = g_kalender_holen;
    g_kalender_holen = nullptr;
    Bank_Exit();
}

}  // namespace velmora
