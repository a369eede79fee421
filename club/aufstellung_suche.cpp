// club/aufstellung_suche.cpp - the automatic line-up's formation search
// (rules 3-5 at the top of aufstellung.cpp): which available players fill
// which row groups, and which built-in system a computer club plays.
#include "club/aufstellung_suche.h"

#include <algorithm>
#include <array>

#include "club/team.h"
#include "core/debug.h"

namespace velmora::aufstellung {
namespace {

struct SucheModul {
    // Buffers of the dynamic programme, kept to spare allocations per club.
    std::vector<int64_t> dp;
    std::vector<int8_t> wahl;
    std::vector<uint64_t> erreicht;
};
SucheModul g;

// The best line-up of the available players `feld` for the group counts
// `bedarf` (goal, defence, midfield, attack): the score by rules 3-4 and, in
// `gruppe_von`, the group of each player (-1 not chosen).
int64_t Gruppen_Verteilen(const std::vector<const Kandidat*>& feld, const int32_t bedarf[GRUPPEN],
                          std::vector<int32_t>& gruppe_von) {
    const int32_t dim[GRUPPEN] = {bedarf[0] + 1, bedarf[1] + 1, bedarf[2] + 1, bedarf[3] + 1};
    const int32_t zustaende = dim[0] * dim[1] * dim[2] * dim[3];
    const size_t n = feld.size();
    g.dp.assign((n + 1) * size_t(zustaende), -1);
    g.wahl.assign(n * size_t(zustaende), -1);
    g.dp[0] = 0;
    auto index = [&](const int32_t z[GRUPPEN]) { return ((z[0] * dim[1] + z[1]) * dim[2] + z[2]) * dim[3] + z[3]; };
    for (size_t i = 0; i < n; ++i) {
        const int64_t* vorher = &g.dp[i * size_t(zustaende)];
        int64_t* nachher = &g.dp[(i + 1) * size_t(zustaende)];
        int8_t* wahl = &g.wahl[i * size_t(zustaende)];
        const Kandidat& k = *feld[i];
        int64_t gewinn[GRUPPEN];
        for (int32_t gr = 0; gr < GRUPPEN; ++gr) {
            gewinn[gr] = GEWICHT_BESETZT + Wert_In_Gruppe(k, gr);
            if (gr == 0) gewinn[gr] += GEWICHT_BESETZT;   // the goal is filled first
        }
        int32_t z[GRUPPEN];
        for (z[0] = 0; z[0] < dim[0]; ++z[0])
            for (z[1] = 0; z[1] < dim[1]; ++z[1])
                for (z[2] = 0; z[2] < dim[2]; ++z[2])
                    for (z[3] = 0; z[3] < dim[3]; ++z[3]) {
                        int32_t von = index(z);
                        if (vorher[von] < 0) continue;
                        if (vorher[von] > nachher[von]) {
                            nachher[von] = vorher[von];
                            wahl[von] = -1;
                        }
                        for (int32_t gr = 0; gr < GRUPPEN; ++gr) {
                            if (z[gr] + 1 >= dim[gr]) continue;
                            ++z[gr];
                            int32_t nach = index(z);
                            --z[gr];
                            int64_t wert = vorher[von] + gewinn[gr];
                            if (wert > nachher[nach]) {
                                nachher[nach] = wert;
                                wahl[nach] = int8_t(gr);   // stored at the state it leads to
                            }
                        }
                    }
    }
    // The best final state and the way back to it.
    const int64_t* ende = &g.dp[n * size_t(zustaende)];
    int32_t beste = 0;
    for (int32_t s = 1; s < zustaende; ++s)
        if (ende[s] > ende[beste]) beste = s;
    gruppe_von.assign(n, -1);
    int32_t s = beste;
    for (size_t i = n; i-- > 0;) {
        int8_t gr = g.wahl[i * size_t(zustaende) + size_t(s)];
        if (gr < 0) continue;
        gruppe_von[i] = gr;
        int32_t z[GRUPPEN] = {s / (dim[1] * dim[2] * dim[3]), s / (dim[2] * dim[3]) % dim[1], s / dim[3] % dim[2],
                              s % dim[3]};
        --z[gr];
        s = index(z);
    }
    return ende[beste];
}

// Rule 3 and the field players: the best available goalkeeper (the first of
// equal ones) and the value he brings, and the available field players.
int64_t Tor_Und_Feld(const Kandidat* kader, int32_t n, int32_t bedarf[GRUPPEN], int32_t& torwart,
                     std::vector<const Kandidat*>& feld) {
    torwart = -1;
    for (int32_t i = 0; i < n; ++i)
        if (kader[i].verfuegbar && kader[i].art == 0 && (torwart < 0 || kader[i].grund > kader[torwart].grund))
            torwart = i;
    feld.clear();
    feld.reserve(size_t(n));
    for (int32_t i = 0; i < n; ++i)
        if (kader[i].verfuegbar && kader[i].art != 0) feld.push_back(&kader[i]);
    bedarf[0] = torwart >= 0 ? 0 : 1;
    return torwart >= 0 ? 2 * GEWICHT_BESETZT + kader[torwart].grund : 0;
}

void Bedarf_Von(const Formation& f, int32_t bedarf[GRUPPEN]) {
    int32_t gruppen[4];
    Formation_Gruppen_Zaehlen(f, gruppen);
    bedarf[1] = gruppen[2];
    bedarf[2] = gruppen[1];
    bedarf[3] = gruppen[0];
}

// Rules 3-4 for one formation, searched on its own.
void Plan_Rechnen(const Formation& f, const Kandidat* kader, int32_t n, Plan& plan,
                  std::vector<const Kandidat*>& feld) {
    int32_t bedarf[GRUPPEN];
    int64_t extra = Tor_Und_Feld(kader, n, bedarf, plan.torwart, feld);
    Bedarf_Von(f, bedarf);
    plan.formation = f;
    plan.wert = extra + Gruppen_Verteilen(feld, bedarf, plan.gruppe_von);
}

// The built-in systems as the formation choice sees them: the group counts
// and the key of equal counts, read once.
struct Standardsystem {
    int32_t bedarf[GRUPPEN] = {};
    int32_t schluessel = 0;
    bool erstes = true;   // no earlier system has the same group counts
    int32_t vertreter = 0;   // the first system with the same group counts
};
const Standardsystem* Standardsysteme() {
    static const auto systeme = [] {
        std::vector<Standardsystem> s(FORMATION_STANDARD_ANZAHL);
        for (int32_t i = 0; i < FORMATION_STANDARD_ANZAHL; ++i) {
            Formation f;
            Formation_Standard(i, &f);
            Bedarf_Von(f, s[size_t(i)].bedarf);
            s[size_t(i)].schluessel = s[size_t(i)].bedarf[3] * 100 + s[size_t(i)].bedarf[2] * 10 + s[size_t(i)].bedarf[1];
            s[size_t(i)].vertreter = i;
            for (int32_t t = i - 1; t >= 0; --t)
                if (s[size_t(t)].schluessel == s[size_t(i)].schluessel) s[size_t(i)].vertreter = t;
            s[size_t(i)].erstes = s[size_t(i)].vertreter == i;
        }
        return s;
    }();
    return systeme.data();
}

// Rule 5 for a computer club as searched one system at a time: the measure
// the fast search is held to.
int32_t Systeme_Einzeln_Rechnen(const Kandidat* kader, int32_t n, int32_t erster, Plan& bester,
                                std::vector<const Kandidat*>& bestes_feld) {
    const Standardsystem* sys = Standardsysteme();
    std::vector<const Kandidat*> feld;
    Plan versuch;
    Formation f;
    Formation_Standard(erster, &f);
    Plan_Rechnen(f, kader, n, bester, bestes_feld);
    int32_t gewaehlt = erster, gesehen[FORMATION_STANDARD_ANZAHL + 1], anzahl_gesehen = 0;
    gesehen[anzahl_gesehen++] = sys[erster].schluessel;
    for (int32_t i = 0; i < FORMATION_STANDARD_ANZAHL; ++i) {
        if (i == erster || std::find(gesehen, gesehen + anzahl_gesehen, sys[i].schluessel) != gesehen + anzahl_gesehen)
            continue;
        gesehen[anzahl_gesehen++] = sys[i].schluessel;
        Formation_Standard(i, &f);
        Plan_Rechnen(f, kader, n, versuch, feld);
        if (versuch.wert > bester.wert) {
            std::swap(bester, versuch);
            std::swap(bestes_feld, feld);
            gewaehlt = i;
        }
    }
    return gewaehlt;
}

// Bounds that let the shared search skip states without changing a value or
// a choice it reads. `unten` is the value of a line-up some built-in system
// can field, so the chosen line-up is worth at least that: a greedy one (each
// player, best first, into the group where he is worth most of those some
// system still has room in), bettered by exchanges. oben[i][k] is the sum
// of the k largest gains players i.. can still add; a state after i players
// with k cells free in its best system is worth at most its value plus
// oben[i][k]. The bound never grows along a step (a step uses up a cell and
// a player), so a state below `unten` leads only to states below it: no way
// through it reaches or ties the chosen value, and each state on the chosen
// way keeps its value and its first choice.
struct Schranken {
    int64_t unten = 0;
    int64_t oben[TEAM_SPIELER_MAX + 1][FORMATION_ZELLEN + 1] = {};   // a state has at most 11 cells free

