// tests/club/club_config_fuzz.cpp - arbitrary text through the readers of
// global.cfg, team.cfg and spieler.cfg: reports, never a crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "club/club_config.h"
#include "club/global_config.h"
#include "club/spieler.h"
#include "club/team.h"
#include "core/hooks.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t bytes) {
    static bool erst = [] {
        Core_Hooks().meldung = [](const char*) {};
        Global_Config_Init();
        return true;
    }();
    (void)erst;
    if (bytes == 0) return 0;
    // The first byte chooses the reader; the teams of spieler.cfg come from a small fixed file.
    std::string text(reinterpret_cast<const char*>(daten) + 1, bytes - 1);
    switch (daten[0] % 3) {
    case 0: Global_Config_Lesen_Text(text, nullptr); break;
    case 1: Team_Config_Lesen_Text(text, nullptr); break;
    default: {
        Team_Config_Lesen_Text("NEUES_TEAM\nTRANSFERMARKT JA\nNEUES_TEAM\nSTATUS 2\nNEUES_TEAM\nNATION 1\n", nullptr);
        uint8_t voll = 0;
        Spieler_Config_Lesen_Text(text, nullptr, &voll);
        Convert_Spieler_Config_Text("fuzz");
        break;
    }
    }
    Convert_Team_Config_Text("fuzz");
    Convert_Global_Config_Text("fuzz");
    Team_Free(0);
    Spieler_Free();
    return 0;
}
