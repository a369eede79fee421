// business/compi.cpp - the computer clubs' economy.
#include "business/compi.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "business/angebot.h"
#include "business/bank.h"
#include "business/news.h"
#include "business/verhandlung.h"
#include "club/club_hooks.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "club/transfer.h"
#include "club/wirtschaft.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "season/kalender.h"

namespace velmora {
namespace {

constexpr uint32_t NICHT_VERFUEGBAR = 0x7c0;   // injured or suspended
constexpr int32_t MARKT_OHNE_SCOUTS = 0x40000;

// The order in which a club's salaries are summed against a limit: the
// highest salaries of its last whole sum first, so that a club short of money
// passes its limit after a few players. It belongs to the squad list it was
// made for: a changed squad is summed whole in its own order, which makes the
// order anew. Any order decides alike (below the limit the whole sum, above it
// some partial sum above it); this one only ends the walk sooner.
struct GehaltsReihe {
    std::vector<int32_t> kader;   // the squad as listed when the order was made
    std::vector<int32_t> reihe;   // positions in that list, the highest salary first
};

struct CompiModul {
    CompiZaehler zaehler;
    std::vector<GehaltsReihe> gehalts_reihe;   // by team
    std::vector<int32_t> kader;                // the squad being summed
};
CompiModul g;

int32_t Kader(int32_t team, std::vector<int32_t>& out) {
    out.resize(team == Team_Markt() ? size_t(MARKT_SPIELER_MAX) : size_t(TEAM_SPIELER_MAX));
    const int32_t n = Teamspieler_Ins_Array(team, out.data(), int32_t(out.size()),
                                            team == Team_Markt() ? MARKT_OHNE_SCOUTS : 0);
    out.resize(size_t(std::max(n, 0)));
    return n;
}

int64_t Kontostand(int32_t team) { return Bank_Kontostand(team, false, -1); }

const char* Name(int32_t spieler) { return Spieler_String(SPS_NAME, spieler, 0, 0); }

// The human managers in the league of either club hear of a move between others.
void Transfer_Melden(int32_t kaeufer, int32_t partner, int32_t kommt, int32_t geht, int32_t preis) {
    const int32_t ligen[2] = {Team_Wert(TW_WETTBEWERB, kaeufer, 0, OP_LESEN),
                              partner == Team_Markt() ? -1 : Team_Wert(TW_WETTBEWERB, partner, 0, OP_LESEN)};
    const std::string kaeufer_name = Team_String(TS_NAME, kaeufer, 0, 0);
    const std::string kommt_name = Name(kommt), geht_name = Name(geht);
    for (int32_t h = 0; h < Team_Anzahl(); ++h) {
        if (!Team_Hat_Manager(h)) continue;
        const int32_t liga = Team_Wert(TW_WETTBEWERB, h, 0, OP_LESEN);
        if (liga < 0 || (liga != ligen[0] && liga != ligen[1])) continue;
        const std::string geld = Geld_Text(float(preis), h, -1);
        if (partner == Team_Markt()) {
            News_Add(-1, h, -1, int32_t(NEWS_NACHRICHT | NEWS_SPIELER), nullptr,
                     "Transfermarkt: %s holt %s f\xfcr %s und gibt %s an den Markt ab.", kaeufer_name.c_str(),
                     kommt_name.c_str(), geld.c_str(), geht_name.c_str());
        } else {
            const std::string partner_name = Team_String(TS_NAME, partner, 0, 0);
            News_Add(-1, h, -1, int32_t(NEWS_NACHRICHT | NEWS_SPIELER), nullptr,
                     "Transfer: %s wechselt f\xfcr %s von %s zu %s, %s geht den umgekehrten Weg.", kommt_name.c_str(),
                     geld.c_str(), partner_name.c_str(), kaeufer_name.c_str(), geht_name.c_str());
        }
    }
}

}  // namespace

const CompiZaehler& Compi_Zaehler() { return g.zaehler; }
void Compi_Zaehler_Zuruecksetzen() { g.zaehler = CompiZaehler{}; }

int32_t Compi_Partner(int32_t team) {
    const int32_t delta = std::max(1, Transferfaktor_Wert(TF_COMPI_TRANSFER_DELTA_TEAMS_ABS));
    std::vector<int32_t> kandidaten;
    for (int32_t t = std::max(0, team - delta); t <= std::min(Team_Anzahl() - 1, team + delta); ++t)
        if (t != team && Compi_Ist_Compi(t)) kandidaten.push_back(t);
    if (kandidaten.empty()) return -1;
    return kandidaten[size_t(Rnd(0, int32_t(kandidaten.size()) - 1))];
}

bool Compi_Ist_Compi(int32_t team) {
    return team >= 0 && team < Team_Anzahl() && Team_Ist_Normal(team, 0) && !Manager_Oder_Netzwerk_Team(team);
}

namespace {

// The squad's salaries summed until they pass `grenze`: the whole sum when it
// stays at or below `grenze`, else some partial sum above it (a salary is
// never negative, so the whole sum lies above it too).
int64_t Gehaelter_Bis(int32_t team, int64_t grenze) {
    std::vector<int32_t>& kader = g.kader;
    Kader(team, kader);
    if (g.gehalts_reihe.size() <= size_t(team)) g.gehalts_reihe.resize(size_t(team) + 1);
    GehaltsReihe& r = g.gehalts_reihe[size_t(team)];
    int64_t summe = 0;
    if (r.kader == kader) {
        for (int32_t i : r.reihe) {
            summe += Spieler_Berechne_Gehalt(kader[size_t(i)]);
            if (summe > grenze) break;
        }
        return summe;
    }
    std::vector<std::pair<int32_t, int32_t>> gehalt(kader.size());   // salary, position
    for (size_t i = 0; i < kader.size(); ++i) {
        gehalt[i] = {Spieler_Berechne_Gehalt(kader[i]), int32_t(i)};
        summe += gehalt[i].first;
    }
    std::sort(gehalt.begin(), gehalt.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    r.kader = kader;
    r.reihe.resize(gehalt.size());
    for (size_t i = 0; i < gehalt.size(); ++i) r.reihe[i] = gehalt[i].second;
    return summe;
}

}  // namespace

int64_t Compi_Gehaelter(int32_t team) {
    if (team < 0 || team >= Team_Anzahl()) {
        Debug_Printf("Compi_Gehaelter: Team %d ungueltig\n", team);
        return 0;
    }
    return Gehaelter_Bis(team, INT64_MAX);
}

void Compi_Saison() {
    if (Club_Ist_Client()) return;
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        if (!Compi_Ist_Compi(t)) continue;
        const int64_t gehalt = Compi_Gehaelter(t);
        if (gehalt > 0 && Bank_Ueberweisung(t, -1, float(gehalt), BUCHUNG_SPIELERKOSTEN, 1, -1))
            g.zaehler.gehaelter += gehalt;
    }
}

int32_t Compi_Talent_Preis(int32_t talent) {
    const AttributDaten* d = Attribut_Daten(talent);
    if (!d) return 0;
    const int32_t einheiten = d->punkte_training > 0 ? std::max(1, d->noetige_punkte / d->punkte_training) : 1;
    return int32_t(std::min<int64_t>(int64_t(Attribut_Get_Preis(talent, -1)) * einheiten, INT32_MAX));
}

bool Compi_Talent_Kaufen(int32_t team) {
    if (!Compi_Ist_Compi(team) || Club_Ist_Client()) return false;
    // The club keeps twice its salaries in hand. Most days most clubs have
    // less, which the salaries summed up to half the balance already tell.
    const int64_t stand = Kontostand(team);
    if (stand <= 0) return false;
    const int64_t reserve = 2 * Gehaelter_Bis(team, (stand - 1) / 2);
    if (stand <= reserve) return false;
    std::vector<int32_t> liste;
    Kader(team, liste);
    // The strongest players first: the talent is worth most to a regular.
    // Each strength read once; equal ones keep the squad's order.
    std::vector<std::pair<int32_t, int32_t>> kader(liste.size());   // strength, player
    for (size_t i = 0; i < liste.size(); ++i) kader[i] = {Spieler_Staerke(liste[i]), liste[i]};
    std::stable_sort(kader.begin(), kader.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& eintrag : kader) {
        const int32_t s = eintrag.second;
        if (Attribute_Attribut_Hat_Maximum(s)) continue;
        const bool torwart = Spieler_Get_Art(s) == 0;
        const int32_t von = torwart ? ATTRIBUT_TW_START : 0, bis = torwart ? ATTRIBUT_TW_ENDE : ATTRIBUT_FELD_ENDE;
        const int32_t start = Rnd(von, bis);
        for (int32_t i = 0; i <= bis - von; ++i) {
            const int32_t id = von + (start - von + i) % (bis - von + 1);
            const int32_t preis = Compi_Talent_Preis(id);
            if (preis <= 0 || stand - preis < reserve || !Attribut_Erlernbar(s, id, 0)) continue;
            if (!Attribut_Spieler_Setze_Wert(s, id, ATTRIBUT_LERNEN)) continue;
            if (!Bank_Ueberweisung(team, -1, float(preis), BUCHUNG_TRAINING, 0, -1)) {
                Attribut_Spieler_Setze_Wert(s, id, ATTRIBUT_ZURUECKSETZEN);
                return false;
            }
            ++g.zaehler.talente;
            g.zaehler.talente_geld += preis;
            return true;
        }
    }
    return false;
}

bool Compi_Tausch_Suchen(int32_t kaeufer, int32_t partner, int32_t* geht_out, int32_t* kommt_out,
                         int32_t* preis_out) {
    if (kaeufer < 0 || kaeufer >= Team_Anzahl() || partner < 0 || partner >= Team_Anzahl() || kaeufer == partner)
        return false;
    // Both squads by kind, in their order; a kind's players are looked at
    // when it comes up, each strength read once.
    std::vector<int32_t> liste;
    std::vector<int32_t> eigene[4], fremde[4];
    auto nach_art = [&liste](int32_t team, std::vector<int32_t>* out) {
        Kader(team, liste);
        for (int32_t s : liste) {
            const int32_t art = Spieler_Get_Art(s);
            if (art >= 0 && art < 4) out[art].push_back(s);
        }
    };
    nach_art(kaeufer, eigene);
    nach_art(partner, fremde);
    const int32_t delta = Transferfaktor_Wert(TF_COMPI_TRANSFER_DELTA_SPIELER_ABS) * 1000;
    // The kinds from a random one on: the first kind that finds a deal makes it.
    const int32_t erste_art = Rnd(0, 3);
    for (int32_t k = 0; k < 4; ++k) {
        const int32_t art = (erste_art + k) % 4;
        int32_t geht = -1, geht_staerke = 0;
        for (int32_t s : eigene[art]) {
            const int32_t staerke = Spieler_Staerke(s);
            if (geht < 0 || staerke < geht_staerke) {
                geht = s;
                geht_staerke = staerke;
            }
        }
        if (geht < 0) continue;
        const int64_t geld = Kontostand(kaeufer) + Verhandlung_Verkauf_Erloes(geht);
        const int32_t max_geht = Spieler_Wert(SPW_MAX_STERNE, geht, 0, OP_LESEN) * 1000;
        int32_t kommt = -1, kommt_staerke = 0, preis = 0;
        for (int32_t s : fremde[art]) {
            const int32_t staerke = Spieler_Staerke(s);
            if (staerke <= geht_staerke || (kommt >= 0 && staerke <= kommt_staerke) ||
                (Spieler_Status(s) & NICHT_VERFUEGBAR))
                continue;
            if (std::abs(Spieler_Wert(SPW_MAX_STERNE, s, 0, OP_LESEN) * 1000 - max_geht) > delta) continue;
            const int32_t forderung = Spieler_Get_Forderung(s);
            if (forderung <= 0 || forderung > geld) continue;
            kommt = s;
            kommt_staerke = staerke;
            preis = forderung;
        }
        if (kommt < 0) continue;
        *geht_out = geht;
        *kommt_out = kommt;
        *preis_out = preis;
        return true;
    }
    return false;
}

void Compi_Verlaengerung_Zaehlen(int32_t kosten) {
    ++g.zaehler.verlaengerungen;
    g.zaehler.verlaengerungen_geld += kosten;
}

bool Compi_Transfer(int32_t team, bool markt) {
    if (!Compi_Ist_Compi(team) || Club_Ist_Client()) return false;
    const int32_t partner = markt ? Team_Markt() : Compi_Partner(team);
    int32_t geht = -1, kommt = -1, preis = 0;
    if (partner < 0 || !Compi_Tausch_Suchen(team, partner, &geht, &kommt, &preis)) return false;
    if (!Spieler_Transfer_Ausfuehren(team, partner, geht, kommt, float(preis))) return false;
    ++g.zaehler.transfers;
    Transfer_Melden(team, partner, kommt, geht, preis);
    return true;
}

void Compi_Runde() {
    if (Club_Ist_Client()) return;
    const int32_t haeufigkeit = std::max(0, Transferfaktor_Wert(TF_COMPI_TRANSFER_HAEUFIGKEIT_ABS));
    const int32_t mit_markt = Transferfaktor_Wert(TF_COMPI_TRANSFER_MIT_TM);
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        if (Team_Hat_Manager(t)) {
            if (Rnd(0, haeufigkeit / 4) == 0) Angebot_Machen(t);
            continue;
        }
        if (!Compi_Ist_Compi(t)) continue;
        Compi_Talent_Kaufen(t);
        if (Rnd(0, haeufigkeit) != 0) continue;
        Compi_Transfer(t, Rnd(0, 100) < mit_markt);
    }
}

void Compi_Tag() {
    if (Kalender_Datum_Kopie().wochentag == 0) Compi_Runde();
}

}  // namespace velmora
