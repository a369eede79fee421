// app/sim_aktiv.cpp - the simulator's active managers.
#include "app/sim_aktiv.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "business/angebot.h"
#include "business/bank.h"
#include "business/bank_kredit.h"
#include "business/bank_netz.h"
#include "business/compi.h"
#include "business/news.h"
#include "business/news_anfrage.h"
#include "business/stadion.h"
#include "business/werbung.h"
#include "club/club_netz.h"
#include "club/regeln.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/transfer.h"
#include "club/wirtschaft.h"
#include "core/str.h"
#include "season/kalender.h"

namespace velmora {
namespace {

constexpr int64_t KNAPP = 500000;           // below this the club borrows
constexpr int32_t KREDIT = 2000000;         // what it asks for, at most its credit limit
constexpr int32_t KREDIT_LAUFZEIT = 12;
constexpr int64_t REICH = 30000000;         // above this the club builds at its stadium
constexpr int32_t KAUF_WOCHEN = 4;          // a market player every fourth week of the club, from its first

struct SimAktiv {
    SimAktivZaehler zaehler;
    std::vector<int32_t> wochen;   // per club, the weeks it has acted
};
SimAktiv g;

int32_t Bits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return int32_t(u);
}

// The club's request as its client would send it; word `wort` of the answer (0 refused).
int32_t Senden(int32_t team, int32_t anfrage, const std::vector<int32_t>& woerter,
               bool (*handler)(int32_t, int32_t, const uint8_t*, size_t, std::vector<uint8_t>&), int32_t wort = 0) {
    std::vector<uint8_t> a, antwort;
    ClubPacker pk{a};
    for (int32_t w : woerter) pk.i32(w);
    if (!handler(anfrage, team, a.data(), a.size(), antwort)) return 0;
    ClubLeser l{antwort.data(), antwort.size()};
    int32_t wert = 0;
    for (int32_t i = 0; i <= wort; ++i) wert = l.i32();
    return l.fehler ? 0 : wert;
}

bool Club_Anfrage(int32_t anfrage, int32_t team, const uint8_t* daten, size_t bytes, std::vector<uint8_t>& antwort) {
    return Club_Server_Anfrage(anfrage, team, daten, bytes, antwort);
}

int64_t Stand(int32_t team) { return Bank_Kontostand(team, false, -1); }

// An offer is taken when it pays at least a tenth over the player's market
// value; an extension when the money is there.
void Antworten(int32_t team) {
    std::vector<uint32_t> ids;
    std::vector<int32_t> antworten;
    for (int32_t i = News_Erste(team, int32_t(NEWS_ANFRAGE)); i >= 0; i = News_Naechste()) {
        const int32_t* k = News_Get_Kopf(i);
        if (k[0] != ANFRAGE_ART_SPIELER || k[1] != team || k[4] < 0 || k[4] >= Spieler_Anzahl()) continue;
        const int32_t ja = k[7] == ANGEBOT_KAUF ? (int64_t(k[6]) * 10 >= int64_t(Spieler_Berechne_Marktwert(k[4])) * 11)
                                                : Stand(team) >= k[6];
        ids.push_back(News_Get_Id(i));
        antworten.push_back(ja);
    }
    for (size_t i = 0; i < ids.size(); ++i) {
        if (News_Antwort_Eintragen(team, ids[i], antworten[i]) == 0) continue;
        (antworten[i] ? g.zaehler.antworten_ja : g.zaehler.antworten_nein)++;
    }
}

void Stadion_Bauen(int32_t team) {
    const Stadion_Satz* s = Stadion_Get(team, 1);
    if (!s) return;
    // The next model when it is affordable with half the money, else a thousand places more.
    const int32_t modell = std::min(s->modell + 1, STADION_MODELLE - 1);
    const int32_t platz_max = Stadion_Modell_Wert(s->modell, MODELL_MAX_KAPAZITAET);
    struct Plan {
        int32_t modell, kapazitaet;
    } plaene[] = {{modell, std::max(s->kapazitaet, Stadion_Modell_Wert(modell, MODELL_MIN_KAPAZITAET))},
                  {s->modell, std::min(s->kapazitaet + 1000, std::max(platz_max, s->kapazitaet))}};
    for (const Plan& p : plaene) {
        if (p.modell == s->modell && p.kapazitaet == s->kapazitaet) continue;
        if (Stadion_Umbau_Preis(*s, p.modell, s->komfort, p.kapazitaet) * 2 > Stand(team)) continue;
        if (Senden(team, ANFRAGE_STADION_AENDERN, {team, p.modell, s->komfort, p.kapazitaet, s->preis},
                   Stadion_Server_Anfrage) == 1) {
            ++g.zaehler.stadion;
            return;
        }
    }
}

void Markt_Kauf(int32_t team) {
    int32_t geht = -1, kommt = -1, preis = 0;
    if (Team_Markt() < 0 || !Compi_Tausch_Suchen(team, Team_Markt(), &geht, &kommt, &preis)) return;
    preis = std::max(preis, Transfer_Mindestpreis(kommt));
    if (Senden(team, ANFRAGE_TRANSFER, {team, Team_Markt(), geht, kommt, team, Bits(float(preis))}, Club_Anfrage) == 1)
        ++g.zaehler.kaeufe;
}

}  // namespace

const SimAktivZaehler& Sim_Aktiv_Zaehler() { return g.zaehler; }
void Sim_Aktiv_Zuruecksetzen() { g = SimAktiv{}; }

void Sim_Aktiv_Woche(int32_t team) {
    if (!Team_Hat_Manager(team)) return;
    ++g.zaehler.wochen;
    if (g.wochen.size() <= size_t(team)) g.wochen.resize(size_t(team) + 1, 0);
    const int32_t woche = g.wochen[size_t(team)]++;
    Antworten(team);
    if (Stand(team) < KNAPP && Bank_Kreditrahmen(team) >= 10000.0f) {
        const float betrag = float(Kosten_Runden(std::min<int32_t>(KREDIT, int32_t(Bank_Kreditrahmen(team)))));
        if (Senden(team, ANFRAGE_BANK_KREDIT, {Bits(betrag), Bits(-1.0f), -1, team, KREDIT_LAUFZEIT, 0},
                   Bank_Server_Anfrage) == 1)
            ++g.zaehler.kredite;
    }
    // The pending advertising offer is the best the club is offered this week.
    if (Senden(team, ANFRAGE_WERBUNG, {team, -1, 0, 1}, Werbung_Server_Anfrage, 2) == 1) ++g.zaehler.werbung;
    if (Stand(team) > REICH) Stadion_Bauen(team);
    if (woche % KAUF_WOCHEN == 0) Markt_Kauf(team);
}

void Sim_Aktiv_Tag() {
    if (Kalender_Datum_Kopie().wochentag != 0) return;
    for (int32_t t = 0; t < Team_Anzahl(); ++t)
        if (Team_Hat_Manager(t)) Sim_Aktiv_Woche(t);
}

std::string Sim_Aktiv_Text() {
    const SimAktivZaehler& z = g.zaehler;
    if (z.wochen == 0) return "";
    return Str_Format("Aktive Manager: Wochen %d, Antworten ja %d, nein %d, Kredite %d, Werbung %d, "
                      "Stadionumbauten %d, Kaeufe vom Markt %d\n",
                      z.wochen, z.antworten_ja, z.antworten_nein, z.kredite, z.werbung, z.stadion, z.kaeufe);
}

}  // namespace velmora
