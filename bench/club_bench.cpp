// Speed of the player accessor, of the team player lists and of the server's
// answer to a client that asks for every player's public record again.
#include <benchmark/benchmark.h>

#include <vector>

#include "club/abgleich.h"
#include "club/club_hooks.h"
#include "club/club_netz.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/bytes.h"
#include "core/le.h"

namespace velmora {
namespace {

constexpr int32_t SPIELER = 10000;
constexpr int32_t CLUBS = SPIELER / TEAM_SPIELER_MAX;

void Welt() {
    Spieler_Init(SPIELER);
    Team_Init(CLUBS + 1);
    Team_Markt_Setzen(0);
    for (int32_t p = 0; p < SPIELER; ++p) {
        Team_Spieler_Hinzufuegen(1 + p % CLUBS, p);
        Spieler_Wert(75, p, (p % TEAM_SPIELER_MAX) < 11 ? 16 : 32, 8);
    }
}

// 10 million reads and writes of player values.
void BM_SpielerWert(benchmark::State& state) {
    Welt();
    for (auto _ : state) {
        int64_t summe = 0;
        for (int32_t i = 0; i < 5000000; ++i) {
            int32_t p = i % SPIELER;
            Spieler_Wert(57, p, i & 1023, 1);
            summe += Spieler_Wert(57, p, 0, 0);
        }
        benchmark::DoNotOptimize(summe);
    }
    state.SetItemsProcessed(state.iterations() * 10000000);
}
BENCHMARK(BM_SpielerWert)->Unit(benchmark::kMillisecond);

// Every club's starting eleven from 10,000 players.
void BM_Teamspieler_Sweep(benchmark::State& state) {
    Welt();
    int32_t liste[TEAM_SPIELER_MAX];
    for (auto _ : state) {
        int64_t summe = 0;
        for (int32_t t = 0; t < Team_Anzahl(); ++t) summe += Teamspieler_Ins_Array(t, liste, TEAM_SPIELER_MAX, 16);
        benchmark::DoNotOptimize(summe);
    }
    state.SetItemsProcessed(state.iterations() * SPIELER);
}
BENCHMARK(BM_Teamspieler_Sweep)->Unit(benchmark::kMicrosecond);

// The server's answer to a joined client asking for the players' list
// (request 1043) whose copy is the server's: "unchanged", with 12,000 players
// as in the demo world. With arg 1 one player's form is written again with
// the value it holds before each request (the records stay as they were).
void BM_SpielerAbgleich(benchmark::State& state) {
    constexpr int32_t N = 12000;
    Spieler_Init(N);
    Team_Init(N / TEAM_SPIELER_MAX + 2);
    Team_Markt_Setzen(0);
    for (int32_t p = 0; p < N; ++p) {
        Team_Spieler_Hinzufuegen(1 + p % (N / TEAM_SPIELER_MAX), p);
        Spieler_Wert(SPW_STAERKE, p, 1000 + p % 11000, OP_SCHREIBEN);
    }
    Club_Hooks().netzwerk_modus = [] { return 2; };
    const bool schreiben = state.range(0) != 0;
    auto fragen = [](uint32_t stand, std::vector<uint8_t>& antwort) {
        std::vector<uint8_t> a;
        Le_Put_U32(a, stand);
        antwort.clear();
        Club_Server_Anfrage(ANFRAGE_SPIELER_ABGLEICH, 3, a.data(), a.size(), antwort);
    };
    std::vector<uint8_t> antwort;
    Abgleich_Client kopie;
    fragen(0, antwort);
    kopie.Nehmen(antwort.data() + 4, antwort.size() - 4);
    for (auto _ : state) {
        if (schreiben) Spieler_Wert(SPW_FORM, 7, 0, OP_SCHREIBEN);
        fragen(kopie.stand, antwort);
        benchmark::DoNotOptimize(antwort.data());
    }
    if (antwort.size() < 12 || Bytes_Get32(antwort.data() + 8) != ABGLEICH_UNVERAENDERT) state.SkipWithError("the answer is not \"unchanged\"");
    Club_Hooks() = ClubHooks{};
    Spieler_Free();
}
BENCHMARK(BM_SpielerAbgleich)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
