// A season's bookings: every managed club books a match's money, closes its
// period and reads the finance sheet, 34 matches long; and the save block.
#include <benchmark/benchmark.h>

#include <vector>

#include "business/bank.h"
#include "business/bank_kredit.h"
#include "core/debug.h"
#include "core/rnd.h"
#include "season/spiele.h"

using namespace velmora;

namespace {

constexpr int32_t VEREINE = 40;      // clubs with an account
constexpr int32_t SPIELTAGE = 34;
constexpr uint8_t SHEET[] = {BUCHUNG_EINTRITT | 0x80, BUCHUNG_WERBUNG | 0x80, BUCHUNG_STADION_UNTERHALT,
                             BUCHUNG_SPIELERKOSTEN,   BUCHUNG_TRAINING,       BUCHUNG_TRANSFER_AUS,
                             BUCHUNG_SONSTIGE_KOSTEN, 0x80,                   0};

void Bank_Aufbauen() {
    Debug_Faenger_Setzen([](uint32_t, const char*) {});
    Rnd_Init();
    Bank_Init();
    for (int32_t t = 0; t < VEREINE; ++t) Bank_Waehrung_Umrechnen(t, 5000000, 0);
    for (int32_t t = 0; t < VEREINE; t += 4) Bank_Kredit(-1, t, 1000000.0f, 12, 0, -1.0f, 0);
}

void Saison(benchmark::State& state) {
    float summe = 0;
    for (auto _ : state) {
        Bank_Aufbauen();
        SpielDatensatz spiel{};
        spiel.zuschauer = 30000;
        for (int32_t tag = 0; tag < SPIELTAGE; ++tag) {
            for (int32_t t = 0; t < VEREINE; ++t) {
                const int32_t gegner = (t + tag + 1) % VEREINE;
                Bank_Ueberweisung(-1, t, 300000.0f, BUCHUNG_EINTRITT, 0, -1);
                Bank_Ueberweisung(-1, t, 80000.0f, BUCHUNG_WERBUNG, 0, -1);
                Bank_Ueberweisung(t, -1, 60000.0f, BUCHUNG_STADION_UNTERHALT, 1, -1);
                for (int32_t i = 0; i < 18; ++i) Bank_Ueberweisung(t, -1, 9000.0f, BUCHUNG_SPIELERKOSTEN, 1, -1);
                Bank_Ueberweisung(t, -1, 20000.0f, BUCHUNG_TRAINING, 0, -1);
                if (tag % 5 == 0) Bank_Ueberweisung(t, gegner, 150000.0f, BUCHUNG_TRANSFER_AUS, 0, -1);
                spiel.heim = int16_t(t);
                spiel.gast = int16_t(gegner);
                spiel.tore_heim = int8_t(tag % 4);
                spiel.tore_gast = int8_t(t % 3);
                Bank_Periode_Buchen(t, &spiel);
                for (uint8_t code : SHEET) summe += Bank_Kategorie_Summe(t, -1, code);
            }
        }
        Bank_Exit();
    }
    benchmark::DoNotOptimize(summe);
    state.SetItemsProcessed(state.iterations() * VEREINE * SPIELTAGE);
}
BENCHMARK(Saison)->Unit(benchmark::kMillisecond);

void Speichern_Laden(benchmark::State& state) {
    Bank_Aufbauen();
    for (int32_t t = 0; t < VEREINE; ++t)
        for (int32_t i = 0; i < 500; ++i) Bank_Gutschrift(t, 1.0f, uint8_t(1 + i % 60), -1);
    std::vector<uint8_t> block;
    for (auto _ : state) {
        Bank_Save(block);
        if (!Bank_Load(block.data(), block.size())) state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(state.iterations() * int64_t(block.size()));
    Bank_Exit();
}
BENCHMARK(Speichern_Laden)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
