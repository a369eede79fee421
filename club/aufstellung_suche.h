// club/aufstellung_suche.h - what the automatic line-up shares with its
// formation search: a squad entry as the line-up reads it, the plan a search
// finds, and the searches of rules 3-5 (see aufstellung.cpp). Not for modules
// outside the line-up.
#pragma once
#include <cstdint>
#include <vector>

#include "club/formation.h"
#include "club/spieler.h"

namespace velmora::aufstellung {

constexpr int32_t GRUPPEN = 4;
constexpr int64_t GEWICHT_BESETZT = 100000000;   // one more filled cell beats any values

// Percent of his base value a player of kind `art` (0-3) is worth in row group `gruppe`.
constexpr int32_t POSITIONS_FAKTOR[4][GRUPPEN] = {
    // in: goal, defence, midfield, attack
    {100, 0, 0, 0},      // goalkeeper: never in the field
    {25, 100, 80, 60},   // defender
    {25, 80, 100, 80},   // midfielder
    {25, 60, 80, 100},   // forward
};

// A squad entry as the line-up reads it: kind, base value (rule 2), old
// slot and availability (rule 1).
struct Kandidat {
    int32_t spieler = -1;
    int32_t art = 1;
    int32_t grund = 0;        // base value
    int32_t slot_alt = 0;
    bool verfuegbar = false;
    // The player's record when it was read straight from it: the line-up
    // then reads the values it writes from there too.
    const SpielerStruktur* satz = nullptr;
};

// Sorts a short list (a squad) so that `vor` holds in order, equal entries
// keeping their order: the order std::stable_sort gives, without its buffer.
template <typename T, typename Vor>
void Stabil_Sortieren(T* a, int32_t n, Vor vor) {
    for (int32_t i = 1; i < n; ++i) {
        const T x = a[i];
        int32_t j = i;
        for (; j > 0 && vor(x, a[j - 1]); --j) a[j] = a[j - 1];
        a[j] = x;
    }
}

// Rule 2: what a player is worth in row group `gruppe`.
inline int32_t Wert_In_Gruppe(const Kandidat& k, int32_t gruppe) {
    int32_t art = k.art >= 0 && k.art < 4 ? k.art : 1;
    return int32_t(int64_t(k.grund) * POSITIONS_FAKTOR[art][gruppe] / 100);
}

// A line-up by rules 3-4: its formation, its score, and the group of each
// available field player the search was given.
struct Plan {
    Formation formation{};
    int64_t wert = -1;
    std::vector<int32_t> gruppe_von;   // per entry of `feld`
    int32_t torwart = -1;              // index into the squad, -1 when a field player keeps goal
};

// Rules 3-4 for one formation: `feld` gets the available field players,
// `plan` their groups and the value.
void Suche_Plan(const Formation& f, const Kandidat* kader, int32_t n, Plan& plan, std::vector<const Kandidat*>& feld);
// Rule 5 for a computer club, each built-in system searched on its own (the
// check mode's measure). Returns the chosen system; `erster` is the club's
// current one, which wins a tie.
int32_t Suche_Systeme_Einzeln(const Kandidat* kader, int32_t n, int32_t erster, Plan& plan,
                              std::vector<const Kandidat*>& feld);
// Rule 5 for a computer club, the usual way: one shared search over every
// built-in system, skipped when nothing it reads changed since the club's
// last one (`wieder` says so). Decides as Suche_Systeme_Einzeln does, ties
// included; `plan` gets the line-up of the chosen system's counts (its
// formation is not set).
int32_t Suche_Systeme(int32_t club, const Kandidat* kader, int32_t n, int32_t erster, Plan& plan,
                      std::vector<const Kandidat*>& feld, bool* wieder);

}  // namespace velmora::aufstellung
