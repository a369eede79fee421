// tests/support/welt_auslesen.cpp - a fresh process that builds the world of
// an installation and a user directory with the game's own readers and
// prints it back through the configuration writers:
//
//   welt_auslesen <installation> <user directory> <description>
//
// prints the team file, the player file and the competition file in that
// order, each after a line "== <file>". The team editor's round-trip test
// compares this with the files the editor saved: a value the readers do not
// take back as it was written shows as a difference.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/verdrahtung.h"
#include "club/club_config.h"
#include "core/dirs.h"
#include "core/reg.h"
#include "season/wettbewerb_cfg.h"

using namespace velmora;

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: welt_auslesen <installation> <user directory> <description>\n");
        return 2;
    }
    // Settings and the configuration cache of this run only: the files are read, never a cache.
    const std::filesystem::path eigen = std::filesystem::path(argv[2]) / "welt_auslesen";
    std::filesystem::remove_all(eigen);
    std::filesystem::create_directories(eigen);
    setenv("XDG_CONFIG_HOME", (eigen / "settings").c_str(), 1);
    setenv("XDG_CACHE_HOME", (eigen / "cache").c_str(), 1);
    Reg_Write_String("Work_dir", argv[1]);
    Reg_Write_String("USER_DIR", argv[2]);
    if (Dirs_Init() != 1) {
        std::fprintf(stderr, "welt_auslesen: %s\n", Dirs_Fehler());
        return 1;
    }
    VerdrahtungOptionen v;
    v.nur = {"Core", "Club", "Saison"};
    std::string fehler;
    if (!Spiel_Verdrahten(v, &fehler)) {
        std::fprintf(stderr, "welt_auslesen: %s\n", fehler.c_str());
        return 1;
    }
    uint8_t vollstaendig = 0;
    std::vector<WettbewerbBeschreibung> wettbewerbe;
    const bool ok = Team(0) && Spieler(0, &vollstaendig) && vollstaendig && Wettbewerb_Config_Lesen(wettbewerbe);
    if (ok) {
        std::printf("== team.cfg\n%s", Convert_Team_Config_Text(argv[3]).c_str());
        std::printf("== spieler.cfg\n%s", Convert_Spieler_Config_Text(argv[3]).c_str());
        std::printf("== wettbewerb.cfg\n%s", Wettbewerb_Config_Text(wettbewerbe).c_str());
    } else {
        std::fprintf(stderr, "welt_auslesen: the world of %s and %s could not be read\n", argv[1], argv[2]);
    }
    Spiel_Entdrahten();
    std::filesystem::remove_all(eigen);
    return ok ? 0 : 1;
}
