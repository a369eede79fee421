// tests/season/wettbewerb_cfg_test.cpp - "wettbewerb.cfg": writing, reading back, errors.
#include <algorithm>
#include <cstring>

#include <filesystem>
#include <map>
#include <set>

#include "club/weltgen.h"
#include "core/config.h"
#include "core/config_bin.h"
#include "core/dirs.h"
#include "core/reg.h"
#include "core/hooks.h"
#include "season/season_welt.h"
#include "tests/club/welt.h"
#include "tests/season/season_welt.h"
#include "tests/support/temp_dir.h"

namespace velmora::test {
namespace {

class WettbewerbCfg : public ::testing::Test {
protected:
    // Configuration errors go to the manager's message box: caught into the log.
    void SetUp() override { Core_Hooks().meldung = [](const char* text) { Log().push_back(text); }; }
    void TearDown() override {
        Core_Hooks().meldung = nullptr;
        Welt_Ende();
    }
    TempDir dir;
    LogFaenger faenger;
};

TEST_F(WettbewerbCfg, WrittenWorldReadsBackEqual) {
    std::vector<WettbewerbBeschreibung> welt = Wettbewerb_Welt_Beschreiben(Laender_Bauen(8, 3, 18));
    // 24 leagues, 8 cups, 4 groups, the knock-out stage, the friendlies.
    ASSERT_EQ(welt.size(), 38u);
    welt[3].modus |= 1 << 20;   // a bit without a name survives as a number
    welt[5].name = "Der \"Pokal\"; mit Zeichen";
    std::string pfad = dir / "wettbewerb.cfg";
    ASSERT_TRUE(Wettbewerb_Config_Schreiben_Pfad(pfad.c_str(), welt));
    std::vector<WettbewerbBeschreibung> gelesen;
    ASSERT_TRUE(Wettbewerb_Config_Lesen_Pfad(pfad.c_str(), gelesen));
    ASSERT_EQ(gelesen.size(), welt.size());
    for (size_t i = 0; i < welt.size(); ++i) EXPECT_TRUE(gelesen[i] == welt[i]) << "competition " << welt[i].id;
    EXPECT_FALSE(Log_Enthaelt("Syntax-Error"));
}

TEST_F(WettbewerbCfg, TheWorldBuilderLinksLevelsCupsAndTheContinentalCup) {
    std::vector<WettbewerbBeschreibung> welt = Wettbewerb_Welt_Beschreiben(Laender_Bauen(2, 3, 6));
    ASSERT_EQ(welt.size(), 2u * 4 + 1 + 1);   // groups only with enough entrants: 4 clubs, 4 groups → knock-out
    const WettbewerbBeschreibung& erste = welt[0];
    EXPECT_EQ(erste.stufe, 1);
    EXPECT_EQ(erste.liga_unten, welt[1].id);
    EXPECT_EQ(welt[1].liga_oben, erste.id);
    EXPECT_EQ(welt[2].liga_unten, -1);
    EXPECT_EQ(welt[1].aufsteiger, 3);
    EXPECT_EQ(erste.spieltage, 10);
    EXPECT_EQ(welt[3].art, ART_POKAL);
    EXPECT_EQ(welt[3].teams, 18);
    EXPECT_EQ(welt[3].spieltage, 5);
    const WettbewerbBeschreibung& ko = welt[8];
    EXPECT_EQ(ko.art, ART_INTERNATIONAL);
    EXPECT_EQ(erste.quali_ziel, ko.id);
    EXPECT_EQ(ko.team_liste, (std::vector<int32_t>{3, 21, 4, 22}));
    EXPECT_TRUE(ko.auswaertstore && ko.elfmeter && ko.verlaengerung == 30 && ko.rueckspiel == 2);
    EXPECT_EQ(welt[9].art, ART_FREUNDSCHAFT);
}

// The menus' logo and film numbers of 18, 20 and 21 are other pictures and
// another film: the demo world never gives them to a competition.
TEST_F(WettbewerbCfg, TheDemoWorldHandsOutNoGraphicNumberTheMenusUseElsewhere) {
    for (const bool klein : {true, false}) {
        WeltgenOptionen o;
        o.klein = klein;
        WeltgenWelt welt;
        ASSERT_TRUE(Weltgen_Erzeugen(o, welt));
        ASSERT_TRUE(Season_Weltgen_Wettbewerbe(welt, dir.pfad()));
        std::vector<WettbewerbBeschreibung> liste;
        ASSERT_TRUE(Wettbewerb_Config_Lesen_Pfad((dir / "0_wettbewerb.cfg").c_str(), liste));
        std::set<int32_t> grafiken;
        for (const WettbewerbBeschreibung& w : liste) grafiken.insert(w.grafik);
        for (const int32_t belegt : {18, 20, 21}) EXPECT_EQ(grafiken.count(belegt), 0u) << belegt << " klein " << klein;
        // The full world counts past them; every competition has a number.
        EXPECT_GE(*grafiken.begin(), 0);
        if (!klein) {
            EXPECT_GT(*grafiken.rbegin(), 21);
        }
        // The trophy's metal follows the tier: a first division and every cup
        // gold, a second division silver, lower ones and the friendlies
        // bronze; only the continental cup's stages share a number.
        std::map<int32_t, int32_t> je_nummer;
        for (const WettbewerbBeschreibung& w : liste) {
            const int32_t metall = w.art == ART_LIGA ? std::min(w.stufe - 1, int32_t(POKAL_BRONZE))
                                   : w.art == ART_FREUNDSCHAFT ? POKAL_BRONZE
                                                               : POKAL_GOLD;
            EXPECT_EQ(Pokal_Metall(w.grafik), metall) << w.name << " klein " << klein;
            if (w.art != ART_GRUPPE && w.art != ART_INTERNATIONAL) {
                EXPECT_EQ(++je_nummer[w.grafik], 1) << w.name;
            }
            // The competitions' films cover the numbers 0 to 47.
            EXPECT_LT(w.grafik, 48) << w.name << " has no film";
        }
    }
}

TEST_F(WettbewerbCfg, ModusNamesAndNumbersAreRead) {
    const char* text =
        "WETTBEWERB 50\nNAME \"Liga\"\nMODUS HEIMRECHT ENGLISCHE_TABELLE\nTEAMS 4\nSPIELTAGE 6\nRUECKSPIEL JA\n"
        "TEAM_LISTE 1, 2\nTEAM_LISTE 3 4\nGRAFIK_NUMMER 7\nKALENDER_POSITION 2\nLIGA_SYMBOL 5\nENDE\n"
        "WETTBEWERB 51\nNAME \"Pokal\"\nART POKAL\nMODUS 8196\nTEAMS 5\nSPIELTAGE 3\n";
    std::vector<WettbewerbBeschreibung> l;
    ASSERT_TRUE(Wettbewerb_Config_Lesen_Text(text, std::strlen(text), l));
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(l[0].modus, MODUS_HEIMRECHT | MODUS_ENGLISCHE_TABELLE);
    EXPECT_EQ(l[0].team_liste, (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(l[0].rueckspiel, 2);
    EXPECT_EQ(l[1].modus, MODUS_KO_SYSTEM | MODUS_EINNAHMEN_TEILEN);
    EXPECT_EQ(l[1].art, ART_POKAL);
    Spiele_Init();
    Wettbewerb_Init(l);
    int32_t pos = -1;
    EXPECT_EQ(Wettbewerb_Get_Grafik(50, &pos), 7);
    EXPECT_EQ(pos, 2);
    EXPECT_EQ(Wettbewerb_Get_Liga_Symbol(50), 5);
    EXPECT_EQ(Wettbewerb_Get_Grafik(52, nullptr), -1);
    EXPECT_EQ(Wettbewerb_Get_Liga_Symbol(999), -1);
    EXPECT_EQ(Wettbewerb_Get_Info(51)->modus & MODUS_KO_SYSTEM, MODUS_KO_SYSTEM);
    EXPECT_EQ(Wettbewerb_Get_Info(52), nullptr);
    Wettbewerb_Free();
    EXPECT_EQ(Wettbewerb_Get_Grafik(50, nullptr), -1);
}

TEST_F(WettbewerbCfg, BrokenLinesAreReportedAndBadCompetitionsLeftOut) {
    struct Fall {
        const char* text;
        const char* meldung;   // part of the error message
        size_t uebrig;         // competitions read
    };
    const Fall faelle[] = {
        {"NAME \"x\"\nWETTBEWERB 50\nTEAMS 2\nSPIELTAGE 1\n", "vor dem ersten WETTBEWERB", 1},
        {"WETTBEWERB 20\nTEAMS 2\nSPIELTAGE 1\nWETTBEWERB 50\nTEAMS 2\nSPIELTAGE 1\n", "Wettbewerb-Id 20", 1},
        {"WETTBEWERB 50\nTEAMS 2\nSPIELTAGE 1\nWETTBEWERB 50\nTEAMS 2\nSPIELTAGE 1\n", "doppelt", 1},
        {"WETTBEWERB 50\nTEAMS 4\nSPIELTAGE 5\n", "SPIELTAGE 5", 0},
        {"WETTBEWERB 50\nTEAMS 2\nSPIELTAGE 1\nTEAM_LISTE 3, 4, 5\n", "3 Teams fuer 2", 0},
        {"WETTBEWERB 50\nTEAMS 2\nSPIELTAGE 1\nTEAM_LISTE 3, 3\n", "Team 3 doppelt", 0},
        {"WETTBEWERB 50\nTEAMS 999\nTEAMS 2\nSPIELTAGE 1\n", "TEAMS 999", 1},
        {"WETTBEWERB 50\nTEAMS 2\nSPIELTAGE 1\nFARBE 3\n", "Unbekannter Befehl (FARBE)", 1},
        {"WETTBEWERB 50\nTEAMS 2\nSPIELTAGE 1\nMODUS SCHNELL\n", "MODUS SCHNELL", 1},
        {"WETTBEWERB 50\nTEAMS 2\nSPIELTAGE 1\nLIGA_UNTEN 77\n", "verweist auf 77", 1},
        {"WETTBEWERB 50\nTEAMS 2\nSPIELTAGE 1\nART KEGELN\n", "ART KEGELN", 1},
        {"WETTBEWERB 50\nTEAMS 1\nSPIELTAGE 0\n", "TEAMS 1 zu klein", 0},
    };
    for (const Fall& f : faelle) {
        Log().clear();
        std::vector<WettbewerbBeschreibung> l;
        bool ok = Wettbewerb_Config_Lesen_Text(f.text, std::strlen(f.text), l);
        EXPECT_EQ(l.size(), f.uebrig) << f.text;
        EXPECT_EQ(ok, f.uebrig > 0);
        EXPECT_TRUE(Log_Enthaelt(f.meldung)) << f.meldung;
        for (const auto& w : l) EXPECT_EQ(w.liga_unten, -1);
    }
}

TEST_F(WettbewerbCfg, ConfigSetFileIsFoundInTheUserDirectory) {
    // An installation and a user directory as the game finds them.
    std::filesystem::create_directories(dir / "install/config");
    std::filesystem::create_directories(dir / "install/resfile");
    Reg_Write_String("Work_dir", (dir / "install").c_str());
    Reg_Write_String("USER_DIR", (dir / "user").c_str());
    ASSERT_EQ(Dirs_Init(), 1);
    std::vector<WettbewerbBeschreibung> welt = Wettbewerb_Welt_Beschreiben(Laender_Bauen(1, 2, 4));
    ASSERT_TRUE(Wettbewerb_Config_Schreiben(0, welt));
    Config_Satz_Setzen(0);
    Spiele_Init();
    ASSERT_TRUE(Wettbewerb_Config_Laden());
    EXPECT_EQ(int32_t(Wettbewerb_Alle().size()), int32_t(welt.size()));
    EXPECT_EQ(Team_Get_Liga(welt[1].team_liste[0], 1), welt[1].id);
    EXPECT_EQ(Team_Wert(11, welt[1].team_liste[0], 0, 0), welt[1].id);
    EXPECT_STREQ(Wettbewerb_Get_Landespokal(welt[2].id, 0, 0), "Land0 Pokal");
    // The binary cache keeps the records read from the file.
    ASSERT_TRUE(Wettbewerb_Cache_Anmelden());
    ASSERT_TRUE(Config_Bin_Schreiben());
    std::vector<uint8_t> gelesen, geladen;
    Wettbewerb_Save(gelesen);
    Wettbewerb_Free();
    ASSERT_TRUE(Config_Bin_Laden());
    Wettbewerb_Save(geladen);
    EXPECT_EQ(gelesen, geladen);
    EXPECT_EQ(Team_Get_Liga(welt[1].team_liste[0], 1), welt[1].id);
    Config_Bin_Region_Abmelden("Wettbewerb");
    // A new game reads the file again, unless the editing mode is open.
    Config_Modify_Init(0, 0);
    EXPECT_FALSE(Wettbewerb_Spielstart_Pruefen(0, 0));
    EXPECT_TRUE(Log_Enthaelt("Config_Modify noch aktiv"));
    Config_Modify_Free();
    ASSERT_TRUE(Wettbewerb_Spielstart_Pruefen(0, 0));
    EXPECT_EQ(Wettbewerb_Get_Spiele_Pro_Spieltag(welt[0].id, 1), 2);
    EXPECT_EQ(Wettbewerb_Satz(welt[0].id)->aktuelle_runde, 1);
}

}  // namespace
}  // namespace velmora::test
