// The formation search of the automatic line-up: the usual way (the club's
// last search taken again when nothing it reads changed, else the shared
// search with its bound) against each built-in system searched on its own,
// over squads whose values move from one line-up to the next as a season's do.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "club/aufstellung_suche.h"
#include "club/formation.h"
#include "club/team.h"

namespace velmora {
namespace {

using namespace aufstellung;

struct Art {
    const char* name;
    int32_t raster;          // base values are multiples of this: coarse ones tie often
    int32_t hoechstens;      // the largest base value
    int32_t bewegung;        // the most a moved value changes, in steps of the raster
    int32_t bewegte;         // players whose value moves between two line-ups
    int32_t ausfall_pro_mille;   // chance of a player changing availability
    int32_t torhueter;       // goalkeepers in the squad
    int32_t runden;
};

// A squad whose values move: every line-up the usual way must decide as the
// long way does (system, value, keeper, groups, field players).
TEST(AufstellungSuche, TheUsualWayDecidesAsEachSystemSearchedOnItsOwn) {
    const Art arten[] = {
        {"fine values, small moves", 1, 13000, 300, 4, 0, 2, 30},
        {"a season: form and tiredness move, injuries come and go", 1, 13000, 900, 8, 15, 2, 30},
        {"only injuries and returns, the values stay", 1, 13000, 0, 0, 60, 2, 30},
        {"coarse values: players and systems tie", 1000, 12000, 1, 2, 0, 2, 30},
        {"coarser still, everybody moves", 2000, 12000, 1, 20, 0, 2, 20},
        {"no goalkeeper: a field player keeps goal", 1, 13000, 300, 4, 0, 0, 30},
        {"many out: too few to fill the field", 100, 13000, 5, 4, 300, 1, 30},
    };
    int32_t club = 5000;
    for (const Art& art : arten) {
        std::mt19937 zufall{uint32_t(club)};
        auto wuerfel = [&](int32_t von, int32_t bis) { return std::uniform_int_distribution<int32_t>(von, bis)(zufall); };
        int64_t wieder_genommen = 0, ruhige = 0, gleiche = 0;
        for (int32_t kader_nr = 0; kader_nr < 40; ++kader_nr, ++club) {
            Kandidat kader[TEAM_SPIELER_MAX], vorher[TEAM_SPIELER_MAX];
            const int32_t n = wuerfel(14, TEAM_SPIELER_MAX);
            for (int32_t i = 0; i < n; ++i) {
                kader[i].spieler = 100 * club + i;
                kader[i].art = i < art.torhueter ? 0 : wuerfel(1, 3);
                kader[i].grund = wuerfel(0, art.hoechstens / art.raster) * art.raster;
                kader[i].verfuegbar = wuerfel(0, 999) >= art.ausfall_pro_mille;
            }
            int32_t erster = wuerfel(0, FORMATION_STANDARD_ANZAHL - 1), letzter_erster = -1;
            for (int32_t runde = 0; runde < art.runden; ++runde) {
                // Every fifth round nothing moves: the last search is taken again.
                const bool ruhig = runde % 5 == 4;
                for (int32_t k = 0; k < art.bewegte && !ruhig; ++k) {
                    Kandidat& p = kader[wuerfel(0, n - 1)];
                    p.grund = std::clamp(p.grund + wuerfel(-art.bewegung, art.bewegung) * art.raster, 0, art.hoechstens);
                }
                for (int32_t i = 0; i < n && !ruhig; ++i)
                    if (wuerfel(0, 999) < art.ausfall_pro_mille) kader[i].verfuegbar = !kader[i].verfuegbar;
                // Now and then somebody else picks the system.
                if (runde % 9 == 8) erster = wuerfel(0, FORMATION_STANDARD_ANZAHL - 1);
                // Taken again exactly when nothing it reads changed: the
                // system it starts from and each entry's kind, value and availability.
                bool gleich = erster == letzter_erster;
                for (int32_t i = 0; i < n; ++i)
                    gleich = gleich && kader[i].grund == vorher[i].grund && kader[i].art == vorher[i].art &&
                             kader[i].verfuegbar == vorher[i].verfuegbar;
                ruhige += ruhig;
                gleiche += gleich;
                letzter_erster = erster;
                std::copy(kader, kader + n, vorher);
                Plan ist, soll;
                std::vector<const Kandidat*> feld_ist, feld_soll;
                bool wieder = false;
                const int32_t index = Suche_Systeme(club, kader, n, erster, ist, feld_ist, &wieder);
                const int32_t index_soll = Suche_Systeme_Einzeln(kader, n, erster, soll, feld_soll);
                const std::string wo = std::string(art.name) + ", squad " + std::to_string(kader_nr) + ", round " +
                                       std::to_string(runde);
                ASSERT_EQ(index, index_soll) << wo;
                ASSERT_EQ(ist.wert, soll.wert) << wo;
                ASSERT_EQ(ist.torwart, soll.torwart) << wo;
                ASSERT_EQ(ist.gruppe_von, soll.gruppe_von) << wo;
                ASSERT_EQ(feld_ist, feld_soll) << wo;
                EXPECT_EQ(wieder, gleich) << wo;
                wieder_genommen += wieder;
                erster = index;   // the club plays the system it chose
            }
        }
        EXPECT_EQ(wieder_genommen, gleiche) << art.name;
        EXPECT_GE(gleiche, ruhige / 2) << art.name;
    }
}

}  // namespace
}  // namespace velmora
