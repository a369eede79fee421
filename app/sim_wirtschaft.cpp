// app/sim_wirtschaft.cpp - the simulator's economy report.
#include "app/sim_wirtschaft.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "business/bank.h"
#include "business/bank_kredit.h"
#include "business/compi.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/str.h"

namespace velmora {
namespace {

struct WirtschaftStatistik {
    int64_t zwischen_vereinen = 0, mit_markt = 0;
    int64_t transfers_seit_saison = 0;
    std::vector<int64_t> tief;   // per team: the lowest balance at a day's start since the season's end
    std::vector<SimWirtschaftSaison> saisons;
};
WirtschaftStatistik g;

// The categories the report names, in the order of the finance screen.
struct Kategorie {
    uint8_t nummer;
    const char* name;
};
constexpr Kategorie KATEGORIEN[] = {
    {BUCHUNG_EINTRITT, "Eintritt"},          {BUCHUNG_WERBUNG, "Werbung"},
    {BUCHUNG_SONSTIGE_EINNAHMEN, "Sonstige Einnahmen"}, {BUCHUNG_KREDIT_AUSZAHLUNG, "Kredite"},
    {BUCHUNG_KREDIT_ZURUECK, "Verliehenes zurueck"}, {BUCHUNG_TRANSFER_EIN, "Transfererloese"},
    {BUCHUNG_TRANSFER_AUS, "Transferkosten"},  {BUCHUNG_SPIELERKOSTEN, "Spielerkosten"},
    {BUCHUNG_TRAINING, "Training"},           {BUCHUNG_STADIONBAU, "Stadionbau"},
    {BUCHUNG_STADION_UNTERHALT, "Stadionunterhalt"}, {BUCHUNG_WERBUNG_KOSTEN, "Werbekosten"},
    {BUCHUNG_SONSTIGE_KOSTEN, "Sonstige Kosten"}, {BUCHUNG_KREDIT_VERLEIH, "Verliehen"},
    {BUCHUNG_KREDIT_TILGUNG, "Tilgung"},
};

bool Spielbar(int32_t team) {
    int32_t spieler[TEAM_SPIELER_MAX];
    const int32_t n = Teamspieler_Ins_Array(team, spieler, TEAM_SPIELER_MAX, 0);
    if (n < 11) return false;
    for (int32_t i = 0; i < n; ++i)
        if (Spieler_Get_Art(spieler[i]) == 0) return true;
    return false;
}

int64_t Quantil(const std::vector<int64_t>& s, int32_t prozent) {
    return s[(s.size() - 1) * size_t(prozent) / 100];
}

std::string Saison_Zeile(const char* name, const SimWirtschaftSaison& s) {
    return Str_Format("%s: Vereine %d, Kontostand min %lld, 25 %% %lld, Median %lld, 75 %% %lld, max %lld; "
                      "am Limit %d, verschuldet %d, am Tiefpunkt unter null %d, tiefster Stand %lld, "
                      "Kader nicht spielbar %d, Transfers %lld\n",
                      name, s.vereine, (long long)s.min, (long long)s.q1, (long long)s.median, (long long)s.q3,
                      (long long)s.max, s.am_limit, s.verschuldet, s.im_minus, (long long)s.tiefst, s.unspielbar,
                      (long long)s.transfers);
}

}  // namespace

void Sim_Wirtschaft_Transfer(int32_t von, int32_t zu) {
    const int32_t markt = Team_Markt();
    (von == markt || zu == markt ? g.mit_markt : g.zwischen_vereinen)++;
    ++g.transfers_seit_saison;
}

void Sim_Wirtschaft_Tag() {
    g.tief.resize(size_t(std::max<int32_t>(Team_Anzahl(), 0)), INT64_MAX);
    for (int32_t t = 0; t < Team_Anzahl(); ++t)
        if (Compi_Ist_Compi(t)) g.tief[size_t(t)] = std::min<int64_t>(g.tief[size_t(t)], Bank_Kontostand(t, false, -1));
}

SimWirtschaftSaison Sim_Wirtschaft_Stand() {
    SimWirtschaftSaison s;
    std::vector<int64_t> staende;
    for (int32_t t = 0; t < Team_Anzahl(); ++t) {
        if (!Compi_Ist_Compi(t)) continue;
        const int64_t b = Bank_Kontostand(t, false, -1);
        // The season's low: the days' starts and the balance now.
        const int64_t tief = size_t(t) < g.tief.size() ? std::min(g.tief[size_t(t)], b) : b;
        if (tief < 0) ++s.im_minus;
        s.tiefst = staende.empty() ? tief : std::min(s.tiefst, tief);
        staende.push_back(b);
        if (float(b) >= BANK_KAPPUNG) ++s.am_limit;
        if (float(b) < -Bank_Kreditrahmen(t)) ++s.verschuldet;
        if (!Spielbar(t)) ++s.unspielbar;
    }
    s.vereine = int32_t(staende.size());
    s.transfers = g.transfers_seit_saison;
    if (staende.empty()) return s;
    std::sort(staende.begin(), staende.end());
    s.min = staende.front();
    s.q1 = Quantil(staende, 25);
    s.median = Quantil(staende, 50);
    s.q3 = Quantil(staende, 75);
    s.max = staende.back();
    return s;
}

void Sim_Wirtschaft_Saisonende() {
    g.saisons.push_back(Sim_Wirtschaft_Stand());
    g.transfers_seit_saison = 0;
    g.tief.clear();
}

std::string Sim_Wirtschaft_Text() {
    const CompiZaehler& z = Compi_Zaehler();
    std::string t;
    t += Str_Format("Gehaelter %lld\n", (long long)z.gehaelter);
    t += Str_Format("Transfers zwischen Vereinen %lld\n", (long long)g.zwischen_vereinen);
    t += Str_Format("Transfers mit dem Markt %lld\n", (long long)g.mit_markt);
    t += Str_Format("Vertragsverlaengerungen %d (%lld)\n", z.verlaengerungen, (long long)z.verlaengerungen_geld);
    t += Str_Format("Talente gekauft %d (%lld)\n", z.talente, (long long)z.talente_geld);
    for (const Kategorie& k : KATEGORIEN) {
        const double aus = Bank_Gesamt(k.nummer, false), ein = Bank_Gesamt(k.nummer, true);
        if (aus == 0 && ein == 0) continue;
        t += Str_Format("Buchungen %d %s: ein %.0f, aus %.0f\n", k.nummer, k.name, ein, aus);
    }
    for (size_t i = 0; i < g.saisons.size(); ++i)
        t += Saison_Zeile(std::string(Str_Format("Saisonende %zu", i + 1)).c_str(), g.saisons[i]);
    t += Saison_Zeile("Heute", Sim_Wirtschaft_Stand());
    return t;
}

void Sim_Wirtschaft_Zuruecksetzen() { g = WirtschaftStatistik{}; }

}  // namespace velmora
