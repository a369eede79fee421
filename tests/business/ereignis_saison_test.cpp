// A season of the small generated world wired by the composition root as
// velmora-sim is: events happen, money moves through the bank and the game
// runs to its end.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "business/bank.h"
#include "business/ereignis.h"
#include "business/ereignis_trigger.h"
#include "business/news.h"
#include "club/team.h"
#include "core/hooks.h"
#include "season/kalender.h"
#include "tests/core/temp_verz.h"

namespace velmora {
namespace {

TEST(EreignisSaison, EventsHappenInAWiredSeason) {
    velmora_test::TestWelt dirs;
    ASSERT_TRUE(dirs.ok);
    Core_Hooks().meldung = [](const char*) {};
    ASSERT_TRUE(Sim_Welt_Erzeugen(dirs.install, true, 5));
    std::srand(11);
    VerdrahtungOptionen v;   // the modules of velmora-sim
    v.sim.seed = 5;
    v.sim.menschen = 2;
    v.sim.autosave = false;
    std::string fehler;
    ASSERT_TRUE(Spiel_Verdrahten(v, &fehler)) << fehler;
    Core_Hooks().meldung = [](const char*) {};

    ASSERT_TRUE(Sim_Bis_Tag(0));
    ASSERT_GT(Ereignis_Anzahl(), 0);   // the calendar's module start read the catalogue
    std::vector<int32_t> menschen;
    for (int32_t t = 0; t < Team_Anzahl(); ++t)
        if (Team_Hat_Manager(t)) menschen.push_back(t);
    ASSERT_EQ(menschen.size(), 2u);
    Team_Lokal_Setzen(menschen[0]);
    // the days' and month changes' events, the after-match events and the answers
    int32_t start = Tag_Index();
    std::vector<int32_t> geld;
    for (int32_t t : menschen) geld.push_back(Bank_Kontostand(t, false, 0));
    int32_t anfragen = 0, beantwortet = 0;
    for (int32_t tag = start + 10; tag <= start + 365; tag += 10) {
        ASSERT_TRUE(Sim_Bis_Tag(tag)) << "day " << Tag_Index();
        // answer every open event request yes, as a manager would
        for (int32_t i = 0; i < News_Anzahl(); ++i) {
            const int32_t* k = News_Get_Kopf(i);
            if ((k[0] != 11 && k[0] != 14) || k[6] < 0 || k[4] < 0 || k[4] >= EREIGNIS_KATEGORIEN) continue;
            ++anfragen;
            if (k[9] != -1) continue;
            int32_t a[10];
            std::copy(k, k + 10, a);
            a[9] = 1;
            Ereignis_Antwort(a);
            ++beantwortet;
        }
    }
    EXPECT_GT(anfragen, 0);
    EXPECT_GT(beantwortet, 0);
    // money moved: at least one human club's balance changed
    bool bewegt = false;
    for (size_t i = 0; i < menschen.size(); ++i) bewegt |= Bank_Kontostand(menschen[i], false, 0) != geld[i];
    EXPECT_TRUE(bewegt);
    // the union value is consistent with the save block
    std::vector<uint8_t> b;
    Ereignis_Save(b);
    EXPECT_TRUE(Ereignis_Load(b.data(), b.size()));

    Sim_Beenden();
    Spiel_Entdrahten();
    Kalender_Hooks() = KalenderHooks{};
    Core_Hooks().meldung = nullptr;
}

}  // namespace
}  // namespace velmora
