// The films of a frame: Bnk_DoFrameAll with the learned-talent film (320 x
// 240) and four 200 x 150 films playing from the installation's film file,
// copied into an 800 x 600 screen. Program frames 10 ms apart (each film
// decodes every fourth frame), and the worst frame in which all five decode.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/temp_ordner.h"
#include "core/dirs.h"
#include "core/reg.h"
#include "kunst/film_muster.h"
#include "media/video.h"
#include "platform/clock.h"

namespace velmora {
namespace {

struct Filme {
    std::filesystem::path temp = bench::Temp_Ordner("velmora_film_bench");
    std::vector<uint16_t> schirm = std::vector<uint16_t>(800 * 600);
    bool ok = false;
    Filme() {
        std::filesystem::create_directories(temp / "user");
        setenv("XDG_CONFIG_HOME", (temp / "settings").c_str(), 1);
        Reg_Write_String("Work_dir", std::filesystem::path(VELMORA_INSTALL_RESFILE).parent_path().c_str());
        Reg_Write_String("USER_DIR", (temp / "user").c_str());
        Reg_Write_Key_String(REG_PRODUKT_SCHLUESSEL, "res_27", BINK_RES_DATEI);
        Plat_Uhr_Virtuell(true, 1000);
        ok = Dirs_Init() == 1 && Bink_InitBink(nullptr, nullptr, nullptr, nullptr, 16);
        const int32_t filme[5][3] = {{FILM_ATTR, 240, 134}, {11, 565, 356}, {12, 20, 20}, {FILM_KWAGEN, 300, 400},
                                     {FILM_HERZ, 580, 40}};
        for (const auto& f : filme) {
            BINK_VIDEO* v = Bnk_InitV(uintptr_t(f[0]), BINK_RES_DATEI, 0, 0, f[1], f[2], BINK_DATEI, "TestVideo", 0);
            ok = ok && v && Bnk_PauseV(v, false);
        }
    }
    ~Filme() {
        Bnk_RelAll();
        Plat_Uhr_Virtuell(false);
        std::error_code ec;
        std::filesystem::remove_all(temp, ec);
    }
};

void BM_DoFrameAll(benchmark::State& state) {
    Filme f;
    if (!f.ok) return state.SkipWithError("the installation's films cannot be opened");
    const uint32_t ms = uint32_t(state.range(0));
    for (auto _ : state) {
        Plat_Uhr_Vorstellen(ms);
        Bnk_DoFrameAll(f.schirm.data(), 800 * 2, 600);
    }
}
BENCHMARK(BM_DoFrameAll)->Arg(10)->Arg(40)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
