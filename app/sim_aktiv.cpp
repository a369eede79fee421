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
#include "business/scout.h"
#include "business/stadion.h"
#include "business/training.h"
#include "business/training_screen.h"
#include "business/trainingslager.h"
#include "business/trainingslager_lauf.h"
#include "business/verhandlung.h"
#include "business/werbung.h"
#include "club/club_netz.h"
#include "club/global_config.h"
#include "club/regeln.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "club/transfer.h"
#include "club/wirtschaft.h"
#include "core/str.h"
#include "platform/clock.h"
#include "season/kalender.h"

namespace velmora {
namespace {

constexpr int64_t KNAPP = 500000;           // below this the club borrows
constexpr int32_t KREDIT = 2000000;         // what it asks for, at most its credit limit
constexpr int32_t KREDIT_LAUFZEIT = 12;
constexpr int64_t REICH = 30000000;         // above this the club builds at its stadium
constexpr int32_t KAUF_WOCHEN = 4;          // a market player every fourth week of the club, from its first
constexpr int32_t UEBUNG_WOCHEN = 8;        // a camp in the third week of every eight, a scout in the seventh
constexpr int32_t LAGER_WOCHE = 2, SCOUT_WOCHE = 6;
constexpr uint32_t BILD_MS = 20;            // one frame of the screens' loop
constexpr int32_t TRAINING_BILDER = 15000;  // five minutes: a unit still running then is stopped
constexpr int32_t LAGER_BILDER = 90000;     // thirty minutes: a camp still running then is ended
constexpr int32_t SCOUT_BILDER = 30000;     // ten minutes of search at most
constexpr int32_t VERHANDLUNG_BILDER = VERHANDLUNG_ZEIT_MS / int32_t(BILD_MS) + 50;
constexpr int32_t SCOUT_REGIONEN = 14;      // the regions always on offer

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

// The acts that run on the machine's own club: the club is the local one and
// the program clock is virtual (unless it already is) while they run, moved a
// frame at a time as the screens' loop would move it; then both are as before.
struct Am_Bildschirm {
    int32_t lokal = Team_Lokal();
    bool eigene_uhr = !Plat_Uhr_Ist_Virtuell();
    explicit Am_Bildschirm(int32_t team) {
        Team_Lokal_Setzen(team);
        if (eigene_uhr) Plat_Uhr_Virtuell(true, Plat_Ms());
    }
    ~Am_Bildschirm() {
        if (eigene_uhr) Plat_Uhr_Virtuell(false);
        Team_Lokal_Setzen(lokal);
    }
    Am_Bildschirm(const Am_Bildschirm&) = delete;
    Am_Bildschirm& operator=(const Am_Bildschirm&) = delete;
    static uint32_t Bild() {
        Plat_Uhr_Vorstellen(BILD_MS);
        return Plat_Ms();
    }
};

// The talent a unit for the player would train: the one he is in training
// for, else the one the training screen's carousel shows first.
int32_t Trainings_Talent(int32_t spieler) {
    const int32_t lernt = Attribute_Anzahl(spieler);
    if (lernt >= 0) return lernt;
    Karussell k;
    Karussell_Schritt(spieler, KARUSSELL_NEU, k);
    return k.akt;
}

int32_t Trainings_Zustand() {
    const Training_Sitzung* s = Training_Sitzung_Holen();
    return s ? s->zustand : TR_BEREIT;
}

// One unit a week for the first player from the week's turn on (squad order)
// who is fit, below the round's units and has a talent to train, when the
// club pays it and keeps KNAPP. The manager watches the strain and stops once
// the first peak is behind it (the strain falls), then takes the result.
void Trainieren(int32_t team, int32_t woche) {
    int32_t liste[TEAM_SPIELER_MAX];
    const int32_t n = Teamspieler_Ins_Array(team, liste, TEAM_SPIELER_MAX, 0);
    const int32_t grenze = Global_Parameter(GP_TRAININGS_EINHEITEN_PRO_RUNDE, 0);
    for (int32_t i = 0; i < n && !Training_Offen(); ++i) {
        const int32_t p = liste[(woche + i) % n];
        if ((Spieler_Status(p) & SP_STATUS_VERLETZT) || Spieler_Wert(SPW_TRAINING_EINHEITEN, p, 0, OP_LESEN) >= grenze)
            continue;
        const int32_t t = Trainings_Talent(p);
        if (t < 0 || Stand(team) - Attribut_Get_Preis(t, p) < KNAPP || !Training2_Oeffnen(p, t)) continue;
        Training2_Frame(Am_Bildschirm::Bild());
        if (!Training_Start()) {
            Training_Schliessen();
            return;
        }
        ++g.zaehler.einheiten;
        for (int32_t f = 0; f < TRAINING_BILDER; ++f) {
            const int32_t z = Trainings_Zustand();
            if (z == TR_ENDE || z == TR_ABSTURZ || z == TR_ABFALL) break;
            Training2_Frame(Am_Bildschirm::Bild());
        }
        if (Trainings_Zustand() == TR_ABSTURZ) {
            ++g.zaehler.abstuerze;
            Training_Anwenden();   // the crash is seen
        } else if (Trainings_Zustand() != TR_ENDE) {
            Training_Stop();
        }
        Training_Anwenden();
        return;
    }
}

// A camp when the club has one left this season: the one that builds the most
// strength among those it pays and keeps KNAPP; it runs to its end.
void Lager_Fahren(int32_t team) {
    if (Trainingslager_Uebrig() < 1 || Lager_Laeuft()) return;
    int32_t wahl = -1;
    for (int32_t l = 0; l < TL_LAGER; ++l) {
        const TrLagerDaten* d = Trainingslager_Daten(l);
        if (!d || Stand(team) - Trainingslager_Kosten(l) < KNAPP) continue;
        if (wahl < 0 || d->staerke > Trainingslager_Daten(wahl)->staerke) wahl = l;
    }
    if (wahl < 0 || Trainingslager_Buchen(wahl, Am_Bildschirm::Bild()) != TL_GEBUCHT) return;
    ++g.zaehler.lager;
    for (int32_t f = 0; f < LAGER_BILDER && Lager_Laeuft(); ++f) Lager_Frame(Am_Bildschirm::Bild());
    if (Lager_Laeuft()) Lager_Beenden();
    Lager_Ergebnisse_Schliessen();
}

// The club's weakest player of a kind, -1 none.
int32_t Schwaechster(int32_t team, int32_t art) {
    int32_t liste[TEAM_SPIELER_MAX];
    const int32_t n = Teamspieler_Ins_Array(team, liste, TEAM_SPIELER_MAX, 0);
    int32_t wer = -1;
    for (int32_t i = 0; i < n; ++i)
        if (Spieler_Get_Art(liste[i]) == art && (wer < 0 || Spieler_Staerke(liste[i]) < Spieler_Staerke(wer))) wer = liste[i];
    return wer;
}

// The negotiation for a prospect, with the club's weakest player of his kind
// going the other way: the manager raises his offer whenever the button lets
// him (by 100,000 while the asking price is further away, else by 10,000),
// never while the price falls, and completes when they agree.
void Verhandeln(int32_t team, int32_t gekauft) {
    const int32_t tausch = Schwaechster(team, Spieler_Get_Art(gekauft));
    if (tausch < 0 || Verhandlung_Starten(tausch, gekauft) != VH_OK) return;
    if (Verhandlung_Uhr_Starten() == VH_OK) {
        for (int32_t f = 0; f < VERHANDLUNG_BILDER; ++f) {
            Am_Bildschirm::Bild();
            Verhandlung_Takt();
            const VerhandlungStand s = Verhandlung_Stand();
            if (s.zustand == VH_BEENDET) break;
            if (s.zustand == VH_LAEUFT) Verhandlung_Erhoehen(s.forderung - s.angebot > 100000);
        }
    }
    Verhandlung_Verlassen();
    if (Verhandlung_Offen()) Verhandlung_Frage_Antwort(true);
    if (Spieler_Get_Team(gekauft) == team) ++g.zaehler.scout_kaeufe;
}

// A scout's search: the regions in turn, the best scout the club pays and
// keeps KNAPP; the search runs until its time is up or a prospect is
// persuaded, who is signed and negotiated for.
void Scout_Schicken(int32_t team, int32_t woche) {
    const int32_t region = (woche / UEBUNG_WOCHEN) % SCOUT_REGIONEN;
    int32_t scout = -1;
    for (int32_t s = SCOUT_MAX - 1; s >= 0 && scout < 0; --s)
        if (Scout_Daten(s) && Stand(team) - (int64_t(Scout_Grundpreis(s)) + Scout_Gebietspreis(s, region)) >= KNAPP)
            scout = s;
    if (scout < 0 || !Scout_Suche_Bezahlen(scout, region)) return;
    ++g.zaehler.scouts;
    for (int32_t f = 0; f < SCOUT_BILDER && Scout_Fertig() != 1 && Scout_Phase() != SCOUT_UEBERREDET; ++f) {
        Am_Bildschirm::Bild();
        Scout_Suche_Schritt(Scout_Prozent());
    }
    const int32_t kandidat = Scout_Kandidat_Spieler();
    if (Scout_Phase() == SCOUT_UEBERREDET && Scout_Verpflichten()) Verhandeln(team, kandidat);
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
    Am_Bildschirm bildschirm(team);
    Trainieren(team, woche);
    if (woche % UEBUNG_WOCHEN == LAGER_WOCHE) Lager_Fahren(team);
    if (woche % UEBUNG_WOCHEN == SCOUT_WOCHE) Scout_Schicken(team, woche);
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
                      "Stadionumbauten %d, Kaeufe vom Markt %d, Trainingseinheiten %d (Zusammenbrueche %d), "
                      "Trainingslager %d, Scoutsuchen %d, vom Scout verpflichtet %d\n",
                      z.wochen, z.antworten_ja, z.antworten_nein, z.kredite, z.werbung, z.stadion, z.kaeufe,
                      z.einheiten, z.abstuerze, z.lager, z.scouts, z.scout_kaeufe);
}

}  // namespace velmora
