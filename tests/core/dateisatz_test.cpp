// tests/core/dateisatz_test.cpp - a set of files replaced as a whole, and
// what a killed writer leaves for the next start.
#include "core/dateisatz.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "core/dirs.h"
#include "core/reg.h"
#include "platform/files.h"
#include "tests/support/dateigrenze.h"
#include "tests/support/temp_dir.h"

using namespace velmora;
namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> Dateien(const std::string& verz) {
    std::map<std::string, std::string> alle;
    for (const std::string& name : Plat_List_Dir(verz.c_str(), "*")) {
        std::vector<uint8_t> daten;
        Plat_Read_All((verz + "/" + name).c_str(), daten);
        alle[name] = std::string(daten.begin(), daten.end());
    }
    return alle;
}

}  // namespace

// A set that cannot be written whole leaves the old one; a written one replaces it.
TEST(Dateisatz, AFailedSetLeavesTheOldOneAndAWholeOneReplacesIt) {
    test::TempDir tmp;
    const std::string verz = tmp / "config";
    const std::map<std::string, std::string> alt = {{"0_a.cfg", "alt a"}, {"0_b.cfg", "alt b"}};
    for (const auto& [name, text] : alt) tmp.schreiben("config/" + name, text);
    const std::vector<std::pair<std::string, std::string>> neu = {{"0_a.cfg", "neu a"},
                                                                   {"0_b.cfg", std::string(4096, 'b')}};
    EXPECT_EQ(test::Unter_Dateigrenze(1024, [&] { return Dateisatz_Schreiben(verz, neu, nullptr); }), 1);
    EXPECT_EQ(Dateien(verz), alt);
    EXPECT_FALSE(fs::exists(verz + "/.velmora-satz"));
    DateisatzFehler fehler;
    ASSERT_TRUE(Dateisatz_Schreiben(verz, neu, &fehler)) << fehler.datei << ": " << fehler.grund;
    EXPECT_EQ(Dateien(verz), (std::map<std::string, std::string>(neu.begin(), neu.end())));
    EXPECT_FALSE(fs::exists(verz + "/.velmora-satz"));
}

// A writer killed before its set was complete leaves a folder the next start
// removes; one killed while putting a complete set in place leaves one the
// next start finishes. The readers find one whole set either way.
TEST(Dateisatz, TheNextStartRemovesAnUnfinishedSetAndFinishesAMarkedOne) {
    test::TempDir tmp;
    fs::create_directories(tmp / "install/config");
    const std::string user_config = tmp / "user/config", install_config = tmp / "install/config";
    tmp.schreiben("user/config/0_team.cfg", "alt team");
    tmp.schreiben("user/config/0_spieler.cfg", "alt spieler");
    tmp.schreiben("user/config/.velmora-satz/0_team.cfg", "halb");   // killed before the mark
    tmp.schreiben("install/config/0_team.cfg", "neu team");          // the first file already in place
    tmp.schreiben("install/config/0_spieler.cfg", "alt spieler");
    tmp.schreiben("install/config/.velmora-satz/0_spieler.cfg", "neu spieler");
    tmp.schreiben("install/config/.velmora-satz/.fertig", "");
    Reg_Write_String("Work_dir", (tmp / "install").c_str());
    Reg_Write_String("USER_DIR", (tmp / "user").c_str());
    ASSERT_EQ(Dirs_Init(), 1);
    EXPECT_EQ(Dateien(user_config), (std::map<std::string, std::string>{{"0_spieler.cfg", "alt spieler"},
                                                                          {"0_team.cfg", "alt team"}}));
    EXPECT_EQ(Dateien(install_config), (std::map<std::string, std::string>{{"0_spieler.cfg", "neu spieler"},
                                                                             {"0_team.cfg", "neu team"}}));
    EXPECT_FALSE(fs::exists(user_config + "/.velmora-satz"));
    EXPECT_FALSE(fs::exists(install_config + "/.velmora-satz"));
}
