// tools/velmora_sim.cpp - velmora-sim: plays a game without a screen through
// the calendar, frame by frame, and prints the tables at the end.
//
//   velmora-sim [--small] [--seed N] [--days N] [--humans N] [--no-autosave]
//               [--install DIR] [--user DIR] [--load SLOT] [--stats]
//
// Without --install a world is generated (with the same seed) into a
// temporary directory; without --user the save games go to a temporary
// directory too. The games are played by the game's match day; --stats adds
// the match statistics of the days played (goals per match, home wins, draws,
// away wins, extra time, shoot-outs). The same arguments give byte-identical
// output.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "core/dirs.h"
#include "core/reg.h"
#include "match/spieltag.h"
#include "season/kalender.h"

namespace {

int Benutzung() {
    std::fprintf(stderr,
                 "usage: velmora-sim [--small] [--seed N] [--days N] [--humans N] [--no-autosave]\n"
                 "                   [--install DIR] [--user DIR] [--load SLOT] [--stats]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace velmora;
    VerdrahtungOptionen verdrahtung;
    verdrahtung.betrieb = Betrieb::SIM;
    SimOptionen& o = verdrahtung.sim;
    bool klein = false;
    bool statistik = false;
    int32_t tage = 365;
    std::string install, user;
    for (int i = 1; i < argc; ++i) {
        auto zahl = [&](long lo, long hi, long& out) {
            if (i + 1 >= argc) return false;
            char* ende = nullptr;
            out = std::strtol(argv[++i], &ende, 10);
            return ende && !*ende && out >= lo && out <= hi;
        };
        long v = 0;
        if (!std::strcmp(argv[i], "--small")) klein = true;
        else if (!std::strcmp(argv[i], "--stats")) statistik = true;
        else if (!std::strcmp(argv[i], "--no-autosave")) o.autosave = false;
        else if (!std::strcmp(argv[i], "--seed") && zahl(0, 0x7FFFFFFF, v)) o.seed = uint32_t(v);
        else if (!std::strcmp(argv[i], "--days") && zahl(0, 36500, v)) tage = int32_t(v);
        else if (!std::strcmp(argv[i], "--humans") && zahl(0, 6, v)) o.menschen = int32_t(v);
        else if (!std::strcmp(argv[i], "--load") && zahl(0, 9, v)) o.laden = int32_t(v);
        else if (!std::strcmp(argv[i], "--install") && i + 1 < argc) install = argv[++i];
        else if (!std::strcmp(argv[i], "--user") && i + 1 < argc) user = argv[++i];
        else return Benutzung();
    }

    std::random_device rd;
    std::filesystem::path temp =
        std::filesystem::temp_directory_path() / ("velmora_sim_" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(temp);
    struct Aufraeumen {
        std::filesystem::path p;
        ~Aufraeumen() {
            std::error_code ec;
            std::filesystem::remove_all(p, ec);
        }
    } aufraeumen{temp};
    if (install.empty()) {
        install = (temp / "install").string();
        if (!Sim_Welt_Erzeugen(install, klein, o.seed)) {
            std::fprintf(stderr, "velmora-sim: the world could not be generated\n");
            return 1;
        }
    }
    if (user.empty()) user = (temp / "user").string();
    setenv("XDG_CONFIG_HOME", (temp / "settings").c_str(), 1);
    Reg_Write_String("Work_dir", install.c_str());
    Reg_Write_String("USER_DIR", user.c_str());
    if (Dirs_Init() != 1) {
        std::fprintf(stderr, "velmora-sim: the directories %s and %s cannot be used\n", install.c_str(), user.c_str());
        return 1;
    }
    std::string fehler;
    if (!Spiel_Verdrahten(verdrahtung, &fehler)) {
        std::fprintf(stderr, "velmora-sim: %s\n", fehler.c_str());
        return 1;
    }

    bool ok = Sim_Bis_Tag(0);
    int32_t start = Tag_Index();
    ok = ok && Sim_Bis_Tag(start + tage);
    if (!ok) {
        std::fprintf(stderr, "velmora-sim: the game stopped on day %d (%s)\n", Tag_Index(),
                     o.laden >= 0 ? "the save slot could not be loaded" : "the world could not be built");
        Sim_Beenden();
        Spiel_Entdrahten();
        return 1;
    }
    std::fputs(Sim_Bericht().c_str(), stdout);
    if (statistik) std::fputs(Spieltag_Statistik_Text().c_str(), stdout);
    Sim_Beenden();
    Spiel_Entdrahten();
    return 0;
}
