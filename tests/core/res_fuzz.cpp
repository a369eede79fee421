// Fuzzes resource-file loading: the input is written as a file and opened both
// as a RESF file (every entry loaded, the graphics types through loaders that
// read their bytes) and as an HRF/HCF file.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/file.h"
#include "core/mem.h"
#include "core/res.h"

using namespace velmora;

namespace {
// Reads every byte it is given, so a bound that is too wide shows up under ASan.
void* lesender_lader(const uint8_t* d, size_t n) {
    static uint32_t summe = 0;
    for (size_t i = 0; i < n; ++i) summe += d[i];
    return n ? const_cast<uint32_t*>(&summe) : nullptr;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string pfad =
        (std::filesystem::temp_directory_path() / ("velmora_res_fuzz_" + std::to_string(std::random_device{}()) + ".res")).string();
    std::ofstream(pfad, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), std::streamsize(size));
    ResLoaderHooks& h = Res_Loader_Hooks();
    h.bitmap = [](const uint8_t* d, size_t n, int32_t) { return lesender_lader(d, n); };
    h.font = [](const uint8_t* d, size_t n, int32_t) { return lesender_lader(d, n); };
    h.shape = [](const uint8_t* d, size_t n, int32_t, uint32_t) { return lesender_lader(d, n); };

    int32_t slot = Res_Open(pfad.c_str(), 0);
    if (slot >= 0) {
        for (int32_t n = -1; n < 70; ++n) {
            uint32_t laenge = 0;
            void* p = Res_Load(slot, n, 16, &laenge);
            int16_t typ = 0;
            if (p && Res_Eintrag_Info(slot, n, &typ, nullptr) && typ == RES_TYP_DATEN) {
                volatile uint8_t letztes = laenge ? static_cast<uint8_t*>(p)[laenge - 1] : 0;
                (void)letztes;
                Mem_Free(p);
            }
            uint32_t bytes = 0;
            void* roh = Res_Eintrag_Roh(slot, n, &bytes);
            if (roh) Mem_Free(roh);
        }
        Res_Close(slot);
    }
    int32_t handle = File_Open_Read(pfad.c_str());
    for (int32_t n = -1; handle >= 0 && n < 40; ++n) {
        ResResource r;
        if (Res_GetResource(&r, handle, n, RES_MODUS_SPEICHER)) Mem_Free(r.daten);
        Res_GetResource(&r, handle, n, RES_MODUS_HANDLE);
    }
    File_Close(handle);
    return 0;
}