    Schranken(const int64_t (*gewinne)[GRUPPEN], size_t m, bool mit_tor, const Standardsystem* sys) {
        int64_t bester[TEAM_SPIELER_MAX];
        for (size_t i = 0; i < m; ++i)
            bester[i] = *std::max_element(gewinne[i] + (mit_tor ? 0 : 1), gewinne[i] + GRUPPEN);
        // The largest gains of players i.., at most as many as there are cells.
        int64_t sortiert[FORMATION_ZELLEN];
        size_t genommen = 0;
        for (size_t i = m; i-- > 0;) {
            const bool voll = genommen == size_t(FORMATION_ZELLEN);
            if (!voll || sortiert[genommen - 1] < bester[i]) {
                size_t k = voll ? genommen - 1 : genommen++;   // a full list drops its smallest
                while (k > 0 && sortiert[k - 1] < bester[i]) {
                    sortiert[k] = sortiert[k - 1];
                    --k;
                }
                sortiert[k] = bester[i];
            }
            for (size_t j = 0; j < size_t(FORMATION_ZELLEN); ++j)
                oben[i][j + 1] = oben[i][j] + (j < genommen ? sortiert[j] : 0);
        }
        int32_t folge[TEAM_SPIELER_MAX];
        for (size_t i = 0; i < m; ++i) folge[i] = int32_t(i);
        Stabil_Sortieren(folge, int32_t(m), [&](int32_t a, int32_t b) { return bester[a] > bester[b]; });
        // Each player's groups, worth most first (the lower group first of
        // equal ones): the first with room is where the greedy fill puts him.
        int8_t vorzug[TEAM_SPIELER_MAX][GRUPPEN];
        for (size_t i = 0; i < m; ++i) {
            for (int32_t gr = 0; gr < GRUPPEN; ++gr) vorzug[i][gr] = int8_t(gr);
            Stabil_Sortieren(vorzug[i], GRUPPEN, [&](int8_t a, int8_t b) { return gewinne[i][a] > gewinne[i][b]; });
        }
        // Each player, best first, into the group where he is worth most of
        // those some system still has room in: a line-up of some system.
        static const auto erlaubt = [sys] {
            std::array<std::array<std::array<bool, FORMATION_ZELLEN>, FORMATION_ZELLEN>, FORMATION_ZELLEN> e{};
            for (int32_t s = 0; s < FORMATION_STANDARD_ANZAHL; ++s)
                for (int32_t a = 0; a <= sys[s].bedarf[1]; ++a)
                    for (int32_t b = 0; b <= sys[s].bedarf[2]; ++b)
                        for (int32_t c = 0; c <= sys[s].bedarf[3]; ++c) e[size_t(a)][size_t(b)][size_t(c)] = true;
            return e;
        }();
        int32_t zahl[GRUPPEN] = {};
        auto platz_in = [&](int32_t gr) {
            if (gr == 0) return mit_tor && zahl[0] == 0;
            const int32_t a = zahl[1] + (gr == 1), b = zahl[2] + (gr == 2), c = zahl[3] + (gr == 3);
            return a < FORMATION_ZELLEN && b < FORMATION_ZELLEN && c < FORMATION_ZELLEN &&
                   erlaubt[size_t(a)][size_t(b)][size_t(c)];
        };
        Entwurf beste;
        for (size_t k = 0; k < m; ++k) {
            const int8_t* v = vorzug[folge[k]];
            int32_t q = 0;
            while (q < GRUPPEN && !platz_in(v[q])) ++q;
            if (q == GRUPPEN) break;   // no group has room: the line-up is whole
            ++zahl[v[q]];
            beste.setzen(size_t(folge[k]), v[q], gewinne[folge[k]][v[q]]);
        }
        beste.verbessern(gewinne, m);
        unten = beste.wert;
    }

