// tests/club/talent_tabelle.h - the talent table the tests set: the table
// cleared, then talents 0-52 without requirement or protection, each with the
// points it needs, the points a training unit gives and its price, named
// "T<id>" where the test reads names.
#pragma once
#include <cstdio>

#include "club/talente.h"

namespace velmora::test {

struct TalentWerte {
    int32_t noetige_punkte = 10;
    int32_t punkte_training = 0;
    int32_t kostpreis = 0;
    bool namen = false;
};

// `anpassen(id, daten)` may change a talent before it is set; false when the
// table refused one.
template <class F>
bool Talent_Tabelle_Setzen(const TalentWerte& w, F anpassen) {
    Attribut_Tabelle_Leeren();
    bool ok = true;
    for (int32_t id = 0; id < ATTRIBUT_ANZAHL; ++id) {
        AttributDaten a{};
        for (int32_t& v : a.voraussetzung) v = -1;
        for (int32_t& v : a.schutz) v = -1;
        a.noetige_punkte = w.noetige_punkte;
        a.punkte_training = w.punkte_training;
        a.kostpreis = w.kostpreis;
        if (w.namen) std::snprintf(a.name, sizeof a.name, "T%d", id);
        anpassen(id, a);
        ok = Attribut_Daten_Setzen(id, a) && ok;
    }
    return ok;
}

inline bool Talent_Tabelle_Setzen(const TalentWerte& w) {
    return Talent_Tabelle_Setzen(w, [](int32_t, AttributDaten&) {});
}

}  // namespace velmora::test
