// The scout search over a market full of scout players: building the pick
// list, a whole search stepped every 10 ms of the virtual clock; and a
// negotiation's 30 seconds frame by frame.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "business/bank.h"
#include "business/scout.h"
#include "business/verhandlung.h"
#include "club/global_config.h"
#include "club/spieler.h"
#include "club/team.h"
#include "club/wirtschaft.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "platform/clock.h"

using namespace velmora;

namespace {

constexpr int32_t CLUBS = 20;
constexpr int32_t JE_CLUB = 25;
constexpr int32_t MARKT = 3000;
constexpr int32_t REGION = 3;

// Team 0 the market, team 1 the country of region 3, teams 2.. clubs; the
// market holds scout players of the region with every maximum strength.
void Welt_Aufbauen() {
    Debug_Faenger_Setzen([](uint32_t, const char*) {});
    Rnd_Init();
    int32_t spieler = CLUBS * JE_CLUB + MARKT;
    Spieler_Init(spieler);
    Team_Init(CLUBS + 2);
    Team_Markt_Setzen(0);
    Team_Namen_Setzen(1, "Deutschland", nullptr, nullptr);
    Team_Wert(7, 1, TEAM_STATUS_LAND, OP_SETZEN);
    Team_Wert(10, 1, REGION, OP_SCHREIBEN);
    int32_t p = 0;
    for (int32_t t = 2; t < CLUBS + 2; ++t) {
        Team_Namen_Setzen(t, ("Club " + std::to_string(t)).c_str(), "C", "Stadt");
        Team_Wert(11, t, 50, OP_SCHREIBEN);
        Team_Wert(6, t, 1, OP_SCHREIBEN);
        for (int32_t i = 0; i < JE_CLUB; ++i, ++p) {
            Team_Spieler_Hinzufuegen(t, p);
            // Only every fifth club player is of the region: the lists stay short.
            Spieler_Wert(68, p, i % 5 == 0 ? 1 : -1, OP_SCHREIBEN);
            Spieler_Wert(58, p, 1000 * (i % 13), OP_SCHREIBEN);
            Spieler_Wert(56, p, 9, OP_SCHREIBEN);
        }
    }
    for (int32_t i = 0; p < spieler; ++p, ++i) {
        Team_Spieler_Hinzufuegen(0, p);
        Spieler_Wert(68, p, 1, OP_SCHREIBEN);
        Spieler_Wert(75, p, int32_t(SP_STATUS_SCOUT), OP_SETZEN);
        Spieler_Wert(97, p, i % 13, OP_SCHREIBEN);
        Spieler_Wert(58, p, 1000 * (i % 13), OP_SCHREIBEN);
        Spieler_Wert(56, p, 9, OP_SCHREIBEN);
    }
    Team_Lokal_Setzen(2);
    Global_Config_Init();
    for (int32_t r = 0; r < REGIONEN; ++r) Kontinent_Setzen(r, "Region", false);
    ScoutDaten d{};
    std::strcpy(d.vorname, "Karl");
    std::strcpy(d.name, "Sucher");
    d.grundpreis_factor = 5;
    for (int32_t r = 0; r < REGIONEN; ++r) {
        d.wahrscheinlichkeit[r] = 60;
        d.ueberredung[r] = 70;
        d.staerke_factor[r] = 6;
    }
    Scout_Daten_Setzen(0, d);
    Transferfaktor_Leeren();
    Transferfaktor_Setzen(TF_MARKTWERT_ABS, 400);
    Transferfaktor_Setzen(TF_PROGRESSION, 200);
    Transferfaktor_Setzen(TF_PROGRESSION_GRENZE, 50);
    Transferfaktor_Setzen(TF_COMPI_TRANSFER_VERKAUF_ABZUG, 20);
    const int32_t gewichte[3] = {60, 15, 25};
    Transferfaktor_Liste_Setzen(TF_STAERKE_SPIELE_ART_TRANSFER, gewichte, 3);
    Plat_Uhr_Virtuell(true, 100000);
}

void Welt_Abbauen() {
    Scout_Init();
    Verhandlung_Init();
    Global_Config_Init();
    Team_Free(0);
    Spieler_Free();
    Plat_Uhr_Virtuell(false);
}

void Pickliste(benchmark::State& state) {
    Welt_Aufbauen();
    int32_t summe = 0;
    for (auto _ : state) {
        Scout_Suche_Beginnen(0, REGION);
        summe += Scout_Pick(0);
    }
    benchmark::DoNotOptimize(summe);
    Welt_Abbauen();
}
BENCHMARK(Pickliste)->Unit(benchmark::kMicrosecond);

void Ganze_Suche(benchmark::State& state) {
    Welt_Aufbauen();
    int64_t schritte = 0;
    for (auto _ : state) {
        Scout_Suche_Beginnen(0, REGION);
        while (Scout_Fertig() != 1 && Scout_Phase() != SCOUT_UEBERREDET) {
            Plat_Uhr_Vorstellen(10);
            Scout_Suche_Schritt(Scout_Prozent());
            ++schritte;
        }
    }
    state.SetItemsProcessed(schritte);
    Welt_Abbauen();
}
BENCHMARK(Ganze_Suche)->Unit(benchmark::kMillisecond);

void Verhandlung_Dreissig_Sekunden(benchmark::State& state) {
    Welt_Aufbauen();
    Bank_Init();
    Bank_Waehrung_Umrechnen(2, 50000000, 0);
    int32_t gekauft = CLUBS * JE_CLUB + 12;   // a market player of full strength
    int64_t frames = 0;
    for (auto _ : state) {
        Team_Wert(20, 2, 5, OP_SCHREIBEN);
        if (Verhandlung_Starten(0, gekauft) != VH_OK || Verhandlung_Uhr_Starten() != VH_OK) {
            state.SkipWithError("no negotiation");
            break;
        }
        while (Verhandlung_Offen() && Verhandlung_Stand().zustand != VH_BEENDET) {
            Plat_Uhr_Vorstellen(10);
            Verhandlung_Takt();
            ++frames;
        }
        Verhandlung_Init();   // closed without the transfer: the next round starts alike
    }
    state.SetItemsProcessed(frames);
    Bank_Exit();
    Welt_Abbauen();
}
BENCHMARK(Verhandlung_Dreissig_Sekunden)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
