// bench/training_bench.cpp - a whole training unit frame by frame, and a whole
// training camp tick by tick over a squad of 20.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "business/bank.h"
#include "business/training.h"
#include "business/trainingslager_lauf.h"
#include "club/global_config.h"
#include "club/manager.h"
#include "club/spieler.h"
#include "club/talente.h"
#include "club/team.h"
#include "core/rnd.h"

namespace velmora {
namespace {

constexpr int32_t KADER = 20;

// One club (team 1) with 20 players and an account, talents needing 5000
// points, one camp.
struct Welt {
    Welt() {
        Rnd_Init();
        Spieler_Init(KADER);
        Team_Init(2);
        for (int32_t p = 0; p < KADER; ++p) {
            Team_Spieler_Hinzufuegen(1, p);
            Spieler_Wert(87, p, p, OP_SCHREIBEN);
            Spieler_Wert(67, p, p == 0 ? 0 : 1 + p % 3, OP_SCHREIBEN);
        }
        Team_Lokal_Setzen(1);
        Manager_Neuer_Mitspieler(1, "Bench", -1);
        Global_Config_Init();
        Attribut_Tabelle_Leeren();
        AttributDaten a{};
        for (int32_t& v : a.voraussetzung) v = -1;
        for (int32_t& v : a.schutz) v = -1;
        a.noetige_punkte = 5000;
        a.punkte_training = 100;
        for (int32_t id = 0; id < ATTRIBUT_ANZAHL; ++id) Attribut_Daten_Setzen(id, a);
        auto setze = [](int32_t p, int32_t w) { Global_Parameter_Setzen(p, 0, &w, 1); };
        setze(GP_TRAINING_PUNKTE_SCHNELL_PARAM, 20);
        setze(GP_TRAINING_PUNKTE_LANGZAM_PARAM, 10);
        setze(GP_TRAINING_PUNKTE_MAX_ZEIT_SCHNELLE_FASE, 3);
        setze(GP_TRAINING_ABSTURZ_PARAM, 40);
        setze(GP_TRAINING_EXTRA_BONUS_PARAM, 30);
        setze(GP_TRAINING_LAGER_BALKEN_MORAL_PARAM, 2);
        setze(GP_TRAINING_LAGER_BALKEN_ERHOLUNG_PARAM, 2);
        setze(GP_TRAINING_LAGER_BALKEN_STAERKE_PARAM, 2);
        setze(GP_TRAINING_LAGER_STAERKE_PARAM, 5);
        setze(GP_TRAINING_LAGER_VERLETZUNG_PARAM, 0);
        int32_t zeile[7] = {0, 20, 40, 60, 80, 90, 101};
        Global_Parameter_Setzen(GP_TRAINING_ABSTURZ_PROCENT_PARAM, 0, zeile, 7);
        TrLagerDaten d{};
        std::snprintf(d.name, sizeof d.name, "Bench");
        d.moral = 70;
        d.erholung = 60;
        d.staerke = 80;
        Trainingslager_Daten_Setzen(0, d);
    }
    ~Welt() {
        Training_Reset();
        Lager_Reset();
        Team_Free(0);
        Spieler_Free();
    }
};

void BM_TrainingEinheit(benchmark::State& state) {
    Welt w;
    uint32_t uhr = 1000;
    int64_t frames = 0;
    for (auto _ : state) {
        Spieler_Wert(3, 3, 0, OP_SCHREIBEN);
        Spieler_Wert(75, 3, 0, OP_ERSETZEN);
        Training2_Oeffnen(3, 3);
        Training_Start();
        for (int32_t i = 0; i < 50000 && Training_Offen(); ++i) {
            const Training_Sitzung* s = Training_Sitzung_Holen();
            if (s->zustand == TR_ABSTURZ || s->zustand == TR_ENDE) {
                Training_Anwenden();
                continue;
            }
            Training2_Frame(uhr += 20);
            ++frames;
        }
        Training_Reset();
    }
    state.counters["frames"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TrainingEinheit);

void BM_Trainingslager(benchmark::State& state) {
    Welt w;
    uint32_t uhr = 1000;
    int64_t ticks = 0;
    for (auto _ : state) {
        for (int32_t p = 0; p < KADER; ++p) {
            Spieler_Wert(92, p, 2, OP_SCHREIBEN);
            Spieler_Wert(97, p, 6, OP_SCHREIBEN);
        }
        Lager_Reset();
        Lager_Starten(0, uhr);
        while (Lager_Laeuft()) {
            Lager_Frame(uhr += 101);
            ++ticks;
        }
        benchmark::DoNotOptimize(Lager_Balken_Holen(LB_STAERKE)->wert);
    }
    state.counters["ticks"] = benchmark::Counter(double(ticks), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Trainingslager);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
