// Speed of the automatic line-up: every club of a full world lines up, the
// squads as the game's (argument 1) or of any kinds (argument 0).
// With VELMORA_BENCH_PRUEFEN=1 the rounds after games also run the line-up's
// check mode and report the line-ups that differed from the long way (the
// counter "abweichungen", which must be 0).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>

#include "club/aufstellung.h"
#include "club/kader_hooks.h"
#include "club/spieler.h"
#include "club/team.h"

namespace velmora {
namespace {

constexpr int32_t CLUBS = 320;

// The line values of a cell: a little arithmetic, as the match's geometry does.
void Linie(const int8_t taktik[7], int16_t out[8], int32_t spalte, int32_t reihe) {
    for (int32_t i = 0; i < 8; ++i) out[i] = int16_t(taktik[5] * 100 + spalte * 756 + reihe * 794 + i);
}

// Clubs 1..CLUBS of 20 players, one in six unavailable. `wie_im_spiel`:
// squads as the world generator makes them (two goalkeepers, six defenders,
// six midfielders, four forwards around a club's level, form, morale and
// tiredness of a season); otherwise players of any kind and strength, squads
// whose best players crowd into a few groups (the search's hard case).
void Welt(bool wie_im_spiel) {
    static constexpr int8_t ART[TEAM_SPIELER_MAX] = {0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 0, 1, 1, 2, 2, 3, 1, 2, 3};
    Spieler_Init(CLUBS * TEAM_SPIELER_MAX);
    Team_Init(CLUBS + 1);
    Team_Markt_Setzen(0);
    Kader_Hooks().spielfeld_taktik_linie = Linie;
    uint32_t z = 12345;
    auto zufall = [&z](int32_t n) {
        z = z * 1103515245u + 12345u;
        return int32_t((z >> 16) % uint32_t(n));
    };
    int32_t niveau = 0;
    for (int32_t p = 0; p < CLUBS * TEAM_SPIELER_MAX; ++p) {
        const int32_t platz = p % TEAM_SPIELER_MAX;
        if (platz == 0) niveau = 3000 + zufall(7001);
        Team_Spieler_Hinzufuegen(1 + p / TEAM_SPIELER_MAX, p);
        if (wie_im_spiel) {
            Spieler_Wert(SPW_ART, p, ART[platz], OP_SCHREIBEN);
            Spieler_Wert(SPW_STAERKE, p, std::clamp(niveau - 1500 + zufall(3001), 0, 12000), OP_SCHREIBEN);
            Spieler_Wert(SPW_MORAL, p, zufall(7), OP_SCHREIBEN);
            Spieler_Wert(SPW_EINSAETZE, p, zufall(10), OP_SCHREIBEN);
        } else {
            Spieler_Wert(SPW_ART, p, zufall(8) == 0 ? 0 : 1 + zufall(3), OP_SCHREIBEN);
            Spieler_Wert(SPW_STAERKE, p, zufall(12001), OP_SCHREIBEN);
        }
        Spieler_Wert(SPW_FORM, p, zufall(1000), OP_SCHREIBEN);
        Spieler_Wert(SPW_SLOT, p, platz, OP_SCHREIBEN);
        if (zufall(6) == 0) Spieler_Wert(SPW_STATUS, p, int32_t(SP_STATUS_VERLETZT), OP_SETZEN);
    }
}

void Ende() {
    Kader_Hooks() = KaderHooks{};
    Team_Free(0);
    Spieler_Free();
}

void BM_Auto_Aufstellung_Alle_Clubs(benchmark::State& state) {
    Welt(state.range(0) != 0);
    int32_t runde = 0;
    for (auto _ : state) {
        int64_t starter = 0;
        // A club whose inputs did not change takes its last search again:
        // each round moves one player's form per club, so every club searches.
        ++runde;
        for (int32_t t = 1; t <= CLUBS; ++t) {
            Spieler_Wert(SPW_FORM, (t - 1) * TEAM_SPIELER_MAX, 500 + runde % 2, OP_SCHREIBEN);
            starter += Team_Auto_Aufstellung(t);
        }
        benchmark::DoNotOptimize(starter);
    }
    state.SetItemsProcessed(state.iterations() * CLUBS);
    Ende();
}
BENCHMARK(BM_Auto_Aufstellung_Alle_Clubs)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Rounds as a season plays them: after each line-up the starters tire and
// their form moves, the others rest, so every club's inputs change.
void BM_Auto_Aufstellung_Nach_Spielen(benchmark::State& state) {
    Welt(state.range(0) != 0);
    const bool pruefen = std::getenv("VELMORA_BENCH_PRUEFEN") != nullptr;
    if (pruefen) Aufstellung_Pruefen_Setzen(true);
    uint32_t z = 777;
    int32_t liste[TEAM_SPIELER_MAX];
    for (auto _ : state) {
        state.PauseTiming();
        for (int32_t t = 1; t <= CLUBS; ++t) {
            const int32_t n = Teamspieler_Ins_Array(t, liste, TEAM_SPIELER_MAX, 0);
            for (int32_t i = 0; i < n; ++i) {
                const bool spielte = Spieler_Wert(SPW_STATUS, liste[i], 0, OP_LESEN) & int32_t(SP_STATUS_START);
                const int32_t einsaetze = Spieler_Wert(SPW_EINSAETZE, liste[i], 0, OP_LESEN) + (spielte ? 1 : -1);
                Spieler_Wert(SPW_EINSAETZE, liste[i], std::clamp(einsaetze, 0, 9), OP_SCHREIBEN);
                z = z * 1103515245u + 12345u;
                if (spielte) Spieler_Wert(SPW_FORM, liste[i], int32_t((z >> 16) % 1000), OP_SCHREIBEN);
            }
        }
        state.ResumeTiming();
        int64_t starter = 0;
        for (int32_t t = 1; t <= CLUBS; ++t) starter += Team_Auto_Aufstellung(t);
        benchmark::DoNotOptimize(starter);
    }
    state.SetItemsProcessed(state.iterations() * CLUBS);
    if (pruefen) {
        state.counters["aufstellungen"] = double(Aufstellung_Pruefung().aufstellungen);
        state.counters["abweichungen"] = double(Aufstellung_Pruefung().abweichungen);
        Aufstellung_Pruefen_Setzen(false);
    }
    Ende();
}
BENCHMARK(BM_Auto_Aufstellung_Nach_Spielen)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
