// tests/support/fuzz_welt.h - the running game shared by the fuzz targets
// that need one and by their seed writer: the small generated world in a
// temporary installation, the modules of a game without a screen bound by
// the composition root, two human managers with news and an open
// loan request between them, the first days played.
#pragma once
#include <cstdint>
#include <string>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "business/news.h"
#include "business/news_anfrage.h"
#include "club/team.h"
#include "core/rnd.h"
#include "season/kalender.h"
#include "tests/core/temp_verz.h"

namespace velmora::test {

struct FuzzWelt {
    velmora_test::TestWelt dirs;
    bool ok = false;
    int32_t mensch[2] = {-1, -1};   // the human managers' clubs
    int32_t ki = -1;                // a computer-managed club in a competition

    explicit FuzzWelt(int32_t tage = 3) {
        if (!dirs.ok || !Sim_Welt_Erzeugen(dirs.install, true, 7)) return;
        Rnd_Init();
        VerdrahtungOptionen v;
        v.sim.seed = 7;
        v.sim.menschen = 2;
        v.sim.autosave = false;
        if (!Spiel_Verdrahten(v) || !Sim_Bis_Tag(tage)) return;
        int32_t n = 0;
        for (int32_t t = 0; t < Team_Anzahl(); ++t) {
            if (Team_Hat_Manager(t) && n < 2) mensch[n++] = t;
            else if (ki < 0 && Team_Ist_Normal(t, 0) && !Team_Hat_Manager(t)) ki = t;
        }
        ok = n == 2 && ki >= 0;
        if (!ok) return;
        // News for the managers: a message of the game, a transfer and a loan
        // request between the two of them, open for five days.
        int32_t spieler[1] = {-1};
        Teamspieler_Ins_Array(ki, spieler, 1, 0);
        News_Add(-1, -1, -1, -1, nullptr, "Die Saison %d beginnt", 1);
        News_Transfer(mensch[0], ki, spieler[0], -1, 250000.0f, 0.0f);
        const int32_t kredit[NEWS_KOPF_WORTE] = {ANFRAGE_ART_KREDIT, mensch[1], mensch[0], Tag_Index() + 5, 500000, 4,
                                                 12, 0, 0, -1};
        News_Add(mensch[1], mensch[0], -1, int32_t(NEWS_ANFRAGE | NEWS_GELD), kredit, "Kredit ueber %d?", 500000);
    }
};

}  // namespace velmora::test
