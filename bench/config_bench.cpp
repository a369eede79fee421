// Reading a large configuration set: 10,000 player entries with aliases, read
// through the configuration reader, against loading the same data from the
// binary cache.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/config.h"
#include "core/config_bin.h"
#include "core/dirs.h"
#include "core/hooks.h"
#include "core/le.h"
#include "core/reg.h"

using namespace velmora;

namespace {

constexpr int32_t SPIELER = 10000;

struct BenchSpieler {
    std::string name, vorname;
    int32_t nation = 0, staerke = 0, talente[3] = {};
    bool verletzt = false;
};
std::vector<BenchSpieler> spieler;

// Reads the player file the way the club data will.
bool spieler_lesen() {
    spieler.clear();
    if (!Read_Config_Open(CONFIG_SPIELER)) return false;
    while (const char* b = Read_Config_Next()) {
        if (!std::strcmp(b, "NEUER_SPIELER")) spieler.emplace_back();
        else if (spieler.empty()) continue;
        else if (!std::strcmp(b, "NAME")) spieler.back().name = Read_Config_Get_String();
        else if (!std::strcmp(b, "VORNAME")) spieler.back().vorname = Read_Config_Get_String();
        else if (!std::strcmp(b, "NATION")) spieler.back().nation = Read_Config_Get_Wert();
        else if (!std::strcmp(b, "STAERKE")) spieler.back().staerke = Read_Config_Get_Wert();
        else if (!std::strcmp(b, "VERLETZT")) spieler.back().verletzt = Read_Config_Get_Wert() != 0;
        else if (!std::strcmp(b, "TALENTE"))
            for (int32_t i = 0; i < 3; ++i) spieler.back().talente[i] = Read_Config_Teil_Wert(i);
        else Read_Config_Unbekannter_Befehl(1);
    }
    Read_Config_Close();
    return true;
}

bool spieler_speichern(std::vector<uint8_t>& out) {
    Le_Put_U32(out, uint32_t(spieler.size()));
    for (const BenchSpieler& s : spieler) {
        Le_Put_Text(out, s.name);
        Le_Put_Text(out, s.vorname);
        for (int32_t v : {s.nation, s.staerke, s.talente[0], s.talente[1], s.talente[2], int32_t(s.verletzt)})
            Le_Put_U32(out, uint32_t(v));
    }
    return true;
}

bool spieler_laden(const uint8_t* d, size_t n) {
    LeLeser l(d, n);
    uint32_t anzahl = l.u32();
    if (anzahl > n) return false;
    std::vector<BenchSpieler> neu(anzahl);
    for (BenchSpieler& s : neu) {
        s.name = l.text();
        s.vorname = l.text();
        s.nation = int32_t(l.u32());
        s.staerke = int32_t(l.u32());
        for (int32_t& t : s.talente) t = int32_t(l.u32());
        s.verletzt = l.u32() != 0;
    }
    if (!l.ok) return false;
    spieler = std::move(neu);
    return true;
}

struct Welt {
    std::filesystem::path basis;
    Welt() {
        basis = std::filesystem::temp_directory_path() / ("velmora_bench_" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(basis / "install/config");
        setenv("XDG_CONFIG_HOME", (basis / "settings").c_str(), 1);
        Reg_Write_String("Work_dir", (basis / "install").c_str());
        Reg_Write_String("USER_DIR", (basis / "user").c_str());
        Dirs_Init();
        Core_Hooks().meldung = [](const char*) {};
        std::string alias, text;
        const char* nationen[] = {"DEUTSCHLAND", "ITALIEN", "BRASILIEN", "NORWEGEN"};
        for (int32_t i = 0; i < 4; ++i) alias += "ALIAS " + std::string(nationen[i]) + " " + std::to_string(i + 1) + "\n";
        Config_Schreibe_Kommentar(text, "10000 Spieler fuer den Benchmark");
        for (int32_t i = 0; i < SPIELER; ++i) {
            Config_Schreibe_Befehl(text, "NEUER_SPIELER");
            Config_Schreibe_String(text, "NAME", ("Spieler_" + std::to_string(i)).c_str());
            Config_Schreibe_String(text, "VORNAME", "Max");
            text += "NATION #" + std::string(nationen[i % 4]) + "\n";
            Config_Schreibe_Wert(text, "STAERKE", (i * 37) % 12000);
            const int32_t talente[] = {i % 40, (i + 7) % 40, -1};
            Config_Schreibe_Liste(text, "TALENTE", talente, 3);
            Config_Schreibe_JaNein(text, "VERLETZT", i % 13 == 0);
        }
        Config_Datei_Schreiben(0, "spieler.cfg", text);
        Config_Datei_Schreiben(0, "spieler_alias.cfg", alias);
        Config_Bin_Region_Anmelden("spieler", spieler_speichern, spieler_laden, {"spieler.cfg", "spieler_alias.cfg"});
        spieler_lesen();
        Config_Bin_Schreiben();
    }
    ~Welt() {
        std::error_code ec;
        std::filesystem::remove_all(basis, ec);
    }
};

Welt& welt() {
    static Welt w;
    return w;
}

void BM_ConfigTextLesen(benchmark::State& state) {
    welt();
    for (auto _ : state) {
        if (!spieler_lesen() || spieler.size() != SPIELER) state.SkipWithError("Spieler nicht gelesen");
        benchmark::DoNotOptimize(spieler.data());
    }
    state.SetItemsProcessed(state.iterations() * SPIELER);
}
BENCHMARK(BM_ConfigTextLesen)->Unit(benchmark::kMillisecond);

void BM_ConfigBinLaden(benchmark::State& state) {
    welt();
    for (auto _ : state) {
        if (!Config_Bin_Laden() || spieler.size() != SPIELER) state.SkipWithError("Cache nicht geladen");
        benchmark::DoNotOptimize(spieler.data());
    }
    state.SetItemsProcessed(state.iterations() * SPIELER);
}
BENCHMARK(BM_ConfigBinLaden)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
