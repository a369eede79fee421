// bench/stadion_bench.cpp - the gate money of a match day over a league of
// many clubs, and the advertising's after-match week of managed clubs.
#include <benchmark/benchmark.h>

#include <vector>

#include "business/stadion.h"
#include "business/bank.h"
#include "business/werbung.h"
#include "club/global_config.h"
#include "club/manager.h"
#include "club/regeln.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/rnd.h"
#include "season/spiele.h"
#include "season/wettbewerb.h"
#include "season/wettbewerb_cfg.h"

namespace velmora {
namespace {

constexpr int32_t CLUBS = 100;
constexpr int32_t LIGA = 50;

// A world of 100 clubs with 18 players each, all in one league, each with a stadium.
struct Welt {
    std::vector<Spiel_Lock> spiele;
    Welt() {
        Rnd_Init();
        Spieler_Init(CLUBS * 18);
        Team_Init(CLUBS);
        for (int32_t t = 0; t < CLUBS; ++t)
            for (int32_t i = 0; i < 18; ++i) {
                int32_t p = t * 18 + i;
                Team_Spieler_Hinzufuegen(t, p);
                Spieler_Wert(58, p, 1000 * (i % 13), 1);
                if (i < 11) Spieler_Wert(75, p, 16, 8);
            }
        Regeln_Standard();
        Global_Config_Lesen_Text("STADION_ZUSCHAUER_LEVEL 500\nSTADION_NORMPREIS_LEVEL 20\nWERBUNG_GRUNDPREIS 40\n"
                                 "WERBUNG_TV_AUFPREIS 200\nWERBUNG_BANDE_AUFPREIS 50\nWERBUNG_VERTRAGSDAUER 17\n",
                                 "bench");
        WettbewerbBeschreibung liga;
        liga.id = LIGA;
        liga.name = "Liga";
        liga.teams = CLUBS;
        liga.spieltage = 2 * (CLUBS - 1);
        liga.rueckspiel = 2;
        for (int32_t t = 0; t < CLUBS; ++t) liga.team_liste.push_back(t);
        Spiele_Init();
        Wettbewerb_Init({liga});
        Bank_Init();
        for (int32_t t = 0; t < CLUBS; ++t) Bank_Ueberweisung(-1, t, 2000000, BUCHUNG_SONSTIGE_EINNAHMEN, 1, -1);
        Stadion_Init();
        Werbung_Init();
        for (int32_t t = 0; t < CLUBS; ++t) {
            Stadion_Satz v{};
            v.kapazitaet = 5000 + t * 1000;
            Stadion_Team_Anlegen(t, &v);
            if (t % 2 == 0) {
                Manager_Neuer_Mitspieler(t, "Bench", -1);
                Werbung_Team_Reset(t, 1);
            }
        }
        for (int32_t i = 0; i < CLUBS / 2; ++i) {
            Spiele_Neu(LIGA, 1, i, 0, 2 * i, 2 * i + 1);
            spiele.push_back(Spiele_Lock(LIGA, 1, i, 0));
        }
    }
};

Welt& Die_Welt() {
    static Welt w;
    return w;
}

void BM_Einnahmen_Spieltag(benchmark::State& state) {
    Welt& w = Die_Welt();
    for (auto _ : state) {
        int64_t summe = 0;
        for (Spiel_Lock s : w.spiele) summe += Stadion_Spiel_Einnahmen(Spiele_Get_Spiel(s, 1)->heim, s, 100, 0, 0);
        benchmark::DoNotOptimize(summe);
    }
    state.SetItemsProcessed(state.iterations() * int64_t(w.spiele.size()));
}
BENCHMARK(BM_Einnahmen_Spieltag);

void BM_Nach_Spiel(benchmark::State& state) {
    Die_Welt();
    for (auto _ : state)
        for (int32_t t = 0; t < CLUBS; ++t) {
            Stadion_Unterhalt_Buchen(t);
            Werbung_Team_Woche(t);
        }
    state.SetItemsProcessed(state.iterations() * CLUBS);
}
BENCHMARK(BM_Nach_Spiel);

void BM_Speichern_Laden(benchmark::State& state) {
    Die_Welt();
    std::vector<uint8_t> s, w;
    for (auto _ : state) {
        s.clear();
        w.clear();
        Stadion_Save(s);
        Werbung_Save(w);
        benchmark::DoNotOptimize(Stadion_Load(s.data(), s.size()) && Werbung_Load(w.data(), w.size()));
    }
    state.SetBytesProcessed(state.iterations() * int64_t(s.size() + w.size()));
}
BENCHMARK(BM_Speichern_Laden);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
