// The season change with the match day of the game: the last match day's
// games are let go, so the old fixtures are deleted and the new season starts
// with empty tables.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "club/aufstellung.h"
#include "core/debug.h"
#include "core/hooks.h"
#include "season/kalender.h"
#include "season/tabelle.h"
#include "season/wettbewerb.h"
#include "tests/core/temp_verz.h"

namespace velmora {
namespace {

std::vector<std::string> g_log;

TEST(Saisonwechsel, NewSeasonStartsWithEmptyTablesAfterTheLastMatchDay) {
    velmora_test::TestWelt dirs;
    ASSERT_TRUE(dirs.ok);
    Core_Hooks().meldung = [](const char*) {};
    ASSERT_TRUE(Sim_Welt_Erzeugen(dirs.install, true, 3));
    VerdrahtungOptionen v;   // the club data, the season, the match and the runner
    v.nur = {"Netz", "Club", "Saison", "Spielfeld", "Spieltag", "Lauf"};
    v.sim.seed = 3;
    v.sim.autosave = false;
    std::string fehler;
    ASSERT_TRUE(Spiel_Verdrahten(v, &fehler)) << fehler;
    Core_Hooks().meldung = [](const char*) {};
    g_log.clear();
    Debug_Faenger_Setzen([](uint32_t, const char* t) { g_log.emplace_back(t); });

    ASSERT_TRUE(Sim_Bis_Tag(0));
    int32_t start = Tag_Index();
    ASSERT_TRUE(Sim_Bis_Tag(start + 364));   // the last day of the first season
    int32_t ligen = 0;
    for (int32_t id : Wettbewerb_Alle()) {
        if (!Wettbewerb_Ist_Liga(id)) continue;
        TabellenPuffer t;
        int32_t n = Wettbewerb_Tabelle_Vorbereiten(id, &t);
        ASSERT_GT(n, 0);
        EXPECT_GT(t.zeile[0].spiele[0], 0) << "league " << id << " played its season";
        ++ligen;
    }
    ASSERT_GT(ligen, 0);
    EXPECT_FALSE(Sim_Saison_Leer());
    EXPECT_EQ(Sim().letzte_saison, "") << "no season has ended yet";
    ASSERT_TRUE(Sim_Bis_Tag(start + 366));   // just after the season change
    // The runner kept the finished season's report: its leaders have played.
    EXPECT_TRUE(Sim_Saison_Leer());
    const std::string& bericht = Sim().letzte_saison;
    size_t erster = bericht.find("\n  1. ");
    ASSERT_NE(erster, std::string::npos) << bericht;
    EXPECT_GT(std::atoi(bericht.c_str() + erster + 6 + 28), 0) << bericht.substr(erster, 80);
    EXPECT_NE(bericht, Sim_Bericht());
    for (int32_t id : Wettbewerb_Alle()) {
        if (!Wettbewerb_Ist_Liga(id)) continue;
        TabellenPuffer t;
        int32_t n = Wettbewerb_Tabelle_Vorbereiten(id, &t);
        for (int32_t i = 0; i < n; ++i) EXPECT_EQ(t.zeile[i].spiele[0], 0) << "league " << id << " row " << i;
    }
    Debug_Faenger_Setzen(nullptr);
    for (const std::string& z : g_log) {
        EXPECT_EQ(z.find("neue Spielplaene unvollstaendig"), std::string::npos) << z;
        EXPECT_EQ(z.find("noch gesperrt"), std::string::npos) << z;
    }
    Sim_Beenden();
    Spiel_Entdrahten();
}

// The automatic line-up, for every club before every match of a small-world
// season, decides and leaves in the club's records exactly what the long way
// (the search one system at a time, then the line-up written in full) does,
// also where the club's last search was taken again.
TEST(Saisonwechsel, SharedLineUpSearchMatchesTheSearchPerSystemAllSeason) {
    velmora_test::TestWelt dirs;
    ASSERT_TRUE(dirs.ok);
    Core_Hooks().meldung = [](const char*) {};
    ASSERT_TRUE(Sim_Welt_Erzeugen(dirs.install, true, 5));
    VerdrahtungOptionen v;
    v.nur = {"Netz", "Club", "Saison", "Spielfeld", "Spieltag", "Lauf"};
    v.sim.seed = 5;
    v.sim.autosave = false;
    std::string fehler;
    ASSERT_TRUE(Spiel_Verdrahten(v, &fehler)) << fehler;
    Core_Hooks().meldung = [](const char*) {};
    Aufstellung_Pruefen_Setzen(true);
    ASSERT_TRUE(Sim_Bis_Tag(0));
    ASSERT_TRUE(Sim_Bis_Tag(Tag_Index() + 365));
    AufstellungPruefung p = Aufstellung_Pruefung();
    Aufstellung_Pruefen_Setzen(false);
    EXPECT_GT(p.aufstellungen, 500);
    EXPECT_EQ(p.abweichungen, 0) << "of " << p.aufstellungen;
    EXPECT_GT(p.wiederverwendet, 0) << "no line-up took its club's last search again";
    Sim_Beenden();
    Spiel_Entdrahten();
}

}  // namespace
}  // namespace velmora