    // A line-up some system fields: each field player's group (-1 out) and the value.
    struct Entwurf {
        int8_t gruppe[TEAM_SPIELER_MAX];
        int64_t wert = 0;

        Entwurf() { std::fill(gruppe, gruppe + TEAM_SPIELER_MAX, int8_t(-1)); }
        void setzen(size_t j, int32_t gr, int64_t gewinn) {
            gruppe[j] = int8_t(gr);
            wert += gewinn;
        }
        // Exchanges that raise the value, as long as one does: the weakest
        // player of a group out for the best one not in, or two players in
        // swapping their groups, the exchange that raises it most first. Each
        // keeps the counts per group, so the line-up stays one the system fields.
        void verbessern(const int64_t (*gewinne)[GRUPPEN], size_t m) {
            constexpr int64_t NICHTS = INT64_MIN / 4;
            for (;;) {
                int64_t draussen[GRUPPEN], schwaechster[GRUPPEN], wechsel[GRUPPEN][GRUPPEN];
                int32_t wer_draussen[GRUPPEN] = {}, wer_schwaechster[GRUPPEN] = {}, wer_wechsel[GRUPPEN][GRUPPEN] = {};
                for (int32_t gr = 0; gr < GRUPPEN; ++gr) {
                    draussen[gr] = schwaechster[gr] = NICHTS;
                    for (int32_t nach = 0; nach < GRUPPEN; ++nach) wechsel[gr][nach] = NICHTS;
                }
                for (size_t j = 0; j < m; ++j) {
                    const int64_t* g_j = gewinne[j];
                    const int32_t gj = gruppe[j];
                    if (gj < 0) {
                        for (int32_t gr = 0; gr < GRUPPEN; ++gr)
                            if (g_j[gr] > draussen[gr]) {
                                draussen[gr] = g_j[gr];
                                wer_draussen[gr] = int32_t(j);
                            }
                        continue;
                    }
                    if (schwaechster[gj] == NICHTS || g_j[gj] < schwaechster[gj]) {
                        schwaechster[gj] = g_j[gj];
                        wer_schwaechster[gj] = int32_t(j);
                    }
                    for (int32_t nach = 0; nach < GRUPPEN; ++nach)
                        if (nach != gj && g_j[nach] - g_j[gj] > wechsel[gj][nach]) {
                            wechsel[gj][nach] = g_j[nach] - g_j[gj];
                            wer_wechsel[gj][nach] = int32_t(j);
                        }
                }
                int64_t plus = 0;
                int32_t raus = -1, rein = -1;
                for (int32_t gr = 0; gr < GRUPPEN; ++gr)
                    if (schwaechster[gr] != NICHTS && draussen[gr] != NICHTS && draussen[gr] - schwaechster[gr] > plus) {
                        plus = draussen[gr] - schwaechster[gr];
                        raus = wer_schwaechster[gr];
                        rein = wer_draussen[gr];
                    }
                for (int32_t a = 0; a < GRUPPEN; ++a)
                    for (int32_t b = a + 1; b < GRUPPEN; ++b)
                        if (wechsel[a][b] != NICHTS && wechsel[b][a] != NICHTS && wechsel[a][b] + wechsel[b][a] > plus) {
                            plus = wechsel[a][b] + wechsel[b][a];
                            raus = wer_wechsel[a][b];
                            rein = wer_wechsel[b][a];
                        }
                if (plus <= 0) return;
                std::swap(gruppe[raus], gruppe[rein]);
                wert += plus;
            }
        }
    };
};

// The box, the states some system reaches (in the order a system's own box
// visits them) and the groups each may still grow in: fixed by the
// built-in systems, so worked out once for a club with and without keeper.
struct Kasten {
    int32_t dim[GRUPPEN] = {};
    int32_t schritt[GRUPPEN] = {};
    int32_t zustaende = 0;
    // The worked states (those inside some system's box) as a bit set, and
    // per state the groups it may grow in.
    std::vector<uint64_t> arbeit;
    std::vector<uint8_t> wachsen;
    // platz[state]: the most cells still free in a system holding the state.
    std::vector<int32_t> platz;
    // systeme[state]: bit i for each system i that is the first of its
    // group counts and holds the state.
    std::vector<uint16_t> systeme;
};

// The boxes for a club without (0) and with (1) a keeper, built on first use.
const std::vector<Kasten>& Kaesten(const Standardsystem* sys) {
    static const auto kaesten = [sys] {
        std::vector<Kasten> k(2);
        for (int32_t tor = 0; tor < 2; ++tor) {
            Kasten& ka = k[size_t(tor)];
            int32_t* dim = ka.dim;
            dim[0] = tor + 1;
            dim[1] = dim[2] = dim[3] = 1;
            for (int32_t i = 0; i < FORMATION_STANDARD_ANZAHL; ++i)
                for (int32_t gr = 1; gr < GRUPPEN; ++gr) dim[gr] = std::max(dim[gr], sys[i].bedarf[gr] + 1);
            ka.zustaende = dim[0] * dim[1] * dim[2] * dim[3];
            ka.schritt[0] = dim[1] * dim[2] * dim[3];
            ka.schritt[1] = dim[2] * dim[3];
            ka.schritt[2] = dim[3];
            ka.schritt[3] = 1;
            ka.platz.assign(size_t(ka.zustaende), 0);
            ka.systeme.assign(size_t(ka.zustaende), 0);
            ka.wachsen.assign(size_t(ka.zustaende), 0);
            ka.arbeit.assign(size_t(ka.zustaende + 63) / 64, 0);
            int32_t z[GRUPPEN];
            for (z[0] = 0; z[0] < dim[0]; ++z[0])
                for (z[1] = 0; z[1] < dim[1]; ++z[1])
                    for (z[2] = 0; z[2] < dim[2]; ++z[2])
                        for (z[3] = 0; z[3] < dim[3]; ++z[3]) {
                            const int32_t zustand = z[0] * ka.schritt[0] + z[1] * ka.schritt[1] + z[2] * ka.schritt[2] + z[3];
                            for (int32_t i = 0; i < FORMATION_STANDARD_ANZAHL; ++i) {
                                if (z[1] > sys[i].bedarf[1] || z[2] > sys[i].bedarf[2] || z[3] > sys[i].bedarf[3])
                                    continue;
                                ka.arbeit[size_t(zustand) / 64] |= uint64_t(1) << (zustand % 64);
                                if (sys[i].erstes) ka.systeme[size_t(zustand)] |= uint16_t(1u << i);
                                ka.platz[size_t(zustand)] =
                                    std::max(ka.platz[size_t(zustand)], tor - z[0] + sys[i].bedarf[1] - z[1] +
                                                                            sys[i].bedarf[2] - z[2] + sys[i].bedarf[3] - z[3]);
                            }
                            for (int32_t gr = 0; gr < GRUPPEN; ++gr)
                                if (z[gr] + 1 < dim[gr]) ka.wachsen[size_t(zustand)] |= uint8_t(1u << gr);
                        }
        }
        return k;
    }();
    return kaesten;
}

// Rule 5 for a computer club, fast: one dynamic programme over the box of the
// largest group counts serves every built-in system. A state's value and its
// recorded choice depend only on the states below it, visited in the same
// order as in a system's own box, so each system reads in the shared table
// exactly what its own search would give, ties included. Only states below
// some system's counts are worked. Returns the index of the chosen system;
// `plan` gets the system's counts' line-up (its formation is not set).
int32_t Systeme_Rechnen(const Kandidat* kader, int32_t n, int32_t erster, Plan& plan,
                        std::vector<const Kandidat*>& feld) {
    const Standardsystem* sys = Standardsysteme();
    int32_t bedarf[GRUPPEN];
    const int64_t extra = Tor_Und_Feld(kader, n, bedarf, plan.torwart, feld);
    const Kasten& kasten = Kaesten(sys)[size_t(bedarf[0])];
    const int32_t* schritt = kasten.schritt;
    const int32_t zustaende = kasten.zustaende;
    const size_t woerter = kasten.arbeit.size();
    const size_t m = feld.size();
    if (g.dp.size() < (m + 1) * size_t(zustaende)) g.dp.resize((m + 1) * size_t(zustaende));
    if (g.wahl.size() < m * size_t(zustaende)) g.wahl.resize(m * size_t(zustaende));
    // A layer's reached states as a bit set: a value is read only where one
    // was written in the layer, so no layer needs filling in advance.
    g.erreicht.assign(2 * woerter, 0);
    uint64_t* jetzt = g.erreicht.data();
    uint64_t* danach = jetzt + woerter;
    g.dp[0] = 0;
    jetzt[0] = 1;
    // What each player adds in each group.
    int64_t gewinne[TEAM_SPIELER_MAX][GRUPPEN];
    for (size_t i = 0; i < m; ++i)
        for (int32_t gr = 0; gr < GRUPPEN; ++gr)
            gewinne[i][gr] = GEWICHT_BESETZT + Wert_In_Gruppe(*feld[i], gr) + (gr == 0 ? GEWICHT_BESETZT : 0);
    const Schranken schranken(gewinne, m, bedarf[0] > 0, sys);
    for (size_t i = 0; i < m; ++i) {
        const int64_t* vorher = &g.dp[i * size_t(zustaende)];
        int64_t* nachher = &g.dp[(i + 1) * size_t(zustaende)];
        int8_t* wahl = &g.wahl[i * size_t(zustaende)];
        const int64_t* gewinn = gewinne[i];
        // A state that cannot reach the value of a known line-up is never on
        // the chosen way, nor ties with a state on it (see Schranken).
        const int64_t* oben = schranken.oben[i];
        const int64_t unten = schranken.unten;
        std::fill(danach, danach + woerter, 0);
        auto schreiben = [&](int32_t nach, int64_t wert, int8_t wie) {
            uint64_t& wort = danach[size_t(nach) / 64];
            const uint64_t bit = uint64_t(1) << (nach % 64);
            if (!(wort & bit) || wert > nachher[nach]) {
                wort |= bit;
                nachher[nach] = wert;
                wahl[nach] = wie;
            }
        };
        // The worked states in ascending order, as each system's own box visits them.
        for (size_t w = 0; w < woerter; ++w)
            for (uint64_t bits = jetzt[w] & kasten.arbeit[w]; bits; bits &= bits - 1) {
                const int32_t von = int32_t(w * 64) + __builtin_ctzll(bits);
                const int64_t wert = vorher[von];
                if (wert + oben[kasten.platz[size_t(von)]] < unten) continue;
                schreiben(von, wert, -1);
                const uint8_t wachsen = kasten.wachsen[size_t(von)];
                for (int32_t gr = 0; gr < GRUPPEN; ++gr)
                    if (wachsen >> gr & 1) schreiben(von + schritt[gr], wert + gewinn[gr], int8_t(gr));
            }
        std::swap(jetzt, danach);
    }
    // Each system in the order of the choice: its best final state in its own box, the first of equal ones.
    const int64_t* ende = &g.dp[m * size_t(zustaende)];
    // A system's box in its own order is ascending in the shared box too, and
    // a state no value reached never beats another: only reached ones are
    // looked at (-1 when none in the box was; the chosen line-up's was).
    // One walk over them serves every system (systems of equal counts share a box).
    int32_t beste_von[FORMATION_STANDARD_ANZAHL];
    std::fill(beste_von, beste_von + FORMATION_STANDARD_ANZAHL, -1);
    for (size_t w = 0; w < woerter; ++w)
        for (uint64_t bits = jetzt[w] & kasten.arbeit[w]; bits; bits &= bits - 1) {
            const int32_t zustand = int32_t(w * 64) + __builtin_ctzll(bits);
            for (uint32_t halter = kasten.systeme[size_t(zustand)]; halter; halter &= halter - 1) {
                int32_t& beste = beste_von[__builtin_ctz(halter)];
                if (beste < 0 || ende[zustand] > ende[beste]) beste = zustand;
            }
        }
    auto bestes_ende = [&](const Standardsystem& s) { return beste_von[s.vertreter]; };
    int32_t gewaehlt = erster, gesehen[FORMATION_STANDARD_ANZAHL + 1], anzahl_gesehen = 0;
    int32_t bester_zustand = bestes_ende(sys[erster]);
    gesehen[anzahl_gesehen++] = sys[erster].schluessel;
    for (int32_t i = 0; i < FORMATION_STANDARD_ANZAHL; ++i) {
        if (i == erster || std::find(gesehen, gesehen + anzahl_gesehen, sys[i].schluessel) != gesehen + anzahl_gesehen)
            continue;
        gesehen[anzahl_gesehen++] = sys[i].schluessel;
        int32_t s = bestes_ende(sys[i]);
        if (s >= 0 && (bester_zustand < 0 || ende[s] > ende[bester_zustand])) {
            bester_zustand = s;
            gewaehlt = i;
        }
    }
    if (bester_zustand < 0) {
        // Cannot happen while the bound is the value of a line-up the club can field.
        Debug_Printf("Team_Auto_Aufstellung: Schranke %lld ohne Aufstellung\n", static_cast<long long>(schranken.unten));
        return Systeme_Einzeln_Rechnen(kader, n, erster, plan, feld);
    }
    plan.wert = extra + ende[bester_zustand];
    plan.gruppe_von.assign(m, -1);
    for (size_t i = m, s = size_t(bester_zustand); i-- > 0;) {
        int8_t gr = g.wahl[i * size_t(zustaende) + s];
        if (gr < 0) continue;
        plan.gruppe_von[i] = gr;
        s -= size_t(schritt[gr]);
    }
    return gewaehlt;
}

// A computer club's last formation search: what it read (the current system
// and, per squad entry, kind, base value and availability) and what it
// found. The search is a function of these alone, so equal inputs give the
// stored result, ties included.
struct Suche {
    int32_t erster = -1;
    std::vector<uint64_t> eingaben;
    int32_t index = -1;
    Plan plan;
    std::vector<int32_t> feld;   // squad indices of the field players the plan's groups refer to
};
std::vector<Suche> g_suchen;   // by club

uint64_t Eingabe(const Kandidat& k) {
    return uint64_t(uint32_t(k.grund)) << 32 | uint64_t(uint8_t(k.art)) << 8 | uint64_t(k.verfuegbar);
}

// Rule 5 for a computer club: the shared search, skipped when nothing it
// reads changed since the club's last one.
int32_t Systeme_Oder_Voriges(int32_t club, const Kandidat* kader, int32_t n, int32_t erster, Plan& plan,
                             std::vector<const Kandidat*>& feld, bool* wieder) {
    if (g_suchen.size() <= size_t(club)) g_suchen.resize(size_t(club) + 1);
    Suche& s = g_suchen[size_t(club)];
    bool gleich = s.erster == erster && s.eingaben.size() == size_t(n);
    for (int32_t i = 0; gleich && i < n; ++i) gleich = s.eingaben[size_t(i)] == Eingabe(kader[i]);
    *wieder = gleich;
    if (gleich) {
        plan = s.plan;
        feld.clear();
        for (int32_t i : s.feld) feld.push_back(&kader[i]);
        return s.index;
    }
    s.erster = erster;
    s.eingaben.resize(size_t(n));
    for (int32_t i = 0; i < n; ++i) s.eingaben[size_t(i)] = Eingabe(kader[i]);
    s.index = Systeme_Rechnen(kader, n, erster, plan, feld);
    s.plan = plan;
    s.feld.clear();
    for (const Kandidat* k : feld) s.feld.push_back(int32_t(k - kader));
    return s.index;
}

}  // namespace

void Suche_Plan(const Formation& f, const Kandidat* kader, int32_t n, Plan& plan, std::vector<const Kandidat*>& feld) {
    Plan_Rechnen(f, kader, n, plan, feld);
}

int32_t Suche_Systeme_Einzeln(const Kandidat* kader, int32_t n, int32_t erster, Plan& plan,
                              std::vector<const Kandidat*>& feld) {
    return Systeme_Einzeln_Rechnen(kader, n, erster, plan, feld);
}

int32_t Suche_Systeme(int32_t club, const Kandidat* kader, int32_t n, int32_t erster, Plan& plan,
                      std::vector<const Kandidat*>& feld, bool* wieder) {
    return Systeme_Oder_Voriges(club, kader, n, erster, plan, feld, wieder);
}

}  // namespace velmora::aufstellung
