// tests/season/spielstart_test.cpp - the world of a new game from the
// configuration files and from the binary configuration cache.
#include "season/spielstart.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/sim_lauf.h"
#include "app/verdrahtung.h"
#include "core/config_bin.h"
#include "core/dirs.h"
#include "core/hooks.h"
#include "core/rnd.h"
#include "core/spielstand.h"
#include "platform/clock.h"
#include "season/kalender.h"
#include "tests/core/temp_verz.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

std::string Lesen(const std::string& pfad) {
    std::ifstream f(pfad, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void Schreiben(const std::string& pfad, const std::string& inhalt) {
    std::ofstream(pfad, std::ios::binary | std::ios::trunc) << inhalt;
}

// A new game of the world in the installation, built from the cache when it
// is kept ("-d"), run to day 0 and saved: the saved file's bytes.
std::string Neues_Spiel(bool behalten) {
    Rnd_Init();
    Plat_Uhr_Virtuell(true, 1000);
    VerdrahtungOptionen v;
    v.sim.seed = 5;
    v.sim.menschen = 1;
    v.sim.autosave = false;
    std::string fehler;
    std::string gespeichert;
    if (Spiel_Verdrahten(v, &fehler)) {
        Core_Hooks().meldung = [](const char*) {};
        Spielstart_Cache_Behalten(behalten);
        EXPECT_TRUE(Sim_Bis_Tag(0)) << Sim().fehler_text;
        EXPECT_TRUE(Spielstand_Speichern(0));
        gespeichert = Lesen(std::string(Dirs_Get(DIR_SPIELSTAND)) + "/game_0.qzv");
        Sim_Beenden();
    } else {
        ADD_FAILURE() << fehler;
    }
    Spiel_Entdrahten();
    Kalender_Hooks() = KalenderHooks{};
    Core_Hooks().meldung = nullptr;
    Spielstart_Cache_Behalten(false);
    Plat_Uhr_Virtuell(false, 0);
    return gespeichert;
}

// The world from the cache is the world from the files, byte for byte over a
// saved game. To tell them apart, team.cfg is changed the way only reading
// sees (the same size and time): a game from the cache keeps the old world,
// one from the files shows the change. A cache that is damaged or stale, or
// not kept, is deleted and the files are read (and the cache written anew).
TEST(Spielstart, AWorldFromTheCacheEqualsTheWorldFromTheFiles) {
    velmora_test::TestWelt dirs;
    ASSERT_TRUE(dirs.ok);
    ASSERT_TRUE(Sim_Welt_Erzeugen(dirs.install, true, 4));
    const std::string team_cfg = dirs.install + "/config/0_team.cfg";
    const std::string original = Lesen(team_cfg);
    const fs::file_time_type zeit = fs::last_write_time(team_cfg);
    std::string geaendert = original;
    const size_t name = geaendert.find("NAME \"");
    ASSERT_NE(name, std::string::npos);
    geaendert[name + 6] = geaendert[name + 6] == 'Q' ? 'X' : 'Q';
    auto setzen = [&](const std::string& inhalt) {
        Schreiben(team_cfg, inhalt);
        fs::last_write_time(team_cfg, zeit);
    };

    const std::string alt = Neues_Spiel(false);
    ASSERT_FALSE(alt.empty());
    ASSERT_TRUE(fs::exists(Config_Bin_Pfad())) << "the files read, the cache is written";
    setzen(geaendert);
    const std::string neu = Neues_Spiel(false);
    ASSERT_FALSE(neu.empty());
    ASSERT_NE(neu, alt) << "the changed name is in the saved game";

    struct Fall {
        const char* name;
        bool behalten;
        void (*stoeren)(const std::string& team_cfg);
        bool aus_cache;
    } faelle[] = {
        {"kept", true, [](const std::string&) {}, true},
        {"not kept", false, [](const std::string&) {}, false},
        {"truncated", true, [](const std::string&) { fs::resize_file(Config_Bin_Pfad(), 100); }, false},
        {"header byte flipped", true, [](const std::string&) {
             std::fstream f(Config_Bin_Pfad(), std::ios::in | std::ios::out | std::ios::binary);
             f.seekp(5);
             f.put('?');
         }, false},
        {"source touched", true, [](const std::string& pfad) {
             fs::last_write_time(pfad, fs::last_write_time(pfad) + std::chrono::seconds(2));
         }, false},
    };
    for (const Fall& f : faelle) {
        setzen(original);
        ASSERT_EQ(Neues_Spiel(false), alt) << f.name << ": the same files give the same game";
        setzen(geaendert);
        f.stoeren(team_cfg);
        EXPECT_EQ(Neues_Spiel(f.behalten), f.aus_cache ? alt : neu) << f.name;
        EXPECT_TRUE(fs::exists(Config_Bin_Pfad())) << f.name;
    }
    // After the files were read the cache holds the changed world.
    EXPECT_EQ(Neues_Spiel(true), neu);
    setzen(original);
}

}  // namespace
}  // namespace velmora
