// Every module's part of the save game loads whatever its writer can produce,
// however long the game has run: each store that grows with the seasons is
// filled to the point where its writer stops it (or far past what a long game
// reaches where nothing stops it), saved, loaded, and saved again unchanged.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "business/bank.h"
#include "business/news.h"
#include "club/manager.h"
#include "club/team.h"
#include "core/hooks.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "core/spielstand_datei.h"
#include "core/spielstand_testing.h"
#include "match/day/elfmeter.h"
#include "match/day/spieltag.h"
#include "season/kalender.h"
#include "season/spiele.h"
#include "season/statistik.h"
#include "tests/app/sim_welt.h"
#include "tests/core/temp_verz.h"

namespace velmora {
namespace {

using velmora_test::Meldungen;

// The first club a human manages.
int32_t Menschenteam() {
    for (int32_t t = 0; t < Team_Anzahl(); ++t)
        if (Team_Hat_Manager(t)) return t;
    return -1;
}

// Shoot-outs are kept for the whole game: far more of them than a season
// brings, and more than a loader once took.
void Elfmeter_Fuellen() {
    ASSERT_TRUE(Spieltag_Ist_Initialisiert() || Spieltag_Init());
    // The games of many seasons: the small world's fixtures and more of them.
    const SpielDatensatz* vorbild = Spiele_Get_Spiel(Spiele_Handle(0), 1);
    ASSERT_NE(vorbild, nullptr);
    const int32_t w = vorbild->wettbewerb, heim = vorbild->heim, gast = vorbild->gast;
    for (int32_t i = 0; Spiele_Anzahl() < 1000; ++i) ASSERT_GE(Spiele_Neu(w, 90, i, 0, heim, gast), 0);
    for (int32_t nummer = 0; nummer < Spiele_Anzahl(); ++nummer)
        ASSERT_TRUE(Elfmeter_Vorbereiten(Spiele_Handle(nummer)));
}

// A career count grows until its writer stops it; the loop goes far past
// the point where it must have stopped.
void Statistik_Fuellen() {
    StatistikEintrag e{0, 0, uint8_t(STATISTIK_FLAG_SPIEL | STATISTIK_FLAG_TOR), 255};
    int32_t vorher = -1;
    for (int32_t i = 0; i < 6000; ++i) {
        ASSERT_TRUE(Statistik_Spieler_Eintragen(0, &e, 255));
        vorher = Spieler_Get_Spieler_Statistik(STATISTIK_MINUTEN, 0, 1);
    }
    EXPECT_GT(vorher, 0);
    EXPECT_EQ(Spieler_Get_Spieler_Statistik(STATISTIK_SPIELE, 0, 1), Spieler_Get_Spieler_Statistik(STATISTIK_TORE, 0, 1));
}

// An account's running total of credits never goes back; the balance only
// at the period close. Both far beyond any season's money.
void Bank_Fuellen() {
    const int32_t team = Menschenteam();
    ASSERT_GE(team, 0);
    ASSERT_TRUE(Bank_Hat_Konto(team));
    for (int32_t i = 0; i < 300; ++i) ASSERT_TRUE(Bank_Gutschrift(team, 7.0e7f, BUCHUNG_SONSTIGE_EINNAHMEN, -1));
    Bank_Konto k;
    ASSERT_TRUE(Bank_Konto_Lesen(team, &k));
    EXPECT_GT(k.summe, 2.0e10f);
}

// The inbox keeps its newest items up to its limit.
void News_Fuellen() {
    const int32_t team = Menschenteam();
    ASSERT_GE(team, 0);
    for (int32_t i = 0; i < NEWS_MAX + 100; ++i) ASSERT_EQ(News_Add(-1, team, -1, -1, nullptr, "Nachricht %d", i), 1);
}

struct Grenze {
    const char* modul;   // the block's name in the save game
    // Fills the module's store to its writer's limit; null where the block has
    // a fixed size or holds one record per club or player of the world.
    void (*fuellen)();
};

void PrintTo(const Grenze& g, std::ostream* os) { *os << g.modul; }

const Grenze GRENZEN[] = {
    {"Rnd", nullptr},          {"Spieler", nullptr},      {"Team", nullptr},          {"Manager", nullptr},
    {"Wettbewerb", nullptr},   {"Spiele", nullptr},       {"Tabellen", nullptr},      {"Saison", nullptr},
    {"Kalender", nullptr},     {"Rangliste", nullptr},    {"Statistik", Statistik_Fuellen},
    {"Spieltag", Elfmeter_Fuellen},                       {"Spielfeld", nullptr},     {"News", News_Fuellen},
    {"Bank", Bank_Fuellen},    {"Stadion", nullptr},      {"Werbung", nullptr},       {"Ereignis", nullptr},
    {"Training", nullptr},     {"Trainingslager", nullptr},                           {"Scout", nullptr},
    {"Verhandlung", nullptr},  {"Ankuendigung", nullptr}, {"Menue", nullptr},
};

// A small world's game on its third day, with two human managers.
struct SpielstandGrenzen : ::testing::Test {
    std::unique_ptr<velmora_test::TestWelt> dirs;
    void TearDown() override { Abbauen(); }
    void Aufbauen() {
        dirs = std::make_unique<velmora_test::TestWelt>();
        ASSERT_TRUE(dirs->ok);
        ASSERT_TRUE(Sim_Welt_Erzeugen(dirs->install, true, 6));
        Rnd_Init();
        std::string fehler;
        ASSERT_TRUE(velmora_test::Sim_Verdrahten(Betrieb::SIM, &fehler)) << fehler;
        ASSERT_TRUE(Sim_Bis_Tag(3));
    }
    void Abbauen() {
        if (!dirs) return;
        velmora_test::Sim_Entdrahten();
        dirs.reset();
    }
    // Saves, loads what was saved and saves again: the second file is the first.
    void Hin_Und_Zurueck() {
        std::vector<uint8_t> erst, dann;
        ASSERT_TRUE(Spielstand_Speichern_In_Bild(&erst));
        Meldungen().clear();
        ASSERT_TRUE(Spielstand_Laden_Aus_Bild(erst)) << (Meldungen().empty() ? "" : Meldungen().back());
        ASSERT_TRUE(Spielstand_Speichern_In_Bild(&dann));
        EXPECT_TRUE(erst == dann) << "the reloaded game saves another file";
    }
};

TEST_F(SpielstandGrenzen, TheTableNamesEveryModuleAndTheNewGameSavesAndLoads) {
    Aufbauen();
    std::vector<uint8_t> bild;
    ASSERT_TRUE(Spielstand_Speichern_In_Bild(&bild));
    SpielstandDatei d;
    ASSERT_TRUE(Spielstand_Datei_Oeffnen(&d, bild));
    std::set<std::string> in_der_datei, in_der_tabelle;
    for (const SpielstandRahmen& r : d.rahmen) in_der_datei.insert(r.name);
    for (const Grenze& g : GRENZEN) in_der_tabelle.insert(g.modul);
    EXPECT_EQ(in_der_datei, in_der_tabelle);
    Hin_Und_Zurueck();
}

// Each growing store at its limit in a game of its own: the game saves and loads.
struct SpielstandGrenze : SpielstandGrenzen, ::testing::WithParamInterface<Grenze> {};

TEST_P(SpielstandGrenze, TheStoreAtItsLimitSavesAndLoads) {
    Aufbauen();
    GetParam().fuellen();
    if (HasFatalFailure()) return;
    Hin_Und_Zurueck();
}

std::vector<Grenze> Wachsende() {
    std::vector<Grenze> v;
    for (const Grenze& g : GRENZEN)
        if (g.fuellen) v.push_back(g);
    return v;
}

INSTANTIATE_TEST_SUITE_P(Module, SpielstandGrenze, ::testing::ValuesIn(Wachsende()),
                         [](const ::testing::TestParamInfo<Grenze>& i) { return std::string(i.param.modul); });

}  // namespace
}  // namespace velmora
